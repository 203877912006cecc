// Chapter 3: the Fourier transform and its inverse, and the transform of δ(x − a).
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
// f(x) = 1/2π ∫ e^{ikx} ∫ e^{−ikv} f(v) dv dk: the inverse with the transform put inside.
void substitutedForm(const QString& v)
{
    FormulaScope meaning(pic(), uR"(f(x) = \frac{1}{2\pi}\,\int_{-\infty}^{\infty} e^{ikx} \int_{-\infty}^{\infty} e^{-ik%1}\,f(%1)\,d%1\,dk)"_s.arg(v));
    putFuncOf(u"f"_s, u"x"_s);
    putText(u"  ＝  "_s);
    putOneOver2Pi();
    skipPx(8);
    intInf();
    putExpIK(1, u"x"_s);
    skipPx(4);
    intInf();
    putExpIK(-1, v);
    skipPx(8);
    putFuncOf(u"f"_s, v);
    skipPx(4);
    putDiff(v);
    skipPx(8);
    putDiff(u"k"_s);
}

// The line ends "＝  1/2π ∫": the common start of each step of the derivation column.
void derivationStep(float column, float lines)
{
    rowAt(column, lines);
    putText(u"＝  "_s);
    putOneOver2Pi();
    skipPx(8);
    intInf();
}

void transformPair()
{
    newLine();
    putText(u"関数 "_s);
    formula(u"f(x)"_s, [] { putFuncOf(u"f"_s, u"x"_s); });
    putText(u" が与えられたとき，"_s);
    rowAt(ds().tab5, 1.5f);
    {
        FormulaScope meaning(pic(), uR"(F(k) = \int_{-\infty}^{\infty} e^{-ikx}\,f(x)\,dx)"_s);
        putFuncOf(u"F"_s, u"k"_s);
        putText(u"  ＝ "_s);
        intInf();
        putExpIK(-1, u"x"_s);
        skipPx(8);
        putFuncOf(u"f"_s, u"x"_s);
        skipPx(8);
        putDiff(u"x"_s);
    }
    rowAt(ds().leftMargin, 1.5f);
    putText(u"を  "_s);
    formula(u"f(x)"_s, [] { putFuncOf(u"f"_s, u"x"_s); });
    putText(u" のフーリエ変換 (Fourier Transform) という。"_s);
}

void inverseToShow()
{
    newLine();
    putText(u"その逆変換が"_s);
    rowAt(ds().tab5, 1.5f);
    {
        FormulaScope meaning(pic(), uR"(f(x) = \frac{1}{2\pi}\,\int_{-\infty}^{\infty} e^{ikx}\,F(k)\,dk)"_s);
        putFuncOf(u"f"_s, u"x"_s);
        putText(u"  ＝ "_s);
        putOneOver2Pi();
        skipPx(8);
        intInf();
        putExpIK(1, u"x"_s);
        skipPx(8);
        putFuncOf(u"F"_s, u"k"_s);
        skipPx(8);
        putDiff(u"k"_s);
    }
    rowAt(ds().leftMargin, 1.5f);
    putText(u"で与えられることを示せ。"_s);
}

void mechanicalAttempt()
{
    rowAt(ds().leftMargin, 1);
    putColored(u"[解 3.2]："_s);
    putText(u"(3.16) と (3.4) のどちらかを他方に代入すればよい。"_s);
    newLine();
    putText(u"初学者は機械的に代入して，次のように書きがちである。"_s);
    rowAt(ds().tab5, 1.5f);
    substitutedForm(u"x"_s);
    rowAt(ds().leftMargin, 1.5f);
    putText(u"これでは行き詰まってしまう。"_s);
}

void renamedVariable()
{
    newLine();
    putText(u"正しくは，右辺の"_s);
    {
        StyleScope keep(pic());
        pic().ForeColor = ds().highlightColor;
        putText(u"積分変数 "_s);
        varsInProse(u"x"_s);
    }
    putText(u" を別の記号 "_s);
    varsInProse(u"y"_s);
    skipPx(8);
    putText(u"に置き換える。"_s);
    rowAt(ds().tab5, 1.5f);
    substitutedForm(u"y"_s);
    rowAt(ds().leftMargin, 1.5f);
    putText(u"積分の順序を入れ換えて，"_s);
    formula(u"dk"_s, [] { putDiff(u"k"_s); });
    putText(u" の積分を内側にもってくる。"_s);
}

