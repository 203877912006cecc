// The reader's window: zoom and fit, what it remembers, copy, save, print preview,
// find across pages, the page's text for assistive technology, and how all of it is
// found (context menus, the key list, --help, the icon).
#include "canvas/page_text.h"
#include "fixture.h"
#include "shown_window.h"
#include "offscreen_screens.h"
#include "shell/reading/find_bar.h"
#include "shell/reading/page_clipboard.h"
#include "shell/reading/page_finder.h"
#include "shell/window/main_window.h"
#include "shell/window/page_area.h"
#include "shell/window/page_saver.h"
#include "shell/window/page_view.h"
#include "shell/window/study_controller.h"
#include "shell/window/theme_controller.h"
#include "shell/window/window_actions.h"
#include "shell/window/window_layout.h"
#include "shell/window/zoom_controller.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>

namespace {

const QStringList ids = listedIds();

// A form after start-up showing the page of `id`, as a click on its entry shows it.
const MathForm& formShowing(const QString& id)
{
    static MathForm form;
    if (form.listItems().isEmpty()) form.formLoad();
    form.select(int(ids.indexOf(id)));
    return form;
}

QList<int> rowsOf(const QStringList& pages)
{
    QList<int> rows;
    for (const QString& id : pages) rows << int(ids.indexOf(id));
    return rows;
}

// A window shown on the primary screen and active, so that its shortcuts answer.
// The keys a key list names, F1's (a table, the keys in bold) or --help's (a column
// ended by a wide gap): "Ctrl++, Ctrl+-" is two.
QStringList keysListedBy(const QString& listing)
{
    QStringList keys;
    static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"));
    for (const QRegularExpressionMatch& cell : bold.globalMatch(listing)) keys << cell.captured(1).split(QStringLiteral(", "));
    return keys;
}

QStringList keysListedBy(const QByteArray& help)
{
    QStringList keys;
    const QList<QByteArray> lines = help.mid(help.indexOf("Keys in the window")).split('\n');
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    for (const QByteArray& line : lines.mid(1))
        if (line.startsWith("  ")) keys << QString::fromUtf8(line).trimmed().split(gap).first().split(QStringLiteral(", "));
    return keys;
}

// A window in which any key the list names has something to change: a problem in the
// middle of the list, the page zoomed, the find bar open with the focus on the list (Esc
// then closes the bar rather than quitting), no dialog open and nothing on the clipboard.
void readyForAnyKey(MainWindow& window)
{
    for (QDialog* dialog : window.findChildren<QDialog*>()) dialog->close();
    QGuiApplication::clipboard()->clear();
    window.zoom()->setZoom(2);
    window.findBar()->open();
    window.form().select(5);
    window.pageView()->refresh();
    // Study mode with one step shown, scrolled to the middle: every step and page key has
    // somewhere to go.
    window.study()->turn(true);
    window.pageView()->reveal(1);
    for (QScrollBar* bar : {window.pageArea()->horizontalScrollBar(), window.pageArea()->verticalScrollBar()})
        bar->setValue(bar->maximum() / 2);
    window.list()->setFocus();
}

// What a key may change in the window, as one line.
QString stateOf(MainWindow& window)
{
    QStringList open;
    for (QDialog* dialog : window.findChildren<QDialog*>())
        if (dialog->isVisible()) open << dialog->objectName();
    const QWidget* focus = QApplication::focusWidget();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();  // none once cleared
    const QString id = window.form().currentId();
    const QString study = QStringLiteral("study %1, step %2, progress %3, scrolled %4,%5")
                              .arg(window.study()->on())
                              .arg(window.pageView()->revealed())
                              .arg(int(window.study()->progress(id)))
                              .arg(window.pageArea()->horizontalScrollBar()->value())
                              .arg(window.pageArea()->verticalScrollBar()->value());
    return QStringLiteral("theme %8, %7, row %1, zoom %2, find bar %3, focus on %4, open %5, clipboard %6")
        .arg(window.list()->currentRow())
        .arg(window.zoom()->zoom())
        .arg(window.findBar()->isVisible())
        .arg(focus ? focus->objectName() : QStringLiteral("nothing"), open.join(','),
             copied ? copied->formats().join(',') : QString(), study)
        .arg(int(window.theme()->choice()));
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private slots:
    void zoomGoesByStepsFromHalfToFourTimes()
    {
        ZoomController zoom;
        QList<double> seen;
        connect(&zoom, &ZoomController::changed, this, [&](double z) { seen << z; });
        for (int i = 0; i < 30; ++i) zoom.zoomIn();
        QCOMPARE(zoom.zoom(), 4.0);
        const qsizetype stepsUp = seen.size();
        QVERIFY2(stepsUp >= 5 && stepsUp <= 12, "a handful of steps from 100 % to 400 %");
        for (int i = 0; i < 30; ++i) zoom.zoomOut();
        QCOMPARE(zoom.zoom(), 0.5);
        zoom.reset();
        QCOMPARE(zoom.zoom(), 1.0);
        for (double asked : {9.0, 0.1, -1.0, std::nan("")}) {
            zoom.setZoom(asked);
            QVERIFY2(zoom.zoom() >= 0.5 && zoom.zoom() <= 4.0, qPrintable(QString::number(asked)));
        }
        zoom.setZoom(std::nan(""));
        QCOMPARE(zoom.zoom(), 1.0);
    }

    void wheelNotchesAddUp()
    {
        ZoomController zoom;
        zoom.wheel(60);
        QCOMPARE(zoom.zoom(), 1.0);  // half a notch, as a fine wheel sends
        zoom.wheel(60);
        const double oneNotch = zoom.zoom();
        QVERIFY(oneNotch > 1.0);
        zoom.wheel(-120);
        QCOMPARE(zoom.zoom(), 1.0);
        zoom.wheel(-240);
        QVERIFY(zoom.zoom() < 1.0);
    }

    void pageFillsTheRoomRightOfTheList()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        PageView* view = window.pageView();
        QCOMPARE(view->size(), QSize(682, 722));
        // 1023 x 1083 of room: the page at exactly 1.5 times its size.
        window.resize(122 + 1023 + 4, 1083 - 2 + 4);
        QCOMPARE(view->size(), QSize(1023, 1083));
        QCOMPARE(window.list()->width(), 98);
        QCOMPARE(window.list()->height(), window.height() - 24);
        // Wider than the page's proportions: the page keeps them, fitted by height.
        window.resize(1400, 724);
        QCOMPARE(view->size(), QSize(682, 722));
        QCOMPARE(view->mapTo(window.pageArea(), QPoint()).x(), (window.pageArea()->width() - 682) / 2);

        window.resize(designedWindowSize);
        window.zoom()->setZoom(2);
        QCOMPARE(view->size(), QSize(1364, 1444));
        QVERIFY(window.pageArea()->verticalScrollBar()->maximum() > 0);
        QVERIFY(window.pageArea()->horizontalScrollBar()->maximum() > 0);
        window.zoom()->setZoom(0.5);
        QCOMPARE(view->size(), QSize(341, 361));
        const QPoint at = view->mapTo(window.pageArea(), QPoint());
        QVERIFY2(qAbs(at.x() - (682 - 341 - at.x())) <= 1 && qAbs(at.y() - (722 - 361 - at.y())) <= 1,
                 "a page smaller than its room stands in its middle");
        QCOMPARE(window.pageArea()->verticalScrollBar()->maximum(), 0);
    }

