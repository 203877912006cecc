// Chapter 1: Jacobians, partial derivatives, thermodynamic identities, a binomial
// sum, a Lagrange multiplier and the n-th derivative of a power.
#include "pages.h"
#include "page_steps.h"

#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/markup.h"
#include "canvas/text.h"
#include "notation/notation.h"

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

double margin() { return double(ds().leftMargin); }

// A segment from (x, y) by (dx, dy) in the surface's foreground colour.
void bar(double x, double y, double dx, double dy)
{
    pic().Line(float(x), float(y), float(x + dx), float(y + dy));
}

// An operator at the vertical middle of a two-row determinant that starts at penY.
void printMid(const QString& s)
{
    pic().CurrentX = ds().penX;
    pic().CurrentY = float(ds().penY + 0.6 * ds().lineH);
    pic().Print(s);
    ds().penX = pic().CurrentX;
    ds().penY = float(pic().CurrentY - 0.6 * ds().lineH);
}

// The pen's line and the middle of a determinant row pair starting on it.
struct DetRows {
    float top;
    float middle;
};

DetRows detRowsAtPen() { return {ds().penY, float(ds().penY + 0.6 * ds().lineH)}; }

// ---- 1.8a -------------------------------------------------------------------

void chainRuleStatement()
{
    penAt(margin(), 1.5 * ds().lineH);
    putText(u"変数変換のヤコビアンについて，次の関係が成り立つことを示せ。"_s);
    ds().penX = float(ds().tab5);
    ds().penY = float(ds().penY + 1.5 * ds().lineH);
    formula(uR"(\frac{\partial(u, v)}{\partial(f, g)}\,\frac{\partial(f, g)}{\partial(x, y)} = \frac{\partial(u, v)}{\partial(x, y)})"_s, [] {
        putJacobian(u"u, v"_s, u"f, g"_s);
        skipPx(15);
        putJacobian(u"f, g"_s, u"x, y"_s);
        putText(u" = "_s);
        putJacobian(u"u, v"_s, u"x, y"_s);
    });
    ds().penX = float(40.0 * ds().chW + margin());
    putText(u"(1.38a)"_s);
}

void chainRuleShorthand()
{
    rowAt(margin(), 2);
    putColored(u"[解 1.8a]"_s);
    skipW(1);
    putText(u"紙面を節約するため，偏微分を略記する。"_s);
    skipW(1);
    formula(uR"(u_x = \frac{\partial u}{\partial x})"_s, [] {
        putVars(u"u"_s);
        putSub(u"x"_s);
        putText(u" = "_s);
        putPartial(u"u"_s, u"x"_s);
    });
    skipW(1.5);
    putText(u"これを用いると，"_s);

    rowAt(ds().tab5, 1.2f);
    formula(uR"(\begin{vmatrix} u_f & u_g \\ v_f & v_g \end{vmatrix} \cdot )"
            uR"(\begin{vmatrix} f_x & f_y \\ g_x & g_y \end{vmatrix})"
            uR"( = \begin{vmatrix} u_x & u_y \\ v_x & v_y \end{vmatrix})"_s, [] {
        det2(u"uf"_s, u"ug"_s, u"vf"_s, u"vg"_s);
        printMid(u"・"_s);
        det2(u"fx"_s, u"fy"_s, u"gx"_s, u"gy"_s);
        printMid(u" ＝ "_s);
        det2(u"ux"_s, u"uy"_s, u"vx"_s, u"vy"_s);
    });
    ds().penX = float(40.0 * ds().chW + margin());
    skipLines(0.6f);
    putText(u"(1.38b)"_s);
}

void chainRuleMultilinearity()
{
    rowAt(margin(), 2);
    putText(u"これが略記で書いた (1.38a) である。連鎖律により右辺は次のようになる："_s);
    rowAt(ds().tab5, 1.2f);
    formula(uR"(\text{[右辺]} = \begin{vmatrix} u_f\,f_x + u_g\,g_x & u_f\,f_y + u_g\,g_y \\ )"
            uR"(v_f\,f_x + v_g\,g_x & v_f\,f_y + v_g\,g_y \end{vmatrix})"_s, [] {
        printMid(u"[右辺] = "_s);
        det2a();
    });

    rowAt(margin(), 2.5f);
    putText(u"両辺を展開して比べてもよいが，ここでは行列式の形のまま扱うため，"_s);
    rowAt(margin(), 1);
    putText(u"行列式の多重線形性を用いる："_s);
    rowAt(ds().tab5, 1.2f);
    formula(uR"(\begin{vmatrix} a + b & c \\ x + y & z \end{vmatrix})"
            uR"( = \begin{vmatrix} a & c \\ x & z \end{vmatrix} + \begin{vmatrix} b & c \\ y & z \end{vmatrix})"_s, [] {
        det2b(u"a+b"_s, u"c"_s, u"x+y"_s, u"z"_s);
        printMid(u" = "_s);
        det2b(u"a"_s, u"c"_s, u"x"_s, u"z"_s);
        printMid(u" + "_s);
        det2b(u"b"_s, u"c"_s, u"y"_s, u"z"_s);
    });
    rowAt(margin(), 2.2f);
    putText(u"これを使って，右辺を４つの行列式の和に分ける。"_s);
}

struct ChainTerm {
    const char* before;
    const char* entries[4];
    const char* after;
};

void chainRuleFourTerms()
{
    static const ChainTerm terms[] = {
        {"fx", {"uf", "uf", "vf", "vf"}, "fy"},
        {"fx", {"uf", "ug", "vf", "vg"}, "gy"},
        {"gx", {"ug", "uf", "vg", "vf"}, "fy"},
        {"gx", {"ug", "ug", "vg", "vg"}, "gy"},
    };
    skipLines(1.2f);
    const DetRows rows = detRowsAtPen();
    penAt(ds().chW, rows.middle);
    FormulaScope meaning(pic(), uR"(\text{[右辺]} = f_x \begin{vmatrix} u_f & u_f \\ v_f & v_f \end{vmatrix} f_y)"
                                uR"( + f_x \begin{vmatrix} u_f & u_g \\ v_f & v_g \end{vmatrix} g_y)"
                                uR"( + g_x \begin{vmatrix} u_g & u_f \\ v_g & v_f \end{vmatrix} f_y)"
                                uR"( + g_x \begin{vmatrix} u_g & u_g \\ v_g & v_g \end{vmatrix} g_y)"_s);
    putText(u"[右辺] = "_s);
    bool first = true;
    for (const ChainTerm& term : terms) {
        if (!first) putPlus();
        first = false;
        ShowUx(QString::fromLatin1(term.before));
        skipW(0.5f);
        ds().penY = rows.top;
        det2(QString::fromLatin1(term.entries[0]), QString::fromLatin1(term.entries[1]),
             QString::fromLatin1(term.entries[2]), QString::fromLatin1(term.entries[3]));
        ds().penY = rows.middle;
        skipW(1);
        ShowUx(QString::fromLatin1(term.after));
    }
}