void bracketedKIntegral()
{
    putBigLBracket(ds().penX, ds().penY);
    skipPx(10);
    intInf();
    putCourier(u"e"_s);
    putSup(u"ik(x"_s);
    dspSup(pic(), ds().penX, float(ds().penY + 1), u"-"_s);
    putSup(u"y)"_s);
    skipPx(4);
    putDiff(u"k"_s);
    skipPx(6);
    putBigRBracket(ds().penX, ds().penY);
}

void deltaDerivation(PageContext& page)
{
    rowAt(ds().tab5, 1.5f);
    putText(u"右辺  "_s);
    page.markX2 = ds().penX;
    {
        FormulaScope meaning(pic(), uR"(= \frac{1}{2\pi}\,\int_{-\infty}^{\infty} \left[ \int_{-\infty}^{\infty} e^{ik(x-y)}\,dk \right] f(y)\,dy)"_s);
        derivationStep(page.markX2, 0);
        skipPx(2);
        bracketedKIntegral();
        skipPx(18);
        putFuncOf(u"f"_s, u"y"_s);
        skipPx(8);
        putDiff(u"y"_s);
    }
    {
        FormulaScope meaning(pic(), uR"(= \frac{1}{2\pi}\,\int_{-\infty}^{\infty} 2\pi\,\delta(x-y)\,f(y)\,dy)"_s);
        derivationStep(page.markX2, 2);
        skipPx(2);
        dspTwoPi(ds().penX, ds().penY);
        skipPx(6);
        putDelta();
        skipPx(4);
        dspTerm(pic(), ds().penX, ds().penY, u"(x-y)"_s);
        skipPx(12);
        putFuncOf(u"f"_s, u"y"_s);
        skipPx(8);
        putDiff(u"y"_s);
    }

    rowAt(page.markX2, 1.5f);
    formula(u"= f(x)"_s, [] {
        putText(u"＝  "_s);
        putFuncOf(u"f"_s, u"x"_s);
    });
}

// δ(x − a), as the statement and the solution both write it.
void deltaOfXMinusA()
{
    dspGreek(pic(), ds().penX, ds().penY, u"d"_s);
    skipPx(4);
    putText(u"("_s);
    skipPx(2);
    putVars(u"x"_s);
    putMinus();
    putVars(u"a"_s);
    skipPx(2);
    putText(u")"_s);
}
}  // namespace

void p3_2(PageContext& page)
{
    putColored(page.entry + u"　p. 53."_s);
    transformPair();
    inverseToShow();
    mechanicalAttempt();
    renamedVariable();
    deltaDerivation(page);
}

void p3_3(PageContext& page)
{
    putColored(page.entry + u"　p. 53."_s);
    newLine();
    putText(u"関数 "_s);
    formula(uR"(f(x) = \delta(x - a))"_s, [] {
        dspFx(pic(), ds().penX, ds().penY);
        skipPx(8);
        putText(u"＝"_s);
        skipPx(8);
        deltaOfXMinusA();
    });
    putText(u" のフーリエ変換を求めよ。"_s);

    rowAt(ds().leftMargin, 1.5f);
    putColored(u"[解 3.3]："_s);

    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(F(k) = \int_{-\infty}^{\infty} e^{-ikx}\,\delta(x - a)\,dx = e^{-ika})"_s);
    putVars(u"F"_s);
    skipPx(2);
    putText(u"("_s);
    putVars(u"k"_s);
    putText(u")  ＝  "_s);
    intInf();
    skipPx(2);
    putExpIK(-1, u"x"_s);
    skipPx(8);
    deltaOfXMinusA();
    skipPx(10);
    putDiff(u"x"_s);
    putText(u"  ＝  "_s);
    putExpIK(-1, u"a"_s);
}
