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
    putText(QStringLiteral("変数変換のヤコビアンについて，次の関係が成り立つことを示せ。"));
    ds().penX = float(ds().tab5);
    ds().penY = float(ds().penY + 1.5 * ds().lineH);
    putJacobian(QStringLiteral("u, v"), QStringLiteral("f, g"));
    skipPx(15);
    putJacobian(QStringLiteral("f, g"), QStringLiteral("x, y"));
    putText(QStringLiteral(" = "));
    putJacobian(QStringLiteral("u, v"), QStringLiteral("x, y"));
    ds().penX = float(40.0 * ds().chW + margin());
    putText(QStringLiteral("(1.38a)"));
}

void chainRuleShorthand()
{
    rowAt(margin(), 2);
    putColored(QStringLiteral("[解 1.8a]"));
    skipW(1);
    putText(QStringLiteral("紙面を節約するため，偏微分を略記する。"));
    skipW(1);
    putVars(QStringLiteral("u"));
    putSub(QStringLiteral("x"));
    putText(QStringLiteral(" = "));
    putPartial(QStringLiteral("u"), QStringLiteral("x"));
    skipW(1.5);
    putText(QStringLiteral("これを用いると，"));

    rowAt(ds().tab5, 1.2f);
    det2(QStringLiteral("uf"), QStringLiteral("ug"), QStringLiteral("vf"), QStringLiteral("vg"));
    printMid(QStringLiteral("・"));
    det2(QStringLiteral("fx"), QStringLiteral("fy"), QStringLiteral("gx"), QStringLiteral("gy"));
    printMid(QStringLiteral(" ＝ "));
    det2(QStringLiteral("ux"), QStringLiteral("uy"), QStringLiteral("vx"), QStringLiteral("vy"));
    ds().penX = float(40.0 * ds().chW + margin());
    skipLines(0.6f);
    putText(QStringLiteral("(1.38b)"));
}

void chainRuleMultilinearity()
{
    rowAt(margin(), 2);
    putText(QStringLiteral("これが略記で書いた (1.38a) である。連鎖律により右辺は次のようになる："));
    rowAt(ds().tab5, 1.2f);
    printMid(QStringLiteral("[右辺] = "));
    det2a();

    rowAt(margin(), 2.5f);
    putText(QStringLiteral("両辺を展開して比べてもよいが，ここでは行列式の形のまま扱うため，"));
    rowAt(margin(), 1);
    putText(QStringLiteral("行列式の多重線形性を用いる："));
    rowAt(ds().tab5, 1.2f);
    det2b(QStringLiteral("a+b"), QStringLiteral("c"), QStringLiteral("x+y"), QStringLiteral("z"));
    printMid(QStringLiteral(" = "));
    det2b(QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("x"), QStringLiteral("z"));
    printMid(QStringLiteral(" + "));
    det2b(QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("y"), QStringLiteral("z"));
    rowAt(margin(), 2.2f);
    putText(QStringLiteral("これを使って，右辺を４つの行列式の和に分ける。"));
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
    putText(QStringLiteral("[右辺] = "));
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
    putText(QStringLiteral("第１項と第４項は２つの列が等しいので０になる。"));
    skipLines(1.2f);
    const DetRows rows = detRowsAtPen();
    penAt(ds().chW, rows.middle);
    putText(QStringLiteral("[右辺] = ("));
    skipW(0.4f);
    ShowUx(QStringLiteral("fx"));
    skipW(0.4f);
    ShowUx(QStringLiteral("gy"));
    putMinus();
    ShowUx(QStringLiteral("fy"));
    skipW(0.4f);
    ShowUx(QStringLiteral("gx"));
    putText(QStringLiteral(") "));
    ds().penY = rows.top;
    det2(QStringLiteral("uf"), QStringLiteral("ug"), QStringLiteral("vf"), QStringLiteral("vg"));
    skipLines(2.2f);
    ds().penX = float(margin());
    putText(QStringLiteral("これをまとめると左辺に等しく，関係式が証明された。"));
}

// ---- 1.8 --------------------------------------------------------------------

void heatRatioPart1Statement()
{
    putColored(QStringLiteral("(1)"));
    putText(QStringLiteral(" ヤコビアンを用いて，"));
    putPartialParen(QStringLiteral("u"), QStringLiteral("x"), QStringLiteral("y"));
    skipPx(6);
    putPartialParen(QStringLiteral("y"), QStringLiteral("z"), QStringLiteral("x"));
    putText(QStringLiteral(" ＝ "));
    putPartialParen(QStringLiteral("u"), QStringLiteral("x"), QStringLiteral("z"));
    skipPx(6);
    putPartialParen(QStringLiteral("y"), QStringLiteral("z"), QStringLiteral("u"));
    putText(QStringLiteral(" を示せ。"));
}

