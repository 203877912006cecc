// Chapter 7: definite integrals through the Gamma and Beta functions, and
// Gauss's product for Gamma.
#include "pages.h"
#include "page_steps.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/operators.h"
#include "canvas/text.h"
#include "notation/notation.h"

using namespace Qt::StringLiterals;

namespace {
// I with its numbering subscript.
void integralName(const QString& number)
{
    putVars(u"I"_s);
    putSub(number);
}

void thetaDTheta()
{
    putTheta();
    skipW(1);
    putVars(u"d"_s);
    skipPx(2);
    putTheta();
}

void integralAtPen(const QString& upper, const QString& lower)
{
    dspIntegral(pic(), ds().penX, ds().penY, upper, lower);
}

void oneOverAtPen(const QString& text) { dspOneOver(pic(), ds().penX, ds().penY, text); }

void bigPiAtPen() { dspBigPi(pic(), ds().penX, ds().penY); }

// (1 - v) with the spaced minus; the caller has drawn nothing of it yet.
void oneMinus(const QString& v)
{
    putText(u"(1"_s);
    putMinus();
    putVars(v);
    skipPx(2);
    putText(u")"_s);
}

// The rest of (b - a) after its opening parenthesis and 2 pixels, raised to p+q+1:
// with x = a + (b - a) u the measure (b - x)^p (x - a)^q dx brings (b - a)^(p+q+1).
void bMinusAToPower()
{
    skipPx(2);
    putVars(u"b"_s);
    putMinus();
    putVars(u"a"_s);
    skipPx(2);
    putText(u")"_s);
    putSup(u"p+q+1"_s);
}

// The solution's coloured label, on a row of its own.
void solutionLabel(const QString& label)
{
    rowAt(ds().leftMargin, 1.5f);
    putColored(label);
}

// Where the two fraction bars of a row start, and the row's line.
struct FractionBars {
    float first;
    float second;
    float row;
};

// ---- 7.9 --------------------------------------------------------------------

// I₁ = ∫ e^(−x⁴) dx over the whole line.
void quarticStatement(const PageContext& page)
{
    putColored(page.entry + u"　p. 144."_s);
    rowAt(ds().tab5, 1.5f);
    putText(u"定積分 "_s);
    {
        FormulaScope meaning(pic(), uR"(I_1 = \int_{-\infty}^{\infty} e^{-x^4}\,dx)"_s);
        integralName(u"1"_s);
        putText(u"  ＝  "_s);
        dspIntInf(pic(), ds().penX, ds().penY);
        skipPx(4);
        putExpMinusX4();
        skipPx(4);
        putDiff(u"x"_s);
    }
    skipPx(4);
    putText(u"を求めよ。"_s);
}

// x⁴ = u turns dx into 1/4 u^(−3/4) du.
void quarticSubstitution()
{
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 7.9]："_s);
    skipW(1);
    {
        FormulaScope meaning(pic(), u"x^4 = u"_s);
        putVars(u"x"_s);
        putSup(u"4"_s);
        putText(u" = "_s);
        putVars(u"u"_s);
    }
    putText(u" とおくと，"_s);
    {
        FormulaScope meaning(pic(), u"x = u^{1/4}"_s);
        putVars(u"x"_s);
        putText(u" = "_s);
        putVars(u"u"_s);
        putSup(u"1/4"_s);
    }
    putText(u"，"_s);
    {
        FormulaScope meaning(pic(), uR"(dx = \frac{1}{4}\,u^{-3/4}\,du)"_s);
        putDiff(u"x"_s);
        skipPx(8);
        putText(u"="_s);
        skipPx(8);
        oneOverAtPen(u"4"_s);
        skipPx(4);
        putVars(u"u"_s);
        putSup(u"-3/4"_s);
        skipPx(4);
        putDiff(u"u"_s);
    }
    putText(u" である。よって，"_s);
}

// I₁ = 2∫₀^∞ e^(−x⁴) dx; returns where its "＝" starts, for the rows under it.
float quarticHalfLine()
{
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_1 = 2\int_0^{\infty} e^{-x^4}\,dx)"_s);
    integralName(u"1"_s);
    const float equalsX = ds().penX;
    putText(u"  ＝  2  "_s);
    integralAtPen(u"∞"_s, u"0"_s);
    skipPx(6);
    putExpMinusX4();
    skipPx(4);
    putDiff(u"x"_s);
    return equalsX;
}

// = 2 × 1/4 ∫₀^∞ e^(−u) u^(−3/4) du, under the "＝" at equalsX.
void quarticInU(float equalsX)
{
    ds().penX = equalsX;
    skipLines(1.8f);
    FormulaScope meaning(pic(), uR"(= 2 \times \frac{1}{4} \int_0^{\infty} e^{-u}\,u^{-3/4}\,du)"_s);
    putText(u"  ＝  2 × "_s);
    oneOverAtPen(u"4"_s);
    skipPx(8);
    integralAtPen(u"∞"_s, u"0"_s);
    skipPx(8);
    putCourier(u"e"_s);
    putSup(u"-u"_s);
    skipPx(6);
    putVars(u"u"_s);
    putSup(u"-3/4"_s);
    skipPx(4);
    putDiff(u"u"_s);
}

