#include "shell/window/page_area.h"

#include "shell/window/page_view.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

PageArea::PageArea(PageView* view, QWidget* parent) : QScrollArea(parent), view_(view)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignCenter);
    setWidget(view_);
    view_->setAutoFillBackground(false);
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

void PageArea::setZoom(double zoom)
{
    zoom_ = zoom;
    rescale();
}

void PageArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    rescale();
}

void PageArea::rescale()
{
    const double scale = pageScale();
    if (scale == view_->pageScale()) return;
    // The point in the middle of the room stays in the middle.
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const int rooms[] = {viewport()->width(), viewport()->height()};
    double middles[2];
    for (int i = 0; i < 2; ++i) middles[i] = (bars[i]->value() + rooms[i] / 2.0) / view_->pageScale();
    view_->setScale(scale);
    for (int i = 0; i < 2; ++i) bars[i]->setValue(int(std::lround(middles[i] * scale - rooms[i] / 2.0)));
}
