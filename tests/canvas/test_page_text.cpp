// The Symbol face's meanings, and the pages' text as a reader takes it: lines in
// reading order, and what the find bar finds where.
#include "canvas/fonts.h"
#include "canvas/page_text.h"
#include "canvas/symbol_encoding.h"
#include "fixture.h"
#include "shell/form/dispatch.h"

#include <QApplication>
#include <QtTest>

namespace {

QStringList allPages()
{
    QStringList ids;
    for (const PageEntry& e : dispatchTable()) ids << QLatin1String(e.id);
    return ids;
}

QStringList lineTexts(const PageText& text)
{
    QStringList lines;
    for (const PageText::Line& line : text.lines()) lines << line.text;
    return lines;
}

QStringList pagesContaining(const QString& term)
{
    QStringList found;
    for (const QString& id : allPages())
        if (PageText(pageOps(id)).contains(term)) found << id;
    return found;
}

}  // namespace

class PageTextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void symbolCodesReadAsWhatTheyDraw_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("meaning");
        const std::pair<int, const char*> table[] = {
            {'a', "α"}, {'b', "β"}, {'q', "θ"}, {'j', "ϕ"}, {'f', "φ"}, {'p', "π"}, {'w', "ω"},
            {'d', "δ"}, {'e', "ε"}, {'k', "κ"}, {'l', "λ"}, {'B', "Β"}, {'G', "Γ"}, {'S', "Σ"},
            {182, "∂"}, {214, "√"}, {229, "Σ"}, {162, "′"}, {165, "∞"}, {'-', "−"},
            // A tall sign reads as one sign, on its top piece.
            {243, "∫"}, {245, ""}, {230, "("}, {232, ""}, {246, ")"}, {248, ""},
            {233, "["}, {235, ""}, {249, "]"}, {251, ""},
        };
        for (const auto& [code, meaning] : table)
            QTest::newRow(qPrintable(QString::number(code))) << code << QString::fromUtf8(meaning);
    }

    void symbolCodesReadAsWhatTheyDraw()
    {
        QFETCH(int, code);
        QFETCH(QString, meaning);
        QCOMPARE(symbolMeaning(QChar(code)), meaning);
        QCOMPARE(meaningOf(QStringLiteral("Symbol"), QString(QChar(code))), meaning);
    }

    void otherFacesReadAsDrawn()
    {
        QCOMPARE(meaningOf(QStringLiteral("Times New Roman"), QStringLiteral("q")), QStringLiteral("q"));
        QCOMPARE(meaningOf(QStringLiteral("メイリオ"), QStringLiteral("θ の¶")), QStringLiteral("θ の¶"));
        QCOMPARE(meaningOf(QStringLiteral("Symbol"), QStringLiteral("qpa")), QStringLiteral("θπα"));
    }

    // A code a page draws in the Symbol face means something, unless it is a lower
    // piece of a tall sign standing under the piece that carries the meaning.
    void everySymbolOnThePagesMeansSomething()
    {
        for (const QString& id : allPages()) {
            const std::vector<DrawOp> ops = pageOps(id);
            for (const DrawOp& op : ops) {
                if (op.kind != DrawOp::Text || !isSymbolFace(op.face) || !meaningOf(op).isEmpty()) continue;
                const bool underItsTop = std::any_of(ops.cbegin(), ops.cend(), [&](const DrawOp& top) {
                    return top.kind == DrawOp::Text && isSymbolFace(top.face) && top.x == op.x && top.y < op.y &&
                           top.y > op.y - 2 * op.points && !meaningOf(top).isEmpty();
                });
                QVERIFY2(underItsTop, qPrintable(QStringLiteral("%1: code %2 at (%3, %4) reads as nothing")
                                                     .arg(id).arg(op.text.at(0).unicode()).arg(op.x).arg(op.y)));
            }
        }
    }

    void headingsAndProseReadAsLines()
    {
        const QStringList lines = lineTexts(PageText(pageOps(QStringLiteral("5.9"))));
        QCOMPARE(lines.value(0), QStringLiteral("[問題 5.9]　p. 107."));
        // Scripts follow their base; θ is drawn as "q" in the Symbol face.
        QCOMPARE(lines.value(1), QStringLiteral("l = 1 の球面調和関数 Ylm(θ, φ) の具体形を示せ。"));
        QCOMPARE(lines.value(2), QStringLiteral("[解 5.9]："));
    }

    // A numerator and denominator read on their fraction's line, around "/"; a radical
    // encloses what stands under its bar.
    void fractionsReadOnTheirLine()
    {
        const QStringList lines = lineTexts(PageText(pageOps(QStringLiteral("5.9"))));
        QCOMPARE(lines.value(4), QStringLiteral("Y10(θ, φ) = 1/(√ 2π) √ (3/2) cos θ"));
        QCOMPARE(lines.size(), 6);
    }

    // The limits of a sum stay with it, the tag ends its equation's line.
    void sumsKeepTheirLimitsAndEquationsTheirTags()
    {
        const QStringList lines = lineTexts(PageText(pageOps(QStringLiteral("5.5"))));
        QVERIFY2(lines.contains(QStringLiteral(
                     "(∂g)/(∂t)  ＝  (x - t)/(1 - 2 t x + t2) g  ＝  ∞ Σ n=0 n Pn(x) t n-1 (5.50)")),
                 qPrintable(lines.join('\n')));
        QCOMPARE(lines.value(2), QStringLiteral("g (t, x)  ≡  1/(√ 1 - 2 t x + t2)  ＝  ∞ Σ n=0 Pn(x) t n (5.38)"));
    }

    // 1.11 draws its sum's upper limit within the height of the heading's line.
    void aLimitReachingIntoTheLineAboveStaysWithItsSign()
    {
        const QStringList lines = lineTexts(PageText(pageOps(QStringLiteral("1.11"))));
        QCOMPARE(lines.value(0), QStringLiteral("[問題 1.11]　p. 16."));
        QCOMPARE(lines.value(1), QStringLiteral("公式 (1.57) を用いて，級数の和 Σn r=0 r ( n r ) xn-r y r を求めよ。"));
    }

    void integralsReadAsOneSignWithTheirLimits()
    {
        const QStringList lines = lineTexts(PageText(pageOps(QStringLiteral("3.3"))));
        QCOMPARE(lines.value(3), QStringLiteral("F(k)  ＝  ∫∞ -∞ e -ikx δ (x - a) dx  ＝  e -ika"));
    }

    void strokesAloneReadAsNothing()
    {
        Surface& s = scratchSurface();
        s.Line(10, 50, 200, 50);
        s.Box(10, 60, 40, 90, ds().lineColor);
        const PageText text(s.ops());
        QVERIFY(text.lines().empty());
        QVERIFY(text.text().isEmpty());
        QVERIFY(!text.contains(QStringLiteral("x")));
    }

    void theTextIsTheLinesInOrder()
    {
        const PageText text(pageOps(QStringLiteral("3.3")));
        QCOMPARE(text.text(), lineTexts(text).join('\n') + '\n');
    }

    void termsAreFoundOnThePagesThatHoldThem_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("generating function") << QStringLiteral("母関数") << QStringList{"5.5"};
        QTest::newRow("Jacobian") << QStringLiteral("ヤコビアン") << QStringList{"1.8a", "1.8", "1.16"};
        QTest::newRow("Symbol theta") << QStringLiteral("θ") << QStringList{"1.16", "5.9", "7.10"};
        QTest::newRow("any case") << QStringLiteral("fourier TRANSFORM") << QStringList{"3.2"};
        QTest::newRow("spaces ignored") << QStringLiteral("p.107") << QStringList{"5.9"};
        QTest::newRow("full width") << QStringLiteral("（１.３８ａ）") << QStringList{"1.8a"};
        QTest::newRow("nowhere") << QStringLiteral("ラプラス") << QStringList{};
        QTest::newRow("empty") << QString() << QStringList{};
    }

    void termsAreFoundOnThePagesThatHoldThem()
    {
        QFETCH(QString, term);
        QFETCH(QStringList, pages);
        QCOMPARE(pagesContaining(term), pages);
    }

    void aFoundTermIsMarkedWhereItIsDrawn()
    {
        const std::vector<DrawOp> ops = pageOps(QStringLiteral("5.5"));
        const std::vector<QRectF> found = PageText(ops).find(QStringLiteral("母関数"));
        QCOMPARE(found.size(), size_t(1));
        const DrawOp run = *std::find_if(ops.cbegin(), ops.cend(),
                                         [](const DrawOp& op) { return op.text.contains(QStringLiteral("母関数")); });
        const FontTable& fonts = FontTable::current();
        const double px = pointsToPixels(run.points);
        const double before = fonts.width(run.face, px, false, false, run.text.left(run.text.indexOf(u'母')));
        QCOMPARE(found[0].left(), run.x + before);
        QCOMPARE(found[0].top(), run.y);
        QVERIFY(qAbs(found[0].width() - fonts.width(run.face, px, false, false, QStringLiteral("母関数"))) < 0.01);
    }

    // "Ylm(θ" is five runs on the page: Y, the scripts l and m, "(" and the Symbol face's q.
    void aTermAcrossRunsIsMarkedInEachRun()
    {
        const std::vector<QRectF> found = PageText(pageOps(QStringLiteral("5.9"))).find(QStringLiteral("Ylm(θ"));
        QCOMPARE(found.size(), size_t(5));
        QVERIFY(found[1].top() > found[0].top());  // the subscript is lower
        for (size_t i = 1; i < found.size(); ++i) QVERIFY(found[i].left() >= found[i - 1].right() - 1);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PageTextTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_page_text.moc"