// = ½Γ(1/4) = 2Γ(5/4) = 1.81280, under the "＝" at equalsX.
void quarticAsGamma(float equalsX)
{
    ds().penX = equalsX;
    skipLines(1.8f);
    FormulaScope meaning(pic(), uR"(= \frac{1}{2}\,\Gamma(\frac{1}{4}) = 2\,\Gamma(\frac{5}{4}) = 1.81280)"_s);
    putText(u"  ＝  "_s);
    dspHalf(pic(), ds().penX, ds().penY);
    skipPx(4);
    Gamma();
    putText(u"("_s);
    skipPx(2);
    putFracSmall(u"1"_s, u"4"_s);
    skipPx(2);
    putText(u")  =  2 "_s);
    Gamma();
    putText(u"("_s);
    skipPx(2);
    putFracSmall(u"5"_s, u"4"_s);
    skipPx(2);
    putText(u")  =  1.81280"_s);
}
}  // namespace

void p7_9(PageContext& page)
{
    quarticStatement(page);
    quarticSubstitution();
    const float equalsX = quarticHalfLine();
    quarticInU(equalsX);
    quarticAsGamma(equalsX);
}

namespace {
// ---- 7.10 -------------------------------------------------------------------
// Γ(5/2)Γ(1/2) / Γ(3) and (3/4 √π √π) / 2, over the two bars.
void p7_10FractionRows(const FractionBars& bars)
{
    penAt(bars.first + 2.0, bars.row - 16.0);
    Gamma();
    putText(u"("_s);
    putFracSmall(u"5"_s, u"2"_s);
    putText(u")"_s);
    skipPx(6);
    Gamma();
    putText(u"("_s);
    putFracSmall(u"1"_s, u"2"_s);
    putText(u")"_s);
    penAt(bars.first + 3.0 * ds().chW, bars.row + 11.0);
    Gamma();
    putText(u"(3)"_s);

    penAt(bars.second + 2.0, bars.row - 16.0);
    putFracSmall(u"3"_s, u"4"_s);
    skipPx(4);
    dspSqrtPi(pic(), ds().penX, ds().penY);
    skipPx(2);
    dspSqrtPi(pic(), ds().penX, ds().penY);
    penAt(bars.second + 3.0 * ds().chW, bars.row + 12.0);
    putText(u"2"_s);
}

// sin⁴θ = 1/8 (cos 4θ − 4 cos 2θ + 3), the identity that gives I₂ directly.
void sineFourthIdentity()
{
    FormulaScope meaning(pic(), uR"(\sin^4\theta = \frac{1}{8}(\cos 4\theta - 4\cos 2\theta + 3))"_s);
    putSin();
    putSup(u"4"_s);
    putTheta();
    putText(u"  ＝  "_s);
    oneOverAtPen(u"8"_s);
    skipPx(4);
    putText(u"("_s);
    skipPx(4);
    putCos();
    skipPx(2);
    putText(u"4"_s);
    skipPx(2);
    putTheta();
    skipPx(4);
    putMinus();
    putText(u"4"_s);
    skipPx(4);
    putCos();
    putText(u"2"_s);
    putTheta();
    skipPx(6);
    putText(u"+"_s);
    skipPx(6);
    putText(u"3"_s);
    skipPx(4);
    putText(u")"_s);
}

// The sin⁴θ identity and the contour-integral remark.
void p7_10OtherRoutes()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"この積分は，"_s);
    rowAt(ds().tab5, 1.2f);
    sineFourthIdentity();

    rowAt(ds().leftMargin, 1.2f);
    putText(u"を用いて計算することもできる。"_s);
    rowAt(ds().leftMargin, 1.2f);
    putText(u"また，"_s);
    {
        FormulaScope meaning(pic(), uR"(z = e^{i\theta})"_s);
        putVars(u"z"_s);
        putText(u" = "_s);
        putCourier(u"e"_s);
        putSup(u"itheta"_s);
    }
    putText(u" とおき，単位円を一周する複素積分として計算することもできる。"_s);
}

// I₂ = ∫₀^π sin⁴θ dθ, through the Beta and Gamma functions.
void sineFourthStatement(const PageContext& page)
{
    putColored(page.entry + u"　p. 144."_s);
    rowAt(ds().tab5, 1.5f);
    putText(u"定積分 "_s);
    {
        FormulaScope meaning(pic(), uR"(I_2 = \int_0^{\pi} \sin^4\theta\,d\theta)"_s);
        integralName(u"2"_s);
        putText(u"  ＝  "_s);
        integralAtPen(u"pi"_s, u"0"_s);
        skipPx(8);
        putSin();
        putSup(u"4"_s);
        thetaDTheta();
    }
    putText(u"   を  "_s);
    formula(u"B"_s, beta);
    putText(u"関数，"_s);
    formula(uR"(\Gamma)"_s, Gamma);
    putText(u"関数を経由して求めよ。"_s);
}

