// The main window's behaviour: list, keys, click guard, dispatcher, print item,
// and the headless commands of the binary.
#include "canvas/drawing_state.h"
#include "fixture.h"
#include "offscreen_screens.h"
#include "pages/registry.h"
#include "shell/window/main_window.h"
#include "shell/window/window_actions.h"
#include "shell/window/page_area.h"

#include <QApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const char* const suffixes[][2] = {
    {"1.8a", " (追加問題)"},       {"1.8", "　p. 13."},   {"1.11", "　p. 16."}, {"1.12", "　p. 16."},
    {"1.13", "　p. 16."},          {"1.14", "　p. 16."},  {"1.15", "　p. 16."}, {"1.16", "　p. 16"},
    {"1.17", "　(追加問題)　"},    {"3.2", "　p. 53."},   {"3.3", "　p. 53."},  {"5.5", "　p. 84."},
    {"5.9", "　p. 107."},          {"5.12", "　p. 108."}, {"5.13", "　p. 108."}, {"5.14", "　p. 108."},
    {"5.15", "　p. 108."},         {"5.16", "(追加問題) p. 82."}, {"5.17", "(追加問題) p. 37-38."},
    {"6.1", "　p. 121."},          {"6.4", "　p. 121."},  {"7.9", "　p. 144."}, {"7.10", "　p. 144."},
    {"7.11", "　p. 144."},         {"7.12", "　p. 144."}, {"7.13", "　p. 144."}, {"7.14", "　[追加問題]"},
};

struct Run {
    int status;
    QByteArray out, err;
};

