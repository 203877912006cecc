// What one page leaves to the next, in one process, as a user going down the list sees
// them; the goldens record every page fresh and cannot show it.
#include "fixture.h"

#include <QtTest>

namespace {

QStringList everyPage()
{
    QStringList ids = MathForm::problemIds();
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
        QCOMPARE(ds().bracketRise, 0L);
        const std::vector<DrawOp> fresh = pageOps(QStringLiteral("3.2"));
        pageOps(QStringLiteral("1.12"));
        QCOMPARE(ds().bracketRise, 4L);
        const std::vector<DrawOp> after = pageOps(QStringLiteral("3.2"));
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
        pageOps(QStringLiteral("1.8a"));
        QCOMPARE(ds().bracketRise, 4L);
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
        const int installed = ds().hasBookman;
        const std::vector<DrawOp> fallback = pageOps(page);
        ds().hasBookman = 1;
        const std::vector<DrawOp> bookman = pageOps(page);
        ds().hasBookman = installed;
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
    // text colour, plain upright text, a one-pixel pen and the script factors behind.
    void leavesTheSurfaceAsItFoundIt()
    {
        QFETCH(QString, page);
        QFETCH(bool, printView);
        pageOps(QStringLiteral("1.12"));  // its bracket spread stays for every page after it
        const QString first = describe(pageOps(page, printView));
        for (const QString& other : everyPage()) {
            pageOps(other, printView);
            const Surface& s = printView ? loadedForm().pic2 : loadedForm().pic;
            QVERIFY2(s.FontSize == ds().baseFontSize && ds().baseFontSize == 12.75f, qPrintable(other));
            QVERIFY2(s.ForeColor == ds().textColor && !s.FontBold && !s.FontItalic, qPrintable(other));
            QVERIFY2(s.FontName == QStringLiteral("メイリオ") && s.DrawWidth == 1, qPrintable(other));
            QVERIFY2(ds().supRaise == 0.2f && ds().supScale == 0.75f && ds().subDrop == 0.3f && ds().subScale == 0.85f,
                     qPrintable(other));
        }
        QCOMPARE(describe(pageOps(page, printView)), first);
    }
};

QTEST_MAIN(PagesTest)
#include "test_pages.moc"
