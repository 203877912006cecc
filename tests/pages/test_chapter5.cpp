// Chapter 5 pages: Legendre, Hermite and associated Legendre functions, and
// the spherical harmonics of degree 1.
#include "canvas/drawing_state.h"
#include "fixture.h"

#include <QtTest>

namespace {

// The text op `text` drawn at (x, y), if any.
bool drawnAt(const std::vector<DrawOp>& ops, const QString& text, double x, double y)
{
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text && op.text == text && near(op.x, x) && near(op.y, y)) return true;
    return false;
}

const QString radicalSign = QString(QChar(214));

const QStringList allPages{"5.5", "5.9", "5.12", "5.13", "5.14", "5.15", "5.16", "5.17"};

}  // namespace

class Chapter5Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }
    void cleanup() { loadedForm().pic.FontSize = ds.baseFontSize; }

    void headings_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("solution");
        QTest::newRow("5.5") << "5.5" << "　p. 84." << "[解 5.5]：";
        QTest::newRow("5.9") << "5.9" << "　p. 107." << "[解 5.9]：  ";
        QTest::newRow("5.12") << "5.12" << "　p. 108." << "[解 5.12]：";
        QTest::newRow("5.13") << "5.13" << "　p. 108." << "[解 5.13]：";
        QTest::newRow("5.14") << "5.14" << "　p. 108." << "[解 5.14]：";
        QTest::newRow("5.15") << "5.15" << "　p. 108." << "[解 5.15]：";
        QTest::newRow("5.16") << "5.16" << "(追加問題) p. 82." << "[解 5.16]：";
        QTest::newRow("5.17") << "5.17" << "(追加問題) p. 37-38." << "[解 5.17]：";
    }

    void headings()
    {
        QFETCH(QString, id);
        QFETCH(QString, suffix);
        QFETCH(QString, solution);
        const QRgb blue = resolveColor(ds.highlightColor);
        for (bool printView : {false, true}) {
            const auto ops = pageOps(id, printView);
            const long margin = printView ? printMargin() : 0;
            QVERIFY(!ops.empty());
            QCOMPARE(ops.front().text, QStringLiteral("[問題 %1]").arg(id) + suffix);
            QCOMPARE(ops.front().color, blue);
            QVERIFY(near(ops.front().x, margin));
            QCOMPARE(textOpsEqual(ops, solution).size(), size_t(1));
            const DrawOp sol = firstText(ops, solution);
            QCOMPARE(sol.color, blue);
            QVERIFY(near(sol.x, margin));
        }
    }

    void equationTags_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("fromTab40");  // else measured from the margin
        QTest::addColumn<double>("columns");
        QTest::addColumn<QString>("rowText");  // first text drawn on the tag's row
        QTest::newRow("5.38") << "5.5" << "(5.38)" << true << 0.0 << ")  ≡  ";
        QTest::newRow("5.50") << "5.5" << "(5.50)" << true << 2.0 << "  ＝  ";
        QTest::newRow("5.47") << "5.5" << "(5.47)" << true << 3.0 << "  =  ";
        QTest::newRow("5.52") << "5.16" << "(5.52)" << false << 50.0 << " = ";
        QTest::newRow("5.53") << "5.16" << "(5.53)" << false << 50.0 << "= 0";
        QTest::newRow("2.46") << "5.17" << "(2.46)" << false << 40.0 << "= ";
        QTest::newRow("2.47") << "5.17" << "(2.47)" << false << 40.0 << "=  ";
        QTest::newRow("2.48") << "5.17" << "(2.48)" << false << 40.0 << " = ( 11";
    }

    // Each tag once, in its column, on the line of its formula, in both views.
    void equationTags()
    {
        QFETCH(QString, id);
        QFETCH(QString, tag);
        QFETCH(bool, fromTab40);
        QFETCH(double, columns);
        QFETCH(QString, rowText);
        for (bool printView : {false, true}) {
            const auto ops = pageOps(id, printView);
            const double origin = fromTab40 ? ds.tab40 : (printView ? printMargin() : 0);
            QCOMPARE(textOpsEqual(ops, tag).size(), size_t(1));
            const DrawOp t = firstText(ops, tag);
            QVERIFY2(near(t.x, float(origin + columns * ds.chW)), qPrintable(QString::number(t.x)));
            QVERIFY(near(t.y, firstText(ops, rowText).y));
        }
    }

    void reducedRows_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<double>>("points");  // one per occurrence, in drawing order
        const double body = 12.75;
        const double f80 = float(0.8 * body), f76 = float(0.76 * body);
        QTest::newRow("5.5 equals") << "5.5" << " ＝ " << QList<double>{f80, body};
        QTest::newRow("5.5 n+1") << "5.5" << "+1)" << QList<double>{body, body, f76, body};
        QTest::newRow("5.13 eigenvalue") << "5.13" << "  ＋ " << QList<double>{9, 10.5};
        QTest::newRow("5.13 tail") << "5.13" << " = 0" << QList<double>{9, 10.5};
        QTest::newRow("5.13 full rows") << "5.13" << "  ＝  0" << QList<double>{body, body, body};
        QTest::newRow("5.14 minus") << "5.14" << "  － " << QList<double>{10.5};
        QTest::newRow("5.14 tail") << "5.14" << "  ＝  0 " << QList<double>{10.5};
        QTest::newRow("5.14 full rows") << "5.14" << "  ＝  0" << QList<double>{body, body, body, body};
    }

    // Rows set at a fixed or reduced size, and the rows after them back at the body size.
    void reducedRows()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(QList<double>, points);
        const auto found = textOpsEqual(pageOps(id), text);
        QCOMPARE(int(found.size()), int(points.size()));
        for (int i = 0; i < int(found.size()); ++i)
            QVERIFY2(near(found[i].points, points[i], 1e-4), qPrintable(QString::number(found[i].points)));
        QCOMPARE(loadedForm().pic.FontSize, ds.baseFontSize);
    }

    void printViewShifts_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<bool>("shifts");
        QTest::newRow("5.5 prose") << "5.5" << "ルジャンドル多項式 " << 0 << true;
        QTest::newRow("5.5 tag at tab40") << "5.5" << "(5.38)" << 0 << false;
        QTest::newRow("5.5 formula at tab5") << "5.5" << ")  ≡  " << 0 << false;
        QTest::newRow("5.5 reduced row") << "5.5" << " ＝ " << 0 << true;
        QTest::newRow("5.9 harmonic") << "5.9" << ") = － " << 0 << false;
        QTest::newRow("5.12 statement label") << "5.12" << "(1)" << 0 << false;
        QTest::newRow("5.12 solution label") << "5.12" << "(3)" << 1 << false;
        QTest::newRow("5.12 prose") << "5.12" << "となるから" << 0 << true;
        QTest::newRow("5.13 equation at 3 chW") << "5.13" << "  ＋  " << 0 << false;
        QTest::newRow("5.13 equation at margin") << "5.13" << "  ＋  " << 1 << true;
        QTest::newRow("5.13 integral at tab5") << "5.13" << "  ＝  0  (" << 0 << false;
        QTest::newRow("5.14 equation at 3 chW") << "5.14" << "  ＋  " << 0 << false;
        QTest::newRow("5.14 equation at margin") << "5.14" << "  ＋  " << 1 << true;
        QTest::newRow("5.14 reduced row") << "5.14" << "  ＝  0 " << 0 << true;
        QTest::newRow("5.14 integral at tab5") << "5.14" << "  ＝  0" << 3 << false;
        QTest::newRow("5.15 identity at tab5") << "5.15" << "────  ＝  " << 0 << false;
        QTest::newRow("5.16 tag") << "5.16" << "(5.52)" << 0 << true;
        QTest::newRow("5.17 tag") << "5.17" << "(2.46)" << 0 << true;
    }

    // The print view moves the margin, not the tab stops or positions counted from the edge.
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

    // The solution's part labels stand one character from the surface's edge.
    void hermitePartLabels()
    {
        for (bool printView : {false, true}) {
            const auto ops = pageOps(QStringLiteral("5.12"), printView);
            for (const QString label : {"(1)", "(2)", "(3)"}) {
                QVERIFY(near(nthText(ops, label, 0).x, ds.tab5));
                QVERIFY(near(nthText(ops, label, 1).x, ds.chW));
            }
        }
    }

    // 1/√(1 − 2tx + t²): "1" over the bar, the radical at the bar's left end on the
    // denominator line, a short grey stroke up from the glyph and the vinculum.
    void generatingFunctionRadical()
    {
        const auto ops = pageOps(QStringLiteral("5.5"));
        const DrawOp bar = firstText(ops, QStringLiteral("────────  ＝  "));
        const double denominatorY = float(bar.y + 0.7 * ds.lineH);
        QVERIFY(drawnAt(ops, QStringLiteral("1"), float(bar.x + 4.5 * ds.chW), float(bar.y - 0.5 * ds.lineH)));
        QVERIFY(drawnAt(ops, QStringLiteral("1"), float(bar.x + 1.2 * ds.chW), denominatorY));

        const int glyph = indexOf(ops, radicalSign);
        QVERIFY(glyph > 0);
        QVERIFY(near(ops[glyph].x, bar.x));
        QVERIFY(near(ops[glyph].y, denominatorY));
        const DrawOp& hook = ops[glyph + 2];
        const DrawOp& vinculum = ops[glyph + 3];
        const QRgb grey = resolveColor(ds.lineColor);
        QCOMPARE(hook.kind, DrawOp::Line);
        QCOMPARE(hook.color, grey);
        QVERIFY(near(hook.x, float(ops[glyph].x + ops[glyph].advance - 1), 0.05));
        QVERIFY(near(hook.y, denominatorY));
        QVERIFY(near(hook.x2 - hook.x, 0) && near(hook.y2 - hook.y, -2));
        QCOMPARE(vinculum.kind, DrawOp::Line);
        QCOMPARE(vinculum.color, grey);
        QVERIFY(near(vinculum.x, hook.x2) && near(vinculum.y, hook.y2));
        QVERIFY(near(vinculum.x2 - vinculum.x, 10.5 * ds.chW, 0.05) && near(vinculum.y2, vinculum.y));
    }

    // Each √(3/4), √(3/2) of 5.9: the glyph 14 pixels below the row, then strokes
    // that continue one from another: a foot (not on the last row), the stem, the bar.
    void sphericalHarmonicRadicals()
    {
        const auto ops = pageOps(QStringLiteral("5.9"));
        std::vector<int> stems;
        for (int i = 0; i < int(ops.size()); ++i)
            if (ops[i].kind == DrawOp::Line && near(ops[i].x2 - ops[i].x, 5) && near(ops[i].y2 - ops[i].y, -24))
                stems.push_back(i);
        QCOMPARE(stems.size(), size_t(3));
        const QList<int> feet{1, 1, 0};
        const QList<QString> rowStarts{") = － ", ") = ", ") = "};
        for (int r = 0; r < 3; ++r) {
            const int stem = stems[r];
            const DrawOp& bar = ops[stem + 1];
            QCOMPARE(bar.kind, DrawOp::Line);
            QVERIFY(near(bar.x, ops[stem].x2) && near(bar.y, ops[stem].y2));
            QVERIFY(near(bar.x2 - bar.x, 2.5 * ds.chW, 0.05) && near(bar.y2, bar.y));
            int before = stem - 1;
            if (feet[r]) {
                QVERIFY(near(ops[before].x2 - ops[before].x, -1) && near(ops[before].y2, ops[before].y));
                QVERIFY(near(ops[before].x2, ops[stem].x) && near(ops[before].y2, ops[stem].y));
                --before;
            }
            QCOMPARE(ops[before].kind, DrawOp::Line);  // the radical's own zero-length bar
            QVERIFY(near(ops[before].x2, ops[before].x));
            const DrawOp& glyph = ops[before - 1];
            QCOMPARE(glyph.text, radicalSign);
            QVERIFY(near(glyph.y - nthText(ops, rowStarts[r], r == 0 ? 0 : r - 1).y, 14));
        }
    }

    // The associated Legendre equation is drawn twice, as one row each: its "＋" and
    // "＝ 0" share a line, and the rows stand where the page puts them.
    void associatedLegendreRows_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<double>("firstGap");   // lines below the solution heading
        QTest::addColumn<double>("secondGap");  // lines below the first equation
        QTest::newRow("5.13") << "5.13" << 1.8 << 3.3;
        QTest::newRow("5.14") << "5.14" << 1.5 << 2.0;
    }

    void associatedLegendreRows()
    {
        QFETCH(QString, id);
        QFETCH(double, firstGap);
        QFETCH(double, secondGap);
        const auto ops = pageOps(id);
        const DrawOp sol = firstText(ops, QStringLiteral("[解 %1]：").arg(id));
        const auto plus = textOpsEqual(ops, QStringLiteral("  ＋  "));
        const auto zero = textOpsEqual(ops, QStringLiteral("  ＝  0"));
        const auto lambdaFactor = textOpsEqual(ops, QStringLiteral("+1) "));
        QCOMPARE(plus.size(), size_t(2));
        QCOMPARE(lambdaFactor.size(), size_t(2));
        QVERIFY(zero.size() >= 2);
        QVERIFY(near(plus[0].y - sol.y, firstGap * ds.lineH));
        QVERIFY(near(plus[1].y - plus[0].y, secondGap * ds.lineH));
        for (int k = 0; k < 2; ++k) {
            QVERIFY(near(zero[k].y, plus[k].y));
            QVERIFY(near(lambdaFactor[k].y, plus[k].y));
            QVERIFY(plus[k].x < lambdaFactor[k].x && lambdaFactor[k].x < zero[k].x);
        }
    }

    // 5.14's stacked fractions: numerator and denominator at their offsets from the
    // bar, and the next row 1.5 lines below the denominator line.
    void weightedFractions()
    {
        const auto ops = pageOps(QStringLiteral("5.14"));
        const DrawOp shortBar = firstText(ops, QStringLiteral("────"));
        QVERIFY(drawnAt(ops, QStringLiteral("m"), shortBar.x, shortBar.y - 10));
        QVERIFY(drawnAt(ops, QStringLiteral("1"), shortBar.x + 4, shortBar.y + 12));

        const auto bars = textOpsEqual(ops, QStringLiteral("────────"));
        QCOMPARE(bars.size(), size_t(2));
        const QList<QString> nextRows{"したがって", "となる。これが求める関係である。"};
        for (int k = 0; k < 2; ++k) {
            QVERIFY(drawnAt(ops, QStringLiteral("1"), float(bars[k].x + 2.5 * ds.chW), bars[k].y + 14));
            QVERIFY(drawnAt(ops, QStringLiteral("P"), bars[k].x, bars[k].y - 14));
            QVERIFY(near(firstText(ops, nextRows[k]).y, float(bars[k].y + 14 + 1.5 * ds.lineH)));
        }
    }

    // 5.17 states its problem and ends on the empty solution.
    void variationalPageEndsAtSolutionHeading()
    {
        const auto ops = pageOps(QStringLiteral("5.17"));
        QVERIFY(ops.size() > 2);
        QCOMPARE(ops[ops.size() - 2].text, QStringLiteral("[解 5.17]："));
        QCOMPARE(ops.back().text, QStringLiteral("  "));
        QCOMPARE(textOpsEqual(ops, QStringLiteral("(1ー")).size(), size_t(1));
        QCOMPARE(textOpsEqual(ops, QStringLiteral(" ー 17")).size(), size_t(1));
    }

    void repeatable_data()
    {
        QTest::addColumn<QString>("id");
        for (const QString& id : allPages) QTest::newRow(qPrintable(id)) << id;
    }

    // Drawing a page again, even after a page with reduced rows, gives the same
    // operations, and leaves the body size and the text colour.
    void repeatable()
    {
        QFETCH(QString, id);
        const QString first = describe(pageOps(id));
        pageOps(QStringLiteral("5.13"));
        QCOMPARE(describe(pageOps(id)), first);
        QCOMPARE(loadedForm().pic.FontSize, ds.baseFontSize);
        QCOMPARE(loadedForm().pic.ForeColor, ds.textColor);
        QCOMPARE(ds.baseFontSize, 12.75f);
    }
};

QTEST_MAIN(Chapter5Test)
#include "test_chapter5.moc"
