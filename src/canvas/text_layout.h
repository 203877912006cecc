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
    std::vector<Piece> pieces;
    std::vector<QGlyphRun> glyphs;  // positions relative to (left edge, baseline)
    QRectF ink;                     // painted bounds, relative to (left edge, baseline)
};

// The layout of a text operation; kept between paints, as pages repeat their runs.
const TextLayout& layoutOf(const DrawOp& op);

// Where the baseline of a text operation lies: the cell's top plus its face's ascent.
inline QPointF baselineOf(const DrawOp& op) { return {op.x, op.y + op.ascent}; }

// The painted bounds of a text operation, in surface pixels.
QRectF inkOf(const DrawOp& op);

// Draws the glyphs of a text operation in its colour.
void paintText(QPainter& painter, const DrawOp& op);
