// After 1.12 the window draws the tall brackets of later pages spread wider. Whatever
// gives the shown page to the reader (the screen, the print item, Ctrl+P's preview, Save
// of this page) gives that same page, not one drawn from a fresh start.
#include "fixture.h"
#include "shell/files/print_view.h"
#include "shell/window/main_window.h"
#include "shell/window/page_saver.h"

#include <QDir>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

// Fine enough to show a 4-pixel shift of a bracket piece on the sheet.
constexpr int finely = 100;

class ShownPageTest : public QObject {
    Q_OBJECT

private slots:
    void everyOutputOfTheShownPageIsThePageShown()
    {
        QTemporaryDir dir;
        const QString job = dir.filePath(QStringLiteral("job.pdf"));
        MainWindow window([&] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(job);
            return printer;
        });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        MathForm& form = window.form();
        const QStringList ids = listedIds();
        form.select(int(ids.indexOf("1.12")));
        form.select(int(ids.indexOf("3.2")));

        // The screen: 3.2 as a reader coming from 1.12 sees it, brackets spread.
        const std::vector<DrawOp> fresh = pageOps(QStringLiteral("3.2"));
        QCOMPARE(form.pic.ops().size(), fresh.size());
        QVERIFY(describe(form.pic.ops()) != describe(fresh));
        const QString screenPng = dir.filePath(QStringLiteral("screen.png"));
        QVERIFY(form.pic.toImage(1).save(screenPng));

        // The print item's job.
        form.select(26);
        QTRY_VERIFY_WITH_TIMEOUT(contentsOf(job).contains("%%EOF"), 20000);
        // Ctrl+P's preview, painted as a printer would get it.
        QTest::keyClick(window.list(), Qt::Key_P, Qt::ControlModifier);
        auto* preview = window.findChild<QPrintPreviewDialog*>(QStringLiteral("printPreview"));
        QVERIFY(preview);
        QPrinter previewed(QPrinter::HighResolution);
        previewed.setOutputFormat(QPrinter::PdfFormat);
        previewed.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
        configureSheet(previewed);  // as the preview's own printer is set up
        emit preview->paintRequested(&previewed);
        preview->close();
        // Save of this page, as PDF and as PNG.
        const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
        QVERIFY(!PageSaver::saveTo(form, {PageSaver::Pages::Shown, PageSaver::Format::Pdf}, saved));
        const QString savedPng = dir.filePath(QStringLiteral("saved.png"));
        QVERIFY(!PageSaver::saveTo(form, {PageSaver::Pages::Shown, PageSaver::Format::Png}, savedPng));

        const QList<QImage> printed = sheetsOf(job, finely);
        QCOMPARE(printed.size(), 1);
        QCOMPARE(sheetsOf(previewed.outputFileName(), finely), printed);
        QCOMPARE(sheetsOf(saved, finely), printed);
        QCOMPARE(QImage(savedPng).convertToFormat(QImage::Format_RGB32),
                 QImage(screenPng).convertToFormat(QImage::Format_RGB32));

        // ... and that page is not the fresh one the exports draw.
        const QString exported = dir.filePath(QStringLiteral("exported.pdf"));
        QCOMPARE(runHeadless({"--export-pdf", exported, "3.2"}).status, 0);
        QVERIFY(sheetsOf(exported, finely) != printed);
    }
};

QTEST_MAIN(ShownPageTest)
#include "test_shown_page.moc"
