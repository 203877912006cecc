// Chapter 5: Legendre and Hermite polynomials, spherical harmonics and the
// associated Legendre functions.
#include "pages.h"
#include "page_steps.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/markup.h"
#include "canvas/operators.h"
#include "canvas/text.h"
#include "notation/notation.h"

using namespace Qt::StringLiterals;

namespace {
void tagAt(double x, const QString& tag)
{
    ds().penX = float(x);
    putText(tag);
}

double column(double k) { return ds().leftMargin + k * ds().chW; }

void integralMinus1To1() { dspIntegral(pic(), ds().penX, ds().penY, u"1"_s, u"-1"_s); }
void sqrtPi() { dspSqrtPi(pic(), ds().penX, ds().penY); }
void bigLBracket() { putBigLBracket(ds().penX, ds().penY); }
void bigRBracket() { putBigRBracket(ds().penX, ds().penY); }
void bigLParen() { putBigLParen(ds().penX, ds().penY); }
void bigRParen() { putBigRParen(ds().penX, ds().penY); }

// "+ 1" with the thin gaps the factors (n + 1) and (2n + 1) are written with.
void spacedPlusOne()
{
    skipPx(2);
    putText(u"+"_s);
    skipPx(2);
    putText(u"1"_s);
}

// (1 − x²) with the tight Courier minus of the associated Legendre rows.
void tightOneMinusX2()
{
    putText(u"(1"_s);
    putCourier(u"-"_s);
    putXSquared();
    putText(u")"_s);
}

// (1 − x²) with the spaced minus sign.
void spacedOneMinusX2()
{
    putText(u"(1"_s);
    putMinus();
    putXSquared();
    putText(u")"_s);
}

// ---- 5.5: the generating function and the three-term recurrence ----

// "1 − 2tx + ": the start of 1 − 2tx + t².
void oneMinus2tx()
{
    putText(u"1"_s);
    putMinus();
    putText(u"2"_s);
    skipPx(4);
    putVars(u"t"_s);
    skipPx(6);
    putVars(u"x"_s);
    putText(u" + "_s);
}

// Σ P_n(x) tⁿ
void seriesPnTn()
{
    putSumN0Inf();
    skipW(1.5f);
    putPOfX(u"n"_s);
    skipPx(8);
    putVars(u"t"_s);
    skipPx(2);
    putSup(u"n"_s);
}

// Σ n P_n(x) t^{n−1}
void seriesNPnTnm1()
{
    putSumN0Inf();
    skipW(1.5f);
    putVars(u"n"_s);
    skipPx(8);
    putPOfX(u"n"_s);
    skipPx(8);
    putVars(u"t"_s);
    skipPx(2);
    putSup(u"n-1"_s);
}

// P_p(x) t^power, with the given gap before t.
void pTimesPower(const QString& p, short gap, const QString& power)
{
    putPOfX(p);
    skipPx(gap);
    putVars(u"t"_s);
    putSup(power);
}

// Σ n P_n t^power in the reduced-size rows.
void smallSeriesNPn(const QString& power)
{
    putSumN0Inf();
    skipPx(6);
    putVars(u"n"_s);
    skipPx(2);
    pTimesPower(u"n"_s, 2, power);
}

void generatingFunction(PageContext& page)
{
    newLine();
    putText(u"ルジャンドル多項式 "_s);
    formula(u"P_n(x)"_s, [] { putPOfX(u"n"_s); });
    putText(u" の母関数は"_s);
    skipLines(1.5f);
    tagAt(ds().tab40, u"(5.38)"_s);
    ds().penX = float(ds().tab5);
    FormulaScope meaning(pic(), uR"(g(t, x) \equiv \frac{1}{\sqrt{1 - 2tx + t^2}} = \sum_{n=0}^{\infty} P_n(x)\,t^n)"_s);
    putVars(u"g"_s);
    skipPx(4);
    putText(u"("_s);
    putVars(u"t, x"_s);
    putText(u")  ≡  "_s);
    page.markX2 = ds().penX;
    putText(u"────────  ＝  "_s);
    seriesPnTn();

    float numeratorX = float(page.markX2 + 4.5 * ds().chW);
    dspText(pic(), numeratorX, float(ds().penY - 0.5 * ds().lineH), u"1"_s);

    skipLines(0.7f);
    ds().penX = float(page.markX2 + 1.2 * ds().chW);
    oneMinus2tx();
    putVars(u"t"_s);
    float squareX = float(ds().penX + 1);
    dspSup(pic(), squareX, float(ds().penY + 1), u"2"_s);

    dspRadical(pic(), page.markX2, ds().penY, 0);
    pic().Line(float(page.markX2 - 1), ds().penY, float(page.markX2 - 1), float(ds().penY - 2), ds().lineColor);
    pic().LineStep(float(10.5 * ds().chW), 0, ds().lineColor);
}

void parameterDerivative(PageContext& page)
{
    rowAt(ds().leftMargin, 1.2f);
    putText(u"パラメータ "_s);
    varsInProse(u"t"_s);
    putText(u" で偏微分すると"_s);
    skipLines(1.5f);
    tagAt(ds().tab40 + 2.0 * ds().chW, u"(5.50)"_s);
    ds().penX = float(ds().tab5);
    // The middle fraction's numerator and denominator are drawn after the row.
    FormulaScope meaning(pic(), uR"(\frac{\partial g}{\partial t} = \frac{x - t}{1 - 2tx + t^2}\,g = \sum_{n=0}^{\infty} n\,P_n(x)\,t^{n-1})"_s);
    putPartial(u"g"_s, u"t"_s);
    putText(u"  ＝  "_s);
    page.markX2 = ds().penX;
    putText(u"──────"_s);
    skipPx(-8);
    putText(u"─"_s);
    skipPx(-1);
    putText(u"─"_s);
    putVars(u" g"_s);
    putText(u"  ＝  "_s);
    seriesNPnTnm1();

    rowAt(page.markX2 + 3.0 * ds().chW, -0.5f);
    putVars(u"x"_s);
    putMinus();
    putVars(u"t"_s);
    skipLines(1.1f);
    ds().penX = float(page.markX2 + 0.5 * ds().chW);
    oneMinus2tx();
    putSquared(u"t"_s);
}

void recurrenceToDerive()
{
    rowAt(ds().leftMargin, 1.2f);
    putText(u"となる。これを利用して，3 項漸化式"_s);
    skipLines(1.2f);
    tagAt(ds().tab40 + 3.0 * ds().chW, u"(5.47)"_s);
    ds().penX = float(ds().tab5);
    {
        FormulaScope meaning(pic(), uR"((2n+1)\,x\,P_n(x) = (n+1)\,P_{n+1}(x) + n\,P_{n-1}(x))"_s);
        putText(u"("_s);
        putText(u"2"_s);
        putVars(u"n"_s);
        putText(u"+1)"_s);
        skipPx(6);
        putVars(u"x"_s);
        skipPx(6);
        putPOfX(u"n"_s);
        putText(u"  =  "_s);
        putText(u"("_s);
        putVars(u"n"_s);
        putText(u"+1)"_s);
        skipPx(6);
        putPOfX(u"n+1"_s);
        putText(u"  +  "_s);
        putVars(u"n"_s);
        skipPx(8);
        putPOfX(u"n-1"_s);
    }
    rowAt(ds().leftMargin, 1.2f);
    putText(u"を導け。"_s);
}

void substitutedSeries()
{
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 5.5]："_s);
    putText(u"(5.50) の中辺にある"_s);
    formula(u"g"_s, [] { putVars(u" g "_s); });
    putText(u"に (5.38) の右辺を代入すると"_s);
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"((x - t) \sum_{n=0}^{\infty} P_n(x)\,t^n = (1 - 2tx + t^2) \sum_{n=0}^{\infty} n\,P_n(x)\,t^{n-1})"_s);
    putText(u"("_s);
    skipPx(2);
    putVars(u"x"_s);
    putMinus();
    putVars(u"t"_s);
    skipPx(4);
    putText(u")"_s);
    skipPx(10);
    seriesPnTn();
    putText(u"  ＝  ("_s);
    oneMinus2tx();
    putSquared(u"t"_s);
    skipPx(4);
    putText(u")  "_s);
    seriesNPnTnm1();
}

