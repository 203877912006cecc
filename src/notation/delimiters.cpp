// Partial derivatives, Jacobians and tall delimiters.
#include "notation.h"

#include "canvas/drawing_state.h"
#include "canvas/greek_letters.h"
#include "canvas/markup.h"
#include "canvas/operators.h"
#include "canvas/text.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {
const QString partialSign = symbolChar(symbol_code::partial);

// Draws the Greek name that `rest` begins with; returns its length, 0 if none.
qsizetype drawGreekName(Surface& s, float& x, float y, QStringView rest)
{
    if (rest.startsWith(u"theta")) {
        dspGreek(s, x, y, symbolText(greek(u"theta")));
        return 5;
    }
    if (rest.startsWith(u"phi")) {
        StyleScope keep(s);
        dspPhi(s, x, y, keep);
        return 3;
    }
    if (rest.startsWith(u"fi")) {
        dspGreek(s, x, y, symbolText(greek(u"fi")));
        return 2;
    }
    return 0;
}

bool isGreekName(const QString& s)
{
    return s == u"theta"_s || s == u"phi"_s || s == u"fi"_s;
}

// ∂ and a variable list, the row of a derivative inside tall parentheses.
void drawPartialRow(float& x, float y, const QString& list)
{
    dspSymbol(pic(), x, y, partialSign);
    x += 2;
    dspVarList(pic(), x, y, list);
}

// ∂ ( list ) at the pen: one row of a Jacobian.
void putJacobianRow(const QString& list)
{
    putPartialSign();
    skipPx(2);
    putText(u"("_s);
    skipPx(2);
    dspVarList(pic(), ds().penX, ds().penY, list);
    skipPx(4);
    putText(u")"_s);
}

struct DelimPieces {
    unsigned char upper, lower;
    bool squareBracket;
};
}  // namespace

void dspVarList(Surface& s, float& x, float y, const QString& list)
{
    float xl = x;
    const qsizetype n = list.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = list.at(i);
        if (i == n - 1) {
            dspVar(s, xl, y, QString(c));
            break;
        }
        if (c == u',' || c == u' ') {
            dspVar(s, xl, y, QString(c));
            i += 1;
        } else if (list.at(i + 1) == u',') {
            dspVar(s, xl, y, list.mid(i, 2));
            i += 2;
        } else if (const qsizetype used = drawGreekName(s, xl, y, QStringView(list).mid(i))) {
            i += used;
        } else {
            // Outside the list format (a longer name, letters without a comma):
            // draw the letter on its own and go on.
            dspVar(s, xl, y, QString(c));
            i += 1;
        }
    }
    x = xl;
}

void putPartial(const QString& num, const QString& den)
{
    const float y0 = ds().penY, x0 = ds().penX;
    Surface& s = pic();
    const qsizetype tilde = num.indexOf(u"tilde"_s);
    double wN = 0, wD = 0;
    {
        // Widths in the bold fallback italic face; "N" stands in for the ∂ sign.
        StyleScope measuring(s);
        s.FontBold = true;
        s.FontName = u"Times New Roman"_s;
        wN = s.TextWidth((tilde >= 0 ? num.mid(tilde + 5) : num) + u"N"_s);
        wD = s.TextWidth(isGreekName(den) ? u"Nb"_s : den + u"N"_s);
    }
    // Then the prose face, not bold, whatever it found: for the rest of the derivative
    // and after it. The pages were set with that.
    s.FontBold = false;
    s.FontName = u"メイリオ"_s;

    const float yBar = float(y0 + 0.4 * ds().lineH);
    s.Line(x0, yBar, float(x0 + maxD(wN, wD) + 4), yBar);

    // The shorter row is moved right by 0.45 of the difference, a shade left of centre.
    float xN = x0;
    if (num.isEmpty())
        xN = float(x0 + 0.6 * ds().chW);
    else if (wD > wN)
        xN = float(x0 + 0.45 * (wD - wN));
    const float yN = y0 - 13;
    dspSymbol(s, xN, yN, partialSign);
    xN += 2;
    if (tilde >= 0) {
        ds().penX = xN;
        ds().penY = yN;
        putTilde(num.right(1));
    } else {
        dspVar(s, xN, yN, num);
    }

    float xD = wN > wD ? float(x0 + 0.45 * (wN - wD)) : x0;
    const float yD = y0 + 10;
    dspSymbol(s, xD, yD, partialSign);
    xD += 2;
    if (isGreekName(den))
        drawGreekName(s, xD, yD, den);
    else
        dspVar(s, xD, yD, den);

    ds().penX = xD;
    ds().penY = y0;
}

void putJacobian(const QString& a, const QString& b)
{
    const float y0 = ds().penY, x0 = ds().penX;
    ds().penY = y0 - 13;
    putJacobianRow(a);
    ds().penX = x0;
    ds().penY = y0 + 13;
    putJacobianRow(b);
    pic().Line(x0, y0 + 12, ds().penX, y0 + 12);
    ds().penY = y0;
}

void putPartialParen(const QString& num, const QString& den, const QString& held)
{
    const float y0 = ds().penY;
    const float xs = ds().penX + 12;
    putBigLParen(ds().penX, y0);
    // A fixed bar: the rows are single variables in practice.
    pic().Line(ds().penX + 10, y0 + 12, ds().penX + 38, y0 + 12);
    float x = xs;
    drawPartialRow(x, y0 - 10, num);
    x = xs;
    drawPartialRow(x, y0 + 12, den);
    x += 5;
    putBigRParen(x, y0);
    x += 8;
    dspSub(pic(), x, y0 + 10, held);
    ds().penX = x;
}

void putBigDelim(float& x, float y, int kind)
{
    static constexpr std::array<DelimPieces, 4> pieces = {{
        {symbol_code::parenLeftTop, symbol_code::parenLeftBottom, false},
        {symbol_code::parenRightTop, symbol_code::parenRightBottom, false},
        {symbol_code::bracketLeftTop, symbol_code::bracketLeftBottom, true},
        {symbol_code::bracketRightTop, symbol_code::bracketRightBottom, true},
    }};
    if (kind < 1 || kind > 4) return;
    const DelimPieces& p = pieces[size_t(kind - 1)];
    const long rise = p.squareBracket ? ds().bracketRise + 1 : 6;
    Surface& s = pic();
    StyleScope keep(s);
    s.FontBold = true;
    s.FontName = u"Symbol"_s;
    qint32 xi = qint32(roundHalfEven(x));
    gdiPut(s, xi, qint32(roundHalfEven(double(y) - rise)), p.upper, 1);
    xi = qint32(roundHalfEven(x));
    gdiPut(s, xi, qint32(roundHalfEven(double(y) + 2 + rise)), p.lower, 1);
    keep.leaveBoldOff();  // turned off after the pieces, not back: the pages were set with that
}

void putBigLParen(float& x, float y) { putBigDelim(x, y, 1); }
void putBigRParen(float& x, float y) { putBigDelim(x, y, 2); }
void putBigLBracket(float& x, float y) { putBigDelim(x, y, 3); }
void putBigRBracket(float& x, float y) { putBigDelim(x, y, 4); }
