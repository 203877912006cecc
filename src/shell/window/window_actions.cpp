#include "shell/window/window_actions.h"

#include <QAction>
#include <QWidget>

WindowActions::WindowActions(QWidget* window, const QList<QWidget*>& withMenu) : QObject(window), window_(window)
{
    // The keys are named rather than taken from the platform's standard ones, which vary
    // (Ctrl+Insert, F16...), so that the key list names every key that works.
    copy = add("copyPage", QStringLiteral("コピー"), {QKeySequence(Qt::CTRL | Qt::Key_C)});
    save = add("savePages", QStringLiteral("保存..."), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    print = add("printPreview", QStringLiteral("プレビューを見て印刷..."), {QKeySequence(Qt::CTRL | Qt::Key_P)});
    separator();
    find = add("find", QStringLiteral("検索..."), {QKeySequence(Qt::CTRL | Qt::Key_F)});
    findNext = add("findNext", QStringLiteral("次を検索"), {QKeySequence(Qt::Key_F3)});
    findPrevious = add("findPrevious", QStringLiteral("前を検索"), {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
    separator();
    // Ctrl+= as well: on many keyboards plus is Shift+=.
    zoomIn = add("zoomIn", QStringLiteral("拡大"), {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOut = add("zoomOut", QStringLiteral("縮小"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    zoomReset = add("zoomReset", QStringLiteral("ウィンドウに合わせる (100 %)"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    separator();
    help = add("help", QStringLiteral("キーの一覧"), {QKeySequence(Qt::Key_F1)});
    for (QWidget* holder : withMenu) {
        holder->addActions(menu_);
        holder->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

QAction* WindowActions::add(const char* name, const QString& text, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    window_->addAction(action);
    menu_.append(action);
    return action;
}

void WindowActions::separator()
{
    auto* line = new QAction(this);
    line->setSeparator(true);
    menu_.append(line);
}