// C with a subscript, as a specific heat.
void putHeat(const QString& held)
{
    putVars(QStringLiteral("C"));
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
    putColored(QStringLiteral("(2)"));
    putText(QStringLiteral(" 定圧比熱 "));
    putHeat(QStringLiteral("p"));
    putText(QStringLiteral(" = "));
    putVars(QStringLiteral("T "));
    putPartialParen(QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("p"));
    putText(QStringLiteral(" と定積比熱 "));
    putHeat(QStringLiteral("V"));
    putText(QStringLiteral(" = "));
    putVars(QStringLiteral("T "));
    putPartialParen(QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("V"));
    putText(QStringLiteral(" の比は，"));

    rowAt(3.0 * ds().chW + margin(), 2);
    putText(QStringLiteral("等温圧縮率 "));
    putKappaSub(QStringLiteral("T"));
    putText(QStringLiteral(" = "));
    putText(QStringLiteral("－"));
    skipPx(4);
    putFrac(QStringLiteral("1"), QStringLiteral("V"));
    skipPx(5);
    putPartialParen(QStringLiteral("V"), QStringLiteral("p"), QStringLiteral("T"));
    putText(QStringLiteral(" と断熱圧縮率 "));
    putKappaSub(QStringLiteral("S"));
    putText(QStringLiteral(" = "));
    putMinus();
    skipPx(4);
    putFrac(QStringLiteral("1"), QStringLiteral("V"));
    skipPx(5);
    putPartialParen(QStringLiteral("V"), QStringLiteral("p"), QStringLiteral("S"));
    putText(QStringLiteral(" を用いて"));
}