void expandedSeries()
{
    rowAt(ds().leftMargin, 2.2f);
    StyleScope keep(pic());
    pic().FontSize = float(0.8 * ds().baseFontSize);
    FormulaScope meaning(pic(), uR"(x \sum_{n=0}^{\infty} P_n(x)\,t^n - \sum_{n=0}^{\infty} P_n(x)\,t^{n+1} = )"
                                uR"(\sum_{n=0}^{\infty} n\,P_n(x)\,t^{n-1} - 2x \sum_{n=0}^{\infty} n\,P_n(x)\,t^n + \sum_{n=0}^{\infty} n\,P_n(x)\,t^{n+1})"_s);
    putVars(u"x"_s);
    skipPx(3);
    putSumN0Inf();
    skipPx(6);
    pTimesPower(u"n"_s, 3, u"n"_s);
    putMinus();
    putSumN0Inf();
    skipPx(6);
    pTimesPower(u"n"_s, 2, u"n+1"_s);
    putText(u" ＝ "_s);
    smallSeriesNPn(u"n-1"_s);
    putMinus();
    putText(u"2"_s);
    skipPx(4);
    putVars(u"x"_s);
    skipPx(4);
    smallSeriesNPn(u"n"_s);
    putText(u" + "_s);
    smallSeriesNPn(u"n+1"_s);
}

void sumFromOne() { dspSum(pic(), ds().penX, ds().penY, u"n=1"_s, u"∞"_s); }

void shiftedSeries()
{
    rowAt(ds().leftMargin, 1.8f);
    putText(u"ここで "_s);
    varsInProse(u"t"_s);
    putText(u" のべきがそろうように和の添字をずらすなどすると"_s);
    rowAt(ds().leftMargin, 1.8f);
    StyleScope keep(pic());
    pic().FontSize = float(0.76 * ds().baseFontSize);
    FormulaScope meaning(pic(), uR"(x \sum_{n=0}^{\infty} P_n(x)\,t^n - \sum_{n=1}^{\infty} P_{n-1}(x)\,t^n = )"
                                uR"(\sum_{n=0}^{\infty} (n+1)\,P_{n+1}(x)\,t^n - 2x \sum_{n=0}^{\infty} n\,P_n(x)\,t^n )"
                                uR"(+ \sum_{n=1}^{\infty} (n-1)\,P_{n-1}(x)\,t^n)"_s);
    putVars(u"x"_s);
    skipPx(4);
    putSumN0Inf();
    skipPx(6);
    pTimesPower(u"n"_s, 3, u"n"_s);
    putMinus();
    sumFromOne();
    skipPx(6);
    pTimesPower(u"n-1"_s, 2, u"n"_s);
    skipPx(4);
    putText(u"="_s);
    skipPx(4);
    putSumN0Inf();
    skipPx(6);
    putText(u"("_s);
    putVars(u"n"_s);
    putText(u"+1)"_s);
    skipPx(2);
    pTimesPower(u"n+1"_s, 2, u"n"_s);
    skipPx(-4);
    putMinus();
    putText(u"2"_s);
    skipPx(2);
    putVars(u"x"_s);
    skipPx(4);
    smallSeriesNPn(u"n"_s);
    skipPx(2);
    putText(u"+"_s);
    skipPx(2);
    sumFromOne();
    skipPx(6);
    putText(u"("_s);
    putVars(u"n"_s);
    putText(u"-1)"_s);
    skipPx(2);
    pTimesPower(u"n-1"_s, 2, u"n"_s);
}

void coefficientsOfTn()
{
    rowAt(ds().leftMargin, 1.7f);
    putText(u"両辺の "_s);
    formula(u"t^n"_s, [] {
        putVars(u"t"_s);
        putSup(u"n"_s);
    });
    putText(u" の係数を等しいとおくと"_s);
    rowAt(column(2), 1.3f);
    FormulaScope meaning(pic(), uR"(x\,P_n(x) - P_{n-1}(x) = (n+1)\,P_{n+1}(x) - 2x\,n\,P_n(x) + (n-1)\,P_{n-1}(x))"_s);
    putVars(u"x"_s);
    skipPx(8);
    putPOfX(u"n"_s);
    putMinus();
    skipPx(4);
    putPOfX(u"n-1"_s);
    putText(u" ＝ "_s);
    skipPx(4);
    putText(u"("_s);
    putVars(u"n"_s);
    putText(u"+1)"_s);
    skipPx(2);
    putPOfX(u"n+1"_s);
    putMinus();
    putText(u"2"_s);
    skipPx(4);
    putVars(u"x"_s);
    skipPx(4);
    putVars(u"n"_s);
    skipPx(4);
    putPOfX(u"n"_s);
    putText(u" + "_s);
    skipPx(8);
    putText(u"("_s);
    putVars(u"n"_s);
    putText(u"-1)"_s);
    skipPx(2);
    putPOfX(u"n-1"_s);
}

// ---- 5.9: spherical harmonics of degree 1 ----

// "(θ, φ": the arguments up to the closing parenthesis.
void thetaPhiArgs()
{
    putText(u"("_s);
    putTheta();
    putVars(u", "_s);
    putPhi();
}

// A radical tall enough for a stacked fraction: the √ glyph set low, then its
// long stem and vinculum drawn as strokes from where the glyph's bar ended.
void tallRadical(bool withFoot)
{
    dspRadical(pic(), ds().penX, float(ds().penY + 14), 0);
    if (withFoot) pic().LineStep(-1, 0);
    pic().LineStep(5, -24);
    pic().LineStep(float(2.5 * ds().chW), 0);
}

