// Exponentials with raised exponents, the 2π factors and the series sum.
#include "notation.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/markup.h"
#include "canvas/operators.h"
#include "canvas/text.h"

using namespace Qt::StringLiterals;

namespace {
const QString boxBar = u"─"_s;

void setSize(double factor) { pic().FontSize = float(factor * ds().baseFontSize); }
}  // namespace

void putExpIK(int sign, const QString& v)
{
    const float y0 = ds().penY;
    StyleScope keep(pic());
    putCourier(u"e"_s);
    skipPx(4);
    pic().FontSize = float(0.9 * pic().FontSize);
    ds().penY = float(ds().penY - double(ds().lineH) * ds().supRaise);
    if (sign < 0) {
        putText(u"-"_s);
        skipPx(1);
    }
    dspIK(pic(), ds().penX, ds().penY, v);
    ds().penY = y0;
}

void putExpMinusX2()
{
    const float y0 = ds().penY;
    StyleScope keep(pic());
    // Sized from the body size rather than the size it found, and it leaves the body size in force.
    keep.leaveSize(ds().baseFontSize);
    setSize(1.2);
    putCourier(u"e"_s);
    ds().penY = y0 - 4;
    setSize(0.92);
    dspText(pic(), ds().penX, ds().penY, u"-"_s);
    dspVar(pic(), ds().penX, ds().penY - 1, u"x"_s);
    {
        // The square sits low on the reduced x.
        const ScopedValue<float> lowRaise(ds().supRaise, 0.1f);
        putSup(u"2"_s);
    }
    skipPx(2);
    ds().penY = y0;
}

void putExpMinusX4()
{
    const float y0 = ds().penY;
    StyleScope keep(pic());
    // As e^(−x²): the body size is left in force.
    keep.leaveSize(ds().baseFontSize);
    setSize(1.2);
    putCourier(u"e"_s);
    ds().penY = y0 - 4;
    setSize(0.9);
    dspText(pic(), ds().penX, ds().penY, u"-"_s);
    skipPx(2);
    dspVar(pic(), ds().penX, ds().penY, u"x"_s);
    skipPx(2);
    dspSup(pic(), ds().penX, ds().penY + 2, u"4"_s);
    ds().penY = y0;
}

void dspTwoPi(float& x, float y)
{
    // Later builders size themselves from the body size: 2π drawn reduced makes its size
    // the body size, for the rest of the page and for the pages drawn after it.
    keepAsBodySize(pic().FontSize);
    StyleScope keep(pic());
    setSize(0.92);
    dspText(pic(), x, y, u"2"_s);
    x += 2;
    setSize(1.0);
    dspBigPi(pic(), x, y);
}

void putOneOver2Pi()
{
    const float x0 = ds().penX;
    putText(boxBar);
    skipPx(-8);
    putText(boxBar);
    float xOne = x0 + 8;
    dspText(pic(), xOne, ds().penY - 10, u"1"_s);
    float xTwoPi = x0 + 2;
    dspTwoPi(xTwoPi, ds().penY + 10);
}

void putOneOverSqrt2Pi()
{
    const float x0 = ds().penX;
    putText(boxBar + boxBar);
    skipPx(-8);
    putText(boxBar);
    float xOne = x0 + 14;
    dspText(pic(), xOne, ds().penY - 10, u"1"_s);
    ds().penX = x0 + 13;
    dspTwoPi(ds().penX, ds().penY + 14);
    ds().penX = x0;
    dspRadical(pic(), ds().penX, ds().penY + 15, 0);
    const float xr = ds().penX;
    const float yBar = ds().penY + 16;
    pic().Line(xr, yBar, float(xr + 2.5 * ds().chW), yBar);
    ds().penX = float(x0 + 4.0 * ds().chW);
}

void putSumN0Inf() { dspSum(pic(), ds().penX, ds().penY, u"n=0"_s, u"∞"_s); }