// C_p/C_V = κ_T/κ_S, with the two bars built from text rules.
void heatRatioEquation(PageContext& page)
{
    rowAt(ds().tab5, 2);
    page.markY = ds().penY;
    page.markX2 = ds().penX;
    putText(QStringLiteral("─"));
    skipPx(-5);
    putText(QStringLiteral("─  =  "));
    page.markX3 = ds().penX;
    putText(QStringLiteral("─"));
    skipPx(-8);
    putText(QStringLiteral("─　が成り立つことを示せ。"));

    ds().penY = page.markY - 16;
    ds().penX = page.markX2 + 2;
    putHeat(QStringLiteral("p"));
    ds().penX = page.markX3 + 2;
    putKappaSub(QStringLiteral("T"));

    ds().penX = page.markX2 + 2;
    ds().penY = page.markY + 12;
    putHeat(QStringLiteral("V"));
    ds().penY = ds().penY - 2;
    ds().penX = page.markX3 + 2;
    putKappaSub(QStringLiteral("S"));
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
// pair's cancelling lists struck through.
struct JacobianChain {
    const char* side;
    const char* lists[10];
    bool firstCancelsNumerator;
};

void jacobianChainLine(PageContext& page, const JacobianChain& chain)
{
    const auto list = [&](int i) { return QString::fromLatin1(chain.lists[i]); };
    rowAt(4.0 * ds().chW + margin(), 1.5f);
    putText(QString::fromUtf8(chain.side));
    putJacobian(list(0), list(1));
    skipW(1);
    putJacobian(list(2), list(3));
    putText(QStringLiteral("  =  "));
    page.markX2 = ds().penX;
    putJacobian(list(4), list(5));
    skipW(1);
    page.markX3 = ds().penX;
    putJacobian(list(6), list(7));
    putText(QStringLiteral("  =  "));
    putJacobian(list(8), list(9));
    pic().DrawWidth = 2;
    cancelStroke(page.markX2, chain.firstCancelsNumerator);
    cancelStroke(page.markX3, !chain.firstCancelsNumerator);
    pic().DrawWidth = 1;
}

void heatRatioPart1Solution(PageContext& page)
{
    rowAt(margin(), 2);
    putColored(QStringLiteral("[解 1.8]："));
    putColored(QStringLiteral(" (1)"));
    putText(QStringLiteral(" 左辺の２つの偏微分を (1.43) によりヤコビアンで書くと，"));
    jacobianChainLine(page, {"左辺 = ",
                             {"u, y", "x, y", "y, x", "z, x", "u, y", "x, y", "x, y", "x, z", "u, y", "x, z"},
                             false});
    rowAt(margin(), 1.5f);
    putText(QStringLiteral("右辺も同様に変形すると，"));
    jacobianChainLine(page, {"右辺 = ",
                             {"u, z", "x, z", "y, u", "z, u", "u, z", "x, z", "u, y", "u, z", "u, y", "x, z"},
                             true});
    rowAt(margin(), 1.5f);
    putText(QStringLiteral("となり，両辺は等しい。"));
}

// C_a / C_b = g_T / g_S for a specific-heat pair and a response coefficient g.
void ratioOfHeats(const QString& heatA, const QString& heatB, void (*coefficient)(const QString&))
{
    putHeat(heatA);
    putText(QStringLiteral(" / "));
    putHeat(heatB);
    putText(QStringLiteral(" = "));
    coefficient(QStringLiteral("T"));
    putText(QStringLiteral(" / "));
    coefficient(QStringLiteral("S"));
}

void heatRatioPart2Solution()
{
    rowAt(2.0 * ds().chW + margin(), 1.5f);
    putColored(QStringLiteral("(2)"));
    putText(QStringLiteral(" (1) の変数を "));
    putVars(QStringLiteral("u, x, y, z"));
    putText(QStringLiteral("  ⇒  "));
    putVars(QStringLiteral("S, T, V, p"));
    putText(QStringLiteral(" と書き換えると，"));

    rowAt(ds().tab10, 1.5f);
    putPartialParen(QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("V"));
    skipPx(5);
    putPartialParen(QStringLiteral("V"), QStringLiteral("p"), QStringLiteral("T"));
    putText(QStringLiteral(" ＝ "));
    putPartialParen(QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("p"));
    skipPx(5);
    putPartialParen(QStringLiteral("V"), QStringLiteral("p"), QStringLiteral("S"));

    rowAt(margin(), 1.5f);
    putText(QStringLiteral("となる。よって "));
    ratioOfHeats(QStringLiteral("p"), QStringLiteral("V"), putKappaSub);
    putText(QStringLiteral(" が成り立つ。"));
}

void heatRatioNote()
{
    newLineWide();
    putColored(QStringLiteral("[付記]"));
    putText(QStringLiteral(" 同様の関係は，磁性体や誘電体についても知られている。"));
    newLine();
    putText(QStringLiteral("たとえば誘電体では "));
    // Constant E plays the part of constant pressure and ε that of compressibility,
    // so C_E over C_D, like C_p over C_V, is the ratio of at least one.
    ratioOfHeats(QStringLiteral("E"), QStringLiteral("D"), putEpsilonSub);
    putText(QStringLiteral(" が成り立つ。"));
    newLine();
    putText(QStringLiteral("ここで左辺の比熱は，それぞれ "));
    putVars(QStringLiteral("E, D"));
    putText(QStringLiteral(" を一定に保ったときの比熱，"));
    newLine();
    putEpsilonSub(QStringLiteral("T"));
    putText(QStringLiteral(" は等温誘電率，"));
    putEpsilonSub(QStringLiteral("S"));
    putText(QStringLiteral(" は断熱誘電率である。"));
}

// ---- 1.11 -------------------------------------------------------------------

void putSumOverR() { putSumLimits(QStringLiteral("n"), QStringLiteral("r=0")); }

void putBinomialNR() { putBinomial(QStringLiteral("n"), QStringLiteral("r")); }

// (x ＋ y) to the power n-1.
void putXPlusYPower()
{
    putText(QStringLiteral("("));
    skipPx(4);
    putVars(QStringLiteral("x"));
    skipPx(4);
    putText(QStringLiteral("＋"));
    skipPx(4);
    putVars(QStringLiteral("y"));
    skipPx(4);
    putText(QStringLiteral(")"));
    putSup(QStringLiteral("n-1"));
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

// ---- 1.13 -------------------------------------------------------------------

// f (args), with the given gap after the opening parenthesis.
void putFOf(const QString& args, short gapAfterParen)
{
    putVars(QStringLiteral("f"));
    skipPx(4);
    putText(QStringLiteral("("));
    skipPx(gapAfterParen);
    putVars(args);
    skipPx(4);
}

// ---- 1.15 -------------------------------------------------------------------

void lagrangeStatement()
{
    putText(QStringLiteral("二等辺三角形の底辺を "));
    putVars(QStringLiteral("a,"));
    putText(QStringLiteral(" 高さを "));
    putVars(QStringLiteral("h"));
    putText(QStringLiteral(" とする。内接する長方形の面積 "));
    putVars(QStringLiteral("S"));
    putText(QStringLiteral(" の最大値を，"));
    newLine();
    putText(QStringLiteral("ラグランジュの未定乗数法によって求めよ。"));
}

// 2 times a variable, 4 pixels apart.
void putTwoTimes(const char* v)
{
    putText(QStringLiteral("2"));
    skipPx(4);
    putVars(QString::fromLatin1(v));
}

void lagrangeSetUp()
{
    newLine();
    putText(QStringLiteral("長方形の面積 "));
    putVars(QStringLiteral("S"));
    putText(QStringLiteral(" は，"));
    putVars(QStringLiteral("S"));
    putText(QStringLiteral(" = "));
    putText(QStringLiteral("2"));
    skipPx(4);
    putVars(QStringLiteral("x"));
    skipPx(4);
    putVars(QStringLiteral("y"));
    skipW(1);
    putText(QStringLiteral("。"));

    newLine();
    putText(QStringLiteral("内接の条件から，点 ("));
    skipPx(2);
    putVars(QStringLiteral("x, y"));
    skipPx(2);
    putText(QStringLiteral(") は図の斜辺の上にあるので，"));

    rowAt(ds().tab5, 1.5f);
    putFrac(QStringLiteral("2x"), QStringLiteral("a"));
    putText(QStringLiteral("  +  "));
    putFrac(QStringLiteral("y"), QStringLiteral("h"));
    skipW(1);
    putText(QStringLiteral("= 1"));
    skipW(5);
    putText(QStringLiteral("(内接条件)"));
    rowAt(margin(), 1.5f);
    putText(QStringLiteral("が成り立つ。そこで"));
}

void lagrangeConditions()
{
    rowAt(ds().tab5, 1.2f);
    putTilde(QStringLiteral("S"));
    putText(QStringLiteral("  ≡  "));
    putTwoTimes("x");
    skipPx(4);
    putVars(QStringLiteral("y"));
    putText(QStringLiteral("  －  "));
    putLambda();
    skipPx(8);
    putText(QStringLiteral("("));
    skipPx(4);
    putTwoTimes("h");
    skipPx(4);
    putVars(QStringLiteral("x"));
    putText(QStringLiteral(" + "));
    putVars(QStringLiteral("a"));
    skipPx(4);
    putVars(QStringLiteral("y"));
    skipPx(4);
    putText(QStringLiteral(")"));
    newLine();
    putText(QStringLiteral("とおくと，この関数について"));

    rowAt(ds().tab5, 1.8f);
    putPartial(QStringLiteral("tildeS"), QStringLiteral("x"));
    putText(QStringLiteral("  =  "));
    putTwoTimes("y");
    putMinus();
    putText(QStringLiteral("2"));
    skipPx(4);
    putLambda();
    skipPx(4);
    putVars(QStringLiteral("h"));
    putText(QStringLiteral("  =  0，"));

    rowAt(ds().tab5, 2);
    putPartial(QStringLiteral("tildeS"), QStringLiteral("y"));
    putText(QStringLiteral("  =  "));
    putTwoTimes("x");
    putMinus();
    putLambda();
    skipPx(4);
    putVars(QStringLiteral("a"));
    putText(QStringLiteral("  =  0"));
}

void lagrangeResult()
{
    rowAt(margin(), 1.5f);
    putText(QStringLiteral("これらと内接条件を連立させて解くと，面積の最大値は "));
    putVars(QStringLiteral("S"));
    putSub(QStringLiteral("max"));
    putText(QStringLiteral(" = "));
    dspOneOver(pic(), ds().penX, ds().penY, QStringLiteral("4"));
    skipPx(4);
    putVars(QStringLiteral("a"));
    skipPx(4);
    putVars(QStringLiteral("h"));
    putText(QStringLiteral(" となる。"));
    newLine();
    putText(QStringLiteral("これはちょうど三角形の面積の半分である。"));
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

    pic().FontSize = float(0.8 * ds().baseFontSize);
    penAt(F + 38, H - 34.5);
    putText(QStringLiteral("("));
    putVars(QStringLiteral("x, y"));
    putText(QStringLiteral(")"));
    penAt(F + 8, H - 98);
    dspVar(pic(), ds().penX, ds().penY, QStringLiteral("h"));
    penAt(F + 40, H + 4);
    putVars(QStringLiteral("a"));
    skipPx(3);
    putText(QStringLiteral("/"));
    skipPx(2);
    putText(QStringLiteral("2"));
    pic().FontSize = ds().baseFontSize;
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

void putR() { putVars(QStringLiteral("r")); }

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

void putSlash() { putText(QStringLiteral("/")); }

void putZeroEntry() { putText(QStringLiteral("　　0")); }

void sphericalStatement()
{
    putText(QStringLiteral("直交座標 "));
    putVars(QStringLiteral("x, y, z"));
    putText(QStringLiteral(" から球座標（３次元極座標）"));
    putVars(QStringLiteral("r, "));
    putTheta();
    putVars(QStringLiteral(", "));
    putPhi();
    putText(QStringLiteral(" への変数変換"));

    rowAt(ds().tab5, 1.2f);
    putVars(QStringLiteral("x"));
    putText(QStringLiteral(" = "));
    factors({putR, sinTheta}, {6});
    skipW(1);
    cosPhi();
    putText(QStringLiteral("，  "));
    putVars(QStringLiteral("y"));
    putText(QStringLiteral(" = "));
    factors({putR, sinTheta}, {6});
    skipW(1);
    sinPhi();
    putText(QStringLiteral("，  "));
    putVars(QStringLiteral("z"));
    putText(QStringLiteral(" = "));
    factors({putR, cosTheta}, {6});

    rowAt(margin(), 1.5f);
    putText(QStringLiteral("を行う。このときのヤコビアン "));
    putJacobian(QStringLiteral("x, y, z"), QStringLiteral("r, theta, phi"));
    putText(QStringLiteral(" を計算し，"));
    // The Jacobian's denominator hangs below its line: the next line keeps clear of it.
    newLine();
    skipLines(0.2f);
    putText(QStringLiteral("その結果が "));
    putR();
    skipPx(3);
    dspSup(pic(), ds().penX, float(ds().penY + 2), QStringLiteral("2"));
    skipPx(4);
    putSin();
    skipPx(4);
    putTheta();
    putText(QStringLiteral(" に等しいことを示せ。"));
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
    putJacobian(QStringLiteral("x, y, z"), QStringLiteral("r, theta, phi"));
    putText(QStringLiteral("　＝　"));
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
    putText(QStringLiteral("＝"));
    ds().penX = c.c1;
    factors({sinTheta, sinPhi}, {10});
    ds().penX = c.c2;
    factors({putR, cosTheta, sinPhi}, {8, 10});
    ds().penX = c.c3;
    putText(QStringLiteral("　"));
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
    pic().FontSize = ds().baseFontSize;
}

void sphericalRowOperation()
{
    rowAt(margin(), 1.5f);
    putText(QStringLiteral("この行列式を６項に展開するのが普通のやり方だが，行列式の性質を"));
    newLine();
    putText(QStringLiteral("うまく使って，"));
    putText(QStringLiteral("[第１行] × "));
    cosPhi();
    putText(QStringLiteral(" / "));
    sinPhi();
    putText(QStringLiteral(" を [第２行] に加えると，"));
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
    float x = float(4.0 * ds().chW);
    dspText(pic(), x, Y2, QStringLiteral("＝"));
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

    pic().FontSize = ds().baseFontSize;
    penAt(4.0 * ds().chW, Y2);
    putText(QStringLiteral("＝ "));
    pic().FontSize = 11;
    putMinus();
    factors({putR, sinTheta, sinPhi}, {10, 10});

    penAt(43.0 * ds().chW, Y2);
    putText(QStringLiteral("=  "));
    putR();
    skipPx(2);
    dspSup(pic(), ds().penX, float(ds().penY + 3), QStringLiteral("2"));
    skipPx(4);
    sinTheta();
    pic().FontSize = ds().baseFontSize;
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
    putVars(QStringLiteral("N"));
    putText(QStringLiteral("！"));
    penAt(ds().penX - 4.5 * ds().chW, y0 + 12);
    putText(QStringLiteral("("));
    putVars(QStringLiteral("N"));
    putMinus();
    putVars(QStringLiteral("n"));
    putText(QStringLiteral(")"));
    putText(QStringLiteral("！"));
    penAt(xe + 5, y0);
    putVars(QStringLiteral("x"));
    dspSup(pic(), ds().penX, ds().penY, QStringLiteral("N-n"));
}

// d^n/dx^n x^N ＝
void nthDerivativeOfPower()
{
    putDerivN();
    putVars(QStringLiteral("x"));
    dspSup(pic(), ds().penX, ds().penY, QStringLiteral("N"));
    putText(QStringLiteral(" ＝ "));
}

// x^N after a derivative operator, then ＝ N.
void powerEqualsN()
{
    skipPx(5);
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("N"));
    putText(QStringLiteral(" ＝ "));
    putVars(QStringLiteral("N"));
    skipPx(4);
}

// (N − 1)
void putNMinusOne()
{
    putText(QStringLiteral("("));
    putVars(QStringLiteral("N"));
    putMinus();
    putText(QStringLiteral("1)"));
}

}  // namespace

void p1_8a(PageContext& page)
{
    putColored(page.entry + QStringLiteral(" (追加問題)"));
    chainRuleStatement();
    chainRuleShorthand();
    chainRuleMultilinearity();
    chainRuleFourTerms();
    chainRuleConclusion();
}

void p1_8(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 13."));
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
    putColored(page.entry + QStringLiteral("　p. 16."));
    penAt(margin(), 1.5 * ds().lineH);
    putText(QStringLiteral("公式 (1.57) を用いて，級数の和 "));
    putSumOverR();
    skipW(1);
    putVars(QStringLiteral("r "));
    putBinomialNR();
    skipW(1);
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("n-r"));
    skipPx(6);
    putVars(QStringLiteral("y"));
    skipPx(2);
    putSup(QStringLiteral("r"));
    putText(QStringLiteral(" を求めよ。"));

    rowAt(margin(), 2);
    putColored(QStringLiteral("[解 1.11]："));
    putText(QStringLiteral("(1.57) の両辺を変数 "));
    putVars(QStringLiteral("y"));
    putText(QStringLiteral(" で微分すると，"));

    rowAt(ds().tab5, 1.8f);
    putVars(QStringLiteral("n "));
    putXPlusYPower();
    putText(QStringLiteral("  ＝  "));
    putSumOverR();
    skipW(1);
    putBinomialNR();
    skipW(1);
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("n-r"));
    skipPx(8);
    putVars(QStringLiteral("r  y"));
    skipPx(2);
    putSup(QStringLiteral("r-1"));

    rowAt(margin(), 1.8f);
    putText(QStringLiteral("となる。そこで両辺に "));
    putVars(QStringLiteral("y"));
    putText(QStringLiteral(" を掛けると，"));

    rowAt(ds().tab5, 1.8f);
    putVars(QStringLiteral("n"));
    skipPx(8);
    putVars(QStringLiteral("y "));
    putXPlusYPower();
    putText(QStringLiteral("  ＝  "));
    putSumOverR();
    skipW(1);
    putVars(QStringLiteral("r  "));
    putBinomialNR();
    skipW(1);
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("n-r"));
    putVars(QStringLiteral(" y"));
    skipPx(2);
    putSup(QStringLiteral("r"));

    newLineWide();
    putText(QStringLiteral("が得られる。"));
}