void chainRuleConclusion()
{
    rowAt(margin(), 2);
    putText(u"第１項と第４項は２つの列が等しいので０になる。"_s);
    skipLines(1.2f);
    const DetRows rows = detRowsAtPen();
    penAt(ds().chW, rows.middle);
    {
        FormulaScope meaning(pic(), uR"(\text{[右辺]} = (f_x\,g_y - f_y\,g_x) \begin{vmatrix} u_f & u_g \\ v_f & v_g \end{vmatrix})"_s);
        putText(u"[右辺] = ("_s);
        skipW(0.4f);
        ShowUx(u"fx"_s);
        skipW(0.4f);
        ShowUx(u"gy"_s);
        putMinus();
        ShowUx(u"fy"_s);
        skipW(0.4f);
        ShowUx(u"gx"_s);
        putText(u") "_s);
        ds().penY = rows.top;
        det2(u"uf"_s, u"ug"_s, u"vf"_s, u"vg"_s);
    }
    skipLines(2.2f);
    ds().penX = float(margin());
    putText(u"これをまとめると左辺に等しく，関係式が証明された。"_s);
}

// ---- 1.8 --------------------------------------------------------------------

void heatRatioPart1Statement()
{
    putColored(u"(1)"_s);
    putText(u" ヤコビアンを用いて，"_s);
    formula(uR"(\left(\frac{\partial u}{\partial x}\right)_y \left(\frac{\partial y}{\partial z}\right)_x)"
            uR"( = \left(\frac{\partial u}{\partial x}\right)_z \left(\frac{\partial y}{\partial z}\right)_u)"_s, [] {
        putPartialParen(u"u"_s, u"x"_s, u"y"_s);
        skipPx(6);
        putPartialParen(u"y"_s, u"z"_s, u"x"_s);
        putText(u" ＝ "_s);
        putPartialParen(u"u"_s, u"x"_s, u"z"_s);
        skipPx(6);
        putPartialParen(u"y"_s, u"z"_s, u"u"_s);
    });
    putText(u" を示せ。"_s);
}

// C with a subscript, as a specific heat.
void putHeat(const QString& held)
{
    putVars(u"C"_s);
    putSub(held);
}

void putKappaSub(const QString& held)
{
    putKappa();
    putSub(held);
}

void putEpsilonSub(const QString& held)
{
    putEpsilon();
    putSub(held);
}

void heatRatioPart2Statement()
{
    rowAt(margin(), 2);
    putColored(u"(2)"_s);
    putText(u" 定圧比熱 "_s);
    formula(uR"(C_p = T \left(\frac{\partial S}{\partial T}\right)_p)"_s, [] {
        putHeat(u"p"_s);
        putText(u" = "_s);
        putVars(u"T "_s);
        putPartialParen(u"S"_s, u"T"_s, u"p"_s);
    });
    putText(u" と定積比熱 "_s);
    formula(uR"(C_V = T \left(\frac{\partial S}{\partial T}\right)_V)"_s, [] {
        putHeat(u"V"_s);
        putText(u" = "_s);
        putVars(u"T "_s);
        putPartialParen(u"S"_s, u"T"_s, u"V"_s);
    });
    putText(u" の比は，"_s);

    rowAt(3.0 * ds().chW + margin(), 2);
    putText(u"等温圧縮率 "_s);
    formula(uR"(\kappa_T = -\frac{1}{V} \left(\frac{\partial V}{\partial p}\right)_T)"_s, [] {
        putKappaSub(u"T"_s);
        putText(u" = "_s);
        putText(u"－"_s);
        skipPx(4);
        putFrac(u"1"_s, u"V"_s);
        skipPx(5);
        putPartialParen(u"V"_s, u"p"_s, u"T"_s);
    });
    putText(u" と断熱圧縮率 "_s);
    formula(uR"(\kappa_S = -\frac{1}{V} \left(\frac{\partial V}{\partial p}\right)_S)"_s, [] {
        putKappaSub(u"S"_s);
        putText(u" = "_s);
        putMinus();
        skipPx(4);
        putFrac(u"1"_s, u"V"_s);
        skipPx(5);
        putPartialParen(u"V"_s, u"p"_s, u"S"_s);
    });
    putText(u" を用いて"_s);
}

// C_p/C_V = κ_T/κ_S, with the two bars built from text rules.
void heatRatioEquation(PageContext& page)
{
    rowAt(ds().tab5, 2);
    page.markY = ds().penY;
    page.markX2 = ds().penX;
    // The second bar's op carries the sentence after it, so the sentence is part of the span.
    FormulaScope meaning(pic(), uR"(\frac{C_p}{C_V} = \frac{\kappa_T}{\kappa_S}\text{　が成り立つことを示せ。})"_s);
    putText(u"─"_s);
    skipPx(-5);
    putText(u"─  =  "_s);
    page.markX3 = ds().penX;
    putText(u"─"_s);
    skipPx(-8);
    putText(u"─　が成り立つことを示せ。"_s);

    ds().penY = page.markY - 16;
    ds().penX = page.markX2 + 2;
    putHeat(u"p"_s);
    ds().penX = page.markX3 + 2;
    putKappaSub(u"T"_s);

    ds().penX = page.markX2 + 2;
    ds().penY = page.markY + 12;
    putHeat(u"V"_s);
    ds().penY = ds().penY - 2;
    ds().penX = page.markX3 + 2;
    putKappaSub(u"S"_s);
}

// A stroke over the numerator row (upper) or the denominator row of the Jacobian at x.
void cancelStroke(float x, bool upper)
{
    const float w = float(5.5 * ds().chW);
    if (upper)
        pic().Line(x, ds().penY + 8, x + w, ds().penY - 7, ds().markColor);
    else
        pic().Line(x, ds().penY + 34, x + w, ds().penY + 20, ds().markColor);
}

// side = J(a1; b1) J(a2; b2) = J(a3; b3) J(a4; b4) = J(a5; b5), with the middle
// pair's cancelling lists struck through, and what the line means in LaTeX.
struct JacobianChain {
    const char16_t* latex;
    const char* side;
    const char* lists[10];
    bool firstCancelsNumerator;
};

void jacobianChainLine(PageContext& page, const JacobianChain& chain)
{
    const auto list = [&](int i) { return QString::fromLatin1(chain.lists[i]); };
    rowAt(4.0 * ds().chW + margin(), 1.5f);
    FormulaScope meaning(pic(), QString::fromUtf16(chain.latex));
    putText(QString::fromUtf8(chain.side));
    putJacobian(list(0), list(1));
    skipW(1);
    putJacobian(list(2), list(3));
    putText(u"  =  "_s);
    page.markX2 = ds().penX;
    putJacobian(list(4), list(5));
    skipW(1);
    page.markX3 = ds().penX;
    putJacobian(list(6), list(7));
    putText(u"  =  "_s);
    putJacobian(list(8), list(9));
    StyleScope keep(pic());
    pic().DrawWidth = 2;
    cancelStroke(page.markX2, chain.firstCancelsNumerator);
    cancelStroke(page.markX3, !chain.firstCancelsNumerator);
}

