// Leibniz derivatives dy/dx, d²y/dx², dⁿ/dxⁿ and the tagged equation lines built from them.
#include "notation.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/markup.h"
#include "canvas/text.h"

using namespace Qt::StringLiterals;

namespace {
// The bar 12 pixels below the pen, a fixed number of units long.
void drawDerivBar(double units)
{
    const float y = ds().penY + 12;
    pic().Line(ds().penX, y, float(ds().penX + units * ds().chW), y);
}

struct EquationTerms {
    QString tag;
    void (*putConstant)();
    QString lastSign;
    QString lastFactor;
};

// x d²y/dx² + (c − x) dy/dx − a y = 0 and its relatives, from 5 units in, tag at tab40.
void putTaggedEquation(const EquationTerms& terms, const QString& y)
{
    ds().penX = float(ds().tab40);
    putText(terms.tag);
    // Measured from the surface's edge: the line keeps its place in the print view.
    ds().penX = float(5.0 * ds().chW);
    putVars(u"x"_s);
    skipPx(8);
    putDeriv2(y, u"x"_s);
    putText(u"  ＋  ("_s);
    skipPx(2);
    terms.putConstant();
    putMinus();
    putVars(u"x"_s);
    skipPx(2);
    putText(u") "_s);
    putDeriv(y, u"x"_s);
    putText(terms.lastSign);
    putVars(terms.lastFactor);
    skipPx(8);
    putVars(y);
    putText(u"  ＝  0"_s);
}
}  // namespace

void putDeriv(const QString& f, const QString& v)
{
    Surface& s = pic();
    drawDerivBar(2.4);
    float x = ds().penX + 2;
    float y = ds().penY - 11;
    dspVar(s, x, y, u"d"_s);
    x += f == u"f"_s ? 4 : 2;
    dspVar(s, x, y, f);
    x = ds().penX + 2;
    y = float(ds().penY + 0.5 * ds().lineH);
    dspVar(s, x, y, u"d"_s);
    x += 3;
    dspVar(s, x, y, v);
    ds().penX = x;
}

void putDeriv2(const QString& f, const QString& v)
{
    Surface& s = pic();
    drawDerivBar(f == u"P"_s ? 3.5 : 3.2);
    // The bare operator d²/dx² is centred over its bar.
    float x = ds().penX + 2 + (f.isEmpty() ? 8 : 0);
    float y = ds().penY - 11;
    dspVar(s, x, y, u"d"_s);
    x += 2;
    dspSquare(s, x, y - 2);
    dspVar(s, x, y, f);
    x = ds().penX + 2;
    y = ds().penY + 14;
    dspVar(s, x, y, u"d"_s);
    x += 3;
    dspVar(s, x, y, v);
    dspSquare(s, x, y);
    ds().penX = x;
}

void putDerivN()
{
    Surface& s = pic();
    drawDerivBar(3.5);
    float x = ds().penX + 10;
    float y = ds().penY - 9;
    dspVar(s, x, y, u"d"_s);
    x += 2;
    dspSup(s, x, y - 2, u"n"_s);
    x = ds().penX + 2;
    y = ds().penY + 14;
    dspVar(s, x, y, u"dx"_s);
    x += 3;
    dspSup(s, x, y, u"n"_s);
    ds().penX = x + 8;
}

void putKummerEq(const QString& y)
{
    putTaggedEquation({u"(6.6)"_s, [] { putVars(u"c"_s); }, u"  －  "_s,
                       u"a"_s},
                      y);
}

void putLaguerreEq(const QString& y)
{
    putTaggedEquation({u"(5.75)  "_s, [] { putText(u"1"_s); }, u"  ＋  "_s,
                       u"n"_s},
                      y);
}
