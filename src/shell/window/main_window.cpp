#include "shell/window/main_window.h"

#include "shell/files/std_streams.h"
#include "shell/printing/print_preview.h"
#include "shell/reading/find_bar.h"
#include "shell/reading/page_accessible.h"
#include "shell/reading/page_clipboard.h"
#include "shell/window/commands.h"
#include "shell/window/help_window.h"
#include "shell/window/page_area.h"
#include "shell/window/page_saver.h"
#include "shell/window/page_view.h"
#include "shell/window/problem_list.h"
#include "shell/window/study_controller.h"
#include "shell/window/theme_controller.h"
#include "shell/window/title_notice.h"
#include "shell/window/window_accessible.h"
#include "shell/window/window_actions.h"
#include "shell/window/window_layout.h"
#include "shell/window/zoom_controller.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <string_view>

using namespace Qt::StringLiterals;

MainWindow::MainWindow(PrintJob::PrinterSource printers, QSettings* settings) : memory_(settings)
{
    setObjectName(u"Math"_s);
    WindowAccessible::install();
    setWindowTitle(u" Velkora"_s);
    setWindowIcon(QIcon(u":/velkora.svg"_s));
    setMinimumSize(smallestWindowSize);
    QFont windowFont(u"Noto Sans CJK JP"_s);
    windowFont.setFamilies({u"メイリオ"_s, u"Meiryo"_s, u"Noto Sans CJK JP"_s});
    windowFont.setPixelSize(16);  // 12 pt at 96 DPI
    setFont(windowFont);

    buildList();
    buildPage();
    notice_ = new TitleNotice(this);
    printJob_ = new PrintJob(this, std::move(printers));
    connect(printJob_, &PrintJob::progressed, notice_, &TitleNotice::show);
    connect(printJob_, &PrintJob::printed, notice_, [this](const QString& done) { notice_->showFor(done, 5000); });
    connect(printJob_, &PrintJob::failed, this, [this](const QString& message) {
        notice_->show(QString());
        complain(message);
    });
    form_.onPrint = [this](const Surface& page) {
        printJob_->print(page, printJobTitle(form_.listItems().value(int(form_.curProb()) - 1)));
    };
    form_.formLoad();
    box_->addItems(form_.listItems());
    form_.onSelect(form_.listIndex());
    view_->refresh();
    const QColor back(resolveColor(form_.backColor));
    setStyleSheet(u"QWidget#Math { background: %1; } QListWidget#Box { background: %2; }"_s
                      .arg(back.name(), QColor(resolveColor(form_.boxBackColor)).name()));
    setAttribute(Qt::WA_StyledBackground);
    QPalette around = area_->viewport()->palette();
    around.setColor(QPalette::Window, back);
    area_->viewport()->setPalette(around);

    wireFeatures();
    wireFind();
    theme_ = new ThemeController(this, view_, area_, study_, actions_, memory_);
    box_->setFocus();
    placeOnScreen();
    study_->resumeStudy();
}

void MainWindow::buildList()
{
    box_ = new ProblemList(this);
    box_->setObjectName(u"Box"_s);
    box_->setAccessibleName(QCoreApplication::translate("MainWindow", "Problems"));
    box_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every entry is one line of the same face: without this the list lays out (shapes)
    // every entry's text again each time it repaints a changed row.
    box_->setUniformItemSizes(true);
    // The list is as wide as its entries: in a window too short for them the vertical bar
    // takes a little of that width, and an entry's end is elided rather than scrolled to.
    box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box_->installEventFilter(this);
    box_->viewport()->installEventFilter(this);
    form_.onSelect = [this](int index) {
        if (index >= box_->count()) return;
        selectionFromForm_ = true;
        box_->setCurrentRow(index);
        selectionFromForm_ = false;
    };
    connect(box_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (selectionFromForm_ || row < 0) return;
        rowChangedByPress_ = true;
        form_.select(row);
        view_->refresh();
    });
    // A click on the entry that is already selected still runs the click handler.
    connect(box_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!rowChangedByPress_) clickEntry(box_->row(item));
        rowChangedByPress_ = false;
    });
    connect(box_, &ProblemList::actionClicked, this, [this] { clickEntry(box_->count() - 1); });
}

