// LaTeX of the subset into a tree, by recursive descent. Anything else is refused with a
// reason; nothing the input holds can make it loop or run off the stack.
#include "formula/formula.h"
#include "formula/tree.h"

using namespace Qt::StringLiterals;

namespace formula {
namespace {

// Far deeper than any formula a page holds, and shallow enough that hostile input cannot
// exhaust the stack.
constexpr int maxDepth = 48;

// Why a row stopped.
enum class End { Input, Brace, Right, Ampersand, NewRow, EndEnvironment };

QString endName(End end)
{
    switch (end) {
    case End::Input: return u"the end of the formula"_s;
    case End::Brace: return u"}"_s;
    case End::Right: return u"\\right"_s;
    case End::Ampersand: return u"&"_s;
    case End::NewRow: return u"\\\\"_s;
    case End::EndEnvironment: return u"\\end"_s;
    }
    return {};
}

Node leaf(const Symbol& symbol)
{
    Node node{Kind::Leaf};
    node.symbol = symbol;
    return node;
}

Node textLeaf(const QString& text) { return leaf({text, Element::Text, Role::Ordinary, false, false}); }

Node space(double em)
{
    Node node{Kind::Space};
    node.em = em;
    return node;
}

// Appends an item; pieces of text side by side become one, as KaTeX joins its mtext.
void append(Node& row, Node item)
{
    const auto isText = [](const Node& n) { return n.kind == Kind::Leaf && n.symbol.element == Element::Text; };
    if (!row.children.empty() && isText(row.children.back()) && isText(item))
        row.children.back().symbol.text += item.symbol.text;
    else
        row.children.push_back(std::move(item));
}

struct Environment {
    QString name, open, close;
};

const Environment environments[] = {
    {u"vmatrix"_s, u"∣"_s, u"∣"_s},
    {u"pmatrix"_s, u"("_s, u")"_s},
    {u"bmatrix"_s, u"["_s, u"]"_s},
};

class Parser {
public:
    explicit Parser(const QString& latex) : src_(latex) {}

    std::optional<Node> parseFormula(QString* error)
    {
        Node row;
        End end = End::Input;
        if (parseRow(row, end) && expectEnd(end, End::Input)) return row;
        if (error) *error = error_;
        return std::nullopt;
    }

private:
    const QString& src_;
    qsizetype pos_ = 0;
    int depth_ = 0;
    bool upright_ = false;  // inside \mathrm
    QString error_;

    bool fail(const QString& why)
    {
        if (error_.isEmpty()) error_ = why + u" (at character "_s + QString::number(pos_) + u')';
        return false;
    }

    bool atEnd() const { return pos_ >= src_.size(); }
    QChar peek(qsizetype ahead = 0) const { return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : QChar(); }

    void skipSpace()
    {
        while (!atEnd() && peek().isSpace()) ++pos_;
    }

    // After a backslash: a run of letters, or one other character.
    QString readCommandName()
    {
        const qsizetype start = pos_;
        while (!atEnd() && isAsciiLetter(peek())) ++pos_;
        if (pos_ == start && !atEnd()) ++pos_;
        return src_.mid(start, pos_ - start);
    }

    static bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

    bool expectEnd(End actual, End wanted)
    {
        if (actual == wanted) return true;
        if (actual == End::Right) return fail(u"\\right without \\left"_s);
        if (actual == End::EndEnvironment) return fail(u"\\end without \\begin"_s);
        if (actual == End::Input) return fail(u"missing "_s + endName(wanted));
        return fail(u"unexpected "_s + endName(actual) + u", expected "_s + endName(wanted));
    }

    // Items up to a closing brace, \right, a cell or row break, \end or the end of input.
    bool parseRow(Node& row, End& end)
    {
        row.kind = Kind::Row;
        for (;;) {
            skipSpace();
            if (atEnd()) { end = End::Input; break; }
            if (peek() == u'}') { ++pos_; end = End::Brace; break; }
            if (peek() == u'&') { ++pos_; end = End::Ampersand; break; }
            if (peek() == u'\\' && peek(1) == u'\\') { pos_ += 2; end = End::NewRow; break; }
            if (endsRowWithCommand(end)) break;
            if (!parseItem(row)) return false;
        }
        return true;
    }

    bool endsRowWithCommand(End& end)
    {
        if (peek() != u'\\') return false;
        const qsizetype start = pos_;
        ++pos_;
        const QString name = readCommandName();
        if (name == u"right") end = End::Right;
        else if (name == u"end") end = End::EndEnvironment;
        else pos_ = start;
        return pos_ != start;
    }

    bool parseItem(Node& row)
    {
        Node item;
        const QChar c = peek();
        const bool scriptOnly = c == u'^' || c == u'_' || c == u'\'';
        if (!scriptOnly && !parseAtom(item)) return false;
        if (!parseScripts(item)) return false;
        append(row, std::move(item));
        return true;
    }

