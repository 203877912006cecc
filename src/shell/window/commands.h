#pragma once
// Every command of the window and the keys it answers to, in one table: the window's
// actions and their shortcuts, the context menus, the key list of F1 and that of --help
// are all made from it, so that none of them can name a key the others do not.
#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

enum class CommandKind {
    Action,      // an action of the window, with its shortcuts, offered in the context menus
    FormKey,     // a key the window hands to the form (MathForm::formKeyDown)
    FindBarKey,  // a key of the find bar's field; F1 names it in the text of the line above
    Wheel,       // no key: Ctrl and the wheel, which the zoom controller reads
};

// The context menu shows its groups in this order, a line between them; the formula
// group is offered only by a right click on a formula.
enum MenuGroup { PageGroup, FindGroup, ZoomGroup, StudyGroup, ThemeGroup, HelpGroup, FormulaGroup };

struct Command {
    CommandKind kind;
    const char* name;                 // the action's object name
    QList<QKeySequence> keys = {};
    const char* input = nullptr;      // an input that is no key, as the key list names it
    // The texts are in English, marked for translation and translated where they are shown.
    const char* help = nullptr;       // its line in F1 and --help; none: its keys join the line above
    const char* menuText = nullptr;   // in the context menu; an action's further lines of keys have none
    int menuGroup = PageGroup;
    bool onFormula = false;           // offered first by a right click on a formula
};

const std::vector<Command>& commands();

// The command of `kind` that a key press stands for: one of its key sequences names the
// key and no modifier that the press lacks; of several, the one that names the most
// (Shift+Enter before Enter). Null when there is none.
const Command* commandFor(CommandKind kind, int qtKey, Qt::KeyboardModifiers modifiers);

// A command's text in the reader's language.
QString translated(const char* text);

// One line of the key list: the keys, and what they do.
struct KeyHelp {
    QString keys;  // as the context menu shows them, e.g. "Ctrl+C"
    QString text;  // in the reader's language
};

// The key list as F1 and --help show it.
std::vector<KeyHelp> keyGuide();

// The key list as --help prints it, one line a key.
QByteArray keyGuideForTerminal();
