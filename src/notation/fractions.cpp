// Fractions from two marked-up texts ("^" superscript, "_" subscript, Greek names),
// both rows centred over one bar, laid out in a temporarily scaled font.
#include "notation.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/greek_letters.h"
#include "canvas/markup.h"
#include "canvas/operators.h"
#include "canvas/text.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
bool isLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// A letter is drawn as an enlarged italic variable; estimate it in the italic face.
double letterWidth(Surface& s, QChar c)
{
    StyleScope keep(s);
    s.FontName = ds().hasBookman == 1 ? u"Bookman Old Style"_s : u"Times New Roman"_s;
    return 1.3 * s.TextWidth(QString(c));
}

// Offsets in whole pixels from the scale as a Single: 10 × 0.9f is just under 9.
long scaledFloor(double pixels, float scale) { return long(std::floor(pixels * double(scale))); }

void drawNumerator(float x, float y, QString rest)
{
    Surface& s = pic();
    if (rest == u"y"_s) {
        // The italic y hangs low; lift it.
        dspVar(s, x, y - 2, rest);
        return;
    }
    while (!rest.isEmpty()) {
        if (rest.startsWith(u'^')) {
            x += 2;
            dspSup(s, x, y, rest.mid(1));
            return;
        }
        if (rest.startsWith(u'_')) {
            dspSub(s, x, y, rest.mid(1));
            return;
        }
        if (rest.startsWith(u"alpha"_s)) {
            dspGreek(s, x, y, symbolText(greek(u"alpha")));
            rest.remove(0, 5);
        } else if (rest.startsWith(u"pi"_s)) {
            dspBigPi(s, x, y);
            rest.remove(0, 2);
        } else {
            dspTerm(s, x, y, rest.left(1));
            rest.remove(0, 1);
        }
    }
}

void drawDenominator(float x, float y, float scale, QString rest)
{
    Surface& s = pic();
    while (!rest.isEmpty()) {
        if (rest.startsWith(u'^')) {
            x += 2;
            dspSup(s, x, y, rest.mid(1, 1));
            rest.remove(0, 2);
        } else if (rest.startsWith(u'_')) {
            dspSub(s, x, y, rest.mid(1));
            return;
        } else if (rest.startsWith(u"omega"_s)) {
            x = float(x + 0.3 * ds().chW);
            dspOmega(s, x, y);
            rest.remove(0, 5);
        } else if (rest.startsWith(u"pi"_s)) {
            x = float(x + 0.2 * ds().chW * scale);
            dspBigPi(s, x, float(y - 0.03 * ds().lineH * scale));
            rest.remove(0, 2);
        } else if (rest.startsWith(u"epsln"_s)) {
            x = float(x + 0.4 * ds().chW);
            dspEpsilon(s, x, float(y - 0.03 * ds().lineH));
            rest.remove(0, 5);
        } else {
            dspTerm(s, x, y, rest.left(1));
            rest.remove(0, 1);
        }
    }
}
}  // namespace

long markupWidth(const QString& text)
{
    static const std::array<QString, 5> greek = {u"alpha"_s, u"beta"_s,
                                                 u"omega"_s, u"pi"_s,
                                                 u"epsln"_s};
    Surface& s = pic();
    double w = 0;
    QString rest = text;
    while (!rest.isEmpty()) {
        const auto name = std::find_if(greek.begin(), greek.end(), [&](const QString& g) { return rest.startsWith(g); });
        if (name != greek.end()) {
            w += s.TextWidth(u"w"_s);
            rest.remove(0, name->size());
            continue;
        }
        const QChar c = rest.at(0);
        rest.remove(0, 1);
        if (c == u'^' || c == u'_') continue;
        w += isLetter(c) ? letterWidth(s, c) : s.TextWidth(QString(c));
    }
    return roundHalfEven(w);
}

void putFracScaled(float scale, const QString& num, const QString& den)
{
    Surface& s = pic();
    StyleScope keep(s);
    s.FontSize = s.FontSize * scale;
    const long wN = markupWidth(num);
    const long wD = markupWidth(den);
    const double L = maxD(double(wN), double(wD)) + s.TextWidth(u"p"_s);

    const long raise = scaledFloor(num.contains(u'_') ? 12 : 10, scale);
    drawNumerator(float(ds().penX + (L - wN) / 2), float(ds().penY - raise), num);
    const long drop = long(std::floor(13 * double(scale) + 0.5));
    drawDenominator(float(ds().penX + (L - wD) / 2), float(ds().penY + drop), scale, den);

    const float yBar = ds().penY + 12;
    const float xEnd = float(ds().penX + L);
    s.Line(ds().penX, yBar, xEnd, yBar);
    ds().penX = xEnd;
}

void putFrac(const QString& num, const QString& den) { putFracScaled(1.0f, num, den); }
void putFracSmall(const QString& num, const QString& den) { putFracScaled(0.8f, num, den); }
void putFracMid(const QString& num, const QString& den) { putFracScaled(0.9f, num, den); }