void heatRatioPart1Solution(PageContext& page)
{
    rowAt(margin(), 2);
    putColored(u"[解 1.8]："_s);
    putColored(u" (1)"_s);
    putText(u" 左辺の２つの偏微分を (1.43) によりヤコビアンで書くと，"_s);
    jacobianChainLine(page, {uR"(\text{左辺} = \frac{\partial(u, y)}{\partial(x, y)}\,\frac{\partial(y, x)}{\partial(z, x)})"
                             uR"( = \frac{\partial(u, y)}{\partial(x, y)}\,\frac{\partial(x, y)}{\partial(x, z)} = \frac{\partial(u, y)}{\partial(x, z)})",
                             "左辺 = ",
                             {"u, y", "x, y", "y, x", "z, x", "u, y", "x, y", "x, y", "x, z", "u, y", "x, z"},
                             false});
    rowAt(margin(), 1.5f);
    putText(u"右辺も同様に変形すると，"_s);
    jacobianChainLine(page, {uR"(\text{右辺} = \frac{\partial(u, z)}{\partial(x, z)}\,\frac{\partial(y, u)}{\partial(z, u)})"
                             uR"( = \frac{\partial(u, z)}{\partial(x, z)}\,\frac{\partial(u, y)}{\partial(u, z)} = \frac{\partial(u, y)}{\partial(x, z)})",
                             "右辺 = ",
                             {"u, z", "x, z", "y, u", "z, u", "u, z", "x, z", "u, y", "u, z", "u, y", "x, z"},
                             true});
    rowAt(margin(), 1.5f);
    putText(u"となり，両辺は等しい。"_s);
}

// C_a / C_b = g_T / g_S for a specific-heat pair and a response coefficient g.
void ratioOfHeats(const QString& heatA, const QString& heatB, void (*coefficient)(const QString&))
{
    putHeat(heatA);
    putText(u" / "_s);
    putHeat(heatB);
    putText(u" = "_s);
    coefficient(u"T"_s);
    putText(u" / "_s);
    coefficient(u"S"_s);
}

void heatRatioPart2Solution()
{
    rowAt(2.0 * ds().chW + margin(), 1.5f);
    putColored(u"(2)"_s);
    putText(u" (1) の変数を "_s);
    varsInProse(u"u, x, y, z"_s);
    putText(u"  ⇒  "_s);
    varsInProse(u"S, T, V, p"_s);
    putText(u" と書き換えると，"_s);

    rowAt(ds().tab10, 1.5f);
    formula(uR"(\left(\frac{\partial S}{\partial T}\right)_V \left(\frac{\partial V}{\partial p}\right)_T)"
            uR"( = \left(\frac{\partial S}{\partial T}\right)_p \left(\frac{\partial V}{\partial p}\right)_S)"_s, [] {
        putPartialParen(u"S"_s, u"T"_s, u"V"_s);
        skipPx(5);
        putPartialParen(u"V"_s, u"p"_s, u"T"_s);
        putText(u" ＝ "_s);
        putPartialParen(u"S"_s, u"T"_s, u"p"_s);
        skipPx(5);
        putPartialParen(u"V"_s, u"p"_s, u"S"_s);
    });

    rowAt(margin(), 1.5f);
    putText(u"となる。よって "_s);
    formula(uR"(C_p / C_V = \kappa_T / \kappa_S)"_s, [] { ratioOfHeats(u"p"_s, u"V"_s, putKappaSub); });
    putText(u" が成り立つ。"_s);
}

void heatRatioNote()
{
    newLineWide();
    putColored(u"[付記]"_s);
    putText(u" 同様の関係は，磁性体や誘電体についても知られている。"_s);
    newLine();
    putText(u"たとえば誘電体では "_s);
    // Constant E plays the part of constant pressure and ε that of compressibility,
    // so C_E over C_D, like C_p over C_V, is the ratio of at least one.
    formula(uR"(C_E / C_D = \varepsilon_T / \varepsilon_S)"_s, [] { ratioOfHeats(u"E"_s, u"D"_s, putEpsilonSub); });
    putText(u" が成り立つ。"_s);
    newLine();
    putText(u"ここで左辺の比熱は，それぞれ "_s);
    varsInProse(u"E, D"_s);
    putText(u" を一定に保ったときの比熱，"_s);
    newLine();
    formula(uR"(\varepsilon_T)"_s, [] { putEpsilonSub(u"T"_s); });
    putText(u" は等温誘電率，"_s);
    formula(uR"(\varepsilon_S)"_s, [] { putEpsilonSub(u"S"_s); });
    putText(u" は断熱誘電率である。"_s);
}

// ---- 1.11 -------------------------------------------------------------------

void putSumOverR() { putSumLimits(u"n"_s, u"r=0"_s); }

void putBinomialNR() { putBinomial(u"n"_s, u"r"_s); }

// (x ＋ y) to the power n-1.
void putXPlusYPower()
{
    putText(u"("_s);
    skipPx(4);
    putVars(u"x"_s);
    skipPx(4);
    putText(u"＋"_s);
    skipPx(4);
    putVars(u"y"_s);
    skipPx(4);
    putText(u")"_s);
    putSup(u"n-1"_s);
}

// Σ r C(n, r) x^(n−r) y^r, to be summed with (1.57).
void binomialSumStatement()
{
    penAt(margin(), 1.5 * ds().lineH);
    putText(u"公式 (1.57) を用いて，級数の和 "_s);
    formula(uR"(\sum_{r=0}^{n} r \binom{n}{r} x^{n-r}\,y^r)"_s, [] {
        putSumOverR();
        skipW(1);
        putVars(u"r "_s);
        putBinomialNR();
        skipW(1);
        putVars(u"x"_s);
        putSup(u"n-r"_s);
        skipPx(6);
        putVars(u"y"_s);
        skipPx(2);
        putSup(u"r"_s);
    });
    putText(u" を求めよ。"_s);
}

// (1.57) differentiated in y: n (x + y)^(n−1) = Σ C(n, r) x^(n−r) r y^(r−1).
void binomialDerivative()
{
    rowAt(margin(), 2);
    putColored(u"[解 1.11]："_s);
    putText(u"(1.57) の両辺を変数 "_s);
    varsInProse(u"y"_s);
    putText(u" で微分すると，"_s);

    rowAt(ds().tab5, 1.8f);
    FormulaScope meaning(pic(), uR"(n\,(x + y)^{n-1} = \sum_{r=0}^{n} \binom{n}{r} x^{n-r}\,r\,y^{r-1})"_s);
    putVars(u"n "_s);
    putXPlusYPower();
    putText(u"  ＝  "_s);
    putSumOverR();
    skipW(1);
    putBinomialNR();
    skipW(1);
    putVars(u"x"_s);
    putSup(u"n-r"_s);
    skipPx(8);
    putVars(u"r  y"_s);
    skipPx(2);
    putSup(u"r-1"_s);
}

// The same times y gives the sum.
void binomialTimesY()
{
    rowAt(margin(), 1.8f);
    putText(u"となる。そこで両辺に "_s);
    varsInProse(u"y"_s);
    putText(u" を掛けると，"_s);

    rowAt(ds().tab5, 1.8f);
    formula(uR"(n\,y\,(x + y)^{n-1} = \sum_{r=0}^{n} r \binom{n}{r} x^{n-r}\,y^r)"_s, [] {
        putVars(u"n"_s);
        skipPx(8);
        putVars(u"y "_s);
        putXPlusYPower();
        putText(u"  ＝  "_s);
        putSumOverR();
        skipW(1);
        putVars(u"r  "_s);
        putBinomialNR();
        skipW(1);
        putVars(u"x"_s);
        putSup(u"n-r"_s);
        putVars(u" y"_s);
        skipPx(2);
        putSup(u"r"_s);
    });

    newLineWide();
    putText(u"が得られる。"_s);
}

