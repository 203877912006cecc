#include "composites.h"

#include "drawing_state.h"
#include "greek_letters.h"
#include "text.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

bool isLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The bar of the small stacked fractions, with a reduced "1" over it, which leaves the
// size reduced for the lower row. x ends at the bar's right end; returns the metrics the
// lower row needs.
struct StackedBar {
    double TW, TH, yb;
};

StackedBar drawBarWithOne(Surface& s, float& x, float y)
{
    StackedBar bar{s.TextWidth(u"A"_s), s.TextHeight(u"A"_s), 0};
    bar.yb = y + 0.05 * bar.TH;
    dspText(s, x, float(bar.yb), u"―"_s);
    s.FontSize = float(0.9 * s.FontSize);
    float xTop = float(x - 1.2 * bar.TW);
    dspText(s, xTop, float(bar.yb - 0.35 * bar.TH), u"1"_s);
    return bar;
}

// A Greek name at the start of a term and how it is drawn; the order matters
// ("-pi" before "pi").
struct TermName {
    QString name;
    void (*draw)(Surface&, float&, float);
};

const std::array<TermName, 6>& termNames()
{
    static const std::array<TermName, 6> names = {{
        {u"-pi"_s,
         [](Surface& s, float& x, float y) {
             dspCourier(s, x, y, u"-"_s);
             dspBigPi(s, x, y - 3);
         }},
        {u"alpha"_s, [](Surface& s, float& x, float y) { dspGreek(s, x, y, symbolText(greek(u"alpha"))); }},
        {u"beta"_s, [](Surface& s, float& x, float y) { dspGreek(s, x, y, symbolText(greek(u"beta"))); }},
        {u"omega"_s, [](Surface& s, float& x, float y) { dspOmega(s, x, y); }},
        {u"pi"_s, [](Surface& s, float& x, float y) { dspBigPi(s, x, y); }},
        {u"epsln"_s, [](Surface& s, float& x, float y) { dspText(s, x, y, u"ε"_s); }},
    }};
    return names;
}

// Draws the Greek name the text begins with, padded by 2 pixels each side.
bool drawTermName(Surface& s, float& x, float y, QString& rest)
{
    for (const TermName& n : termNames()) {
        if (!rest.startsWith(n.name)) continue;
        x += 2;
        n.draw(s, x, y);
        x += 2;
        rest.remove(0, n.name.size());
        return true;
    }
    return false;
}

void drawTermChar(Surface& s, float& x, float y, QChar c)
{
    const QString one(c);
    if (c == u'j') {
        // The italic j reaches back to the left; give it room.
        x += 4;
        dspVar(s, x, y, one);
    } else if (c == u',' || c == u' ' || isLetter(c)) {
        dspVar(s, x, y, one);
    } else if (c == u'-') {
        dspCourier(s, x, y, one);
    } else {
        dspText(s, x, y, one);
    }
}

}  // namespace

void dspSquare(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    s.FontSize = float(ds().supScale * double(s.FontSize));
    const double h = s.TextHeight(u"2"_s);
    dspText(s, x, float(y - 0.1 * h), u"2"_s);
}

void dspHalf(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    const StackedBar bar = drawBarWithOne(s, x, y);
    float xBottom = float(x - 1.2 * bar.TW);
    dspText(s, xBottom, float(bar.yb + 0.4 * bar.TH), u"2"_s);
}

void dspOneOver(Surface& s, float& x, float y, const QString& text)
{
    StyleScope keep(s);
    const StackedBar bar = drawBarWithOne(s, x, y);
    const float yBottom = float(bar.yb + 0.4 * bar.TH);
    const bool letter = (text >= u"a"_s && text <= u"z"_s) ||
                        (text >= u"A"_s && text <= u"Z"_s);
    if (letter) {
        // An italic letter leans right, so it starts further left.
        float xBottom = float(x - 1.4 * bar.TW);
        dspVar(s, xBottom, yBottom, text);
    } else {
        float xBottom = float(x - 1.2 * bar.TW);
        dspText(s, xBottom, yBottom, text);
    }
}

void dspArgX(Surface& s, float& x, float y)
{
    dspText(s, x, y, u"("_s);
    // The fallback italic x crowds the parenthesis; Bookman's does not.
    if (ds().hasBookman != 1) x = float(x + 0.2 * s.TextWidth(u"A"_s));
    dspVar(s, x, y, u"x"_s);
    x = float(x + 0.2 * s.TextWidth(u"A"_s));
    dspText(s, x, y, u")"_s);
}

void dspFx(Surface& s, float& x, float y)
{
    dspVar(s, x, y, u"f"_s);
    x += 5;
    dspArgX(s, x, y);
}

void dspBigPi(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    s.FontSize = float(1.2 * s.FontSize);
    const QString pi = symbolText(greek(u"pi"));
    const double h = s.TextHeight(pi);
    dspSymbol(s, x, float(y - 0.08 * h), pi);
}

void dspEpsilon(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    s.FontSize = float(1.05 * s.FontSize);
    dspText(s, x, y - 2, u"ε"_s);
}

void dspIK(Surface& s, float& x, float y, const QString& text)
{
    const double w = s.TextWidth(u"x"_s);
    dspVar(s, x, y, u"i"_s);
    x = float(x + 0.2 * w);
    dspVar(s, x, y, u"k"_s);
    x = float(x + 0.2 * w);
    dspTerm(s, x, y, text);
}

void dspRadical(Surface& s, float& x, float y, float length)
{
    {
        StyleScope keep(s);
        s.FontBold = false;
        dspSymbol(s, x, y, symbolChar(symbol_code::radical));
    }
    const float end = float(double(x) + length);
    s.Line(x, y + 1, end, y + 1, ds().lineColor);
    x = end;
}

void dspSqrtPi(Surface& s, float& x, float y)
{
    const double TW = s.TextWidth(u"A"_s);
    const double TH = s.TextHeight(u"A"_s);
    dspRadical(s, x, float(y + 0.1 * TH), float(1.5 * TW));
    x = float(x - 1.1 * TW);
    dspBigPi(s, x, y);
}

void dspTerm(Surface& s, float& x, float y, const QString& text)
{
    float xt = x;
    QString rest = text;
    while (!rest.isEmpty()) {
        if (drawTermName(s, xt, y, rest)) continue;
        drawTermChar(s, xt, y, rest.at(0));
        rest.remove(0, 1);
    }
    x = xt;
}