    void keysAndTheWheelZoom()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        QTest::keyClick(window.list(), Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(window.zoom()->zoom() > 1);
        QTest::keyClick(window.list(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(window.zoom()->zoom(), 1.0);
        QTest::keyClick(window.list(), Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(window.zoom()->zoom() < 1);
        QTest::keyClick(window.list(), Qt::Key_0, Qt::ControlModifier);

        QWidget* room = window.pageArea()->viewport();
        const QPoint middle = room->rect().center();
        auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
            QWheelEvent event(middle, room->mapToGlobal(middle), {}, {0, delta}, Qt::NoButton, modifiers,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(room, &event);
        };
        wheel(120, Qt::ControlModifier);
        QVERIFY(window.zoom()->zoom() > 1);
        // Without Ctrl the wheel scrolls the enlarged page and leaves the zoom alone.
        const double zoomed = window.zoom()->zoom();
        const int before = window.pageArea()->verticalScrollBar()->value();
        wheel(-120, Qt::NoModifier);
        QCOMPARE(window.zoom()->zoom(), zoomed);
        QVERIFY(window.pageArea()->verticalScrollBar()->value() > before);
    }

    void theWindowOpensWithinAScreen_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<std::optional<QRect>>("remembered");
        QTest::addColumn<QRect>("opens");
        const QRect wide(0, 0, 1600, 1200);
        const QRect right(1600, 0, 1280, 1024);
        QTest::newRow("designed size in the middle") << QList<QRect>{wide} << std::optional<QRect>()
                                                     << QRect(396, 238, 808, 724);
        // Twice the scale factor on 1600 x 1200: 800 x 600 of room, the window fitted to it.
        QTest::newRow("fitted to a small screen") << QList<QRect>{QRect(0, 0, 800, 600)} << std::optional<QRect>()
                                                  << QRect(0, 0, 800, 600);
        QTest::newRow("where it was") << QList<QRect>{wide, right} << std::optional<QRect>(QRect(1700, 50, 900, 700))
                                      << QRect(1700, 50, 900, 700);
        QTest::newRow("partly off: moved on") << QList<QRect>{wide} << std::optional<QRect>(QRect(1200, -40, 900, 700))
                                              << QRect(700, 0, 900, 700);
        QTest::newRow("too large: made smaller") << QList<QRect>{wide} << std::optional<QRect>(QRect(10, 10, 3000, 700))
                                                 << QRect(0, 10, 1600, 700);
        QTest::newRow("off every screen: forgotten")
            << QList<QRect>{wide} << std::optional<QRect>(QRect(1600, 0, 900, 700)) << QRect(396, 238, 808, 724);
    }

    void theWindowOpensWithinAScreen()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(std::optional<QRect>, remembered);
        QFETCH(QRect, opens);
        QCOMPARE(openingGeometry(remembered, screens, designedWindowSize), opens);
    }

    void zoomAndGeometryAreRemembered()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("velkora.conf")), QSettings::IniFormat);
        const QRect moved(100, 120, 1000, 800);
        {
            ShownWindow shown(&settings);
            shown.window.setGeometry(moved);
            shown.window.zoom()->zoomIn();
            shown.window.zoom()->zoomIn();
        }
        settings.sync();
        QSettings reread(settings.fileName(), QSettings::IniFormat);
        ShownWindow again(&reread);
        QCOMPARE(again.window.geometry(), moved);
        QVERIFY(again.window.zoom()->zoom() > 1.1);
        QCOMPARE(again.window.pageArea()->pageScale(),
                 PageArea::fittedScale(again.window.pageArea()->size(), QSizeF(682, 722)) * again.window.zoom()->zoom());
    }

    void whatCannotBeUsedIsNotUsed()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("velkora.conf")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("window/zoom"), 9);
        settings.setValue(QStringLiteral("window/geometry"), QRect(-5000, -5000, 900, 700));
        ShownWindow shown(&settings);
        // A zoom out of range is ignored, not brought into it, and a sound one replaces it.
        QCOMPARE(shown.window.zoom()->zoom(), 1.0);
        QCOMPARE(settings.value(QStringLiteral("window/zoom")).toDouble(), 1.0);
        QCOMPARE(shown.window.size(), designedWindowSize);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(shown.window.geometry()));
        settings.setValue(QStringLiteral("window/zoom"), QStringLiteral("large"));
        ShownWindow second(&settings);
        QCOMPARE(second.window.zoom()->zoom(), 1.0);
    }
};

