#include "shell/window/study_controller.h"

#include "shell/form/math_form.h"
#include "shell/window/page_area.h"
#include "shell/window/page_view.h"
#include "shell/window/window_actions.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QAction>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QScrollBar>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// Scrolling goes on in small moves; the place is written once it rests.
constexpr int placeSaveDelayMs = 500;
constexpr int percent = 100;

QString progressName(Progress progress)
{
    switch (progress) {
    case Progress::NotOpened: return QCoreApplication::translate("StudyController", "not opened");
    case Progress::Opened: return QCoreApplication::translate("StudyController", "opened");
    case Progress::AllRevealed: return QCoreApplication::translate("StudyController", "every step revealed");
    case Progress::Understood: return QCoreApplication::translate("StudyController", "understood");
    }
    return {};
}

// The list is only as wide as its longest entry: the mark is painted in the margin right
// of the text, taking no room from it, so that every entry shows whole.
constexpr int markSize = 8;

class MarkAfterText : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QIcon mark = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
        const QRect at(option.rect.right() - markSize - 1, option.rect.center().y() - markSize / 2, markSize, markSize);
        mark.paint(painter, at);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features &= ~QStyleOptionViewItem::HasDecoration;
        option->icon = QIcon();
    }
};

// A ring that fills as the problem advances, green and ticked once understood.
QIcon progressIcon(Progress progress, int size, PageTheme theme)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(pixmap.rect()).adjusted(1, 1, -1, -1);
    const QColor ink = themedColour(theme, progress == Progress::Understood ? qRgb(0, 140, 60) : qRgb(70, 110, 170));
    painter.setPen(QPen(ink, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring);
    painter.setBrush(ink);
    // Sixteenths of a degree, as Qt measures arcs; a half for opened, all for more.
    constexpr int fullCircle = 360 * 16;
    if (progress == Progress::Opened) painter.drawPie(ring, 90 * 16, fullCircle / 2);
    if (progress >= Progress::AllRevealed) painter.drawEllipse(ring);
    if (progress == Progress::Understood) {
        // The tick stands out of the filled ring as the paper does around it.
        painter.setPen(QPen(theme == PageTheme::Light ? QColor(Qt::white) : QColor(themePaper(theme)), 2));
        painter.drawPolyline(QPolygonF({ring.center() + QPointF(-size * 0.22, 0), ring.center() + QPointF(-size * 0.05, size * 0.18),
                                        ring.center() + QPointF(size * 0.24, -size * 0.18)}));
    }
    return QIcon(pixmap);
}
}  // namespace

StudyController::StudyController(MathForm& form, QListWidget* list, PageView* view, PageArea* area,
                                 WindowActions* actions, WindowMemory& memory)
    : QObject(list), form_(form), list_(list), view_(view), area_(area), actions_(actions), memory_(memory),
      plainEntries_(list->itemDelegate()), markedEntries_(new MarkAfterText(this))
{
    actions_->studyMode->setCheckable(true);
    actions_->markUnderstood->setCheckable(true);
    connect(actions_->studyMode, &QAction::triggered, this, [this] { turn(!on()); });
    connect(actions_->nextStep, &QAction::triggered, this, [this] { view_->reveal(view_->revealed() + 1); });
    connect(actions_->previousStep, &QAction::triggered, this, [this] { view_->reveal(view_->revealed() - 1); });
    connect(actions_->allSteps, &QAction::triggered, this, [this] { view_->reveal(view_->steps().count()); });
    connect(actions_->markUnderstood, &QAction::triggered, this, &StudyController::toggleUnderstood);
    connect(view_, &PageView::pageChanged, this, &StudyController::pageShown);
    connect(view_, &PageView::stepsChanged, this, &StudyController::followSteps);
    placeSaver_.setSingleShot(true);
    placeSaver_.setInterval(placeSaveDelayMs);
    connect(&placeSaver_, &QTimer::timeout, this, &StudyController::rememberPlace);
    for (QScrollBar* bar : {area_->horizontalScrollBar(), area_->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (on()) placeSaver_.start();
        });
    turn(false);
}

bool StudyController::on() const { return view_->studying(); }

