#pragma once
// Small composite symbols: squares, small stacked fractions, (x) and f(x), large
// pi, epsilon, radicals, i k exponents and short terms, each drawn at (x, y).
#include "surface.h"

void dspSquare(Surface& s, float& x, float y);
void dspHalf(Surface& s, float& x, float y);
void dspOneOver(Surface& s, float& x, float y, const QString& text);
void dspArgX(Surface& s, float& x, float y);
void dspFx(Surface& s, float& x, float y);
void dspBigPi(Surface& s, float& x, float y);
void dspEpsilon(Surface& s, float& x, float y);
void dspIK(Surface& s, float& x, float y, const QString& text);
void dspRadical(Surface& s, float& x, float y, float length);
void dspSqrtPi(Surface& s, float& x, float y);
void dspTerm(Surface& s, float& x, float y, const QString& text);
