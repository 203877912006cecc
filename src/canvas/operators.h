#pragma once
// Glyphs written through the device context at whole-pixel positions, and the
// large operators built on them: the summation sign and the tall integral.
#include "surface.h"

// Draws (if `draw` is non-zero) and measures `count` characters from `code`.
void gdiTextOut(Surface& s, qint32& x, qint32& y, unsigned char& code, int count, Extent& extent, int draw);
// Draws the glyph at (x, y) and advances x by its width.
void gdiPut(Surface& s, qint32& x, qint32 y, unsigned char code, int count);

void dspBigSigma(Surface& s, float& x, float y);
void dspIntSign(Surface& s, float& x, float y);
void dspSum(Surface& s, float& x, float y, const QString& lower, const QString& upper);
void dspIntInf(Surface& s, float& x, float y);
void dspIntegral(Surface& s, float& x, float y, const QString& upper, const QString& lower);

double maxD(double a, double b);
