#pragma once
// The page's colours as the reader chose them from the menu or by key: Light (the page
// and the window as they always were), Dark, Sepia, or as the desktop's colour scheme says,
// followed while it changes. In Dark and Sepia the window around the page takes the page's
// paper and ink too. The choice is remembered; printing, Save and the exports never see it.
#include "canvas/page_theme.h"
#include "shell/window/window_memory.h"

#include <QObject>
#include <QFont>
#include <QPalette>
#include <QPointer>
#include <vector>

class PageArea;
class PageView;
class QAction;
class QActionGroup;
class QWidget;
class StudyController;
class SystemColourScheme;
class WindowActions;

class ThemeController : public QObject {
public:
    ThemeController(QWidget* window, PageView* view, PageArea* area, StudyController* study, WindowActions* actions,
                    WindowMemory& memory);

    void choose(ThemeChoice choice);
    ThemeChoice choice() const { return choice_; }
    // The theme the page shows now: the choice, or what the desktop prefers.
    PageTheme shown() const;

private:
    void apply();
    void paintWindow(PageTheme theme);
    void paletteEverywhere(const QPalette& palette);

    QWidget* window_;
    PageView* view_;
    PageArea* area_;
    StudyController* study_;
    WindowMemory& memory_;
    QActionGroup* choices_;
    SystemColourScheme* system_;
    ThemeChoice choice_ = ThemeChoice::Light;
    // The window as it was made, for Light.
    QString lightSheet_;
    QPalette lightViewport_;
    std::vector<std::pair<QPointer<QWidget>, QFont>> fonts_;  // each part's, as the window made it
};
