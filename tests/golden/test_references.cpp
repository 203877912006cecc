// A few pages painted now against reviewed reference images (tests/golden/images): what
// a trace cannot show, where the glyphs land at paint time, which glyphs they are, and
// how the pieces of tall signs join. Drawn in a process that never draws 1.12, so the
// bracket spread is the fresh-start one the images were recorded with.
#include "fixture.h"
#include "ink_compare.h"
#include "canvas/text_layout.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cstdlib>

namespace {

QString imagePath(const QString& name)
{
    return QStringLiteral("%1/images/%2.png").arg(qEnvironmentVariable("VELKORA_GOLDEN_DIR"), name);
}

// Pixels whose grey level differs by more than anti-aliasing accounts for.
int inkedDifferently(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) count += std::abs(qGray(p[x]) - qGray(q[x])) > 96 ? 1 : 0;
    }
    return count;
}

}  // namespace

class ReferenceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void pagesLookAsReviewed_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("printView");
        QTest::addColumn<QString>("image");
        QTest::newRow("1.8a screen") << "1.8a" << false << "1.8a@2x";
        QTest::newRow("5.5 screen") << "5.5" << false << "5.5@2x";
        QTest::newRow("7.14 screen") << "7.14" << false << "7.14@2x";
        QTest::newRow("3.2 print view") << "3.2" << true << "3.2-print@2x";
    }

    void pagesLookAsReviewed()
    {
        QFETCH(QString, page);
        QFETCH(bool, printView);
        QFETCH(QString, image);
        constexpr double scale = 2;
        const QImage reference = QImage(imagePath(image)).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!reference.isNull(), qPrintable(QStringLiteral("no reference image %1").arg(imagePath(image))));
        const MathForm& form = loadedForm();
        const Surface drawn = form.drawn(page, printView, form.freshStart()).surface;
        const std::vector<DrawOp>& ops = drawn.ops();
        const QImage rendering = drawn.toImage(scale).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(rendering.size(), reference.size());

        const QStringList misplaced = misplacedInk(reference, rendering, ops, scale);
        // Ink that belongs to no operation drawn now (a run or stroke that went missing).
        const int stray = inkedDifferently(reference, rendering);
        if (!misplaced.isEmpty() || stray > 20)
            QFAIL(qPrintable(QStringLiteral("%1: %2 pixels differ (rendering kept as %3)\n%4")
                                 .arg(image)
                                 .arg(stray)
                                 .arg(keepForInspection(rendering, image), misplaced.join('\n'))));
    }

    // The comparison is only worth its tolerance: a page moved by one pixel fails it.
    void aPageMovedByOnePixelFails()
    {
        const QImage reference = QImage(imagePath(QStringLiteral("1.8a@2x"))).convertToFormat(QImage::Format_RGB32);
        QImage moved(reference.size(), QImage::Format_RGB32);
        moved.fill(reference.pixel(0, 0));
        QPainter(&moved).drawImage(QPoint(0, 2), reference);
        QVERIFY(!misplacedInk(reference, moved, pageOps(QStringLiteral("1.8a")), 2).isEmpty());
        QVERIFY(inkedDifferently(reference, moved) > 20);
    }

    // The ink box the trace gives each run, which the goldens compare, holds every pixel
    // that painting the run inks.
    void traceInkHoldsWhatIsPainted()
    {
        for (const QString page : {"1.8a", "5.5", "7.14"}) {
            for (const DrawOp& op : pageOps(page)) {
                if (op.kind != DrawOp::Text || op.text.trimmed().isEmpty()) continue;
                const QRect ink = inkOf(op).toAlignedRect().adjusted(-1, -1, 1, 1);
                const QRect area = ink.adjusted(-4, -4, 4, 4);
                QImage alone(area.size(), QImage::Format_ARGB32_Premultiplied);
                alone.fill(Qt::transparent);
                QPainter painter(&alone);
                painter.translate(-area.topLeft());
                paintOp(painter, op);
                painter.end();
                int outside = 0;
                for (int y = 0; y < area.height(); ++y)
                    for (int x = 0; x < area.width(); ++x)
                        outside += qAlpha(alone.pixel(x, y)) >= 64 && !ink.contains(area.topLeft() + QPoint(x, y));
                QVERIFY2(outside == 0, qPrintable(QStringLiteral("page %1: \"%2\" inks %3 pixels outside its box")
                                                      .arg(page, op.text).arg(outside)));
            }
        }
    }
};

QTEST_MAIN(ReferenceTest)

#include "test_references.moc"
