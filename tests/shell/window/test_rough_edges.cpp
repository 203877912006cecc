// Small things a user trips over: where Save puts every page as PNG and what it says it
// did, the folder Save remembers, the names of PDFs and print jobs, the key list's face,
// the list in a short window, F3 with the find bar closed, and the window as assistive
// technology sees it.
#include "fixture.h"
#include "shown_window.h"
#include "offscreen_screens.h"
#include "shell/reading/find_bar.h"
#include "shell/window/main_window.h"
#include "shell/window/page_area.h"
#include "shell/window/page_saver.h"
#include "shell/window/page_view.h"
#include "shell/files/page_files.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

namespace {

const QStringList ids = listedIds();

// What Poppler's pdfinfo reads as the PDF's Title.
QString titleOf(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(10000)) return QStringLiteral("pdfinfo did not answer");
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("Title:"))) return line.mid(6).trimmed();
    return QString();
}

// The faces a label's rich text draws a stretch of its text in, as the label lays it out.
QStringList facesDrawing(const QLabel& label, const QString& stretch)
{
    QTextDocument document;
    document.setDefaultFont(label.font());
    document.setHtml(label.text());
    document.size();  // lays the whole text out
    QStringList faces;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int at = int(block.text().indexOf(stretch));
        if (at < 0) continue;
        for (const QGlyphRun& run : block.layout()->glyphRuns(at, int(stretch.size())))
            faces << run.rawFont().familyName() + ' ' + run.rawFont().styleName();
    }
    faces.removeDuplicates();
    return faces;
}

QFileDialog* visibleDialog(const MainWindow& window, const char* name)
{
    auto* dialog = window.findChild<QFileDialog*>(QLatin1String(name));
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

}  // namespace

class SaveEveryPageTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    // As `velkora --export-png DIR` writes them: DIR made when missing, ID.png in it.
    void everyPageAsPngIsIdPngInAFolder()
    {
        const QString exported = dir.filePath(QStringLiteral("exported"));
        QCOMPARE(runHeadless({"--export-png", exported}).status, 0);
        const QString folder = dir.filePath(QStringLiteral("new/pages"));
        QVERIFY(!PageSaver::saveTo(loadedForm(), {PageSaver::Pages::Every, PageSaver::Format::Png}, folder));
        const QStringList written = QDir(folder).entryList(QDir::Files, QDir::Name);
        QCOMPARE(written, QDir(exported).entryList(QDir::Files, QDir::Name));
        QCOMPARE(written.size(), 26);
        for (const QString& name : written) QVERIFY2(contentsOf(folder + '/' + name) == contentsOf(exported + '/' + name), qPrintable(name));
    }

    // What the user is told names files that are there.
    void theConfirmationSaysWhatWasWritten()
    {
        const QString folder = dir.filePath(QStringLiteral("told"));
        const PageSaver::Choice every{PageSaver::Pages::Every, PageSaver::Format::Png};
        QVERIFY(!PageSaver::saveTo(loadedForm(), every, folder));
        QCOMPARE(PageSaver::confirmationOf(every, folder),
                 QStringLiteral("Saved 26 pages to %1 (1.8a.png to 7.14.png)").arg(folder));
        QVERIFY(QFile::exists(folder + QStringLiteral("/1.8a.png")) && QFile::exists(folder + QStringLiteral("/7.14.png")));
        QCOMPARE(PageSaver::confirmationOf({}, dir.filePath(QStringLiteral("a/5.5.pdf"))), QStringLiteral("Saved to 5.5.pdf"));
    }

    // Choosing every page as PNG in the Save dialog asks for a folder instead of a file name.
    void theSaveDialogAsksForAFolder()
    {
        ShownWindow shown;
        QTest::keyClick(shown.window.list(), Qt::Key_S, Qt::ControlModifier);
        QFileDialog* save = visibleDialog(shown.window, "saveDialog");
        QVERIFY(save);
        auto* types = save->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        const int everyPng = int(save->nameFilters().indexOf(QStringLiteral("PNG — every page, into a folder as ID.png")));
        QVERIFY(everyPng >= 0);
        types->setCurrentIndex(everyPng);
        // As the user's pick in the list does.
        emit types->activated(everyPng);
        emit types->textActivated(types->itemText(everyPng));
        QTRY_VERIFY(!visibleDialog(shown.window, "saveDialog"));
        QFileDialog* folderDialog = visibleDialog(shown.window, "saveFolderDialog");
        QVERIFY(folderDialog);
        QCOMPARE(folderDialog->fileMode(), QFileDialog::Directory);
        const QString folder = dir.filePath(QStringLiteral("chosen"));
        QVERIFY(QDir().mkpath(folder));
        folderDialog->selectFile(folder);
        static_cast<QDialog*>(folderDialog)->accept();
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/7.14.png")));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 26);
        QVERIFY2(shown.window.windowTitle().contains(QStringLiteral("Saved 26 pages to %1").arg(folder)),
                 qPrintable(shown.window.windowTitle()));
    }

    // A later run opens Save where the last one saved; a folder since removed is not offered.
    void theSaveDialogRemembersItsFolder()
    {
        const QString settingsPath = dir.filePath(QStringLiteral("velkora.conf"));
        const QString folder = dir.filePath(QStringLiteral("kept"));
        QVERIFY(QDir().mkpath(folder));
        {
            QSettings settings(settingsPath, QSettings::IniFormat);
            ShownWindow shown(&settings);
            QTest::keyClick(shown.window.list(), Qt::Key_S, Qt::ControlModifier);
            QFileDialog* save = visibleDialog(shown.window, "saveDialog");
            QVERIFY(save);
            QCOMPARE(save->directory().absolutePath(), QDir::homePath());
            save->selectFile(folder + QStringLiteral("/page.pdf"));
            static_cast<QDialog*>(save)->accept();
            QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/page.pdf")));
        }
        const auto offeredFolder = [&] {
            QSettings settings(settingsPath, QSettings::IniFormat);
            ShownWindow shown(&settings);
            QTest::keyClick(shown.window.list(), Qt::Key_S, Qt::ControlModifier);
            QFileDialog* save = visibleDialog(shown.window, "saveDialog");
            return save ? save->directory().absolutePath() : QStringLiteral("no dialog");
        };
        QCOMPARE(offeredFolder(), folder);
        QVERIFY(QDir(folder).removeRecursively());
        QCOMPARE(offeredFolder(), QDir::homePath());
    }
};

class NamesTest : public QObject {
    Q_OBJECT

private slots:
    void aPdfIsTitledByItsHeading()
    {
        QTemporaryDir dir;
        const QString one = dir.filePath(QStringLiteral("one.pdf"));
        const QString all = dir.filePath(QStringLiteral("all.pdf"));
        QCOMPARE(runHeadless({"--export-pdf", one, "1.8a"}).status, 0);
        QCOMPARE(runHeadless({"--export-pdf", all, "1.8a", "5.9"}).status, 0);
        QCOMPARE(titleOf(one), QStringLiteral("[問題 1.8a] (追加問題)"));
        QCOMPARE(titleOf(all), QStringLiteral("Velkora"));
        // The print item's job is the same PDF.
        QFile printed(dir.filePath(QStringLiteral("printed.pdf")));
        QVERIFY(printed.open(QIODevice::WriteOnly));
        printed.write(pdfOf({pageSurface(QStringLiteral("5.9"), true)}));
        printed.close();
        QCOMPARE(titleOf(printed.fileName()), QStringLiteral("[問題 5.9]　p. 107."));
    }