void StudyController::resumeStudy()
{
    if (!memory_.studying()) return;
    // Read before study mode notes the page shown now as the last one.
    const std::optional<QString> last = memory_.lastProblem();
    const QPointF scroll = memory_.lastScroll();
    turn(true);
    const int row = last ? int(form_.listItems().indexOf(MathForm::listEntry(*last))) : -1;
    // A problem the list no longer offers is forgotten; the print item is no problem.
    if (row >= 0 && row < form_.listItems().size() - 1 && row != form_.listIndex()) {
        form_.select(row);
        view_->refresh();
    }
    // The scroll bars have their ranges once the window is shown and laid out.
    QTimer::singleShot(0, this, [this, scroll] {
        QScrollBar* across = area_->horizontalScrollBar();
        QScrollBar* down = area_->verticalScrollBar();
        across->setValue(int(std::lround(scroll.x() * across->maximum())));
        down->setValue(int(std::lround(scroll.y() * down->maximum())));
    });
}

void StudyController::turn(bool wanted)
{
    actions_->studyMode->setChecked(wanted);
    for (QAction* stepAction : {actions_->nextStep, actions_->previousStep, actions_->allSteps, actions_->markUnderstood})
        stepAction->setVisible(wanted);
    if (wanted != view_->studying()) {
        view_->setStudying(wanted);
        memory_.rememberStudying(wanted);
    }
    if (wanted) pageShown();
    decorateList();
    updateReadouts();
}

void StudyController::pageShown()
{
    if (!on()) return;
    const QString id = form_.currentId();
    advance(id, view_->steps().count() == 0 ? Progress::AllRevealed : Progress::Opened);
    rememberPlace();
}

void StudyController::followSteps()
{
    if (on() && view_->allRevealed()) advance(form_.currentId(), Progress::AllRevealed);
    updateReadouts();
}

void StudyController::advance(const QString& id, Progress reached)
{
    if (memory_.progress(id) >= reached) return;
    memory_.rememberProgress(id, reached);
    decorateList();
}

void StudyController::toggleUnderstood()
{
    if (!on()) return;
    const QString id = form_.currentId();
    // Taken back, the problem is as far as the page shown has gone.
    const Progress shown = view_->allRevealed() ? Progress::AllRevealed : Progress::Opened;
    memory_.rememberProgress(id, memory_.progress(id) == Progress::Understood ? shown : Progress::Understood);
    decorateList();
}

void StudyController::decorateList()
{
    const QString current = form_.currentId();
    actions_->markUnderstood->setChecked(on() && memory_.progress(current) == Progress::Understood);
    const int size = markSize;
    list_->setItemDelegate(on() ? markedEntries_ : plainEntries_);
    // The entries' texts stay as they are; only the decoration and what it says change.
    for (int row = 0; row + 1 < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        if (!on()) {
            item->setIcon(QIcon());
            item->setData(Qt::AccessibleDescriptionRole, QVariant());
            continue;
        }
        // The entry is its id between the list's opening and closing words.
        const QString around = MathForm::listEntry(QString());
        const QString id = item->text().mid(around.size() - 1).chopped(1);
        const Progress progress = memory_.progress(id);
        item->setIcon(progressIcon(progress, size, theme_));
        item->setData(Qt::AccessibleDescriptionRole, progressName(progress));
    }
}

void StudyController::setTheme(PageTheme theme)
{
    theme_ = theme;
    decorateList();
}

void StudyController::updateReadouts()
{
    QStringList parts;
    const bool hiding = on() && view_->steps().count() > 0 && !view_->allRevealed();
    const QString steps = u"%1 / %2"_s.arg(view_->revealed()).arg(view_->steps().count());
    if (hiding) parts << steps;
    if (std::lround(area_->zoom() * percent) != percent) parts << u"%1 %"_s.arg(std::lround(area_->zoom() * percent));
    area_->setStepBadge(hiding ? steps : QString());
    QString suffix;
    for (const QString& part : parts) suffix += u" — "_s + part;
    if (suffix == view_->nameSuffix()) return;
    view_->setNameSuffix(suffix);
    QAccessibleEvent named(view_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

void StudyController::rememberPlace()
{
    if (!on()) return;
    const QScrollBar* across = area_->horizontalScrollBar();
    const QScrollBar* down = area_->verticalScrollBar();
    const auto fraction = [](const QScrollBar* bar) { return bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0; };
    memory_.rememberLastProblem(form_.currentId(), QPointF(fraction(across), fraction(down)));
}
