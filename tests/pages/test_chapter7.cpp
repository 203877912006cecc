// Chapter 7 pages: integrals through Gamma and Beta, and Gauss's product for Gamma.
#include "canvas/drawing_state.h"
#include "fixture.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

double rightEdge(const DrawOp& op) { return float(op.x + op.advance); }

// Starts of every run of consecutive text ops that spell `texts`.
std::vector<int> sequences(const std::vector<DrawOp>& ops, const QStringList& texts)
{
    std::vector<int> found;
    for (int i = 0; i + int(texts.size()) <= int(ops.size()); ++i) {
        bool match = true;
        for (int k = 0; k < texts.size() && match; ++k) match = ops[i + k].text == texts[k];
        if (match) found.push_back(i);
    }
    return found;
}

const QStringList allPages{"7.9", "7.10", "7.11", "7.12", "7.13", "7.14"};

}  // namespace

class Chapter7Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }
    void cleanup() { loadedForm().pic.FontSize = ds.baseFontSize; }

    void headings_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("suffix");
        for (const QString& id : allPages)
            QTest::newRow(qPrintable(id)) << id << (id == QLatin1String("7.14") ? "　[追加問題]" : "　p. 144.");
    }

    // Heading first at the pen's start; one solution heading, at the margin, in both views.
    void headings()
    {
        QFETCH(QString, id);
        QFETCH(QString, suffix);
        const QRgb blue = resolveColor(ds.highlightColor);
        for (bool printView : {false, true}) {
            const auto ops = pageOps(id, printView);
            const long margin = printView ? printMargin() : 0;
            QVERIFY(!ops.empty());
            QCOMPARE(ops.front().text, QStringLiteral("[問題 ") + id + QStringLiteral("]") + suffix);
            QCOMPARE(ops.front().color, blue);
            QVERIFY(near(ops.front().x, margin));

            const QString solution = QStringLiteral("[解 ") + id + QStringLiteral("]：");
            QCOMPARE(textOpsEqual(ops, solution).size(), size_t(1));
            const DrawOp sol = firstText(ops, solution);
            QCOMPARE(sol.color, blue);
            QVERIFY(near(sol.x, margin));
        }
    }

    // The value is fixed text at the end of the last row; the small fractions
    // 1/4 and 5/4 are built from bare digits, without a leading space.
    void valueOf79IsText()
    {
        const auto ops = pageOps(QStringLiteral("7.9"));
        QCOMPARE(ops.back().text, QStringLiteral(")  =  1.81280"));
        QCOMPARE(ops.back().face, QStringLiteral("メイリオ"));
        QCOMPARE(float(ops.back().points), ds.baseFontSize);

        const float small = float(0.8 * ds.baseFontSize);
        int fives = 0;
        for (const DrawOp& op : ops) {
            QVERIFY2(!QRegularExpression(QStringLiteral("^ \\d$")).match(op.text).hasMatch(), "digit with a leading space");
            if (op.text == QLatin1String("5") && float(op.points) == small) ++fives;
        }
        QCOMPARE(fives, 1);
    }

    void rowAfterLastDenominator_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("lastBar");
        QTest::newRow("7.10") << "7.10" << "─────  ＝  ";
        QTest::newRow("7.12") << "7.12" << "────";
    }

    // The prose row after a two-level formula counts 1.5 lines from the
    // denominator line (12 below the formula's line), not from the formula's line.
    void rowAfterLastDenominator()
    {
        QFETCH(QString, id);
        QFETCH(QString, lastBar);
        for (bool printView : {false, true}) {
            const auto ops = pageOps(id, printView);
            const int bar = indexOf(ops, lastBar);
            QVERIFY(bar >= 0);
            const float denominatorY = float(ops[bar].y + 12.0);
            int next = bar + 1;
            while (next < int(ops.size()) && ops[next].y <= denominatorY + 1) ++next;
            QVERIFY(next < int(ops.size()));
            QVERIFY(near(ops[next].y, float(denominatorY + 1.5 * ds.lineH)));
            QVERIFY(near(ops[next].x, printView ? printMargin() : 0));
        }
    }

    // x = a + (b - a)u turns (b - x)^p (x - a)^q dx into (b - a)^(p+q+1) (1 - u)^p u^q du:
    // the factor carries p+q+1 on all three solution rows, and only the
    // superscript's width pushes the rest of each row to the right.
    void factorOf711CarriesItsPower()
    {
        const auto ops = pageOps(QStringLiteral("7.11"));
        const auto powers = sequences(ops, {")", "p", "+", "q", "+", "1"});
        QCOMPARE(powers.size(), size_t(3));

        const float small = float(ds.supScale * ds.baseFontSize);
        double previousY = 0;
        for (int at : powers) {
            const DrawOp& close = ops[at];
            QVERIFY(close.y > previousY);
            previousY = close.y;
            QCOMPARE(float(close.points), ds.baseFontSize);
            QCOMPARE(float(ops[at + 2].points), small);
            QCOMPARE(float(ops[at + 5].points), small);
            for (int k = 1; k <= 5; ++k) QVERIFY(ops[at + k].y < close.y);
        }

        // (b - a) then, as before, 8 px to the integral, 6 px to B, 8 px to the bar.
        const double end0 = rightEdge(ops[powers[0] + 5]) + 2;
        QVERIFY(near(ops[powers[0] + 6].x, end0 + 8, 0.51));
        const double end1 = rightEdge(ops[powers[1] + 5]) + 2;
        QCOMPARE(ops[powers[1] + 6].face, QStringLiteral("Symbol"));
        QVERIFY(near(ops[powers[1] + 6].x, float(end1 + 6)));
        const DrawOp& bar = ops[powers[2] + 6];
        QCOMPARE(bar.text, QStringLiteral("────────"));
        QVERIFY(near(bar.x, float(rightEdge(ops[powers[2] + 5]) + 2 + 8)));

        // The quotient Γ(p+1)Γ(q+1) / Γ(p+q+2) follows its bar.
        QVERIFY(indexAt(ops, QStringLiteral("G"), float(bar.x + 4), float(bar.y - 12)) > powers[2]);
        const int denominator = indexAt(ops, QStringLiteral("G"), float(bar.x + 2 * ds.chW), float(bar.y + 12));
        QVERIFY(denominator > powers[2]);
        QCOMPARE(sequences(ops, {"G", "(", "p", "+", "q", "+2)"}), std::vector<int>{denominator});
    }

    // The arrow is taken before the first "＝" is drawn and stands under it; its
    // label starts three character widths left of the arrow's right edge.
    void arrowOf713()
    {
        const auto ops = pageOps(QStringLiteral("7.13"));
        const int equals = indexOf(ops, QStringLiteral("＝  "));
        QVERIFY(equals >= 0);
        const double rowY = ops[equals].y;

        const DrawOp arrow = firstText(ops, QStringLiteral("↑"));
        QVERIFY(near(arrow.x, ops[equals].x));
        QVERIFY(near(arrow.y, float(rowY + 11.0) + 4.0));
        QCOMPARE(arrow.color, resolveColor(ds.highlightColor));
        QVERIFY(arrow.bold);

        const DrawOp label = firstText(ops, QStringLiteral("(7.22)"));
        QVERIFY(near(label.x, float(rightEdge(arrow) - 3.0 * ds.chW)));
        QVERIFY(near(label.y, float(float(rowY + 11.0) + 1.2 * ds.lineH)));
        QCOMPARE(float(label.points), float(0.8 * ds.baseFontSize));
        QCOMPARE(label.color, resolveColor(ds.textColor));
        QVERIFY(!label.bold);

        const Surface& pic = loadedForm().pic;
        QCOMPARE(pic.ForeColor, ds.textColor);
        QVERIFY(!pic.FontBold);
        QCOMPARE(pic.FontSize, ds.baseFontSize);
    }

    void limitDisplays_data()
    {
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("numeratorX");
        QTest::addColumn<QString>("numerator");
        QTest::newRow("(7.37)") << 0 << 80 << "n";
        QTest::newRow("first form") << 1 << 80 << "(";
        QTest::newRow("second form") << 2 << 40 << "m";
    }

    // Each numerator starts at a fixed offset from the end of the v → ∞ line,
    // whatever the width of its denominator; "lim" stands 10 above the row.
    void limitDisplays()
    {
        QFETCH(int, display);
        QFETCH(int, numeratorX);
        QFETCH(QString, numerator);
        const auto ops = pageOps(QStringLiteral("7.14"));
        const auto infinities = textOpsEqual(ops, QStringLiteral("∞"));
        const auto lims = textOpsEqual(ops, QStringLiteral("lim"));
        QCOMPARE(infinities.size(), size_t(3));
        QCOMPARE(lims.size(), size_t(3));

        const DrawOp& inf = infinities[display];
        const double limY = float(inf.y - 10.0);
        QVERIFY(near(lims[display].y, float(limY - 10.0)));
        QVERIFY(indexAt(ops, numerator, float(rightEdge(inf) + numeratorX), float(limY - 12.0)) >= 0);
    }

    void gaussProductTag()
    {
        for (bool printView : {false, true}) {
            const auto ops = pageOps(QStringLiteral("7.14"), printView);
            const DrawOp tag = firstText(ops, QStringLiteral("(7.37)"));
            QVERIFY(near(tag.x, ds.tab40));
            QVERIFY(near(tag.y, float(textOpsEqual(ops, QStringLiteral("lim")).front().y + 10.0)));
        }
    }

    void scalesFromSizeOnEntry_data()
    {
        QTest::addColumn<float>("entrySize");
        QTest::newRow("body size") << ds.baseFontSize;
        QTest::newRow("larger") << 15.0f;
        QTest::newRow("smaller") << 10.5f;
    }

    // "lim" and the exponents z keep their proportions to the size the page
    // found, and the page leaves that size in force.
    void scalesFromSizeOnEntry()
    {
        QFETCH(float, entrySize);
        loadedForm().pic.FontSize = entrySize;
        const auto ops = pageOps(QStringLiteral("7.14"));

        for (const DrawOp& lim : textOpsEqual(ops, QStringLiteral("lim")))
            QCOMPARE(float(lim.points), float(1.3 * entrySize));
        const float exponent = float(1.15 * float(0.8 * entrySize));
        int exponents = 0;
        for (const DrawOp& z : textOpsEqual(ops, QStringLiteral("z")))
            if (near(z.points, exponent)) ++exponents;
        QCOMPARE(exponents, 4);
        QCOMPARE(loadedForm().pic.FontSize, entrySize);
    }

    void drawsTheSameTwice_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("printView");
        for (const QString& id : allPages) {
            QTest::addRow("%s screen", qPrintable(id)) << id << false;
            QTest::addRow("%s print", qPrintable(id)) << id << true;
        }
    }

    // Marks and locals are written before they are read, and the font the
    // pages change is put back: another page in between changes nothing.
    void drawsTheSameTwice()
    {
        QFETCH(QString, id);
        QFETCH(bool, printView);
        const QString first = describe(pageOps(id, printView));
        for (const QString& other : allPages) pageOps(other, printView);
        QCOMPARE(describe(pageOps(id, printView)), first);
    }
};

QTEST_MAIN(Chapter7Test)
#include "test_chapter7.moc"