    // Primes, then ^ and _ in either order, each at most once (as TeX allows).
    bool parseScripts(Node& item)
    {
        Node scripts{Kind::Scripts};
        scripts.children.resize(3);
        bool hasSub = false, hasSup = false;
        for (;;) {
            skipSpace();
            const QChar c = peek();
            if (c == u'\'') {
                if (hasSup) return fail(u"double superscript"_s);
                ++pos_;
                ++scripts.primes;
            } else if (c == u'^' || c == u'_') {
                bool& has = c == u'^' ? hasSup : hasSub;
                if (has) return fail(c == u'^' ? u"double superscript"_s : u"double subscript"_s);
                ++pos_;
                if (!parseArgument(scripts.children[c == u'^' ? 2 : 1])) return false;
                has = true;
            } else {
                break;
            }
        }
        if (!hasSub && !hasSup && scripts.primes == 0) return true;
        scripts.children[0] = std::move(item);
        item = std::move(scripts);
        return true;
    }

    // A {…} group, or one token as TeX takes it (one digit of a number).
    bool parseArgument(Node& out)
    {
        skipSpace();
        out = Node{Kind::Row};
        const QChar c = peek();
        if (atEnd() || QStringView(u"}^_&'").contains(c) || (c == u'\\' && peek(1) == u'\\'))
            return fail(u"missing argument"_s);
        if (c == u'{') return parseAtom(out);
        if (isDigit(c)) {
            ++pos_;
            out.children.push_back(leaf({QString(c), Element::Number, Role::Ordinary, false, false}));
            return true;
        }
        Node item;
        if (!parseAtom(item)) return false;
        out.children.push_back(std::move(item));
        return true;
    }

    // Every nesting (group, argument, \left, matrix) passes here, so the depth is counted here.
    bool parseAtom(Node& out)
    {
        if (depth_ >= maxDepth) return fail(u"nested too deeply"_s);
        ++depth_;
        const bool ok = parseAtomAtDepth(out);
        --depth_;
        return ok;
    }

    bool parseAtomAtDepth(Node& out)
    {
        const QChar c = peek();
        if (c == u'{') {
            ++pos_;
            End end = End::Input;
            return parseRow(out, end) && expectEnd(end, End::Brace);
        }
        if (c == u'\\') {
            ++pos_;
            return parseCommand(readCommandName(), out);
        }
        if (c == u'~') {  // a space that does not break
            ++pos_;
            out = textLeaf(u" "_s);
            return true;
        }
        if (isDigit(c) || (c == u'.' && isDigit(peek(1)))) return parseNumber(out);
        if (isAsciiLetter(c)) {
            ++pos_;
            out = leaf({QString(c), Element::Identifier, Role::Ordinary, upright_, false});
            return true;
        }
        return parseCharacter(out);
    }

    // Digits and the points among them are one number, as KaTeX joins them into one mn.
    bool parseNumber(Node& out)
    {
        const qsizetype start = pos_;
        while (!atEnd() && (isDigit(peek()) || peek() == u'.')) ++pos_;
        out = leaf({src_.mid(start, pos_ - start), Element::Number, Role::Ordinary, false, false});
        return true;
    }

    bool parseCharacter(Node& out)
    {
        const QChar c = peek();
        if (QStringView(u"#$%").contains(c)) return fail(u"unexpected "_s + c);
        if (c.unicode() < 0x20 || c.isNonCharacter()) return fail(u"a control character"_s);
        const bool pair = c.isHighSurrogate() && peek(1).isLowSurrogate();
        if (c.isSurrogate() && !pair) return fail(u"a broken surrogate pair"_s);
        const qsizetype length = pair ? 2 : 1;
        const char32_t code = pair ? QChar::surrogateToUcs4(c, peek(1)) : c.unicode();
        const QString text = src_.mid(pos_, length);
        pos_ += length;
        if (const std::optional<Symbol> symbol = characterSymbol(code)) out = leaf(*symbol);
        else out = textLeaf(text);
        return true;
    }

    bool parseCommand(const QString& name, Node& out)
    {
        if (name.isEmpty()) return fail(u"a backslash at the end"_s);
        if (name == u"frac" || name == u"binom") {
            out = Node{name == u"frac" ? Kind::Fraction : Kind::Binom};
            out.children.resize(2);
            return parseArgument(out.children[0]) && parseArgument(out.children[1]);
        }
        if (name == u"sqrt") {
            skipSpace();
            if (peek() == u'[') return fail(u"\\sqrt with an index is outside the subset"_s);
            out = Node{Kind::Root};
            out.children.resize(1);
            return parseArgument(out.children[0]);
        }
        if (name == u"tilde") {
            out = Node{Kind::Accent};
            out.symbol = Symbol{u"~"_s, Element::Operator};
            out.children.resize(1);
            return parseArgument(out.children[0]);
        }
        if (name == u"mathrm") {
            const bool outer = upright_;
            upright_ = true;
            const bool ok = parseArgument(out);
            upright_ = outer;
            return ok;
        }
        if (name == u"text") return parseText(out);
        if (name == u"left") return parseLeftRight(out);
        if (name == u"begin") return parseMatrix(out);
        if (name == u"right") return fail(u"\\right without \\left"_s);
        if (name == u"end") return fail(u"\\end without \\begin"_s);
        if (const std::optional<double> em = spaceWidth(name)) {
            out = space(*em);
            return true;
        }
        if (const std::optional<Symbol> symbol = commandSymbol(name)) {
            out = leaf(*symbol);
            if (upright_ && symbol->element == Element::Identifier) out.symbol.upright = true;
            return true;
        }
        return fail(u"unknown command \\"_s + name);
    }