void p1_12(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
    newLine();
    putText(QStringLiteral("２変数の関数 "));
    putVars(QStringLiteral("f"));
    skipPx(4);
    putText(QStringLiteral("("));
    putVars(QStringLiteral("x,y"));
    putText(QStringLiteral(")"));
    putText(QStringLiteral(" が "));
    putVars(QStringLiteral("x "));
    putPartial(QStringLiteral("f"), QStringLiteral("x"));
    putText(QStringLiteral(" + "));
    putVars(QStringLiteral("y "));
    putPartial(QStringLiteral("f"), QStringLiteral("y"));
    putText(QStringLiteral(" ＝ 0 を満たすとき，"));
    newLineWide();
    putText(QStringLiteral("この関数 "));
    putVars(QStringLiteral("f"));
    putText(QStringLiteral(" は "));
    putFrac(QStringLiteral("y"), QStringLiteral("x"));
    putText(QStringLiteral(" を通してのみ "));
    putVars(QStringLiteral("x"));
    putText(QStringLiteral(" と "));
    putVars(QStringLiteral("y"));
    putText(QStringLiteral(" に依存することを示せ。"));

    rowAt(margin(), 1.5f);
    putColored(QStringLiteral("[解 1.12]："));
    putVars(QStringLiteral("  y"));
    putText(QStringLiteral(" = "));
    putVars(QStringLiteral("t"));
    skipPx(6);
    putVars(QStringLiteral("x"));
    putText(QStringLiteral(" とおいて，独立変数を ("));
    skipPx(2);
    putVars(QStringLiteral("x,y"));
    skipPx(2);
    putText(QStringLiteral(") から ("));
    skipPx(2);
    putVars(QStringLiteral("x,t"));
    skipPx(2);
    putText(QStringLiteral(") に変える。"));

    newLine();
    skipPx(2);
    putVars(QStringLiteral("y"));
    putText(QStringLiteral(" の微分 "));
    putDiff(QStringLiteral("y"));
    putText(QStringLiteral(" = "));
    putTimesDiff("t", "x");
    putText(QStringLiteral(" + "));
    putTimesDiff("x", "t");
    putText(QStringLiteral(" を，全微分の式"));

    rowAt(ds().tab5, 1.5f);
    putDiff(QStringLiteral("f"));
    putText(QStringLiteral("  =  "));
    putHeldPartial("f", "x", "y");
    skipPx(8);
    putDiff(QStringLiteral("x"));
    putText(QStringLiteral("  +  "));
    putHeldPartial("f", "y", "x");
    skipPx(8);
    putDiff(QStringLiteral("y"));
    ds().penX = float(ds().tab40);
    putText(QStringLiteral("(1.11)"));

    rowAt(margin(), 1.5f);
    putText(QStringLiteral("の右辺に代入すると，"));

    rowAt(ds().tab5, 1.5f);
    ds().bracketRise = 4;
    putDiff(QStringLiteral("f"));
    putText(QStringLiteral("  =  "));
    putBigLBracket(ds().penX, ds().penY);
    skipPx(10);
    putHeldPartial("f", "x", "y");
    putText(QStringLiteral(" + "));
    putVars(QStringLiteral("t"));
    skipPx(8);
    putHeldPartial("f", "y", "x");
    skipPx(4);
    putBigRBracket(ds().penX, ds().penY);
    skipPx(12);
    putDiff(QStringLiteral("x"));
    putText(QStringLiteral("  +  "));
    putVars(QStringLiteral("x"));
    skipPx(8);
    putHeldPartial("f", "y", "x");
    skipPx(8);
    putDiff(QStringLiteral("t"));

    rowAt(margin(), 1.5f);
    putText(QStringLiteral("が得られ，問題の条件により右辺第１項は０である。"));
    newLine();
    putText(QStringLiteral("したがって "));
    putVars(QStringLiteral("f"));
    putText(QStringLiteral(" は "));
    putVars(QStringLiteral("t"));
    putText(QStringLiteral(" だけに依存する。"));
}