// du = 2 sinθ cosθ dθ = 2 u^(1/2) (1 − u)^(1/2) dθ.
void sineSquaredDifferential()
{
    FormulaScope meaning(pic(), uR"(du = 2\sin\theta\,\cos\theta\,d\theta = 2\,u^{1/2}(1 - u)^{1/2}\,d\theta)"_s);
    putDiff(u"u"_s);
    putText(u"  =  2 "_s);
    putSin();
    skipPx(2);
    putTheta();
    skipW(1);
    putCos();
    skipPx(2);
    thetaDTheta();
    putText(u"  =  2"_s);
    skipPx(8);
    putVars(u"u"_s);
    putSup(u"1/2"_s);
    skipPx(4);
    oneMinus(u"u"_s);
    putSup(u"1/2"_s);
    skipPx(4);
    putVars(u"d"_s);
    skipPx(2);
    putTheta();
}

// u = sin²θ, and du in powers of u and 1 − u.
void sineSquaredSubstitution()
{
    rowAt(ds().leftMargin, 2);
    putColored(u"[解 7.10]："_s);
    skipW(1);
    {
        FormulaScope meaning(pic(), uR"(u = \sin^2\theta)"_s);
        putVars(u"u"_s);
        putText(u" = "_s);
        putSin();
        putSup(u"2"_s);
        putTheta();
    }
    putText(u" とおくと，"_s);

    rowAt(ds().tab5, 1.5f);
    sineSquaredDifferential();
    putText(u" ，"_s);
}

// I₂ = 2∫₀^(π/2) sin⁴θ dθ; returns where its "＝" starts, for the rows under it.
float sineFourthHalfRange()
{
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_2 = 2\int_0^{\pi/2} \sin^4\theta\,d\theta)"_s);
    integralName(u"2"_s);
    const float equalsX = ds().penX;
    putText(u"  ＝  2 "_s);
    integralAtPen(u"pi/2"_s, u"0"_s);
    skipW(1.5f);
    putSin();
    putSup(u"4"_s);
    thetaDTheta();
    return equalsX;
}

// = ∫₀¹ u² u^(−1/2) (1 − u)^(−1/2) du, under the "＝" at equalsX.
void sineFourthInU(float equalsX)
{
    ds().penX = equalsX;
    skipLines(2);
    FormulaScope meaning(pic(), uR"(= \int_0^1 u^2 \cdot u^{-1/2}(1 - u)^{-1/2}\,du)"_s);
    putText(u"  ＝  "_s);
    integralAtPen(u"1"_s, u"0"_s);
    skipPx(8);
    putVars(u"u"_s);
    putSup(u"2"_s);
    skipPx(4);
    putText(u"･ "_s);
    putVars(u"u"_s);
    putSup(u"-1/2"_s);
    skipPx(4);
    oneMinus(u"u"_s);
    putSup(u"-1/2"_s);
    skipPx(4);
    putDiff(u"u"_s);
}

// = B(5/2, 1/2) = Γ(5/2)Γ(1/2)/Γ(3) = (3/4 √π √π)/2 = 3π/8, under the "＝" at equalsX.
void sineFourthValue(float equalsX)
{
    ds().penX = equalsX;
    skipLines(1.8f);
    const float row = ds().penY;
    FormulaScope meaning(pic(), uR"(= B(\frac{5}{2}, \frac{1}{2}) = \frac{\Gamma(\frac{5}{2})\,\Gamma(\frac{1}{2})}{\Gamma(3)} = \frac{\frac{3}{4}\sqrt{\pi}\,\sqrt{\pi}}{2} = \frac{3}{8}\pi)"_s);
    putText(u"  ＝  "_s);
    beta();
    putText(u"("_s);
    skipPx(2);
    putFracSmall(u"5"_s, u"2"_s);
    putVars(u", "_s);
    putFracSmall(u"1"_s, u"2"_s);
    skipPx(2);
    putText(u")  ＝  "_s);
    const float first = ds().penX;
    putText(u"──────"_s);
    skipPx(-8);
    putText(u"─  ＝  "_s);
    const float second = ds().penX;
    putText(u"─────  ＝  "_s);
    putFracMid(u"3"_s, u"8"_s);
    skipPx(4);
    bigPiAtPen();
    p7_10FractionRows({first, second, row});
}
}  // namespace