void MainWindow::buildPage()
{
    PageAccessible::install();
    view_ = new PageView(form_.pic);
    view_->setObjectName(u"pic"_s);
    area_ = new PageArea(view_, this);
    area_->setObjectName(u"pageArea"_s);
    connect(view_, &PageView::pageChanged, this,
            [this](const QString& previous) { PageAccessible::announcePageChange(view_, previous); });
    zoom_ = new ZoomController(this);
    zoom_->watchWheel(area_->viewport());
    connect(zoom_, &ZoomController::changed, this, [this](double zoom) {
        area_->setZoom(zoom, zoom_->wheelAt());
        memory_.rememberZoom(zoom);
        if (study_) study_->updateReadouts();
    });
    // A new page opens at its top-left, wherever the last one was scrolled to.
    connect(view_, &PageView::pageChanged, area_, &PageArea::scrollToTopLeft);
    zoom_->setZoom(memory_.zoom());
}

void MainWindow::wireFeatures()
{
    actions_ = new WindowActions(this, {area_, box_});
    saver_ = new PageSaver(this, form_, memory_);
    preview_ = new PrintPreview(this);
    connect(actions_->copy, &QAction::triggered, this, [this] {
        QMimeData* data = PageClipboard::mimeDataOf(*view_, devicePixelRatioF());
        const bool imageMissing = view_->selection().empty() && !data->hasImage();
        PageClipboard::put(data);
        if (imageMissing)
            complain(QCoreApplication::translate(
                "MainWindow", "Not enough memory to copy the page as an image (its text was copied)."));
    });
    connect(actions_->copyLatex, &QAction::triggered, this, [this] { PageClipboard::put(PageClipboard::latexDataOf(*view_)); });
    connect(actions_->copyText, &QAction::triggered, this, [this] { PageClipboard::put(PageClipboard::textDataOf(*view_)); });
    connect(view_, &PageView::formulaMenuRequested, this, [this](QPoint at) {
        QMenu menu;
        menu.addActions(actions_->formulaCopies());
        menu.addSeparator();
        menu.addActions(area_->actions());
        menu.exec(at);
    });
    connect(actions_->save, &QAction::triggered, this, [this] { saver_->ask(); });
    connect(saver_, &PageSaver::saved, notice_, [this](const QString& done) { notice_->showFor(done, 5000); });
    connect(saver_, &PageSaver::failed, this, &MainWindow::complain);
    connect(actions_->print, &QAction::triggered, this, [this] {
        preview_->open(form_.drawn(form_.currentId(), true, form_.shownFrom()).surface,
                       printJobTitle(form_.listItems().value(int(form_.curProb()) - 1)));
    });
    connect(actions_->zoomIn, &QAction::triggered, zoom_, &ZoomController::zoomIn);
    connect(actions_->zoomOut, &QAction::triggered, zoom_, &ZoomController::zoomOut);
    connect(actions_->zoomReset, &QAction::triggered, zoom_, &ZoomController::reset);
    connect(actions_->help, &QAction::triggered, this, &MainWindow::showHelp);
    connect(actions_->scrollDown, &QAction::triggered, area_, [this] { area_->scrollByRooms(1, false); });
    connect(actions_->scrollUp, &QAction::triggered, area_, [this] { area_->scrollByRooms(-1, false); });
    connect(actions_->scrollRight, &QAction::triggered, area_, [this] { area_->scrollByRooms(1, true); });
    connect(actions_->scrollLeft, &QAction::triggered, area_, [this] { area_->scrollByRooms(-1, true); });
    study_ = new StudyController(form_, box_, view_, area_, actions_, memory_);
}