void p1_13(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
    newLine();
    putText(QStringLiteral("前問の形の方程式が成り立つ例として，圧力 "));
    putVars(QStringLiteral("p"));
    newLine();
    putText(QStringLiteral("を分子数 "));
    putVars(QStringLiteral("N,"));
    putText(QStringLiteral(" 体積 "));
    putVars(QStringLiteral("V, "));
    putText(QStringLiteral("温度 "));
    putVars(QStringLiteral("T"));
    putText(QStringLiteral(" の関数とみなし，"));
    putText(QStringLiteral("(1.49) に相当する関係を"));
    newLine();
    putText(QStringLiteral("考えよ。"));

    newLineWide();
    putColored(QStringLiteral("[解 1.13]："));
    putText(QStringLiteral("系全体を "));
    putVars(QStringLiteral("a"));
    putText(QStringLiteral(" 倍にしても圧力は変わらないから，"));

    rowAt(ds().tab5, 1);
    putVars(QStringLiteral("p"));
    putText(QStringLiteral(" = "));
    putFOf(QStringLiteral("N, V, T"), 2);
    putText(QStringLiteral(")　 ⇒ 　"));
    putVars(QStringLiteral("p"));
    putText(QStringLiteral(" = "));
    putFOf(QStringLiteral("aN, aV, T"), 0);
    putText(QStringLiteral(")"));
    putText(QStringLiteral(" = "));
    putFOf(QStringLiteral("N, V, T"), 2);
    putText(QStringLiteral(")"));

    newLine();
    putText(QStringLiteral("したがって，(1.50) に対応して"));

    rowAt(ds().tab5, 1.5f);
    putVars(QStringLiteral("N"));
    skipPx(8);
    putPartial(QStringLiteral("p"), QStringLiteral("N"));
    skipW(1.2f);
    putText(QStringLiteral("+  "));
    putVars(QStringLiteral("V"));
    skipPx(8);
    putPartial(QStringLiteral("p"), QStringLiteral("V"));
    putText(QStringLiteral("   =  0"));

    rowAt(margin(), 1.5f);
    putText(QStringLiteral("が得られる。前問により，圧力 "));
    putVars(QStringLiteral("p"));
    putText(QStringLiteral(" は密度 "));
    putVars(QStringLiteral("n"));
    putText(QStringLiteral(" = "));
    putVars(QStringLiteral("N"));
    skipPx(4);
    putText(QStringLiteral("/"));
    skipPx(4);
    putVars(QStringLiteral("V"));
    newLine();
    putText(QStringLiteral("を通してのみ"));
    putVars(QStringLiteral(" N "));
    putText(QStringLiteral("と"));
    putVars(QStringLiteral(" V "));
    putText(QStringLiteral("に依存する。"));
}

