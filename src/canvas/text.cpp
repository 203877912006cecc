#include "text.h"

#include "drawing_state.h"

namespace {
const QString meiryo = QStringLiteral("メイリオ");
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
    const QString saved = s.FontName;
    s.FontName = font;
    dspPlain(s, x, y, text);
    s.FontName = saved;
}

void dspGothic(Surface& s, float& x, float y, const QString& text)
{
    dspInFont(s, QStringLiteral("ＭＳ ゴシック"), x, y, text);
}

void dspText(Surface& s, float& x, float y, const QString& text)
{
    if (s.FontName != meiryo) {
        dspPlain(s, x, y, text);
        return;
    }
    QString rest = text;
    if (rest.startsWith(u'-')) {
        dspCourier(s, x, y, QStringLiteral("-"));
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
        const double h = s.TextHeight(QStringLiteral("A"));
        dspGothic(s, x, float(y + 0.15 * h), QString(fullWidthComma));
        rest.remove(0, k + 1);
    }
}

void dspVar(Surface& s, float& x, float y, const QString& text)
{
    if (ds().hasBookman == 0) ds().hasBookman = fontExists(QStringLiteral("Bookman Old Style")) ? 1 : -1;
    const bool bold = s.FontBold, italic = s.FontItalic;
    const float size = s.FontSize;
    s.FontItalic = true;
    s.FontSize = float(1.15 * size);
    if (ds().hasBookman == 1) {
        dspInFont(s, QStringLiteral("Bookman Old Style"), x, y, text);
    } else {
        s.FontBold = true;
        // The fallback italic v reads like a nu; Century's v is clearer, one pixel higher.
        if (text == QStringLiteral("v"))
            dspInFont(s, QStringLiteral("Century"), x, y - 1, text);
        else
            dspInFont(s, QStringLiteral("Times New Roman"), x, y, text);
    }
    s.FontBold = bold;
    s.FontItalic = italic;
    s.FontSize = size;
}

void dspCourier(Surface& s, float& x, float y, const QString& text)
{
    const float size = s.FontSize;
    s.FontSize = float(1.2 * size);
    dspInFont(s, QStringLiteral("Courier New"), x, y, text);
    s.FontSize = size;
}

void dspSymbol(Surface& s, float& x, float y, const QString& text)
{
    dspInFont(s, QStringLiteral("Symbol"), x, y, text);
}

void dspGreek(Surface& s, float& x, float y, const QString& text)
{
    const bool italic = s.FontItalic;
    s.FontItalic = true;
    dspInFont(s, QStringLiteral("Symbol"), x, y, text);
    s.FontItalic = italic;
}

void dspOmega(Surface& s, float& x, float y)
{
    const bool bold = s.FontBold, italic = s.FontItalic;
    if (ds().hasBookman != 1) s.FontBold = true;
    s.FontItalic = true;
    const double h = s.TextHeight(QStringLiteral("A"));
    dspText(s, x, float(y - 0.05 * h), QStringLiteral("ω"));
    s.FontBold = bold;
    s.FontItalic = italic;
}

void putText(const QString& s) { dspText(*ds().curPic, ds().penX, ds().penY, s); }

void putFactorial()
{
    ds().penX = float(double(ds().penX) + 3);
    dspText(*ds().curPic, ds().penX, ds().penY, QStringLiteral("!"));
}
