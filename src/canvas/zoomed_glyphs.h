#pragma once
// Glyphs drawn large on a raster device (a page zoomed in, a HiDPI screen): Qt's
// raster engine caches glyph images only up to 64 device pixels and fills every
// larger glyph from its outline on every paint, ten times slower. These glyphs are
// filled from their outlines once per size, colour and sub-pixel phase, and copied.
#include <QColor>
#include <QGlyphRun>
#include <QPointF>
#include <QTransform>

class QPainter;

// Whether the painter would fill glyphs of this size from their outlines.
bool drawsGlyphsAsOutlines(const QPainter& painter, double pixelSize);

// Draws a laid-out glyph run (positions relative to `origin`, in the painter's
// coordinates), each glyph's outline mapped by `shape` about its own origin first.
void drawZoomedGlyphs(QPainter& painter, const QGlyphRun& run, QPointF origin, const QTransform& shape, QColor color);