void p1_14(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
    newLine();
    putText(QStringLiteral("物体のエントロピー "));
    putVars(QStringLiteral("S"));
    putText(QStringLiteral(" を一定に保って，体積 "));
    putVars(QStringLiteral("V"));
    putText(QStringLiteral(" を内部エネルギー "));
    putVars(QStringLiteral("U"));
    putText(QStringLiteral(" で微分する。"));
    newLine();
    putText(QStringLiteral("この偏微分はどのような記号で表されるか。"));
    newLine();
    putText(QStringLiteral("また，(1.14) を用いて"));
    putText(QStringLiteral("これを求めよ。"));

    rowAt(margin(), 1.5f);
    putColored(QStringLiteral("[解 1.14]："));
    putText(QStringLiteral("いま "));
    putVars(QStringLiteral("V"));
    putText(QStringLiteral(" は "));
    putVars(QStringLiteral("S"));
    putText(QStringLiteral(" と "));
    putVars(QStringLiteral("U"));
    putText(QStringLiteral(" の関数と考えるので，"));
    newLine();
    putText(QStringLiteral("熱力学の恒等式 (1.14) を "));
    putDiff(QStringLiteral("V"));
    putText(QStringLiteral(" が左辺にくるように書き直す："));

    rowAt(ds().tab5, 1.5f);
    putDiff(QStringLiteral("V"));
    putText(QStringLiteral("  =  "));
    putMinus();
    skipPx(6);
    putFrac(QStringLiteral("1"), QStringLiteral("p"));
    skipPx(4);
    putDiff(QStringLiteral("U"));
    putText(QStringLiteral("  +  "));
    putFrac(QStringLiteral("T"), QStringLiteral("p"));
    skipPx(4);
    putDiff(QStringLiteral("S"));

    rowAt(margin(), 1.5f);
    putText(QStringLiteral("この式の形から，"));

    rowAt(ds().tab5, 1.5f);
    putPartialParen(QStringLiteral("V"), QStringLiteral("U"), QStringLiteral("S"));
    putText(QStringLiteral("  =  －"));
    skipPx(6);
    putFrac(QStringLiteral("1"), QStringLiteral("p"));

    rowAt(margin(), 1.5f);
    putText(QStringLiteral("が求まる。"));
}