// ---- 1.12 -------------------------------------------------------------------

void putHeldPartial(const char* f, const char* v, const char* held)
{
    putPartialParen(QString::fromLatin1(f), QString::fromLatin1(v), QString::fromLatin1(held));
}

// d, a factor, then the differential d v.
void putTimesDiff(const char* factor, const char* v)
{
    putVars(QString::fromLatin1(factor));
    skipPx(8);
    putDiff(QString::fromLatin1(v));
}

// x f_x + y f_y = 0 makes f depend on x and y through y/x alone.
void homogeneousStatement()
{
    newLine();
    putText(u"２変数の関数 "_s);
    formula(u"f(x, y)"_s, [] {
        putVars(u"f"_s);
        skipPx(4);
        putText(u"("_s);
        putVars(u"x,y"_s);
        putText(u")"_s);
    });
    putText(u" が "_s);
    // The equation's "＝ 0" is drawn together with the words after it.
    formula(uR"(x\,\frac{\partial f}{\partial x} + y\,\frac{\partial f}{\partial y} = 0\text{ を満たすとき，})"_s, [] {
        putVars(u"x "_s);
        putPartial(u"f"_s, u"x"_s);
        putText(u" + "_s);
        putVars(u"y "_s);
        putPartial(u"f"_s, u"y"_s);
        putText(u" ＝ 0 を満たすとき，"_s);
    });
    newLineWide();
    putText(u"この関数 "_s);
    varsInProse(u"f"_s);
    putText(u" は "_s);
    formula(uR"(\frac{y}{x})"_s, [] { putFrac(u"y"_s, u"x"_s); });
    putText(u" を通してのみ "_s);
    varsInProse(u"x"_s);
    putText(u" と "_s);
    varsInProse(u"y"_s);
    putText(u" に依存することを示せ。"_s);
}

// y = t x: the variables (x, y) become (x, t).
void ratioSubstitution()
{
    rowAt(margin(), 1.5f);
    putColored(u"[解 1.12]："_s);
    formula(uR"(y = t\,x)"_s, [] {
        putVars(u"  y"_s);
        putText(u" = "_s);
        putVars(u"t"_s);
        skipPx(6);
        putVars(u"x"_s);
    });
    // The pairs' parentheses are drawn with the words around them: the spans hold the lists.
    putText(u" とおいて，独立変数を ("_s);
    skipPx(2);
    formula(u"x, y"_s, [] { putVars(u"x,y"_s); });
    skipPx(2);
    putText(u") から ("_s);
    skipPx(2);
    formula(u"x, t"_s, [] { putVars(u"x,t"_s); });
    skipPx(2);
    putText(u") に変える。"_s);

    newLine();
    skipPx(2);
    varsInProse(u"y"_s);
    putText(u" の微分 "_s);
    formula(uR"(dy = t\,dx + x\,dt)"_s, [] {
        putDiff(u"y"_s);
        putText(u" = "_s);
        putTimesDiff("t", "x");
        putText(u" + "_s);
        putTimesDiff("x", "t");
    });
    putText(u" を，全微分の式"_s);
}

// The total differential (1.11), into which dy is put.
void totalDifferential()
{
    rowAt(ds().tab5, 1.5f);
    formula(uR"(df = \left(\frac{\partial f}{\partial x}\right)_y\,dx + \left(\frac{\partial f}{\partial y}\right)_x\,dy)"_s, [] {
        putDiff(u"f"_s);
        putText(u"  =  "_s);
        putHeldPartial("f", "x", "y");
        skipPx(8);
        putDiff(u"x"_s);
        putText(u"  +  "_s);
        putHeldPartial("f", "y", "x");
        skipPx(8);
        putDiff(u"y"_s);
    });
    ds().penX = float(ds().tab40);
    putText(u"(1.11)"_s);

    rowAt(margin(), 1.5f);
    putText(u"の右辺に代入すると，"_s);
}

// df = [f_x + t f_y] dx + x f_y dt: the bracket vanishes, so f depends on t alone.
void totalDifferentialInXT()
{
    rowAt(ds().tab5, 1.5f);
    ds().bracketRise = 4;
    formula(uR"(df = \left[\left(\frac{\partial f}{\partial x}\right)_y + t\left(\frac{\partial f}{\partial y}\right)_x\right] dx)"
            uR"( + x\left(\frac{\partial f}{\partial y}\right)_x\,dt)"_s, [] {
        putDiff(u"f"_s);
        putText(u"  =  "_s);
        putBigLBracket(ds().penX, ds().penY);
        skipPx(10);
        putHeldPartial("f", "x", "y");
        putText(u" + "_s);
        putVars(u"t"_s);
        skipPx(8);
        putHeldPartial("f", "y", "x");
        skipPx(4);
        putBigRBracket(ds().penX, ds().penY);
        skipPx(12);
        putDiff(u"x"_s);
        putText(u"  +  "_s);
        putVars(u"x"_s);
        skipPx(8);
        putHeldPartial("f", "y", "x");
        skipPx(8);
        putDiff(u"t"_s);
    });

    rowAt(margin(), 1.5f);
    putText(u"が得られ，問題の条件により右辺第１項は０である。"_s);
    newLine();
    putText(u"したがって "_s);
    varsInProse(u"f"_s);
    putText(u" は "_s);
    varsInProse(u"t"_s);
    putText(u" だけに依存する。"_s);
}

// ---- 1.13 -------------------------------------------------------------------

// f (args), with the given gap after the opening parenthesis.
void putFOf(const QString& args, short gapAfterParen)
{
    putVars(u"f"_s);
    skipPx(4);
    putText(u"("_s);
    skipPx(gapAfterParen);
    putVars(args);
    skipPx(4);
}

// p(N, V, T) as an instance of the previous problem's equation.
void pressureStatement()
{
    newLine();
    putText(u"前問の形の方程式が成り立つ例として，圧力 "_s);
    varsInProse(u"p"_s);
    newLine();
    // The commas after N and V are drawn in the variables' face, so they go with them.
    putText(u"を分子数 "_s);
    varsInProse(u"N,"_s);
    putText(u" 体積 "_s);
    formula(u"V,"_s, [] { putVars(u"V, "_s); });
    putText(u"温度 "_s);
    varsInProse(u"T"_s);
    putText(u" の関数とみなし，"_s);
    putText(u"(1.49) に相当する関係を"_s);
    newLine();
    putText(u"考えよ。"_s);
}

// p is unchanged when the whole system grows a times.
void pressureHomogeneity()
{
    newLineWide();
    putColored(u"[解 1.13]："_s);
    putText(u"系全体を "_s);
    varsInProse(u"a"_s);
    putText(u" 倍にしても圧力は変わらないから，"_s);

    rowAt(ds().tab5, 1);
    {
        // One span for the row: the first f(…)'s closing parenthesis is drawn with the arrow.
        FormulaScope meaning(pic(), uR"(p = f(N, V, T) \quad \Rightarrow \quad p = f(aN, aV, T) = f(N, V, T))"_s);
        putVars(u"p"_s);
        putText(u" = "_s);
        putFOf(u"N, V, T"_s, 2);
        putText(u")　 ⇒ 　"_s);
        putVars(u"p"_s);
        putText(u" = "_s);
        putFOf(u"aN, aV, T"_s, 0);
        putText(u")"_s);
        putText(u" = "_s);
        putFOf(u"N, V, T"_s, 2);
        putText(u")"_s);
    }

    newLine();
    putText(u"したがって，(1.50) に対応して"_s);
}