    // TeX's spaces in em: 3, 4 and 5 mu (a mu is 1/18 em), a quad and two.
    static std::optional<double> spaceWidth(const QString& name)
    {
        if (name == u",") return 3.0 / 18;
        if (name == u":") return 4.0 / 18;
        if (name == u";") return 5.0 / 18;
        if (name == u"!") return -3.0 / 18;
        if (name == u"quad") return 1.0;
        if (name == u"qquad") return 2.0;
        return std::nullopt;
    }

    // \text{…}: any characters, braces nested as TeX nests them, runs of white space one space.
    bool parseText(Node& out)
    {
        skipSpace();
        if (peek() != u'{') return fail(u"\\text without {"_s);
        ++pos_;
        QString text;
        for (int braces = 1;;) {
            if (atEnd()) return fail(u"missing } after \\text"_s);
            const QChar c = peek();
            ++pos_;
            if (c == u'{') ++braces;
            else if (c == u'}' && --braces == 0) break;
            else if (c == u'\\') {
                if (peek() != u'{' && peek() != u'}') return fail(u"a command inside \\text"_s);
                text += peek();
                ++pos_;
            } else if (c.isSpace()) {
                if (!text.endsWith(u' ')) text += u' ';
            } else if (c != u'}') {
                text += c;
            }
        }
        out = text.isEmpty() ? Node{Kind::Row} : textLeaf(text);
        return true;
    }

    // One of ( ) [ ] | . \{ \} after \left or \right; "." is none.
    bool parseDelimiter(QString& out)
    {
        skipSpace();
        const QChar c = peek();
        if (QStringView(u"()[]").contains(c)) out = QString(c);
        else if (c == u'|') out = u"∣"_s;
        else if (c == u'.') out.clear();
        else if (c == u'\\' && (peek(1) == u'{' || peek(1) == u'}')) out = QString(peek(1));
        else return fail(u"a delimiter outside ( ) [ ] | . \\{ \\}"_s);
        pos_ += c == u'\\' ? 2 : 1;
        return true;
    }

    bool parseLeftRight(Node& out)
    {
        out = Node{Kind::Fenced};
        out.children.resize(1);
        End end = End::Input;
        if (!parseDelimiter(out.open) || !parseRow(out.children[0], end)) return false;
        if (end != End::Right) return end == End::Input ? fail(u"\\left without \\right"_s) : expectEnd(end, End::Right);
        return parseDelimiter(out.close);
    }

    bool parseEnvironmentName(QString& name)
    {
        skipSpace();
        if (peek() != u'{') return fail(u"missing environment name"_s);
        const qsizetype close = src_.indexOf(u'}', pos_);
        if (close < 0) return fail(u"missing } after the environment name"_s);
        name = src_.mid(pos_ + 1, close - pos_ - 1).trimmed();
        pos_ = close + 1;
        return true;
    }

    bool parseMatrix(Node& out)
    {
        QString name;
        if (!parseEnvironmentName(name)) return false;
        const auto found = std::find_if(std::begin(environments), std::end(environments),
                                        [&](const Environment& e) { return e.name == name; });
        if (found == std::end(environments)) return fail(u"unknown environment "_s + name);
        out = Node{Kind::Matrix};
        out.open = found->open;
        out.close = found->close;
        Node row;
        for (End end = End::Ampersand; end != End::EndEnvironment;) {
            Node cell;
            if (!parseRow(cell, end)) return false;
            if (end != End::Ampersand && end != End::NewRow && end != End::EndEnvironment)
                return end == End::Input ? fail(u"\\begin{"_s + name + u"} without \\end"_s) : expectEnd(end, End::EndEnvironment);
            row.children.push_back(std::move(cell));
            if (end == End::Ampersand) continue;
            out.children.push_back(std::move(row));
            row = Node{Kind::Row};
        }
        // A row break before \end starts no row, as in TeX.
        const Node& last = out.children.back();
        if (out.children.size() > 1 && last.children.size() == 1 && last.children[0].children.empty())
            out.children.pop_back();
        QString endName;
        if (!parseEnvironmentName(endName)) return false;
        if (endName != name) return fail(u"\\begin{"_s + name + u"} ended by \\end{"_s + endName + u'}');
        return true;
    }
};

}  // namespace

std::optional<Node> parse(const QString& latex, QString* error)
{
    return Parser(latex).parseFormula(error);
}

bool parses(const QString& latex, QString* error)
{
    return parse(latex, error).has_value();
}

}  // namespace formula
