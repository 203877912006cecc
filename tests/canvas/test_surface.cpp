// The surface, the font table and the drawing state's pen operations and set-up.
#include "canvas/drawing_state.h"
#include "canvas/fonts.h"
#include "fixture.h"

#include <QApplication>
#include <QImage>
#include <QtTest>

class SurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void printAdvancesByTheMeasuredWidthAndKeepsTheLine()
    {
        Surface s(200, 100);
        s.FontSize = 12.75f;
        s.CurrentX = 10.5f;
        s.CurrentY = 7;
        s.Print(QStringLiteral("Velkora"));
        QCOMPARE(s.ops().size(), size_t(1));
        QCOMPARE(s.CurrentX, float(10.5 + s.TextWidth(QStringLiteral("Velkora"))));
        QCOMPARE(s.CurrentY, 7.0f);
        QCOMPARE(s.ops()[0].x, 10.5);
        QCOMPARE(s.ops()[0].y, 7.0);

        s.Print(QString());
        QCOMPARE(s.ops().size(), size_t(1));

        s.Cls();
        QVERIFY(s.ops().empty());
        QCOMPARE(s.CurrentX, 0.0f);
    }

    void strokesContinueFromWhereTheLastEnded()
    {
        Surface s(200, 100);
        s.Line(10, 20, 30, 40, vbRGB(255, 0, 255));
        s.LineStep(-1, 0);
        s.LineStep(5, -24);
        const auto& ops = s.ops();
        QCOMPARE(ops.size(), size_t(3));
        QCOMPARE(QColor(ops[0].color), QColor(255, 0, 255));
        QCOMPARE(ops[1].x, 30.0);
        QCOMPARE(ops[1].x2, 29.0);
        QCOMPARE(ops[2].x, 29.0);
        QCOMPARE(ops[2].y2, 16.0);
        QCOMPARE(QColor(ops[2].color), QColor(resolveColor(s.ForeColor)));
    }

    void coloursAreReadInTheWindowsByteOrder()
    {
        QCOMPARE(QColor(resolveColor(vbRGB(0, 0, 255))), QColor(0, 0, 255));
        QCOMPARE(QColor(resolveColor(0x0000FFu)), QColor(255, 0, 0));
        QCOMPARE(QColor(resolveColor(systemButtonText)),
                 QGuiApplication::palette().color(QPalette::ButtonText));
    }

    void bodySizeIsSeventeenPixelsAndScalesLinearly()
    {
        const FontTable& fonts = FontTable::current();
        QCOMPARE(pointsToPixels(12.75), 17.0);
        const QString text = QStringLiteral("∂(u, v) ＝ 変数");
        const double small = fonts.width(QStringLiteral("メイリオ"), 17, false, false, text);
        const double large = fonts.width(QStringLiteral("メイリオ"), 34, false, false, text);
        // Unhinted: the layout at one size is the layout at another, scaled (hinting
        // would round every advance to whole pixels).
        QVERIFY2(qAbs(large - 2 * small) < 0.25, qPrintable(QStringLiteral("%1 vs %2").arg(small).arg(large)));
    }

    void symbolFaceSitsOnItsBoundingBox()
    {
        const FontTable& fonts = FontTable::current();
        if (!fonts.familyFor(QStringLiteral("Symbol")).startsWith(QStringLiteral("Standard Symbols PS")))
            QSKIP("the stand-in symbol face is not installed");
        const FaceMetrics m = fonts.metrics(QStringLiteral("Symbol"), 17, false, false);
        // The face's own ascent (0.75 em) would float Greek letters like superscripts.
        QVERIFY(qAbs(m.ascent - 1.010 * 17) < 0.2);
        QVERIFY(qAbs(m.descent - 0.293 * 17) < 0.2);
    }

    void fontTableTakesTheRealFaceFirstThenItsStandIn()
    {
        FontTable withReal({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")});
        QCOMPARE(withReal.familyFor(QStringLiteral("Times New Roman")), QStringLiteral("Times New Roman"));
        FontTable standIn({QStringLiteral("Liberation Serif"), QStringLiteral("C059")});
        QCOMPARE(standIn.familyFor(QStringLiteral("Times New Roman")), QStringLiteral("Liberation Serif"));
        QCOMPARE(standIn.familyFor(QStringLiteral("Century")), QStringLiteral("C059"));
        // A face the table does not know is asked for by its own name.
        QCOMPARE(standIn.familyFor(QStringLiteral("Arial")), QStringLiteral("Arial"));
    }

    // The prose face measures Latin as the Windows face it was spaced for, and draws
    // everything a Japanese face draws at a full em in the CJK family.
    void proseFaceTakesLatinFromTheWideFamilyAndTheRestFromTheCjkOne()
    {
        const QString meiryo = QStringLiteral("メイリオ");
        FontTable standIn({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Bitstream Vera Sans")});
        std::vector<std::pair<QString, QString>> pieces;
        for (const FacePiece& p : standIn.pieces(meiryo, QStringLiteral("[問題 5.9]　p. 107 ∞×→≠≡§─")))
            pieces.emplace_back(p.text, p.family);
        const QString vera = QStringLiteral("Bitstream Vera Sans"), noto = QStringLiteral("Noto Sans CJK JP");
        const std::vector<std::pair<QString, QString>> expected = {
            {"[", vera}, {"問題", noto}, {" 5.9]", vera}, {"　", noto}, {"p. 107 ", vera}, {"∞×→≠≡§─", noto}};
        QCOMPARE(pieces, expected);
        if (!FontTable::current().fontExists(vera)) QSKIP("Bitstream Vera Sans is not installed");
        QCOMPARE(standIn.width(meiryo, 17, false, false, QStringLiteral("A")), 11.625);
        QVERIFY(qAbs(standIn.width(meiryo, 17, false, false, QStringLiteral("─")) - 17) < 0.05);
        const QString mixed = QStringLiteral("p. 107。");
        QCOMPARE(standIn.width(meiryo, 17, false, false, mixed),
                 standIn.width(meiryo, 17, false, false, QStringLiteral("p. 107")) +
                     standIn.width(meiryo, 17, false, false, QStringLiteral("。")));
        // The line cell stays the CJK family's.
        QCOMPARE(standIn.metrics(meiryo, 17, false, false).height(),
                 FontTable({noto}).metrics(meiryo, 17, false, false).height());
        // A reader with the real face gets it whole.
        FontTable real({QStringLiteral("Meiryo"), noto, vera});
        QCOMPARE(real.pieces(meiryo, QStringLiteral("p. 問題")).size(), size_t(1));
        QCOMPARE(real.familyFor(meiryo), QStringLiteral("Meiryo"));
    }

    void fontTableKnowsFamiliesByTheirOtherNames()
    {
        FontTable japanese({QStringLiteral("IPAゴシック")}, {{QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")}});
        QCOMPARE(japanese.familyFor(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAゴシック"));
        QVERIFY(!japanese.fontExists(QStringLiteral("IPAGothic")));
    }

    void fontExistsComparesExactNames()
    {
        FontTable table({QStringLiteral("Bookman Old Style")});
        QVERIFY(table.fontExists(QStringLiteral("Bookman Old Style")));
        QVERIFY(!table.fontExists(QStringLiteral("bookman old style")));
        QVERIFY(!table.fontExists(QStringLiteral("Bookman")));
        QVERIFY(!FontTable(QStringList{}).fontExists(QStringLiteral("Bookman Old Style")));
    }

    void imagesKeepTheLayoutAtEveryScale()
    {
        Surface s(682, 722);
        s.BackColor = 0xFFFFFF;
        s.Line(10, 20, 100, 20);
        const QImage one = s.toImage(1);
        const QImage two = s.toImage(2);
        QCOMPARE(one.size(), QSize(682, 722));
        QCOMPARE(two.size(), QSize(1364, 1444));
        QVERIFY(qGray(one.pixel(50, 20)) < 64);
        QVERIFY(qGray(one.pixel(50, 22)) > 250);
        QVERIFY(qGray(two.pixel(100, 40)) < 64 && qGray(two.pixel(100, 41)) < 64);
        QVERIFY(qGray(two.pixel(100, 43)) > 250);
    }

    void glyphsThroughTheDeviceContextUseWholePixels()
    {
        Surface s(200, 100);
        s.FontName = QStringLiteral("Symbol");
        s.FontSize = 12.75f;
        const Extent e = s.hdc().GetTextExtentPoint32A(QString(QChar(229)));
        QCOMPARE(double(e.width), double(std::lround(s.TextWidth(QString(QChar(229))))));
        s.hdc().TextOutA(12, 30, QString(QChar(229)));
        QCOMPARE(s.ops().back().x, 12.0);
        QCOMPARE(s.ops().back().face, QStringLiteral("Symbol"));
    }
};

class DrawingStateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void penOperationsMoveByTheirFormulas()
    {
        const DrawingState saved = ds;
        ds.leftMargin = 21;
        ds.penX = 333.25f;
        ds.penY = 100;
        newLine();
        QCOMPARE(ds.penX, 21.0f);
        QCOMPARE(ds.penY, float(100 + double(ds.lineH)));
        newLineWide();
        QCOMPARE(ds.penY, float(float(100 + double(ds.lineH)) + 1.5 * double(ds.lineH)));
        ds.penX = 50;
        skipPx(-4);
        QCOMPARE(ds.penX, 46.0f);
        skipW(0.5f);
        QCOMPARE(ds.penX, float(46 + 0.5 * double(ds.chW)));
        const float x = ds.penX, y = ds.penY;
        skipLines(1.8f);
        QCOMPARE(ds.penX, x);
        QCOMPARE(ds.penY, float(y + double(1.8f) * ds.lineH));
        ds = saved;
    }

    void tabStopsRoundHalfToEvenOnce()
    {
        const DrawingState saved = ds;
        ds.chW = 7.5f;
        ds.leftMargin = 0;
        setTabStops();
        QCOMPARE(ds.tab5, 38L);  // 37.5 rounds to the even 38
        QCOMPARE(ds.tab10, 75L);
        QCOMPARE(ds.tab40, 300L);
        QCOMPARE(roundHalfEven(2 * 7.25), 14L);
        QCOMPARE(roundHalfEven(2 * 7.75), 16L);
        ds = saved;
    }

    void setupPaintsNonWhiteWindowsTheFormColour()
    {
        const DrawingState saved = ds;
        VbColor list = 0x123456, page = 0x654321;
        FormColors white{0xFFFFFF, {&list, &page}};
        dspSetup(white);
        QCOMPARE(white.BackColor, 0xFFFFFFu);
        QCOMPARE(list, 0xFFFFFFu);
        QCOMPARE(page, 0xFFFFFFu);

        FormColors grey{0x8000000F, {&list}};
        dspSetup(grey);
        QCOMPARE(grey.BackColor, 0xF0F0F0u);
        QCOMPARE(list, 0xF0F0F0u);
        QCOMPARE(ds.highlightColor, vbRGB(0, 0, 255));
        QCOMPARE(ds.textColor, systemButtonText);
        QCOMPARE(ds.supRaise, 0.2f);
        QCOMPARE(ds.subScale, 0.85f);
        ds = saved;
    }

    void setupTestsForBookmanByExactName()
    {
        const DrawingState saved = ds;
        auto previous = std::make_shared<FontTable>(FontTable::current());
        FormColors form{0xF0F0F0, {}};
        FontTable::setCurrent(std::make_shared<FontTable>(QStringList{QStringLiteral("Bookman Old Style")}));
        dspSetup(form);
        QCOMPARE(ds.hasBookman, 1);
        FontTable::setCurrent(std::make_shared<FontTable>(QStringList{QStringLiteral("bookman old style")}));
        dspSetup(form);
        QCOMPARE(ds.hasBookman, -1);
        FontTable::setCurrent(previous);
        ds = saved;
    }

    void metricsAreMeasuredOnTheBodySize()
    {
        QCOMPARE(ds.baseFontSize, 12.75f);
        Surface probe(10, 10);
        probe.FontSize = 12.75f;
        QCOMPARE(ds.chW, probe.TextWidth(QStringLiteral("A")));
        QCOMPARE(ds.lineH, float(probe.TextHeight(QStringLiteral("A")) + 2.0));
        QCOMPARE(ds.tab40, roundHalfEven(40.0 * ds.chW));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    SurfaceTest surface;
    status |= QTest::qExec(&surface, argc, argv);
    DrawingStateTest state;
    status |= QTest::qExec(&state, argc, argv);
    return status;
}

#include "test_surface.moc"