// N p_N + V p_V = 0, so p depends on N and V only through n = N/V.
void pressureThroughDensity()
{
    rowAt(ds().tab5, 1.5f);
    formula(uR"(N\,\frac{\partial p}{\partial N} + V\,\frac{\partial p}{\partial V} = 0)"_s, [] {
        putVars(u"N"_s);
        skipPx(8);
        putPartial(u"p"_s, u"N"_s);
        skipW(1.2f);
        putText(u"+  "_s);
        putVars(u"V"_s);
        skipPx(8);
        putPartial(u"p"_s, u"V"_s);
        putText(u"   =  0"_s);
    });

    rowAt(margin(), 1.5f);
    putText(u"が得られる。前問により，圧力 "_s);
    varsInProse(u"p"_s);
    putText(u" は密度 "_s);
    formula(u"n = N/V"_s, [] {
        putVars(u"n"_s);
        putText(u" = "_s);
        putVars(u"N"_s);
        skipPx(4);
        putText(u"/"_s);
        skipPx(4);
        putVars(u"V"_s);
    });
    newLine();
    putText(u"を通してのみ"_s);
    formula(u"N"_s, [] { putVars(u" N "_s); });
    putText(u"と"_s);
    formula(u"V"_s, [] { putVars(u" V "_s); });
    putText(u"に依存する。"_s);
}

// ---- 1.14 -------------------------------------------------------------------

// (∂V/∂U) at constant S: its symbol and its value.
void volumeDerivativeStatement()
{
    newLine();
    putText(u"物体のエントロピー "_s);
    varsInProse(u"S"_s);
    putText(u" を一定に保って，体積 "_s);
    varsInProse(u"V"_s);
    putText(u" を内部エネルギー "_s);
    varsInProse(u"U"_s);
    putText(u" で微分する。"_s);
    newLine();
    putText(u"この偏微分はどのような記号で表されるか。"_s);
    newLine();
    putText(u"また，(1.14) を用いて"_s);
    putText(u"これを求めよ。"_s);
}

// The identity (1.14) solved for dV.
void identityForVolume()
{
    rowAt(margin(), 1.5f);
    putColored(u"[解 1.14]："_s);
    putText(u"いま "_s);
    varsInProse(u"V"_s);
    putText(u" は "_s);
    varsInProse(u"S"_s);
    putText(u" と "_s);
    varsInProse(u"U"_s);
    putText(u" の関数と考えるので，"_s);
    newLine();
    putText(u"熱力学の恒等式 (1.14) を "_s);
    formula(u"dV"_s, [] { putDiff(u"V"_s); });
    putText(u" が左辺にくるように書き直す："_s);

    rowAt(ds().tab5, 1.5f);
    FormulaScope meaning(pic(), uR"(dV = -\frac{1}{p}\,dU + \frac{T}{p}\,dS)"_s);
    putDiff(u"V"_s);
    putText(u"  =  "_s);
    putMinus();
    skipPx(6);
    putFrac(u"1"_s, u"p"_s);
    skipPx(4);
    putDiff(u"U"_s);
    putText(u"  +  "_s);
    putFrac(u"T"_s, u"p"_s);
    skipPx(4);
    putDiff(u"S"_s);
}

// (∂V/∂U)_S = −1/p, read off that form.
void volumeDerivativeResult()
{
    rowAt(margin(), 1.5f);
    putText(u"この式の形から，"_s);

    rowAt(ds().tab5, 1.5f);
    formula(uR"(\left(\frac{\partial V}{\partial U}\right)_S = -\frac{1}{p})"_s, [] {
        putPartialParen(u"V"_s, u"U"_s, u"S"_s);
        putText(u"  =  －"_s);
        skipPx(6);
        putFrac(u"1"_s, u"p"_s);
    });

    rowAt(margin(), 1.5f);
    putText(u"が求まる。"_s);
}
// ---- 1.15 -------------------------------------------------------------------

void lagrangeStatement()
{
    putText(u"二等辺三角形の底辺を "_s);
    // The comma is drawn in the variable's face, so it goes with it.
    varsInProse(u"a,"_s);
    putText(u" 高さを "_s);
    varsInProse(u"h"_s);
    putText(u" とする。内接する長方形の面積 "_s);
    varsInProse(u"S"_s);
    putText(u" の最大値を，"_s);
    newLine();
    putText(u"ラグランジュの未定乗数法によって求めよ。"_s);
}

// 2 times a variable, 4 pixels apart.
void putTwoTimes(const char* v)
{
    putText(u"2"_s);
    skipPx(4);
    putVars(QString::fromLatin1(v));
}

void lagrangeSetUp()
{
    newLine();
    putText(u"長方形の面積 "_s);
    varsInProse(u"S"_s);
    putText(u" は，"_s);
    formula(u"S = 2xy"_s, [] {
        putVars(u"S"_s);
        putText(u" = "_s);
        putText(u"2"_s);
        skipPx(4);
        putVars(u"x"_s);
        skipPx(4);
        putVars(u"y"_s);
    });
    skipW(1);
    putText(u"。"_s);

    newLine();
    putText(u"内接の条件から，点 ("_s);
    skipPx(2);
    varsInProse(u"x, y"_s);
    skipPx(2);
    putText(u") は図の斜辺の上にあるので，"_s);

    rowAt(ds().tab5, 1.5f);
    formula(uR"(\frac{2x}{a} + \frac{y}{h} = 1)"_s, [] {
        putFrac(u"2x"_s, u"a"_s);
        putText(u"  +  "_s);
        putFrac(u"y"_s, u"h"_s);
        skipW(1);
        putText(u"= 1"_s);
    });
    skipW(5);
    putText(u"(内接条件)"_s);
    rowAt(margin(), 1.5f);
    putText(u"が成り立つ。そこで"_s);
}

void lagrangeConditions()
{
    rowAt(ds().tab5, 1.2f);
    formula(uR"(\tilde{S} \equiv 2xy - \lambda\,(2hx + ay))"_s, [] {
        putTilde(u"S"_s);
        putText(u"  ≡  "_s);
        putTwoTimes("x");
        skipPx(4);
        putVars(u"y"_s);
        putText(u"  －  "_s);
        putLambda();
        skipPx(8);
        putText(u"("_s);
        skipPx(4);
        putTwoTimes("h");
        skipPx(4);
        putVars(u"x"_s);
        putText(u" + "_s);
        putVars(u"a"_s);
        skipPx(4);
        putVars(u"y"_s);
        skipPx(4);
        putText(u")"_s);
    });
    newLine();
    putText(u"とおくと，この関数について"_s);

    rowAt(ds().tab5, 1.8f);
    formula(uR"(\frac{\partial \tilde{S}}{\partial x} = 2y - 2\lambda h = 0,)"_s, [] {
        putPartial(u"tildeS"_s, u"x"_s);
        putText(u"  =  "_s);
        putTwoTimes("y");
        putMinus();
        putText(u"2"_s);
        skipPx(4);
        putLambda();
        skipPx(4);
        putVars(u"h"_s);
        putText(u"  =  0，"_s);
    });

    rowAt(ds().tab5, 2);
    formula(uR"(\frac{\partial \tilde{S}}{\partial y} = 2x - \lambda a = 0)"_s, [] {
        putPartial(u"tildeS"_s, u"y"_s);
        putText(u"  =  "_s);
        putTwoTimes("x");
        putMinus();
        putLambda();
        skipPx(4);
        putVars(u"a"_s);
        putText(u"  =  0"_s);
    });
}

