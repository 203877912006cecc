// Text runs and script markup where the pages cannot show them: fonts put back whatever
// was in force, the italic face a reader with Bookman gets, empty input, the code page.
#include "canvas/composites.h"
#include "canvas/drawing_state.h"
#include "canvas/markup.h"
#include "canvas/text.h"
#include "fixture.h"
#include "notation/notation.h"

#include <QtTest>

namespace {

struct FontState {
    QString name;
    float size;
    bool bold, italic;
    VbColor color;
    bool operator==(const FontState&) const = default;
};

FontState fontOf(const Surface& s) { return {s.FontName, s.FontSize, s.FontBold, s.FontItalic, s.ForeColor}; }

using Primitive = std::function<void(Surface&, float&)>;
using Markup = std::function<void(Surface&, float&, const QString&)>;

QStringList texts(const std::vector<DrawOp>& ops)
{
    QStringList out;
    for (const DrawOp& op : ops) out << op.text;
    return out;
}

}  // namespace

Q_DECLARE_METATYPE(Primitive)
Q_DECLARE_METATYPE(Markup)

class TextRunTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void variablesTakeBookmanOrTheBoldFallback()
    {
        Surface& s = scratchSurface();
        const int saved = ds().hasBookman;
        float x = 10;
        ds().hasBookman = 1;
        dspVar(s, x, 50, QStringLiteral("v"));
        QCOMPARE(s.ops()[0].face, QStringLiteral("Bookman Old Style"));
        QVERIFY(!s.ops()[0].bold);
        QCOMPARE(s.ops()[0].y, 50.0);

        ds().hasBookman = -1;
        dspVar(s, x, 50, QStringLiteral("v"));
        dspVar(s, x, 50, QStringLiteral("vv"));
        QCOMPARE(s.ops()[1].face, QStringLiteral("Century"));
        QVERIFY(s.ops()[1].bold && s.ops()[1].italic);
        QCOMPARE(s.ops()[1].y, 49.0);
        QCOMPARE(s.ops()[2].face, QStringLiteral("Times New Roman"));
        QCOMPARE(s.ops()[2].y, 50.0);
        QCOMPARE(s.ops()[2].points, double(float(1.15 * 12.75f)));

        // Untested yet: the first variable asks the font list.
        ds().hasBookman = 0;
        dspVar(s, x, 50, QStringLiteral("x"));
        QCOMPARE(ds().hasBookman, fontExists(QStringLiteral("Bookman Old Style")) ? 1 : -1);
        ds().hasBookman = saved;
    }

    void primitivesRestoreTheFontAndAdvanceByWhatTheyDrew_data()
    {
        QTest::addColumn<Primitive>("draw");
        auto add = [](const char* name, Primitive p) { QTest::newRow(name) << p; };
        add("dspPlain", [](Surface& s, float& x) { dspPlain(s, x, 50, QStringLiteral("abc")); });
        add("dspInFont", [](Surface& s, float& x) { dspInFont(s, QStringLiteral("Century"), x, 50, QStringLiteral("v")); });
        add("dspGothic", [](Surface& s, float& x) { dspGothic(s, x, 50, QStringLiteral("，")); });
        add("dspText", [](Surface& s, float& x) { dspText(s, x, 50, QStringLiteral("-2，の値")); });
        add("dspVar", [](Surface& s, float& x) { dspVar(s, x, 50, QStringLiteral("v")); });
        add("dspCourier", [](Surface& s, float& x) { dspCourier(s, x, 50, QStringLiteral("+")); });
        add("dspSymbol", [](Surface& s, float& x) { dspSymbol(s, x, 50, symbolChar(182)); });
        add("dspGreek", [](Surface& s, float& x) { dspGreek(s, x, 50, QStringLiteral("q")); });
        add("dspOmega", [](Surface& s, float& x) { dspOmega(s, x, 50); });
        add("dspSup", [](Surface& s, float& x) { dspSup(s, x, 50, QStringLiteral("n-1")); });
        add("dspSub", [](Surface& s, float& x) { dspSub(s, x, 50, QStringLiteral("r=0")); });
    }

    void primitivesRestoreTheFontAndAdvanceByWhatTheyDrew()
    {
        QFETCH(Primitive, draw);
        for (bool bold : {false, true}) {
            Surface& s = scratchSurface();
            s.FontBold = bold;
            s.FontSize = 10.5f;
            const FontState before = fontOf(s);
            float x = 20;
            draw(s, x);
            QVERIFY(fontOf(s) == before);
            QVERIFY(!s.ops().empty());
            const DrawOp& last = s.ops().back();
            QCOMPARE(x, float(last.x + last.advance));
        }
    }

    void emptyTextDrawsNothingAndKeepsThePen()
    {
        Surface& s = scratchSurface(40, 60);
        float x = 10;
        dspSup(s, x, 50, QString());
        dspSub(s, x, 50, QString());
        dspTerm(s, x, 50, QString());
        putText(QString());
        QVERIFY(s.ops().empty());
        QCOMPARE(x, 10.0f);
        QCOMPARE(ds().penX, 40.0f);
    }

    // The small string languages at their edges, where no page takes them: a keyword is
    // one only at the start of what is left, and what no rule knows is drawn as it is.
    void markupOutsideThePagesUse_data()
    {
        QTest::addColumn<Markup>("draw");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("runs");
        const Markup text = [](Surface& s, float& x, const QString& t) { dspText(s, x, 50, t); };
        const Markup sup = [](Surface& s, float& x, const QString& t) { dspSup(s, x, 50, t); };
        const Markup sub = [](Surface& s, float& x, const QString& t) { dspSub(s, x, 50, t); };
        const Markup list = [](Surface& s, float& x, const QString& t) { dspVarList(s, x, 50, t); };
        const Markup term = [](Surface& s, float& x, const QString& t) { dspTerm(s, x, 50, t); };
        QTest::newRow("text, two minus signs") << text << "--1" << QStringList{"-", "-1"};
        QTest::newRow("text, inner minus") << text << "a-b" << QStringList{"a-b"};
        QTest::newRow("sup, keyword after a letter") << sup << "xpi" << QStringList{"x", "p"};
        QTest::newRow("sup, keywords in a row") << sup << "thetaalphabetaomega" << QStringList{"q", "a", "b", "ω"};
        QTest::newRow("sup, a time") << sup << "Time: 3" << QStringList{"Time: 3"};
        QTest::newRow("sub, max after a letter") << sub << "xmax" << QStringList{"x", "max"};
        QTest::newRow("sub, omega unknown") << sub << "omega" << QStringList{"o", "m", "e", "g", "a"};
        QTest::newRow("sub, capital then the rest") << sub << "nAb" << QStringList{"n", "A", "b"};
        QTest::newRow("list, no commas") << list << "ab, xyz" << QStringList{"a", "b,", " ", "x", "y", "z"};
        QTest::newRow("term, minus pi") << term << "-pi" << QStringList{"-", "p"};
    }

    void markupOutsideThePagesUse()
    {
        QFETCH(Markup, draw);
        QFETCH(QString, input);
        QFETCH(QStringList, runs);
        Surface& s = scratchSurface();
        const float size = s.FontSize;
        float x = 10;
        draw(s, x, input);
        QCOMPARE(texts(s.ops()), runs);
        QCOMPARE(s.FontSize, size);
        QVERIFY(double(x) >= s.ops().back().x + s.ops().back().advance);
    }

    void wideCharactersFollowTheJapaneseCodePage()
    {
        QVERIFY(isWide(QStringLiteral("あ")));
        QVERIFY(isWide(QStringLiteral("最大値")));
        QVERIFY(isWide(QStringLiteral("α")));  // Greek is double-byte in the Japanese code page
        QVERIFY(!isWide(QStringLiteral("A")));
        QVERIFY(!isWide(QStringLiteral("ｱ")));  // half-width katakana is one byte
        QVERIFY(!isWide(QStringLiteral("한")));  // not in the code page at all
        QVERIFY(!isWide(QString()));
    }
};

QTEST_MAIN(TextRunTest)

#include "test_text.moc"
