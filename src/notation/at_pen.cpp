// Variables, signs and scripts at the pen.
#include "notation.h"

#include "canvas/drawing_state.h"
#include "canvas/greek_letters.h"
#include "canvas/markup.h"
#include "canvas/text.h"

using namespace Qt::StringLiterals;

namespace {
// One Symbol-face letter, italic, at a size relative to the one in force.
void putGreekLetter(const QString& letter, double sizeFactor, float dy)
{
    StyleScope keep(pic());
    pic().FontSize = float(sizeFactor * pic().FontSize);
    dspGreek(pic(), ds().penX, ds().penY + dy, letter);
}
}  // namespace

void putVars(const QString& s)
{
    if (s.size() == 1) {
        dspVar(pic(), ds().penX, ds().penY, s);
        return;
    }
    for (QChar c : s) {
        skipPx(2);
        dspVar(pic(), ds().penX, ds().penY, QString(c));
    }
    skipPx(2);
}

void putMinus()
{
    skipPx(4);
    dspCourier(pic(), ds().penX, ds().penY, u"-"_s);
    skipPx(4);
}

void putPlus()
{
    skipPx(4);
    dspCourier(pic(), ds().penX, ds().penY, u"+"_s);
    skipPx(4);
}

void putColored(const QString& s)
{
    StyleScope keep(pic());
    pic().ForeColor = ds().highlightColor;
    dspText(pic(), ds().penX, ds().penY, s);
}

void putSub(const QString& s) { dspSub(pic(), ds().penX, ds().penY, s); }

void putSup(const QString& s)
{
    skipPx(2);
    dspSup(pic(), ds().penX, ds().penY, s);
    skipPx(2);
}

void putSquared(const QString& s)
{
    putVars(s);
    skipPx(2);
    {
        // The fallback italic face sits lower, so its square is raised less.
        const ScopedValue<float> raise(ds().supRaise, ds().hasBookman == 1 ? 0.2f : 0.12f);
        dspSup(pic(), ds().penX, ds().penY, u"2"_s);
    }
    skipPx(2);
}

void putXSquared() { putSquared(u"x"_s); }

void putDiff(const QString& s)
{
    putVars(u"d"_s);
    skipPx(2);
    putVars(s);
}

void putCourier(const QString& s) { dspCourier(pic(), ds().penX, ds().penY, s); }

void putCos()
{
    putCourier(u"cos"_s);
    skipPx(2);
}

void putSin()
{
    putCourier(u"sin"_s);
    skipPx(2);
}

void putPartialSign() { dspSymbol(pic(), ds().penX, ds().penY, symbolChar(symbol_code::partial)); }

void putTilde(const QString& s)
{
    putVars(s);
    float x = float(ds().penX - 12.0);
    dspText(pic(), x, float(ds().penY - 15.0), u"~"_s);
}

void putDelta() { putGreekLetter(symbolText(greek(u"delta")), 1.2, -1); }
void putEpsilon() { putGreekLetter(symbolText(greek(u"epsilon")), 1.3, -6); }
void putKappa() { putGreekLetter(symbolText(greek(u"kappa")), 1.2, -2); }
void putTheta() { putGreekLetter(symbolText(greek(u"theta")), 1.0, 0); }
void putLambda() { putGreekLetter(symbolText(greek(u"lambda")), 1.0, 0); }

void putPhi()
{
    StyleScope keep(pic());
    dspPhi(pic(), ds().penX, ds().penY, keep);
}