void p7_10(PageContext& page)
{
    sineFourthStatement(page);
    sineSquaredSubstitution();
    const float equalsX = sineFourthHalfRange();
    sineFourthInU(equalsX);
    sineFourthValue(equalsX);
    // The next row counts from the last denominator line, not from the fraction row.
    p7_10OtherRoutes();
}

namespace {
// ---- 7.11 -------------------------------------------------------------------

// I₃ = ∫ₐᵇ (b − x)^p (x − a)^q dx.
void shiftedBetaIntegral()
{
    FormulaScope meaning(pic(), uR"(I_3 = \int_a^b (b - x)^p\,(x - a)^q\,dx)"_s);
    integralName(u"3"_s);
    putText(u"  ＝  "_s);
    integralAtPen(u"b"_s, u"a"_s);
    skipPx(8);
    putText(u"("_s);
    skipPx(2);
    putVars(u"b"_s);
    putMinus();
    putVars(u"x"_s);
    skipPx(2);
    putText(u")"_s);
    skipPx(2);
    putSup(u"p"_s);
    skipPx(4);
    putText(u"("_s);
    skipPx(2);
    putVars(u"x"_s);
    putMinus();
    putVars(u"a"_s);
    skipPx(2);
    putText(u")"_s);
    putSup(u"q"_s);
    skipPx(8);
    putDiff(u"x"_s);
}

// The problem: find I₃.
void shiftedBetaStatement(const PageContext& page)
{
    putColored(page.entry + u"　p. 144."_s);
    rowAt(ds().tab5, 1.5f);
    putText(u"定積分 "_s);
    shiftedBetaIntegral();
    putText(u"  を求めよ。"_s);
}

// x = a + (b − a) u maps [a, b] onto [0, 1].
void unitIntervalSubstitution()
{
    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 7.11]："_s);
    putText(u"変数変換 "_s);
    {
        FormulaScope meaning(pic(), uR"(x = a + (b - a)\,u)"_s);
        putVars(u"x"_s);
        putText(u"  =  "_s);
        putVars(u"a"_s);
        putText(u" + ("_s);
        skipPx(2);
        putVars(u"b"_s);
        putMinus();
        putVars(u"a"_s);
        skipPx(2);
        putText(u")"_s);
        skipPx(4);
        putVars(u"u"_s);
    }
    putText(u"  により，次を得る。"_s);
}

// I₃ = (b − a)^(p+q+1) ∫₀¹ (1 − u)^p u^q du; returns where its "＝" starts.
float unitIntervalIntegral()
{
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_3 = (b - a)^{p+q+1}\,\int_0^1 (1 - u)^p\,u^q\,du)"_s);
    integralName(u"3"_s);
    const float equalsX = ds().penX;
    putText(u"  ＝  "_s);
    putText(u"("_s);
    bMinusAToPower();
    skipPx(8);
    integralAtPen(u"1"_s, u"0"_s);
    skipPx(8);
    putText(u"("_s);
    skipPx(2);
    putText(u"1"_s);
    putMinus();
    putVars(u"u"_s);
    skipPx(2);
    putText(u")"_s);
    skipPx(2);
    putSup(u"p"_s);
    skipPx(6);
    putVars(u"u"_s);
    putSup(u"q"_s);
    skipPx(6);
    putDiff(u"u"_s);
    return equalsX;
}

// = (b − a)^(p+q+1) B(p+1, q+1), under the "＝" at equalsX.
void shiftedAsBeta(float equalsX)
{
    ds().penX = equalsX;
    skipLines(1.5f);
    FormulaScope meaning(pic(), uR"(= (b - a)^{p+q+1}\,B(p + 1, q + 1))"_s);
    putText(u"  ＝  ("_s);
    bMinusAToPower();
    skipPx(6);
    beta();
    putText(u"("_s);
    skipPx(5);
    putVars(u"p"_s);
    putText(u"+1"_s);
    putVars(u", q"_s);
    putText(u"+1)"_s);
}

// = (b − a)^(p+q+1) Γ(p+1)Γ(q+1) / Γ(p+q+2), under the "＝" at equalsX.
void shiftedAsGamma(float equalsX)
{
    ds().penX = equalsX;
    skipLines(1.5f);
    FormulaScope meaning(pic(), uR"(= (b - a)^{p+q+1}\,\frac{\Gamma(p + 1)\,\Gamma(q + 1)}{\Gamma(p + q + 2)})"_s);
    putText(u"  ＝  ("_s);
    bMinusAToPower();
    skipPx(8);
    const float barX = ds().penX;
    const float rowY = ds().penY;
    putText(u"────────"_s);
    skipPx(-4);
    putText(u"─"_s);

    penAt(barX + 4.0, rowY - 12.0);
    Gamma();
    putText(u"("_s);
    skipPx(5);
    putVars(u"p"_s);
    putText(u"+1)"_s);
    skipPx(5);
    Gamma();
    putText(u"("_s);
    putVars(u"q"_s);
    putText(u"+1)"_s);
    // B(p+1, q+1) = Γ(p+1)Γ(q+1) / Γ(p+q+2): the arguments above add up to p+q+2.
    penAt(barX + 2.0 * ds().chW, rowY + 12.0);
    Gamma();
    putText(u"("_s);
    skipPx(5);
    putVars(u"p"_s);
    putText(u"+"_s);
    putVars(u"q"_s);
    putText(u"+2)"_s);
}
}  // namespace

