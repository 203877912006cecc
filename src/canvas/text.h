#pragma once
// Text runs: one string at an explicit cell position (top-left), in a given
// treatment; x comes back just right of what was drawn. Fonts are restored.
#include "surface.h"
#include "symbol_codes.h"

void dspPlain(Surface& s, float& x, float y, const QString& text);
void dspInFont(Surface& s, const QString& font, float& x, float y, const QString& text);
void dspGothic(Surface& s, float& x, float y, const QString& text);
void dspText(Surface& s, float& x, float y, const QString& text);
void dspVar(Surface& s, float& x, float y, const QString& text);
void dspCourier(Surface& s, float& x, float y, const QString& text);
void dspSymbol(Surface& s, float& x, float y, const QString& text);
void dspGreek(Surface& s, float& x, float y, const QString& text);
void dspOmega(Surface& s, float& x, float y);
// φ in the surface's face, italic; it leaves italic off, to the end of the caller's scope too.
void dspPhi(Surface& s, float& x, float y, StyleScope& caller);

// Text at the shared pen.
void putText(const QString& s);
void putFactorial();

// A one-character string of the Symbol face's code (one of symbol_code).
inline QString symbolChar(int code) { return QString(QChar(code)); }
