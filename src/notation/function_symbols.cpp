// Legendre, Hermite and associated Legendre symbols, primes, Beta and Gamma, and
// the two fractions of the associated Legendre equation.
#include "notation.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/greek_letters.h"
#include "canvas/text.h"

using namespace Qt::StringLiterals;

namespace {
const QString boxBar = u"─"_s;

// A script drawn in bold: the prime marks of primed indices.
void putBoldScript(void (*put)(const QString&), const QString& mark)
{
    StyleScope keep(pic());
    pic().FontBold = true;
    put(mark);
    keep.leaveBoldOff();  // turned off after the marks, not back: the pages were set with that
}

void putLetterOfX(const QString& letter, const QString& n)
{
    putVars(letter);
    putSub(n);
    dspArgX(pic(), ds().penX, ds().penY);
}

// P with subscript n, primes tucked back over the subscript, then (x).
void putPrimedP(void (*primes)())
{
    putVars(u"P"_s);
    putSub(u"n"_s);
    skipPx(-4);
    primes();
    skipPx(2);
    dspArgX(pic(), ds().penX, ds().penY);
}

void drawPrime() { dspSymbol(pic(), ds().penX, ds().penY - 4, symbolChar(symbol_code::prime)); }

void putGreekCapital(const QString& letter)
{
    dspGreek(pic(), ds().penX, ds().penY, letter);
    skipPx(6);
}
}  // namespace

void putPOfX(const QString& n) { putLetterOfX(u"P"_s, n); }
void putHOfX(const QString& n) { putLetterOfX(u"H"_s, n); }

void putAssocP(const QString& l, const QString& m)
{
    putVars(u"P"_s);
    if (l == u"l'"_s) {
        putSub(u"l"_s);
        putBoldScript(putSub, u"'"_s);
    } else {
        putSub(l);
    }
    if (m == u"m'"_s) {
        putSup(u"m"_s);
        putBoldScript(putSup, u"’"_s);
    } else {
        putSup(m);
    }
    dspArgX(pic(), ds().penX, ds().penY);
}

void putDAssocP(const QString& l, const QString& m)
{
    const float x0 = ds().penX, y0 = ds().penY;
    putText(boxBar + boxBar + boxBar);
    skipPx(-6);
    putText(boxBar);
    ds().penX = x0 + ds().chW;
    ds().penY = y0 + 10;
    putDiff(u"x"_s);
    ds().penX = x0;
    ds().penY = y0 - 14;
    putVars(u"d"_s);
    skipPx(2);
    putAssocP(l, m);
    ds().penY = y0;
}

void putOverOneMinusX2(const QString& m)
{
    const float x0 = ds().penX, y0 = ds().penY;
    float x = x0;
    dspText(pic(), x, y0, boxBar + boxBar + boxBar);
    x -= 6;
    dspText(pic(), x, y0, boxBar);
    ds().penX = float(x0 + 1.5 * ds().chW);
    ds().penY = y0 - 12;
    putVars(m);
    putSup(u"2"_s);
    ds().penX = x0 + 4;
    ds().penY = y0 + 14;
    putText(u"1"_s);
    putMinus();
    putVars(u"x"_s);
    putSup(u"2"_s);
    ds().penY = y0;
    ds().penX = x;
}

void dspPrime()
{
    StyleScope keep(pic());
    pic().FontBold = true;
    drawPrime();
    keep.leaveBoldOff();  // turned off after the mark, not back: the pages were set with that
}

void dspDPrime()
{
    StyleScope keep(pic());
    pic().FontBold = true;
    drawPrime();
    drawPrime();
    keep.leaveBoldOff();  // as for one prime
}

void primeLn() { putPrimedP(dspPrime); }
void dprimeLn() { putPrimedP(dspDPrime); }

void beta() { putGreekCapital(symbolText(greek(u"Beta"))); }
void Gamma() { putGreekCapital(symbolText(greek(u"Gamma"))); }
