// Stray or unusable arguments to the headless commands: refused with status 2 and one
// line on stderr, never taken as more pages, silently dropped or half carried out.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class ArgumentsTest : public QObject {
    Q_OBJECT

private slots:
    void unusableArgumentsAreRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("--list with an argument") << QStringList{"--list", "1.8a"};
        QTest::newRow("--trace with two ids") << QStringList{"--trace", "1.8a", "1.11"};
        QTest::newRow("--trace with a file and a stray word") << QStringList{"--trace", "1.8a", "DIR/t", "again"};
        QTest::newRow("--export-png with a stray word") << QStringList{"--export-png", "DIR", "1.8a", "twice"};
        QTest::newRow("--export-png with --scale twice") << QStringList{"--export-png", "DIR", "--scale", "2", "--scale", "2"};
        QTest::newRow("--scale 0") << QStringList{"--export-png", "DIR", "1.8a", "--scale", "0"};
        QTest::newRow("--scale above 16") << QStringList{"--export-png", "DIR", "1.8a", "--scale", "17"};
        QTest::newRow("--scale not a number") << QStringList{"--export-png", "DIR", "1.8a", "--scale", "nan"};
        QTest::newRow("--export-pdf with --print-view") << QStringList{"--export-pdf", "DIR/p.pdf", "1.8a", "--print-view"};
    }

    void unusableArgumentsAreRefused()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        args.replaceInStrings(QStringLiteral("DIR"), dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(qEnvironmentVariable("VELKORA_BIN"), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        QCOMPARE(p.readAllStandardOutput(), QByteArray());
        QVERIFY(p.readAllStandardError().contains("velkora: "));
        QVERIFY(QDir(dir.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ArgumentsTest)
#include "test_arguments.moc"
