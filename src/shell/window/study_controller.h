#pragma once
// Study mode: the solution revealed a step at a time, each problem's progress kept and
// shown beside its list entry, and the problem last studied opened again at the next
// start. Off, the window is exactly the viewer it always was.
#include "canvas/page_theme.h"
#include "shell/window/window_memory.h"

#include <QObject>
#include <QTimer>

class MathForm;
class PageArea;
class PageView;
class QAbstractItemDelegate;
class QListWidget;
class WindowActions;

class StudyController : public QObject {
public:
    StudyController(MathForm& form, QListWidget* list, PageView* view, PageArea* area, WindowActions* actions,
                    WindowMemory& memory);

    // At start-up, after the first page is drawn: study mode as it was left, and in it
    // the problem last studied, scrolled as it was.
    void resumeStudy();
    void turn(bool wanted);
    bool on() const;
    void toggleUnderstood();
    Progress progress(const QString& id) const { return memory_.progress(id); }
    // Said after the page's heading in its accessible name, and shown on the page area.
    void updateReadouts();
    // The progress marks are drawn to be read on the list in the page's colours.
    void setTheme(PageTheme theme);

private:
    void pageShown();
    void followSteps();
    void advance(const QString& id, Progress reached);
    void decorateList();
    void rememberPlace();

    MathForm& form_;
    QListWidget* list_;
    PageView* view_;
    PageArea* area_;
    WindowActions* actions_;
    WindowMemory& memory_;
    QAbstractItemDelegate* plainEntries_;   // the list's own, as outside study mode
    QAbstractItemDelegate* markedEntries_;  // with the progress mark after the text
    QTimer placeSaver_;
    PageTheme theme_ = PageTheme::Light;
};
