// What is kept between paints of text runs: a layout a caller holds outlives the cache
// being emptied, the cache does empty past its bound, and what a PDF's text layer
// learnt of one font table is not taken for another's.
#include "canvas/fonts.h"
#include "canvas/text_layout.h"
#include "fixture.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
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

DrawOp symbolRun(const QString& text)
{
    DrawOp op = textRun(text);
    op.face = QStringLiteral("Symbol");
    op.family = FontTable::current().familyFor(op.face);
    return op;
}

// What pdftotext reads in a PDF of one text operation.
QString pdfTextOf(const DrawOp& op, const QString& path)
{
    {
        QPdfWriter pdf(path);
        QPainter painter(&pdf);
        paintOp(painter, op);
    }
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished()) return QStringLiteral("(pdftotext did not finish)");
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Makes a font table current for the length of a scope.
class CurrentTable {
public:
    explicit CurrentTable(std::shared_ptr<FontTable> table) : kept_(std::make_shared<FontTable>(FontTable::current()))
    {
        FontTable::setCurrent(std::move(table));
    }
    ~CurrentTable() { FontTable::setCurrent(kept_); }
    CurrentTable(const CurrentTable&) = delete;
    CurrentTable& operator=(const CurrentTable&) = delete;

private:
    std::shared_ptr<FontTable> kept_;
};

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

    // The Symbol face draws θ from "q": the writer would label it "q", so its meaning is
    // laid over it in a family that carries θ, found among the pages' faces.
    void aNewFontTableIsAskedAnewWhereThetaCanBeLabelled()
    {
        const QString vera = QStringLiteral("Bitstream Vera Sans");
        if (!FontTable::current().fontExists(vera)) QSKIP("Bitstream Vera Sans is not installed");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QChar theta(0x03B8);
        QVERIFY(pdfTextOf(symbolRun(QStringLiteral("q")), dir.filePath(QStringLiteral("installed.pdf"))).contains(theta));

        // Every face of the pages in Vera, which has no Greek: nothing can carry the θ.
        QHash<QString, QString> toVera;
        for (const char* standIn : {"Noto Sans CJK JP", "IPAGothic", "Liberation Serif", "Liberation Mono"})
            toVera.insert(QString::fromUtf8(standIn), vera);
        CurrentTable noGreek(std::make_shared<FontTable>(QStringList{QStringLiteral("Standard Symbols PS"), vera}, toVera));
        // A run not drawn before: its own text layer is kept under the run.
        const QString read = pdfTextOf(symbolRun(QStringLiteral("qq")), dir.filePath(QStringLiteral("vera.pdf")));
        QVERIFY2(!read.contains(theta), qPrintable(read));
    }
};

QTEST_MAIN(TextCachesTest)
#include "test_text_caches.moc"
