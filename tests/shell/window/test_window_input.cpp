// Clicks and keys on the real window, without a display: how many print jobs the print
// item sends, and the keys that move up the list.
#include "ink_compare.h"
#include "shell/window/main_window.h"

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int printRow = 26;

void clickRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

}  // namespace

class WindowInputTest : public QObject {
    Q_OBJECT

private slots:
    // Each print the window starts asks for a printer once: counting the asks counts the jobs.
    void eachClickOnThePrintItemPrintsOnce()
    {
        QTemporaryDir dir;
        int jobs = 0;
        MainWindow window([&] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(dir.filePath(QStringLiteral("job%1.pdf").arg(++jobs)));
            return printer;
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        clickRow(window.list(), printRow);
        QCOMPARE(jobs, 1);
        // What the printer got is the print view, sheet margins and all.
        const std::vector<QImage> sheets = popplerSheets(dir.filePath(QStringLiteral("job1.pdf")),
                                                         dir.filePath(QStringLiteral("sheet")), 2);
        QCOMPARE(sheets.size(), size_t(1));
        const Surface& printView = window.form().pic2;
        const QStringList misplaced = misplacedInk(printView.toImage(1), sheets.front(), printView.ops(), 1);
        QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join('\n')));
        clickRow(window.list(), printRow);  // the print item is already selected
        QCOMPARE(jobs, 2);
        clickRow(window.list(), 3);
        QCOMPARE(jobs, 2);
    }

    void upAndBackspaceMoveUpToTheFirstEntry_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Up") << int(Qt::Key_Up);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    }

    void upAndBackspaceMoveUpToTheFirstEntry()
    {
        QFETCH(int, key);
        MainWindow window([] { return std::unique_ptr<QPrinter>(); });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListWidget* list = window.list();
        clickRow(list, 2);
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(window.form().curProb(), 2L);
        QCOMPARE(window.form().pic.ops().front().text, QStringLiteral("[問題 1.8]　p. 13."));
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(window.form().curProb(), 1L);
        QTest::keyClick(list, Qt::Key(key));  // the first entry is as far up as it goes
        QCOMPARE(list->currentRow(), 0);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    WindowInputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_input.moc"