Run velkora(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("VELKORA_BIN"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QPoint centreOfRow(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

private slots:
    void startUpListsTheProblemsAndDrawsTheFirst()
    {
        MathForm form;
        form.formLoad();
        QCOMPARE(form.listItems().size(), 27);
        QCOMPARE(form.listItems().first(), QStringLiteral("[問題 1.8a]"));
        QCOMPARE(form.listItems().at(25), QStringLiteral("[問題 7.14]"));
        QCOMPARE(form.listItems().last(), QStringLiteral(" [印刷する]"));
        QVERIFY(!form.listItems().contains(QStringLiteral("[問題 5.17]")));
        QCOMPARE(form.listIndex(), 0);
        QCOMPARE(form.curProb(), 1L);
        QCOMPARE(form.pic.clsCount(), 1);
        QVERIFY(!form.pic.ops().empty());
        QCOMPARE(form.pic.BackColor, 0xF0F0F0u);
        QCOMPARE(form.pic2.BackColor, 0xFFFFFFu);
        QCOMPARE(form.pic2.FontSize, 12.75f);
    }

    void keysMoveTheSelectionWithinTheProblems()
    {
        MathForm form;
        form.formLoad();
        form.formKeyDown(Qt::Key_End);
        QCOMPARE(form.listIndex(), 25);
        QCOMPARE(form.curProb(), 26L);
        form.formKeyDown(Qt::Key_Down);
        QCOMPARE(form.listIndex(), 25);  // never onto the print item
        form.formKeyDown(Qt::Key_Backspace);
        QCOMPARE(form.listIndex(), 24);
        form.formKeyDown(Qt::Key_Enter);
        QCOMPARE(form.listIndex(), 25);
        form.formKeyDown(Qt::Key_Home);
        QCOMPARE(form.listIndex(), 0);
        form.formKeyDown(Qt::Key_Up);
        QCOMPARE(form.listIndex(), 0);
        form.formKeyDown(Qt::Key_Return);  // the main keyboard's Enter
        QCOMPARE(form.curProb(), 2L);
        QVERIFY(!form.formKeyDown(Qt::Key_A));
        QCOMPARE(form.listIndex(), 1);
        QVERIFY(form.formKeyDown(Qt::Key_Escape));

        int prints = 0;
        form.onPrint = [&](const Surface&) { ++prints; };
        form.select(26);
        QCOMPARE(prints, 1);
        form.formKeyDown(Qt::Key_Up);
        QCOMPARE(form.listIndex(), 25);
    }

    void nothingSelectedIgnoresUpAndDown()
    {
        MathForm form;
        form.setNoProb(QStringLiteral("1.8a"));
        form.setNoProb(QStringLiteral("1.8"));
        form.formKeyDown(Qt::Key_Down);
        form.formKeyDown(Qt::Key_Up);
        QCOMPARE(form.listIndex(), -1);
        QCOMPARE(form.pic.clsCount(), 0);
    }

    void idTableRefusesMoreThanAHundredIds()
    {
        MathForm form;
        for (int i = 0; i < 105; ++i) form.setNoProb(QString::number(i));
        QCOMPARE(form.listItems().size(), 100);
    }

    void printItemDrawsTheCurrentPageInThePrintView()
    {
        MathForm form;
        std::vector<DrawOp> printed;
        int prints = 0;
        form.onPrint = [&](const Surface& page) {
            printed = page.ops();
            ++prints;
            form.boxClick();  // a click while the handler runs is dropped
        };
        form.formLoad();
        form.select(26);
        QCOMPARE(prints, 1);
        QCOMPARE(form.curProb(), 1L);
        const DrawingState& startup = form.startup();
        const DrawOp heading = printed.front();
        QCOMPARE(heading.text, QStringLiteral("[問題 1.8a] (追加問題)"));
        QCOMPARE(heading.x, double(roundHalfEven(2.0 * startup.chW)));
        QCOMPARE(heading.y, double(float(0.5 * startup.lineH)));

        form.boxClick();  // the print item clicked again prints the same page from a cleared surface
        QCOMPARE(prints, 2);
        QCOMPARE(form.pic2.clsCount(), 2);
        QCOMPARE(describe(form.pic2.ops()), describe(printed));

        form.select(3);
        QCOMPARE(form.pic.ops().front().x, 0.0);
    }

    void everyPageStartsWithItsHeading_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("suffix");
        for (const auto& row : suffixes) QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }

    void everyPageStartsWithItsHeading()
    {
        QFETCH(QString, id);
        QFETCH(QString, suffix);
        for (bool printView : {false, true}) {
            const auto ops = pageOps(id, printView);
            QVERIFY(!ops.empty());
            const DrawOp& heading = ops.front();
            QCOMPARE(heading.text, QStringLiteral("[問題 ") + id + QStringLiteral("]") + suffix);
            QCOMPARE(QColor(heading.color), QColor(0, 0, 255));
            const DrawingState& startup = loadedForm().startup();
            QCOMPARE(heading.x, printView ? double(roundHalfEven(2.0 * startup.chW)) : 0.0);
            QCOMPARE(heading.y, double(float(0.5 * startup.lineH)));
        }
    }

    // The one place the listed ids are written out by hand, in the book's order, as the
    // reference the registry is held to; 5.17 has a page and no entry.
    void registryListsTheProblemsOfTheBookAndDispatchesEveryPage()
    {
        const QStringList listed = {"1.8a", "1.8",  "1.11", "1.12", "1.13", "1.14", "1.15", "1.16", "1.17",
                                    "3.2",  "3.3",  "5.5",  "5.9",  "5.12", "5.13", "5.14", "5.15", "5.16",
                                    "6.1",  "6.4",  "7.9",  "7.10", "7.11", "7.12", "7.13", "7.14"};
        QCOMPARE(listedIds(), listed);
        QCOMPARE(pageRegistry().size(), size_t(27));
        QCOMPARE(QString::fromLatin1(pageRegistry()[18].id), QStringLiteral("5.17"));
        QVERIFY(findPage(QStringLiteral("5.17")) && !findPage(QStringLiteral("5.17"))->listed);
        QVERIFY(findPage(QStringLiteral("1.8a"))->script == p1_8a);
        QVERIFY(findPage(QStringLiteral("1.8"))->script == p1_8);
        QVERIFY(!findPage(QStringLiteral("1.8A")));
        QVERIFY(!findPage(QString()));
        MathForm& form = loadedForm();
        form.showPage(QStringLiteral("9.99"), false);
        QVERIFY(form.pic.ops().empty());
    }
};

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void windowHasTheDesignedLayout()
    {
        MainWindow window(nullptr);
        QCOMPARE(window.windowTitle(), QStringLiteral(" Velkora"));
        QCOMPARE(window.size(), QSize(808, 724));
        QCOMPARE(window.list()->geometry(), QRect(8, 11, 98, 700));
        window.show();  // the page stands in its area once laid out
        QCOMPARE(QRect(window.pageView()->mapTo(&window, QPoint()), window.pageView()->size()), QRect(122, -2, 682, 722));
        QCOMPARE(window.pageArea()->geometry(), QRect(122, -2, 682, 722));
        QCOMPARE(window.list()->count(), 27);
        QCOMPARE(window.list()->currentRow(), 0);
    }

    void keysAndClicksDriveTheList()
    {
        MainWindow window(nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListWidget* list = window.list();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 1);  // the list does not move a second time
        QCOMPARE(window.form().curProb(), 2L);
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->currentRow(), 25);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->currentRow(), 25);
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(list->currentRow(), 0);
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(list->currentRow(), 0);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, 4));
        QCOMPARE(list->currentRow(), 4);
        QCOMPARE(window.form().curProb(), 5L);
        QCOMPARE(window.form().pic.ops().front().text, QStringLiteral("[問題 1.13]　p. 16."));
    }

    void escapeEndsTheProgram()
    {
        MainWindow window(nullptr);
        window.show();
        QTimer::singleShot(0, &window, [&] { QTest::keyClick(window.list(), Qt::Key_Escape); });
        QTimer::singleShot(5000, &window, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void printItemPrintsOneSheetToThePrinter()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        MainWindow window([&] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
        window.show();
        QListWidget* list = window.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, 26));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page/") +
                     bytes.count("/Type /Page "),
                 1);
        QVERIFY(!window.findChild<QMessageBox*>(QStringLiteral("printMessage")));
    }

    void onlyAClickOnThePrintItemPrints()
    {
        int prints = 0;
        MainWindow window([&] {
            ++prints;
            return std::unique_ptr<QPrinter>();
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListWidget* list = window.list();
        QWidget* rows = list->viewport();

        // The list's own keys stop at the last problem, as End does. The window takes
        // PgDn to scroll the page; without that shortcut the list has it.
        window.actions()->scrollDown->setEnabled(false);
        window.actions()->scrollRight->setEnabled(false);
        const auto listOwnKey = [list](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(list, key, modifiers);
        };
        for (int i = 0; i < 3; ++i) listOwnKey(Qt::Key_PageDown);
        QCOMPARE(list->currentRow(), 25);
        listOwnKey(Qt::Key_PageDown, Qt::ShiftModifier);
        QTest::keyClick(list, Qt::Key_Right);
        QCOMPARE(list->currentRow(), 25);
        // Space (the print item's first character) and other letters change nothing.
        QTest::keyClick(list, Qt::Key_Home);
        const int drawn = window.form().pic.clsCount();
        for (const char* typed : {" ", "[", "a", " "}) QTest::keyClicks(list, QString::fromLatin1(typed));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(window.form().pic.clsCount(), drawn);

        // A drag down the list passes over problems and stops before the print item.
        QTest::mousePress(rows, Qt::LeftButton, {}, centreOfRow(list, 20));
        for (int row : {22, 25, 26}) QTest::mouseMove(rows, centreOfRow(list, row));
        QTest::mouseRelease(rows, Qt::LeftButton, {}, centreOfRow(list, 26));
        QCOMPARE(list->currentRow(), 25);
        // A press on the print item released elsewhere is taken back.
        QTest::mousePress(rows, Qt::LeftButton, {}, centreOfRow(list, 26));
        QTest::mouseMove(rows, centreOfRow(list, 24));
        QTest::mouseRelease(rows, Qt::LeftButton, {}, centreOfRow(list, 24));
        QTest::mousePress(rows, Qt::RightButton, {}, centreOfRow(list, 26));
        QTest::mouseRelease(rows, Qt::RightButton, {}, centreOfRow(list, 26));
        QCOMPARE(prints, 0);
        QCOMPARE(list->currentRow(), 25);

        QTest::mouseClick(rows, Qt::LeftButton, {}, centreOfRow(list, 26));
        QCOMPARE(prints, 1);
        QCOMPARE(list->currentRow(), 26);
        QCOMPARE(window.form().curProb(), 26L);
    }

    void noPrinterSaysSoAndCarriesOn()
    {
        MainWindow window([] { return std::unique_ptr<QPrinter>(); });
        window.show();
        QListWidget* list = window.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, 26));
        auto* box = window.findChild<QMessageBox*>(QStringLiteral("printMessage"));
        QVERIFY(box);
        QVERIFY(box->text().contains(QStringLiteral("No printer")));
        box->close();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, 2));
        QCOMPARE(window.form().curProb(), 3L);
    }
};

