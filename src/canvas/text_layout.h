#pragma once
// How a text operation is drawn: its pieces, each in one installed family, laid out
// once at 96 DPI with the baseline as origin, so every device draws the same glyphs
// at the same surface position and only the painter's transform differs.
#include "draw_op.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRectF>
#include <memory>
#include <vector>

class QPainter;

struct TextLayout {
    struct Piece {
        QString text;
        QString family;
        double x = 0;  // from the run's left edge, pixels
    };
    // Glyphs with positions relative to (left edge, baseline); slanted ones are
    // sheared about the baseline when drawn.
    struct Glyphs {
        QGlyphRun run;
        bool slanted = false;
    };
    std::vector<Piece> pieces;
    std::vector<Glyphs> glyphs;
    QRectF ink;  // painted bounds, relative to (left edge, baseline)
};

// What tells one text run's glyphs from another's: layouts are kept under it between
// paints, as pages repeat their runs.
struct TextRunKey {
    QString text, face, family;
    double points;
    bool bold, italic;
    bool operator==(const TextRunKey&) const = default;
    static TextRunKey of(const DrawOp& op);
};
size_t qHash(const TextRunKey& k, size_t seed = 0);

// How many runs a cache of what is made from them keeps before it is emptied. Every
// page, on screen and as printed, comes to under 800 distinct runs: the pages never
// reach the bound; it holds the memory of a caller that makes new runs without end.
constexpr qsizetype keptTextRuns = 20000;

// What is made from text runs, kept between paints: a print job or an export paints
// many pages with the same runs. Shared, so that what a caller was handed stays whole
// while the cache is emptied past its bound, or an insert moves its entries.
template <typename T>
using MadeFromRuns = QHash<TextRunKey, std::shared_ptr<const T>>;

template <typename T>
std::shared_ptr<const T> madeOnce(MadeFromRuns<T>& made, const DrawOp& op, T (*make)(const DrawOp&))
{
    const TextRunKey key = TextRunKey::of(op);
    auto it = made.constFind(key);
    if (it != made.constEnd()) return *it;
    if (made.size() >= keptTextRuns) made.clear();
    return *made.insert(key, std::make_shared<const T>(make(op)));
}

// The layout of a text operation.
std::shared_ptr<const TextLayout> layoutOf(const DrawOp& op);

// How a piece of a run is set in its family: the font, and the bold or italic made
// here, the same on every device, where the family has no such face.
struct PieceSetting {
    QFont font;
    bool struckTwice = false;  // bold: the glyphs struck twice, a pixel apart
    bool slanted = false;      // italic: the glyphs sheared about the baseline
    // Where the glyphs are struck, from the piece's left edge.
    std::vector<double> strikes() const;
};
PieceSetting pieceSetting(const QString& family, double pixelSize, bool bold, bool italic);
// The shear of made italic, about the baseline.
const QTransform& slantTransform();

// Where the baseline of a text operation lies: the cell's top plus its face's ascent,
// on a whole pixel row as the pages were designed for; a device that rounded it
// itself would round each run its own way.
QPointF baselineOf(const DrawOp& op);

// The painted bounds of a text operation, in surface pixels.
QRectF inkOf(const DrawOp& op);

// Draws laid-out glyphs with the painter's pen, relative to a baseline.
void drawGlyphs(QPainter& painter, QPointF baseline, const std::vector<TextLayout::Glyphs>& glyphs);

// Draws the glyphs of a text operation in its colour.
void paintText(QPainter& painter, const DrawOp& op);
