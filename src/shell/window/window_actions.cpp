#include "shell/window/window_actions.h"

#include "shell/window/commands.h"

#include <QAction>
#include <QWidget>
#include <algorithm>

WindowActions::WindowActions(QWidget* window, const QList<QWidget*>& withMenu) : QObject(window), window_(window)
{
    addEveryAction();
    copy = named("copyPage");
    copyLatex = named("copyLatex");
    copyText = named("copyText");
    save = named("savePages");
    print = named("printPreview");
    find = named("find");
    findNext = named("findNext");
    findPrevious = named("findPrevious");
    zoomIn = named("zoomIn");
    zoomOut = named("zoomOut");
    zoomReset = named("zoomReset");
    help = named("help");
    scrollDown = named("scrollDown");
    scrollUp = named("scrollUp");
    scrollRight = named("scrollRight");
    scrollLeft = named("scrollLeft");
    studyMode = named("studyMode");
    nextStep = named("nextStep");
    previousStep = named("previousStep");
    allSteps = named("allSteps");
    markUnderstood = named("markUnderstood");
    const QList<QAction*> entries = menu();
    for (QWidget* holder : withMenu) {
        holder->addActions(entries);
        holder->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void WindowActions::addEveryAction()
{
    for (const Command& command : commands()) {
        if (command.kind != CommandKind::Action) continue;
        // An action whose keys the table explains on several lines has them all.
        if (QAction* known = named(command.name)) {
            known->setShortcuts(known->shortcuts() + command.keys);
            continue;
        }
        auto* action = new QAction(command.menuText ? translated(command.menuText) : QString(), this);
        action->setObjectName(QLatin1String(command.name));
        action->setShortcuts(command.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setShortcutVisibleInContextMenu(true);
        window_->addAction(action);
        actions_.append(action);
    }
}

QList<QAction*> WindowActions::formulaCopies() const
{
    QList<QAction*> entries;
    for (const Command& command : commands())
        if (command.onFormula) entries.append(named(command.name));
    return entries;
}

QList<QAction*> WindowActions::menu()
{
    std::vector<const Command*> offered;
    for (const Command& command : commands())
        if (command.kind == CommandKind::Action && command.menuText && command.menuGroup != FormulaGroup)
            offered.push_back(&command);
    // Stable: within a group the table's order.
    std::stable_sort(offered.begin(), offered.end(),
                     [](const Command* a, const Command* b) { return a->menuGroup < b->menuGroup; });
    QList<QAction*> entries;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (i > 0 && offered[i]->menuGroup != offered[i - 1]->menuGroup) {
            auto* line = new QAction(this);
            line->setSeparator(true);
            entries.append(line);
        }
        entries.append(named(offered[i]->name));
    }
    return entries;
}

QAction* WindowActions::named(const char* name) const
{
    for (QAction* action : actions_)
        if (action->objectName() == QLatin1String(name)) return action;
    return nullptr;
}
