#pragma once
// Superscript and subscript markup runs: letters, digits, signs and spelled-out
// Greek names ("theta", "pi", ...), drawn small and raised or lowered.
#include "surface.h"

void dspSup(Surface& s, float& x, float y, const QString& text);
void dspSub(Surface& s, float& x, float y, const QString& text);

// True when the first character takes two bytes in the Japanese code page (CP932).
bool isWide(const QString& text);
