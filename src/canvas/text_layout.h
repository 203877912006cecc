#pragma once
// How a text operation is drawn: its pieces, each in one installed family, laid out
// once at 96 DPI with the baseline as origin, so every device draws the same glyphs
// at the same surface position and only the painter's transform differs.
#include "surface.h"

#include <QGlyphRun>
#include <QRectF>
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

// The layout of a text operation; kept between paints, as pages repeat their runs.
const TextLayout& layoutOf(const DrawOp& op);

// Where the baseline of a text operation lies: the cell's top plus its face's ascent,
// on a whole pixel row as the pages were designed for; a device that rounded it
// itself would round each run its own way.
QPointF baselineOf(const DrawOp& op);

// The painted bounds of a text operation, in surface pixels.
QRectF inkOf(const DrawOp& op);

// Draws the glyphs of a text operation in its colour.
void paintText(QPainter& painter, const DrawOp& op);