void MainWindow::wireFind()
{
    findBar_ = new FindBar(this);
    connect(actions_->find, &QAction::triggered, findBar_, &FindBar::open);
    connect(actions_->findNext, &QAction::triggered, this, [this] { goToFound(false); });
    connect(actions_->findPrevious, &QAction::triggered, this, [this] { goToFound(true); });
    connect(findBar_, &FindBar::nextWanted, this, [this] { goToFound(false); });
    connect(findBar_, &FindBar::previousWanted, this, [this] { goToFound(true); });
    connect(findBar_, &FindBar::termEdited, this, [this](const QString& term) {
        findBar_->showCount(int(finder_.rowsHolding(term).size()));
        view_->markTerm(term);
    });
    connect(findBar_, &FindBar::opened, this, &MainWindow::layOut);
    connect(findBar_, &FindBar::closed, this, [this] {
        view_->markTerm(QString());
        layOut();
        box_->setFocus();
    });
}

void MainWindow::placeOnScreen()
{
    QList<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen()) areas << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) areas << screen->availableGeometry();
    setGeometry(openingGeometry(memory_.geometry(), areas, designedWindowSize));
    layOut();
}

void MainWindow::layOut()
{
    const WindowAreas areas = windowAreas(size(), findBar_->isHidden() ? 0 : findBar_->sizeHint().height());
    box_->setGeometry(areas.list);
    area_->setGeometry(areas.page);
    findBar_->setGeometry(areas.findBar);
}

void MainWindow::resizeEvent(QResizeEvent*)
{
    layOut();
    if (isVisible()) memory_.rememberGeometry(geometry());
}

void MainWindow::moveEvent(QMoveEvent*)
{
    if (isVisible()) memory_.rememberGeometry(geometry());
}

QListWidget* MainWindow::list() const { return box_; }

void MainWindow::clickEntry(int row)
{
    if (form_.listIndex() == row)
        form_.boxClick();
    else
        form_.select(row);
    view_->refresh();
}

void MainWindow::goToFound(bool back)
{
    // F3 goes on with the last term even after the bar was closed; with none, it asks for one.
    const QString term = findBar_->term();
    if (term.trimmed().isEmpty()) {
        findBar_->open();
        return;
    }
    // A closed bar opens again, so the term is marked where F3 lands and the bar says what
    // is marked; Esc then takes the marks away, where without the bar it would quit.
    if (findBar_->isHidden()) {
        findBar_->open();
        view_->markTerm(term);
    }
    const int row = finder_.nextRow(term, form_.listIndex(), back);
    if (row >= 0) clickEntry(row);
}

void MainWindow::showHelp()
{
    if (!help_) help_ = new HelpWindow(this);
    help_->present();
}

bool MainWindow::handleKey(const QKeyEvent& key)
{
    const Command* command = commandFor(CommandKind::FormKey, key.key(), key.modifiers());
    if (!command) return false;
    // The find bar is closed by the first Esc; only the next one quits.
    if (command->name == std::string_view("closeFindOrQuit") && !findBar_->isHidden()) {
        findBar_->dismiss();
        return true;
    }
    if (form_.formKeyDown(Qt::Key(key.key()))) {
        QCoreApplication::exit(0);
        return true;
    }
    view_->refresh();
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && handleKey(*static_cast<QKeyEvent*>(event))) return true;
    if (event->type() == QEvent::MouseButtonPress) rowChangedByPress_ = false;
    return QWidget::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(*event)) QWidget::keyPressEvent(event);
}

void MainWindow::complain(const QString& message)
{
    // Said on stderr too, for whoever started the program from a terminal or a script.
    StdStreams::say(message);
    // One message at a time: choosing the print item again brings the same box forward.
    if (!message_) {
        message_ = new QMessageBox(QMessageBox::Warning, u"Velkora"_s, message, QMessageBox::Ok, this);
        message_->setObjectName(u"printMessage"_s);
        message_->setAttribute(Qt::WA_DeleteOnClose);
    }
    message_->setText(message);
    message_->open();
    message_->raise();
}
