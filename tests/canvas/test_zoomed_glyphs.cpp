// Glyphs too large for Qt's glyph cache are drawn from the program's own: each must
// land where Qt itself puts it when it fills the glyph's outline.
#include "canvas/fonts.h"
#include "canvas/zoomed_glyphs.h"
#include "fixture.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QPainter>
#include <QTextLayout>
#include <QtTest>

namespace {

QGlyphRun laidOut(const QString& family, const QString& text, bool bold, bool italic)
{
    QTextLayout layout(text, FontTable::familyFont(family, 17, bold, italic),
                       const_cast<QPaintDevice*>(FontTable::measureDevice()));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    QGlyphRun run = line.glyphRuns().value(0);
    QList<QPointF> positions = run.positions();
    for (QPointF& p : positions) p.ry() -= line.ascent();
    run.setPositions(positions);
    return run;
}

QImage canvas(double scale)
{
    QImage image(int(160 * scale), int(40 * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Rows and columns of ink, and their grey mass: where the glyphs sit.
QPointF inkCentre(const QImage& image, double* mass)
{
    QPointF centre;
    *mass = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double ink = 255 - qGray(image.pixel(x, y));
            *mass += ink;
            centre += ink * QPointF(x, y);
        }
    return *mass > 0 ? centre / *mass : centre;
}

}  // namespace

class ZoomedGlyphsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void largeGlyphsLandWhereQtFillsThem_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("x");
        QTest::addColumn<bool>("slanted");
        const FontTable& fonts = FontTable::current();
        const QString prose = fonts.familyFor(QStringLiteral("メイリオ")), serif = fonts.familyFor("Times New Roman");
        const QString symbol = fonts.familyFor(QStringLiteral("Symbol"));
        QTest::newRow("kana at 4x") << prose << QStringLiteral("ルジャンドル") << 4.0 << 3.3 << false;
        QTest::newRow("italic at 4x, quarter pixel") << serif << QStringLiteral("dx") << 4.0 << 10.06 << false;
        QTest::newRow("slanted Greek at 3.9x") << symbol << QStringLiteral("qj") << 3.9 << 7.71 << true;
        QTest::newRow("bar at 4.5x") << prose << QStringLiteral("───") << 4.5 << 0.5 << false;
    }

    void largeGlyphsLandWhereQtFillsThem()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        QFETCH(double, scale);
        QFETCH(double, x);
        QFETCH(bool, slanted);
        const QGlyphRun run = laidOut(family, text, false, false);
        const QTransform shape = slanted ? QTransform().shear(-0.2126, 0) : QTransform();
        const QPointF baseline(x, 28);

        QImage cached = canvas(scale), filled = canvas(scale);
        {
            QPainter p(&cached);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(scale, scale);
            QVERIFY(drawsGlyphsAsOutlines(p, 17));
            drawZoomedGlyphs(p, run, baseline, shape, Qt::black);
        }
        {
            QPainter p(&filled);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(scale, scale);
            p.translate(baseline);
            p.setTransform(shape, true);
            p.drawGlyphRun(QPointF(), run);  // beyond Qt's cache: filled from the outlines
        }
        double cachedMass = 0, filledMass = 0;
        const QPointF moved = (inkCentre(cached, &cachedMass) - inkCentre(filled, &filledMass)) / scale;
        QVERIFY(filledMass > 0);
        QVERIFY2(qAbs(cachedMass / filledMass - 1) < 0.03, qPrintable(QString::number(cachedMass / filledMass)));
        QVERIFY2(qAbs(moved.x()) < 0.05 && qAbs(moved.y()) < 0.05,
                 qPrintable(QStringLiteral("moved %1, %2 px").arg(moved.x()).arg(moved.y())));
    }

    void smallGlyphsAndVectorDevicesAreLeftToQt()
    {
        QImage image = canvas(1);
        QPainter p(&image);
        QVERIFY(!drawsGlyphsAsOutlines(p, 17));
        p.scale(3, 3);
        QVERIFY(!drawsGlyphsAsOutlines(p, 17));  // 51 device pixels: Qt caches those itself
        p.rotate(10);
        QVERIFY(!drawsGlyphsAsOutlines(p, 17));

        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        QPainter vector(&writer);
        QVERIFY(!drawsGlyphsAsOutlines(vector, 17));  // a PDF keeps its text as text
    }
};

QTEST_MAIN(ZoomedGlyphsTest)
#include "test_zoomed_glyphs.moc"
