#pragma once
// The files made from drawn pages: a page as PNG, pages as a PDF one a sheet. The command
// line, Save, the preview and the print job all make them here.
#include "canvas/surface.h"

#include <QByteArray>
#include <vector>

// The page as PNG, `scale` image pixels a page pixel; empty when the image could not be made.
QByteArray pngOf(const Surface& page, double scale);
// The pages as a PDF, one a sheet, as the printer gets them.
QByteArray pdfOf(const std::vector<Surface>& sheets);
