#include "operators.h"

#include "composites.h"
#include "drawing_state.h"
#include "greek_letters.h"
#include "markup.h"
#include "text.h"

using namespace Qt::StringLiterals;

namespace {

const QString symbolFace = u"Symbol"_s;
const QString infinity = u"∞"_s;

qint32 whole(double v) { return qint32(roundHalfEven(v)); }

struct Metrics {
    float S;
    double TW, TH;
};

Metrics measure(const Surface& s)
{
    return {s.FontSize, s.TextWidth(u"A"_s), s.TextHeight(u"A"_s)};
}

// One limit character of an integral at 0.8 of the size, through the term rules.
void drawSmallLimitChar(Surface& s, float& x, float y, float S, QChar c)
{
    StyleScope keep(s);
    s.FontSize = float(0.8 * S);
    dspTerm(s, x, y, QString(c));
}

void drawUpperLimit(Surface& s, float x, float y, const Metrics& m, const QString& upper)
{
    QString rest = upper;
    while (!rest.isEmpty()) {
        if (rest.startsWith(u"pi"_s)) {
            dspSymbol(s, x, float(y - 0.6 * m.TH), symbolText(greek(u"pi")));
            rest.remove(0, 2);
        } else if (rest.startsWith(u'_')) {
            dspSub(s, x, float(y - 0.5 * m.TH), rest.mid(1));
            rest.clear();
        } else {
            drawSmallLimitChar(s, x, float(y - 0.5 * m.TH), m.S, rest.at(0));
            rest.remove(0, 1);
        }
    }
}

void drawLowerLimit(Surface& s, float& x, float y, const Metrics& m, const QString& lower)
{
    const float yl = float(y + 0.7 * m.TH);
    QString rest = lower;
    while (!rest.isEmpty()) {
        if (rest.startsWith(u"-pi"_s)) {
            dspCourier(s, x, yl, u"-"_s);
            dspSymbol(s, x, float(y + 0.6 * m.TH), symbolText(greek(u"pi")));
            rest.remove(0, 3);
        } else if (rest.startsWith(u"pi"_s)) {
            dspSymbol(s, x, yl, symbolText(greek(u"pi")));
            rest.remove(0, 2);
        } else if (rest.startsWith(u'_')) {
            dspSub(s, x, yl, rest.mid(1));
            rest.clear();
        } else {
            drawSmallLimitChar(s, x, yl, m.S, rest.at(0));
            rest.remove(0, 1);
        }
    }
}

}  // namespace

void gdiTextOut(Surface& s, qint32& x, qint32& y, unsigned char& code, int count, Extent& extent, int draw)
{
    // The code is a single byte: `count` repeats it rather than reading past it.
    const QString bytes(qMax(count, 0), QChar(code));
    Surface::DeviceContext dc = s.hdc();
    if (draw != 0) dc.TextOutA(x, y, bytes);
    extent = dc.GetTextExtentPoint32A(bytes);
}

void gdiPut(Surface& s, qint32& x, qint32 y, unsigned char code, int count)
{
    Extent extent;
    gdiTextOut(s, x, y, code, count, extent, 1);
    x += extent.width;
}

void dspBigSigma(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    qint32 xi = whole(x);
    const qint32 yi = whole(y);
    s.FontSize = 2 * s.FontSize;
    s.FontName = symbolFace;
    gdiPut(s, xi, yi, symbol_code::summation, 1);
    x = float(xi);
}

void dspIntSign(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    s.FontName = symbolFace;
    const double TH = s.TextHeight(u"A"_s);
    qint32 xi = whole(x);
    gdiPut(s, xi, whole(y - 0.28 * TH), symbol_code::integralTop, 1);
    // Both halves start at the same x; the lower one meets the upper one.
    xi = whole(x);
    gdiPut(s, xi, whole(y + 0.38 * TH), symbol_code::integralBottom, 1);
    x = float(xi);
}

void dspSum(Surface& s, float& x, float y, const QString& lower, const QString& upper)
{
    const double TH = s.TextHeight(u"A"_s);
    const double wU = s.TextWidth(upper);
    const double wL = s.TextWidth(lower);
    const float yu = float(y - 0.6 * TH);
    if (upper != infinity) {
        float xu = float(x + 10 - 0.5 * wU);
        dspSup(s, xu, yu, upper);
    } else {
        float xu = x + 4;
        dspSup(s, xu, yu, upper);
    }
    float xl = float(x + 12 - 0.5 * wL);
    const double yl = y + 0.65 * TH;
    // The infinity sign sits high in its cell; the fallback face needs more.
    const int infinityDrop = ds().hasBookman == 1 ? 1 : 3;
    for (QChar c : lower) {
        const QString one(c);
        dspSub(s, xl, float(one == infinity ? yl + infinityDrop : yl), one);
    }
    dspBigSigma(s, x, float(y - 0.5 * TH));
}

void dspIntInf(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    const Metrics m = measure(s);
    dspIntSign(s, x, y);
    s.FontSize = float(0.8 * m.S);
    float xu = float(x + 0.5 * m.TW);
    dspText(s, xu, float(y - 0.5 * m.TH), infinity);
    const float yl = float(y + 0.7 * m.TH);
    dspText(s, x, yl, u"-"_s);
    dspText(s, x, yl, infinity);
    x = float(x + 0.5 * m.TW);
}

void dspIntegral(Surface& s, float& x, float y, const QString& upper, const QString& lower)
{
    const Metrics m = measure(s);
    dspIntSign(s, x, y);
    drawUpperLimit(s, float(x + 0.5 * m.TW), y, m, upper);
    drawLowerLimit(s, x, y, m, lower);
    x = float(x + 0.5 * m.TW);
}

double maxD(double a, double b) { return a >= b ? a : b; }
