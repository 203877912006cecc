// What every notation builder, composite and operator leaves behind: the pen's row, the
// font, colour and globals it found, whatever they were. The pages only ever call them
// in one state; a builder that reset instead of restoring would spoil the next page.
#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/operators.h"
#include "canvas/text.h"
#include "fixture.h"
#include "notation/notation.h"

#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr float startX = 100, startY = 100;
constexpr float entrySize = 11.25f;  // not the body size, so a reset to it shows
const VbColor entryColor = vbRGB(10, 20, 30);
const QString meiryo = u"メイリオ"_s;

using Builder = std::function<void()>;

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

Builder atPen(void (*f)(Surface&, float&, float))
{
    return [f] { f(pic(), ds().penX, ds().penY); };
}

}  // namespace

Q_DECLARE_METATYPE(Builder)
Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(After)

class BuildersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void leavesFontAndGlobalsAsFound_data()
    {
        QTest::addColumn<Builder>("build");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<After>("after");
        const Entry plain, boldOn{meiryo, true, false}, italicOn{meiryo, false, true};
        const Entry gothicBold{u"ＭＳ ゴシック"_s, true, false};
        const After restored, gothic{u"ＭＳ ゴシック"_s}, italicBack{meiryo, false, true}, boldBack{meiryo, true};
        auto row = [](const char* name, Builder b, Entry e = {}, After a = {}) { QTest::newRow(name) << b << e << a; };

        // Composites and operators.
        row("dspSquare", atPen(dspSquare), italicOn, italicBack);
        row("dspHalf", atPen(dspHalf));
        row("dspOneOver x", [] { dspOneOver(pic(), ds().penX, ds().penY, u"x"_s); });
        row("dspArgX", atPen(dspArgX));
        row("dspFx", atPen(dspFx), boldOn, boldBack);
        row("dspBigPi", atPen(dspBigPi), Entry{u"ＭＳ ゴシック"_s}, gothic);
        row("dspEpsilon", atPen(dspEpsilon));
        row("dspIK", [] { dspIK(pic(), ds().penX, ds().penY, u"-pi"_s); });
        row("dspRadical", [] { dspRadical(pic(), ds().penX, ds().penY, 20); }, boldOn, boldBack);
        row("dspSqrtPi", atPen(dspSqrtPi));
        row("dspTerm", [] { dspTerm(pic(), ds().penX, ds().penY, u"r=0"_s); });
        row("dspBigSigma", atPen(dspBigSigma), italicOn, italicBack);
        row("dspIntSign", atPen(dspIntSign));
        row("dspSum", [] { dspSum(pic(), ds().penX, ds().penY, u"n=1"_s, u"∞"_s); });
        row("dspIntInf", atPen(dspIntInf));
        row("dspIntegral", [] { dspIntegral(pic(), ds().penX, ds().penY, u"pi/2"_s, u"0"_s); });

        // Variables, signs and scripts.
        row("putVars dx", [] { putVars(u"dx"_s); }, italicOn, italicBack);
        row("putMinus", [] { putMinus(); });
        row("putPlus", [] { putPlus(); });
        row("putColored", [] { putColored(u"(1)"_s); });
        row("putSub", [] { putSub(u"n"_s); });
        row("putSup", [] { putSup(u"2"_s); });
        row("putSquared", [] { putSquared(u"r"_s); });
        row("putDiff", [] { putDiff(u"x"_s); });
        row("putCos", [] { putCos(); });
        row("putTilde", [] { putTilde(u"S"_s); });
        row("putDelta", [] { putDelta(); });
        row("putEpsilon", [] { putEpsilon(); });
        row("putKappa", [] { putKappa(); });
        row("putTheta", [] { putTheta(); });
        row("putLambda", [] { putLambda(); });
        row("putXSquared", [] { putXSquared(); }, italicOn, italicBack);
        row("putSin", [] { putSin(); });
        row("putCourier", [] { putCourier(u"cos"_s); }, boldOn, boldBack);
        row("putPhi", [] { putPhi(); }, italicOn);

        // Partial derivatives and delimiters.
        row("dspVarList", [] { dspVarList(pic(), ds().penX, ds().penY, u"r, theta, phi"_s); }, italicOn);
        row("putPartial", [] { putPartial(u"u"_s, u"x"_s); }, gothicBold);
        row("putJacobian", [] { putJacobian(u"u, v"_s, u"x, y"_s); });
        row("putPartialParen", [] { putPartialParen(u"S"_s, u"T"_s, u"p"_s); });
        row("putBigLParen", [] { putBigLParen(ds().penX, ds().penY); }, gothicBold, gothic);
        row("putBigRBracket", [] { putBigRBracket(ds().penX, ds().penY); }, boldOn);
        row("putBigLBracket", [] { putBigLBracket(ds().penX, ds().penY); }, italicOn, italicBack);
        row("putBigRParen", [] { putBigRParen(ds().penX, ds().penY); });

        // Determinants, fractions, sums, derivatives.
        row("det2", [] { det2(u"uf"_s, u"ug"_s, u"vf"_s, u"vg"_s); });
        row("det2a", [] { det2a(); });
        row("det2b", [] { det2b(u"a+b"_s, u"c"_s, u"x+y"_s, u"z"_s); });
        row("putFrac", [] { putFrac(u"1"_s, u"V"_s); });
        row("putFracMid", [] { putFracMid(u"T_0"_s, u"omega"_s); });
        row("putFracSmall", [] { putFracSmall(u"pi"_s, u"x^2"_s); });
        row("putSumLimits", [] { putSumLimits(u"n"_s, u"r=0"_s); });
        row("putBinomial", [] { putBinomial(u"n"_s, u"r"_s); });
        row("putFuncOf", [] { putFuncOf(u"f"_s, u"y"_s); });
        row("putDeriv", [] { putDeriv(u"y"_s, u"x"_s); });
        row("putDeriv2", [] { putDeriv2(u"y"_s, u"x"_s); });
        row("putDerivN", [] { putDerivN(); });
        row("putKummerEq", [] { putKummerEq(u"y"_s); });
        row("putLaguerreEq", [] { putLaguerreEq(u"y"_s); });

        // Exponentials and 2π: these size themselves from the base size, and 2π sets it.
        const After lowered{meiryo, false, false, false, true}, atBase{meiryo, false, false, true};
        row("putExpIK", [] { putExpIK(-1, u"y"_s); });
        row("putExpMinusX2", [] { putExpMinusX2(); }, plain, atBase);
        row("putExpMinusX4", [] { putExpMinusX4(); }, plain, atBase);
        row("dspTwoPi", [] { dspTwoPi(ds().penX, ds().penY); }, plain, lowered);
        row("putOneOver2Pi", [] { putOneOver2Pi(); }, plain, lowered);
        row("putOneOverSqrt2Pi", [] { putOneOverSqrt2Pi(); }, plain, lowered);
        row("putSumN0Inf", [] { putSumN0Inf(); });

        // Special functions.
        row("putPOfX", [] { putPOfX(u"n"_s); });
        row("putHOfX", [] { putHOfX(u"n"_s); }, italicOn, italicBack);
        row("dspPrime", [] { dspPrime(); }, boldOn);
        row("dprimeLn", [] { dprimeLn(); });
        row("beta", [] { beta(); });
        row("putAssocP", [] { putAssocP(u"l'"_s, u"m'"_s); }, boldOn);
        row("putDAssocP", [] { putDAssocP(u"l"_s, u"m"_s); });
        row("putOverOneMinusX2", [] { putOverOneMinusX2(u"m"_s); });
        row("dspDPrime", [] { dspDPrime(); }, boldOn);
        row("primeLn", [] { primeLn(); });
        row("Gamma", [] { Gamma(); });
    }

    void leavesFontAndGlobalsAsFound()
    {
        QFETCH(Builder, build);
        QFETCH(Entry, entry);
        QFETCH(After, after);
        Surface& s = scratchSurface(startX, startY);
        s.FontName = entry.font;
        s.FontBold = entry.bold;
        s.FontItalic = entry.italic;
        s.FontSize = entrySize;
        s.ForeColor = entryColor;
        s.DrawWidth = 2;  // not the pages' pen, so a reset to it shows
        const float base = ds().baseFontSize, raise = ds().supRaise;
        const long rise = ds().bracketRise;

        build();
        const float baseAfter = ds().baseFontSize;
        ds().baseFontSize = base;

        QVERIFY2(!s.ops().empty(), "nothing drawn");
        QCOMPARE(ds().penY, startY);
        QCOMPARE(s.FontName, after.font);
        QCOMPARE(s.FontBold, after.bold);
        QCOMPARE(s.FontItalic, after.italic);
        QCOMPARE(s.FontSize, after.sizeIsBase ? base : entrySize);
        QCOMPARE(baseAfter, after.lowersBase ? entrySize : base);
        QCOMPARE(s.ForeColor, entryColor);
        QCOMPARE(s.DrawWidth, 2);
        QCOMPARE(ds().supRaise, raise);
        QCOMPARE(ds().bracketRise, rise);
    }

    // Input no page passes, drawn without reading past it or inventing runs.
    void inputOutsideTheFormat_data()
    {
        QTest::addColumn<Builder>("build");
        QTest::addColumn<QStringList>("runs");
        QTest::addColumn<int>("strokes");
        QTest::newRow("fraction of empty rows: a bar") << Builder([] { putFrac(QString(), QString()); })
                                                       << QStringList{} << 1;
        QTest::newRow("shorthand longer than two letters") << Builder([] { ShowUx(u"uvw"_s); }) << QStringList{"u"}
                                                           << 0;
        QTest::newRow("delimiter kind 0") << Builder([] { putBigDelim(ds().penX, ds().penY, 0); }) << QStringList{} << 0;
        QTest::newRow("delimiter kind 5") << Builder([] { putBigDelim(ds().penX, ds().penY, 5); }) << QStringList{} << 0;
        QTest::newRow("partial with no numerator")
            << Builder([] { putPartial(QString(), u"x"_s); }) << QStringList{symbolChar(182), symbolChar(182), "x"} << 1;
        QTest::newRow("integral without limits") << Builder([] { dspIntegral(pic(), ds().penX, ds().penY, {}, {}); })
                                                 << QStringList{symbolChar(243), symbolChar(245)} << 0;
        QTest::newRow("no variables") << Builder([] { putVars(QString()); }) << QStringList{} << 0;
    }

    void inputOutsideTheFormat()
    {
        QFETCH(Builder, build);
        QFETCH(QStringList, runs);
        QFETCH(int, strokes);
        const Surface& s = scratchSurface(startX, startY);
        build();
        QStringList drawn;
        int lines = 0;
        for (const DrawOp& op : s.ops()) {
            if (op.kind == DrawOp::Text) drawn << op.text;
            lines += op.kind == DrawOp::Line;
        }
        QCOMPARE(drawn, runs);
        QCOMPARE(lines, strokes);
        QCOMPARE(ds().penY, startY);
    }
};

QTEST_MAIN(BuildersTest)
#include "test_builders.moc"
