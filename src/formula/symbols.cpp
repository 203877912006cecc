// What each command and character of the subset stands for. The characters and classes are
// KaTeX's, so that the MathML leaves come out as KaTeX would write them.
#include "formula/tree.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace formula {
namespace {

Symbol identifier(const QString& text, bool upright = false)
{
    return {text, Element::Identifier, Role::Ordinary, upright, false};
}

Symbol op(const QString& text, Role role, bool limits = false)
{
    return {text, Element::Operator, role, false, limits};
}

// Operator names are set upright and call what follows; KaTeX writes the name as one mi.
Symbol function(const QString& name, bool limits)
{
    return {name, Element::Identifier, Role::Function, true, limits};
}

QHash<QString, Symbol> makeCommands()
{
    QHash<QString, Symbol> table;
    // \phi is ϕ and \varphi φ, as Unicode's mathematical convention (and KaTeX) have them.
    const std::pair<QString, QString> lowerGreek[] = {
        {u"alpha"_s, u"α"_s},   {u"beta"_s, u"β"_s},      {u"gamma"_s, u"γ"_s},   {u"delta"_s, u"δ"_s},
        {u"epsilon"_s, u"ϵ"_s}, {u"varepsilon"_s, u"ε"_s}, {u"zeta"_s, u"ζ"_s},    {u"eta"_s, u"η"_s},
        {u"theta"_s, u"θ"_s},   {u"vartheta"_s, u"ϑ"_s},  {u"iota"_s, u"ι"_s},    {u"kappa"_s, u"κ"_s},
        {u"lambda"_s, u"λ"_s},  {u"mu"_s, u"μ"_s},        {u"nu"_s, u"ν"_s},      {u"xi"_s, u"ξ"_s},
        {u"pi"_s, u"π"_s},      {u"varpi"_s, u"ϖ"_s},     {u"rho"_s, u"ρ"_s},     {u"varrho"_s, u"ϱ"_s},
        {u"sigma"_s, u"σ"_s},   {u"varsigma"_s, u"ς"_s},  {u"tau"_s, u"τ"_s},     {u"upsilon"_s, u"υ"_s},
        {u"phi"_s, u"ϕ"_s},     {u"varphi"_s, u"φ"_s},    {u"chi"_s, u"χ"_s},     {u"psi"_s, u"ψ"_s},
        {u"omega"_s, u"ω"_s},
    };
    for (const auto& [name, letter] : lowerGreek) table.insert(name, identifier(letter));
    // Capital Greek letters are upright, as in TeX.
    const std::pair<QString, QString> upperGreek[] = {
        {u"Gamma"_s, u"Γ"_s}, {u"Delta"_s, u"Δ"_s},   {u"Theta"_s, u"Θ"_s}, {u"Lambda"_s, u"Λ"_s},
        {u"Xi"_s, u"Ξ"_s},    {u"Pi"_s, u"Π"_s},      {u"Sigma"_s, u"Σ"_s}, {u"Upsilon"_s, u"Υ"_s},
        {u"Phi"_s, u"Φ"_s},   {u"Psi"_s, u"Ψ"_s},     {u"Omega"_s, u"Ω"_s},
    };
    for (const auto& [name, letter] : upperGreek) table.insert(name, identifier(letter, true));

    table.insert(u"partial"_s, identifier(u"∂"_s, true));
    table.insert(u"infty"_s, identifier(u"∞"_s, true));
    table.insert(u"prime"_s, op(u"′"_s, Role::Ordinary));
    table.insert(u"cdots"_s, op(u"⋯"_s, Role::Ordinary));
    table.insert(u"ldots"_s, op(u"…"_s, Role::Ordinary));
    const std::pair<QString, QString> binaries[] = {
        {u"cdot"_s, u"⋅"_s}, {u"times"_s, u"×"_s}, {u"pm"_s, u"±"_s}, {u"mp"_s, u"∓"_s},
    };
    for (const auto& [name, sign] : binaries) table.insert(name, op(sign, Role::Binary));
    const std::pair<QString, QString> relations[] = {
        {u"equiv"_s, u"≡"_s}, {u"neq"_s, u"≠"_s},    {u"leq"_s, u"≤"_s},        {u"le"_s, u"≤"_s},
        {u"geq"_s, u"≥"_s},   {u"ge"_s, u"≥"_s},     {u"to"_s, u"→"_s},         {u"rightarrow"_s, u"→"_s}, {u"Rightarrow"_s, u"⇒"_s},
        {u"approx"_s, u"≈"_s}, {u"sim"_s, u"∼"_s},   {u"propto"_s, u"∝"_s},
    };
    for (const auto& [name, sign] : relations) table.insert(name, op(sign, Role::Relation));
    table.insert(u"sum"_s, op(u"∑"_s, Role::LargeOp, true));
    table.insert(u"prod"_s, op(u"∏"_s, Role::LargeOp, true));
    table.insert(u"int"_s, op(u"∫"_s, Role::LargeOp, false));
    for (const QString& name : {u"sin"_s, u"cos"_s, u"tan"_s, u"exp"_s, u"log"_s, u"ln"_s})
        table.insert(name, function(name, false));
    for (const QString& name : {u"lim"_s, u"max"_s, u"min"_s}) table.insert(name, function(name, true));
    table.insert(u"{"_s, op(u"{"_s, Role::Open));
    table.insert(u"}"_s, op(u"}"_s, Role::Close));
    return table;
}

const QHash<QString, Symbol>& commands()
{
    static const QHash<QString, Symbol> table = makeCommands();
    return table;
}

// The characters the commands stand for, typed as themselves (α, ≤, ∑), read as the command.
QHash<char32_t, Symbol> makeUnicodeCharacters()
{
    QHash<char32_t, Symbol> table;
    for (const Symbol& symbol : commands()) {
        const QList<uint> codes = symbol.text.toUcs4();
        if (codes.size() == 1 && codes[0] >= 0x80) table.insert(codes[0], symbol);
    }
    table.insert(U'−', op(u"−"_s, Role::Binary));
    return table;
}

std::optional<Symbol> asciiSymbol(char c)
{
    switch (c) {
    case '+': return op(u"+"_s, Role::Binary);
    case '-': return op(u"−"_s, Role::Binary);
    case '*': return op(u"∗"_s, Role::Binary);
    case '=': case '<': case '>': case ':': return op(QString(QChar(c)), Role::Relation);
    case '(': case '[': return op(QString(QChar(c)), Role::Open);
    case ')': case ']': case '!': case '?': return op(QString(QChar(c)), Role::Close);
    case ',': case ';': return op(QString(QChar(c)), Role::Punct);
    case '|': return identifier(u"∣"_s, true);
    case '/': case '.': case '@': case '"': case '`': return identifier(QString(QChar(c)), true);
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<Symbol> commandSymbol(const QString& name)
{
    const auto found = commands().constFind(name);
    if (found == commands().constEnd()) return std::nullopt;
    return *found;
}

std::optional<Symbol> characterSymbol(char32_t c)
{
    if (c < 0x80) return asciiSymbol(char(c));
    static const QHash<char32_t, Symbol> unicode = makeUnicodeCharacters();
    const auto found = unicode.constFind(c);
    if (found == unicode.constEnd()) return std::nullopt;
    return *found;
}

}  // namespace formula
