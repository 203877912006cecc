#include "shell/window/commands.h"

#include <QCoreApplication>
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
         .help = QT_TRANSLATE_NOOP("Commands", "previous problem")},
        {.kind = FormKey, .name = "nextProblem", .keys = {plain(Qt::Key_Down), plain(Qt::Key_Enter)},
         .help = QT_TRANSLATE_NOOP("Commands", "next problem (never onto the print item)")},
        {.kind = FormKey, .name = "firstProblem", .keys = {plain(Qt::Key_Home)},
         .help = QT_TRANSLATE_NOOP("Commands", "first problem, last problem")},
        {.kind = FormKey, .name = "lastProblem", .keys = {plain(Qt::Key_End)}},
        {.kind = Action, .name = "zoomIn", .keys = {ctrl(Qt::Key_Plus)},
         .help = QT_TRANSLATE_NOOP("Commands", "zoom in, zoom out (50 % to 400 %)"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Zoom in"), .menuGroup = ZoomGroup},
        {.kind = Action, .name = "zoomOut", .keys = {ctrl(Qt::Key_Minus)},
         .menuText = QT_TRANSLATE_NOOP("Commands", "Zoom out"), .menuGroup = ZoomGroup},
        // On many keyboards plus is Shift+=.
        {.kind = Action, .name = "zoomIn", .keys = {ctrl(Qt::Key_Equal)},
         .help = QT_TRANSLATE_NOOP("Commands", "zoom in (where + is Shift+=)")},
        {.kind = Action, .name = "zoomReset", .keys = {ctrl(Qt::Key_0)},
         .help = QT_TRANSLATE_NOOP("Commands", "page fitted to the window (100 %)"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Fit to the window (100 %)"), .menuGroup = ZoomGroup},
        {.kind = Wheel, .name = "wheelZoom", .input = "Ctrl+Wheel",
         .help = QT_TRANSLATE_NOOP("Commands", "zoom in, zoom out")},
        {.kind = Action, .name = "scrollDown", .keys = {plain(Qt::Key_PageDown)},
         .help = QT_TRANSLATE_NOOP("Commands", "scroll the page down, up")},
        {.kind = Action, .name = "scrollUp", .keys = {plain(Qt::Key_PageUp)}},
        {.kind = Action, .name = "scrollRight", .keys = {shift(Qt::Key_PageDown)},
         .help = QT_TRANSLATE_NOOP("Commands", "scroll the page right, left")},
        {.kind = Action, .name = "scrollLeft", .keys = {shift(Qt::Key_PageUp)}},
        {.kind = Action, .name = "studyMode", .keys = {plain(Qt::Key_F2)},
         .help = QT_TRANSLATE_NOOP("Commands", "study mode on or off: the solution a step at a time"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Study mode"), .menuGroup = StudyGroup},
        {.kind = Action, .name = "nextStep", .keys = {plain(Qt::Key_Right), plain(Qt::Key_Space)},
         .help = QT_TRANSLATE_NOOP("Commands", "reveal the next step (study mode)"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Next step"), .menuGroup = StudyGroup},
        // Ctrl+Space is left to the input method, which Japanese desktops switch with it.
        {.kind = Action, .name = "previousStep", .keys = {plain(Qt::Key_Left), shift(Qt::Key_Space)},
         .help = QT_TRANSLATE_NOOP("Commands", "hide the last step (study mode)"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Previous step"), .menuGroup = StudyGroup},
        {.kind = Action, .name = "allSteps", .keys = {ctrl(Qt::Key_Right)},
         .help = QT_TRANSLATE_NOOP("Commands", "reveal every step (study mode)"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Every step"), .menuGroup = StudyGroup},
        {.kind = Action, .name = "markUnderstood", .keys = {ctrl(Qt::Key_D)},
         .help = QT_TRANSLATE_NOOP("Commands", "mark this problem understood, or take it back (study mode)"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Understood"), .menuGroup = StudyGroup},
        {.kind = Action, .name = "copyPage", .keys = {ctrl(Qt::Key_C)},
         .help = QT_TRANSLATE_NOOP("Commands",
                                   "copy the selection (or the page) as text, as MathML and LaTeX, and as an image"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Copy"), .menuGroup = PageGroup},
        {.kind = Action, .name = "copyText", .menuText = QT_TRANSLATE_NOOP("Commands", "Copy as text"),
         .menuGroup = FormulaGroup, .onFormula = true},
        {.kind = Action, .name = "copyLatex", .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
         .help = QT_TRANSLATE_NOOP("Commands", "copy the selection (or the page) as LaTeX, in plain text"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Copy as LaTeX"), .menuGroup = PageGroup, .onFormula = true},
        {.kind = Action, .name = "savePages", .keys = {ctrl(Qt::Key_S)},
         .help = QT_TRANSLATE_NOOP("Commands", "save this page or every page, as PDF or PNG"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Save..."), .menuGroup = PageGroup},
        {.kind = Action, .name = "printPreview", .keys = {ctrl(Qt::Key_P)},
         .help = QT_TRANSLATE_NOOP("Commands", "print with a preview, any printer and page set-up"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Print with a preview..."), .menuGroup = PageGroup},
        {.kind = Action, .name = "find", .keys = {ctrl(Qt::Key_F)},
         .help = QT_TRANSLATE_NOOP("Commands", "find across pages"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Find..."), .menuGroup = FindGroup},
        {.kind = Action, .name = "findNext", .keys = {plain(Qt::Key_F3)},
         .help = QT_TRANSLATE_NOOP("Commands",
                                   "next, previous page holding the term (Enter, Shift+Enter in the find bar)"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Find next"), .menuGroup = FindGroup},
        {.kind = Action, .name = "findPrevious", .keys = {shift(Qt::Key_F3)},
         .menuText = QT_TRANSLATE_NOOP("Commands", "Find previous"), .menuGroup = FindGroup},
        {.kind = FindBarKey, .name = "findBarNext", .keys = {plain(Qt::Key_Enter)}},
        {.kind = FindBarKey, .name = "findBarPrevious", .keys = {shift(Qt::Key_Enter)}},
        // The page's colours; the theme controller makes these four one choice.
        {.kind = Action, .name = "themeLight", .keys = {alt(Qt::Key_1)},
         .help = QT_TRANSLATE_NOOP("Commands", "page colours: light, dark, sepia, as the system"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "Light"), .menuGroup = ThemeGroup},
        {.kind = Action, .name = "themeDark", .keys = {alt(Qt::Key_2)},
         .menuText = QT_TRANSLATE_NOOP("Commands", "Dark"), .menuGroup = ThemeGroup},
        {.kind = Action, .name = "themeSepia", .keys = {alt(Qt::Key_3)},
         .menuText = QT_TRANSLATE_NOOP("Commands", "Sepia"), .menuGroup = ThemeGroup},
        {.kind = Action, .name = "themeSystem", .keys = {alt(Qt::Key_4)},
         .menuText = QT_TRANSLATE_NOOP("Commands", "As the system"), .menuGroup = ThemeGroup},
        {.kind = Action, .name = "help", .keys = {plain(Qt::Key_F1)},
         .help = QT_TRANSLATE_NOOP("Commands", "this list of keys"),
         .menuText = QT_TRANSLATE_NOOP("Commands", "List of keys"), .menuGroup = HelpGroup},
        {.kind = FormKey, .name = "closeFindOrQuit", .keys = {plain(Qt::Key_Escape)},
         .help = QT_TRANSLATE_NOOP("Commands", "close the find bar; without it, quit")},
        {.kind = FindBarKey, .name = "findBarClose", .keys = {plain(Qt::Key_Escape)}},
    };
    return table;
}

QString translated(const char* text) { return QCoreApplication::translate("Commands", text); }

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
        if (!command.help && !lines.empty())
            lines.back().keys += u", "_s + keys.join(u", "_s);
        else
            lines.push_back({keys.join(u", "_s), translated(command.help)});
    }
    return lines;
}

QByteArray keyGuideForTerminal()
{
    QByteArray text;
    for (const KeyHelp& line : keyGuide())
        text += "  " + line.keys.toUtf8().leftJustified(36) + line.text.toUtf8() + '\n';
    return text;
}
