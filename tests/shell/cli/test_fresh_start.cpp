// The headless commands draw every page as a fresh start would, whatever else the same
// command draws: 1.12 widens the tall brackets of the pages a reader opens after it in
// the window, and once widened them in an export too.
#include "fixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

const QStringList listed = listedIds();

class FreshStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        for (const QString& id : listed) QCOMPARE(runHeadless({"--export-png", dir.filePath("alone"), id}).status, 0);
    }

    void everyPageExportedWithTheOthersIsThePageAlone_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("all, in list order") << QStringList{};
        QStringList reversed = listed;
        std::reverse(reversed.begin(), reversed.end());
        QTest::newRow("all, named last to first") << reversed;
        QTest::newRow("1.12 named before 3.2") << QStringList{"1.12", "3.2", "5.13", "5.14", "5.16"};
    }

    void everyPageExportedWithTheOthersIsThePageAlone()
    {
        QFETCH(QStringList, ids);
        const QString together = dir.filePath(QStringLiteral("together-%1").arg(QTest::currentDataTag()));
        QCOMPARE(runHeadless(QStringList{"--export-png", together} + ids).status, 0);
        const QStringList drawn = QDir(together).entryList({QStringLiteral("*.png")}, QDir::Files);
        QCOMPARE(drawn.size(), ids.isEmpty() ? listed.size() : ids.size());
        for (const QString& file : drawn)
            QVERIFY2(contentsOf(together + '/' + file) == contentsOf(dir.filePath("alone/" + file)), qPrintable(file));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(FreshStartTest)
#include "test_fresh_start.moc"