void harmonicY11()
{
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(Y_{11}(\theta, \varphi) = -\frac{1}{\sqrt{2\pi}} \sqrt{\frac{3}{4}}\,\sin\theta\,e^{i\varphi})"_s);
    putVars(u"Y"_s);
    putSub(u"11"_s);
    thetaPhiArgs();
    skipPx(2);
    putText(u") = － "_s);
    putOneOverSqrt2Pi();
    tallRadical(true);
    skipPx(8);
    putFrac(u"3"_s, u"4"_s);
    skipPx(10);
    putSin();
    skipPx(2);
    putTheta();
    skipW(1);
    putCourier(u"e"_s);
    putSup(u"iphi"_s);
}

void harmonicY10()
{
    rowAt(ds().tab5, 2);
    FormulaScope meaning(pic(), uR"(Y_{10}(\theta, \varphi) = \frac{1}{\sqrt{2\pi}} \sqrt{\frac{3}{2}}\,\cos\theta)"_s);
    putVars(u"Y"_s);
    putSub(u"10"_s);
    thetaPhiArgs();
    skipPx(2);
    putText(u") = "_s);
    putOneOverSqrt2Pi();
    tallRadical(true);
    skipPx(8);
    putFrac(u"3"_s, u"2"_s);
    skipPx(10);
    putCos();
    skipPx(2);
    putTheta();
}

void harmonicY1m1()
{
    rowAt(ds().tab5, 2);
    FormulaScope meaning(pic(), uR"(Y_{1,-1}(\theta, \varphi) = \frac{1}{\sqrt{2\pi}} \sqrt{\frac{3}{4}}\,\sin\theta\,e^{-i\varphi})"_s);
    putVars(u"Y"_s);
    putSub(u"1，"_s);
    skipPx(-8);
    dspSub(pic(), ds().penX, float(ds().penY - 2), u"-"_s);
    putSub(u"1"_s);
    thetaPhiArgs();
    skipPx(2);
    putText(u") = "_s);
    putOneOverSqrt2Pi();
    tallRadical(false);
    skipPx(8);
    putFrac(u"3"_s, u"4"_s);
    skipPx(10);
    putSin();
    skipPx(2);
    putTheta();
    skipW(1);
    putCourier(u"e"_s);
    putSup(u"-iphi"_s);
}

// ---- 5.12: integrals of Hermite polynomials ----

// "(k) I_k = ∫" with the limits −∞ and ∞, then the integrand; all but the label
// is the formula the LaTeX reads.
template <typename Draw>
void labelledIntegral(const QString& label, const QString& index, const QString& latex, Draw integrand)
{
    putColored(label);
    skipW(1);
    FormulaScope meaning(pic(), latex);
    putVars(u"I"_s);
    putSub(index);
    putText(u" = "_s);
    intInf();
    integrand();
}

void hermiteIntegrals(PageContext& page)
{
    putText(u"　エルミート多項式 "_s);
    formula(u"H_n(x)"_s, [] { putHOfX(u"n"_s); });
    putText(u" について，次の積分を求めよ。"_s);

    rowAt(ds().tab5, 1.8f);
    page.markY = ds().penY;
    // The fraction's numerator and denominator are drawn after the rest of the row.
    labelledIntegral(u"(1)"_s, u"1"_s, uR"(I_1 = \int_{-\infty}^{\infty} H_m(x)\,\frac{dH_n(x)}{dx}\,e^{-x^2}\,dx)"_s, [&page] {
        putHOfX(u"m"_s);
        skipPx(8);
        const float barX = ds().penX;
        putText(u"────"_s);
        skipPx(10);
        putExpMinusX2();
        skipPx(2);
        putDiff(u"x"_s);
        ds().penX = float(barX + 4);
        ds().penY = float(ds().penY - 14);
        putVars(u"d"_s);
        skipPx(4);
        putHOfX(u"n"_s);
        ds().penX = float(barX + 1.5 * ds().chW);
        ds().penY = float(page.markY + 12);
        putDiff(u"x"_s);
    });

    ds().penY = page.markY;
    rowAt(ds().tab5, 2);
    labelledIntegral(u"(2)"_s, u"2"_s, uR"(I_2 = \int_{-\infty}^{\infty} H_n(x)\,x^2\,H_n(x)\,e^{-x^2}\,dx)"_s, [] {
        putHOfX(u"n"_s);
        skipPx(8);
        putXSquared();
        skipPx(8);
        putHOfX(u"n"_s);
        skipPx(10);
        putExpMinusX2();
        skipPx(2);
        putDiff(u"x"_s);
    });

    rowAt(ds().tab5, 2);
    labelledIntegral(u"(3)"_s, u"3"_s, uR"(I_3 = \int_{-\infty}^{\infty} x^n\,H_n(x)\,e^{-x^2}\,dx)"_s, [] {
        putVars(u"x"_s);
        putSup(u"n"_s);
        skipPx(8);
        putHOfX(u"n"_s);
        skipPx(8);
        putExpMinusX2();
        skipPx(2);
        putDiff(u"x"_s);
    });
}

// The part labels of the solution stand one character in from the surface's edge.
void partLabel(const QString& label, float lines)
{
    rowAt(ds().chW, lines);
    putColored(label);
}

void firstIntegral()
{
    rowAt(ds().leftMargin, 1.8f);
    putColored(u"[解 5.12]："_s);
    partLabel(u"(1)"_s, 1.2f);
    putText(u" 漸化式 (5.11) を使うと"_s);
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_1 = \int_{-\infty}^{\infty} H_m(x)\,2n\,H_{n-1}(x)\,e^{-x^2}\,dx = \sqrt{\pi}\,2^n\,n!\,\delta_{m,n-1})"_s);
    putVars(u"I"_s);
    putSub(u"1"_s);
    putText(u" = "_s);
    intInf();
    putHOfX(u"m"_s);
    skipPx(6);
    putText(u"2"_s);
    skipPx(3);
    putVars(u"n"_s);
    skipPx(6);
    putHOfX(u"n-1"_s);
    skipPx(8);
    putExpMinusX2();
    skipPx(2);
    putDiff(u"x"_s);
    putText(u" = "_s);
    sqrtPi();
    skipPx(4);
    putText(u" 2"_s);
    putSup(u"n"_s);
    skipPx(4);
    putVars(u"n"_s);
    putFactorial();
    skipPx(8);
    putDelta();
    skipPx(2);
    putSub(u"m"_s);
    dspSub(pic(), ds().penX, float(ds().penY + 2), u"，"_s);
    skipPx(-6);
    putSub(u"n-1"_s);
}

// √π 2^power: the norm factor of the Hermite polynomials.
void sqrtPiTwoTo(const QString& power)
{
    sqrtPi();
    skipW(1);
    putText(u"2"_s);
    putSup(power);
}