class CopyTest : public QObject {
    Q_OBJECT

private slots:
    void copyGivesThePageAsImageAndText()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        window.form().select(int(ids.indexOf("5.9")));
        window.pageView()->refresh();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(window.list(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasImage() && copied->hasText());
        QCOMPARE(qvariant_cast<QImage>(copied->imageData()).convertToFormat(QImage::Format_RGB32),
                 window.form().pic.toImage(1));
        // The page as its step list gives it: heading, statement, solution, in that order,
        // the Symbol face's θ and φ as those letters.
        const QStringList lines = copied->text().split('\n');
        QCOMPARE(lines.value(0), QStringLiteral("[問題 5.9]　p. 107."));
        QCOMPARE(lines.value(1), QStringLiteral("l = 1 の球面調和関数 Y_(lm) (θ, φ) の具体形を示せ。"));
        QCOMPARE(lines.value(2), QStringLiteral("[解 5.9]："));
        QVERIFY(lines.size() > 4);
        // The Symbol face's codes never come through as the Latin-1 letters they are.
        for (QChar raw : {QChar(0xB6), QChar(0xD6), QChar(0xE5)}) QVERIFY(!copied->text().contains(raw));
    }

    // A click selects a formula, and the copies then give that formula alone, in each form.
    void aSelectedFormulaIsWhatIsCopied()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        window.form().select(int(ids.indexOf("5.5")));
        window.pageView()->refresh();
        PageView* view = window.pageView();
        const PageText& text = view->text();
        const std::vector<PageText::PieceRef> pieces = text.allPieces();
        const auto generating = std::find_if(pieces.cbegin(), pieces.cend(), [&](auto ref) {
            return text.piece(ref).latex.contains(QStringLiteral("\\equiv"));
        });
        QVERIFY(generating != pieces.cend());
        const QPointF centre = text.piece(*generating).box.center() * view->pageScale();
        QTest::mouseClick(view, Qt::LeftButton, {}, centre.toPoint());
        QCOMPARE(view->selection(), std::vector<PageText::PieceRef>{*generating});

