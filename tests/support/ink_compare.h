#pragma once
// Compares a rendering of a page with an independent reference, operation by
// operation: the ink of each text run and stroke must be found at the same place in
// both, to better than a pixel, and must look alike.
#include "canvas/surface.h"

#include <QImage>
#include <QStringList>
#include <vector>

// `scale` is device pixels per surface pixel in both images. Returns one line per
// operation whose ink sits elsewhere (the shift that matches it better) or differs.
QStringList misplacedInk(const QImage& reference, const QImage& rendering, const std::vector<DrawOp>& ops,
                         double scale);

// Poppler's rendering of the first `count` sheets of a PDF the program printed, cut
// to the print view and at its size: one raster pixel a surface pixel. Empty when
// Poppler cannot render it. `prefix` names the intermediate files.
std::vector<QImage> popplerSheets(const QString& pdf, const QString& prefix, int count);

// The image as a PNG named for a failure, so a person can look at it; returns its path.
QString keepForInspection(const QImage& image, const QString& name);