// (x H_n)² by (5.10): 1/4 H_(n+1)² + n H_(n+1) H_(n−1) + n² H_(n−1)².
void squaredProductExpansion()
{
    partLabel(u"(2)"_s, 1.5f);
    putText(u" (5.10) を使うと，被積分関数の一部は"_s);
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"((x\,H_n(x))^2 = \frac{1}{4} H_{n+1}(x)^2 + n\,H_{n+1}(x)\,H_{n-1}(x) + n^2\,H_{n-1}(x)^2)"_s);
    putText(u"("_s);
    skipPx(2);
    putVars(u"x"_s);
    skipPx(4);
    putHOfX(u"n"_s);
    skipPx(2);
    putText(u")"_s);
    putSup(u"2"_s);
    putText(u"  =  "_s);
    dspOneOver(pic(), ds().penX, ds().penY, u"4"_s);
    skipPx(4);
    putHOfX(u"n+1"_s);
    putSup(u"2"_s);
    putText(u" + "_s);
    putVars(u"n"_s);
    skipPx(4);
    putHOfX(u"n+1"_s);
    skipPx(4);
    putHOfX(u"n-1"_s);
    putText(u" + "_s);
    putVars(u"n"_s);
    putSup(u"2"_s);
    skipPx(4);
    putHOfX(u"n-1"_s);
    putSup(u"2"_s);
}

// I₂ term by term; returns where its "=" starts, for the row under it.
float secondIntegralTerms()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"となるから"_s);
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_2 = \frac{1}{4} \sqrt{\pi}\,2^{n+1} (n+1)! + 0 + n^2 \sqrt{\pi}\,2^{n-1} (n-1)!)"_s);
    putVars(u"I"_s);
    putSub(u"2"_s);
    const float equalsX = ds().penX;
    putText(u" = "_s);
    dspOneOver(pic(), ds().penX, ds().penY, u"4"_s);
    skipPx(4);
    sqrtPiTwoTo(u"n+1"_s);
    skipPx(2);
    putText(u"("_s);
    skipPx(2);
    putVars(u"n"_s);
    spacedPlusOne();
    skipPx(2);
    putText(u")"_s);
    putFactorial();
    putText(u"  +  0  +  "_s);
    putVars(u"n"_s);
    putSup(u"2"_s);
    skipPx(4);
    sqrtPiTwoTo(u"n-1"_s);
    putText(u"("_s);
    skipPx(2);
    putVars(u"n"_s);
    skipPx(2);
    putCourier(u"-"_s);
    skipPx(2);
    putText(u"1"_s);
    skipPx(2);
    putText(u")"_s);
    putFactorial();
    return equalsX;
}

// = √π 2^(n−1) n! (2n + 1), under the "=" at equalsX.
void secondIntegralValue(float equalsX)
{
    rowAt(equalsX, 1.5f);
    FormulaScope meaning(pic(), uR"(= \sqrt{\pi}\,2^{n-1}\,n!\,(n + 1 + 0 + n) = \sqrt{\pi}\,2^{n-1} (2n+1)\,n!)"_s);
    putText(u" = "_s);
    sqrtPiTwoTo(u"n-1"_s);
    skipPx(4);
    putVars(u"n"_s);
    putFactorial();
    putText(u" ("_s);
    skipPx(4);
    putVars(u"n"_s);
    putText(u" + 1 + 0 + "_s);
    putVars(u"n"_s);
    skipPx(2);
    putText(u")  =  "_s);
    sqrtPiTwoTo(u"n-1"_s);
    putText(u" ("_s);
    skipPx(2);
    putText(u"2"_s);
    skipPx(2);
    putVars(u"n"_s);
    spacedPlusOne();
    skipPx(2);
    putText(u")"_s);
    putVars(u" n"_s);
    putFactorial();
}

void secondIntegral()
{
    squaredProductExpansion();
    const float equalsX = secondIntegralTerms();
    secondIntegralValue(equalsX);
}

// "(n−2) 次多項式" followed by the given tail.
void degreeNMinus2(const QString& tail)
{
    putText(u"("_s);
    putVars(u"n"_s);
    putText(u"-2"_s);
    putText(tail);
}

void thirdIntegral()
{
    partLabel(u"(3)"_s, 1.5f);
    putText(u" (5.4) を逆に読むと"_s);
    {
        // The closing parenthesis is drawn in one piece with the words after it.
        FormulaScope meaning(pic(), uR"(x^n = 2^{-n}\,H_n(x) + (n-2)\text{ 次多項式})"_s);
        putVars(u" x"_s);
        putSup(u"n"_s);
        skipPx(8);
        putText(u"="_s);
        skipPx(8);
        putText(u"2"_s);
        putSup(u"-n"_s);
        skipPx(4);
        putHOfX(u"n"_s);
        putText(u"  +  "_s);
        degreeNMinus2(u") 次多項式"_s);
    }
    rowAt(ds().leftMargin, 1.2f);
    putText(u"と書ける。"_s);
    formula(uR"((n-2)\text{ 次多項式は })"_s, [] { degreeNMinus2(u") 次多項式は "_s); });
    formula(u"H_n(x)"_s, [] { putHOfX(u"n"_s); });
    putText(u" と直交するので"_s);
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_3 = 2^{-n} \sqrt{\pi}\,2^n\,n! = \sqrt{\pi}\,n!)"_s);
    putVars(u"I"_s);
    putSub(u"3"_s);
    putText(u"  =  "_s);
    putText(u"2"_s);
    putSup(u"-n"_s);
    skipPx(8);
    sqrtPi();
    skipPx(10);
    putText(u"2"_s);
    putSup(u"n"_s);
    putVars(u" n"_s);
    putFactorial();
    putText(u"  =  "_s);
    sqrtPi();
    skipPx(10);
    putVars(u"n"_s);
    putFactorial();
    rowAt(ds().tab5, 1.2f);
}

// ---- 5.13 and 5.14: orthogonality of the associated Legendre functions ----

// P_l^m(x) in LaTeX, for a degree and an order written as the page writes them (l, l', m, m').
QString assocPLatex(const QString& l, const QString& m) { return u"P_{%1}^{%2}(x)"_s.arg(l, m); }

// P_l^m(x) standing on its own in the prose.
void inlineAssocP(const QString& l, const QString& m)
{
    formula(assocPLatex(l, m), [&] { putAssocP(l, m); });
}

// What eigenvalueTerm draws, in LaTeX.
const QString eigenvalueTermLatex = uR"(+ (l - l')(l + l' + 1)\,P_{l}^{m}(x)\,P_{l'}^{m}(x) = 0)"_s;

// The associated Legendre equation for (lambda, mu):
// d/dx((1 − x²) dP/dx) + (λ(λ+1) − μ²/(1 − x²)) P = 0.
void associatedLegendreEquation(const QString& lambda, const QString& mu)
{
    const QString p = assocPLatex(lambda, mu);
    FormulaScope meaning(pic(), uR"(\frac{d}{dx}\left((1-x^2)\frac{d%1}{dx}\right) + \left(%2(%2+1) - \frac{%3^2}{1-x^2}\right) %1 = 0)"_s
                                    .arg(p, lambda, mu));
    putFrac(u"d"_s, u"dx"_s);
    skipPx(4);
    bigLParen();
    skipPx(6);
    tightOneMinusX2();
    skipPx(4);
    putDAssocP(lambda, mu);
    skipPx(4);
    bigRParen();
    putText(u"  ＋  "_s);
    bigLParen();
    skipPx(8);
    putVars(lambda);
    skipPx(4);
    putText(u"("_s);
    skipPx(4);
    putVars(lambda);
    skipPx(4);
    putText(u"+1) "_s);
    putMinus();
    putOverOneMinusX2(mu);
    skipPx(4);
    bigRParen();
    skipW(1);
    putAssocP(lambda, mu);
    skipPx(4);
    putText(u"  ＝  0"_s);
}