void lagrangeResult()
{
    rowAt(margin(), 1.5f);
    putText(u"これらと内接条件を連立させて解くと，面積の最大値は "_s);
    formula(uR"(S_{\mathrm{max}} = \frac{1}{4}\,ah)"_s, [] {
        putVars(u"S"_s);
        putSub(u"max"_s);
        putText(u" = "_s);
        dspOneOver(pic(), ds().penX, ds().penY, u"4"_s);
        skipPx(4);
        putVars(u"a"_s);
        skipPx(4);
        putVars(u"h"_s);
    });
    putText(u" となる。"_s);
    newLine();
    putText(u"これはちょうど三角形の面積の半分である。"_s);
}

// The triangle of half-base 40 and height 90 pixels with the inscribed rectangle,
// axis F and base line H; the rectangle goes first so the lines stay on top of it.
void lagrangeFigure(long yS)
{
    const double F = double(roundHalfEven(40.0 * ds().chW + margin()));
    const double H = double(roundHalfEven(8.0 * ds().lineH + double(yS)));
    const double cornerY = H - 22.5;
    pic().Box(float(F - 30), float(H), float(F + 30), float(cornerY), vbRGB(0, 200, 0), true);
    pic().Circle(float(F + 30), float(cornerY), 2, ds().highlightColor);
    pic().Line(float(F - 48), float(H), float(F + 48), float(H), ds().lineColor);
    pic().Line(float(F), float(H + 10), float(F), float(H - 98), ds().lineColor);
    pic().Line(float(F - 40), float(H), float(F), float(H - 90));
    pic().LineStep(40, 90);
    pic().LineStep(-80, 0);

    StyleScope keep(pic());
    pic().FontSize = float(0.8 * ds().baseFontSize);
    penAt(F + 38, H - 34.5);
    formula(u"(x, y)"_s, [] {
        putText(u"("_s);
        putVars(u"x, y"_s);
        putText(u")"_s);
    });
    penAt(F + 8, H - 98);
    formula(u"h"_s, [] { dspVar(pic(), ds().penX, ds().penY, u"h"_s); });
    penAt(F + 40, H + 4);
    formula(u"a/2"_s, [] {
        putVars(u"a"_s);
        skipPx(3);
        putText(u"/"_s);
        skipPx(2);
        putText(u"2"_s);
    });
}

// ---- 1.16 -------------------------------------------------------------------

void sinTheta()
{
    putSin();
    putTheta();
}

void cosTheta()
{
    putCos();
    putTheta();
}

void sinPhi()
{
    putSin();
    putPhi();
}

void cosPhi()
{
    putCos();
    putPhi();
}

void putR() { putVars(u"r"_s); }

// Factors separated by the given gaps: f0, +gaps[0], f1, +gaps[1], f2 ...
void factors(std::initializer_list<void (*)()> parts, std::initializer_list<short> gaps)
{
    auto gap = gaps.begin();
    bool first = true;
    for (auto part : parts) {
        if (!first && gap != gaps.end()) skipPx(*gap++);
        first = false;
        part();
    }
}

void putSlash() { putText(u"/"_s); }

void putZeroEntry() { putText(u"　　0"_s); }

void sphericalStatement()
{
    putText(u"直交座標 "_s);
    varsInProse(u"x, y, z"_s);
    putText(u" から球座標（３次元極座標）"_s);
    formula(uR"(r, \theta, \varphi)"_s, [] {
        putVars(u"r, "_s);
        putTheta();
        putVars(u", "_s);
        putPhi();
    });
    putText(u" への変数変換"_s);

    rowAt(ds().tab5, 1.2f);
    formula(uR"(x = r\sin\theta\,\cos\varphi, \quad y = r\sin\theta\,\sin\varphi, \quad z = r\cos\theta)"_s, [] {
        putVars(u"x"_s);
        putText(u" = "_s);
        factors({putR, sinTheta}, {6});
        skipW(1);
        cosPhi();
        putText(u"，  "_s);
        putVars(u"y"_s);
        putText(u" = "_s);
        factors({putR, sinTheta}, {6});
        skipW(1);
        sinPhi();
        putText(u"，  "_s);
        putVars(u"z"_s);
        putText(u" = "_s);
        factors({putR, cosTheta}, {6});
    });

    rowAt(margin(), 1.5f);
    putText(u"を行う。このときのヤコビアン "_s);
    formula(uR"(\frac{\partial(x, y, z)}{\partial(r, \theta, \varphi)})"_s, [] {
        putJacobian(u"x, y, z"_s, u"r, theta, phi"_s);
    });
    putText(u" を計算し，"_s);
    // The Jacobian's denominator hangs below its line: the next line keeps clear of it.
    newLine();
    skipLines(0.2f);
    putText(u"その結果が "_s);
    formula(uR"(r^2 \sin\theta)"_s, [] {
        putR();
        skipPx(3);
        dspSup(pic(), ds().penX, float(ds().penY + 2), u"2"_s);
        skipPx(4);
        putSin();
        skipPx(4);
        putTheta();
    });
    putText(u" に等しいことを示せ。"_s);
}

// The 3 x 3 determinant of the partial derivatives, as the definition gives it;
// returns the y of its last row.
float sphericalDefinition()
{
    const float Y1 = float(ds().penY + 1.5 * ds().lineH);
    const float Y2 = float(Y1 + 1.8 * ds().lineH);
    const float Y3 = float(Y2 + 1.8 * ds().lineH);
    const float C1 = float(13.0 * ds().chW);
    const float C2 = float(C1 + 4.0 * ds().chW);
    const float C3 = float(C2 + 4.0 * ds().chW);
    penAt(ds().chW, Y2);
    FormulaScope meaning(pic(), uR"(\frac{\partial(x, y, z)}{\partial(r, \theta, \varphi)} = \begin{vmatrix})"
                                uR"( \frac{\partial x}{\partial r} & \frac{\partial x}{\partial \theta} & \frac{\partial x}{\partial \varphi} \\)"
                                uR"( \frac{\partial y}{\partial r} & \frac{\partial y}{\partial \theta} & \frac{\partial y}{\partial \varphi} \\)"
                                uR"( \frac{\partial z}{\partial r} & \frac{\partial z}{\partial \theta} & \frac{\partial z}{\partial \varphi})"
                                uR"( \end{vmatrix})"_s);
    putJacobian(u"x, y, z"_s, u"r, theta, phi"_s);
    putText(u"　＝　"_s);
    const float rows[] = {Y1, Y2, Y3};
    const float columns[] = {C1, C2, C3};
    const char* functions[] = {"x", "y", "z"};
    const char* variables[] = {"r", "theta", "phi"};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            penAt(columns[j], rows[i]);
            putPartial(QString::fromLatin1(functions[i]), QString::fromLatin1(variables[j]));
        }
    bar(C1 - 12, Y1 - 11, 0, 5.0 * ds().lineH);
    bar(C3 + 34, Y1 - 11, 0, 5.0 * ds().lineH);
    return Y3;
}

