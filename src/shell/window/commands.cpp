#include "shell/window/commands.h"

#include <algorithm>

namespace {

using enum CommandKind;

// The context menu's groups.
enum MenuGroup { PageGroup, FindGroup, ZoomGroup, HelpGroup };

QKeySequence plain(Qt::Key key) { return QKeySequence(key); }
QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }
QKeySequence shift(Qt::Key key) { return QKeySequence(Qt::SHIFT | key); }

// The main keyboard's Return is the Enter that the keypad and the key list name.
int asListed(int qtKey) { return qtKey == Qt::Key_Return ? int(Qt::Key_Enter) : qtKey; }

int modifierCount(Qt::KeyboardModifiers modifiers)
{
    int count = 0;
    for (Qt::KeyboardModifier one : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier})
        if (modifiers & one) ++count;
    return count;
}

QString listed(const QKeySequence& key) { return key.toString(QKeySequence::PortableText); }

}  // namespace

const std::vector<Command>& commands()
{
    // In the order of the key list. The keys are named rather than taken from the
    // platform's standard ones, which vary (Ctrl+Insert, F16...), so that the key list
    // names every key that works.
    static const std::vector<Command> table = {
        {.kind = FormKey, .name = "previousProblem", .keys = {plain(Qt::Key_Up), plain(Qt::Key_Backspace)},
         .japanese = QStringLiteral("前の問題"), .english = "previous problem"},
        {.kind = FormKey, .name = "nextProblem", .keys = {plain(Qt::Key_Down), plain(Qt::Key_Enter)},
         .japanese = QStringLiteral("次の問題（印刷の項目には進みません）"), .english = "next problem (never onto the print item)"},
        {.kind = FormKey, .name = "firstProblem", .keys = {plain(Qt::Key_Home)},
         .japanese = QStringLiteral("最初の問題、最後の問題"), .english = "first problem, last problem"},
        {.kind = FormKey, .name = "lastProblem", .keys = {plain(Qt::Key_End)}},
        {.kind = Action, .name = "zoomIn", .keys = {ctrl(Qt::Key_Plus)},
         .japanese = QStringLiteral("拡大、縮小（50 % から 400 %）"), .english = "zoom in, zoom out (50 % to 400 %)",
         .menuText = QStringLiteral("拡大"), .menuGroup = ZoomGroup},
        {.kind = Action, .name = "zoomOut", .keys = {ctrl(Qt::Key_Minus)}, .menuText = QStringLiteral("縮小"),
         .menuGroup = ZoomGroup},
        // On many keyboards plus is Shift+=.
        {.kind = Action, .name = "zoomIn", .keys = {ctrl(Qt::Key_Equal)},
         .japanese = QStringLiteral("拡大（+ が Shift+= のキーボードで）"), .english = "zoom in (where + is Shift+=)"},
        {.kind = Action, .name = "zoomReset", .keys = {ctrl(Qt::Key_0)},
         .japanese = QStringLiteral("ウィンドウに合わせた大きさ（100 %）"), .english = "page fitted to the window (100 %)",
         .menuText = QStringLiteral("ウィンドウに合わせる (100 %)"), .menuGroup = ZoomGroup},
        {.kind = Wheel, .name = "wheelZoom", .input = "Ctrl+Wheel", .japanese = QStringLiteral("拡大、縮小"),
         .english = "zoom in, zoom out"},
        {.kind = Action, .name = "copyPage", .keys = {ctrl(Qt::Key_C)},
         .japanese = QStringLiteral("ページを画像と文字でコピー"), .english = "copy the page, as an image and as text",
         .menuText = QStringLiteral("コピー"), .menuGroup = PageGroup},
        {.kind = Action, .name = "savePages", .keys = {ctrl(Qt::Key_S)},
         .japanese = QStringLiteral("このページ、または全ページを PDF か PNG で保存"),
         .english = "save this page or every page, as PDF or PNG", .menuText = QStringLiteral("保存..."),
         .menuGroup = PageGroup},
        {.kind = Action, .name = "printPreview", .keys = {ctrl(Qt::Key_P)},
         .japanese = QStringLiteral("プレビューを見て印刷（プリンターと用紙を選べます）"),
         .english = "print with a preview, any printer and page set-up",
         .menuText = QStringLiteral("プレビューを見て印刷..."), .menuGroup = PageGroup},
        {.kind = Action, .name = "find", .keys = {ctrl(Qt::Key_F)}, .japanese = QStringLiteral("全ページから検索"),
         .english = "find across pages", .menuText = QStringLiteral("検索..."), .menuGroup = FindGroup},
        {.kind = Action, .name = "findNext", .keys = {plain(Qt::Key_F3)},
         .japanese = QStringLiteral("検索語のある次のページ、前のページ（検索欄では Enter、Shift+Enter も）"),
         .english = "next, previous page holding the term (Enter, Shift+Enter in the find bar)",
         .menuText = QStringLiteral("次を検索"), .menuGroup = FindGroup},
        {.kind = Action, .name = "findPrevious", .keys = {shift(Qt::Key_F3)}, .menuText = QStringLiteral("前を検索"),
         .menuGroup = FindGroup},
        {.kind = FindBarKey, .name = "findBarNext", .keys = {plain(Qt::Key_Enter)}},
        {.kind = FindBarKey, .name = "findBarPrevious", .keys = {shift(Qt::Key_Enter)}},
        {.kind = Action, .name = "help", .keys = {plain(Qt::Key_F1)}, .japanese = QStringLiteral("このキーの一覧"),
         .english = "this list of keys", .menuText = QStringLiteral("キーの一覧"), .menuGroup = HelpGroup},
        {.kind = FormKey, .name = "closeFindOrQuit", .keys = {plain(Qt::Key_Escape)},
         .japanese = QStringLiteral("検索欄を閉じる。検索欄がなければ終了"), .english = "close the find bar; without it, quit"},
        {.kind = FindBarKey, .name = "findBarClose", .keys = {plain(Qt::Key_Escape)}},
    };
    return table;
}

const Command* commandFor(CommandKind kind, int qtKey, Qt::KeyboardModifiers modifiers)
{
    const Command* best = nullptr;
    int bestCount = -1;
    for (const Command& command : commands()) {
        if (command.kind != kind) continue;
        for (const QKeySequence& sequence : command.keys) {
            const QKeyCombination key = sequence[0];
            const bool named = int(key.key()) == asListed(qtKey) && !(key.keyboardModifiers() & ~modifiers);
            if (named && modifierCount(key.keyboardModifiers()) > bestCount) {
                best = &command;
                bestCount = modifierCount(key.keyboardModifiers());
            }
        }
    }
    return best;
}

std::vector<KeyHelp> keyGuide()
{
    std::vector<KeyHelp> lines;
    for (const Command& command : commands()) {
        // The find bar's keys work only there: the line they follow says so in words.
        if (command.kind == FindBarKey) continue;
        QStringList keys;
        for (const QKeySequence& key : command.keys) keys << listed(key);
        if (command.input) keys << QLatin1String(command.input);
        if (command.japanese.isEmpty() && !lines.empty())
            lines.back().keys += QStringLiteral(", ") + keys.join(QStringLiteral(", "));
        else
            lines.push_back({keys.join(QStringLiteral(", ")), command.japanese, QLatin1String(command.english)});
    }
    return lines;
}

QByteArray keyGuideForTerminal()
{
    QByteArray text;
    for (const KeyHelp& line : keyGuide()) text += "  " + line.keys.toUtf8().leftJustified(36) + line.english.toUtf8() + '\n';
    return text;
}
