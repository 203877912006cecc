// What is kept between paints of text runs: a layout a caller holds outlives the cache
// being emptied, and the cache does empty past its bound.
#include "canvas/fonts.h"
#include "canvas/text_layout.h"
#include "fixture.h"

#include <QtTest>

namespace {

DrawOp textRun(const QString& text)
{
    DrawOp op;
    op.kind = DrawOp::Text;
    op.text = text;
    op.face = QStringLiteral("Times New Roman");
    op.family = FontTable::current().familyFor(op.face);
    op.points = 12;
    return op;
}

// Lays out more distinct runs than the cache keeps, none of them asked for before.
void layOutMoreRunsThanAreKept(const QString& prefix)
{
    for (qsizetype i = 0; i <= keptTextRuns; ++i) layoutOf(textRun(prefix + QString::number(i)));
}

}  // namespace

class TextCachesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void aHeldLayoutOutlivesTheCacheBeingEmptied()
    {
        const std::shared_ptr<const TextLayout> held = layoutOf(textRun(QStringLiteral("held")));
        layOutMoreRunsThanAreKept(QStringLiteral("a"));
        QCOMPARE(held->pieces.size(), size_t(1));
        QCOMPARE(held->pieces.front().text, QStringLiteral("held"));
        QCOMPARE(held->glyphs.size(), size_t(1));
        QCOMPARE(held->glyphs.front().run.glyphIndexes().size(), 4);  // one glyph a letter
    }

    void theLayoutsAreForgottenPastTheBound()
    {
        const DrawOp run = textRun(QStringLiteral("first"));
        const std::shared_ptr<const TextLayout> first = layoutOf(run);
        QCOMPARE(layoutOf(run), first);
        layOutMoreRunsThanAreKept(QStringLiteral("b"));
        QVERIFY(layoutOf(run) != first);
    }
};

QTEST_MAIN(TextCachesTest)
#include "test_text_caches.moc"