struct Columns3 {
    float c1, c2, c3;
};

Columns3 entryColumns() { return {float(8.0 * ds().chW), float(19.0 * ds().chW), float(30.0 * ds().chW)}; }

// The determinant with its entries evaluated.
void sphericalEntries(float lastRowAbove)
{
    const Columns3 c = entryColumns();
    FormulaScope meaning(pic(), uR"(= \begin{vmatrix})"
                                uR"( \sin\theta\,\cos\varphi & r\cos\theta\,\cos\varphi & -r\sin\theta\,\sin\varphi \\)"
                                uR"( \sin\theta\,\sin\varphi & r\cos\theta\,\sin\varphi & r\sin\theta\,\cos\varphi \\)"
                                uR"( \cos\theta & -r\sin\theta & 0)"
                                uR"( \end{vmatrix})"_s);
    StyleScope keep(pic());
    pic().FontSize = 11;
    const float Y1 = float(lastRowAbove + 2.0 * ds().lineH);
    ds().penY = Y1;

    ds().penX = c.c1;
    factors({sinTheta, cosPhi}, {10});
    ds().penX = c.c2;
    factors({putR, cosTheta, cosPhi}, {8, 10});
    ds().penX = c.c3;
    putMinus();
    factors({putR, sinTheta, sinPhi}, {8, 10});

    skipLines(1);
    ds().penX = float(4.0 * ds().chW);
    putText(u"＝"_s);
    ds().penX = c.c1;
    factors({sinTheta, sinPhi}, {10});
    ds().penX = c.c2;
    factors({putR, cosTheta, sinPhi}, {8, 10});
    ds().penX = c.c3;
    putText(u"　"_s);
    factors({putR, sinTheta, cosPhi}, {8, 10});

    skipLines(1);
    ds().penX = c.c1;
    cosTheta();
    ds().penX = c.c2;
    putMinus();
    factors({putR, sinTheta}, {8});
    ds().penX = c.c3;
    putZeroEntry();

    bar(c.c1 - 13, Y1 - 4, 0, 3.0 * ds().lineH);
    bar(c.c3 + 11.6 * ds().chW, Y1 - 4, 0, 3.0 * ds().lineH);
}

void sphericalRowOperation()
{
    rowAt(margin(), 1.5f);
    putText(u"この行列式を６項に展開するのが普通のやり方だが，行列式の性質を"_s);
    newLine();
    putText(u"うまく使って，"_s);
    formula(uR"(\text{[第１行]} \times \cos\varphi / \sin\varphi)"_s, [] {
        putText(u"[第１行] × "_s);
        cosPhi();
        putText(u" / "_s);
        sinPhi();
    });
    putText(u" を [第２行] に加えると，"_s);
}

// The row sin θ / sin φ, r cos θ / sin φ that the row operation leaves.
void overSinPhiRow(float left, float right)
{
    ds().penX = left;
    factors({sinTheta, putSlash, sinPhi}, {8, 4});
    ds().penX = right;
    factors({putR, cosTheta, putSlash, sinPhi}, {8, 8, 4});
}

void sphericalAfterRowOperation()
{
    const Columns3 c = entryColumns();
    const float Y1 = float(ds().penY + 1.5 * ds().lineH);
    const float Y2 = float(Y1 + 1.2 * ds().lineH);
    const float Y3 = float(Y2 + 1.2 * ds().lineH);
    FormulaScope meaning(pic(), uR"(= \begin{vmatrix})"
                                uR"( \sin\theta\,\cos\varphi & r\cos\theta\,\cos\varphi & -r\sin\theta\,\sin\varphi \\)"
                                uR"( \sin\theta / \sin\varphi & r\cos\theta / \sin\varphi & 0 \\)"
                                uR"( \cos\theta & -r\sin\theta & 0)"
                                uR"( \end{vmatrix})"_s);
    float x = float(4.0 * ds().chW);
    dspText(pic(), x, Y2, u"＝"_s);
    StyleScope keep(pic());
    pic().FontSize = 11;

    ds().penY = Y1;
    ds().penX = c.c1;
    factors({sinTheta, cosPhi}, {10});
    ds().penX = c.c2;
    factors({putR, cosTheta, cosPhi}, {10, 10});
    ds().penX = c.c3;
    putMinus();
    factors({putR, sinTheta, sinPhi}, {8, 10});

    ds().penY = Y2;
    overSinPhiRow(c.c1, c.c2);
    ds().penX = c.c3;
    putZeroEntry();

    ds().penY = Y3;
    ds().penX = c.c1;
    skipW(1);
    cosTheta();
    ds().penX = c.c2;
    putMinus();
    factors({putR, sinTheta}, {10});
    ds().penX = c.c3;
    putZeroEntry();

    bar(c.c1 - 12, Y1 - 2, 0, 3.2 * ds().lineH);
    bar(c.c3 + 12.0 * ds().chW, Y1 - 2, 0, 3.2 * ds().lineH);
}

// Expansion along the third column: -r sin θ sin φ times a 2 x 2 determinant, and the result.
void sphericalExpansion()
{
    const float C1 = float(19.0 * ds().chW);
    const float C2 = float(30.0 * ds().chW);
    const float Y1 = float(ds().penY + 1.6 * ds().lineH);
    const float Y2 = float(Y1 + 0.6 * ds().lineH);
    const float Y3 = float(Y2 + 0.6 * ds().lineH);
    // The determinant is drawn before the factor that stands in front of it.
    FormulaScope meaning(pic(), uR"(= -r\sin\theta\,\sin\varphi \begin{vmatrix})"
                                uR"( \sin\theta / \sin\varphi & r\cos\theta / \sin\varphi \\)"
                                uR"( \cos\theta & -r\sin\theta)"
                                uR"( \end{vmatrix} = r^2 \sin\theta)"_s);

    {
        StyleScope keep(pic());
        pic().FontSize = 11;
        ds().penY = Y1;
        overSinPhiRow(C1, C2);
        ds().penY = Y3;
        ds().penX = C1;
        skipW(1);
        cosTheta();
        ds().penX = C2;
        putMinus();
        factors({putR, sinTheta}, {10});
        bar(C1 - 14, Y1, 0, 2.0 * ds().lineH);
        bar(42.0 * ds().chW, Y1, 0, 2.0 * ds().lineH);
    }

    penAt(4.0 * ds().chW, Y2);
    putText(u"＝ "_s);
    StyleScope keep(pic());
    pic().FontSize = 11;
    putMinus();
    factors({putR, sinTheta, sinPhi}, {10, 10});

    penAt(43.0 * ds().chW, Y2);
    putText(u"=  "_s);
    putR();
    skipPx(2);
    dspSup(pic(), ds().penX, float(ds().penY + 3), u"2"_s);
    skipPx(4);
    sinTheta();
}

