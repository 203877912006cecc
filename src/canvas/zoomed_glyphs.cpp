#include "zoomed_glyphs.h"

#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <cmath>

namespace {

// Qt's own limit for caching a glyph image, in device pixels.
constexpr double qtCachedGlyphLimit = 64;
// Horizontal positions are kept to a quarter of a device pixel, as Qt keeps them.
constexpr int phases = 4;
// The memory the glyph images may take, 64 MB, before they are dropped and made anew:
// a bound for a long session of zooming, not a size a page was measured to need.
constexpr qsizetype budgetBytes = 64 << 20;

struct GlyphKey {
    QString family;
    double pixelSize;
    int weight;
    int style;
    quint32 glyph;
    double scale;
    int phase;
    QTransform shape;
    QRgb color;
    bool operator==(const GlyphKey&) const = default;
};

size_t qHash(const GlyphKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.family, k.pixelSize, k.weight, k.style, k.glyph, k.scale, k.phase, k.shape.m21(),
                      k.color);
}

struct GlyphImage {
    QImage image;
    QPoint offset;  // of the image's top left from the glyph's origin, device pixels
};

GlyphImage renderGlyph(const QRawFont& font, quint32 glyph, double scale, double phase, const QTransform& shape,
                       QColor color)
{
    const QTransform toDevice = shape * QTransform::fromScale(scale, scale) * QTransform::fromTranslate(phase, 0);
    const QPainterPath outline = toDevice.map(font.pathForGlyph(glyph));
    const QRect area = outline.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    GlyphImage g{QImage(area.size(), QImage::Format_ARGB32_Premultiplied), area.topLeft()};
    if (g.image.isNull()) return g;
    g.image.fill(Qt::transparent);
    QPainter p(&g.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-area.topLeft());
    p.fillPath(outline, color);
    return g;
}

const GlyphImage& cachedGlyph(const GlyphKey& key, const QRawFont& font)
{
    static QHash<GlyphKey, GlyphImage> glyphs;
    static qsizetype bytes = 0;
    auto it = glyphs.constFind(key);
    if (it != glyphs.constEnd()) return *it;
    if (bytes > budgetBytes) {
        glyphs.clear();
        bytes = 0;
    }
    GlyphImage g = renderGlyph(font, key.glyph, key.scale, double(key.phase) / phases, key.shape, QColor(key.color));
    // Without memory for it the glyph is left out, and asked for again on the next paint.
    static const GlyphImage none;
    if (g.image.isNull()) return none;
    bytes += g.image.sizeInBytes();
    return *glyphs.insert(key, g);
}

}  // namespace

bool drawsGlyphsAsOutlines(const QPainter& painter, double pixelSize)
{
    const QTransform& t = painter.combinedTransform();
    if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster) return false;
    if (t.type() > QTransform::TxScale || t.m11() != t.m22() || t.m11() <= 0) return false;
    return pixelSize * t.m11() > qtCachedGlyphLimit;
}

void drawZoomedGlyphs(QPainter& painter, const QGlyphRun& run, QPointF origin, const QTransform& shape, QColor color)
{
    const QTransform toDevice = painter.combinedTransform();
    const double scale = toDevice.m11();
    const QRawFont font = run.rawFont();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    painter.save();
    // Draw in device pixels; a HiDPI window keeps its pixel ratio below the world transform.
    painter.resetTransform();
    painter.setWorldTransform(painter.combinedTransform().inverted());
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        const QPointF at = toDevice.map(origin + positions.at(i));
        const double column = std::floor(at.x() * phases + 0.5) / phases;
        const int whole = int(std::floor(column));
        const int phase = int(std::lround((column - whole) * phases));
        const GlyphKey key{font.familyName(), font.pixelSize(), font.weight(), int(font.style()), indexes.at(i),
                           scale,             phase,            shape,         color.rgba()};
        const GlyphImage& g = cachedGlyph(key, font);
        painter.drawImage(QPoint(whole, int(std::lround(at.y()))) + g.offset, g.image);
    }
    painter.restore();
}
