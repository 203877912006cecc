#include "main_window.h"

#include "problem_list.h"
#include "title_notice.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <cstdio>

PageView::PageView(const Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    surface_.paint(painter);
}

namespace {
int keyCodeOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return KeyEsc;
    case Qt::Key_Home: return KeyHome;
    case Qt::Key_End: return KeyEnd;
    case Qt::Key_Up: return KeyUp;
    case Qt::Key_Backspace: return KeyBackspace;
    case Qt::Key_Down: return KeyDown;
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyEnter;
    default: return 0;
    }
}
}  // namespace

MainWindow::MainWindow(PrintJob::PrinterSource printers)
{
    setObjectName(QStringLiteral("Math"));
    setWindowTitle(QStringLiteral(" Velkora"));
    setFixedSize(808, 724);
    QFont windowFont(QStringLiteral("Noto Sans CJK JP"));
    windowFont.setFamilies({QStringLiteral("メイリオ"), QStringLiteral("Meiryo"), QStringLiteral("Noto Sans CJK JP")});
    windowFont.setPixelSize(16);  // 12 pt at 96 DPI
    setFont(windowFont);

    box_ = new ProblemList(this);
    box_->setObjectName(QStringLiteral("Box"));
    box_->setGeometry(8, 11, 98, 700);
    box_->setSelectionMode(QAbstractItemView::SingleSelection);
    box_->installEventFilter(this);
    box_->viewport()->installEventFilter(this);

    view_ = new PageView(form_.pic, this);
    view_->setObjectName(QStringLiteral("pic"));
    view_->setGeometry(122, -2, MathForm::pageWidth, MathForm::pageHeight);
    view_->setFocusPolicy(Qt::NoFocus);

    form_.onSelect = [this](int index) {
        if (index >= box_->count()) return;
        selectionFromForm_ = true;
        box_->setCurrentRow(index);
        selectionFromForm_ = false;
    };
    notice_ = new TitleNotice(this);
    printJob_ = new PrintJob(this, std::move(printers));
    connect(printJob_, &PrintJob::progressed, notice_, &TitleNotice::show);
    connect(printJob_, &PrintJob::printed, notice_, [this](const QString& done) { notice_->showFor(done, 5000); });
    connect(printJob_, &PrintJob::failed, this, [this](const QString& message) {
        notice_->show(QString());
        complain(message);
    });
    form_.onPrint = [this](const Surface& page) {
        printJob_->print(page, QStringLiteral("Velkora ") + form_.listItems().value(int(form_.curProb()) - 1));
    };
    form_.formLoad();
    box_->addItems(form_.listItems());
    form_.onSelect(form_.listIndex());
    const QColor back(resolveColor(form_.backColor));
    setStyleSheet(QStringLiteral("QWidget#Math { background: %1; } QListWidget#Box { background: %2; }")
                      .arg(back.name(), QColor(resolveColor(form_.boxBackColor)).name()));
    setAttribute(Qt::WA_StyledBackground);

    connect(box_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (selectionFromForm_ || row < 0) return;
        rowChangedByPress_ = true;
        form_.select(row);
        view_->update();
    });
    // A click on the entry that is already selected still runs the click handler.
    connect(box_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!rowChangedByPress_) clickEntry(box_->row(item));
        rowChangedByPress_ = false;
    });
    connect(box_, &ProblemList::actionClicked, this, [this] { clickEntry(box_->count() - 1); });
    box_->setFocus();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QListWidget* MainWindow::list() const { return box_; }

void MainWindow::clickEntry(int row)
{
    if (form_.listIndex() == row)
        form_.boxClick();
    else
        form_.select(row);
    view_->update();
}

bool MainWindow::handleKey(int qtKey)
{
    const int code = keyCodeOf(qtKey);
    if (code == 0) return false;
    if (form_.formKeyDown(code)) {
        QCoreApplication::exit(0);
        return true;
    }
    view_->update();
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)->key())) return true;
    if (event->type() == QEvent::MouseButtonPress) rowChangedByPress_ = false;
    return QWidget::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event->key())) QWidget::keyPressEvent(event);
}

void MainWindow::complain(const QString& message)
{
    // Said on stderr too, for whoever started the program from a terminal or a script.
    std::fprintf(stderr, "velkora: %s\n", qPrintable(message));
    // One message at a time: choosing the print item again brings the same box forward.
    if (!message_) {
        message_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("Velkora"), message, QMessageBox::Ok, this);
        message_->setObjectName(QStringLiteral("printMessage"));
        message_->setAttribute(Qt::WA_DeleteOnClose);
    }
    message_->setText(message);
    message_->open();
    message_->raise();
}
