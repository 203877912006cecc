#include "shell/window/commands.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using enum CommandKind;

QKeySequence plain(Qt::Key key) { return QKeySequence(key); }
QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }
QKeySequence shift(Qt::Key key) { return QKeySequence(Qt::SHIFT | key); }
QKeySequence alt(Qt::Key key) { return QKeySequence(Qt::ALT | key); }

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
         .japanese = u"前の問題"_s, .english = "previous problem"},
        {.kind = FormKey, .name = "nextProblem", .keys = {plain(Qt::Key_Down), plain(Qt::Key_Enter)},
         .japanese = u"次の問題（印刷の項目には進みません）"_s, .english = "next problem (never onto the print item)"},
        {.kind = FormKey, .name = "firstProblem", .keys = {plain(Qt::Key_Home)},
         .japanese = u"最初の問題、最後の問題"_s, .english = "first problem, last problem"},
        {.kind = FormKey, .name = "lastProblem", .keys = {plain(Qt::Key_End)}},
        {.kind = Action, .name = "zoomIn", .keys = {ctrl(Qt::Key_Plus)},
         .japanese = u"拡大、縮小（50 % から 400 %）"_s, .english = "zoom in, zoom out (50 % to 400 %)",
         .menuText = u"拡大"_s, .menuGroup = ZoomGroup},
        {.kind = Action, .name = "zoomOut", .keys = {ctrl(Qt::Key_Minus)}, .menuText = u"縮小"_s,
         .menuGroup = ZoomGroup},
        // On many keyboards plus is Shift+=.
        {.kind = Action, .name = "zoomIn", .keys = {ctrl(Qt::Key_Equal)},
         .japanese = u"拡大（+ が Shift+= のキーボードで）"_s, .english = "zoom in (where + is Shift+=)"},
        {.kind = Action, .name = "zoomReset", .keys = {ctrl(Qt::Key_0)},
         .japanese = u"ウィンドウに合わせた大きさ（100 %）"_s, .english = "page fitted to the window (100 %)",
         .menuText = u"ウィンドウに合わせる (100 %)"_s, .menuGroup = ZoomGroup},
        {.kind = Wheel, .name = "wheelZoom", .input = "Ctrl+Wheel", .japanese = u"拡大、縮小"_s,
         .english = "zoom in, zoom out"},
        {.kind = Action, .name = "scrollDown", .keys = {plain(Qt::Key_PageDown)},
         .japanese = u"ページを下、上へスクロール"_s, .english = "scroll the page down, up"},
        {.kind = Action, .name = "scrollUp", .keys = {plain(Qt::Key_PageUp)}},
        {.kind = Action, .name = "scrollRight", .keys = {shift(Qt::Key_PageDown)},
         .japanese = u"ページを右、左へスクロール"_s, .english = "scroll the page right, left"},
        {.kind = Action, .name = "scrollLeft", .keys = {shift(Qt::Key_PageUp)}},
        {.kind = Action, .name = "studyMode", .keys = {plain(Qt::Key_F2)},
         .japanese = u"学習モード（解答を１ステップずつ表示）の切り替え"_s,
         .english = "study mode on or off: the solution a step at a time", .menuText = u"学習モード"_s,
         .menuGroup = StudyGroup},
        {.kind = Action, .name = "nextStep", .keys = {plain(Qt::Key_Right), plain(Qt::Key_Space)},
         .japanese = u"次のステップを表示（学習モード）"_s, .english = "reveal the next step (study mode)",
         .menuText = u"次のステップ"_s, .menuGroup = StudyGroup},
        // Ctrl+Space is left to the input method, which Japanese desktops switch with it.
        {.kind = Action, .name = "previousStep", .keys = {plain(Qt::Key_Left), shift(Qt::Key_Space)},
         .japanese = u"最後のステップを隠す（学習モード）"_s, .english = "hide the last step (study mode)",
         .menuText = u"前のステップ"_s, .menuGroup = StudyGroup},
        {.kind = Action, .name = "allSteps", .keys = {ctrl(Qt::Key_Right)},
         .japanese = u"すべてのステップを表示（学習モード）"_s, .english = "reveal every step (study mode)",
         .menuText = u"すべてのステップ"_s, .menuGroup = StudyGroup},
        {.kind = Action, .name = "markUnderstood", .keys = {ctrl(Qt::Key_D)},
         .japanese = u"この問題に「理解した」の印をつける、外す（学習モード）"_s,
         .english = "mark this problem understood, or take it back (study mode)",
         .menuText = u"理解した"_s, .menuGroup = StudyGroup},
        {.kind = Action, .name = "copyPage", .keys = {ctrl(Qt::Key_C)},
         .japanese = u"選択した部分（なければページ）を文字、数式（MathML、LaTeX）、画像でコピー"_s,
         .english = "copy the selection (or the page) as text, as MathML and LaTeX, and as an image",
         .menuText = u"コピー"_s, .menuGroup = PageGroup},
        {.kind = Action, .name = "copyText", .menuText = u"テキストとしてコピー"_s, .menuGroup = FormulaGroup,
         .onFormula = true},
        {.kind = Action, .name = "copyLatex", .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
         .japanese = u"選択した部分（なければページ）を LaTeX の文字でコピー"_s,
         .english = "copy the selection (or the page) as LaTeX, in plain text",
         .menuText = u"LaTeX としてコピー"_s, .menuGroup = PageGroup, .onFormula = true},
        {.kind = Action, .name = "savePages", .keys = {ctrl(Qt::Key_S)},
         .japanese = u"このページ、または全ページを PDF か PNG で保存"_s,
         .english = "save this page or every page, as PDF or PNG", .menuText = u"保存..."_s,
         .menuGroup = PageGroup},
        {.kind = Action, .name = "printPreview", .keys = {ctrl(Qt::Key_P)},
         .japanese = u"プレビューを見て印刷（プリンターと用紙を選べます）"_s,
         .english = "print with a preview, any printer and page set-up",
         .menuText = u"プレビューを見て印刷..."_s, .menuGroup = PageGroup},
        {.kind = Action, .name = "find", .keys = {ctrl(Qt::Key_F)}, .japanese = u"全ページから検索"_s,
         .english = "find across pages", .menuText = u"検索..."_s, .menuGroup = FindGroup},
        {.kind = Action, .name = "findNext", .keys = {plain(Qt::Key_F3)},
         .japanese = u"検索語のある次のページ、前のページ（検索欄では Enter、Shift+Enter も）"_s,
         .english = "next, previous page holding the term (Enter, Shift+Enter in the find bar)",
         .menuText = u"次を検索"_s, .menuGroup = FindGroup},
        {.kind = Action, .name = "findPrevious", .keys = {shift(Qt::Key_F3)}, .menuText = u"前を検索"_s,
         .menuGroup = FindGroup},
        {.kind = FindBarKey, .name = "findBarNext", .keys = {plain(Qt::Key_Enter)}},
        {.kind = FindBarKey, .name = "findBarPrevious", .keys = {shift(Qt::Key_Enter)}},
        // The page's colours; the theme controller makes these four one choice.
        {.kind = Action, .name = "themeLight", .keys = {alt(Qt::Key_1)},
         .japanese = u"ページの配色：ライト、ダーク、セピア、システムの設定に合わせる"_s,
         .english = "page colours: light, dark, sepia, as the system", .menuText = u"ライト"_s,
         .menuGroup = ThemeGroup},
        {.kind = Action, .name = "themeDark", .keys = {alt(Qt::Key_2)}, .menuText = u"ダーク"_s, .menuGroup = ThemeGroup},
        {.kind = Action, .name = "themeSepia", .keys = {alt(Qt::Key_3)}, .menuText = u"セピア"_s, .menuGroup = ThemeGroup},
        {.kind = Action, .name = "themeSystem", .keys = {alt(Qt::Key_4)}, .menuText = u"システムの設定に合わせる"_s,
         .menuGroup = ThemeGroup},
        {.kind = Action, .name = "help", .keys = {plain(Qt::Key_F1)}, .japanese = u"このキーの一覧"_s,
         .english = "this list of keys", .menuText = u"キーの一覧"_s, .menuGroup = HelpGroup},
        {.kind = FormKey, .name = "closeFindOrQuit", .keys = {plain(Qt::Key_Escape)},
         .japanese = u"検索欄を閉じる。検索欄がなければ終了"_s, .english = "close the find bar; without it, quit"},
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
        // The find bar's keys work only there: the line they follow says so in words. A
        // command that only a menu offers has no key to list.
        if (command.kind == FindBarKey || (command.keys.isEmpty() && !command.input)) continue;
        QStringList keys;
        for (const QKeySequence& key : command.keys) keys << listed(key);
        if (command.input) keys << QLatin1String(command.input);
        if (command.japanese.isEmpty() && !lines.empty())
            lines.back().keys += u", "_s + keys.join(u", "_s);
        else
            lines.push_back({keys.join(u", "_s), command.japanese, QLatin1String(command.english)});
    }
    return lines;
}

QByteArray keyGuideForTerminal()
{
    QByteArray text;
    for (const KeyHelp& line : keyGuide()) text += "  " + line.keys.toUtf8().leftJustified(36) + line.english.toUtf8() + '\n';
    return text;
}
