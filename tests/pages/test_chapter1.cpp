// Chapter-1 pages: the one mended result the goldens record as reviewed.
#include "fixture.h"

#include <QTest>

class TestChapter1 : public QObject {
    Q_OBJECT

private slots:
    // With dU = T dS + E dD, constant E plays the part of constant pressure: the
    // dielectric's ratio is C_E / C_D, and the sentence names the heats in that order.
    void dielectricHeatRatioPutsConstantFieldOnTop()
    {
        const auto ops = pageOps("1.8");
        auto textsAfter = [&](const QString& run, int count) {
            QStringList drawn;
            for (int i = indexOf(ops, run) + 1; i > 0 && i < int(ops.size()) && drawn.size() < count; ++i)
                drawn << ops[size_t(i)].text;
            return drawn;
        };
        QCOMPARE(textsAfter(QStringLiteral("たとえば誘電体では "), 12),
                 QStringList({"C", "E", " / ", "C", "D", " = ", "e", "T", " / ", "e", "S", " が成り立つ。"}));
        QCOMPARE(textsAfter(QStringLiteral("それぞれ "), 4), QStringList({"E", ",", " ", "D"}));
    }
};

QTEST_MAIN(TestChapter1)
#include "test_chapter1.moc"
