// A specimen sheet: every composite, operator and notation builder drawn once in
// its own labelled cell, written as images for a person to inspect.
#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/operators.h"
#include "canvas/text.h"
#include "fixture.h"
#include "notation/notation.h"

#include <QDir>
#include <QImage>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int columns = 8;
constexpr int cellW = 175;
constexpr int cellH = 100;
constexpr int sheetW = columns * cellW;

struct Cell {
    QString label;
    std::function<void()> draw;
};


// Composites and operators take the surface and a coordinate; draw them at the pen.
std::function<void()> atPen(void (*f)(Surface&, float&, float))
{
    return [f] { f(pic(), ds.penX, ds.penY); };
}

std::vector<Cell> cells()
{
    return {
        {u"dspSquare"_s, atPen(dspSquare)},
        {u"dspHalf"_s, atPen(dspHalf)},
        {u"dspOneOver 4 / x"_s, [] { dspOneOver(pic(), ds.penX, ds.penY, u"4"_s); skipPx(20);
                                     dspOneOver(pic(), ds.penX, ds.penY, u"x"_s); }},
        {u"dspArgX"_s, atPen(dspArgX)},
        {u"dspFx"_s, atPen(dspFx)},
        {u"dspBigPi"_s, atPen(dspBigPi)},
        {u"dspEpsilon"_s, atPen(dspEpsilon)},
        {u"dspIK x"_s, [] { dspIK(pic(), ds.penX, ds.penY, u"x"_s); }},
        {u"dspRadical 30"_s, [] { dspRadical(pic(), ds.penX, ds.penY, 30); }},
        {u"dspSqrtPi"_s, atPen(dspSqrtPi)},
        {u"dspTerm r=0 -pi pi 2x j"_s, [] { dspTerm(pic(), ds.penX, ds.penY, u"r=0 -pi pi 2x j"_s); }},
        {u"dspTerm alpha beta omega epsln"_s, [] { dspTerm(pic(), ds.penX, ds.penY, u"alphabetaomegaepsln"_s); }},
        {u"dspBigSigma"_s, atPen(dspBigSigma)},
        {u"dspIntSign"_s, atPen(dspIntSign)},
        {u"dspSum n=1 ∞"_s, [] { dspSum(pic(), ds.penX, ds.penY, u"n=1"_s, u"∞"_s); }},
        {u"dspIntInf"_s, atPen(dspIntInf)},
        {u"dspIntegral pi/2 0"_s, [] { dspIntegral(pic(), ds.penX, ds.penY, u"pi/2"_s, u"0"_s); }},
        {u"dspIntegral 1 -1, pi -pi"_s, [] { dspIntegral(pic(), ds.penX, ds.penY, u"1"_s, u"-1"_s); skipPx(30);
                                             dspIntegral(pic(), ds.penX, ds.penY, u"pi"_s, u"-pi"_s); }},
        {u"dspIntegral _x _a"_s, [] { dspIntegral(pic(), ds.penX, ds.penY, u"_x"_s, u"_a"_s); }},
        {u"putVars x dx"_s, [] { putVars(u"x"_s); skipPx(10); putVars(u"dx"_s); }},
        {u"putMinus putPlus"_s, [] { putVars(u"a"_s); putMinus(); putVars(u"b"_s); putPlus(); putVars(u"c"_s); }},
        {u"putColored"_s, [] { putColored(u"[解 1.8a]"_s); }},
        {u"putSub putSup"_s, [] { putVars(u"u"_s); putSub(u"x"_s); skipPx(10); putVars(u"e"_s); putSup(u"-x"_s); }},
        {u"putSquared putXSquared"_s, [] { putSquared(u"r"_s); skipPx(10); putXSquared(); }},
        {u"putDiff"_s, [] { putDiff(u"x"_s); }},
        {u"putCourier putCos putSin"_s, [] { putCourier(u"e"_s); skipPx(6); putCos(); putSin(); }},
        {u"putPartialSign"_s, [] { putPartialSign(); }},
        {u"putTilde S"_s, [] { putTilde(u"S"_s); }},
        {u"putDelta Epsilon Kappa"_s, [] { putDelta(); skipPx(6); putEpsilon(); skipPx(6); putKappa(); }},
        {u"putTheta Lambda Phi"_s, [] { putTheta(); skipPx(6); putLambda(); skipPx(6); putPhi(); }},
        {u"dspVarList r, theta, phi"_s, [] { dspVarList(pic(), ds.penX, ds.penY, u"r, theta, phi"_s); }},
        {u"putPartial u x / empty x"_s, [] { putPartial(u"u"_s, u"x"_s); skipPx(20); putPartial(u""_s, u"x"_s); }},
        {u"putPartial u theta / tildeS T"_s, [] { putPartial(u"u"_s, u"theta"_s); skipPx(20);
                                                  putPartial(u"tildeS"_s, u"T"_s); }},
        {u"putJacobian u, v / x, y"_s, [] { putJacobian(u"u, v"_s, u"x, y"_s); }},
        {u"putPartialParen S T V"_s, [] { putPartialParen(u"S"_s, u"T"_s, u"V"_s); }},
        {u"putBigLParen RParen"_s, [] { putBigLParen(ds.penX, ds.penY); skipPx(12); putVars(u"x"_s); skipPx(4);
                                         putBigRParen(ds.penX, ds.penY); }},
        {u"putBigLBracket RBracket"_s, [] { putBigLBracket(ds.penX, ds.penY); skipPx(12); putVars(u"x"_s); skipPx(4);
                                             putBigRBracket(ds.penX, ds.penY); }},
        {u"brackets at bracketRise 4"_s, [] {
             const long saved = ds.bracketRise;
             ds.bracketRise = 4;
             putBigLBracket(ds.penX, ds.penY); skipPx(12); putVars(u"x"_s); skipPx(4); putBigRBracket(ds.penX, ds.penY);
             ds.bracketRise = saved;
         }},
        {u"ShowUx u uf"_s, [] { ShowUx(u"u"_s); skipPx(10); ShowUx(u"uf"_s); }},
        {u"det2 uf ug vf vg"_s, [] { det2(u"uf"_s, u"ug"_s, u"vf"_s, u"vg"_s); }},
        {u"det2b a+b c x+y z"_s, [] { det2b(u"a+b"_s, u"c"_s, u"x+y"_s, u"z"_s); }},
        {u"putFrac 1 V, d dx"_s, [] { putFrac(u"1"_s, u"V"_s); skipPx(15); putFrac(u"d"_s, u"dx"_s); }},
        {u"putFracMid 2x a, pi omega"_s, [] { putFracMid(u"2x"_s, u"a"_s); skipPx(15); putFracMid(u"pi"_s, u"omega"_s); }},
        {u"putFracSmall 3 4, ^2 x^2"_s, [] { putFracSmall(u"3"_s, u"4"_s); skipPx(15); putFracSmall(u"alpha"_s, u"x^2"_s); }},
        {u"putFrac T_0 epsln"_s, [] { putFrac(u"T_0"_s, u"epsln"_s); skipPx(15); putFrac(u"y"_s, u"pi"_s); }},
        {u"putSumLimits n r=0"_s, [] { putSumLimits(u"n"_s, u"r=0"_s); }},
        {u"putBinomial n r"_s, [] { putBinomial(u"n"_s, u"r"_s); }},
        {u"putFuncOf f y, g j"_s, [] { putFuncOf(u"f"_s, u"y"_s); skipPx(10); putFuncOf(u"g"_s, u"j"_s); }},
        {u"putDeriv f x, y x"_s, [] { putDeriv(u"f"_s, u"x"_s); skipPx(15); putDeriv(u"y"_s, u"x"_s); }},
        {u"putDeriv2 y x, empty x"_s, [] { putDeriv2(u"y"_s, u"x"_s); skipPx(15); putDeriv2(u""_s, u"x"_s); }},
        {u"putDeriv2 P x, putDerivN"_s, [] { putDeriv2(u"P"_s, u"x"_s); skipPx(15); putDerivN(); }},
        {u"putExpIK 1 x, -1 y"_s, [] { putExpIK(1, u"x"_s); skipPx(15); putExpIK(-1, u"y"_s); }},
        {u"putExpMinusX2 X4"_s, [] { putExpMinusX2(); skipPx(15); putExpMinusX4(); }},
        {u"dspTwoPi"_s, [] { dspTwoPi(ds.penX, ds.penY); }},
        {u"putOneOver2Pi"_s, [] { putOneOver2Pi(); }},
        {u"putOneOverSqrt2Pi"_s, [] { putOneOverSqrt2Pi(); }},
        {u"putSumN0Inf"_s, [] { putSumN0Inf(); }},
        {u"putPOfX n, putHOfX n"_s, [] { putPOfX(u"n"_s); skipPx(10); putHOfX(u"n"_s); }},
        {u"putAssocP l' m, l m'"_s, [] { putAssocP(u"l'"_s, u"m"_s); skipPx(10); putAssocP(u"l"_s, u"m'"_s); }},
        {u"putDAssocP l m"_s, [] { putDAssocP(u"l"_s, u"m"_s); }},
        {u"putOverOneMinusX2 m"_s, [] { putOverOneMinusX2(u"m"_s); }},
        {u"dspPrime dspDPrime"_s, [] { putVars(u"y"_s); dspPrime(); skipPx(15); putVars(u"y"_s); dspDPrime(); }},
        {u"primeLn dprimeLn"_s, [] { primeLn(); skipPx(10); dprimeLn(); }},
        {u"beta Gamma"_s, [] { beta(); putText(u"(a, b)"_s); skipPx(10); Gamma(); putText(u"(n)"_s); }},
    };
}

