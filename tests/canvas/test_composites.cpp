// Small composite symbols and the device-context operators: placement rules that
// a glance at a page would not catch.
#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/operators.h"
#include "canvas/text.h"
#include "fixture.h"

#include <QtTest>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
double rightEnd(const DrawOp& op) { return op.x + op.advance; }

QStringList texts(const std::vector<DrawOp>& ops)
{
    QStringList out;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text) out << op.text;
    return out;
}
}  // namespace

class CompositesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void oneOverPutsLettersFurtherLeftAndKeepsXAtTheBar()
    {
        Surface& s = scratchSurface();
        const double TW = s.TextWidth(u"A"_s);
        float x = 50;
        dspOneOver(s, x, 100, u"4"_s);
        const double barEnd = rightEnd(firstText(s.ops(), u"―"_s));
        QCOMPARE(double(x), barEnd);
        const DrawOp four = firstText(s.ops(), u"4"_s);
        QCOMPARE(four.x, double(float(barEnd - 1.2 * TW)));
        QVERIFY(!four.italic);

        s.Cls();
        x = 50;
        dspOneOver(s, x, 100, u"x"_s);
        const DrawOp letter = firstText(s.ops(), u"x"_s);
        QCOMPARE(letter.x, double(float(x - 1.4 * TW)));
        QVERIFY(letter.italic);
        QCOMPARE(s.FontSize, ds.baseFontSize);
    }

    void argumentGapDependsOnTheItalicFace()
    {
        const int saved = ds.hasBookman;
        for (int bookman : {1, -1}) {
            ds.hasBookman = bookman;
            Surface& s = scratchSurface();
            float x = 50;
            dspArgX(s, x, 100);
            const double gap = firstText(s.ops(), u"x"_s).x - rightEnd(firstText(s.ops(), u"("_s));
            QVERIFY(std::abs(gap - (bookman == 1 ? 0.0 : 0.2 * s.TextWidth(u"A"_s))) < 0.001);
        }
        ds.hasBookman = saved;
    }

    void radicalOfZeroLengthEndsAtTheSign()
    {
        Surface& s = scratchSurface();
        s.FontBold = true;
        float x = 50;
        dspRadical(s, x, 100, 0);
        const DrawOp sign = firstText(s.ops(), symbolChar(214));
        QVERIFY(!sign.bold);
        QVERIFY(s.FontBold);
        QCOMPARE(double(x), rightEnd(sign));
        const DrawOp bar = opsOfKind(s.ops(), DrawOp::Line).front();
        QCOMPARE(bar.x, bar.x2);
        QCOMPARE(bar.y, 101.0);
        QCOMPARE(bar.color, resolveColor(ds.lineColor));
    }

    void termPicksTheFacePieceByPiece()
    {
        Surface& s = scratchSurface();
        float x = 50;
        dspTerm(s, x, 100, u"r=0"_s);
        QCOMPARE(texts(s.ops()), QStringList({u"r"_s, u"="_s, u"0"_s}));
        QVERIFY(s.ops()[0].italic);
        QCOMPARE(s.ops()[1].face, u"メイリオ"_s);

        // "-pi": 2 pixels, the Courier minus, π raised 3 pixels, 2 pixels.
        s.Cls();
        x = 50;
        dspTerm(s, x, 100, u"-pi"_s);
        QCOMPARE(texts(s.ops()), QStringList({u"-"_s, u"p"_s}));
        QCOMPARE(s.ops()[0].x, 52.0);
        QCOMPARE(s.ops()[0].face, u"Courier New"_s);
        QCOMPARE(s.ops()[1].x, rightEnd(s.ops()[0]));
        QVERIFY(s.ops()[1].y < 97);
        QCOMPARE(double(x), rightEnd(s.ops()[1]) + 2);

        s.Cls();
        x = 50;
        dspTerm(s, x, 100, u"j"_s);
        QCOMPARE(s.ops()[0].x, 54.0);

        s.Cls();
        x = 50;
        dspTerm(s, x, 100, u""_s);
        QVERIFY(s.ops().empty());
        QCOMPARE(x, 50.0f);
    }

    void devicePathRoundsThePenToWholePixels()
    {
        Surface& s = scratchSurface();
        s.FontName = u"Symbol"_s;
        qint32 x = 10;
        gdiPut(s, x, 20, 229, 1);
        const DrawOp sigma = s.ops().front();
        QCOMPARE(sigma.text, symbolChar(229));
        QCOMPARE(x, qint32(10 + std::lround(sigma.advance)));

        s.Cls();
        float fx = 30.5f;
        dspBigSigma(s, fx, 40.5f);
        QCOMPARE(s.ops().front().x, 30.0);
        QCOMPARE(s.ops().front().y, 40.0);
        QCOMPARE(s.ops().front().points, double(2 * ds.baseFontSize));
        QCOMPARE(fx, std::round(fx));
        QCOMPARE(s.FontName, u"Symbol"_s);

        // Measuring without drawing.
        s.Cls();
        qint32 y = 0;
        unsigned char code = 243;
        Extent e;
        gdiTextOut(s, x, y, code, 1, e, 0);
        QVERIFY(s.ops().empty());
        QVERIFY(e.width > 0);
    }

    void integralHalvesShareTheirXAndStandTwoThirdsOfALineApart()
    {
        Surface& s = scratchSurface();
        s.FontName = u"Symbol"_s;
        const double TH = s.TextHeight(u"A"_s);
        s.FontName = u"メイリオ"_s;
        float x = 50.4f;
        dspIntSign(s, x, 100);
        const DrawOp upper = firstText(s.ops(), symbolChar(243));
        const DrawOp lower = firstText(s.ops(), symbolChar(245));
        QCOMPARE(upper.x, 50.0);
        QCOMPARE(lower.x, 50.0);
        QCOMPARE(upper.y, double(roundHalfEven(100 - 0.28 * TH)));
        QCOMPARE(lower.y, double(roundHalfEven(100 + 0.38 * TH)));
        QCOMPARE(double(x), std::round(rightEnd(lower)));
        QCOMPARE(s.FontName, u"メイリオ"_s);
    }

    void sumPlacesInfinityAndCentresTheLowerLimit()
    {
        Surface& s = scratchSurface();
        const double TH = s.TextHeight(u"A"_s), wL = s.TextWidth(u"n=1"_s);
        float x = 50;
        dspSum(s, x, 100, u"n=1"_s, u"∞"_s);
        const DrawOp inf = firstText(s.ops(), u"∞"_s);
        QCOMPARE(inf.x, 54.0);
        QVERIFY(std::abs(inf.y - (100 - 0.6 * TH - ds.supRaise * TH)) < 0.01);
        QCOMPARE(firstText(s.ops(), u"n"_s).x, double(float(50 + 12 - 0.5 * wL)));
        QVERIFY(firstText(s.ops(), u"n"_s).points < ds.baseFontSize * 1.15);
        const DrawOp sigma = firstText(s.ops(), symbolChar(229));
        QCOMPARE(sigma.y, double(roundHalfEven(100 - 0.5 * TH)));
        QCOMPARE(double(x), std::round(rightEnd(sigma)));
    }

    void integralLimitsTakeTheirOwnRules()
    {
        Surface& s = scratchSurface();
        const float S = s.FontSize;
        float x = 50;
        dspIntegral(s, x, 100, u"pi/2"_s, u"0"_s);
        QCOMPARE(firstText(s.ops(), u"p"_s).points, double(S));
        QCOMPARE(firstText(s.ops(), u"2"_s).points, double(float(0.8 * S)));
        QCOMPARE(firstText(s.ops(), u"0"_s).points, double(float(0.8 * S)));

        // "-1": the minus goes through the term rules at 0.8 of the size.
        s.Cls();
        x = 50;
        dspIntegral(s, x, 100, u"1"_s, u"-1"_s);
        const DrawOp minus = firstText(s.ops(), u"-"_s);
        QCOMPARE(minus.face, u"Courier New"_s);
        QCOMPARE(minus.points, double(float(1.2 * float(0.8 * S))));

        QCOMPARE(maxD(2, 3), 3.0);
        QCOMPARE(maxD(3, 2), 3.0);
    }
};

QTEST_MAIN(CompositesTest)
#include "test_composites.moc"
