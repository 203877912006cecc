#include "text.h"

#include "drawing_state.h"

using namespace Qt::StringLiterals;

namespace {
const QString meiryo = u"メイリオ"_s;
const QChar fullWidthComma(0xFF0C);
}  // namespace

void dspPlain(Surface& s, float& x, float y, const QString& text)
{
    s.CurrentX = x;
    s.CurrentY = y;
    s.Print(text);
    x = s.CurrentX;
}

void dspInFont(Surface& s, const QString& font, float& x, float y, const QString& text)
{
    StyleScope keep(s);
    s.FontName = font;
    dspPlain(s, x, y, text);
}

void dspGothic(Surface& s, float& x, float y, const QString& text)
{
    dspInFont(s, u"ＭＳ ゴシック"_s, x, y, text);
}

void dspText(Surface& s, float& x, float y, const QString& text)
{
    if (s.FontName != meiryo) {
        dspPlain(s, x, y, text);
        return;
    }
    QString rest = text;
    if (rest.startsWith(u'-')) {
        dspCourier(s, x, y, u"-"_s);
        rest.remove(0, 1);
    }
    // Full-width commas come from the Gothic face, set a little lower.
    while (!rest.isEmpty()) {
        const qsizetype k = rest.indexOf(fullWidthComma);
        if (k < 0) {
            dspPlain(s, x, y, rest);
            return;
        }
        dspPlain(s, x, y, rest.left(k));
        const double h = s.TextHeight(u"A"_s);
        dspGothic(s, x, float(y + 0.15 * h), QString(fullWidthComma));
        rest.remove(0, k + 1);
    }
}

void dspVar(Surface& s, float& x, float y, const QString& text)
{
    if (ds().hasBookman == 0) ds().hasBookman = fontExists(u"Bookman Old Style"_s) ? 1 : -1;
    StyleScope keep(s);
    s.FontItalic = true;
    s.FontSize = float(1.15 * s.FontSize);
    if (ds().hasBookman == 1) {
        dspInFont(s, u"Bookman Old Style"_s, x, y, text);
    } else {
        s.FontBold = true;
        // The fallback italic v reads like a nu; Century's v is clearer, one pixel higher.
        if (text == u"v"_s)
            dspInFont(s, u"Century"_s, x, y - 1, text);
        else
            dspInFont(s, u"Times New Roman"_s, x, y, text);
    }
}

void dspCourier(Surface& s, float& x, float y, const QString& text)
{
    StyleScope keep(s);
    s.FontSize = float(1.2 * s.FontSize);
    dspInFont(s, u"Courier New"_s, x, y, text);
}

void dspSymbol(Surface& s, float& x, float y, const QString& text)
{
    dspInFont(s, u"Symbol"_s, x, y, text);
}

void dspGreek(Surface& s, float& x, float y, const QString& text)
{
    StyleScope keep(s);
    s.FontItalic = true;
    dspInFont(s, u"Symbol"_s, x, y, text);
}

void dspOmega(Surface& s, float& x, float y)
{
    StyleScope keep(s);
    if (ds().hasBookman != 1) s.FontBold = true;
    s.FontItalic = true;
    const double h = s.TextHeight(u"A"_s);
    dspText(s, x, float(y - 0.05 * h), u"ω"_s);
}

void dspPhi(Surface& s, float& x, float y, StyleScope& caller)
{
    s.FontItalic = true;
    dspText(s, x, y, u"φ"_s);
    // φ has always turned italic off after itself rather than back to what it found,
    // and so does whatever draws it, to its end; the pages were set with that.
    s.FontItalic = false;
    caller.leaveItalicOff();
}

void putText(const QString& s) { dspText(*ds().curPic, ds().penX, ds().penY, s); }

void putFactorial()
{
    ds().penX = float(double(ds().penX) + 3);
    dspText(*ds().curPic, ds().penX, ds().penY, u"!"_s);
}