void p7_11(PageContext& page)
{
    shiftedBetaStatement(page);
    unitIntervalSubstitution();
    const float equalsX = unitIntervalIntegral();
    shiftedAsBeta(equalsX);
    shiftedAsGamma(equalsX);
}

namespace {
// ---- 7.12 -------------------------------------------------------------------

// I₄ = ∫₀¹ x (1 − x)^(a−1) dx, on a row of its own.
void powerMomentIntegral()
{
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_4 = \int_0^1 x\,(1 - x)^{a-1}\,dx)"_s);
    integralName(u"4"_s);
    putText(u"  ＝  "_s);
    integralAtPen(u"1"_s, u"0"_s);
    skipPx(8);
    putVars(u"x"_s);
    skipPx(4);
    putText(u"("_s);
    skipPx(2);
    putText(u"1"_s);
    putMinus();
    putVars(u"x"_s);
    skipPx(2);
    putText(u")"_s);
    putSup(u"a-1"_s);
    skipPx(8);
    putDiff(u"x"_s);
}

// The problem: for a > 0, put I₄ in its simplest form.
void powerMomentStatement(const PageContext& page)
{
    putColored(page.entry + u"　p. 144."_s);
    skipW(1);
    {
        // The 0 is drawn in one run with the prose after it.
        FormulaScope meaning(pic(), uR"(a > 0\text{ として，定積分})"_s);
        putVars(u"a"_s);
        skipPx(3);
        putText(u">"_s);
        skipPx(2);
        putText(u"0 として，定積分"_s);
    }

    powerMomentIntegral();

    rowAt(ds().leftMargin, 1.5f);
    putText(u"を最も簡単な形にせよ。"_s);
}

// I₄ = B(2, a) with its two fraction bars; returns where they start.
FractionBars powerMomentAsBeta()
{
    rowAt(ds().tab5, 1.5f);
    const float row = ds().penY;
    integralName(u"4"_s);
    putText(u"  ＝  "_s);
    beta();
    putText(u"(2"_s);
    putVars(u", a"_s);
    putText(u")  ＝  "_s);
    const float first = ds().penX;
    putText(u"─────  ＝  "_s);
    const float second = ds().penX;
    putText(u"────"_s);
    skipPx(-4);
    putText(u"─"_s);
    return {first, second, row};
}

// Γ(2)Γ(a) / Γ(a+2)  and  1 / a(a+1)
void powerMomentFractions(const FractionBars& bars)
{
    penAt(bars.first + 2.0, bars.row - 13.0);
    Gamma();
    putText(u"(2)"_s);
    skipPx(2);
    Gamma();
    putText(u"("_s);
    putVars(u"a"_s);
    putText(u")"_s);
    ds().penX = float(bars.second + 2.5 * ds().chW);
    putText(u"1"_s);
    penAt(bars.first + 8.0, bars.row + 12.0);
    Gamma();
    putText(u"("_s);
    putVars(u"a"_s);
    putText(u"+2)"_s);
    ds().penX = float(bars.second + 2.0);
    putVars(u"a"_s);
    skipPx(4);
    putText(u"("_s);
    skipPx(2);
    putVars(u"a"_s);
    skipPx(4);
    putText(u"+"_s);
    skipPx(2);
    putText(u"1"_s);
    skipPx(2);
    putText(u")"_s);
}

// I₄ = 1/a ∫₀¹ (1 − u^(1/a)) du, on a row of its own.
void powerMomentIntegralInU()
{
    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(I_4 = \frac{1}{a} \int_0^1 (1 - u^{1/a})\,du)"_s);
    integralName(u"4"_s);
    putText(u"  ＝  "_s);
    oneOverAtPen(u"a"_s);
    skipPx(4);
    integralAtPen(u"1"_s, u"0"_s);
    skipPx(8);
    putText(u"("_s);
    skipPx(2);
    putText(u"1"_s);
    putMinus();
    putVars(u"u"_s);
    putSup(u"1/a"_s);
    skipPx(2);
    putText(u")"_s);
    skipPx(6);
    putDiff(u"u"_s);
}

