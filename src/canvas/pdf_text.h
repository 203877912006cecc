#pragma once
// Text runs drawn into a PDF (an export or a print job) so that the file carries the
// page's text. Qt's PDF writer labels each glyph with the lowest code point its font
// maps to it: the Symbol face's θ becomes "q", Noto's 面 the Kangxi radical ⾯. A glyph
// it would label wrongly is drawn as its outline instead, with its meaning laid over it
// as invisible (clipped) text in a family that labels it right; the others stay text.
// The page looks the same; only the PDF path differs from the screen's.
#include "draw_op.h"

class QPainter;

// Draws a text operation into a PDF, in its colour, with the text layer.
void paintTextWithTextLayer(QPainter& painter, const DrawOp& op);