// d/dx [(1 − x²) (P_a dP_b/dx − dP_a/dx P_b) up to and including the closing
// parenthesis; the caller closes the bracket.
void openTotalDerivative(const QString& aL, const QString& aM, const QString& bL, const QString& bM)
{
    putFrac(u"d"_s, u"dx"_s);
    skipPx(4);
    bigLBracket();
    skipPx(6);
    tightOneMinusX2();
    skipPx(4);
    bigLParen();
    skipPx(4);
    putAssocP(aL, aM);
    skipPx(4);
    putDAssocP(bL, bM);
    skipPx(2);
    putMinus();
    putDAssocP(aL, aM);
    skipPx(2);
    putAssocP(bL, bM);
    skipPx(2);
    bigRParen();
}

// d/dx [(1 − x²) dP_l^m/dx] for the given lower index.
void bracketedDerivative(const QString& l)
{
    putFrac(u"d"_s, u"dx"_s);
    skipPx(4);
    bigLBracket();
    skipPx(6);
    tightOneMinusX2();
    skipPx(4);
    putDAssocP(l, u"m"_s);
    skipPx(2);
    bigRBracket();
}

// "＋ (l − l′)(l + l′ + 1) P_l^m P_l′^m = 0"
void eigenvalueTerm()
{
    putText(u"  ＋ "_s);
    putText(u"("_s);
    skipPx(2);
    putVars(u"l"_s);
    putMinus();
    putVars(u"l'"_s);
    putText(u") ("_s);
    skipPx(2);
    putVars(u"l"_s);
    skipPx(2);
    putText(u"+"_s);
    skipPx(2);
    putVars(u"l'"_s);
    putText(u"+1)"_s);
    skipPx(4);
    putAssocP(u"l"_s, u"m"_s);
    skipPx(4);
    putAssocP(u"l'"_s, u"m"_s);
    putText(u" = 0"_s);
}

void orthogonalityInL()
{
    rowAt(ds().leftMargin, 1);
    putText(u"§5.7 で示した手続きをルジャンドル陪関数 "_s);
    inlineAssocP(u"l"_s, u"m"_s);
    putText(u" に適用して，"_s);
    newLine();
    putText(u"次の直交関係を証明せよ。"_s);
    rowAt(ds().tab5, 1.5f);
    // The condition's parentheses are drawn with the "= 0" and with its words.
    FormulaScope meaning(pic(), uR"(\int_{-1}^{1} P_{l}^{m}(x)\,P_{l'}^{m}(x)\,dx = 0 \quad (l \neq l'\text{ のとき}))"_s);
    integralMinus1To1();
    skipPx(4);
    putAssocP(u"l"_s, u"m"_s);
    skipPx(8);
    putAssocP(u"l'"_s, u"m"_s);
    skipPx(6);
    putDiff(u"x"_s);
    putText(u"  ＝  0  ("_s);
    skipPx(4);
    putVars(u"l"_s);
    putText(u" ≠ "_s);
    putVars(u"l'"_s);
    putText(u" のとき"_s);
    skipPx(4);
    putText(u")"_s);
}

void equationsForLAndLPrime()
{
    rowAt(ds().leftMargin, 1.8f);
    putColored(u"[解 5.13]："_s);
    putText(u"  "_s);
    inlineAssocP(u"l"_s, u"m"_s);
    putText(u" はルジャンドル陪微分方程式"_s);
    rowAt(3 * ds().chW, 1.8f);
    associatedLegendreEquation(u"l"_s, u"m"_s);
    rowAt(ds().leftMargin, 1.5f);
    putText(u"を満たす。同様に "_s);
    inlineAssocP(u"l'"_s, u"m"_s);
    putText(u" は"_s);
    rowAt(column(2), 1.8f);
    associatedLegendreEquation(u"l'"_s, u"m"_s);
}

void differenceOfEquations()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"を満たす。ここで，[上式] × "_s);
    inlineAssocP(u"l'"_s, u"m"_s);
    putText(u" － [下式] × "_s);
    inlineAssocP(u"l"_s, u"m"_s);
    putText(u" を作ると"_s);
    rowAt(ds().leftMargin, 1.8f);
    {
        StyleScope keep(pic());
        pic().FontSize = 9;
        FormulaScope meaning(pic(), uR"(P_{l'}^{m}(x)\,\frac{d}{dx}\left[(1-x^2)\frac{dP_{l}^{m}(x)}{dx}\right] )"
                                    uR"(- P_{l}^{m}(x)\,\frac{d}{dx}\left[(1-x^2)\frac{dP_{l'}^{m}(x)}{dx}\right] )"_s
                                        + eigenvalueTermLatex);
        putAssocP(u"l'"_s, u"m"_s);
        skipPx(4);
        bracketedDerivative(u"l"_s);
        skipPx(8);
        putMinus();
        putAssocP(u"l"_s, u"m"_s);
        skipPx(4);
        bracketedDerivative(u"l'"_s);
        eigenvalueTerm();
    }

    rowAt(ds().leftMargin, 1.5f);
    putText(u"が得られる。これは"_s);
    rowAt(ds().leftMargin, 1.7f);
    StyleScope keep(pic());
    pic().FontSize = 10.5;
    FormulaScope meaning(pic(), uR"(\frac{d}{dx}\left[(1-x^2)\left(P_{l'}^{m}(x)\frac{dP_{l}^{m}(x)}{dx} - \frac{dP_{l'}^{m}(x)}{dx}P_{l}^{m}(x)\right)\right] )"_s
                                    + eigenvalueTermLatex);
    openTotalDerivative(u"l'"_s, u"m"_s, u"l"_s, u"m"_s);
    skipPx(8);
    bigRBracket();
    eigenvalueTerm();
}