// The other route: u = (1 − x)^a gives I₄ = 1/a ∫₀¹ (1 − u^(1/a)) du.
void powerMomentOtherRoute()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"別解として，"_s);
    {
        FormulaScope meaning(pic(), u"u = (1 - x)^a"_s);
        putVars(u"u"_s);
        putText(u"  =  ("_s);
        skipPx(2);
        putText(u"1"_s);
        putMinus();
        putVars(u"x"_s);
        skipPx(2);
        putText(u")"_s);
        putSup(u"a"_s);
    }
    putText(u" と積分変数を置き換えてもよい。"_s);
    newLine();
    putText(u"このとき，"_s);

    powerMomentIntegralInU();

    rowAt(ds().leftMargin, 1.5f);
    putText(u"となるので，これを計算すればよい。"_s);
}
}  // namespace

void p7_12(PageContext& page)
{
    powerMomentStatement(page);
    solutionLabel(u"[解 7.12]："_s);
    formula(uR"(I_4 = B(2, a) = \frac{\Gamma(2)\,\Gamma(a)}{\Gamma(a + 2)} = \frac{1}{a(a + 1)})"_s,
            [] { powerMomentFractions(powerMomentAsBeta()); });
    // Counted from the denominator line.
    powerMomentOtherRoute();
}

namespace {
// The reflection-formula note of 7.13: a blue bold arrow under the first "＝"
// and, below it in small type, the equation it comes from.
void p7_13Annotation(float arrowX)
{
    Surface& s = pic();
    {
        StyleScope keep(s);
        s.ForeColor = ds().highlightColor;
        s.FontBold = true;
        dspText(s, arrowX, float(ds().penY + 4.0), u"↑"_s);
    }
    StyleScope keep(s);
    s.FontSize = float(0.8 * ds().baseFontSize);
    float labelX = float(arrowX - 3.0 * ds().chW);
    dspText(s, labelX, float(ds().penY + 1.2 * ds().lineH), u"(7.22)"_s);
}
}  // namespace

namespace {
// ---- 7.13 -------------------------------------------------------------------

// The row of I₅ = B(3/4, 1/4) = π/sin(π/4): its line, its fraction bar, and its
// first "＝", where the note points.
struct ReflectionRow {
    float row;
    float bar;
    float arrow;
};

// I₅ = ∫₀¹ x^(−1/4) (1 − x)^(−3/4) dx.
void reflectionIntegral()
{
    FormulaScope meaning(pic(), uR"(I_5 = \int_0^1 x^{-1/4}(1 - x)^{-3/4}\,dx)"_s);
    integralName(u"5"_s);
    putText(u"  ＝  "_s);
    integralAtPen(u"1"_s, u"0"_s);
    skipPx(8);
    putVars(u"x"_s);
    putSup(u"-1/4"_s);
    skipPx(4);
    putText(u"("_s);
    putText(u"1"_s);
    putMinus();
    putVars(u"x"_s);
    skipPx(2);
    putText(u")"_s);
    skipPx(2);
    putSup(u"-3/4"_s);
    skipPx(8);
    putDiff(u"x"_s);
}

// The problem: find I₅.
void reflectionStatement(const PageContext& page)
{
    putColored(page.entry + u"　p. 144."_s);
    rowAt(ds().tab5, 1.5f);
    putText(u"定積分 "_s);
    reflectionIntegral();
    putText(u"  を求めよ。"_s);
}

// I₅ = B(3/4, 1/4) = ── = π√2, the fraction's bar left empty.
ReflectionRow reflectionRow()
{
    rowAt(ds().tab5, 1.5f);
    const float rowY = ds().penY;
    integralName(u"5"_s);
    putText(u"  ＝  "_s);
    beta();
    putText(u"("_s);
    skipPx(2);
    putFracSmall(u"3"_s, u"4"_s);
    putText(u"，"_s);
    skipPx(-6);
    putFracSmall(u"1"_s, u"4"_s);
    skipPx(2);
    putText(u")  "_s);
    const float arrowX = ds().penX;
    putText(u"＝  "_s);
    const float barX = ds().penX;
    putText(u"─────"_s);
    skipPx(-8);
    putText(u"─  ＝  "_s);
    bigPiAtPen();
    skipPx(6);
    dspRadical(pic(), ds().penX, ds().penY, float(1.5 * ds().chW));
    ds().penX = float(ds().penX - ds().chW);
    putText(u"2"_s);
    return {rowY, barX, arrowX};
}

// π over sin(π/4); the numerator's π does not move the pen.
void reflectionFraction(const ReflectionRow& r)
{
    float numeratorX = float(r.bar + 35.0);
    dspBigPi(pic(), numeratorX, float(r.row - 11.0));
    penAt(r.bar + 2.0, r.row + 11.0);
    putSin();
    putText(u"("_s);
    skipPx(2);
    bigPiAtPen();
    skipPx(3);
    putText(u"/"_s);
    skipPx(2);
    putText(u"4"_s);
    skipPx(2);
    putText(u")"_s);
}
}  // namespace

