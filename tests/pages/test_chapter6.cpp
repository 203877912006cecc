// Chapter 6 pages: the confluent hypergeometric equation and Laguerre polynomials.
#include "canvas/drawing_state.h"
#include "fixture.h"

#include <QtTest>

namespace {

int lastIndexOf(const std::vector<DrawOp>& ops, const QString& text)
{
    for (int i = int(ops.size()) - 1; i >= 0; --i)
        if (ops[i].kind == DrawOp::Text && ops[i].text == text) return i;
    return -1;
}

}  // namespace

class Chapter6Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void headings_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("solution");
        QTest::addColumn<bool>("printView");
        for (bool print : {false, true}) {
            const char* view = print ? "print" : "screen";
            QTest::addRow("6.1 %s", view) << "6.1" << "[問題 6.1]　p. 121." << "[解 6.1]：" << print;
            QTest::addRow("6.4 %s", view) << "6.4" << "[問題 6.4]　p. 121." << "[解 6.4]：" << print;
        }
    }

    // The heading is the page's first run, the solution heading starts a row at the margin.
    void headings()
    {
        QFETCH(QString, id);
        QFETCH(QString, heading);
        QFETCH(QString, solution);
        QFETCH(bool, printView);
        const auto ops = pageOps(id, printView);
        const long margin = printView ? printMargin() : 0;
        const QRgb blue = resolveColor(ds.highlightColor);

        QVERIFY(!ops.empty());
        QCOMPARE(ops.front().text, heading);
        QCOMPARE(ops.front().color, blue);
        QVERIFY(near(ops.front().x, margin));
        QVERIFY(near(ops.front().y, float(0.5 * ds.lineH)));

        const DrawOp sol = firstText(ops, solution);
        QCOMPARE(sol.color, blue);
        QVERIFY(near(sol.x, margin));
        QCOMPARE(textOpsEqual(ops, solution).size(), size_t(1));
    }

    void equationTags_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("tags");
        QTest::addRow("6.1") << "6.1" << QStringList{"(6.6)", "(6.9)"};
        QTest::addRow("6.4") << "6.4" << QStringList{"(5.75)  ", "(6.6)"};
    }

    // Tags stand at tab40 in both views, in the order the page shows them.
    void equationTags()
    {
        QFETCH(QString, id);
        QFETCH(QStringList, tags);
        for (bool printView : {false, true}) {
            const auto ops = pageOps(id, printView);
            int previous = -1;
            for (const QString& tag : tags) {
                const int i = indexOf(ops, tag);
                QVERIFY2(i > previous, qPrintable(tag));
                QVERIFY(near(ops[i].x, ds.tab40));
                previous = i;
            }
        }
    }

    void equationRowsStayInPrint_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("tag");
        QTest::addRow("6.1 Kummer") << "6.1" << "(6.6)";
        QTest::addRow("6.4 Laguerre") << "6.4" << "(5.75)  ";
        QTest::addRow("6.4 Kummer") << "6.4" << "(6.6)";
    }

    // The whole tagged row starts at 5 chW from the edge and keeps its place in
    // the print view, while the prose row after it moves by the margin.
    void equationRowsStayInPrint()
    {
        QFETCH(QString, id);
        QFETCH(QString, tag);
        const auto screen = pageOps(id, false);
        const auto print = pageOps(id, true);
        QCOMPARE(print.size(), screen.size());

        const int first = indexOf(screen, tag);
        const int last = indexOf(screen, QStringLiteral("  ＝  0"), first);
        QVERIFY(first >= 0 && last > first);
        QVERIFY(near(screen[first + 1].x, 5.0 * ds.chW));
        for (int i = first; i <= last; ++i) {
            QCOMPARE(print[i].text, screen[i].text);
            QVERIFY2(near(print[i].x, screen[i].x), qPrintable(screen[i].text));
            QVERIFY(near(print[i].y, screen[i].y));
        }
        QVERIFY(near(print[last + 1].x - screen[last + 1].x, printMargin()));
    }

    // (1 - c)/x in the first derivative: 11 above and 10 below the row.
    void firstDerivativeFractionOffsets()
    {
        const auto ops = pageOps(QStringLiteral("6.1"));
        const int bar = indexOf(ops, QStringLiteral("──"));
        QVERIFY(bar >= 0);
        QCOMPARE(ops[bar + 1].text, QStringLiteral("─"));
        const double markX1 = ops[bar].x;
        const double markY = ops[bar].y;

        QVERIFY(indexAt(ops, QStringLiteral("1"), float(markX1 + 2.0), float(markY - 11.0)) > bar);
        const int x = indexAt(ops, QStringLiteral("x"), float(markX1 + 19.0), float(markY + 10.0));
        QVERIFY(x > bar);
        QVERIFY(ops[x].italic);
    }

    // 2(1 - c)/x and (1 - c)(-c)/x² in the second derivative: 12 above; 11 and 13 below.
    void secondDerivativeFractionOffsets()
    {
        const auto ops = pageOps(QStringLiteral("6.1"));
        const int bar2 = indexOf(ops, QStringLiteral("────"));
        const int bar3 = indexOf(ops, QStringLiteral("──────"));
        QVERIFY(bar2 >= 0 && bar3 > bar2);
        const double markY = ops[bar2].y;
        QVERIFY(near(ops[bar3].y, markY));
        const double markX2 = ops[bar2].x;
        const double markX3 = ops[bar3].x;
        const float numY = float(markY - 12.0);

        QVERIFY(indexAt(ops, QStringLiteral("2"), float(markX2 + 2.0), numY) > bar3);
        QVERIFY(indexAt(ops, QStringLiteral("("), markX3, numY) > bar3);
        QVERIFY(indexAt(ops, QStringLiteral("x"), float(markX2 + 3.0 * ds.chW), float(markY + 11.0)) > bar3);
        const int xSquared = indexAt(ops, QStringLiteral("x"), float(markX3 + 4.0 * ds.chW), float(markY + 13.0));
        QVERIFY(xSquared > bar3);
        QCOMPARE(ops[xSquared + 1].text, QStringLiteral("2"));
        QVERIFY(ops[xSquared + 1].y < ops[xSquared].y);
    }

    // In F(-n, 1; x) the minus is the text "-": no spaced sign around it.
    void kummerArgumentMinusIsPlainText()
    {
        const auto ops = pageOps(QStringLiteral("6.4"));
        const int minus = lastIndexOf(ops, QStringLiteral("-"));
        QVERIFY(minus > 0);
        const DrawOp& paren = ops[minus - 1];
        const DrawOp& n = ops[minus + 1];
        QCOMPARE(paren.text, QStringLiteral("("));
        QCOMPARE(n.text, QStringLiteral("n"));
        QCOMPARE(ops[minus].face, QStringLiteral("Courier New"));
        QVERIFY(near(ops[minus].x, float(paren.x + paren.advance) + 2.0));
        QVERIFY(near(n.x, float(ops[minus].x + ops[minus].advance) + 2.0));
        QVERIFY(near(ops[minus].y, paren.y));
    }

    void drawsTheSameTwice_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("printView");
        for (const char* id : {"6.1", "6.4"}) {
            QTest::addRow("%s screen", id) << QString::fromLatin1(id) << false;
            QTest::addRow("%s print", id) << QString::fromLatin1(id) << true;
        }
    }

    // The marks are written before they are read: nothing carries over between drawings.
    void drawsTheSameTwice()
    {
        QFETCH(QString, id);
        QFETCH(bool, printView);
        const QString first = describe(pageOps(id, printView));
        pageOps(id == QLatin1String("6.1") ? QStringLiteral("6.4") : QStringLiteral("6.1"), printView);
        QCOMPARE(describe(pageOps(id, printView)), first);
    }
};

QTEST_MAIN(Chapter6Test)
#include "test_chapter6.moc"
