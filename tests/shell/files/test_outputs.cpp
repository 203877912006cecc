// Every output of every page against an independent rendering of the same page: the
// PDF export, rasterised by Poppler, against the print view's PNG; the window's page at
// device pixel ratio 2 against the PNG export at scale 2.
#include "ink_compare.h"
#include "offscreen_screens.h"
#include "pages/registry.h"
#include "shell/window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every page, in the order the dispatcher knows them, as the exports draw them.
QStringList allPages()
{
    QStringList ids;
    for (const PageEntry& e : pageRegistry()) ids << QLatin1String(e.id);
    return ids;
}

QProcessEnvironment exportEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    return env;
}

bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessEnvironment(exportEnvironment());
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return false;
    }
    return true;
}

QString velkora() { return qEnvironmentVariable("VELKORA_BIN"); }

}  // namespace

class OutputsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    MainWindow* window = nullptr;
    std::vector<QImage> poppler;

    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        const QStringList pages = allPages();
        QVERIFY(run(velkora(), QStringList{"--export-pdf", path("all.pdf")} + pages));
        QDir().mkpath(path("print"));
        QDir().mkpath(path("scale2"));
        QVERIFY(run(velkora(), QStringList{"--export-png", path("print")} + pages + QStringList{"--print-view"}));
        QVERIFY(run(velkora(), QStringList{"--export-png", path("scale2")} + pages + QStringList{"--scale", "2"}));
        poppler = popplerSheets(path("all.pdf"), path("poppler"), int(pages.size()));
        QCOMPARE(poppler.size(), size_t(pages.size()));
        window = new MainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->devicePixelRatio(), 2.0);
    }

    void cleanupTestCase() { delete window; }

    void everyOutputMatchesItsReference_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("sheet");
        int sheet = 0;
        for (const QString& id : allPages()) QTest::newRow(qPrintable(id)) << id << ++sheet;
    }

    // Rows run in dispatch order, the order the exports drew the pages in, so the state
    // one page leaves to the next is the same here.
    void everyOutputMatchesItsReference()
    {
        QFETCH(QString, page);
        QFETCH(int, sheet);
        MathForm& form = window->form();

        form.showPage(page, true);
        const QImage print(path("print/%1.png").arg(page));
        const QImage& sheetImage = poppler.at(size_t(sheet - 1));
        QVERIFY2(!print.isNull() && !sheetImage.isNull(), "missing export");
        const QStringList paper = misplacedInk(print, sheetImage, form.pic2.ops(), 1);
        QVERIFY2(paper.isEmpty(), qPrintable(QStringLiteral("PDF export, page %1 (%2):\n").arg(page,
                     keepForInspection(sheetImage, page + QStringLiteral("-poppler"))) + paper.join('\n')));

        form.showPage(page, false);
        window->pageView()->update();
        const QImage screen = window->pageView()->grab().toImage();
        const QImage export2(path("scale2/%1.png").arg(page));
        const QStringList hiDpi = misplacedInk(export2, screen, form.pic.ops(), 2);
        QVERIFY2(hiDpi.isEmpty(), qPrintable(QStringLiteral("window at 2x, page %1 (%2):\n").arg(page,
                     keepForInspection(screen, page + QStringLiteral("-window"))) + hiDpi.join('\n')));
    }
};

int main(int argc, char** argv)
{
    // The window is shown as on a HiDPI screen, one with room for it.
    qputenv("QT_SCALE_FACTOR", "2");
    useOffscreenScreens();
    QApplication app(argc, argv);
    OutputsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_outputs.moc"