void integratedOverMinus1To1()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"と書き直せる。これを "_s);
    varsInProse(u"x"_s);
    putText(u" について "_s);
    {
        // The limits' digits are drawn in one piece with the words around them.
        FormulaScope meaning(pic(), uR"(-1\text{ から }1\text{ まで積分すると，第 1 項は }0\text{ になり})"_s);
        putCourier(u"-"_s);
        putText(u"1 から 1 まで積分すると，第 1 項は 0 になり"_s);
    }
    newLine();
    putText(u"第 2 項だけが残る。"_s);
    rowAt(ds().tab5, 1.5f);
    {
        FormulaScope meaning(pic(), uR"((l - l')(l + l' + 1) \int_{-1}^{1} P_{l}^{m}(x)\,P_{l'}^{m}(x)\,dx = 0)"_s);
        putText(u"("_s);
        skipPx(2);
        putVars(u"l"_s);
        putMinus();
        putVars(u"l'"_s);
        skipPx(2);
        putText(u") ("_s);
        skipPx(2);
        putVars(u"l"_s);
        skipPx(2);
        putText(u"+"_s);
        skipPx(2);
        putVars(u"l'"_s);
        skipPx(2);
        putText(u"+1)"_s);
        skipPx(8);
        integralMinus1To1();
        skipPx(4);
        putAssocP(u"l"_s, u"m"_s);
        skipPx(4);
        putAssocP(u"l'"_s, u"m"_s);
        skipPx(6);
        putDiff(u"x"_s);
        putText(u"  ＝  0"_s);
    }
    rowAt(ds().leftMargin, 1.5f);
    putText(u"という結果を得る。"_s);
    {
        // The prime is drawn in one piece with the rest of the sentence.
        FormulaScope meaning(pic(), uR"(l \neq l'\text{ なので，積分は }0\text{ でなければならない。})"_s);
        putVars(u" l"_s);
        putText(u" ≠ "_s);
        putVars(u"l"_s);
        skipPx(2);
        putText(u"' なので，積分は 0 でなければならない。"_s);
    }
}

void orthogonalityInM()
{
    putText(u"　前問の直交関係は "_s);
    varsInProse(u"m"_s);
    putText(u" が共通で "_s);
    formula(u"l"_s, [] { putVars(u"l "_s); });
    putText(u"が異なる"_s);
    newLine();
    putText(u"場合の直交性である。逆に "_s);
    varsInProse(u"l"_s);
    putText(u" が共通で "_s);
    formula(u"m"_s, [] { putVars(u"m "_s); });
    putText(u"が異なるとき，"_s);
    inlineAssocP(u"l"_s, u"m"_s);
    putText(u" と "_s);
    newLine();
    inlineAssocP(u"l"_s, u"m'"_s);
    putText(u" の間に成り立つ直交関係を求めよ。"_s);
}

void equationsForMAndMPrime()
{
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 5.14]："_s);
    putText(u"前問と同様に考える。今度は"_s);
    formula(u"l"_s, [] { putVars(u" l "_s); });
    putText(u"が共通で"_s);
    formula(u"m"_s, [] { putVars(u" m "_s); });
    putText(u"が異なるので"_s);
    rowAt(3 * ds().chW, 1.5f);
    associatedLegendreEquation(u"l"_s, u"m"_s);
    rowAt(column(2), 2);
    associatedLegendreEquation(u"l"_s, u"m'"_s);
}

// Where a fraction's bar starts, and the row it stands on.
struct BarAt {
    float x;
    float row;
};

// m² − m′² over 1 − x², stacked on the bar.
void squaresOverOneMinusX2(const BarAt& bar)
{
    ds().penX = bar.x;
    ds().penY = float(bar.row - 10);
    putVars(u"m"_s);
    putSup(u"2"_s);
    skipPx(-4);
    putMinus();
    putVars(u"m'"_s);
    putSup(u"2"_s);
    ds().penX = float(bar.x + 4);
    ds().penY = float(bar.row + 12);
    putText(u"1"_s);
    putMinus();
    putVars(u"x"_s);
    putSup(u"2"_s);
    ds().penY = bar.row;
}

void differenceInM()
{
    rowAt(ds().leftMargin, 1.7f);
    putText(u"　ここで　[上式] × "_s);
    inlineAssocP(u"l"_s, u"m'"_s);
    putText(u" － [下式] × "_s);
    inlineAssocP(u"l"_s, u"m"_s);
    putText(u" を作ると"_s);

    rowAt(column(2), 2);
    StyleScope keep(pic());
    pic().FontSize = 10.5;
    // The second fraction's numerator and denominator are drawn after the row.
    FormulaScope meaning(pic(), uR"(\frac{d}{dx}\left[(1-x^2)\left(P_{l}^{m'}(x)\frac{dP_{l}^{m}(x)}{dx} - \frac{dP_{l}^{m'}(x)}{dx}P_{l}^{m}(x)\right)\right] )"
                                uR"(- \frac{m^2 - m'^2}{1-x^2}\,P_{l}^{m}(x)\,P_{l}^{m'}(x) = 0)"_s);
    openTotalDerivative(u"l"_s, u"m'"_s, u"l"_s, u"m"_s);
    skipW(1);
    bigRBracket();
    putText(u"  － "_s);
    const BarAt bar{ds().penX, ds().penY};
    putText(u"────"_s);
    skipPx(-8);
    putText(u"─"_s);
    skipPx(6);
    putAssocP(u"l"_s, u"m"_s);
    skipPx(4);
    putAssocP(u"l"_s, u"m'"_s);
    putText(u"  ＝  0 "_s);
    squaresOverOneMinusX2(bar);
}

// ∫ from −1 to 1 of the bar of P_l^m P_l^m′ / (1 − x²), then dx = 0; returns the
// bar, for weightedIntegrandRows.
BarAt weightedIntegral()
{
    integralMinus1To1();
    skipW(1);
    const BarAt bar{ds().penX, ds().penY};
    putText(u"────────"_s);
    skipPx(6);
    putDiff(u"x"_s);
    putText(u"  ＝  0"_s);
    return bar;
}

// Numerator and denominator of the weighted integrand; the pen stays on the
// denominator line.
void weightedIntegrandRows(const BarAt& bar)
{
    ds().penX = bar.x;
    ds().penY = float(bar.row - 14);
    putAssocP(u"l"_s, u"m"_s);
    skipPx(4);
    putAssocP(u"l"_s, u"m'"_s);
    ds().penX = float(bar.x + 2.5 * ds().chW);
    ds().penY = float(bar.row + 14);
    putText(u"1"_s);
    putMinus();
    putXSquared();
}

void integratedInM()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"が得られる。これを "_s);
    {
        // The limits' digits are drawn in one piece with the words around them.
        FormulaScope meaning(pic(), uR"(-1\text{ から }1\text{ まで積分すると，第 1 項は }0\text{ となるので})"_s);
        putCourier(u"-"_s);
        putText(u"1 から 1 まで積分すると，第 1 項は 0 となるので"_s);
    }
    rowAt(ds().tab5, 1.8f);
    {
        FormulaScope meaning(pic(), uR"((m^2 - m'^2) \int_{-1}^{1} \frac{P_{l}^{m}(x)\,P_{l}^{m'}(x)}{1-x^2}\,dx = 0)"_s);
        putText(u"("_s);
        skipPx(2);
        putVars(u"m"_s);
        putSup(u"2"_s);
        putMinus();
        putVars(u"m'"_s);
        putSup(u"2"_s);
        skipPx(2);
        putText(u") "_s);
        weightedIntegrandRows(weightedIntegral());
    }

    rowAt(ds().leftMargin, 1.5f);
    putText(u"したがって，この場合の直交関係は"_s);
    rowAt(ds().tab5, 1.8f);
    {
        // The condition is drawn before the fraction's numerator and denominator.
        FormulaScope meaning(pic(), uR"(\int_{-1}^{1} \frac{P_{l}^{m}(x)\,P_{l}^{m'}(x)}{1-x^2}\,dx = 0 \quad (|m| \neq |m'|\text{ のとき}))"_s);
        const BarAt bar = weightedIntegral();
        skipW(2);
        putText(u"("_s);
        skipPx(4);
        putText(u"|"_s);
        putVars(u"m"_s);
        putText(u"|"_s);
        putText(u" ≠ "_s);
        putText(u"|"_s);
        putVars(u"m'"_s);
        putText(u"|"_s);
        putText(u" のとき)"_s);
        weightedIntegrandRows(bar);
    }
    rowAt(ds().leftMargin, 1.5f);
    putText(u"となる。これが求める関係である。"_s);
}

