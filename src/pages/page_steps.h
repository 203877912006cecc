#pragma once
// Small pen steps every chapter's page scripts take.
#include "canvas/drawing_state.h"
#include "canvas/operators.h"
#include "notation/notation.h"

// Puts the pen at an absolute position.
inline void penAt(double x, double y)
{
    ds().penX = float(x);
    ds().penY = float(y);
}

// A new row: the pen goes to x and k lines down.
inline void rowAt(double x, float k)
{
    ds().penX = float(x);
    skipLines(k);
}

// Draws a formula and marks what it drew with its meaning, in LaTeX.
template <typename Draw>
void formula(const QString& latex, Draw draw)
{
    FormulaScope meaning(pic(), latex);
    draw();
}

// Italic variables in the prose, which mean what they say: "x", "u, v".
inline void varsInProse(const QString& names)
{
    formula(names, [&] { putVars(names); });
}

// ∫ from −∞ to ∞ at the pen.
inline void intInf() { dspIntInf(pic(), ds().penX, ds().penY); }