        QTest::keyClick(window.list(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(!copied->hasImage());
        QString linear = copied->text();
        linear.removeIf([](QChar c) { return c.isSpace(); });
        QCOMPARE(linear, QStringLiteral("g(t,x)≡1/√(1−2tx+t²)=∑_(n=0)^∞Pₙ(x)tⁿ"));
        QVERIFY(copied->html().contains(QStringLiteral("<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\">")));
        const QString latex = QString::fromUtf8(copied->data(QStringLiteral("application/x-latex")));
        QVERIFY2(latex.startsWith(QStringLiteral("\\[")) && latex.endsWith(QStringLiteral("\\]")), qPrintable(latex));

        QTest::keyClick(window.list(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), latex);
        window.actions()->copyText->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text().remove(u' '), linear);

        // A click on bare paper clears the selection, and so does another page.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, view->height() - 5));
        QVERIFY(view->selection().empty());
        QTest::mouseClick(view, Qt::LeftButton, {}, centre.toPoint());
        QVERIFY(!view->selection().empty());
        QTest::keyClick(window.list(), Qt::Key_Down);
        QVERIFY(view->selection().empty());
    }

    // A drag selects what it crosses, in reading order, and only that is copied.
    void aDragSelectsTheProseAndFormulasItCrosses()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        window.form().select(int(ids.indexOf("5.5")));
        window.pageView()->refresh();
        PageView* view = window.pageView();
        const PageText& text = view->text();
        // From the heading's first character down into the statement's second line.
        const QPointF from = text.piece({0, 0}).box.topLeft() + QPointF(2, 2);
        const QPointF to = text.piece({1, 0}).box.center();
        QTest::mousePress(view, Qt::LeftButton, {}, (from * view->pageScale()).toPoint());
        QTest::mouseMove(view, (to * view->pageScale()).toPoint());
        QTest::mouseRelease(view, Qt::LeftButton, {}, (to * view->pageScale()).toPoint());
        QVERIFY(!view->selection().empty());
        QCOMPARE(view->selection().front(), (PageText::PieceRef{0, 0}));
        QTest::keyClick(window.list(), Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(QStringLiteral("[問題 5.5]")) && copied.contains(QStringLiteral("ルジャンドル")),
                 qPrintable(copied));
        QVERIFY2(!copied.contains(QStringLiteral("(5.38)")), qPrintable(copied));
    }

    // A HiDPI window copies at its pixel ratio (the desktop test copies from one).
    void theImageHasThePixelRatioAskedFor()
    {
        ShownWindow shown;
        std::unique_ptr<QMimeData> copied(PageClipboard::mimeDataOf(*shown.window.pageView(), 2));
        const QImage image = qvariant_cast<QImage>(copied->imageData());
        QCOMPARE(image.devicePixelRatio(), 2.0);
        QCOMPARE(image.size(), QSize(1364, 1444));
        QImage expected = shown.window.form().pic.toImage(2);
        expected.setDevicePixelRatio(2);
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), expected);
    }
};

class SaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString exported;

private slots:
    void initTestCase()
    {
        exported = dir.filePath(QStringLiteral("exported"));
        QCOMPARE(runHeadless({"--export-png", exported, "5.9"}).status, 0);
        QCOMPARE(runHeadless({"--export-pdf", exported + "/5.9.pdf", "5.9"}).status, 0);
        QCOMPARE(runHeadless({"--export-pdf", exported + "/all.pdf"}).status, 0);
    }

    // What the window saves is what the export commands write.
    void savedAsTheExportsWrite()
    {
        using P = PageSaver::Pages;
        using F = PageSaver::Format;
        const QString png = dir.filePath(QStringLiteral("page.png"));
        QVERIFY(!PageSaver::saveTo(formShowing("5.9"), {P::Shown, F::Png}, png));
        QCOMPARE(contentsOf(png), contentsOf(exported + "/5.9.png"));
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        QVERIFY(!PageSaver::saveTo(formShowing("5.9"), {P::Shown, F::Pdf}, pdf));
        QCOMPARE(sheetsOf(pdf).size(), 1);
        QCOMPARE(sheetsOf(pdf), sheetsOf(exported + "/5.9.pdf"));
        const QString all = dir.filePath(QStringLiteral("all.pdf"));
        QVERIFY(!PageSaver::saveTo(formShowing("5.9"), {P::Every, F::Pdf}, all));
        const QList<QImage> sheets = sheetsOf(all);
        QCOMPARE(sheets.size(), 26);
        QCOMPARE(sheets, sheetsOf(exported + "/all.pdf"));
    }

    void aFailureIsASentenceNamingTheFile()
    {
        const QString nowhere = dir.filePath(QStringLiteral("missing/page.pdf"));
        const std::optional<QString> failure = PageSaver::saveTo(formShowing("5.9"), {}, nowhere);
        QVERIFY(failure);
        QVERIFY2(failure->contains(nowhere), qPrintable(*failure));
    }

    // Pages saved from the window are drawn apart from it: what the window shows and
    // draws next is as if nothing had been saved.
    void savingLeavesTheWindowAsItWas()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        window.form().select(2);  // before 1.12 sets the tall brackets' spread
        const QString page = describe(window.form().pic.ops());
        const CarriedState before = window.form().shownFrom();
        QVERIFY(!PageSaver::saveTo(window.form(), {PageSaver::Pages::Every, PageSaver::Format::Pdf}, dir.filePath("x.pdf")));
        QCOMPARE(describe(window.form().pic.ops()), page);
        QVERIFY(window.form().shownFrom() == before);
        window.form().select(3);
        window.form().select(2);
        QCOMPARE(describe(window.form().pic.ops()), page);
    }

    void ctrlSOpensTheFileDialogThatSaves()
    {
        ShownWindow shown;
        QTest::keyClick(shown.window.list(), Qt::Key_S, Qt::ControlModifier);
        auto* dialog = shown.window.findChild<QFileDialog*>(QStringLiteral("saveDialog"));
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters().size(), 4);
        dialog->selectNameFilter(dialog->nameFilters().at(1));  // PNG, this page
        const QString chosen = dir.filePath(QStringLiteral("chosen.png"));
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
        QTRY_VERIFY(QFile::exists(chosen));
        QCOMPARE(QImage(chosen).convertToFormat(QImage::Format_RGB32), shown.window.form().pic.toImage(1));
    }
};

class PrintPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlPPreviewsThePrintView()
    {
        ShownWindow shown;
        shown.window.form().select(int(ids.indexOf("5.5")));
        QTest::keyClick(shown.window.list(), Qt::Key_P, Qt::ControlModifier);
        auto* preview = shown.window.findChild<QPrintPreviewDialog*>(QStringLiteral("printPreview"));
        QVERIFY(preview && preview->isVisible());
        // What the preview paints is what a printer gets: one sheet, the print view of 5.5.
        QTemporaryDir dir;
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
        emit preview->paintRequested(&pdf);
        QCOMPARE(sheetsOf(pdf.outputFileName()).size(), 1);
        preview->close();
        QVERIFY(shown.window.findChildren<QMenuBar*>().isEmpty());
    }
};

class FindTest : public QObject {
    Q_OBJECT

private slots:
    void findCountsThePagesThatHoldTheTerm()
    {
        PageFinder finder(loadedForm());
        QCOMPARE(finder.rowsHolding(QStringLiteral("ヤコビアン")), rowsOf({"1.8a", "1.8", "1.16"}));
        QCOMPARE(finder.rowsHolding(QStringLiteral("p. 108")), rowsOf({"5.12", "5.13", "5.14", "5.15"}));
        QCOMPARE(finder.rowsHolding(QString()), QList<int>());
        // ∂ is drawn as code 182 of the Symbol face: every page that draws it holds ∂.
        QList<int> drawingPartials;
        for (int row = 0; row < ids.size(); ++row)
            for (const DrawOp& op : pageOps(ids[row]))
                if (op.text.contains(QChar(0x2202)) || (op.face == "Symbol" && op.text.contains(QChar(182)))) {
                    drawingPartials << row;
                    break;
                }
        QVERIFY(drawingPartials.size() > 5);
        QCOMPARE(finder.rowsHolding(QStringLiteral("∂")), drawingPartials);
    }

    void nextAndPreviousGoRoundTheList()
    {
        PageFinder finder(loadedForm());
        const QString term = QStringLiteral("p. 108");
        QCOMPARE(finder.nextRow(term, 0), 13);
        QCOMPARE(finder.nextRow(term, 13), 14);
        QCOMPARE(finder.nextRow(term, 16), 13);
        QCOMPARE(finder.nextRow(term, 26), 13);  // from the print item
        QCOMPARE(finder.nextRow(term, 13, true), 16);
        QCOMPARE(finder.nextRow(term, 15, true), 14);
        QCOMPARE(finder.nextRow(QStringLiteral("ラプラス"), 3), -1);
    }

    void theBarCountsAsYouTypeAndGoesToThePages()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        QTest::keyClick(window.list(), Qt::Key_F, Qt::ControlModifier);
        FindBar* bar = window.findBar();
        QVERIFY(bar->isVisible());
        auto* field = bar->findChild<QLineEdit*>(QStringLiteral("findTerm"));
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, QStringLiteral("p.10"));
        QVERIFY(bar->findChild<QLabel*>(QStringLiteral("findCount"))->text().contains(QStringLiteral("on 5 pages")));
        QTest::keyClick(field, Qt::Key_8);
        QVERIFY(bar->findChild<QLabel*>(QStringLiteral("findCount"))->text().contains(QStringLiteral("on 4 pages")));
        QCOMPARE(bar->geometry().bottom(), window.height() - 1);

        // Enter and F3 go on, Shift+F3 goes back, each page drawn as a click draws it.
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(window.list()->currentRow(), 13);
        QCOMPARE(window.form().curProb(), 14L);
        QCOMPARE(window.form().pic.ops().front().text, QStringLiteral("[問題 5.12]　p. 108."));
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(window.list()->currentRow(), 14);
        QTest::keyClick(window.list(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(window.list()->currentRow(), 13);
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(window.list()->currentRow(), 16);
        QVERIFY(field->hasFocus());
    }

    void matchesAreMarkedOverTheUnchangedPage()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        const QString ops = describe(window.form().pic.ops());
        window.findBar()->open();
        QTest::keyClicks(window.findBar()->findChild<QLineEdit*>(), QStringLiteral("ux"));
        PageView* view = window.pageView();
        QVERIFY(!view->marks().empty());
        QCOMPARE(describe(window.form().pic.ops()), ops);
        const QImage marked = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage plain = window.form().pic.toImage(view->pageScale());
        QCOMPARE(marked.size(), plain.size());
        int changedInside = 0;
        for (int y = 0; y < marked.height(); ++y)
            for (int x = 0; x < marked.width(); ++x) {
                const QPointF at((x + 0.5) / view->pageScale(), (y + 0.5) / view->pageScale());
                const bool inside = std::any_of(view->marks().begin(), view->marks().end(),
                                                [&](const QRectF& r) { return r.adjusted(-1, -1, 1, 1).contains(at); });
                if (marked.pixel(x, y) == plain.pixel(x, y)) continue;
                QVERIFY2(inside, qPrintable(QStringLiteral("changed outside the marks at %1, %2").arg(x).arg(y)));
                ++changedInside;
            }
        QVERIFY(changedInside > 50);
        // Closing the bar takes the marks away.
        QTest::keyClick(window.findBar()->findChild<QLineEdit*>(), Qt::Key_Escape);
        QVERIFY(view->marks().empty());
    }

    void escClosesTheBarAndOnlyThenQuits()
    {
        MainWindow window(nullptr);
        window.show();
        bool closedTheBarAndRanOn = false;
        QTimer::singleShot(0, &window, [&] {
            window.findBar()->open();
            QTest::keyClick(window.list(), Qt::Key_Escape);  // the list has no focus: Esc still closes the bar
        });
        QTimer::singleShot(200, &window, [&] {
            closedTheBarAndRanOn = window.findBar()->isHidden();
            QTest::keyClick(window.list(), Qt::Key_Escape);
        });
        QTimer::singleShot(5000, &window, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(closedTheBarAndRanOn);
    }
};