void p7_13(PageContext& page)
{
    reflectionStatement(page);
    solutionLabel(u"[解 7.13]："_s);
    ReflectionRow r{};
    formula(uR"(I_5 = B(\frac{3}{4}, \frac{1}{4}) = \frac{\pi}{\sin(\pi/4)} = \pi\sqrt{2})"_s, [&r] {
        r = reflectionRow();
        reflectionFraction(r);
    });
    p7_13Annotation(r.arrow);
}

namespace {
// One of the three limit displays of Gauss's product: lim over v → ∞ of a
// numerator with exponent z over (z+1)(z+2)…(z+last).
struct LimitDisplay {
    QString v;
    QString bar;
    void (*lastFactor)();
    void (*numerator)();
    int numX;  // numerator start, from the end of the v → ∞ line
    int expY;  // rise of the exponent z above the row
};

void lastN()
{
    putVars(u"n"_s);
    putText(u")"_s);
}

void lastNMinusOne()
{
    putVars(u"n"_s);
    putMinus();
    putText(u"1)"_s);
}

void lastM()
{
    putVars(u"m"_s);
    putText(u")"_s);
}

void nFactorialN()
{
    putVars(u"n"_s);
    putText(u"！ "_s);
    putVars(u"n"_s);
}

void nMinusOneFactorialN()
{
    putText(u"("_s);
    skipPx(2);
    putVars(u"n"_s);
    putMinus();
    putText(u"1)！ "_s);
    putVars(u"n"_s);
}

void mFactorialM()
{
    putVars(u"m"_s);
    putText(u"！ "_s);
    putVars(u"m"_s);
}

const LimitDisplay gaussProduct{u"n"_s, u"────────────"_s, lastN, nFactorialN, 80, 15};
const LimitDisplay shiftedProduct{u"n"_s, u"──────────────"_s, lastNMinusOne, nMinusOneFactorialN, 80, 15};
const LimitDisplay renamedProduct{u"m"_s, u"─────────────"_s, lastM, mFactorialM, 40, 16};

// The exponent z, smaller than the row it stands on.
void exponentZ()
{
    StyleScope keep(pic());
    pic().FontSize = float(0.8 * pic().FontSize);
    putVars(u"z"_s);
}

// Draws the display after the left-hand side; returns the row's line (limY).
float drawLimit(const LimitDisplay& d)
{
    const float limX = ds().penX;
    const float limY = ds().penY;
    ds().penY = float(limY - 10.0);
    skipPx(7);
    {
        StyleScope keep(pic());
        pic().FontSize = float(1.3 * pic().FontSize);
        putText(u"lim"_s);
    }

    penAt(limX, limY + 10.0);
    putVars(d.v);
    skipPx(2);
    putText(u"→"_s);
    skipPx(2);
    putText(u"∞"_s);
    const float limEnd = ds().penX;

    ds().penY = limY;
    skipPx(10);
    putText(d.bar);

    penAt(limEnd + 10.0, limY + 12.0);
    putText(u"("_s);
    putVars(u"z"_s);
    skipPx(4);
    putText(u"+1)"_s);
    skipPx(4);
    putText(u"("_s);
    putVars(u"z"_s);
    skipPx(4);
    putText(u"+2)"_s);
    putText(u" ･･･ "_s);
    putText(u"("_s);
    putVars(u"z"_s);
    skipPx(4);
    putText(u"+"_s);
    d.lastFactor();

    penAt(limEnd + double(d.numX), limY - 12.0);
    d.numerator();
    skipPx(2);

    ds().penY = float(limY - double(d.expY));
    exponentZ();
    return limY;
}

// (1 + 1/m)^z after the renamed product's numerator.
void onePlusOneOverMToZ(float limY)
{
    ds().penY = float(limY - 12.0);
    skipPx(6);
    putText(u"(1+"_s);
    putText(u"1/"_s);
    ds().penY = float(ds().penY + 1.0);
    putVars(u"m"_s);
    ds().penY = float(ds().penY - 1.0);
    putText(u")"_s);
    skipPx(2);
    ds().penY = float(limY - 17.0);
    exponentZ();
}

// Γ(z+1) at the pen; `close` is the run from "+1)" on.
void gammaOfZPlusOne(const QString& close)
{
    Gamma();
    putText(u"("_s);
    skipPx(2);
    putVars(u"z"_s);
    skipPx(2);
    putText(close);
}

// zΓ(z) = at the pen.
void zGammaZEquals()
{
    putVars(u"z"_s);
    skipPx(6);
    Gamma();
    putText(u"("_s);
    skipPx(2);
    putVars(u"z"_s);
    skipPx(2);
    putText(u") = "_s);
}

void p7_14Statement()
{
    rowAt(ds().leftMargin, 1.5f);
    putText(u"ガンマ関数 "_s);
    formula(uR"(\Gamma(z + 1))"_s, [] { gammaOfZPlusOne(u"+1)"_s); });
    skipPx(5);
    putText(u"は,"_s);
    skipPx(2);
    putText(u"1 位の極 "_s);
    {
        // The list of poles is drawn in one run with the prose after it.
        FormulaScope meaning(pic(), uR"(z = -1, -2, -3, \cdots\text{ を除くすべての複素数})"_s);
        putVars(u"z"_s);
        skipPx(4);
        putText(u"="_s);
        putMinus();
        putText(u"1,"_s);
        putMinus();
        putText(u"2,"_s);
        putMinus();
        putText(u"3, ･･･ を除くすべての複素数"_s);
    }
    formula(u"z"_s, [] { putVars(u" z "_s); });
    putText(u"に対し，"_s);
    rowAt(ds().leftMargin, 1.2f);
    putText(u"次の無限乗積によって"_s);

    rowAt(ds().tab5, 1.5f);
    {
        FormulaScope meaning(pic(), uR"(\Gamma(z + 1) = \lim_{n \to \infty} \frac{n!\,n^z}{(z + 1)(z + 2) \cdots (z + n)})"_s);
        gammaOfZPlusOne(u"+1) = "_s);
        ds().penY = drawLimit(gaussProduct);
    }
    ds().penX = float(ds().tab40);
    putText(u"(7.37)"_s);

    skipLines(1.5f);
    ds().penX = float(ds().leftMargin);
    putText(u"と定義できる。この定義のもとで，次のことを示せ。"_s);
    skipLines(1.5f);
    ds().penX = float(ds().leftMargin);
    putText(u"(1) "_s);
    {
        // The claim is drawn in one run with the prose after it.
        FormulaScope meaning(pic(), uR"(\Gamma(1) = 1\text{ であること。})"_s);
        Gamma();
        putText(u"(1) = 1 であること。"_s);
    }
    skipLines(1.2f);
    ds().penX = float(ds().leftMargin);
    putText(u"(2) "_s);
    // The closing parenthesis is drawn in one run with the prose after it.
    FormulaScope meaning(pic(), uR"(\Gamma(z + 1) = z\,\Gamma(z)\text{ が成り立つこと。})"_s);
    gammaOfZPlusOne(u"+1) = "_s);
    putVars(u"z"_s);
    skipPx(6);
    Gamma();
    putText(u"("_s);
    putVars(u"z"_s);
    skipPx(2);
    putText(u") が成り立つこと。"_s);
}
}  // namespace

