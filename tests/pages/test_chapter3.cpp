// Chapter 3 pages: the Fourier transform pair and the transform of δ(x − a).
#include "canvas/drawing_state.h"
#include "fixture.h"

#include <QtTest>

namespace {

}  // namespace

class Chapter3Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void headings_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("3.2") << QStringLiteral("3.2");
        QTest::newRow("3.3") << QStringLiteral("3.3");
    }

    // The heading starts where the dispatcher put the pen; the solution heading
    // stands once at the margin; both in the highlight colour, in both views.
    void headings()
    {
        QFETCH(QString, id);
        const QRgb blue = resolveColor(ds.highlightColor);
        for (bool printView : {false, true}) {
            const auto ops = pageOps(id, printView);
            const long margin = printView ? printMargin() : 0;
            QVERIFY(!ops.empty());
            QCOMPARE(ops.front().text, QStringLiteral("[問題 %1]　p. 53.").arg(id));
            QCOMPARE(ops.front().color, blue);
            QVERIFY(near(ops.front().x, margin));
            QVERIFY(near(ops.front().y, float(0.5 * ds.lineH)));

            const QString solution = QStringLiteral("[解 %1]：").arg(id);
            QCOMPARE(textOpsEqual(ops, solution).size(), size_t(1));
            const DrawOp sol = firstText(ops, solution);
            QCOMPARE(sol.color, blue);
            QVERIFY(near(sol.x, margin));
        }
    }

    void printViewShifts_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<bool>("shifts");
        QTest::newRow("3.2 prose at the margin") << "3.2" << "を  " << 0 << true;
        QTest::newRow("3.2 hint at the margin") << "3.2" << "初学者は機械的に代入して" << 0 << true;
        QTest::newRow("3.2 transform at tab5") << "3.2" << "  ＝ " << 0 << false;
        QTest::newRow("3.2 right side at tab5") << "3.2" << "右辺  " << 0 << false;
        QTest::newRow("3.2 derivation column") << "3.2" << "＝  " << 2 << false;
        QTest::newRow("3.3 solution heading") << "3.3" << "[解 3.3]：" << 0 << true;
        QTest::newRow("3.3 evaluation at tab5") << "3.3" << ")  ＝  " << 0 << false;
    }

    // The print view moves the margin but not the tab stops measured at start-up.
    void printViewShifts()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(int, occurrence);
        QFETCH(bool, shifts);
        const DrawOp screen = nthText(pageOps(id, false), text, occurrence);
        const DrawOp print = nthText(pageOps(id, true), text, occurrence);
        QVERIFY2(near(print.x - screen.x, shifts ? printMargin() : 0),
                 qPrintable(QStringLiteral("screen %1, print %2").arg(screen.x).arg(print.x)));
        QVERIFY(near(print.y, screen.y));
    }

    // The three steps of the final derivation share one column, right of "右辺",
    // at 2 and then 1.5 lines apart; the transform rows sit at tab5.
    void derivationColumn()
    {
        const auto ops = pageOps(QStringLiteral("3.2"));
        const DrawOp rightSide = firstText(ops, QStringLiteral("右辺  "));
        QVERIFY(near(rightSide.x, ds.tab5));
        const auto steps = textOpsEqual(ops, QStringLiteral("＝  "));
        QCOMPARE(steps.size(), size_t(3));
        for (const DrawOp& step : steps) QVERIFY(near(step.x, float(rightSide.x + rightSide.advance)));
        QVERIFY(near(steps[0].y, rightSide.y));
        QVERIFY(near(steps[1].y - steps[0].y, 2 * ds.lineH));
        QVERIFY(near(steps[2].y - steps[1].y, 1.5 * ds.lineH));

        const auto mechanical = textOpsEqual(ops, QStringLiteral("  ＝  "));
        QCOMPARE(mechanical.size(), size_t(2));
        QVERIFY(near(mechanical[1].y - mechanical[0].y, 4 * ds.lineH));
    }

    // Only "積分変数 x" is highlighted; everything after it is back in the text colour.
    void highlightedPhrase()
    {
        const auto ops = pageOps(QStringLiteral("3.2"));
        const QRgb blue = resolveColor(ds.highlightColor);
        const int phrase = indexOf(ops, QStringLiteral("積分変数 "));
        QVERIFY(phrase > 0);
        QCOMPARE(ops[phrase].color, blue);
        QCOMPARE(ops[phrase + 1].text, QStringLiteral("x"));
        QCOMPARE(ops[phrase + 1].color, blue);
        QCOMPARE(ops[phrase - 1].color, resolveColor(ds.textColor));
        for (int i = phrase + 2; i < int(ops.size()); ++i)
            QVERIFY2(ops[i].color != blue, qPrintable(ops[i].text));
    }

    // F(k) = ∫ e^{−ikx} δ(x − a) dx = e^{−ika} is one row at tab5, 1.5 lines under
    // the solution heading; δ is the Symbol letter in both statement and solution.
    void deltaTransformRow()
    {
        const auto ops = pageOps(QStringLiteral("3.3"));
        const DrawOp sol = firstText(ops, QStringLiteral("[解 3.3]："));
        const DrawOp open = firstText(ops, QStringLiteral(")  ＝  "));
        const DrawOp result = firstText(ops, QStringLiteral("  ＝  "));
        QVERIFY(near(open.y - sol.y, 1.5 * ds.lineH));
        QVERIFY(near(result.y, open.y));
        QVERIFY(result.x > open.x);
        const int f = indexOf(ops, QStringLiteral("F"));
        QVERIFY(f > 0);
        QVERIFY(near(ops[f].x, ds.tab5));

        const auto deltas = textOpsEqual(ops, QStringLiteral("d"));
        int symbolDeltas = 0;
        for (const DrawOp& d : deltas) symbolDeltas += d.face == QLatin1String("Symbol") ? 1 : 0;
        QCOMPARE(symbolDeltas, 2);
    }

    void repeatable_data() { headings_data(); }

    // A page drawn again, even after another page, is the same; it leaves the body
    // size and the text colour on the surface.
    void repeatable()
    {
        QFETCH(QString, id);
        const QString first = describe(pageOps(id));
        pageOps(QStringLiteral("3.3") == id ? QStringLiteral("3.2") : QStringLiteral("3.3"));
        QCOMPARE(describe(pageOps(id)), first);
        QCOMPARE(loadedForm().pic.FontSize, ds.baseFontSize);
        QCOMPARE(loadedForm().pic.ForeColor, ds.textColor);
        QCOMPARE(ds.baseFontSize, 12.75f);
    }
};

QTEST_MAIN(Chapter3Test)
#include "test_chapter3.moc"
