// The Symbol face's meanings, and the pages' text as a reader takes it: prose and whole
// formulas in drawing order, a line a row, and what the find bar finds where.
#include "canvas/fonts.h"
#include "canvas/page_text.h"
#include "canvas/symbol_encoding.h"
#include "fixture.h"
#include "pages/registry.h"

#include <QApplication>
#include <QtTest>

namespace {

QStringList allPages()
{
    QStringList ids;
    for (const PageEntry& e : pageRegistry()) ids << QLatin1String(e.id);
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
        if (PageText(pageSurface(id).displayList()).holds(term)) found << id;
    return found;
}

QString withoutSpaces(QString text)
{
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

// The linear texts of a page's formulas, white space dropped.
QStringList formulaTexts(const QString& id)
{
    QStringList texts;
    const PageText text(pageSurface(id).displayList());
    for (const PageText::PieceRef& ref : text.allPieces())
        if (text.piece(ref).formula) texts << withoutSpaces(text.piece(ref).text);
    return texts;
}

// A surface with two rows of prose around an inline formula and a displayed one, drawn as
// a page script draws: row by row, the tag before its equation.
Surface& smallPage()
{
    Surface& s = scratchSurface();
    auto print = [&](float x, float y, const QString& text) {
        s.CurrentX = x;
        s.CurrentY = y;
        s.Print(text);
    };
    print(0, 20, QStringLiteral("関数 "));
    {
        FormulaScope f(s, QStringLiteral("f(x)"));
        print(40, 20, QStringLiteral("f(x)"));
    }
    print(80, 20, QStringLiteral(" は次の形をとる。"));
    s.markRow();
    print(400, 50, QStringLiteral("(1.1)"));
    {
        FormulaScope f(s, QStringLiteral(R"(f(x) = \frac{1}{2\pi})"));
        print(60, 50, QStringLiteral("f(x) = 1"));
        s.Line(100, 75, 130, 75);
        print(100, 80, QStringLiteral("2π"));
    }
    return s;
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
        // Adobe's Symbol encoding: 229 is the n-ary summation sign, 'S' the Greek capital.
        const std::pair<int, const char*> table[] = {
            {'a', "α"}, {'b', "β"}, {'q', "θ"}, {'j', "ϕ"}, {'f', "φ"}, {'p', "π"}, {'w', "ω"},
            {'d', "δ"}, {'e', "ε"}, {'k', "κ"}, {'l', "λ"}, {'B', "Β"}, {'G', "Γ"}, {'S', "Σ"},
            {182, "∂"}, {214, "√"}, {229, "∑"}, {162, "′"}, {165, "∞"}, {'-', "−"},
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

    // Prose in drawing order, a formula as its meaning wherever its pieces stand, a line
    // where the script starts a row, a space where it goes back left for the equation.
    void proseAndFormulasReadInDrawingOrderByRows()
    {
        const PageText text(smallPage().displayList());
        QCOMPARE(lineTexts(text), (QStringList{QStringLiteral("関数 f(x) は次の形をとる。"),
                                               QStringLiteral("(1.1) f(x) = 1/(2π)")}));
        QCOMPARE(text.text(), lineTexts(text).join('\n') + '\n');
        QVERIFY(!text.lines()[0].displays(text.lines()[0].pieces[1]));
        QVERIFY(text.lines()[1].displays(text.lines()[1].pieces[1]));
    }

    void readingsGiveFormulasTheirForms()
    {
        const PageText text(smallPage().displayList());
        const std::vector<PageText::PieceRef> all = text.allPieces();
        QCOMPARE(text.plainOf(all), QStringLiteral("関数 f(x) は次の形をとる。\n(1.1) f(x) = 1/(2π)"));
        QCOMPARE(text.latexOf(all),
                 QStringLiteral("関数 $f(x)$ は次の形をとる。\n(1.1) \\[ f(x) = \\frac{1}{2\\pi} \\]"));
        const QString html = text.htmlOf(all);
        QCOMPARE(html.count(QStringLiteral("<math")), 2);
        QVERIFY(html.contains(QStringLiteral("display=\"block\"")));
        QVERIFY(html.startsWith(QStringLiteral("<p>関数 <math")));
        // Only what is asked for, in reading order whatever order it is asked in.
        QCOMPARE(text.plainOf({{1, 1}, {0, 1}}), QStringLiteral("f(x)\nf(x) = 1/(2π)"));
    }

    void proseIsEscapedInLatexAndHtml()
    {
        Surface& s = scratchSurface();
        s.Print(QStringLiteral("50% & <b> $_#"));
        const PageText text(s.displayList());
        QCOMPARE(text.latexOf(text.allPieces()), QStringLiteral("50\\% \\& <b> \\$\\_\\#"));
        QCOMPARE(text.htmlOf(text.allPieces()), QStringLiteral("<p>50% &amp; &lt;b&gt; $_#</p>\n"));
    }

    void aClickFindsTheFormulaAndADragWhatItCrosses()
    {
        const PageText text(smallPage().displayList());
        const QRectF fraction = text.piece({1, 1}).box;
        QCOMPARE(text.formulaAt(fraction.center()), std::optional<PageText::PieceRef>({1, 1}));
        QVERIFY(!text.formulaAt(text.piece({0, 0}).box.center()));  // prose
        QVERIFY(!text.formulaAt(QPointF(600, 600)));
        // From the inline formula down into the displayed one: every piece it touches.
        const QRectF drag(text.piece({0, 1}).box.center(), fraction.center());
        QCOMPARE(text.piecesIn(drag.normalized()),
                 (std::vector<PageText::PieceRef>{{0, 1}, {0, 2}, {1, 1}}));
    }

    void strokesAloneReadAsNothing()
    {
        Surface& s = scratchSurface();
        s.Line(10, 50, 200, 50);
        s.Box(10, 60, 40, 90, ds().lineColor);
        const PageText text(s.displayList());
        QVERIFY(text.lines().empty());
        QVERIFY(text.text().isEmpty());
        QVERIFY(!text.holds(QStringLiteral("x")));
    }

    void headingsAndProseReadAsLines()
    {
        const QStringList lines = lineTexts(PageText(pageSurface(QStringLiteral("5.9")).displayList()));
        QCOMPARE(lines.value(0), QStringLiteral("[問題 5.9]　p. 107."));
        QCOMPARE(lines.value(2), QStringLiteral("[解 5.9]："));
    }

    // The readings a user of the pages typed out by hand, white space aside.
    void formulasReadAsTheyAreTyped_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("reading");
        QTest::newRow("5.5 (5.38)") << "5.5" << "g(t, x) ≡ 1/√(1 − 2tx + t²) = ∑_(n=0)^∞ Pₙ(x) tⁿ";
        // 1.16 draws its φ as that letter of the page's own face, not the Symbol face's ϕ.
        QTest::newRow("1.16 Jacobian")
            << "1.16"
            << "∂(x, y, z)/∂(r, θ, φ) = |∂x/∂r, ∂x/∂θ, ∂x/∂φ; ∂y/∂r, ∂y/∂θ, ∂y/∂φ; ∂z/∂r, ∂z/∂θ, ∂z/∂φ|";
        QTest::newRow("7.11 Beta") << "7.11" << "= (b − a)^(p+q+1) B(p + 1, q + 1)";
        QTest::newRow("3.2 double integral")
            << "3.2" << "f(x) = 1/(2π) ∫_(−∞)^∞ e^(ikx) ∫_(−∞)^∞ e^(−iky) f(y) dy dk";
        QTest::newRow("1.8a (1.38b)") << "1.8a" << "|u_f, u_g; v_f, v_g| ⋅ |f_x, f_y; g_x, g_y| = |u_x, u_y; v_x, v_y|";
    }

    void formulasReadAsTheyAreTyped()
    {
        QFETCH(QString, page);
        QFETCH(QString, reading);
        const QStringList texts = formulaTexts(page);
        QVERIFY2(texts.contains(withoutSpaces(reading)), qPrintable(texts.join('\n')));
    }

    void termsAreFoundOnThePagesThatHoldThem_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("generating function") << QStringLiteral("母関数") << QStringList{"5.5"};
        QTest::newRow("Jacobian") << QStringLiteral("ヤコビアン") << QStringList{"1.8a", "1.8", "1.16"};
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

    // The summation sign is found by either character a reader may type for it, the
    // minus sign by the hyphen, inside whole formulas.
    void signsAreFoundByTheirVariants()
    {
        const QStringList sums = pagesContaining(QStringLiteral("∑"));
        QVERIFY(sums.contains(QStringLiteral("5.5")));
        QCOMPARE(pagesContaining(QStringLiteral("Σ")), sums);
        QCOMPARE(pagesContaining(QStringLiteral("1-2tx")), pagesContaining(QStringLiteral("1−2tx")));
        QVERIFY(pagesContaining(QStringLiteral("1-2tx")).contains(QStringLiteral("5.5")));
    }

    void aFoundTermInProseIsMarkedWhereItIsDrawn()
    {
        const std::vector<DrawOp> ops = pageOps(QStringLiteral("5.5"));
        const std::vector<QRectF> found = PageText(pageSurface(QStringLiteral("5.5")).displayList()).find(QStringLiteral("母関数"));
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

    void aFoundTermInAFormulaMarksTheFormula()
    {
        const PageText text(smallPage().displayList());
        const std::vector<QRectF> found = text.find(QStringLiteral("2π"));
        QCOMPARE(found, std::vector<QRectF>{text.piece({1, 1}).box});
        // The box holds every piece the formula drew: the numerator's row and the denominator.
        QVERIFY(found[0].top() <= 50 && found[0].bottom() >= 80);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PageTextTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_page_text.moc"
