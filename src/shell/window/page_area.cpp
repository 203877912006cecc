#include "shell/window/page_area.h"

#include "shell/window/page_view.h"

#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// Long enough to be read, short enough not to sit over the page.
constexpr int zoomBadgeMs = 1500;
// A page key keeps this much of what was in view, so the eye finds its place again.
constexpr double roomKept = 0.1;
constexpr int badgeMargin = 8;
constexpr int badgeGap = 4;

QLabel* badge(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setStyleSheet(u"QLabel { background: rgba(40, 40, 40, 200); color: white; border-radius: 4px; padding: 2px 8px; }"_s);
    label->hide();
    return label;
}
}  // namespace

PageArea::PageArea(PageView* view, QWidget* parent)
    : QScrollArea(parent), view_(view), stepBadge_(badge(this)), zoomBadge_(badge(this))
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignCenter);
    setWidget(view_);
    view_->setAutoFillBackground(false);
    stepBadge_->setObjectName(u"stepBadge"_s);
    zoomBadge_->setObjectName(u"zoomBadge"_s);
    zoomBadgeExpiry_.setSingleShot(true);
    connect(&zoomBadgeExpiry_, &QTimer::timeout, zoomBadge_, &QWidget::hide);
}

double PageArea::fittedScale(QSize room, QSizeF page)
{
    if (room.isEmpty() || page.isEmpty()) return 1;
    return std::min(room.width() / page.width(), room.height() / page.height());
}

double PageArea::pageScale() const
{
    const Surface& page = view_->surface();
    // The room is the whole area, scroll bars or not, so that their coming and going
    // never changes the scale.
    return fittedScale(size(), QSizeF(page.Width, page.Height)) * zoom_;
}

void PageArea::setZoom(double zoom, std::optional<QPointF> about)
{
    if (zoom == zoom_) return;
    zoom_ = zoom;
    const QPoint pageCorner = view_->mapTo(viewport(), QPoint(0, 0));
    rescale(about.value_or(QPointF(std::max(0, pageCorner.x()), std::max(0, pageCorner.y()))));
    zoomBadge_->setText(u"%1 %"_s.arg(std::lround(zoom * 100)));
    zoomBadge_->adjustSize();
    zoomBadge_->show();
    zoomBadge_->raise();
    placeBadges();
    zoomBadgeExpiry_.start(zoomBadgeMs);
}

void PageArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    rescale(middle());
    placeBadges();
}

QPointF PageArea::middle() const { return QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0); }

void PageArea::rescale(QPointF about)
{
    const double scale = pageScale();
    if (scale == view_->pageScale()) return;
    // The page point at `about` stays at `about`.
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const double at[] = {about.x(), about.y()};
    double onPage[2];
    for (int i = 0; i < 2; ++i) onPage[i] = (bars[i]->value() + at[i]) / view_->pageScale();
    view_->setScale(scale);
    for (int i = 0; i < 2; ++i) bars[i]->setValue(int(std::lround(onPage[i] * scale - at[i])));
}

void PageArea::scrollByRooms(int pages, bool across)
{
    QScrollBar* bar = across ? horizontalScrollBar() : verticalScrollBar();
    const int room = across ? viewport()->width() : viewport()->height();
    bar->setValue(bar->value() + int(std::lround(pages * room * (1 - roomKept))));
}

void PageArea::scrollToTopLeft()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void PageArea::setStepBadge(const QString& text)
{
    stepBadge_->setText(text);
    stepBadge_->adjustSize();
    stepBadge_->setVisible(!text.isEmpty());
    stepBadge_->raise();
    placeBadges();
}

QString PageArea::stepBadge() const { return stepBadge_->text(); }

QString PageArea::zoomBadge() const { return zoomBadge_->isHidden() ? QString() : zoomBadge_->text(); }

void PageArea::placeBadges()
{
    // In the top-right corner, over whatever scrolls beneath: the zoom, the step below it.
    const int right = viewport()->width() - badgeMargin;
    zoomBadge_->move(right - zoomBadge_->width(), badgeMargin);
    stepBadge_->move(right - stepBadge_->width(), badgeMargin + (zoomBadge_->isHidden() ? 0 : zoomBadge_->height() + badgeGap));
}