class AccessibleTest : public QObject {
    Q_OBJECT

private slots:
    void thePageReadsAsItsText()
    {
        ShownWindow shown;
        MainWindow& window = shown.window;
        // Each new page is told, with the text it replaces (offscreen, Qt delivers no
        // accessibility events, so the view's notice is what can be watched).
        QSignalSpy changes(window.pageView(), &PageView::pageChanged);
        const QString first = window.pageView()->text().text();
        QTest::keyClick(window.list(), Qt::Key_Up);  // on the first entry: no new page
        QCOMPARE(changes.size(), 0);
        window.form().select(int(ids.indexOf("5.9")));
        window.pageView()->refresh();
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.at(0).at(0).toString(), first);

        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(window.pageView());
        QVERIFY(page);
        QCOMPARE(page->role(), QAccessible::Document);
        QVERIFY(page->state().readOnly);
        QCOMPARE(page->text(QAccessible::Name), QStringLiteral("[問題 5.9]　p. 107."));
        QVERIFY(!page->text(QAccessible::Description).isEmpty());
        QAccessibleTextInterface* text = page->textInterface();
        QVERIFY(text);
        const QString all = text->text(0, text->characterCount());
        QVERIFY(all.startsWith(QStringLiteral("[問題 5.9]　p. 107.\nl = 1 の球面調和関数 Y_(lm) (θ, φ) の具体形を示せ。\n[解 5.9]：\n")));
        QCOMPARE(text->text(0, 4), QStringLiteral("[問題 "));
        int start = -1, end = -1;
        QCOMPARE(text->textAtOffset(25, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("l = 1 の球面調和関数 Y_(lm) (θ, φ) の具体形を示せ。\n"));
    }

    void theListEntriesAreAccessible()
    {
        ShownWindow shown;
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(shown.window.list());
        QVERIFY(list);
        QCOMPARE(list->childCount(), 27);
        for (int row = 0; row < 27; ++row) {
            QAccessibleInterface* entry = list->child(row);
            QCOMPARE(entry->role(), QAccessible::ListItem);
            QCOMPARE(entry->text(QAccessible::Name), shown.window.form().listItems().at(row));
        }
        QVERIFY(list->child(0)->state().selected);
        QVERIFY(!list->child(1)->state().selected);
    }
};

