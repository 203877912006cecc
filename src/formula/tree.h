#pragma once
// The parsed formula, shared by the parser and the printers of each reading.
#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace formula {

// The MathML element a symbol becomes.
enum class Element { Identifier, Number, Operator, Text };

// What a symbol is to its neighbours: it decides spacing, and whether a sign is binary.
enum class Role { Ordinary, Binary, Relation, Open, Close, Punct, LargeOp, Function };

struct Symbol {
    QString text;  // as MathML shows it (KaTeX's character: − for -, ∣ for |)
    Element element = Element::Identifier;
    Role role = Role::Ordinary;
    bool upright = false;  // an identifier set upright (Γ, ∂, d in \mathrm)
    bool limits = false;   // scripts go under and over in display (∑, lim)
};

enum class Kind {
    Row,       // children in sequence: the formula, a {…} group, a script, an argument
    Leaf,      // one symbol, a number or a piece of text
    Space,     // \, \; \quad …: em is its width
    Fraction,  // children: numerator, denominator
    Binom,     // children: top, bottom
    Root,      // children: radicand
    Accent,    // symbol: the accent; children: the accented
    Scripts,   // children: base, subscript, superscript (an empty row when absent); primes
    Fenced,    // \left…\right: open, close (empty for "."); children: body
    Matrix,    // open, close; children: rows, each a row of cells
};

struct Node {
    Node() = default;
    explicit Node(Kind k) : kind(k) {}

    Kind kind = Kind::Row;
    Symbol symbol;
    double em = 0;
    int primes = 0;
    QString open, close;
    std::vector<Node> children;
};

// The tree of LaTeX in the subset, or nothing and why not.
std::optional<Node> parse(const QString& latex, QString* error);

// The symbol a command without arguments stands for (\alpha, \leq, \sum, \sin, \{ …).
std::optional<Symbol> commandSymbol(const QString& name);

// The symbol a character of the source stands for in math; nothing for letters, digits,
// the source's own syntax and characters that are text (kana, kanji, full-width forms).
std::optional<Symbol> characterSymbol(char32_t c);

}  // namespace formula
