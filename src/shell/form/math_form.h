#pragma once
// The main window's state and handlers, apart from any widget: the problem list,
// the current problem, the click guard, the two page surfaces and the dispatcher.
// The window mirrors it; the headless commands and the tests drive it directly.
#include "canvas/surface.h"
#include "pages/pages.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class MathForm {
public:
    static constexpr int pageWidth = 682;
    static constexpr int pageHeight = 722;
    static constexpr int printWidth = 745;
    static const QStringList& problemIds();
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
    void pic_g();

    // Draws the page of any id of the dispatch table, on screen or in the print view,
    // as a click on its entry (or the print item) would.
    void showPage(const QString& id, bool printView);

    int listIndex() const { return listIndex_; }
    const QStringList& listItems() const { return items_; }
    long curProb() const { return curProb_; }
    // The id of the page last drawn on screen (the one the print item prints).
    QString currentId() const;

    Surface pic{pageWidth, pageHeight};
    Surface pic2{printWidth, pageHeight};
    VbColor backColor = 0x8000000F;
    VbColor boxBackColor = 0xFFFFFF;
    VbColor frm2BackColor = 0x8000000F;
    PageContext page;

    // Called with the print view's surface when the print item has drawn it.
    std::function<void(const Surface&)> onPrint;
    // Called after the selection moved (the window follows it).
    std::function<void(int)> onSelect;

private:
    void loadPrintView();
    void printBranch();
    void drawPage(const QString& id, const QString& entry);

    std::array<QString, 101> probIds_;
    long probCount_ = 0;
    long curProb_ = 0;
    bool clickBusy_ = false;
    QStringList items_;
    int listIndex_ = -1;
};