// A wide cell for what does not fit one: the determinant of sums and the equation lines.
std::vector<Cell> wideCells()
{
    return {
        {u"det2a"_s, [] { det2a(); }},
        {u"putKummerEq y (starts at 5 chW from the edge, tag at tab40)"_s, [] { putKummerEq(u"y"_s); }},
        {u"putLaguerreEq y"_s, [] { putLaguerreEq(u"y"_s); }},
    };
}

void resetFont(Surface& s, float size)
{
    s.FontName = u"メイリオ"_s;
    s.FontSize = size;
    s.FontBold = false;
    s.FontItalic = false;
    s.ForeColor = ds.textColor;
}

void drawCell(Surface& s, const Cell& cell, float x, float y, float w)
{
    const float body = s.FontSize;
    s.Box(x, y, x + w - 2, y + cellH - 2, vbRGB(220, 220, 220));
    resetFont(s, 7.5f);
    s.ForeColor = vbRGB(120, 120, 120);
    float lx = x + 3;
    dspPlain(s, lx, y + 2, cell.label);
    resetFont(s, body);
    ds.penX = x + 20;
    ds.penY = y + 42;
    ds.leftMargin = long(x);
    cell.draw();
    resetFont(s, body);
}

}  // namespace

class SpecimenTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void writesSpecimenSheet()
    {
        const std::vector<Cell> small = cells();
        const std::vector<Cell> wide = wideCells();
        const int rows = int((small.size() + columns - 1) / columns) + int(wide.size());
        Surface sheet(sheetW, rows * cellH);
        sheet.BackColor = 0xFFFFFF;
        sheet.Cls();
        const float body = ds.baseFontSize;
        resetFont(sheet, body);
        Surface* previous = ds.curPic;
        ds.curPic = &sheet;
        for (size_t i = 0; i < small.size(); ++i)
            drawCell(sheet, small[i], float(int(i) % columns * cellW), float(int(i) / columns * cellH), cellW);
        float y = float((small.size() + columns - 1) / columns * cellH);
        for (const Cell& cell : wide) {
            drawCell(sheet, cell, 0, y, sheetW);
            y += cellH;
        }
        ds.curPic = previous;
        ds.baseFontSize = body;
        ds.leftMargin = 0;

        const QString dir = qEnvironmentVariable("VELKORA_SPECIMEN_DIR");
        if (dir.isEmpty()) QSKIP("VELKORA_SPECIMEN_DIR is not set");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(sheet.toImage(1).save(dir + u"/notation.png"_s));
        QVERIFY(sheet.toImage(2).save(dir + u"/notation@2x.png"_s));
    }
};

QTEST_MAIN(SpecimenTest)
#include "test_sample_sheet.moc"