// ---- 1.17 -------------------------------------------------------------------

// N!/(N - n)! x^(N-n) with its bar drawn as a rule; the denominator hangs from
// where the numerator ended.
void factorialFraction()
{
    const float x0 = ds().penX;
    const float y0 = ds().penY;
    bar(x0, y0 + 12, 6.5 * ds().chW, 0);
    const float xe = pic().CurrentX;
    penAt(x0 + 2.0 * ds().chW, y0 - 9);
    putVars(u"N"_s);
    putText(u"！"_s);
    penAt(ds().penX - 4.5 * ds().chW, y0 + 12);
    putText(u"("_s);
    putVars(u"N"_s);
    putMinus();
    putVars(u"n"_s);
    putText(u")"_s);
    putText(u"！"_s);
    penAt(xe + 5, y0);
    putVars(u"x"_s);
    dspSup(pic(), ds().penX, ds().penY, u"N-n"_s);
}

// d^n/dx^n x^N ＝
void nthDerivativeOfPower()
{
    putDerivN();
    putVars(u"x"_s);
    dspSup(pic(), ds().penX, ds().penY, u"N"_s);
    putText(u" ＝ "_s);
}

// x^N after a derivative operator, then ＝ N.
void powerEqualsN()
{
    skipPx(5);
    putVars(u"x"_s);
    putSup(u"N"_s);
    putText(u" ＝ "_s);
    putVars(u"N"_s);
    skipPx(4);
}

// (N − 1)
void putNMinusOne()
{
    putText(u"("_s);
    putVars(u"N"_s);
    putMinus();
    putText(u"1)"_s);
}

// d/dx x^N = N x^(N−1) and the second derivative.
void firstTwoDerivatives()
{
    rowAt(margin(), 1.5f);
    putColored(u"[解 1.17]："_s);
    rowAt(ds().tab5, 1.5f);
    formula(uR"(\frac{d}{dx}\,x^N = N\,x^{N-1})"_s, [] {
        putFrac(u"d"_s, u"dx"_s);
        powerEqualsN();
        putVars(u"x"_s);
        putSup(u"N-1"_s);
    });

    rowAt(ds().tab5, 2);
    formula(uR"(\frac{d^2}{dx^2}\,x^N = N\,(N - 1)\,x^{N-2})"_s, [] {
        putDeriv2(QString(), u"x"_s);
        powerEqualsN();
        putNMinusOne();
        skipPx(4);
        putVars(u"x"_s);
        putSup(u"N-2"_s);
    });
}

struct PenPoint {
    float x;
    float y;
};

// The n-th derivative as a product of n factors; returns where the factors begin.
PenPoint nthDerivativeProduct()
{
    FormulaScope meaning(pic(), uR"(\frac{d^n}{dx^n}\,x^N = N\,(N - 1) \cdots (N - n + 1)\,x^{N-n} = \frac{N!}{(N - n)!}\,x^{N-n})"_s);
    nthDerivativeOfPower();
    const PenPoint factorsAt{ds().penX, ds().penY};
    putVars(u"N"_s);
    skipPx(4);
    putNMinusOne();
    putText(u" ･･･ ("_s);
    putVars(u"N"_s);
    putMinus();
    putVars(u"n"_s);
    skipPx(2);
    putText(u"+1)"_s);
    skipPx(4);
    putVars(u"x"_s);
    putSup(u"N-n"_s);
    putText(u" ＝ "_s);
    factorialFraction();
    return factorsAt;
}

// The n-th derivative with its n factors counted under a brace.
void nthDerivativeCounted()
{
    rowAt(ds().tab5, 2);
    const PenPoint factorsAt = nthDerivativeProduct();
    penAt(factorsAt.x - 10, factorsAt.y + 35);
    putColored(u"┗━━━━━━━━━━━┛"_s);
    penAt(factorsAt.x + 80, factorsAt.y + 50);
    varsInProse(u"n"_s);
    skipPx(5);
    putText(u"個"_s);
}

}  // namespace

void p1_8a(PageContext& page)
{
    putColored(page.entry + u" (追加問題)"_s);
    chainRuleStatement();
    chainRuleShorthand();
    chainRuleMultilinearity();
    chainRuleFourTerms();
    chainRuleConclusion();
}

void p1_8(PageContext& page)
{
    putColored(page.entry + u"　p. 13."_s);
    penAt(margin(), 1.5 * ds().lineH);
    heatRatioPart1Statement();
    heatRatioPart2Statement();
    heatRatioEquation(page);
    heatRatioPart1Solution(page);
    heatRatioPart2Solution();
    heatRatioNote();
}

void p1_11(PageContext& page)
{
    putColored(page.entry + u"　p. 16."_s);
    binomialSumStatement();
    binomialDerivative();
    binomialTimesY();
}

void p1_12(PageContext& page)
{
    putColored(page.entry + u"　p. 16."_s);
    homogeneousStatement();
    ratioSubstitution();
    totalDifferential();
    totalDifferentialInXT();
}

void p1_13(PageContext& page)
{
    putColored(page.entry + u"　p. 16."_s);
    pressureStatement();
    pressureHomogeneity();
    pressureThroughDensity();
}

void p1_14(PageContext& page)
{
    putColored(page.entry + u"　p. 16."_s);
    volumeDerivativeStatement();
    identityForVolume();
    volumeDerivativeResult();
}

void p1_15(PageContext& page)
{
    putColored(page.entry + u"　p. 16."_s);
    newLine();
    lagrangeStatement();

    newLine();
    putColored(u"[解 1.15]："_s);
    const long yS = roundHalfEven(ds().penY);
    newLine();
    putText(u"長方形の右上の頂点の座標を ("_s);
    skipPx(2);
    varsInProse(u"x, y"_s);
    skipPx(2);
    putText(u") とすると，"_s);
    lagrangeSetUp();
    lagrangeConditions();
    lagrangeResult();
    lagrangeFigure(yS);
}

void p1_16(PageContext& page)
{
    putColored(page.entry + u"　p. 16"_s);
    newLine();
    sphericalStatement();
    newLine();
    putColored(u"[解 1.16]："_s);
    newLine();
    putText(u"ヤコビアンの定義 (1.37) により，"_s);
    sphericalEntries(sphericalDefinition());
    sphericalRowOperation();
    sphericalAfterRowOperation();
    sphericalExpansion();
}

void p1_17(PageContext& page)
{
    putColored(page.entry + u"　(追加問題)　"_s);
    formula(u"x^N"_s, [] {
        putVars(u"x"_s);
        putSup(u"N"_s);
    });
    skipPx(6);
    putText(u"の"_s);
    skipPx(4);
    varsInProse(u"n"_s);
    skipPx(4);
    putText(u"階導関数が"_s);

    rowAt(ds().tab5, 1.5f);
    formula(uR"(\frac{d^n}{dx^n}\,x^N = \frac{N!}{(N - n)!}\,x^{N-n})"_s, [] {
        nthDerivativeOfPower();
        factorialFraction();
    });
    putText(u" となることを示せ。"_s);
    firstTwoDerivatives();
    nthDerivativeCounted();
}
