// Chapter-1 pages: what a slip in a page's sequence of pen moves would break,
// read back from the drawing operations of the screen and print views.
#include "fixture.h"

#include <QTest>
#include <cmath>

namespace {

const QStringList chapter1Ids = {"1.8a", "1.8", "1.11", "1.12", "1.13", "1.14", "1.15", "1.16", "1.17"};

#define QVERIFY_NEAR(actual, expected)                                                                          \
    QVERIFY2(near((actual), (expected), 1e-3),                                                                         \
             qPrintable(QStringLiteral("%1 is %2, expected %3").arg(#actual).arg(actual).arg(expected)))

float margin(bool printView) { return printView ? float(roundHalfEven(2.0 * ds.chW)) : 0.0f; }

Surface& surfaceOf(bool printView) { return printView ? loadedForm().pic2 : loadedForm().pic; }

// Index of the first operation of `kind` matching `pred`, or -1.
template <typename Pred>
int indexOf(const std::vector<DrawOp>& ops, DrawOp::Kind kind, Pred pred)
{
    for (size_t i = 0; i < ops.size(); ++i)
        if (ops[i].kind == kind && pred(ops[i])) return int(i);
    return -1;
}

bool isSegment(const DrawOp& op, double x1, double y1, double x2, double y2)
{
    return near(op.x, x1) && near(op.y, y1) && near(op.x2, x2) && near(op.y2, y2);
}

// One row per view, for tests that take only the view.
void bothViews()
{
    QTest::addColumn<bool>("printView");
    QTest::newRow("screen") << false;
    QTest::newRow("print") << true;
}

}  // namespace

class TestChapter1 : public QObject {
    Q_OBJECT

private slots:
    void headingAndSolutionHeading_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("printView");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("solution");
        const struct {
            const char* id;
            const char* suffix;
            const char* solution;
        } pages[] = {
            {"1.8a", " (追加問題)", "[解 1.8a]"},   {"1.8", "　p. 13.", "[解 1.8]："},
            {"1.11", "　p. 16.", "[解 1.11]："},    {"1.12", "　p. 16.", "[解 1.12]："},
            {"1.13", "　p. 16.", "[解 1.13]："},    {"1.14", "　p. 16.", "[解 1.14]："},
            {"1.15", "　p. 16.", "[解 1.15]："},    {"1.16", "　p. 16", "[解 1.16]："},
            {"1.17", "　(追加問題)　", "[解 1.17]："},
        };
        for (const auto& p : pages)
            for (bool printView : {false, true})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(p.id, printView ? "print" : "screen")))
                    << QString::fromUtf8(p.id) << printView << QString::fromUtf8(p.suffix)
                    << QString::fromUtf8(p.solution);
    }

    void headingAndSolutionHeading()
    {
        QFETCH(QString, id);
        QFETCH(bool, printView);
        QFETCH(QString, suffix);
        QFETCH(QString, solution);
        const auto ops = pageOps(id, printView);
        const QRgb highlight = resolveColor(ds.highlightColor);

        const auto texts = opsOfKind(ops, DrawOp::Text);
        QVERIFY(!texts.empty());
        const DrawOp heading = texts.front();
        QCOMPARE(heading.text, QStringLiteral("[問題 ") + id + QStringLiteral("]") + suffix);
        QVERIFY_NEAR(heading.x, margin(printView));
        QVERIFY_NEAR(heading.y, float(0.5 * ds.lineH));
        QCOMPARE(heading.color, highlight);

        const DrawOp solutionHeading = firstText(ops, solution);
        QCOMPARE(solutionHeading.color, highlight);
        QVERIFY_NEAR(solutionHeading.x, margin(printView));
        QVERIFY(solutionHeading.y > heading.y);
    }

