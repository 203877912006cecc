#include "text_layout.h"

#include "fonts.h"
#include "zoomed_glyphs.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <cmath>

namespace {

// A family without a bold or an italic face is made bold or italic here, the same
// way for every device; left to each device, the screen thickens and slants the
// outlines one way and a PDF viewer another. Bold strikes the glyphs twice, a pixel
// apart, as Windows does; italic shears them about the baseline by 12 degrees
// (tan 12° = 0.2126).
constexpr double overstrike = 1;
const QTransform slant = QTransform().shear(-0.2126, 0);

QRectF inkOfGlyphs(const QGlyphRun& run, bool slanted)
{
    QPainterPath outline;
    const QRawFont font = run.rawFont();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < indexes.size(); ++i)
        outline.addPath(font.pathForGlyph(indexes.at(i)).translated(positions.at(i)));
    return (slanted ? slant.map(outline) : outline).boundingRect();
}

bool hasStyle(const QString& family, bool (*isStyle)(const QString&, const QString&))
{
    for (const QString& style : QFontDatabase::styles(family))
        if (isStyle(family, style)) return true;
    return false;
}

struct Styles {
    bool bold, italic;
};

// Which styles the family has faces for.
const Styles& stylesOf(const QString& family)
{
    static QHash<QString, Styles> known;
    auto it = known.constFind(family);
    if (it != known.constEnd()) return *it;
    const Styles styles{
        hasStyle(family, [](const QString& f, const QString& s) { return QFontDatabase::weight(f, s) >= QFont::Bold; }),
        hasStyle(family, [](const QString& f, const QString& s) { return QFontDatabase::italic(f, s); })};
    return *known.insert(family, styles);
}

// Lays out one piece with its left edge at x and its baseline at 0.
void addPiece(TextLayout& layout, const FacePiece& piece, double x, double pixelSize, bool bold, bool italic)
{
    layout.pieces.push_back({piece.text, piece.family, x});
    const PieceSetting setting = pieceSetting(piece.family, pixelSize, bold, italic);
    QTextLayout text(piece.text, setting.font, const_cast<QPaintDevice*>(FontTable::measureDevice()));
    text.beginLayout();
    QTextLine line = text.createLine();
    text.endLayout();
    if (!line.isValid()) return;
    for (const QGlyphRun& laidOut : line.glyphRuns()) {
        for (double dx : setting.strikes()) {
            QGlyphRun run = laidOut;
            QList<QPointF> positions = run.positions();
            for (QPointF& p : positions) p += QPointF(x + dx, -line.ascent());
            run.setPositions(positions);
            layout.ink |= inkOfGlyphs(run, setting.slanted);
            layout.glyphs.push_back({run, setting.slanted});
        }
    }
}

TextLayout makeLayout(const DrawOp& op)
{
    const FontTable& fonts = FontTable::current();
    const double px = pointsToPixels(op.points);
    TextLayout layout;
    double x = 0;
    for (const FacePiece& piece : fonts.pieces(op.face, op.text)) {
        addPiece(layout, piece, x, px, op.bold, op.italic);
        x += fonts.width(op.face, px, op.bold, op.italic, piece.text);
    }
    return layout;
}

}  // namespace

size_t qHash(const TextRunKey& k, size_t seed)
{
    return qHashMulti(seed, k.text, k.face, k.family, k.points, k.bold, k.italic);
}

TextRunKey TextRunKey::of(const DrawOp& op) { return {op.text, op.face, op.family, op.points, op.bold, op.italic}; }

PieceSetting pieceSetting(const QString& family, double pixelSize, bool bold, bool italic)
{
    const Styles& has = stylesOf(family);
    return {FontTable::familyFont(family, pixelSize, bold && has.bold, italic && has.italic), bold && !has.bold,
            italic && !has.italic};
}

std::vector<double> PieceSetting::strikes() const
{
    if (struckTwice) return {0, overstrike};
    return {0};
}

const QTransform& slantTransform() { return slant; }

std::shared_ptr<const TextLayout> layoutOf(const DrawOp& op)
{
    static MadeFromRuns<TextLayout> layouts;
    return madeOnce(layouts, op, makeLayout);
}

QPointF baselineOf(const DrawOp& op) { return {op.x, std::nearbyint(op.y + op.ascent)}; }

QRectF inkOf(const DrawOp& op) { return layoutOf(op)->ink.translated(baselineOf(op)); }

void drawGlyphs(QPainter& painter, QPointF baseline, const std::vector<TextLayout::Glyphs>& glyphs)
{
    if (!glyphs.empty() && drawsGlyphsAsOutlines(painter, glyphs.front().run.rawFont().pixelSize())) {
        for (const TextLayout::Glyphs& g : glyphs)
            drawZoomedGlyphs(painter, g.run, baseline, g.slanted ? slant : QTransform(), painter.pen().color());
        return;
    }
    for (const TextLayout::Glyphs& g : glyphs) {
        if (!g.slanted) {
            painter.drawGlyphRun(baseline, g.run);
            continue;
        }
        painter.save();
        painter.translate(baseline);
        painter.setTransform(slant, true);
        painter.drawGlyphRun(QPointF(), g.run);
        painter.restore();
    }
}

void paintText(QPainter& painter, const DrawOp& op)
{
    painter.setPen(QColor(op.color));
    drawGlyphs(painter, baselineOf(op), layoutOf(op)->glyphs);
}
