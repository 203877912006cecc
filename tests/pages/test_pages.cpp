// What one page leaves to the next, in one process, as a user going down the list sees
// them; the goldens record every page fresh and cannot show it.
#include "fixture.h"
#include "pages/page_draw.h"

#include <QtTest>

namespace {

QStringList everyPage()
{
    QStringList ids = listedIds();
    ids << QStringLiteral("5.17");
    return ids;
}

bool isSquareBracketPiece(const DrawOp& op)
{
    static const QString pieces = QString(QChar(233)) + QChar(235) + QChar(249) + QChar(251);
    return op.kind == DrawOp::Text && op.face == QLatin1String("Symbol") && op.text.size() == 1 &&
           pieces.contains(op.text);
}

}  // namespace

class PagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    // 1.12 spreads the tall square brackets of every page drawn after it by 4 more pixels,
    // up for the upper pieces and down for the lower ones; nothing else moves.
    void bracketSpreadCarriesOverFromPage112()
    {
        const MathForm& form = loadedForm();
        QCOMPARE(form.freshStart().bracketRise, 0L);
        const std::vector<DrawOp> fresh = pageOps(QStringLiteral("3.2"));
        const CarriedState after112 = form.drawn(QStringLiteral("1.12"), false, form.freshStart()).leaves;
        QCOMPARE(after112.bracketRise, 4L);
        const std::vector<DrawOp> after = form.drawn(QStringLiteral("3.2"), false, after112).surface.ops();
        QCOMPARE(after.size(), fresh.size());
        int moved = 0;
        for (size_t i = 0; i < fresh.size(); ++i) {
            double dy = 0;
            if (isSquareBracketPiece(fresh[i])) {
                const QChar c = fresh[i].text.at(0);
                dy = c == QChar(233) || c == QChar(249) ? -4 : 4;
                ++moved;
            }
            QCOMPARE(after[i].text, fresh[i].text);
            QCOMPARE(after[i].x, fresh[i].x);
            QCOMPARE(after[i].y, fresh[i].y + dy);
        }
        QCOMPARE(moved, 4);
        QCOMPARE(form.drawn(QStringLiteral("1.8a"), false, after112).leaves.bracketRise, 4L);
    }

    // A reader who has Bookman Old Style gets it, upright weight, for every italic variable
    // that the others see in a bold fallback face; nothing else changes face.
    void readerWithBookmanGetsItForEveryVariable_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& id : everyPage()) QTest::newRow(qPrintable(id)) << id;
    }

    void readerWithBookmanGetsItForEveryVariable()
    {
        QFETCH(QString, page);
        const MathForm& form = loadedForm();
        const std::vector<DrawOp> fallback = pageOps(page);
        DrawingState withBookman = form.startup();
        withBookman.hasBookman = 1;
        Surface surface(MathForm::pageWidth, MathForm::pageHeight);
        drawPage(*findPage(page), surface, withBookman, {0, MathForm::listEntry(page)}, form.freshStart());
        const std::vector<DrawOp>& bookman = surface.ops();
        QCOMPARE(bookman.size(), fallback.size());
        for (size_t i = 0; i < fallback.size(); ++i) {
            const DrawOp &a = fallback[i], &b = bookman[i];
            QCOMPARE(b.text, a.text);
            const bool variable = a.italic && a.bold && (a.face == "Times New Roman" || a.face == "Century");
            if (!variable) {
                QCOMPARE(b.face, a.face);
                continue;
            }
            QCOMPARE(b.face, QStringLiteral("Bookman Old Style"));
            QVERIFY2(b.italic && !b.bold, qPrintable(b.text));
        }
    }

    void leavesTheSurfaceAsItFoundIt_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("printView");
        for (const QString& id : everyPage())
            for (bool printView : {false, true})
                QTest::addRow("%s %s", qPrintable(id), printView ? "print view" : "screen") << id << printView;
    }

    // Whatever page comes before, a page draws the same, and leaves the body size, the
    // text colour, plain upright text and a one-pixel pen behind.
    void leavesTheSurfaceAsItFoundIt()
    {
        QFETCH(QString, page);
        QFETCH(bool, printView);
        const MathForm& form = loadedForm();
        // 1.12's bracket spread stays for every page after it.
        const CarriedState after112 = form.drawn(QStringLiteral("1.12"), printView, form.freshStart()).leaves;
        const QString first = describe(form.drawn(page, printView, after112).surface.ops());
        for (const QString& other : everyPage()) {
            const CarriedState left = form.drawn(other, printView, after112).leaves;
            const SurfaceStyle& s = left.style;
            QVERIFY2(s.size == 12.75f && left.baseFontSize == 12.75f, qPrintable(other));
            QVERIFY2(s.color == form.startup().textColor && !s.bold && !s.italic, qPrintable(other));
            QVERIFY2(s.face == QStringLiteral("メイリオ") && s.penWidth == 1, qPrintable(other));
            QCOMPARE(describe(form.drawn(page, printView, left).surface.ops()), first);
        }
    }
};

QTEST_MAIN(PagesTest)
#include "test_pages.moc"
