// A few pages painted now against reviewed reference images (tests/golden/images): what
// a trace cannot show, where the glyphs land at paint time, which glyphs they are, and
// how the pieces of tall signs join. Drawn in a process that never draws 1.12, so the
// bracket spread is the fresh-start one the images were recorded with.
#include "fixture.h"
#include "ink_compare.h"

#include <QImage>
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
        const std::vector<DrawOp> ops = pageOps(page, printView);
        const MathForm& form = loadedForm();
        const QImage rendering = (printView ? form.pic2 : form.pic).toImage(scale).convertToFormat(QImage::Format_RGB32);
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
};

QTEST_MAIN(ReferenceTest)

#include "test_references.moc"