    // Tags stand on the row of their formula, in the page's tag column.
    void equationTags_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("printView");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("atTab40");
        QTest::addColumn<QString>("rowText");
        for (bool printView : {false, true}) {
            const char* view = printView ? "print" : "screen";
            // "(1.38b)" is 0.6 line below its determinants' top, level with the "・" between them.
            QTest::newRow(qPrintable(QStringLiteral("1.38a %1").arg(view)))
                << "1.8a" << printView << "(1.38a)" << false << " = ";
            QTest::newRow(qPrintable(QStringLiteral("1.38b %1").arg(view)))
                << "1.8a" << printView << "(1.38b)" << false << "・";
            QTest::newRow(qPrintable(QStringLiteral("1.11 %1").arg(view)))
                << "1.12" << printView << "(1.11)" << true << "  =  ";
        }
    }

    void equationTags()
    {
        QFETCH(QString, id);
        QFETCH(bool, printView);
        QFETCH(QString, tag);
        QFETCH(bool, atTab40);
        QFETCH(QString, rowText);
        const auto ops = pageOps(id, printView);
        const DrawOp tagOp = firstText(ops, tag);
        const double column = atTab40 ? double(ds.tab40) : double(float(40.0 * ds.chW + margin(printView)));
        QVERIFY_NEAR(tagOp.x, column);
        QVERIFY_NEAR(tagOp.y, firstText(ops, rowText).y);
    }

    void tag138bIsMidRowOfDeterminants()
    {
        const auto ops = pageOps("1.8a");
        const DrawOp tag = firstText(ops, "(1.38b)");
        // The first determinant after the statement starts at tab5; its left bar spans two lines.
        const int bar = indexOf(ops, DrawOp::Line, [](const DrawOp& op) {
            return near(op.x, ds.tab5) && near(op.x2, ds.tab5) && near(op.y2 - op.y, 2.0 * ds.lineH);
        });
        QVERIFY(bar >= 0);
        QVERIFY_NEAR(tag.y, float(ops[size_t(bar)].y + 0.6 * ds.lineH));
    }

    // In the print view, rows from the left margin move right by the margin; rows at
    // a tab stop or placed from the surface's left edge stay.
    void printViewShift_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<bool>("moves");
        const struct {
            const char* id;
            const char* text;
            int occurrence;
            bool moves;
        } rows[] = {
            {"1.8a", "(1.38a)", 0, true},
            {"1.8a", "[解 1.8a]", 0, true},
            {"1.8a", "[右辺] = ", 0, false},   // at tab5
            {"1.8a", "[右辺] = ", 1, false},   // at chW from the left edge
            {"1.8a", "[右辺] = (", 0, false},  // at chW from the left edge
            {"1.8", "(1)", 0, true},
            {"1.8", "左辺 = ", 0, true},
            {"1.8", "右辺 = ", 0, true},
            {"1.8", "─", 0, false},
            {"1.8", "(2)", 1, true},
            {"1.11", "  ＝  ", 0, false},
            {"1.11", "[解 1.11]：", 0, true},
            {"1.12", "(1.11)", 0, false},
            {"1.12", "  =  ", 1, false},
            {"1.13", "   =  0", 0, false},
            {"1.14", "[解 1.14]：", 0, true},
            {"1.14", "  =  －", 0, false},
            {"1.15", "(内接条件)", 0, false},
            {"1.15", "[解 1.15]：", 0, true},
            {"1.16", "　＝　", 0, false},
            {"1.16", "＝", 0, false},
            {"1.16", "＝ ", 0, false},
            {"1.16", "=  ", 0, false},
            {"1.16", "[解 1.16]：", 0, true},
            {"1.17", "┗━━━━━━━━━━━┛", 0, false},
            {"1.17", "[解 1.17]：", 0, true},
        };
        for (const auto& r : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2 #%3").arg(r.id, r.text).arg(r.occurrence)))
                << QString::fromUtf8(r.id) << QString::fromUtf8(r.text) << r.occurrence << r.moves;
    }

    void printViewShift()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(int, occurrence);
        QFETCH(bool, moves);
        const DrawOp screen = nthText(pageOps(id, false), text, occurrence);
        const DrawOp print = nthText(pageOps(id, true), text, occurrence);
        QVERIFY_NEAR(print.x - screen.x, moves ? margin(true) : 0.0);
        QVERIFY_NEAR(print.y, screen.y);
    }

    void rightSideRowsStartAtOneUnitWidth()
    {
        for (bool printView : {false, true}) {
            const auto ops = pageOps("1.8a", printView);
            QVERIFY_NEAR(nthText(ops, "[右辺] = ", 1).x, ds.chW);
            QVERIFY_NEAR(firstText(ops, "[右辺] = (").x, ds.chW);
        }
    }

    void cancellationStrokes_data() { bothViews(); }

    // Two magenta strokes of width 2 on each Jacobian line: line 1 strikes the
    // denominator first, line 2 the numerator first.
    void cancellationStrokes()
    {
        QFETCH(bool, printView);
        const auto ops = pageOps("1.8", printView);
        const QRgb magenta = resolveColor(ds.markColor);
        std::vector<DrawOp> strokes;
        for (const DrawOp& op : opsOfKind(ops, DrawOp::Line))
            if (op.color == magenta) strokes.push_back(op);
            else QCOMPARE(op.width, 1);
        QCOMPARE(int(strokes.size()), 4);

        const double lineY[] = {firstText(ops, "左辺 = ").y, firstText(ops, "右辺 = ").y};
        const bool firstIsUpper[] = {false, true};
        for (int line = 0; line < 2; ++line) {
            const double y = lineY[line];
            const DrawOp& first = strokes[size_t(2 * line)];
            const DrawOp& second = strokes[size_t(2 * line + 1)];
            QVERIFY(first.x < second.x);
            for (const DrawOp* s : {&first, &second}) {
                QCOMPARE(s->width, 2);
                QVERIFY_NEAR(s->x2 - s->x, float(5.5 * ds.chW));
                const bool upper = (s == &first) == firstIsUpper[line];
                QVERIFY_NEAR(s->y, y + (upper ? 8 : 34));
                QVERIFY_NEAR(s->y2, y + (upper ? -7 : 20));
            }
        }
        QCOMPARE(surfaceOf(printView).DrawWidth, 1);
    }

    void heatRatioFractionIsFourTextRules()
    {
        const auto ops = pageOps("1.8");
        const auto rules = textOpsEqual(ops, "─");
        QCOMPARE(int(rules.size()), 2);
        QCOMPARE(int(textOpsEqual(ops, "─  =  ").size()), 1);
        QCOMPARE(int(textOpsEqual(ops, "─　が成り立つことを示せ。").size()), 1);
        QVERIFY_NEAR(rules[0].x, ds.tab5);
    }

    // With dU = T dS + E dD, constant E plays the part of constant pressure: the
    // dielectric's ratio is C_E / C_D, and the sentence names the heats in that order.
    void dielectricHeatRatioPutsConstantFieldOnTop()
    {
        const auto ops = pageOps("1.8");
        auto textsAfter = [&](const QString& run, int count) {
            QStringList drawn;
            for (int i = indexOf(ops, run) + 1; i > 0 && i < int(ops.size()) && drawn.size() < count; ++i)
                drawn << ops[size_t(i)].text;
            return drawn;
        };
        QCOMPARE(textsAfter(QStringLiteral("たとえば誘電体では "), 12),
                 QStringList({"C", "E", " / ", "C", "D", " = ", "e", "T", " / ", "e", "S", " が成り立つ。"}));
        QCOMPARE(textsAfter(QStringLiteral("それぞれ "), 4), QStringList({"E", ",", " ", "D"}));
    }

    void bracketRiseStaysFourAfterPage112()
    {
        ds.bracketRise = 0;
        pageOps("1.12");
        QCOMPARE(ds.bracketRise, 4L);
        pageOps("1.8a");
        QCOMPARE(ds.bracketRise, 4L);
    }

    void lagrangeFigure_data() { bothViews(); }

    // The figure hangs 8 lines below the solution heading, on the tag column.
    void lagrangeFigure()
    {
        QFETCH(bool, printView);
        const auto ops = pageOps("1.15", printView);
        const double yS = double(roundHalfEven(firstText(ops, "[解 1.15]：").y));
        const double F = double(roundHalfEven(40.0 * ds.chW + margin(printView)));
        const double H = double(roundHalfEven(8.0 * ds.lineH + yS));

        const int box = indexOf(ops, DrawOp::Box, [&](const DrawOp& op) {
            return isSegment(op, F - 30, H, F + 30, H - 22.5) && op.color == qRgb(0, 200, 0);
        });
        QVERIFY(box >= 0);
        const int corner = indexOf(ops, DrawOp::Circle, [&](const DrawOp& op) {
            return near(op.x, F + 30) && near(op.y, H - 22.5) && near(op.radius, 2);
        });
        QVERIFY(corner >= 0);
        QCOMPARE(ops[size_t(corner)].color, resolveColor(ds.highlightColor));

        const QRgb grey = resolveColor(ds.lineColor);
        const auto segment = [&](double x1, double y1, double x2, double y2) {
            return indexOf(ops, DrawOp::Line, [&](const DrawOp& op) { return isSegment(op, x1, y1, x2, y2); });
        };
        const int axes[] = {segment(F - 48, H, F + 48, H), segment(F, H + 10, F, H - 98)};
        const int triangle[] = {segment(F - 40, H, F, H - 90), segment(F, H - 90, F + 40, H),
                                segment(F + 40, H, F - 40, H)};
        for (int i : axes) {
            QVERIFY(i > box);
            QCOMPARE(ops[size_t(i)].color, grey);
        }
        for (int i : triangle) {
            QVERIFY(i > box);
            QVERIFY(ops[size_t(i)].color != grey);
        }
        QCOMPARE(triangle[1], triangle[0] + 1);
        QCOMPARE(triangle[2], triangle[1] + 1);

        const auto small = [&](const QString& text, double x, double y) {
            const int i = indexOf(ops, DrawOp::Text, [&](const DrawOp& op) {
                return op.text == text && near(op.x, x) && near(op.y, y);
            });
            QVERIFY2(i >= 0, qPrintable(text));
            QVERIFY_NEAR(ops[size_t(i)].points, float(0.8 * ds.baseFontSize));
        };
        small("(", F + 38, H - 34.5);
        QVERIFY(indexOf(ops, DrawOp::Text, [&](const DrawOp& op) {
                    return op.text == "h" && near(op.x, F + 8) && near(op.y, H - 98);
                }) >= 0);
    }

    void sphericalDeterminantBars_data() { bothViews(); }

    // The determinants are placed from the surface's left edge: their bars do not move.
    void sphericalDeterminantBars()
    {
        QFETCH(bool, printView);
        const auto ops = pageOps("1.16", printView);
        const double w = ds.chW;
        const double h = ds.lineH;
        const struct {
            double x, length;
        } bars[] = {
            {13 * w - 12, 5 * h},  {21 * w + 34, 5 * h},    // definition
            {8 * w - 13, 3 * h},   {30 * w + 11.6 * w, 3 * h},  // evaluated entries
            {8 * w - 12, 3.2 * h}, {30 * w + 12 * w, 3.2 * h},  // after the row operation
            {19 * w - 14, 2 * h},  {42 * w, 2 * h},          // the 2 x 2 minor
        };
        for (const auto& bar : bars) {
            const int i = indexOf(ops, DrawOp::Line, [&](const DrawOp& op) {
                return std::abs(op.x - float(bar.x)) < 1e-3 && near(op.x2, op.x) &&
                       std::abs(op.y2 - op.y - bar.length) < 1e-2;
            });
            QVERIFY2(i >= 0, qPrintable(QStringLiteral("no bar at x %1 of length %2").arg(bar.x).arg(bar.length)));
        }
        QCOMPARE(surfaceOf(printView).FontSize, ds.baseFontSize);
    }

    // The exponent after each factorial fraction starts 5 pixels after its bar.
    void factorialFractions()
    {
        const auto ops = pageOps("1.17");
        int fractions = 0;
        for (const DrawOp& bar : opsOfKind(ops, DrawOp::Line)) {
            if (!near(bar.y, bar.y2) || !near(bar.x2 - bar.x, float(6.5 * ds.chW))) continue;
            ++fractions;
            const double y0 = bar.y - 12;
            QVERIFY(indexOf(ops, DrawOp::Text, [&](const DrawOp& op) {
                        return op.text == "x" && near(op.x, bar.x2 + 5) && near(op.y, y0);
                    }) >= 0);
            QVERIFY(indexOf(ops, DrawOp::Text, [&](const DrawOp& op) {
                        return op.text == "N" && near(op.x, float(bar.x + 2.0 * ds.chW)) && near(op.y, y0 - 9);
                    }) >= 0);
        }
        QCOMPARE(fractions, 2);

        const DrawOp bracket = firstText(ops, "┗━━━━━━━━━━━┛");
        QCOMPARE(bracket.color, resolveColor(ds.highlightColor));
        const DrawOp count = firstText(ops, "個");
        QVERIFY_NEAR(count.y - bracket.y, 15.0);
        QVERIFY(count.x > bracket.x + 90);
    }

    void pagesAreRepeatable_data()
    {
        QTest::addColumn<QString>("id");
        for (const QString& id : chapter1Ids) QTest::newRow(qPrintable(id)) << id;
    }

    // Same operations however often, and whichever page came before; the size is back at the body size.
    void pagesAreRepeatable()
    {
        QFETCH(QString, id);
        for (bool printView : {false, true}) {
            const QString first = describe(pageOps(id, printView));
            pageOps("1.16", printView);
            QCOMPARE(describe(pageOps(id, printView)), first);
            QCOMPARE(surfaceOf(printView).FontSize, ds.baseFontSize);
            QCOMPARE(surfaceOf(printView).DrawWidth, 1);
        }
    }
};

QTEST_MAIN(TestChapter1)
#include "test_chapter1.moc"