void p7_14(PageContext& page)
{
    putColored(page.entry + u"　[追加問題]"_s);
    p7_14Statement();

    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 7.14]："_s);
    rowAt(ds().leftMargin, 1.5f);
    putText(u"(1) これは容易である。(7.37) で"_s);
    skipPx(6);
    {
        // The 0 is drawn in one run with the prose after it.
        FormulaScope meaning(pic(), uR"(z = 0\text{ とおけばよい。})"_s);
        putVars(u"z"_s);
        skipPx(4);
        putText(u"="_s);
        skipPx(4);
        putText(u"0 とおけばよい。"_s);
    }

    rowAt(ds().leftMargin, 1.5f);
    putText(u"(2) (7.37) において "_s);
    {
        // The 1 is drawn in one run with the prose after it.
        FormulaScope meaning(pic(), uR"(z \to z - 1\text{ と置き換え，両辺に})"_s);
        putVars(u"z"_s);
        putText(u" → "_s);
        putVars(u"z"_s);
        putMinus();
        putText(u"1 と置き換え，両辺に"_s);
    }
    formula(u"z"_s, [] { putVars(u" z "_s); });
    putText(u"を掛けると，"_s);

    rowAt(ds().tab5, 1.5f);
    formula(uR"(z\,\Gamma(z) = \lim_{n \to \infty} \frac{(n - 1)!\,n^z}{(z + 1)(z + 2) \cdots (z + n - 1)})"_s, [] {
        zGammaZEquals();
        ds().penY = drawLimit(shiftedProduct);
    });

    rowAt(ds().leftMargin, 1.5f);
    putText(u"ここで "_s);
    {
        // The +1 is drawn in one run with the prose after it.
        FormulaScope meaning(pic(), uR"(n \to m + 1\text{ と置き換えると，})"_s);
        putVars(u"n"_s);
        skipPx(4);
        putText(u"→"_s);
        skipPx(4);
        putVars(u"m"_s);
        skipPx(2);
        putText(u"+1 と置き換えると，"_s);
    }

    rowAt(ds().tab5, 1.5f);
    formula(uR"(z\,\Gamma(z) = \lim_{m \to \infty} \frac{m!\,m^z\,(1 + 1/m)^z}{(z + 1)(z + 2) \cdots (z + m)})"_s, [] {
        zGammaZEquals();
        const float limY = drawLimit(renamedProduct);
        onePlusOneOverMToZ(limY);
        ds().penY = limY;
    });

    rowAt(ds().leftMargin, 1.5f);
    putText(u"となり，(7.37) と一致する。"_s);
}
