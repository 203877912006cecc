#pragma once
// Putting page surfaces onto paper (a printer or a PDF writer): one surface a
// sheet, scaled to fit the printable area, as vectors.
#include "canvas/surface.h"

#include <vector>

class QIODevice;
class QPagedPaintDevice;

// Sets the sheet every page goes on: A4 portrait with 10 mm margins.
void configureSheet(QPagedPaintDevice& device);

// Returns false when the device could not be painted on (no printer, unwritable file).
bool paintSheets(const std::vector<Surface>& surfaces, QPagedPaintDevice& device);

// Writes the surfaces as a PDF, one a sheet, as the PDF export and the printer get them.
bool writePdf(const std::vector<Surface>& surfaces, QIODevice& out);