class DiscoverTest : public QObject {
    Q_OBJECT

private slots:
    void contextMenusShowTheActionsWithTheirKeys()
    {
        ShownWindow shown;
        for (QWidget* place : {shown.window.pageArea()->viewport(), shown.window.list()->viewport()}) {
            QStringList offered;
            QTimer::singleShot(0, this, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu) return;
                for (QAction* a : menu->actions())
                    if (!a->isSeparator() && a->isShortcutVisibleInContextMenu() && !a->shortcut().isEmpty())
                        offered << a->objectName();
                menu->close();
            });
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), place->mapToGlobal(QPoint(20, 20)));
            QApplication::sendEvent(place, &event);
            for (const char* name : {"copyPage", "savePages", "printPreview", "find", "zoomIn", "zoomOut", "zoomReset", "help"})
                QVERIFY2(offered.contains(QLatin1String(name)), name);
        }
        QVERIFY(shown.window.findChildren<QMenuBar*>().isEmpty());
    }

    void f1AndHelpListEveryKeyOfTheWindow()
    {
        ShownWindow shown;
        QTest::keyClick(shown.window.list(), Qt::Key_F1);
        auto* help = shown.window.findChild<QDialog*>(QStringLiteral("help"));
        QVERIFY(help && help->isVisible());
        const QString listing = help->findChild<QLabel*>()->text();
        const QByteArray terminal = runHeadless({"--help"}).out;
        const QStringList listed = keysListedBy(listing);
        QCOMPARE(keysListedBy(terminal), listed);
        QStringList keys = {"Up", "Down", "Home", "End", "Enter", "Backspace", "Esc", "Ctrl+Wheel"};
        for (QAction* action : shown.window.findChildren<QAction*>())
            for (const QKeySequence& key : action->shortcuts()) keys << key.toString(QKeySequence::NativeText);
        for (const QString& key : keys) QVERIFY2(listed.contains(key), qPrintable("F1 and --help miss " + key));
        // The find bar's own keys are told in words.
        QVERIFY(listing.contains(QLatin1String("Shift+Enter")) && terminal.contains("Shift+Enter"));
    }

    void everyListedKeyDoesSomething()
    {
        QTemporaryDir dir;  // Ctrl+D marks progress, which lives in the settings
        QSettings settings(dir.filePath(QStringLiteral("velkora.conf")), QSettings::IniFormat);
        ShownWindow shown(&settings);
        QTest::keyClick(shown.window.list(), Qt::Key_F1);
        const QStringList listed = keysListedBy(shown.window.findChild<QDialog*>(QStringLiteral("help"))->findChild<QLabel*>()->text());
        for (const QString& listedKey : listed) {
            if (listedKey == QLatin1String("Ctrl+Wheel")) continue;  // no key: keysAndTheWheelZoom turns the wheel
            const QKeyCombination key = QKeySequence::fromString(listedKey)[0];
            QVERIFY2(key.key() != Qt::Key_unknown, qPrintable(listedKey));
            readyForAnyKey(shown.window);
            // A theme key has to find another theme chosen than its own.
            shown.window.theme()->choose(listedKey == QLatin1String("Alt+1") ? ThemeChoice::Dark : ThemeChoice::Light);
            const QString before = stateOf(shown.window);
            QTest::keyClick(shown.window.list(), key.key(), key.keyboardModifiers());
            QVERIFY2(stateOf(shown.window) != before, qPrintable(listedKey + " does nothing"));
        }
    }

    void theWindowHasItsIcon()
    {
        MainWindow window(nullptr);
        const QImage icon = window.windowIcon().pixmap(64).toImage();
        QVERIFY(!icon.isNull());
        QVERIFY2(icon.pixelColor(32, 4) != icon.pixelColor(1, 1), "the icon is drawn, not blank");
    }
};

int main(int argc, char** argv)
{
    useOffscreenScreens();
    QApplication app(argc, argv);
    int status = 0;
    ZoomTest zoom;
    status |= QTest::qExec(&zoom, argc, argv);
    CopyTest copy;
    status |= QTest::qExec(&copy, argc, argv);
    SaveTest save;
    status |= QTest::qExec(&save, argc, argv);
    PrintPreviewTest preview;
    status |= QTest::qExec(&preview, argc, argv);
    FindTest find;
    status |= QTest::qExec(&find, argc, argv);
    AccessibleTest accessible;
    status |= QTest::qExec(&accessible, argc, argv);
    DiscoverTest discover;
    status |= QTest::qExec(&discover, argc, argv);
    return status;
}

#include "test_window.moc"
