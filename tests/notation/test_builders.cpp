// What every notation builder, composite and operator leaves behind (pen, font,
// colour, globals, the area it drew in), and the layout rules that are easy to get wrong.
#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/fonts.h"
#include "canvas/operators.h"
#include "canvas/text.h"
#include "fixture.h"
#include "notation/notation.h"

#include <QtTest>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr float startX = 100, startY = 100;
constexpr float entrySize = 11.25f;  // not the body size, so a reset to it shows
const VbColor entryColor = vbRGB(10, 20, 30);
const QString meiryo = u"メイリオ"_s;

using Builder = std::function<void()>;
using PenRule = std::function<double(const std::vector<DrawOp>&)>;

struct Entry {
    QString font = meiryo;
    bool bold = false;
    bool italic = false;
};

struct After {
    QString font = meiryo;
    bool bold = false;
    bool italic = false;
    bool sizeIsBase = false;  // set to baseFontSize instead of restored
    bool lowersBase = false;  // baseFontSize becomes the size on entry
};

// Where drawing may reach: left, top and bottom from the starting pen, right
// beyond the pen the builder leaves.
struct Reach {
    double left = 0, top = -20, right = 1, bottom = 40;
};


Builder atPen(void (*f)(Surface&, float&, float))
{
    return [f] { f(pic(), ds.penX, ds.penY); };
}

double rightEnd(const DrawOp& op) { return op.x + op.advance; }

double cellHeight(const DrawOp& op)
{
    return FontTable::current().metrics(op.face, pointsToPixels(op.points), op.bold, op.italic).height();
}

// The right end of the last text drawn as `text`, plus `gap`.
PenRule after(const QString& text, double gap = 0)
{
    return [text, gap](const std::vector<DrawOp>& ops) {
        const auto found = textOpsEqual(ops, text);
        return found.empty() ? -1.0 : rightEnd(found.back()) + gap;
    };
}

PenRule afterLast(double gap = 0)
{
    return [gap](const std::vector<DrawOp>& ops) {
        const auto texts = opsOfKind(ops, DrawOp::Text);
        return texts.empty() ? -1.0 : rightEnd(texts.back()) + gap;
    };
}

// Device-context glyphs advance by their whole-pixel width from a whole-pixel x.
PenRule afterGlyph(int code)
{
    return [code](const std::vector<DrawOp>& ops) {
        const auto found = textOpsEqual(ops, symbolChar(code));
        return found.empty() ? -1.0 : std::round(rightEnd(found.back()));
    };
}

PenRule atUnits(double units, double px = 0)
{
    const double x = startX + units * ds.chW + px;
    return [x](const std::vector<DrawOp>&) { return x; };
}

PenRule atLineEnd()
{
    return [](const std::vector<DrawOp>& ops) {
        const auto lines = opsOfKind(ops, DrawOp::Line);
        return lines.empty() ? -1.0 : lines.back().x2;
    };
}

// Width of "A" in the page face at the size on entry.
double entryTW()
{
    return FontTable::current().width(meiryo, pointsToPixels(entrySize), false, false, u"A"_s);
}

QRectF extentOf(const std::vector<DrawOp>& ops)
{
    QRectF box;
    for (const DrawOp& op : ops) {
        const QRectF r = op.kind == DrawOp::Text ? QRectF(op.x, op.y, op.advance, cellHeight(op))
                                                 : QRectF(QPointF(op.x, op.y), QPointF(op.x2, op.y2)).normalized();
        box = box.isNull() ? r : box.united(r);
    }
    return box;
}

}  // namespace

Q_DECLARE_METATYPE(Builder)
Q_DECLARE_METATYPE(PenRule)
Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(After)
Q_DECLARE_METATYPE(Reach)

class BuildersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void leavesPenFontAndGlobalsAsSpecified_data()
    {
        QTest::addColumn<Builder>("build");
        QTest::addColumn<PenRule>("penX");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<After>("after");
        QTest::addColumn<Reach>("reach");
        const double tw = entryTW();
        const Entry plain, boldOn{meiryo, true, false}, italicOn{meiryo, false, true};
        const Entry gothicBold{u"ＭＳ ゴシック"_s, true, false};
        const After restored, gothic{u"ＭＳ ゴシック"_s}, italicBack{meiryo, false, true};
        const Reach usual, tall{0, -30, 1, 50};
        auto row = [](const char* name, Builder b, PenRule pen, Entry e = {}, After a = {}, Reach r = {}) {
            QTest::newRow(name) << b << pen << e << a << r;
        };

        // Composites and operators.
        row("dspSquare", atPen(dspSquare), after(u"2"_s), italicOn, italicBack);
        row("dspHalf", atPen(dspHalf), after(u"―"_s), plain, restored, tall);
        row("dspOneOver x", [] { dspOneOver(pic(), ds.penX, ds.penY, u"x"_s); }, after(u"―"_s), plain, restored, tall);
        row("dspArgX", atPen(dspArgX), after(u")"_s));
        row("dspFx", atPen(dspFx), after(u")"_s), boldOn, {meiryo, true});
        row("dspBigPi", atPen(dspBigPi), after(u"p"_s), Entry{u"ＭＳ ゴシック"_s}, gothic);
        row("dspEpsilon", atPen(dspEpsilon), after(u"ε"_s), plain, restored, {0, -3, 1, 40});
        row("dspIK", [] { dspIK(pic(), ds.penX, ds.penY, u"-pi"_s); }, afterLast(2));
        row("dspRadical", [] { dspRadical(pic(), ds.penX, ds.penY, 20); }, atLineEnd(), boldOn, {meiryo, true});
        // The overbar is 1.5 units long and the pen ends under it, after the π.
        row("dspSqrtPi", atPen(dspSqrtPi), after(u"p"_s), plain, restored, {0, -20, 0.5 * ds.chW, 40});
        row("dspTerm", [] { dspTerm(pic(), ds.penX, ds.penY, u"r=0"_s); }, after(u"0"_s));
        row("dspBigSigma", atPen(dspBigSigma), afterGlyph(229), italicOn, italicBack, tall);
        row("dspIntSign", atPen(dspIntSign), afterGlyph(245), plain, restored, tall);
        row("dspSum", [] { dspSum(pic(), ds.penX, ds.penY, u"n=1"_s, u"∞"_s); }, afterGlyph(229), plain, restored,
            {-8, -30, 10, 50});
        row("dspIntInf", atPen(dspIntInf), afterLast(0.5 * tw), plain, restored, {0, -30, 12, 50});
        // Only the lower limit moves the pen: the wider upper one runs past it.
        row("dspIntegral", [] { dspIntegral(pic(), ds.penX, ds.penY, u"pi/2"_s, u"0"_s); },
            after(u"0"_s, 0.5 * tw), plain, restored, {0, -30, 30, 50});

        // Variables, signs and scripts.
        row("putVars dx", [] { putVars(u"dx"_s); }, after(u"x"_s, 2), italicOn, italicBack);
        row("putMinus", [] { putMinus(); }, after(u"-"_s, 4));
        row("putPlus", [] { putPlus(); }, after(u"+"_s, 4));
        row("putColored", [] { putColored(u"(1)"_s); }, after(u"(1)"_s));
        row("putSub", [] { putSub(u"n"_s); }, after(u"n"_s, 0.2 * tw));
        row("putSup", [] { putSup(u"2"_s); }, after(u"2"_s, 2));
        row("putSquared", [] { putSquared(u"r"_s); }, after(u"2"_s, 2));
        row("putXSquared", [] { putXSquared(); }, after(u"2"_s, 2));
        row("putDiff", [] { putDiff(u"x"_s); }, after(u"x"_s));
        row("putCourier", [] { putCourier(u"e"_s); }, after(u"e"_s));
        row("putCos", [] { putCos(); }, after(u"cos"_s, 2));
        row("putSin", [] { putSin(); }, after(u"sin"_s, 2));
        row("putPartialSign", [] { putPartialSign(); }, after(symbolChar(182)));
        row("putTilde", [] { putTilde(u"S"_s); }, after(u"S"_s), plain, restored, {-3, -20, 1, 40});
        row("putDelta", [] { putDelta(); }, after(u"d"_s));
        row("putEpsilon", [] { putEpsilon(); }, after(u"e"_s), plain, restored, {0, -7, 1, 40});
        row("putKappa", [] { putKappa(); }, after(u"k"_s));
        row("putTheta", [] { putTheta(); }, after(u"q"_s));
        row("putLambda", [] { putLambda(); }, after(u"l"_s));
        row("putPhi", [] { putPhi(); }, after(u"φ"_s), italicOn);

        // Partial derivatives and delimiters.
        row("dspVarList", [] { dspVarList(pic(), ds.penX, ds.penY, u"r, theta, phi"_s); }, after(u"φ"_s), italicOn);
        row("putPartial", [] { putPartial(u"u"_s, u"x"_s); }, after(u"x"_s), gothicBold, restored, {0, -30, 12, 50});
        row("putJacobian", [] { putJacobian(u"u, v"_s, u"x, y"_s); }, afterLast(), plain, restored, {0, -30, 6, 50});
        row("putPartialParen", [] { putPartialParen(u"S"_s, u"T"_s, u"p"_s); }, afterLast(0.2 * tw), plain, restored,
            tall);
        row("putBigLParen", [] { putBigLParen(ds.penX, ds.penY); }, atUnits(0), gothicBold, gothic, {0, -30, 20, 50});
        row("putBigRParen", [] { putBigRParen(ds.penX, ds.penY); }, atUnits(0), boldOn, restored, {0, -30, 20, 50});
        row("putBigLBracket", [] { putBigLBracket(ds.penX, ds.penY); }, atUnits(0), boldOn, restored, {0, -30, 20, 50});
        row("putBigRBracket", [] { putBigRBracket(ds.penX, ds.penY); }, atUnits(0), boldOn, restored, {0, -30, 20, 50});

        // Determinants: the pen at the right bar on the first row.
        const Reach det{0, -5, 1, 60};
        row("ShowUx", [] { ShowUx(u"uf"_s); }, after(u"f"_s, 0.2 * tw));
        row("det2", [] { det2(u"uf"_s, u"ug"_s, u"vf"_s, u"vg"_s); }, atUnits(5.5), plain, restored, det);
        row("det2a", [] { det2a(); }, atUnits(21), plain, restored, det);
        row("det2b", [] { det2b(u"a+b"_s, u"c"_s, u"x+y"_s, u"z"_s); }, atUnits(1.2 * 3 + 3.4), plain, restored, det);

        // Fractions, sums, derivatives.
        row("putFrac", [] { putFrac(u"1"_s, u"V"_s); }, atLineEnd(), plain, restored, tall);
        row("putFracMid", [] { putFracMid(u"T_0"_s, u"omega"_s); }, atLineEnd(), plain, restored, tall);
        row("putFracSmall", [] { putFracSmall(u"pi"_s, u"x^2"_s); }, atLineEnd(), plain, restored, tall);
        row("putSumLimits", [] { putSumLimits(u"n"_s, u"r=0"_s); }, after(u"0"_s), plain, restored, {0, -30, 30, 50});
        row("putBinomial", [] { putBinomial(u"n"_s, u"r"_s); }, after(u"r"_s, 12), plain, restored, {0, -30, 10, 50});
        row("putFuncOf", [] { putFuncOf(u"f"_s, u"y"_s); }, after(u")"_s));
        row("putDeriv", [] { putDeriv(u"y"_s, u"x"_s); }, afterLast(), plain, restored, {0, -30, 12, 50});
        row("putDeriv2", [] { putDeriv2(u"y"_s, u"x"_s); }, afterLast(), plain, restored, {0, -30, 20, 50});
        // A lower-case superscript letter keeps 2 pixels after it, then 8 more.
        // Its bar is 3.5 units long, longer than the dx row the pen follows.
        row("putDerivN", [] { putDerivN(); }, afterLast(2 + 8), plain, restored, {0, -30, 1.5 * ds.chW, 50});
        // The equation lines ignore the pen: they start 5 units from the edge, tag at tab40.
        const Reach line{5 * ds.chW - startX, -20, double(ds.tab40) + 60, 50};
        row("putKummerEq", [] { putKummerEq(u"y"_s); }, after(u"  ＝  0"_s), plain, restored, line);
        row("putLaguerreEq", [] { putLaguerreEq(u"y"_s); }, after(u"  ＝  0"_s), plain, restored, line);

        // Exponentials and 2π.
        const After lowered{meiryo, false, false, false, true};
        row("putExpIK", [] { putExpIK(-1, u"y"_s); }, afterLast());
        row("putExpMinusX2", [] { putExpMinusX2(); }, after(u"2"_s, 4), plain, {meiryo, false, false, true});
        row("putExpMinusX4", [] { putExpMinusX4(); }, after(u"4"_s), plain, {meiryo, false, false, true});
        row("dspTwoPi", [] { dspTwoPi(ds.penX, ds.penY); }, after(u"p"_s), plain, lowered);
        // Both fractions go through dspTwoPi, so they too lower the base size.
        row("putOneOver2Pi", [] { putOneOver2Pi(); }, after(u"─"_s), plain, lowered, tall);
        row("putOneOverSqrt2Pi", [] { putOneOverSqrt2Pi(); }, atUnits(4), plain, lowered, tall);
        row("putSumN0Inf", [] { putSumN0Inf(); }, afterGlyph(229), plain, restored, {-8, -30, 10, 50});

        // Special functions.
        row("putPOfX", [] { putPOfX(u"n"_s); }, after(u")"_s));
        row("putHOfX", [] { putHOfX(u"n"_s); }, after(u")"_s));
        row("putAssocP", [] { putAssocP(u"l'"_s, u"m'"_s); }, after(u")"_s), boldOn);
        row("putDAssocP", [] { putDAssocP(u"l"_s, u"m"_s); }, after(u")"_s), plain, restored, tall);
        row("putOverOneMinusX2", [] { putOverOneMinusX2(u"m"_s); }, after(u"─"_s), plain, restored, tall);
        row("dspPrime", [] { dspPrime(); }, after(symbolChar(162)), boldOn);
        row("dspDPrime", [] { dspDPrime(); }, after(symbolChar(162)), boldOn);
        row("primeLn", [] { primeLn(); }, after(u")"_s));
        row("dprimeLn", [] { dprimeLn(); }, after(u")"_s));
        row("beta", [] { beta(); }, after(u"B"_s, 6));
        row("Gamma", [] { Gamma(); }, after(u"G"_s, 6));
    }

    void leavesPenFontAndGlobalsAsSpecified()
    {
        QFETCH(Builder, build);
        QFETCH(PenRule, penX);
        QFETCH(Entry, entry);
        QFETCH(After, after);
        QFETCH(Reach, reach);
        Surface& s = scratchSurface(startX, startY);
        s.FontName = entry.font;
        s.FontBold = entry.bold;
        s.FontItalic = entry.italic;
        s.FontSize = entrySize;
        s.ForeColor = entryColor;
        const float base = ds.baseFontSize, raise = ds.supRaise;
        const long rise = ds.bracketRise;

        build();
        const double expectedX = penX(s.ops());
        const float baseAfter = ds.baseFontSize;
        ds.baseFontSize = base;

        QVERIFY2(!s.ops().empty(), "nothing drawn");
        QVERIFY2(std::abs(ds.penX - expectedX) < 0.01, qPrintable(u"penX %1, expected %2"_s.arg(ds.penX).arg(expectedX)));
        QCOMPARE(ds.penY, startY);
        QCOMPARE(s.FontName, after.font);
        QCOMPARE(s.FontBold, after.bold);
        QCOMPARE(s.FontItalic, after.italic);
        QCOMPARE(s.FontSize, after.sizeIsBase ? base : entrySize);
        QCOMPARE(baseAfter, after.lowersBase ? entrySize : base);
        QCOMPARE(s.ForeColor, entryColor);
        QCOMPARE(ds.supRaise, raise);
        QCOMPARE(ds.bracketRise, rise);

        const QRectF box = extentOf(s.ops());
        const QString where = describe(s.ops());
        QVERIFY2(box.left() >= startX + reach.left - 0.5, qPrintable(where));
        QVERIFY2(box.top() >= startY + reach.top, qPrintable(where));
        QVERIFY2(box.right() <= ds.penX + reach.right, qPrintable(where));
        QVERIFY2(box.bottom() <= startY + reach.bottom, qPrintable(where));
    }

    void partialCentresTheShorterRowByFortyFivePercent()
    {
        Surface& s = scratchSurface(startX, startY);
        s.FontBold = true;
        s.FontName = u"Times New Roman"_s;
        const double wN = s.TextWidth(u"uN"_s), wD = s.TextWidth(u"xyzN"_s);
        s.FontBold = false;
        s.FontName = meiryo;
        putPartial(u"u"_s, u"xyz"_s);
        const auto partials = textOpsEqual(s.ops(), symbolChar(182));
        QCOMPARE(partials.size(), size_t(2));
        QCOMPARE(partials[0].x, double(float(startX + 0.45 * (wD - wN))));
        QCOMPARE(partials[1].x, double(startX));
        const DrawOp bar = opsOfKind(s.ops(), DrawOp::Line).front();
        QCOMPARE(bar.x2, double(float(startX + wD + 4)));
        QCOMPARE(bar.y, double(float(startY + 0.4 * ds.lineH)));

        // An empty numerator: the lone ∂ stands 0.6 of a unit in.
        s.Cls();
        ds.penX = startX;
        putPartial(u""_s, u"x"_s);
        QCOMPARE(firstText(s.ops(), symbolChar(182)).x, double(float(startX + 0.6 * ds.chW)));
    }

    void partialMeasuresGreekDenominatorsAsNbAndDrawsThemFromSymbol()
    {
        Surface& s = scratchSurface(startX, startY);
        putPartial(u"u"_s, u"theta"_s);
        const DrawOp theta = firstText(s.ops(), u"q"_s);
        QCOMPARE(theta.face, u"Symbol"_s);
        QVERIFY(theta.italic);
        s.Cls();
        putPartial(u"tildeS"_s, u"T"_s);
        QCOMPARE(textOpsEqual(s.ops(), u"~"_s).size(), size_t(1));
        QCOMPARE(firstText(s.ops(), u"S"_s).y, double(startY - 13));
        QVERIFY(textOpsEqual(s.ops(), u"tildeS"_s).empty());
    }

    void partialParenBarIsTwentyEightPixelsWhateverTheRows()
    {
        for (const QString& num : {u"S"_s, u"u, v, w"_s}) {
            Surface& s = scratchSurface(startX, startY);
            putPartialParen(num, u"T"_s, u"V"_s);
            const DrawOp bar = opsOfKind(s.ops(), DrawOp::Line).front();
            QCOMPARE(bar.x, double(startX + 10));
            QCOMPARE(bar.x2, double(startX + 38));
            QCOMPARE(bar.y, double(startY + 12));
        }
    }

    void squareBracketsRiseByBracketRisePlusOneParenthesesBySix()
    {
        const long saved = ds.bracketRise;
        for (long rise : {0L, 4L}) {
            ds.bracketRise = rise;
            Surface& s = scratchSurface(100.5f, startY);
            float x = ds.penX;
            putBigLBracket(x, startY);
            putBigLParen(x, startY);
            QCOMPARE(x, 100.5f);
            const auto& ops = s.ops();
            QCOMPARE(ops.size(), size_t(4));
            QCOMPARE(ops[0].text, symbolChar(233));
            QCOMPARE(ops[0].y, double(startY - (rise + 1)));
            QCOMPARE(ops[1].text, symbolChar(235));
            QCOMPARE(ops[1].y, double(startY + 2 + rise + 1));
            QCOMPARE(ops[2].y, double(startY - 6));
            QCOMPARE(ops[3].y, double(startY + 8));
            // Whole pixels, halves to even: 100.5 goes to 100.
            QCOMPARE(ops[0].x, 100.0);
            QVERIFY(ops[0].bold);
        }
        ds.bracketRise = saved;
    }

    void varListOutsideTheFormatMovesOn()
    {
        Surface& s = scratchSurface(startX, startY);
        float x = startX;
        dspVarList(s, x, startY, u"r, theta, phi"_s);
        QStringList drawn;
        for (const DrawOp& op : s.ops()) drawn << op.text;
        QCOMPARE(drawn, QStringList({u"r,"_s, u" "_s, u"q"_s, u","_s, u" "_s, u"φ"_s}));

        // Letters with no comma between them, and an unknown long name.
        s.Cls();
        x = startX;
        dspVarList(s, x, startY, u"ab, xyz"_s);
        drawn.clear();
        for (const DrawOp& op : s.ops()) drawn << op.text;
        QCOMPARE(drawn, QStringList({u"a"_s, u"b,"_s, u" "_s, u"x"_s, u"y"_s, u"z"_s}));
        QCOMPARE(double(x), rightEnd(s.ops().back()));
    }

    void fractionRaisesAndDropsFollowTheSingleScale_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<int>("raise");
        QTest::addColumn<int>("subscriptRaise");
        QTest::addColumn<int>("drop");
        QTest::newRow("1.0") << 1.0f << 10 << 12 << 13;
        QTest::newRow("0.9") << 0.9f << 8 << 10 << 12;
        QTest::newRow("0.8") << 0.8f << 8 << 9 << 10;
    }

    void fractionRaisesAndDropsFollowTheSingleScale()
    {
        QFETCH(float, scale);
        QFETCH(int, raise);
        QFETCH(int, subscriptRaise);
        QFETCH(int, drop);
        Surface& s = scratchSurface(startX, startY);
        putFracScaled(scale, u"1"_s, u"4"_s);
        QCOMPARE(firstText(s.ops(), u"1"_s).y, double(startY - raise));
        QCOMPARE(firstText(s.ops(), u"4"_s).y, double(startY + drop));
        QCOMPARE(firstText(s.ops(), u"1"_s).points, double(float(ds.baseFontSize * scale)));
        s.Cls();
        ds.penX = startX;
        putFracScaled(scale, u"_0"_s, u"4"_s);
        const double subTop = startY - subscriptRaise + ds.subDrop * double(pic().TextHeight(u"A"_s)) * scale;
        QVERIFY(std::abs(firstText(s.ops(), u"0"_s).y - subTop) < 0.5);
        // The bar stays 12 pixels down at every scale.
        QCOMPARE(opsOfKind(s.ops(), DrawOp::Line).front().y, double(startY + 12));
        QCOMPARE(pic().FontSize, ds.baseFontSize);
    }

    void fractionCentresBothRowsOnTheRoundedWidths()
    {
        Surface& s = scratchSurface(startX, startY);
        const long wOne = markupWidth(u"1"_s);
        const long wV = markupWidth(u"V"_s);
        // Letters count 1.3 times their upright width in the italic face; the sum is rounded once.
        QVERIFY(ds.hasBookman != 1);
        s.FontName = u"Times New Roman"_s;
        const double letterV = 1.3 * s.TextWidth(u"V"_s), letterX = 1.3 * s.TextWidth(u"x"_s);
        s.FontName = meiryo;
        QCOMPARE(wV, roundHalfEven(letterV));
        QCOMPARE(markupWidth(u"x^2"_s), roundHalfEven(letterX + s.TextWidth(u"2"_s)));
        QCOMPARE(markupWidth(u"_x_x"_s), roundHalfEven(letterX + letterX));
        QCOMPARE(markupWidth(u"alpha"_s), roundHalfEven(s.TextWidth(u"w"_s)));
        QCOMPARE(markupWidth(u""_s), 0L);

        putFrac(u"1"_s, u"V"_s);
        const double L = double(std::max(wOne, wV)) + s.TextWidth(u"p"_s);
        QCOMPARE(double(ds.penX), double(float(startX + L)));
        QCOMPARE(firstText(s.ops(), u"1"_s).x, double(float(startX + (L - wOne) / 2)));
        QCOMPARE(firstText(s.ops(), u"V"_s).x, double(float(startX + (L - wV) / 2)));

        // Empty rows still draw a bar as wide as "p".
        s.Cls();
        ds.penX = startX;
        putFrac(u""_s, u""_s);
        QCOMPARE(opsOfKind(s.ops(), DrawOp::Line).front().x2, double(float(startX + s.TextWidth(u"p"_s))));
    }

    void fractionDenominatorCaretTakesOneCharacter()
    {
        Surface& s = scratchSurface(startX, startY);
        putFrac(u"1"_s, u"x^2y"_s);
        const DrawOp two = firstText(s.ops(), u"2"_s);
        const DrawOp y = firstText(s.ops(), u"y"_s);
        QVERIFY(two.points < y.points);
        QCOMPARE(y.y, double(startY + 13));
        QVERIFY(y.x >= rightEnd(two));
    }

    void determinantOfSumsIsPlacedFromTheFirstEntryAlone()
    {
        Surface& s = scratchSurface(startX, startY);
        det2b(u"a"_s, u"c"_s, u"x+y"_s, u"z"_s);
        const auto lines = opsOfKind(s.ops(), DrawOp::Line);
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[1].x, double(float(startX + 4.6 * ds.chW)));
        QCOMPARE(lines[1].y2, double(float(startY + 2.0 * ds.lineH)));
        QCOMPARE(firstText(s.ops(), u"c"_s).x, double(float(startX + 3.2 * ds.chW)));
        // The second row's column follows the first row even when its entry is longer.
        QCOMPARE(firstText(s.ops(), u"z"_s).x, double(float(startX + 3.2 * ds.chW)));
        QCOMPARE(firstText(s.ops(), u"z"_s).y, double(float(startY + ds.lineH)));
        QCOMPARE(ds.penX, float(startX + 4.6 * ds.chW));

        // Shorthand entries: one letter, letter and subscript, longer codes cut to one letter.
        s.Cls();
        ShowUx(u"uvw"_s);
        QCOMPARE(s.ops().size(), size_t(1));
        QCOMPARE(s.ops()[0].text, u"u"_s);
    }

    void equationLinesIgnoreTheLeftMargin()
    {
        Surface& s = scratchSurface(startX, startY);
        ds.leftMargin = 40;
        putKummerEq(u"y"_s);
        ds.leftMargin = 0;
        QCOMPARE(firstText(s.ops(), u"(6.6)"_s).x, double(ds.tab40));
        QCOMPARE(s.ops()[1].x, double(float(5.0 * ds.chW)));
        QCOMPARE(s.ops()[1].text, u"x"_s);
        QCOMPARE(textOpsEqual(s.ops(), u"c"_s).size(), size_t(1));

        s.Cls();
        putLaguerreEq(u"y"_s);
        QCOMPARE(s.ops()[0].text, u"(5.75)  "_s);
        QVERIFY(textOpsEqual(s.ops(), u"c"_s).empty());
        QCOMPARE(textOpsEqual(s.ops(), u"1"_s).size(), size_t(1));
        QCOMPARE(textOpsEqual(s.ops(), u"n"_s).size(), size_t(1));
    }

    void derivativeGapsAndBars()
    {
        Surface& s = scratchSurface(startX, startY);
        putDeriv(u"f"_s, u"x"_s);
        const auto d = textOpsEqual(s.ops(), u"d"_s);
        QCOMPARE(firstText(s.ops(), u"f"_s).x, rightEnd(d[0]) + 4);
        s.Cls();
        ds.penX = startX;
        putDeriv2(u""_s, u"x"_s);
        QCOMPARE(firstText(s.ops(), u"d"_s).x, double(startX + 10));
        QCOMPARE(opsOfKind(s.ops(), DrawOp::Line).front().x2, double(float(startX + 3.2 * ds.chW)));
        s.Cls();
        ds.penX = startX;
        putDeriv2(u"P"_s, u"x"_s);
        QCOMPARE(opsOfKind(s.ops(), DrawOp::Line).front().x2, double(float(startX + 3.5 * ds.chW)));
    }

    void binomialClosesAfterTheBottomRow()
    {
        Surface& s = scratchSurface(startX, startY);
        putBinomial(u"nnn"_s, u"r"_s);
        const DrawOp r = firstText(s.ops(), u"r"_s);
        QCOMPARE(firstText(s.ops(), symbolChar(246)).x, std::round(rightEnd(r) + 8));
        QCOMPARE(double(ds.penX), rightEnd(r) + 12);
    }

    void primesTuckBackOverTheSubscriptAndBoldIsOff()
    {
        Surface& s = scratchSurface(startX, startY);
        primeLn();
        const DrawOp n = firstText(s.ops(), u"n"_s);
        const DrawOp prime = firstText(s.ops(), symbolChar(162));
        QCOMPARE(prime.x, double(float(rightEnd(n) + 0.2 * ds.chW - 4)));
        QCOMPARE(prime.y, double(startY - 4));
        QVERIFY(prime.bold);

        s.Cls();
        putAssocP(u"l'"_s, u"m"_s);
        QVERIFY(firstText(s.ops(), u"'"_s).bold);
        QVERIFY(!firstText(s.ops(), u"m"_s).bold || ds.hasBookman != 1);
        QVERIFY(!pic().FontBold);
    }
};

QTEST_MAIN(BuildersTest)
#include "test_builders.moc"
