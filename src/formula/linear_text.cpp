// The linear reading: a formula as people type mathematics in plain text.
#include "formula/formula.h"
#include "formula/tree.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace formula {
namespace {

QString print(const Node& node, bool inScript);

// The characters a script made of these alone is written in: x², Pₙ₋₁.
const QHash<QChar, QChar>& superscripts()
{
    static const QHash<QChar, QChar> table = {
        {u'0', u'⁰'}, {u'1', u'¹'}, {u'2', u'²'}, {u'3', u'³'}, {u'4', u'⁴'}, {u'5', u'⁵'}, {u'6', u'⁶'},
        {u'7', u'⁷'}, {u'8', u'⁸'}, {u'9', u'⁹'}, {u'+', u'⁺'}, {u'−', u'⁻'}, {u'=', u'⁼'}, {u'(', u'⁽'},
        {u')', u'⁾'}, {u'n', u'ⁿ'},
    };
    return table;
}

const QHash<QChar, QChar>& subscripts()
{
    static const QHash<QChar, QChar> table = {
        {u'0', u'₀'}, {u'1', u'₁'}, {u'2', u'₂'}, {u'3', u'₃'}, {u'4', u'₄'}, {u'5', u'₅'}, {u'6', u'₆'},
        {u'7', u'₇'}, {u'8', u'₈'}, {u'9', u'₉'}, {u'+', u'₊'}, {u'−', u'₋'}, {u'=', u'₌'}, {u'(', u'₍'},
        {u')', u'₎'}, {u'n', u'ₙ'},
    };
    return table;
}

bool present(const Node& script) { return !script.children.empty(); }

QString scriptReading(const Node& script) { return print(script, true).simplified(); }

bool fitsScriptCharacters(const QString& text, const QHash<QChar, QChar>& table)
{
    return std::all_of(text.begin(), text.end(), [&](QChar c) { return table.contains(c); });
}

// ^x for one character, ^(…) for more.
QString marked(QChar mark, const QString& text)
{
    return text.toUcs4().size() == 1 ? mark + text : mark + u'(' + text + u')';
}

QString scriptText(QChar mark, const QString& text, const QHash<QChar, QChar>& table)
{
    if (!fitsScriptCharacters(text, table)) return marked(mark, text);
    QString out;
    for (QChar c : text) out += table.value(c);
    return out;
}

// What an item is to its neighbours; a scripted item is what its base is.
Role roleOf(const Node& node)
{
    if (node.kind == Kind::Leaf) return node.symbol.role;
    if (node.kind == Kind::Scripts) {
        const Role base = roleOf(node.children[0]);
        if (base != Role::Binary && base != Role::Relation && base != Role::Punct) return base;
    }
    return Role::Ordinary;
}

bool takesLimits(const Node& scripts) { return roleOf(scripts.children[0]) == Role::LargeOp; }

// Whether a scripted item is written with ^ or _ (u_f, e^(ikx), ∑_(n=0)^∞), which wants a
// space before what follows.
bool hasMarkedScript(const Node& node)
{
    if (node.kind != Kind::Scripts) return false;
    if (takesLimits(node)) return present(node.children[1]) || present(node.children[2]);
    return (present(node.children[1]) && !fitsScriptCharacters(scriptReading(node.children[1]), subscripts()))
        || (present(node.children[2]) && !fitsScriptCharacters(scriptReading(node.children[2]), superscripts()));
}

// The items of a row, groups opened up and spaces left out.
void flatten(const Node& node, std::vector<const Node*>& out)
{
    if (node.kind == Kind::Row) {
        for (const Node& child : node.children) flatten(child, out);
    } else if (node.kind != Kind::Space) {
        out.push_back(&node);
    }
}

// The kind of atom an item is, for deciding what a fraction part or a radicand needs.
enum class Atom { Number, Letter, Differential, Name, Group, Bracket, Open, Close, Other };

Atom atomOf(const Node& node)
{
    switch (node.kind) {
    case Kind::Scripts: case Kind::Accent: return atomOf(node.children[0]);
    case Kind::Fenced: return Atom::Bracket;
    case Kind::Matrix: case Kind::Root: case Kind::Binom: return Atom::Group;
    case Kind::Leaf: break;
    default: return Atom::Other;
    }
    const Symbol& s = node.symbol;
    if (s.element == Element::Number) return Atom::Number;
    if (s.element == Element::Text) return Atom::Letter;
    if (s.role == Role::Function) return Atom::Name;
    if (s.role == Role::Open) return Atom::Open;
    if (s.role == Role::Close) return Atom::Close;
    if (s.element != Element::Identifier || QStringView(u"/.∣").contains(s.text)) return Atom::Other;
    if (s.text == u"∂" || s.text == u"d") return Atom::Differential;
    return Atom::Letter;
}

// The row as atoms: a bracketed (…) or […] run is one.
std::vector<Atom> atomsOf(const Node& node)
{
    std::vector<const Node*> items;
    flatten(node, items);
    std::vector<Atom> atoms;
    for (size_t i = 0; i < items.size(); ++i) {
        Atom atom = atomOf(*items[i]);
        if (atom == Atom::Open) {
            int depth = 0;
            size_t j = i;
            for (; j < items.size(); ++j) {
                const Atom inner = atomOf(*items[j]);
                depth += inner == Atom::Open ? 1 : inner == Atom::Close ? -1 : 0;
                if (depth == 0) break;
            }
            if (j < items.size()) {
                atom = Atom::Bracket;
                i = j;
            }
        }
        atoms.push_back(atom);
    }
    return atoms;
}

bool isSingle(Atom a) { return a == Atom::Number || a == Atom::Letter || a == Atom::Differential || a == Atom::Group || a == Atom::Bracket; }

// ∂x, ∂(x, y, z), d²f, ∂x∂y: ∂ or d, each followed by one atom.
bool isDerivativeForm(const std::vector<Atom>& atoms)
{
    if (atoms.empty() || atoms.size() % 2 != 0) return false;
    for (size_t i = 0; i < atoms.size(); i += 2)
        if (atoms[i] != Atom::Differential || !isSingle(atoms[i + 1])) return false;
    return true;
}

// One number, letter, group or call (Pₙ(x), f(y)), or a derivative form: no parentheses needed.
bool standsAlone(const Node& node)
{
    const std::vector<Atom> atoms = atomsOf(node);
    if (atoms.size() == 1) return isSingle(atoms[0]) || atoms[0] == Atom::Name;
    if (atoms.size() == 2 && atoms[1] == Atom::Bracket)
        return atoms[0] == Atom::Letter || atoms[0] == Atom::Differential || atoms[0] == Atom::Name;
    return isDerivativeForm(atoms);
}

QString parenthesized(const QString& text) { return u'(' + text + u')'; }

QString fractionPart(const Node& part, bool inScript)
{
    const QString text = print(part, inScript).trimmed();
    return standsAlone(part) ? text : parenthesized(text);
}

// √x and √(…): bare only for a lone number or letter, or what brackets itself already.
QString root(const Node& radicand, bool inScript)
{
    std::vector<const Node*> items;
    flatten(radicand, items);
    const std::vector<Atom> atoms = atomsOf(radicand);
    const bool lone = items.size() == 1 && items[0]->kind == Kind::Leaf
        && (atoms[0] == Atom::Number || atoms[0] == Atom::Letter);
    const bool bracketed = atoms.size() == 1 && (atoms[0] == Atom::Bracket || atoms[0] == Atom::Group);
    const QString text = print(radicand, inScript).trimmed();
    return u'√' + (lone || bracketed ? text : parenthesized(text));
}

// S̃ with the combining tilde over one character; tilde(…) over more.
QString accented(const Node& base, bool inScript)
{
    const QString text = print(base, inScript).trimmed();
    return text.size() == 1 ? text + QChar(0x0303) : u"tilde("_s + text + u')';
}

QString scripts(const Node& node, bool inScript)
{
    const Node& base = node.children[0];
    QString out = print(base, inScript).trimmed();
    const bool grouped = base.kind == Kind::Row || base.kind == Kind::Fraction;
    if (grouped && !out.isEmpty() && !standsAlone(base)) out = parenthesized(out);
    out += QString(node.primes, u'′');
    const bool limits = takesLimits(node);
    if (present(node.children[1])) {
        const QString text = scriptReading(node.children[1]);
        out += limits ? marked(u'_', text) : scriptText(u'_', text, subscripts());
    }
    if (present(node.children[2])) {
        const QString text = scriptReading(node.children[2]);
        out += limits ? marked(u'^', text) : scriptText(u'^', text, superscripts());
    }
    return out;
}

QString delimiter(const QString& mathmlDelimiter) { return mathmlDelimiter == u"∣" ? u"|"_s : mathmlDelimiter; }

QString matrix(const Node& node)
{
    QStringList rows;
    for (const Node& row : node.children) {
        QStringList cells;
        for (const Node& cell : row.children) cells << print(cell, false).trimmed();
        rows << cells.join(u", "_s);
    }
    return delimiter(node.open) + rows.join(u"; "_s) + delimiter(node.close);
}

const Node* neighbour(const std::vector<Node>& items, size_t i, int step)
{
    for (qsizetype j = qsizetype(i) + step; j >= 0 && j < qsizetype(items.size()); j += step)
        if (items[size_t(j)].kind != Kind::Space) return &items[size_t(j)];
    return nullptr;
}

// A sign is binary between two operands, as TeX decides: −x and (−∞ are signs of what follows.
Role roleInRow(const std::vector<Node>& items, size_t i)
{
    const Role role = roleOf(items[i]);
    if (role != Role::Binary) return role;
    const Node* before = neighbour(items, i, -1);
    const Node* after = neighbour(items, i, +1);
    if (!before || !after) return Role::Ordinary;
    const Role b = roleOf(*before), a = roleOf(*after);
    const bool operandBefore = b == Role::Ordinary || b == Role::Close;
    const bool operandAfter = a != Role::Relation && a != Role::Close && a != Role::Punct;
    return operandBefore && operandAfter ? Role::Binary : Role::Ordinary;
}

// Whether side by side items want a space between them to read apart: after a large operator,
// a name, a ^(…) script or a call (Pₙ(x) tⁿ), before a name, and around a fraction.
bool gapBetween(const Node& left, const Node& right)
{
    const Role next = roleOf(right);
    if (next == Role::Close || next == Role::Punct || next == Role::Binary || next == Role::Relation) return false;
    const Role role = roleOf(left);
    if (role == Role::LargeOp || hasMarkedScript(left) || left.kind == Kind::Fraction) return true;
    if (role == Role::Close && next == Role::Ordinary) return true;
    if (role == Role::Function) return next != Role::Open;
    if (next == Role::Function) return role == Role::Ordinary || role == Role::Close;  // r sin θ
    return right.kind == Kind::Fraction && (role == Role::Ordinary || role == Role::Close);
}

QString row(const Node& node, bool inScript)
{
    const std::vector<Node>& items = node.children;
    QString out;
    for (size_t i = 0; i < items.size(); ++i) {
        const Role role = roleInRow(items, i);
        const bool spaced = !inScript && (role == Role::Binary || role == Role::Relation);
        if (spaced) out += u' ';
        out += print(items[i], inScript);
        const Node* next = neighbour(items, i, +1);
        if (spaced || (role == Role::Punct && !inScript) || (next && items[i + 1].kind != Kind::Space && gapBetween(items[i], *next)))
            out += u' ';
    }
    return out;
}

QString print(const Node& node, bool inScript)
{
    switch (node.kind) {
    case Kind::Row: return row(node, inScript);
    case Kind::Leaf: return delimiter(node.symbol.text);
    case Kind::Space: return node.em > 0 ? u" "_s : QString();
    case Kind::Fraction: return fractionPart(node.children[0], inScript) + u'/' + fractionPart(node.children[1], inScript);
    case Kind::Binom:
        return u"binom("_s + print(node.children[0], inScript).trimmed() + u", "_s + print(node.children[1], inScript).trimmed() + u')';
    case Kind::Root: return root(node.children[0], inScript);
    case Kind::Accent: return accented(node.children[0], inScript);
    case Kind::Scripts: return scripts(node, inScript);
    case Kind::Fenced: return delimiter(node.open) + print(node.children[0], inScript).trimmed() + delimiter(node.close);
    case Kind::Matrix: return matrix(node);
    }
    return {};
}

}  // namespace

QString linearText(const QString& latex)
{
    const std::optional<Node> tree = parse(latex, nullptr);
    return tree ? print(*tree, false).simplified() : latex;
}

}  // namespace formula
