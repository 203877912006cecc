#include "shell/window/page_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
// Multiplied into the page, so the ink under a mark stays as dark as it was.
const QColor markColor(255, 226, 64);
// A light blue, multiplied in as the marks are: lit, never hidden.
const QColor selectionColor(200, 225, 255);
// On dark paper a multiplied mark would turn the paper black and the light ink dim: the
// marks are screened in there instead, lightening the paper under the ink, which stays light.
const QColor darkMarkColor(90, 75, 0);
const QColor darkSelectionColor(0, 50, 110);
// A press and release this close (in view pixels) is a click, not a drag.
constexpr double clickSlack = 3;
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
    steps_.reset();
    revealed_ = 0;
    selection_.clear();
    pressedAt_.reset();
    marks_ = term_.isEmpty() ? std::vector<QRectF>() : text().find(term_);
    emit pageChanged(previous);
    emit stepsChanged();
}

const SolutionSteps& PageView::steps() const
{
    if (!steps_) steps_.emplace(surface_.displayList());
    return *steps_;
}

void PageView::setStudying(bool studying)
{
    if (studying == studying_) return;
    studying_ = studying;
    revealed_ = 0;
    update();
    emit stepsChanged();
}

void PageView::reveal(int steps)
{
    const int bounded = std::clamp(steps, 0, this->steps().count());
    if (bounded == revealed_) return;
    revealed_ = bounded;
    update();
    emit stepsChanged();
}

const PageText& PageView::text() const
{
    if (!text_) text_.emplace(surface_.displayList());
    return *text_;
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The last row and column may be only partly page: they start as the image export's
    // do. Where the page covers the whole view, its own background is enough.
    if (QRectF(0, 0, surface_.Width * scale_, surface_.Height * scale_) != QRectF(rect()))
        painter.fillRect(rect(), QColor(colours_ ? colours_(surface_.background()) : surface_.background()));
    painter.scale(scale_, scale_);
    paintPage(painter);
    if (marks_.empty() && selection_.empty()) return;
    const bool darkPaper = theme_ == PageTheme::Dark;
    painter.setCompositionMode(darkPaper ? QPainter::CompositionMode_Screen : QPainter::CompositionMode_Multiply);
    for (const PageText::PieceRef& ref : selection_)
        painter.fillRect(text().piece(ref).box, darkPaper ? darkSelectionColor : selectionColor);
    for (const QRectF& mark : marks_) painter.fillRect(mark, darkPaper ? darkMarkColor : markColor);
}

void PageView::paintPage(QPainter& painter) const
{
    if (!studying_) return surface_.paint(painter, nullptr, colours_);
    surface_.paint(painter, [this](int op) { return steps().shows(op, revealed_); }, colours_);
}

void PageView::setTheme(PageTheme theme)
{
    theme_ = theme;
    colours_ = themedColours(theme);
    update();
}

std::vector<PageText::PieceRef> PageView::selectedOrAll() const
{
    return selection_.empty() ? text().allPieces() : selection_;
}

void PageView::clearSelection()
{
    selection_.clear();
    update();
}

void PageView::selectFrom(QPointF pressed, QPointF now)
{
    if ((now - pressed).manhattanLength() * scale_ < clickSlack) {
        const std::optional<PageText::PieceRef> formula = text().formulaAt(now);
        selection_ = formula ? std::vector<PageText::PieceRef>{*formula} : std::vector<PageText::PieceRef>{};
    } else {
        selection_ = text().piecesIn(QRectF(pressed, now).normalized());
    }
    update();
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressedAt_ = onSurface(event->position());
    selectFrom(*pressedAt_, *pressedAt_);
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressedAt_) return QWidget::mouseMoveEvent(event);
    selectFrom(*pressedAt_, onSurface(event->position()));
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!pressedAt_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    selectFrom(*pressedAt_, onSurface(event->position()));
    pressedAt_.reset();
}

// On a formula the menu offers its copies first; elsewhere the page's menu is the area's.
void PageView::contextMenuEvent(QContextMenuEvent* event)
{
    const std::optional<PageText::PieceRef> formula = text().formulaAt(onSurface(event->pos()));
    if (!formula) return event->ignore();
    selection_ = {*formula};
    update();
    emit formulaMenuRequested(event->globalPos());
}