    // The print item names its job "Velkora" and the entry; a job from the preview is named alike.
    void thePreviewsJobIsNamedAsTheItemsJob()
    {
        ShownWindow shown;
        shown.window.form().select(int(ids.indexOf("5.5")));
        QTest::keyClick(shown.window.list(), Qt::Key_P, Qt::ControlModifier);
        auto* preview = shown.window.findChild<QPrintPreviewDialog*>(QStringLiteral("printPreview"));
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(preview->printer()->docName(), QStringLiteral("Velkora [問題 5.5]"));
        preview->close();
    }
};

class LooksTest : public QObject {
    Q_OBJECT

private slots:
    void theKeyListDrawsEveryPercentInOneFace()
    {
        ShownWindow shown;
        QTest::keyClick(shown.window.list(), Qt::Key_F1);
        auto* help = shown.window.findChild<QDialog*>(QStringLiteral("help"));
        QVERIFY(help);
        const QLabel& keys = *help->findChild<QLabel*>(QStringLiteral("keys"));
        const QStringList small = facesDrawing(keys, QStringLiteral("50 %"));
        const QStringList large = facesDrawing(keys, QStringLiteral("400 %"));
        QVERIFY(!small.isEmpty());
        QCOMPARE(large, small);
    }

    void aShortWindowsListScrollsOnlyUpAndDown()
    {
        ShownWindow shown;
        shown.window.resize(808, 300);
        QTRY_VERIFY(shown.window.list()->verticalScrollBar()->isVisible());
        QApplication::processEvents();
        QVERIFY(!shown.window.list()->horizontalScrollBar()->isVisible());
    }
};

class FindAgainTest : public QObject {
    Q_OBJECT

private slots:
    // F3 after the bar was closed goes on with its term, shows the bar again and marks the
    // term where it lands, so that Esc clears the marks rather than quitting.
    void f3WithTheBarClosedMarksWhereItLands()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        window.findBar()->open();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("p. 108"));
        window.findBar()->dismiss();
        QVERIFY(window.pageView()->marks().empty());
        window.form().select(int(ids.indexOf("1.11")));
        window.pageView()->refresh();
        QTest::keyClick(window.list(), Qt::Key_F3);
        QCOMPARE(window.list()->currentRow(), int(ids.indexOf("5.12")));  // the next page holding it
        QVERIFY(window.findBar()->isVisible());
        QVERIFY(!window.pageView()->marks().empty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(window.findBar()->isHidden());
        QVERIFY(window.pageView()->marks().empty());
    }
};

class WindowAccessibleTest : public QObject {
    Q_OBJECT

private slots:
    void aFrameWithANamedListAndNoClosedFindBar()
    {
        ShownWindow shown;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&shown.window);
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(shown.window.list());
        QVERIFY(!list->text(QAccessible::Name).isEmpty());
        const auto offered = [&] {
            QList<QObject*> children;
            for (int i = 0; i < window->childCount(); ++i) {
                QAccessibleInterface* child = window->child(i);
                children << child->object();
                if (window->indexOfChild(child) != i) children << nullptr;  // out of step
            }
            return children;
        };
        QVERIFY(offered().contains(shown.window.list()));
        QVERIFY(offered().contains(shown.window.pageArea()));
        QVERIFY(!offered().contains(shown.window.findBar()));
        QVERIFY(!offered().contains(nullptr));
        shown.window.findBar()->open();
        QVERIFY(offered().contains(shown.window.findBar()));
    }
};

int main(int argc, char** argv)
{
    useOffscreenScreens();
    QApplication app(argc, argv);
    // The Save dialog's first folder is the home folder: a fresh one, not the tester's.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    int status = 0;
    SaveEveryPageTest save;
    status |= QTest::qExec(&save, argc, argv);
    NamesTest names;
    status |= QTest::qExec(&names, argc, argv);
    LooksTest looks;
    status |= QTest::qExec(&looks, argc, argv);
    FindAgainTest find;
    status |= QTest::qExec(&find, argc, argv);
    WindowAccessibleTest accessible;
    status |= QTest::qExec(&accessible, argc, argv);
    return status;
}

#include "test_rough_edges.moc"
