// Chapter 6: the confluent hypergeometric equation and the Laguerre polynomials.
#include "pages.h"
#include "page_steps.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/text.h"
#include "notation/notation.h"

using namespace Qt::StringLiterals;

namespace {
// The common factor x^(1-c) of f and its derivatives.
void xToOneMinusC()
{
    putVars(u"x"_s);
    putSup(u"1-c"_s);
}

// Kummer's equation (6.6). Its tag is drawn first, inside the same call, so it rides in the
// formula as text, where it stands: after the equation.
void kummerEquation()
{
    formula(uR"(x\,\frac{d^2 f}{dx^2} + (c - x)\,\frac{df}{dx} - a\,f = 0 \quad \text{(6.6)})"_s,
            [] { putKummerEq(u"f"_s); });
}

// (1 - c) with the spaced minus, as the numerators write it.
void oneMinusC()
{
    putText(u"1"_s);
    putMinus();
    putVars(u"c"_s);
}

void p6_1Statement()
{
    putText(u"　合流型超幾何微分方程式"_s);
    skipLines(1.5f);
    kummerEquation();
    rowAt(ds().leftMargin, 1.5f);
    putText(u"に対して，変数変換"_s);

    skipLines(1.2f);
    ds().penX = float(ds().tab40);
    putText(u"(6.9)"_s);
    ds().penX = float(ds().tab5);
    formula(uR"(f(x) = x^{1-c}\,u(x))"_s, [] {
        putFuncOf(u"f"_s, u"x"_s);
        putText(u"  =  "_s);
        xToOneMinusC();
        skipPx(6);
        putFuncOf(u"u"_s, u"x"_s);
    });

    rowAt(ds().leftMargin, 1.2f);
    putText(u"を行うと，関数 "_s);
    formula(u"u(x)"_s, [] { putFuncOf(u"u"_s, u"x"_s); });
    putText(u" もまた同じ形の微分方程式"_s);
}

// x u'' + (2 - c - x) u' - (a + 1 - c) u = 0
void p6_1TransformedEquation()
{
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(x\,\frac{d^2 u}{dx^2} + (2 - c - x)\,\frac{du}{dx} - (a + 1 - c)\,u = 0)"_s);
    putVars(u"x"_s);
    skipPx(8);
    putDeriv2(u"u"_s, u"x"_s);
    putText(u"  ＋  ("_s);
    skipPx(3);
    putText(u"2"_s);
    putMinus();
    putVars(u"c"_s);
    putMinus();
    putVars(u"x"_s);
    skipPx(3);
    putText(u") "_s);
    putDeriv(u"u"_s, u"x"_s);
    putText(u"  －  ("_s);
    skipPx(3);
    putVars(u"a"_s);
    skipPx(2);
    putText(u"+"_s);
    skipPx(2);
    oneMinusC();
    skipPx(3);
    putText(u") "_s);
    skipPx(4);
    putVars(u"u"_s);
    putText(u"  ＝  0"_s);
}

// df/dx = d/dx (x^(1-c) u) = x^(1-c) ( du/dx + (1-c)/x u )
void p6_1FirstDerivative(PageContext& page)
{
    rowAt(ds().tab5, 1.5f);
    page.markY = ds().penY;
    FormulaScope meaning(pic(), uR"(\frac{df}{dx} = \frac{d}{dx}(x^{1-c}\,u) = x^{1-c} \left( \frac{du}{dx} + \frac{1-c}{x}\,u \right))"_s);
    putDeriv(u"f"_s, u"x"_s);
    skipW(1.4f);
    putText(u"＝"_s);
    skipW(1);
    putFrac(u"d"_s, u"dx"_s);
    skipPx(3);
    putText(u"("_s);
    skipPx(4);
    xToOneMinusC();
    skipPx(4);
    putVars(u"u"_s);
    skipPx(3);
    putText(u")"_s);
    putText(u"  =  "_s);
    xToOneMinusC();
    skipPx(6);
    putBigLParen(ds().penX, ds().penY);
    skipW(1);
    putDeriv(u"u"_s, u"x"_s);
    skipW(1);
    putText(u"＋"_s);
    skipW(0.8f);
    const float barX = ds().penX;
    putText(u"──"_s);
    skipPx(-4);
    putText(u"─"_s);
    skipPx(6);
    putVars(u"u"_s);
    skipPx(4);
    putBigRParen(ds().penX, ds().penY);

    penAt(barX + 2.0, page.markY - 11.0);
    oneMinusC();
    penAt(barX + 19.0, page.markY + 10.0);
    putVars(u"x"_s);
}

// d²f/dx² = x^(1-c) ( d²u/dx² + 2(1-c)/x du/dx + (1-c)(-c)/x² u )
void p6_1SecondDerivative(PageContext& page)
{
    ds().penY = page.markY;
    rowAt(ds().tab5, 2.2f);
    page.markY = ds().penY;
    FormulaScope meaning(pic(), uR"(\frac{d^2 f}{dx^2} = x^{1-c} \left( \frac{d^2 u}{dx^2} + \frac{2(1-c)}{x}\,\frac{du}{dx} + \frac{(1-c)(-c)}{x^2}\,u \right))"_s);
    putDeriv2(u"f"_s, u"x"_s);
    putText(u"  ＝  "_s);
    xToOneMinusC();
    skipPx(4);
    putBigLParen(ds().penX, ds().penY);
    skipW(1);
    putDeriv2(u"u"_s, u"x"_s);
    putText(u"  ＋  "_s);
    page.markX2 = ds().penX;
    putText(u"────"_s);
    skipW(-0.5f);
    putText(u"─"_s);
    skipPx(8);
    putDeriv(u"u"_s, u"x"_s);
    putText(u"  ＋  "_s);
    page.markX3 = ds().penX;
    putText(u"──────"_s);
    skipPx(4);
    putVars(u"u"_s);
    skipPx(4);
    putBigRParen(ds().penX, ds().penY);

    penAt(page.markX2 + 2.0, page.markY - 12.0);
    putText(u"2"_s);
    skipPx(4);
    putText(u"("_s);
    skipPx(2);
    oneMinusC();
    skipPx(2);
    putText(u")"_s);
    ds().penX = page.markX3;
    putText(u"("_s);
    skipPx(2);
    oneMinusC();
    skipPx(2);
    putText(u")"_s);
    skipPx(2);
    putText(u"("_s);
    putCourier(u"-"_s);
    putVars(u"c"_s);
    putText(u")"_s);

    penAt(page.markX2 + 3.0 * ds().chW, page.markY + 11.0);
    putVars(u"x"_s);
    penAt(page.markX3 + 4.0 * ds().chW, page.markY + 13.0);
    putXSquared();
}

// L_n(x) at the pen.
void laguerreL()
{
    putVars(u"L"_s);
    putSub(u"n"_s);
    dspArgX(pic(), ds().penX, ds().penY);
}

// Laguerre's equation and Kummer's, of which it is a special case.
void laguerreAndKummerEquations()
{
    putText(u"　ラゲールの微分方程式"_s);
    skipLines(1.5f);
    // As with Kummer's, the tag is drawn inside the call.
    formula(uR"(x\,\frac{d^2 f}{dx^2} + (1 - x)\,\frac{df}{dx} + n\,f = 0 \quad \text{(5.75)})"_s,
            [] { putLaguerreEq(u"f"_s); });

    rowAt(ds().leftMargin, 1.5f);
    putText(u"は，合流型超幾何微分方程式"_s);
    skipLines(1.5f);
    kummerEquation();
}

// The task: L_n(x) through F(a, c; x), its constant fixed by L_n(0) = n!.
void laguerreAsKummerTask()
{
    skipLines(1.5f);
    ds().penX = float(ds().leftMargin);
    putText(u"の特別な場合である。これを用いて，ラゲール多項式 "_s);
    formula(u"L_n(x)"_s, [] { laguerreL(); });
    putText(u"  を "_s);
    newLine();
    putText(u"クンマー (Kummer) 関数 "_s);
    // The closing parenthesis is drawn in one piece with the prose after it.
    formula(uR"(F(a, c; x)\text{ で表せ。})"_s, [] {
        putVars(u"F"_s);
        skipPx(2);
        putText(u"("_s);
        skipPx(2);
        putVars(u"a, c ; x"_s);
        skipPx(2);
        putText(u") で表せ。"_s);
    });
    putText(u"ただし，定数因子は"_s);

    skipLines(1.2f);
    ds().penX = float(ds().tab5);
    formula(u"L_n(0) = n!"_s, [] {
        putVars(u"L"_s);
        putSub(u"n"_s);
        putText(u"(0)  =  "_s);
        putVars(u"n"_s);
        putFactorial();
    });

    skipLines(1.2f);
    ds().penX = float(ds().leftMargin);
    putText(u"となることに注意して決めよ。"_s);
}

// L_n(x) = n! F(−n, 1; x).
void laguerreAsKummerSolution()
{
    ds().penX = float(ds().leftMargin);
    skipLines(1.5f);
    putColored(u"[解 6.4]："_s);
    putText(u"　"_s);

    ds().penX = float(ds().tab5);
    skipLines(1.5f);
    FormulaScope meaning(pic(), uR"(L_n(x) = n!\,F(-n, 1; x))"_s);
    laguerreL();
    putText(u"  =  "_s);
    putVars(u"n"_s);
    putFactorial();
    skipPx(6);
    putVars(u"F"_s);
    skipPx(1);
    putText(u"("_s);
    skipPx(2);
    putText(u"-"_s);
    putVars(u"n, "_s);
    putText(u"1"_s);
    skipPx(2);
    putVars(u"; x"_s);
    skipPx(2);
    putText(u")"_s);
}
}  // namespace

void p6_1(PageContext& page)
{
    putColored(page.entry + u"　p. 121."_s);
    p6_1Statement();
    p6_1TransformedEquation();
    rowAt(ds().leftMargin, 1.5f);
    putText(u"を満たすことを示せ。"_s);

    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 6.1]："_s);
    putText(u"(6.9) を "_s);
    varsInProse(u"x"_s);
    putText(u" で微分すると，"_s);
    p6_1FirstDerivative(page);
    p6_1SecondDerivative(page);

    ds().penY = page.markY;
    rowAt(ds().leftMargin, 1.8f);
    putText(u"これらを (6.6) に代入すればよい。"_s);
}

void p6_4(PageContext& page)
{
    putColored(page.entry + u"　p. 121."_s);
    laguerreAndKummerEquations();
    laguerreAsKummerTask();
    laguerreAsKummerSolution();
}
