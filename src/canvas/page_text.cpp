#include "page_text.h"

#include "fonts.h"
#include "formula/formula.h"
#include "symbol_encoding.h"

#include <QRegularExpression>
#include <algorithm>
#include <set>

namespace {

struct Cell {
    QRectF box;
    std::vector<double> edges;
    double pixelSize = 0;
};

Cell cellOf(const DrawOp& op)
{
    const FontTable& fonts = FontTable::current();
    const double px = pointsToPixels(op.points);
    Cell cell;
    cell.pixelSize = px;
    cell.edges.push_back(op.x);
    for (qsizetype i = 1; i <= op.text.size(); ++i)
        cell.edges.push_back(op.x + fonts.width(op.face, px, op.bold, op.italic, op.text.left(i)));
    const double height = fonts.metrics(op.face, px, op.bold, op.italic).height();
    cell.box = QRectF(QPointF(op.x, op.y), QPointF(cell.edges.back(), op.y + height));
    return cell;
}

QRectF boundsOf(const DrawOp& op)
{
    switch (op.kind) {
    case DrawOp::Text: return cellOf(op).box;
    case DrawOp::Circle: return QRectF(op.x - op.radius, op.y - op.radius, 2 * op.radius, 2 * op.radius);
    case DrawOp::Line:
    case DrawOp::Box: break;
    }
    return QRectF(QPointF(op.x, op.y), QPointF(op.x2, op.y2)).normalized().adjusted(-0.5, -0.5, 0.5, 0.5);
}

PageText::Piece formulaPiece(const std::vector<DrawOp>& ops, const FormulaSpan& span)
{
    PageText::Piece piece;
    piece.firstOp = span.first;
    piece.lastOp = span.last;
    piece.formula = true;
    piece.latex = span.latex;
    piece.text = formula::linearText(span.latex);
    for (int i = span.first; i <= span.last; ++i) piece.box = piece.box.united(boundsOf(ops[size_t(i)]));
    return piece;
}

PageText::Piece prosePiece(const DrawOp& op, int index)
{
    Cell cell = cellOf(op);
    PageText::Piece piece;
    piece.firstOp = piece.lastOp = index;
    piece.text = meaningOf(op);
    piece.box = cell.box;
    piece.edges = std::move(cell.edges);
    return piece;
}

// Whether a piece's drawing begins (or ends) with a space: a formula's reading loses the
// spaces its text drew at its ends.
bool drawnSpaceAt(const std::vector<DrawOp>& ops, const PageText::Piece& piece, bool start)
{
    for (int i = start ? piece.firstOp : piece.lastOp; i >= piece.firstOp && i <= piece.lastOp; i += start ? 1 : -1) {
        const DrawOp& op = ops[size_t(i)];
        if (op.kind == DrawOp::Text && !op.text.isEmpty()) return (start ? op.text.front() : op.text.back()).isSpace();
    }
    return false;
}

// A piece stands apart from the one before it where the page leaves room between them (a
// fifth of the type size, as a word space is about), or where the script goes back to the
// left (a tag drawn before its equation).
void markApart(std::vector<PageText::Piece>& pieces, const std::vector<DrawOp>& ops)
{
    for (size_t i = 1; i < pieces.size(); ++i) {
        const PageText::Piece& previous = pieces[i - 1];
        PageText::Piece& piece = pieces[i];
        const double size = pointsToPixels(ops[size_t(previous.lastOp)].points);
        piece.apart = piece.box.left() - previous.box.right() >= 0.2 * size || piece.box.right() <= previous.box.left() ||
                      drawnSpaceAt(ops, previous, false) || drawnSpaceAt(ops, piece, true);
    }
}

// Adds a part to a text, with a space before it where it stands apart and neither side has one.
void addPart(QString& text, const QString& part, bool apart)
{
    if (part.isEmpty()) return;
    if (apart && !text.isEmpty() && !text.back().isSpace() && !part.front().isSpace()) text += u' ';
    text += part;
}

QString joined(const std::vector<PageText::Piece>& pieces)
{
    QString text;
    for (const PageText::Piece& piece : pieces) addPart(text, piece.text, piece.apart);
    return text.trimmed();
}

bool isRowStart(const std::vector<int>& rows, int op) { return std::binary_search(rows.cbegin(), rows.cend(), op); }

const QRegularExpression& equationTag()
{
    static const QRegularExpression tag(QStringLiteral(R"(^\s*\(\d+\.\d+[a-z]?\)\s*$)"));
    return tag;
}

QString latexEscaped(const QString& prose)
{
    QString out;
    for (QChar c : prose) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\textbackslash{}"); break;
        case '{': case '}': case '$': case '&': case '#': case '_': case '%': out += u'\\' + QString(c); break;
        case '^': out += QStringLiteral("\\^{}"); break;
        case '~': out += QStringLiteral("\\~{}"); break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

QString searchForm(const QString& text)
{
    QString form = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    form.removeIf([](QChar c) { return c.isSpace(); });
    form.replace(u'ϕ', u'φ').replace(u'∑', u'σ').replace(u'−', u'-');
    // The marks of a linear script: u_x is found by "ux" as by "u_x".
    form.removeIf([](QChar c) { return c == u'_' || c == u'^'; });
    return form;
}

bool PageText::Line::displays(const Piece& piece) const
{
    return piece.formula && std::all_of(pieces.cbegin(), pieces.cend(), [&](const Piece& other) {
               return &other == &piece || equationTag().match(other.text).hasMatch() || other.text.trimmed().isEmpty();
           });
}

PageText::PageText(const DisplayList& page)
{
    const std::vector<DrawOp>& ops = page.ops;
    const std::vector<FormulaSpan>& formulas = page.formulas;
    auto span = formulas.cbegin();
    Line line;
    auto endLine = [&] {
        markApart(line.pieces, ops);
        line.text = joined(line.pieces);
        if (!line.text.isEmpty()) lines_.push_back(std::move(line));
        line = Line();
    };
    // A script that puts its pen down a row by hand starts one too: a piece wholly below the
    // one before it begins a line.
    auto add = [&](Piece piece) {
        if (!line.pieces.empty() && piece.box.top() >= line.pieces.back().box.bottom() - 0.5) endLine();
        line.pieces.push_back(std::move(piece));
    };
    for (int i = 0; i < int(ops.size()); ++i) {
        if (isRowStart(page.rowStarts, i)) endLine();
        if (span != formulas.cend() && span->first == i) {
            add(formulaPiece(ops, *span));
            i = span->last;
            ++span;
        } else if (ops[size_t(i)].kind == DrawOp::Text) {
            add(prosePiece(ops[size_t(i)], i));
        }
    }
    endLine();

    for (const Line& l : lines_) {
        text_ += l.text + u'\n';
        Searchable searchable;
        for (int p = 0; p < int(l.pieces.size()); ++p) {
            const Piece& piece = l.pieces[size_t(p)];
            if (piece.formula) {
                const QString unit = searchForm(piece.text);
                searchable.text += unit;
                searchable.origins.insert(searchable.origins.end(), size_t(unit.size()), {p, 0});
                continue;
            }
            const DrawOp& op = ops[size_t(piece.firstOp)];
            for (int c = 0; c < int(op.text.size()); ++c) {
                const QString unit = searchForm(meaningOf(op.face, QString(op.text.at(c))));
                searchable.text += unit;
                searchable.origins.insert(searchable.origins.end(), size_t(unit.size()), {p, c});
            }
        }
        searchable_.push_back(std::move(searchable));
    }
}

std::vector<PageText::PieceRef> PageText::allPieces() const
{
    std::vector<PieceRef> all;
    for (int l = 0; l < int(lines_.size()); ++l)
        for (int p = 0; p < int(lines_[size_t(l)].pieces.size()); ++p) all.push_back({l, p});
    return all;
}

std::optional<PageText::PieceRef> PageText::formulaAt(QPointF point) const
{
    for (const PieceRef& ref : allPieces())
        if (piece(ref).formula && piece(ref).box.contains(point)) return ref;
    return std::nullopt;
}

std::vector<PageText::PieceRef> PageText::piecesIn(const QRectF& area) const
{
    std::vector<PieceRef> crossed;
    for (const PieceRef& ref : allPieces())
        if (piece(ref).box.intersects(area)) crossed.push_back(ref);
    return crossed;
}

template <typename Write>
QString PageText::readingOf(const std::vector<PieceRef>& pieces, Write write) const
{
    QStringList lines;
    std::optional<PieceRef> previous;
    for (const PieceRef& ref : std::set<PieceRef>(pieces.cbegin(), pieces.cend())) {
        if (!previous || ref.line != previous->line) lines.append(QString());
        // Pieces left out between two read ones leave a space.
        const bool next = previous && ref.line == previous->line && ref.piece == previous->piece + 1;
        addPart(lines.back(), write(lines_[size_t(ref.line)], piece(ref)), piece(ref).apart || !next);
        previous = ref;
    }
    for (QString& l : lines) l = l.trimmed();
    return lines.join(u'\n');
}

QString PageText::plainOf(const std::vector<PieceRef>& pieces) const
{
    return readingOf(pieces, [](const Line&, const Piece& p) { return p.text; });
}

QString PageText::latexOf(const std::vector<PieceRef>& pieces) const
{
    return readingOf(pieces, [](const Line& line, const Piece& p) {
        if (!p.formula) return latexEscaped(p.text);
        return line.displays(p) ? QStringLiteral("\\[ %1 \\]").arg(p.latex) : QStringLiteral("$%1$").arg(p.latex);
    });
}

QString PageText::htmlOf(const std::vector<PieceRef>& pieces) const
{
    const QString body = readingOf(pieces, [](const Line& line, const Piece& p) {
        return p.formula ? formula::mathml(p.latex, line.displays(p)) : p.text.toHtmlEscaped();
    });
    QString html;
    for (const QString& line : body.split(u'\n')) html += QStringLiteral("<p>%1</p>\n").arg(line);
    return html;
}

bool PageText::holds(const QString& term) const
{
    const QString wanted = searchForm(term);
    if (wanted.isEmpty()) return false;
    return std::any_of(searchable_.cbegin(), searchable_.cend(),
                       [&](const Searchable& s) { return s.text.contains(wanted); });
}

std::vector<QRectF> PageText::find(const QString& term) const
{
    const QString wanted = searchForm(term);
    std::vector<QRectF> found;
    if (wanted.isEmpty()) return found;
    for (size_t l = 0; l < lines_.size(); ++l) {
        const Searchable& s = searchable_[l];
        for (qsizetype at = s.text.indexOf(wanted); at >= 0; at = s.text.indexOf(wanted, at + wanted.size())) {
            // The matched units, cut where they change pieces.
            for (qsizetype u = at; u < at + wanted.size();) {
                const Searchable::Origin first = s.origins[size_t(u)];
                qsizetype end = u;
                while (end < at + wanted.size() && s.origins[size_t(end)].piece == first.piece) ++end;
                const Piece& piece = lines_[l].pieces[size_t(first.piece)];
                if (piece.formula) {
                    found.push_back(piece.box);
                } else {
                    const int last = s.origins[size_t(end - 1)].character;
                    found.emplace_back(QPointF(piece.edges[size_t(first.character)], piece.box.top()),
                                       QPointF(piece.edges[size_t(last + 1)], piece.box.bottom()));
                }
                u = end;
            }
        }
    }
    return found;
}