// ---- 5.15 ----

void derivativeIdentityFractions(const PageContext& page)
{
    ds().penY = float(page.markY - 14);
    ds().penX = float(page.markX2 + 2);
    putVars(u"d"_s);
    skipPx(2);
    putPOfX(u"n"_s);
    ds().penX = float(page.markX3 + 2);
    putVars(u"n"_s);
    skipPx(2);
    putText(u"("_s);
    skipPx(2);
    putVars(u"n"_s);
    spacedPlusOne();
    skipPx(2);
    putText(u")"_s);

    ds().penY = float(page.markY + 12);
    ds().penX = float(page.markX2 + 1.5 * ds().chW);
    putDiff(u"x"_s);
    ds().penX = float(page.markX3 + ds().chW);
    putText(u"2"_s);
    skipPx(2);
    putVars(u"n"_s);
    spacedPlusOne();
    ds().penY = page.markY;
}

void derivativeIdentity(PageContext& page)
{
    putText(u"　ルジャンドル多項式 "_s);
    formula(u"P_n(x)"_s, [] { putPOfX(u"n"_s); });
    putText(u" について，次の関係式"_s);
    rowAt(ds().tab5, 1.8f);
    // The fractions' numerators and denominators are drawn after the row.
    FormulaScope meaning(pic(), uR"((1-x^2)\,\frac{dP_n(x)}{dx} = \frac{n(n+1)}{2n+1}\,(-P_{n+1}(x) + P_{n-1}(x)))"_s);
    page.markY = ds().penY;
    putText(u"("_s);
    skipPx(2);
    putText(u"1"_s);
    putMinus();
    putXSquared();
    skipPx(2);
    putText(u") "_s);
    page.markX2 = ds().penX;
    putText(u"────  ＝  "_s);
    page.markX3 = ds().penX;
    putText(u"────"_s);
    skipPx(-8);
    putText(u"─ "_s);
    putText(u" ("_s);
    putMinus();
    putPOfX(u"n+1"_s);
    putText(u" + "_s);
    putPOfX(u"n-1"_s);
    skipPx(8);
    putText(u")"_s);
    derivativeIdentityFractions(page);
}


void eliminationHint()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"が成り立つことを示せ。"_s);
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 5.15]："_s);
    putText(u"  "_s);
    rowAt(ds().leftMargin, 1.5f);
    putText(u"漸化式 (5.47)～(5.49) のうちの 2 つから "_s);
    formula(uR"(x\,P_n(x))"_s, [] {
        putVars(u"x"_s);
        skipPx(4);
        putPOfX(u"n"_s);
    });
    putText(u" を消去すればよい。"_s);
    newLine();
    putText(u"たとえば (5.48) × "_s);
    varsInProse(u"n"_s);
    // The parentheses of n + 1 are drawn in one piece with the words around them.
    formula(uR"(\text{ ＋ (5.49) } \times (n + 1)\text{  を作る。})"_s, [] {
        putText(u" ＋ (5.49) × ("_s);
        putVars(u"n"_s);
        spacedPlusOne();
        skipPx(2);
        putText(u")  を作る。"_s);
    });
}

// ---- 5.16: the Legendre equation from raising and lowering ----

// [(1 − x²) P_n′ + nx P_n], the bracket the derivative and the product act on.
void raisedBracket()
{
    bigLBracket();
    skipPx(10);
    spacedOneMinusX2();
    skipPx(4);
    primeLn();
    skipPx(5);
    putText(u"+"_s);
    putVars(u"nx"_s);
    skipPx(4);
    putPOfX(u"n"_s);
    bigRBracket();
}

// [(1 − x²) d/dx ± nx]
void ladderOperator(bool raising)
{
    bigLBracket();
    skipPx(10);
    spacedOneMinusX2();
    skipPx(4);
    putFrac(u"d"_s, u"dx"_s);
    if (raising) {
        skipPx(5);
        putText(u"+"_s);
    } else {
        skipPx(3);
        putMinus();
    }
    putVars(u"nx"_s);
    skipPx(4);
    bigRBracket();
}

void ladderEquation()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"§5.2.5 に書いたように，ルジャンドル多項式 "_s);
    formula(u"P_n(x)"_s, [] { putPOfX(u"n"_s); });
    putText(u" の漸化式 (5.48)，(5.49) を使って"_s);
    rowAt(ds().leftMargin, 1.5f);
    putText(u"次数"_s);
    formula(u"n"_s, [] { putVars(u" n "_s); });
    putText(u"を上げ下げすると，2 階の方程式"_s);

    rowAt(column(2), 1.8f);
    {
        FormulaScope meaning(pic(), uR"(\left[(1-x^2)\frac{d}{dx} - nx\right] \left[(1-x^2)\frac{d}{dx} + nx\right] P_n(x) = -n^2 P_n(x))"_s);
        ladderOperator(false);
        skipW(1.5f);
        ladderOperator(true);
        skipW(1.5f);
        putPOfX(u"n"_s);
        putText(u" = "_s);
        putMinus();
        putSquared(u"n"_s);
        putPOfX(u"n"_s);
    }
    tagAt(column(50), u"(5.52)"_s);
}

void standardLegendreEquation()
{
    rowAt(ds().leftMargin, 1.8f);
    putText(u"が得られる。これを整理して，標準形のルジャンドル微分方程式"_s);
    rowAt(column(2), 1.4f);
    {
        FormulaScope meaning(pic(), uR"((1-x^2)\,P_n''(x) - 2x\,P_n'(x) + n(n+1)\,P_n(x) = 0)"_s);
        spacedOneMinusX2();
        skipPx(4);
        dprimeLn();
        putMinus();
        putText(u"2"_s);
        skipPx(2);
        putVars(u"x"_s);
        skipPx(6);
        primeLn();
        skipW(0.5f);
        putText(u"+"_s);
        skipPx(4);
        putVars(u"n"_s);
        skipPx(4);
        putText(u"("_s);
        skipPx(2);
        putVars(u"n"_s);
        skipPx(2);
        putText(u"+1)"_s);
        skipPx(5);
        putPOfX(u"n"_s);
        skipPx(5);
        putText(u"= 0"_s);
    }
    tagAt(column(50), u"(5.53)"_s);
    rowAt(ds().leftMargin, 1.2f);
    putText(u"を導け。（読者からの質問）"_s);
}

