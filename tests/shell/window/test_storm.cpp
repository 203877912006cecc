// A seeded storm of random keys and clicks against the real main window: the
// program must not fall over, warn, leak or change what a page looks like.
#include "canvas/drawing_state.h"
#include "fixture.h"
#include "shell/window/main_window.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QtTest>
#include <random>
#include <unistd.h>

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr bool measuresMemory = false;  // the address sanitizer holds freed memory back on purpose
#else
constexpr bool measuresMemory = true;
#endif

QStringList qtWarnings;

void recordWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    // The headless platform says what it cannot do for dialogs; a real display does it.
    const bool headlessDialog = QGuiApplication::platformName() == QLatin1String("offscreen") &&
                                message.startsWith(QLatin1String("This plugin does not support"));
    if (type != QtDebugMsg && type != QtInfoMsg && !headlessDialog) qtWarnings << message;
}

long residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

const int keys[] = {Qt::Key_Home, Qt::Key_End, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return, Qt::Key_Enter,
                    Qt::Key_Backspace, Qt::Key_A, Qt::Key_Space, Qt::Key_PageDown, Qt::Key_Left};

QStringList pagesInListOrder(MainWindow& window)
{
    QStringList pages;
    QListWidget* list = window.list();
    for (int row = 0; row < list->count() - 1; ++row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        pages << describe(window.form().pic.ops());
    }
    return pages;
}

}  // namespace

class StormTest : public QObject {
    Q_OBJECT

private slots:
    void tenThousandRandomKeysAndClicks()
    {
        MainWindow window([] { return std::unique_ptr<QPrinter>(); });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListWidget* list = window.list();
        qInstallMessageHandler(recordWarnings);

        const QStringList firstPass = pagesInListOrder(window);
        const QPoint printItem = list->visualItemRect(list->item(26)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, printItem);
        QCoreApplication::processEvents();
        const long afterOnePass = residentKilobytes();

        std::mt19937 random(20261206);
        for (int i = 0; i < 10000; ++i) {
            if (random() % 3 == 0) {
                const int row = int(random() % 27);
                const QPoint at = list->visualItemRect(list->item(row)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            } else {
                QTest::keyClick(list, Qt::Key(keys[random() % std::size(keys)]));
            }
            QVERIFY2(list->currentRow() >= 0 && list->currentRow() < 27, qPrintable(QString::number(i)));
            QCOMPARE(window.form().listIndex(), list->currentRow());
            if (i % 500 == 0) QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();

        QCOMPARE(pagesInListOrder(window), firstPass);
        const long afterStorm = residentKilobytes();
        qInstallMessageHandler(nullptr);
        if (measuresMemory)
            QVERIFY2(afterStorm <= afterOnePass * 1.10,
                     qPrintable(QStringLiteral("%1 KiB after one pass, %2 KiB after the storm")
                                    .arg(afterOnePass)
                                    .arg(afterStorm)));
        QVERIFY2(qtWarnings.isEmpty(), qPrintable(qtWarnings.join('\n')));
    }
};

QTEST_MAIN(StormTest)
#include "test_storm.moc"
