// The font table's choice of installed families, and the set-up's font test and rounding:
// what a reader with other fonts installed would get, which the goldens cannot show.
#include "canvas/drawing_state.h"
#include "canvas/fonts.h"
#include "fixture.h"

#include <QtTest>

class SurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

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
    }

    // The installed fonts never put a tab stop on a tie; other fonts may.
    void tabStopsRoundHalfToEvenOnce()
    {
        DrawingState state;
        state.chW = 7.5f;
        state.leftMargin = 0;
        setTabStops(state);
        QCOMPARE(state.tab5, 38L);  // 37.5 rounds to the even 38
        QCOMPARE(state.tab10, 75L);
        QCOMPARE(state.tab40, 300L);
        QCOMPARE(roundHalfEven(2 * 7.25), 14L);
        QCOMPARE(roundHalfEven(2 * 7.75), 16L);
    }

    void setupTestsForBookmanByExactName()
    {
        DrawingState state;
        auto previous = std::make_shared<FontTable>(FontTable::current());
        FormColors form{0xF0F0F0, {}};
        FontTable::setCurrent(std::make_shared<FontTable>(QStringList{QStringLiteral("Bookman Old Style")}));
        dspSetup(state, form);
        QCOMPARE(state.hasBookman, 1);
        FontTable::setCurrent(std::make_shared<FontTable>(QStringList{QStringLiteral("bookman old style")}));
        dspSetup(state, form);
        QCOMPARE(state.hasBookman, -1);
        FontTable::setCurrent(previous);
    }
};

QTEST_MAIN(SurfaceTest)
#include "test_surface.moc"