class CommandTest : public QObject {
    Q_OBJECT

private slots:
    void listPrintsTheEntries()
    {
        const Run r = velkora({"--list"});
        QCOMPARE(r.status, 0);
        const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 27);
        QCOMPARE(lines.first(), QStringLiteral("[問題 1.8a]"));
        QCOMPARE(lines.last(), QStringLiteral(" [印刷する]"));
    }

    void traceShowsMetricsThenOperations()
    {
        for (bool printView : {false, true}) {
            QStringList args{"--trace", "1.8a"};
            if (printView) args << "--print-view";
            const Run r = velkora(args);
            QCOMPARE(r.status, 0);
            const QList<QByteArray> lines = r.out.split('\n');
            const QJsonObject metrics = QJsonDocument::fromJson(lines[0]).object();
            for (const char* key : {"chW", "lineH", "tab5", "tab10", "tab40", "leftMargin", "baseFontSize", "hasBookman"})
                QVERIFY2(metrics.contains(QLatin1String(key)), key);
            QCOMPARE(QJsonDocument::fromJson(lines[1]).object().value("op").toString(), QStringLiteral("cls"));
            const QJsonObject heading = QJsonDocument::fromJson(lines[2]).object();
            QCOMPARE(heading.value("op").toString(), QStringLiteral("text"));
            QCOMPARE(heading.value("color").toString(), QStringLiteral("#0000ff"));
            QCOMPARE(heading.value("face").toString(), QStringLiteral("メイリオ"));
            const double chW = metrics.value("chW").toDouble();
            QCOMPARE(heading.value("x").toDouble(), printView ? double(roundHalfEven(2 * chW)) : 0.0);
            QCOMPARE(heading.value("y").toDouble(), double(float(0.5 * metrics.value("lineH").toDouble())));
        }
    }

    void exportsWritePagesAtTheirSize()
    {
        QTemporaryDir dir;
        QCOMPARE(velkora({"--export-png", dir.path(), "1.11", "5.17"}).status, 0);
        QCOMPARE(QImage(dir.filePath("1.11.png")).size(), QSize(682, 722));
        QCOMPARE(QImage(dir.filePath("5.17.png")).size(), QSize(682, 722));
        QCOMPARE(velkora({"--export-png", dir.path(), "1.8a", "--scale", "2"}).status, 0);
        QCOMPARE(QImage(dir.filePath("1.8a.png")).size(), QSize(1364, 1444));
        const QString pdf = dir.filePath("pages.pdf");
        QCOMPARE(velkora({"--export-pdf", pdf, "1.8a", "3.3"}).status, 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("%PDF"));
    }

    void badInputFailsCleanly_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown id") << QStringList{"--export-png", "DIR", "9.99"};
        QTest::newRow("unknown trace id") << QStringList{"--trace", "1.8A"};
        QTest::newRow("missing folder") << QStringList{"--export-png"};
        QTest::newRow("missing file") << QStringList{"--export-pdf"};
        QTest::newRow("missing id") << QStringList{"--trace"};
        QTest::newRow("bad scale") << QStringList{"--export-png", "DIR", "--scale", "x"};
        QTest::newRow("scale missing") << QStringList{"--export-png", "DIR", "1.8a", "--scale"};
        QTest::newRow("scale twice") << QStringList{"--export-png", "DIR", "--scale", "2", "1.8a", "--scale", "3"};
        QTest::newRow("scale tiny") << QStringList{"--export-png", "DIR", "--scale", "1e-9"};
        QTest::newRow("scale below range") << QStringList{"--export-png", "DIR", "--scale", "0.24"};
        QTest::newRow("scale above range") << QStringList{"--export-png", "DIR", "--scale", "16.01"};
        QTest::newRow("scale not a number") << QStringList{"--export-png", "DIR", "--scale", "nan"};
        QTest::newRow("scale for a pdf") << QStringList{"--export-pdf", "DIR/p.pdf", "1.8a", "--scale", "2"};
        QTest::newRow("pdf into absent folder") << QStringList{"--export-pdf", "DIR/absent/p.pdf"};
        QTest::newRow("unknown command") << QStringList{"--frobnicate"};
        QTest::newRow("empty command") << QStringList{""};
        QTest::newRow("id as command") << QStringList{"1.8a"};
    }

    void badInputFailsCleanly()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        args.replaceInStrings(QStringLiteral("DIR"), dir.path());
        const Run r = velkora(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("velkora: "));
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void unknownWordsAreNamedShortly()
    {
        const QByteArray longId(100000, 'x');
        for (const QStringList& args : {QStringList{"--trace", longId}, QStringList{"--export-pdf", "-", longId},
                                         QStringList{QString::fromLatin1(longId)}}) {
            const Run r = velkora(args);
            QCOMPARE(r.status, 2);
            QCOMPARE(r.err.count('\n'), 1);
            QVERIFY2(r.err.size() < 120, r.err.left(120).constData());
            QVERIFY(r.err.contains(QByteArray(32, 'x') + "…\""));
        }
        QVERIFY(velkora({""}).err.contains("unknown command \"\""));
    }

    void scaleMayStandAnywhereWithinItsRange()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        QCOMPARE(velkora({"--export-png", "--scale", "2", out, "1.8a"}).status, 0);
        QCOMPARE(QImage(out + "/1.8a.png").size(), QSize(1364, 1444));
        QCOMPARE(velkora({"--export-png", out, "--print-view", "--scale", "0.25", "1.8"}).status, 0);
        QCOMPARE(QImage(out + "/1.8.png").size(), QSize(187, 181));
        QCOMPARE(velkora({"--export-png", out, "1.11", "--scale", "16e-1", "--print-view"}).status, 0);
        QCOMPARE(QImage(out + "/1.11.png").size(), QSize(1192, 1156));
    }

    void exportPngMakesItsFolder()
    {
        QTemporaryDir dir;
        const QString nested = dir.filePath("a/b/c");
        QCOMPARE(velkora({"--export-png", nested, "3.3"}).status, 0);
        QCOMPARE(QImage(nested + "/3.3.png").size(), QSize(682, 722));
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const Run r = velkora({"--export-png", dir.filePath("file/sub"), "3.3"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("Not a directory"), r.err.constData());
    }

    // Output that is not a regular file is written where it is; regular files are
    // replaced whole, and leave nothing else behind.
    void outputGoesWhereItIsNamed()
    {
        QTemporaryDir dir;
        // A null device of the test's own: should the program replace it, the
        // machine's /dev/null stays a device.
        const QByteArray device = QFile::encodeName(dir.filePath("null"));
        if (mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
            QCOMPARE(velkora({"--export-pdf", QString::fromLocal8Bit(device), "1.8a"}).status, 0);
            struct stat info;
            QVERIFY(stat(device.constData(), &info) == 0 && S_ISCHR(info.st_mode));
        } else {
            qInfo("not allowed to make a device node here; only the FIFO is tried");
        }

        const Run pdf = velkora({"--export-pdf", "-", "1.8a"});
        QCOMPARE(pdf.status, 0);
        QVERIFY(pdf.out.startsWith("%PDF"));
        const Run trace = velkora({"--trace", "1.8a", "-", "--print-view"});
        QCOMPARE(trace.status, 0);
        QCOMPARE(trace.out, velkora({"--trace", "--print-view", "1.8a"}).out);

        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
        QVERIFY(mkfifo(fifo.constData(), 0600) == 0);
        QProcess reader;
        reader.start(QStringLiteral("cat"), {QString::fromLocal8Bit(fifo)});
        QVERIFY(reader.waitForStarted());
        QCOMPARE(velkora({"--trace", "1.8a", QString::fromLocal8Bit(fifo), "--print-view"}).status, 0);
        QVERIFY(reader.waitForFinished(10000));
        QCOMPARE(reader.readAllStandardOutput(), trace.out);
        QVERIFY(QFileInfo(QString::fromLocal8Bit(fifo)).isFile() == false);

        const QString file = dir.filePath("pages.pdf");
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        QCOMPARE(velkora({"--export-pdf", file, "3.2"}).status, 0);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(old.readAll().startsWith("%PDF"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"pages.pdf"});
    }

    void everyWriteErrorIsOneLineWithItsReason_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("reason");
        const QByteArray noSpace = "No space left on device";
        QTest::newRow("list") << QStringList{"--list"} << noSpace;
        QTest::newRow("trace") << QStringList{"--trace", "1.8a"} << noSpace;
        QTest::newRow("trace to the device") << QStringList{"--trace", "1.8a", "/dev/full"} << noSpace;
        QTest::newRow("pdf") << QStringList{"--export-pdf", "-", "1.8a"} << noSpace;
        QTest::newRow("pdf to the device") << QStringList{"--export-pdf", "/dev/full", "1.8a"} << noSpace;
        QTest::newRow("help") << QStringList{"--help"} << noSpace;
        QTest::newRow("version") << QStringList{"--version"} << noSpace;
        QTest::newRow("name too long") << QStringList{"--export-pdf", "DIR/" + QString(300, 'n'), "1.8a"}
                                       << QByteArray("File name too long");
        QTest::newRow("pdf into a folder") << QStringList{"--export-pdf", "DIR", "1.8a"}
                                           << QByteArray("Is a directory");
        QTest::newRow("png into a file") << QStringList{"--export-png", "DIR/file", "1.8a"}
                                         << QByteArray("Not a directory");
    }

    void everyWriteErrorIsOneLineWithItsReason()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, reason);
        QTemporaryDir dir;
        QFile(dir.filePath("file")).open(QIODevice::WriteOnly);
        args.replaceInStrings(QStringLiteral("DIR"), dir.path());
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(qEnvironmentVariable("VELKORA_BIN"), args);
        QVERIFY(p.waitForFinished(60000));
        const QByteArray err = p.readAllStandardError();
        QCOMPARE(p.exitCode(), 2);
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("velkora: ") && err.contains(reason), err.constData());
    }

    // Names are the bytes the user gave, whether or not they are UTF-8.
    void namesThatAreNotUtf8()
    {
        QTemporaryDir dir;
        const std::filesystem::path folder = QFile::encodeName(dir.path()).toStdString() + "/d\xff\xfe";
        QVERIFY(std::filesystem::create_directory(folder));
        // The shell hands the bytes over as they are; QProcess would encode its arguments.
        const QString script = QStringLiteral(
            "d=\"$1/d$(printf '\\377\\376')\"; \"$0\" --export-png \"$d\" 1.8a &&"
            " \"$0\" --export-png \"$d/new$(printf '\\377')\" 1.8 && \"$0\" --export-pdf \"$d/p$(printf '\\376').pdf\" 3.3");
        QProcess p;
        p.start(QStringLiteral("/bin/sh"), {"-c", script, qEnvironmentVariable("VELKORA_BIN"), dir.path()});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
        QCOMPARE(names, (std::set<std::string>{"1.8a.png", "new\xff", "p\xfe.pdf"}));
        QVERIFY(std::filesystem::exists(folder / "new\xff" / "1.8.png"));
        std::filesystem::remove_all(folder);  // QTemporaryDir cannot name it to remove it
    }

    void helpAndVersionNeedNoDisplay()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");  // a GUI application would fail to start here
        const Run help = velkora({"--help"}, env);
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains("--export-png"));
        QVERIFY(help.err.isEmpty());
        const Run version = velkora({"--version"}, env);
        QCOMPARE(version.status, 0);
        QVERIFY(version.out.startsWith("velkora "));
    }

    void successSaysNothingOnStderr()
    {
        QTemporaryDir dir;
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QList<QStringList> commands = {{"--list"},
                                             {"--help"},
                                             {"--version"},
                                             {"--trace", "5.5"},
                                             {"--export-png", dir.filePath("png"), "1.8a", "--scale", "0.5"},
                                             {"--export-pdf", dir.filePath("p.pdf"), "1.8a"}};
        for (bool runtimeSet : {false, true}) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove("XDG_RUNTIME_DIR");
            if (runtimeSet) env.insert("XDG_RUNTIME_DIR", runtime.path());
            for (const QStringList& args : commands) {
                const Run r = velkora(args, env);
                QCOMPARE(r.status, 0);
                QVERIFY2(r.err.isEmpty(), qPrintable(args.first() + ": " + r.err));
            }
        }
    }

    void noInstalledFontsStillDrawAndSayWhatToInstall()
    {
        QTemporaryDir dir;
        QFile config(dir.filePath("fonts.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
        config.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("FONTCONFIG_FILE", config.fileName());
        const Run r = velkora({"--export-png", dir.path(), "1.8a"}, env);
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.contains("install the Debian package fonts-noto-cjk"));
        QCOMPARE(r.err.count("\"Symbol\""), 1);  // once per face, not once per glyph
        QCOMPARE(QImage(dir.filePath("1.8a.png")).size(), QSize(682, 722));
    }

    void windowWithoutADisplayExplainsItself()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        const Run r = velkora({}, env);
        QCOMPARE(r.status, 2);  // an error, as every other one
        QVERIFY(r.err.contains("DISPLAY"));
    }
};

int main(int argc, char** argv)
{
    useOffscreenScreens();
    QApplication app(argc, argv);
    int status = 0;
    FormTest form;
    status |= QTest::qExec(&form, argc, argv);
    WindowTest window;
    status |= QTest::qExec(&window, argc, argv);
    CommandTest commands;
    status |= QTest::qExec(&commands, argc, argv);
    return status;
}

#include "test_shell.moc"
