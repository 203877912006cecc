// Sums with limits, binomials and a function letter applied to its argument.
#include "notation.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/operators.h"
#include "canvas/text.h"

using namespace Qt::StringLiterals;

void putSumLimits(const QString& upper, const QString& lower)
{
    Surface& s = pic();
    const float y0 = ds().penY;
    float x = ds().penX;
    dspBigSigma(s, x, y0 - 10);
    StyleScope keep(s);
    s.FontSize = float(0.9 * s.FontSize);
    float xu = x - 10;
    dspTerm(s, xu, y0 - 20, upper);
    float xl = float((x - 6) - 0.5 * s.TextWidth(lower));
    dspTerm(s, xl, y0 + 26, lower);
    ds().penX = xl;
}

void putBinomial(const QString& top, const QString& bottom)
{
    putBigLParen(ds().penX, ds().penY);
    skipPx(12);
    const float x0 = ds().penX;
    dspTerm(pic(), ds().penX, ds().penY - 10, top);
    ds().penX = x0;
    dspTerm(pic(), ds().penX, ds().penY + 10, bottom);
    skipPx(8);
    putBigRParen(ds().penX, ds().penY);
    ds().penX += 4;
}

void putFuncOf(const QString& f, const QString& arg)
{
    Surface& s = pic();
    dspVar(s, ds().penX, ds().penY, f);
    skipPx(4);
    dspText(s, ds().penX, ds().penY, u"("_s);
    // The fallback italic face leans into the parenthesis; j and y lean the most.
    if (ds().hasBookman != 1) {
        if (arg == u"j"_s)
            skipPx(5);
        else if (arg == u"y"_s)
            skipPx(4);
        else
            skipPx(2);
    }
    dspVar(s, ds().penX, ds().penY, arg);
    if (arg == u"j"_s || arg == u"t"_s)
        skipPx(2);
    else if (arg == u"l"_s)
        skipPx(3);
    else
        skipPx(1);
    dspText(s, ds().penX, ds().penY, u")"_s);
}
