#pragma once
// The main window: the problem list on the left, the page on the right. It lays its
// parts out and wires the features together; each feature is a class of its own.
#include "shell/form/math_form.h"
#include "shell/printing/print_job.h"
#include "shell/reading/page_finder.h"
#include "shell/window/page_view.h"
#include "shell/window/window_memory.h"

#include <QPointer>
#include <QWidget>

class FindBar;
class HelpWindow;
class QListWidget;
class QMessageBox;
class QSettings;
class PageArea;
class PageSaver;
class PrintPreview;
class ProblemList;
class StudyController;
class ThemeController;
class TitleNotice;
class WindowActions;
class ZoomController;

class MainWindow : public QWidget {
public:
    // Without a printer source, pages go to the print server's default printer. Without
    // settings, the window remembers nothing between runs.
    explicit MainWindow(PrintJob::PrinterSource printers = {}, QSettings* settings = nullptr);

    MathForm& form() { return form_; }
    QListWidget* list() const;
    PageView* pageView() const { return view_; }
    PageArea* pageArea() const { return area_; }
    FindBar* findBar() const { return findBar_; }
    ZoomController* zoom() const { return zoom_; }
    WindowActions* actions() const { return actions_; }
    StudyController* study() const { return study_; }
    ThemeController* theme() const { return theme_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildList();
    void buildPage();
    void wireFeatures();
    void wireFind();
    void placeOnScreen();
    void layOut();
    // The keys the form answers to, from wherever in the window they are pressed.
    bool handleKey(const QKeyEvent& key);
    // A mouse click on an entry: selects it, or runs the click handler again when it is selected.
    void clickEntry(int row);
    void goToFound(bool back);
    void showHelp();
    void complain(const QString& message);

    MathForm form_;
    WindowMemory memory_;
    PrintJob* printJob_ = nullptr;
    TitleNotice* notice_ = nullptr;
    ProblemList* box_ = nullptr;
    PageView* view_ = nullptr;
    PageArea* area_ = nullptr;
    ZoomController* zoom_ = nullptr;
    FindBar* findBar_ = nullptr;
    PageFinder finder_{form_};
    WindowActions* actions_ = nullptr;
    PageSaver* saver_ = nullptr;
    PrintPreview* preview_ = nullptr;
    HelpWindow* help_ = nullptr;
    StudyController* study_ = nullptr;
    ThemeController* theme_ = nullptr;
    bool selectionFromForm_ = false;
    bool rowChangedByPress_ = false;
    QPointer<QMessageBox> message_;
};