void expandedLadder()
{
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 5.16]："_s);
    putText(u"  "_s);
    rowAt(ds().leftMargin, 1.5f);
    putText(u"微分はその右にあるすべての "_s);
    varsInProse(u"x"_s);
    putText(u" に作用することに注意すると"_s);
    rowAt(column(2), 1.5f);
    formula(uR"(\frac{d}{dx}\left[(1-x^2)\,P_n'(x) + nx\,P_n(x)\right])"_s, [] {
        putFrac(u"d"_s, u"dx"_s);
        skipPx(5);
        raisedBracket();
    });
    rowAt(column(5), 1.5f);
    {
        FormulaScope meaning(pic(), uR"(= -2x\,P_n'(x) + (1-x^2)\,P_n''(x) + n\,P_n(x) + nx\,P_n'(x))"_s);
        putText(u" = "_s);
        putMinus();
        putText(u"2"_s);
        putVars(u"x"_s);
        skipPx(5);
        primeLn();
        skipPx(5);
        putText(u"+ (1"_s);
        putMinus();
        putXSquared();
        putText(u")"_s);
        skipPx(4);
        dprimeLn();
        putText(u" + "_s);
        putVars(u"n"_s);
        skipPx(4);
        putPOfX(u"n"_s);
        putText(u" + "_s);
        putVars(u"nx"_s);
        skipPx(4);
        primeLn();
    }

    rowAt(ds().leftMargin, 1.5f);
    putText(u"のように 4 つの項が現れる。"_s);
    // The parentheses of 1 − x² are drawn in one piece with the words around them.
    formula(uR"(\text{これに }(1-x^2)\text{ を掛け，})"_s, [] {
        putText(u"これに (1"_s);
        putMinus();
        putXSquared();
        putText(u") を掛け，"_s);
    });
    rowAt(column(5), 1.5f);
    formula(uR"(-nx\left[(1-x^2)\,P_n'(x) + nx\,P_n(x)\right])"_s, [] {
        putMinus();
        putVars(u"nx"_s);
        skipPx(6);
        raisedBracket();
    });
    rowAt(ds().leftMargin, 1.5f);
    putText(u"を加えて整理すれば (5.53) が得られる。"_s);
}

// ---- 5.17 ----

// A displayed row of the statement, its tag in column 40, and the prose after it.
void taggedRow(const QString& tag, float proseLines, const QString& prose)
{
    tagAt(column(40), tag);
    rowAt(ds().leftMargin, proseLines);
    putText(prose);
}

void variationalStatement()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"変分問題の例で，積分"_s);

    rowAt(column(5), 1.5f);
    {
        FormulaScope meaning(pic(), uR"(I = \int_{0}^{1} (y'^2 + y^2)\,dx)"_s);
        putVars(u"I "_s);
        putText(u"= "_s);
        dspIntegral(pic(), ds().penX, ds().penY, u"1"_s, u"0"_s);
        skipPx(6);
        putText(u"( "_s);
        putVars(u"y"_s);
        skipPx(3);
        putText(u"’"_s);
        skipPx(2);
        dspSquare(pic(), ds().penX, ds().penY);
        putText(u" + "_s);
        putVars(u"y"_s);
        skipPx(2);
        dspSquare(pic(), ds().penX, ds().penY);
        skipPx(3);
        putText(u") "_s);
        putDiff(u"x"_s);
    }
    taggedRow(u"(2.46)"_s, 1.5f, u"に対して，試行関数"_s);

    rowAt(column(5), 1.1f);
    {
        // "ー" is the minus sign in this row and the next.
        FormulaScope meaning(pic(), uR"(y(x) = ax + (1 - a)\,x^2)"_s);
        putFuncOf(u"y"_s, u"x"_s);
        skipPx(6);
        putText(u"=  "_s);
        putVars(u"a"_s);
        skipPx(3);
        putVars(u"x"_s);
        putText(u" + "_s);
        putText(u"(1ー"_s);
        putVars(u"a"_s);
        putText(u")"_s);
        skipPx(3);
        putVars(u"x"_s);
        skipPx(2);
        dspSquare(pic(), ds().penX, ds().penY);
    }
    taggedRow(u"(2.47)"_s, 1.1f, u"を仮定すると"_s);

    rowAt(column(5), 1.1f);
    {
        FormulaScope meaning(pic(), uR"(I = (11a^2 - 17a + 46)/30)"_s);
        putVars(u"I"_s);
        putText(u" = ( 11"_s);
        skipPx(3);
        putVars(u"a"_s);
        skipPx(3);
        dspSquare(pic(), ds().penX, ds().penY);
        putText(u" ー 17"_s);
        skipPx(2);
        putVars(u"a"_s);
        putText(u" + 46 ) / 30"_s);
    }
    taggedRow(u"(2.48)"_s, 1.1f, u"となることを示せ。（読者からの質問）"_s);
}
}  // namespace

void p5_5(PageContext& page)
{
    putColored(page.entry + u"　p. 84."_s);
    generatingFunction(page);
    parameterDerivative(page);
    recurrenceToDerive();
    substitutedSeries();
    expandedSeries();
    shiftedSeries();
    coefficientsOfTn();
}

void p5_9(PageContext& page)
{
    putColored(page.entry + u"　p. 107."_s);
    newLine();
    putText(u"　"_s);
    {
        // The 1 is drawn in one piece with the prose after it.
        FormulaScope meaning(pic(), uR"(l = 1\text{ の球面調和関数 })"_s);
        putVars(u"l ="_s);
        skipPx(2);
        putText(u"1 の球面調和関数 "_s);
    }
    {
        // So is the closing parenthesis.
        FormulaScope meaning(pic(), uR"(Y_{lm}(\theta, \varphi)\text{ の具体形を示せ。})"_s);
        putVars(u"Y"_s);
        putSub(u"lm"_s);
        thetaPhiArgs();
        putText(u") の具体形を示せ。"_s);
    }
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 5.9]：  "_s);
    harmonicY11();
    harmonicY10();
    harmonicY1m1();
}

void p5_12(PageContext& page)
{
    putColored(page.entry + u"　p. 108."_s);
    hermiteIntegrals(page);
    firstIntegral();
    secondIntegral();
    thirdIntegral();
}

void p5_13(PageContext& page)
{
    putColored(page.entry + u"　p. 108."_s);
    orthogonalityInL();
    equationsForLAndLPrime();
    differenceOfEquations();
    integratedOverMinus1To1();
}

void p5_14(PageContext& page)
{
    putColored(page.entry + u"　p. 108."_s);
    orthogonalityInM();
    equationsForMAndMPrime();
    differenceInM();
    integratedInM();
}

void p5_15(PageContext& page)
{
    putColored(page.entry + u"　p. 108."_s);
    derivativeIdentity(page);
    eliminationHint();
}

void p5_16(PageContext& page)
{
    putColored(page.entry + u"(追加問題) p. 82."_s);
    ladderEquation();
    standardLegendreEquation();
    expandedLadder();
}

void p5_17(PageContext& page)
{
    putColored(page.entry + u"(追加問題) p. 37-38."_s);
    variationalStatement();
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 5.17]："_s);
    putText(u"  "_s);
}
