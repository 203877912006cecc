#include "shell/window/theme_controller.h"

#include "shell/window/page_area.h"
#include "shell/window/page_view.h"
#include "shell/window/study_controller.h"
#include "shell/window/system_colour_scheme.h"
#include "shell/window/window_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QWidget>
#include <array>

using namespace Qt::StringLiterals;

namespace {
// The actions of the command table, in the order of ThemeChoice.
constexpr std::array<const char*, 4> actionNames = {"themeLight", "themeDark", "themeSepia", "themeSystem"};
// How far towards the ink the window's buttons and scroll bar handles stand out of the paper.
constexpr double buttonShade = 0.18;
constexpr double disabledShade = 0.5;

// The window in the page's paper and ink: its background, the list, the find bar's field,
// the scroll bars; a selected entry in the theme's heading blue with the paper's colour.
QPalette themedPalette(PageTheme theme)
{
    const QRgb paper = themePaper(theme), ink = themeText(theme);
    QPalette palette(QColor(mixed(paper, ink, buttonShade)), QColor(paper));
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::ToolTipBase})
        palette.setColor(role, QColor(paper));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        palette.setColor(role, QColor(ink));
    palette.setColor(QPalette::PlaceholderText, QColor(mixed(paper, ink, disabledShade)));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(mixed(paper, ink, disabledShade)));
    palette.setColor(QPalette::Highlight, QColor(themedColour(theme, qRgb(0, 0, 255))));
    palette.setColor(QPalette::HighlightedText, QColor(paper));
    return palette;
}
}  // namespace

ThemeController::ThemeController(QWidget* window, PageView* view, PageArea* area, StudyController* study,
                                 WindowActions* actions, WindowMemory& memory)
    : QObject(window), window_(window), view_(view), area_(area), study_(study), memory_(memory),
      choices_(new QActionGroup(this)), system_(new SystemColourScheme(this)), lightSheet_(window->styleSheet()),
      lightViewport_(area->viewport()->palette())
{
    for (std::size_t i = 0; i < actionNames.size(); ++i) {
        auto* action = actions->findChild<QAction*>(QLatin1String(actionNames[i]));
        action->setCheckable(true);
        choices_->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { choose(ThemeChoice(i)); });
    }
    connect(system_, &SystemColourScheme::changed, this, [this] {
        if (choice_ == ThemeChoice::System) apply();
    });
    for (QWidget* part : window->findChildren<QWidget*>())
        if (!part->isWindow()) fonts_.emplace_back(part, part->font());
    choice_ = memory_.theme();
    apply();
}

void ThemeController::choose(ThemeChoice choice)
{
    choice_ = choice;
    memory_.rememberTheme(choice);
    apply();
}

PageTheme ThemeController::shown() const
{
    switch (choice_) {
    case ThemeChoice::Light: return PageTheme::Light;
    case ThemeChoice::Dark: return PageTheme::Dark;
    case ThemeChoice::Sepia: return PageTheme::Sepia;
    case ThemeChoice::System: break;
    }
    // The desktop offers dark or light; with no preference, or no portal, the page as designed.
    return system_->scheme() == SystemColourScheme::PreferDark ? PageTheme::Dark : PageTheme::Light;
}

void ThemeController::apply()
{
    choices_->actions().at(int(choice_))->setChecked(true);
    if (choice_ == ThemeChoice::System) system_->follow();
    const PageTheme theme = shown();
    if (theme == view_->theme()) return;
    view_->setTheme(theme);
    study_->setTheme(theme);
    paintWindow(theme);
}

// The window's and the list's backgrounds are set by its style sheet, which a palette does
// not change. Setting a sheet polishes the widgets again, which then keep the palette they had
// unless given one each; and a palette given after the sheet hides the sheet's colours.
void ThemeController::paintWindow(PageTheme theme)
{
    if (theme == PageTheme::Light) {
        // None has a palette of its own but the room around the page: the desktop's, as
        // before any theme was chosen; then the sheet the window was made with.
        paletteEverywhere(QPalette());
        area_->viewport()->setPalette(lightViewport_);
        window_->setStyleSheet(lightSheet_);
    } else {
        window_->setStyleSheet(u"QWidget#Math { background: %1; } QListWidget#Box { background: %1; color: %2; }"_s
                                   .arg(QColor(themePaper(theme)).name(), QColor(themeText(theme)).name()));
        paletteEverywhere(themedPalette(theme));
    }
    // Polished again by a new sheet, the window's parts fall back to the desktop's font and no
    // longer take the window's: each is given back the one it was made with.
    for (const auto& [part, font] : fonts_)
        if (part) part->setFont(font);
}

void ThemeController::paletteEverywhere(const QPalette& palette)
{
    window_->setPalette(palette);
    for (QWidget* part : window_->findChildren<QWidget*>())
        if (!part->isWindow()) part->setPalette(palette);
}
