#pragma once
// The main window's state and handlers, apart from any widget: the problem list,
// the current problem, the click guard, the two page surfaces and the dispatcher.
// The window mirrors it; the headless commands and the tests drive it directly.
#include "canvas/drawing_state.h"
#include "canvas/surface.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class MathForm {
public:
    static constexpr int pageWidth = 682;
    static constexpr int pageHeight = 722;
    static constexpr int printWidth = 745;
    static QString listEntry(const QString& id);
    static const QString printItem;

    MathForm();

    // Start-up: set-up, metrics, list, first page, print item, print view.
    void formLoad();
    void setNoProb(const QString& id);
    // Moves the list selection as a user would; a change raises the click handler.
    void select(int index);
    // The click handler; also raised by a mouse click on the already selected entry.
    void boxClick();
    // A key of the list, whatever the modifiers held with it; returns true when it ends the program.
    bool formKeyDown(Qt::Key key);
    // Draws the current problem's page on screen, from what the pages before it left.
    void pic_g();

    // The page of any id of the registry, drawn from `from` on a surface of its own as
    // the screen (or the print view) has it, with what it leaves for the next page; the
    // window's pages are left as they are.
    struct Drawn {
        Surface surface;
        CarriedState leaves;
    };
    Drawn drawn(const QString& id, bool printView, const CarriedState& from) const;
    // What a page drawn first in a run starts from, as the exports draw every page.
    const CarriedState& freshStart() const { return freshStart_; }
    // What the page on screen was drawn from. The print item, the preview, Save of this
    // page and copy draw it from this too, so they give the page the screen shows.
    const CarriedState& shownFrom() const { return shownFrom_; }
    // Draws the page of any id on the window's surface for the screen (or the print
    // view) from a fresh start, leaving the carried state alone.
    void showPage(const QString& id, bool printView);

    int listIndex() const { return listIndex_; }
    const QStringList& listItems() const { return items_; }
    long curProb() const { return curProb_; }
    // The id of the page last drawn on screen (the one the print item prints).
    QString currentId() const;
    // The drawing state start-up made: metrics, tab stops, colours, factors.
    const DrawingState& startup() const { return startup_; }
    // The left margin of the screen or of the print view.
    long leftMargin(bool printView) const;

    Surface pic{pageWidth, pageHeight};
    Surface pic2{printWidth, pageHeight};
    VbColor backColor = 0x8000000F;
    VbColor boxBackColor = 0xFFFFFF;

    // Called with the print view's surface when the print item has drawn it.
    std::function<void(const Surface&)> onPrint;
    // Called after the selection moved (the window follows it).
    std::function<void(int)> onSelect;

private:
    void loadPrintView();
    void printBranch();
    // Draws `id` on `target` from `from`; returns what the page leaves for the next.
    CarriedState drawOn(Surface& target, const QString& id, bool printView, const CarriedState& from) const;

    DrawingState startup_;
    CarriedState freshStart_;
    CarriedState shownFrom_;
    // What the pages drawn on screen so far leave for the next: the one value that
    // outlives a page's drawing.
    CarriedState carried_;
    std::array<QString, 101> probIds_;
    long probCount_ = 0;
    long curProb_ = 0;
    bool clickBusy_ = false;
    QStringList items_;
    int listIndex_ = -1;
};
