// Fontconfig names some faces in the reader's language (IPAGothic is IPAゴシック under a
// Japanese locale): the program must find the same faces, and say nothing, in both.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    QByteArray out, err;
};

Run traceUnder(const QString& locale)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("LC_ALL"), locale);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("VELKORA_BIN"), {QStringLiteral("--trace"), QStringLiteral("1.8")});
    p.waitForFinished(30000);
    return {p.readAllStandardOutput(), p.readAllStandardError()};
}

// How many runs each face's stand-in draws: the faces, whatever they are called.
QMap<QString, int> facesUsed(const QByteArray& trace)
{
    QMap<QString, int> faces;
    for (const QByteArray& line : trace.split('\n')) {
        const QJsonObject op = QJsonDocument::fromJson(line).object();
        if (op.value("op") == QLatin1String("text")) ++faces[op.value("face").toString()];
    }
    return faces;
}

}  // namespace

class LocalesTest : public QObject {
    Q_OBJECT

private slots:
    void japaneseLocaleFindsTheSameFacesQuietly()
    {
        QProcess locales;
        locales.start(QStringLiteral("locale"), {QStringLiteral("-a")});
        locales.waitForFinished();
        QVERIFY2(locales.readAllStandardOutput().contains("ja_JP.utf8"),
                 "the ja_JP.UTF-8 locale is not generated (./setup test generates it)");

        const Run c = traceUnder(QStringLiteral("C.UTF-8")), ja = traceUnder(QStringLiteral("ja_JP.UTF-8"));
        QVERIFY(!c.out.isEmpty() && !ja.out.isEmpty());
        // Quietly: a missing face would be said on stderr, in the locale's language.
        QVERIFY2(ja.err.isEmpty(), ja.err.constData());
        QVERIFY2(c.err.isEmpty(), c.err.constData());
        QCOMPARE(facesUsed(ja.out), facesUsed(c.out));
        // Every advance is the same: the same faces drew the page.
        auto advances = [](const QByteArray& trace) {
            QList<double> all;
            for (const QByteArray& line : trace.split('\n'))
                all << QJsonDocument::fromJson(line).object().value("advance").toDouble();
            return all;
        };
        QCOMPARE(advances(ja.out), advances(c.out));
    }
};

QTEST_GUILESS_MAIN(LocalesTest)
#include "test_locales.moc"
