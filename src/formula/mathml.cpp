// The MathML reading, in the shape KaTeX gives: the same elements for the same LaTeX, and the
// same characters in its leaves.
#include "formula/formula.h"
#include "formula/tree.h"

using namespace Qt::StringLiterals;

namespace formula {
namespace {

QString escaped(const QString& text)
{
    QString out = text;
    return out.replace(u'&', u"&amp;"_s).replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s);
}

QString element(const QString& name, const QString& content, const QString& attributes = {})
{
    return u'<' + name + attributes + u'>' + content + u"</"_s + name + u'>';
}

QString fence(const QString& delimiter)
{
    return delimiter.isEmpty() ? QString() : element(u"mo"_s, escaped(delimiter), u" fence=\"true\""_s);
}

// KaTeX writes the thin, medium and thick spaces (and the thin one taken back) as the Unicode
// spaces of those widths in an mtext, and any other width as an mspace.
QString spaceElement(double em)
{
    const std::pair<int, const char16_t*> characters[] = {
        {3, u"\u2009"}, {4, u"\u2005"}, {5, u"\u2005\u200a"}, {-3, u"\u2009\u2063"},
    };
    for (const auto& [mu, text] : characters)
        if (qFuzzyCompare(em, mu / 18.0)) return element(u"mtext"_s, QString::fromUtf16(text));
    return u"<mspace width=\""_s + QString::number(em) + u"em\"/>"_s;
}

class Writer {
public:
    explicit Writer(bool display) : display_(display) {}

    // One element: a row of several items becomes an mrow.
    QString node(const Node& n) const
    {
        switch (n.kind) {
        case Kind::Row:
            return n.children.size() == 1 ? node(n.children[0]) : element(u"mrow"_s, items(n));
        case Kind::Leaf:
            return n.symbol.role == Role::Function ? element(u"mrow"_s, leaf(n.symbol)) : leaf(n.symbol);
        case Kind::Space: return spaceElement(n.em);
        case Kind::Fraction: return element(u"mfrac"_s, node(n.children[0]) + node(n.children[1]));
        case Kind::Binom:
            return element(u"mrow"_s, fence(u"("_s)
                + element(u"mfrac"_s, node(n.children[0]) + node(n.children[1]), u" linethickness=\"0\""_s)
                + fence(u")"_s));
        case Kind::Root: return element(u"msqrt"_s, node(n.children[0]));
        case Kind::Accent:
            return element(u"mover"_s, node(n.children[0]) + leaf(n.symbol), u" accent=\"true\""_s);
        case Kind::Scripts: return scripts(n);
        case Kind::Fenced: return element(u"mrow"_s, fence(n.open) + items(n.children[0]) + fence(n.close));
        case Kind::Matrix: return element(u"mrow"_s, fence(n.open) + table(n) + fence(n.close));
        }
        return {};
    }

    // The items of a row side by side.
    QString items(const Node& row) const
    {
        if (row.kind != Kind::Row) return row.kind == Kind::Leaf ? leaf(row.symbol) : node(row);
        QString out;
        for (const Node& child : row.children) out += child.kind == Kind::Leaf ? leaf(child.symbol) : node(child);
        return out;
    }

private:
    bool display_;

    // An operator name is followed by the invisible function application, as in KaTeX.
    static QString leaf(const Symbol& s)
    {
        switch (s.element) {
        case Element::Number: return element(u"mn"_s, escaped(s.text));
        case Element::Operator: return element(u"mo"_s, escaped(s.text));
        case Element::Text: return element(u"mtext"_s, escaped(s.text).replace(u' ', QChar(0xA0)));
        case Element::Identifier: break;
        }
        const QString mi = element(u"mi"_s, escaped(s.text), s.upright ? u" mathvariant=\"normal\""_s : QString());
        return s.role == Role::Function ? mi + element(u"mo"_s, u"\u2061"_s) : mi;
    }

    static bool hasLimits(const Node& base)
    {
        if (base.kind == Kind::Leaf) return base.symbol.limits;
        return base.kind == Kind::Row && base.children.size() == 1 && hasLimits(base.children[0]);
    }

    QString scripts(const Node& n) const
    {
        const Node& base = n.children[0];
        const bool hasSub = !n.children[1].children.empty();
        const bool hasSup = !n.children[2].children.empty() || n.primes > 0;
        const bool under = display_ && hasLimits(base);
        const QString name = hasSub && hasSup ? (under ? u"munderover"_s : u"msubsup"_s)
                             : hasSub         ? (under ? u"munder"_s : u"msub"_s)
                                              : (under ? u"mover"_s : u"msup"_s);
        QString out = node(base);
        if (hasSub) out += node(n.children[1]);
        if (hasSup) out += superscript(n);
        return element(name, out);
    }

    // Primes stand first in the superscript, as TeX makes x'^2 the superscript ′2.
    QString superscript(const Node& n) const
    {
        const Node& sup = n.children[2];
        if (n.primes == 0) return node(sup);
        const QString primes = element(u"mo"_s, u"′"_s).repeated(n.primes);
        if (n.primes == 1 && sup.children.empty()) return primes;
        return element(u"mrow"_s, primes + items(sup));
    }

    QString table(const Node& n) const
    {
        QString rows;
        for (const Node& row : n.children) {
            QString cells;
            for (const Node& cell : row.children)
                cells += element(u"mtd"_s, element(u"mstyle"_s, node(cell), u" scriptlevel=\"0\" displaystyle=\"false\""_s));
            rows += element(u"mtr"_s, cells);
        }
        return element(u"mtable"_s, rows, u" rowspacing=\"0.16em\" columnspacing=\"1em\""_s);
    }
};

}  // namespace

QString mathml(const QString& latex, bool display)
{
    const std::optional<Node> tree = parse(latex, nullptr);
    if (!tree) return latex;
    const QString semantics = element(u"mrow"_s, Writer(display).items(*tree))
        + element(u"annotation"_s, escaped(latex), u" encoding=\"application/x-tex\""_s);
    return element(u"math"_s, element(u"semantics"_s, semantics),
                   u" xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\""_s + (display ? u"block"_s : u"inline"_s) + u'"');
}

}  // namespace formula
