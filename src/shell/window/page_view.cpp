#include "shell/window/page_view.h"

#include <QPainter>
#include <cmath>

namespace {
// Multiplied into the page, so the ink under a mark stays as dark as it was.
const QColor markColor(255, 226, 64);
}  // namespace

PageView::PageView(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface), drawing_(surface.clsCount())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(scaledSize(surface_, scale_));
}

QSize PageView::scaledSize(const Surface& surface, double scale)
{
    // A hair under the exact product, so that a page fitted to a size is not a pixel
    // larger than it through rounding.
    constexpr double slack = 1e-6;
    return {int(std::ceil(surface.Width * scale - slack)), int(std::ceil(surface.Height * scale - slack))};
}

void PageView::setScale(double scale)
{
    scale_ = scale;
    resize(scaledSize(surface_, scale_));
    update();
}

void PageView::markTerm(const QString& term)
{
    term_ = term;
    marks_ = term_.isEmpty() ? std::vector<QRectF>() : text().find(term_);
    update();
}

void PageView::refresh()
{
    update();
    if (surface_.clsCount() == drawing_) return;
    drawing_ = surface_.clsCount();
    // The page's text is read only when something asks for it (the find bar's marks,
    // a screen reader): reading it on every switch would cost more than drawing it.
    const QString previous = text_ ? text_->text() : QString();
    text_.reset();
    marks_ = term_.isEmpty() ? std::vector<QRectF>() : text().find(term_);
    emit pageChanged(previous);
}

const PageText& PageView::text() const
{
    if (!text_) text_.emplace(surface_.ops());
    return *text_;
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The last row and column may be only partly page: they start as the image export's
    // do. Where the page covers the whole view, its own background is enough.
    if (QRectF(0, 0, surface_.Width * scale_, surface_.Height * scale_) != QRectF(rect()))
        painter.fillRect(rect(), QColor(surface_.background()));
    painter.scale(scale_, scale_);
    surface_.paint(painter);
    if (marks_.empty()) return;
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (const QRectF& mark : marks_) painter.fillRect(mark, markColor);
}