void p1_15(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
    newLine();
    lagrangeStatement();

    newLine();
    putColored(QStringLiteral("[解 1.15]："));
    const long yS = roundHalfEven(ds().penY);
    newLine();
    putText(QStringLiteral("長方形の右上の頂点の座標を ("));
    skipPx(2);
    putVars(QStringLiteral("x, y"));
    skipPx(2);
    putText(QStringLiteral(") とすると，"));
    lagrangeSetUp();
    lagrangeConditions();
    lagrangeResult();
    lagrangeFigure(yS);
}

void p1_16(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16"));
    newLine();
    sphericalStatement();
    newLine();
    putColored(QStringLiteral("[解 1.16]："));
    newLine();
    putText(QStringLiteral("ヤコビアンの定義 (1.37) により，"));
    sphericalEntries(sphericalDefinition());
    sphericalRowOperation();
    sphericalAfterRowOperation();
    sphericalExpansion();
}

void p1_17(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　(追加問題)　"));
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("N"));
    skipPx(6);
    putText(QStringLiteral("の"));
    skipPx(4);
    putVars(QStringLiteral("n"));
    skipPx(4);
    putText(QStringLiteral("階導関数が"));

    rowAt(ds().tab5, 1.5f);
    nthDerivativeOfPower();
    factorialFraction();
    putText(QStringLiteral(" となることを示せ。"));

    rowAt(margin(), 1.5f);
    putColored(QStringLiteral("[解 1.17]："));
    rowAt(ds().tab5, 1.5f);
    putFrac(QStringLiteral("d"), QStringLiteral("dx"));
    powerEqualsN();
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("N-1"));

    rowAt(ds().tab5, 2);
    putDeriv2(QString(), QStringLiteral("x"));
    powerEqualsN();
    putNMinusOne();
    skipPx(4);
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("N-2"));

    rowAt(ds().tab5, 2);
    nthDerivativeOfPower();
    const float px = ds().penX;
    const float py = ds().penY;
    putVars(QStringLiteral("N"));
    skipPx(4);
    putNMinusOne();
    putText(QStringLiteral(" ･･･ ("));
    putVars(QStringLiteral("N"));
    putMinus();
    putVars(QStringLiteral("n"));
    skipPx(2);
    putText(QStringLiteral("+1)"));
    skipPx(4);
    putVars(QStringLiteral("x"));
    putSup(QStringLiteral("N-n"));
    putText(QStringLiteral(" ＝ "));
    factorialFraction();

    penAt(px - 10, py + 35);
    putColored(QStringLiteral("┗━━━━━━━━━━━┛"));
    penAt(px + 80, py + 50);
    putVars(QStringLiteral("n"));
    skipPx(5);
    putText(QStringLiteral("個"));
}
