// "As the system": the page follows the desktop's colour scheme as the freedesktop settings
// portal tells it, here a mock of the portal (python-dbusmock, colour_scheme_portal.py) on a
// session bus of the test's own, switched while the window is open. Without a portal, or
// with no preference, the page is Light.
#include "shown_window.h"
#include "shell/window/theme_controller.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
// What the page's paper is in each theme, read off the page in the other tests.
const QString lightPaper = QStringLiteral("#f0f0f0");
const QString darkPaper = QStringLiteral("#202020");

// The colour of the page's top-left corner, which every page leaves blank, as the window shows it.
QString paperShown(MainWindow& window)
{
    return QColor(window.pageView()->grab().toImage().pixel(1, 1)).name();
}

// The list's empty room below its entries, where only its background shows.
QString listBackground(MainWindow& window)
{
    const QImage list = window.list()->viewport()->grab().toImage();
    return QColor(list.pixel(list.width() / 2, list.height() - 4)).name();
}

class MockPortal {
public:
    // `parameters` as the template takes them, in JSON.
    explicit MockPortal(const QByteArray& parameters)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Debian's Python, where python3-dbusmock is installed, whatever else is first on PATH.
        process_.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--session"), QStringLiteral("-t"),
                        QFINDTESTDATA("colour_scheme_portal.py"), QStringLiteral("-p"), QString::fromUtf8(parameters)});
    }
    ~MockPortal()
    {
        process_.terminate();
        process_.waitForFinished();
    }
    bool up() const { return QDBusConnection::sessionBus().interface()->isServiceRegistered(portalService); }
    // As the user switching the desktop's scheme: the setting changes and the portal says so.
    void switchTo(uint scheme)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(portalService, QStringLiteral("/org/freedesktop/portal/desktop"),
                                                           QStringLiteral("org.freedesktop.DBus.Mock"),
                                                           QStringLiteral("SetColorScheme"));
        call << scheme;
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

private:
    QProcess process_;
};

// Settings that say "as the system", as the settings file spells it.
struct SystemChosen {
    SystemChosen()
    {
        QFile file(path());
        if (file.open(QIODevice::WriteOnly)) file.write("[view]\ntheme=system\n");
    }
    QString path() const { return dir.filePath(QStringLiteral("velkora.conf")); }
    QTemporaryDir dir;
};

}  // namespace

class SystemThemeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no session bus of the test's own"); }

    void thePageFollowsTheDesktopWhileTheWindowIsOpen()
    {
        MockPortal portal(R"({"scheme": 1})");
        QTRY_VERIFY(portal.up());
        SystemChosen chosen;
        QSettings settings(chosen.path(), QSettings::IniFormat);
        ShownWindow shown(&settings);
        QCOMPARE(shown.window.theme()->choice(), ThemeChoice::System);
        QVERIFY(shown.action("themeSystem")->isChecked());
        QTRY_COMPARE(paperShown(shown.window), darkPaper);
        QCOMPARE(listBackground(shown.window), darkPaper);
        portal.switchTo(2);
        QTRY_COMPARE(paperShown(shown.window), lightPaper);
        QCOMPARE(listBackground(shown.window), lightPaper);
        portal.switchTo(1);
        QTRY_COMPARE(paperShown(shown.window), darkPaper);
        QCOMPARE(listBackground(shown.window), darkPaper);
        // Another choice than "as the system" is the reader's, whatever the desktop says.
        shown.action("themeSepia")->trigger();
        portal.switchTo(2);
        portal.switchTo(1);
        QTest::qWait(200);
        QCOMPARE(paperShown(shown.window), QStringLiteral("#f4ecd8"));
    }

    void aPortalWithOnlyReadIsReadToo()
    {
        MockPortal portal(R"({"scheme": 1, "read_one": false})");
        QTRY_VERIFY(portal.up());
        SystemChosen chosen;
        QSettings settings(chosen.path(), QSettings::IniFormat);
        ShownWindow shown(&settings);
        QTRY_COMPARE(paperShown(shown.window), darkPaper);
    }

    void noPreferenceIsLight()
    {
        MockPortal portal(R"({"scheme": 1})");
        QTRY_VERIFY(portal.up());
        SystemChosen chosen;
        QSettings settings(chosen.path(), QSettings::IniFormat);
        ShownWindow shown(&settings);
        QTRY_COMPARE(paperShown(shown.window), darkPaper);
        portal.switchTo(0);
        QTRY_COMPARE(paperShown(shown.window), lightPaper);
    }

    void withoutAPortalThePageIsLight()
    {
        QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(portalService));
        SystemChosen chosen;
        QSettings settings(chosen.path(), QSettings::IniFormat);
        ShownWindow shown(&settings);
        QCOMPARE(shown.window.theme()->choice(), ThemeChoice::System);
        // Long enough for an answer, had there been anyone to give one.
        QTest::qWait(300);
        QCOMPARE(paperShown(shown.window), lightPaper);
        QCOMPARE(listBackground(shown.window), lightPaper);
    }
};

int main(int argc, char** argv)
{
    // On a session bus of its own, so that the mock is the only portal the window can reach
    // and the desktop's own is never touched.
    if (!qEnvironmentVariableIsSet("VELKORA_TEST_OWN_BUS")) {
        qputenv("VELKORA_TEST_OWN_BUS", "1");
        std::vector<char*> command = {const_cast<char*>("dbus-run-session"), const_cast<char*>("--")};
        for (int i = 0; i < argc; ++i) command.push_back(argv[i]);
        command.push_back(nullptr);
        execvp(command[0], command.data());
        std::perror("velkora test: dbus-run-session");
        return 1;
    }
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    SystemThemeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_system_theme.moc"
