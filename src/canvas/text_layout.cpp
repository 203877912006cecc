#include "text_layout.h"

#include "fonts.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

namespace {

struct LayoutKey {
    QString text, face, family;
    double points;
    bool bold, italic;
    bool operator==(const LayoutKey&) const = default;
};

size_t qHash(const LayoutKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.text, k.face, k.family, k.points, k.bold, k.italic);
}

QRectF inkOfGlyphs(const QGlyphRun& run)
{
    QRectF ink;
    const QRawFont font = run.rawFont();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < indexes.size(); ++i)
        ink |= font.pathForGlyph(indexes.at(i)).boundingRect().translated(positions.at(i));
    return ink;
}

// Lays out one piece with its left edge at x and its baseline at 0.
void addPiece(TextLayout& layout, const FacePiece& piece, double x, double pixelSize, bool bold, bool italic)
{
    layout.pieces.push_back({piece.text, piece.family, x});
    QTextLayout text(piece.text, FontTable::familyFont(piece.family, pixelSize, bold, italic),
                     const_cast<QPaintDevice*>(FontTable::measureDevice()));
    text.beginLayout();
    QTextLine line = text.createLine();
    text.endLayout();
    if (!line.isValid()) return;
    for (QGlyphRun run : line.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions) p += QPointF(x, -line.ascent());
        run.setPositions(positions);
        layout.ink |= inkOfGlyphs(run);
        layout.glyphs.push_back(run);
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

const TextLayout& layoutOf(const DrawOp& op)
{
    static QHash<LayoutKey, TextLayout> layouts;
    const LayoutKey key{op.text, op.face, op.family, op.points, op.bold, op.italic};
    auto it = layouts.constFind(key);
    if (it != layouts.constEnd()) return *it;
    if (layouts.size() > 20000) layouts.clear();
    return *layouts.insert(key, makeLayout(op));
}

QRectF inkOf(const DrawOp& op) { return layoutOf(op).ink.translated(baselineOf(op)); }

void paintText(QPainter& painter, const DrawOp& op)
{
    painter.setPen(QColor(op.color));
    const QPointF baseline = baselineOf(op);
    for (const QGlyphRun& run : layoutOf(op).glyphs) painter.drawGlyphRun(baseline, run);
}
