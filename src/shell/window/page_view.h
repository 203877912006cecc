#pragma once
// The page as the window shows it: the surface's drawing operations painted as vectors
// at any scale, with the places of a term marked over them and what the reader selected
// lit. A click on a formula selects it, a drag the prose and formulas it crosses.
#include "canvas/page_text.h"
#include "canvas/surface.h"

#include <QWidget>
#include <optional>
#include <vector>

class PageView : public QWidget {
    Q_OBJECT

public:
    PageView(const Surface& surface, QWidget* parent = nullptr);

    // Resizes the view to the page at `scale` view pixels per surface pixel.
    void setScale(double scale);
    double pageScale() const { return scale_; }
    // The size of the page at `scale`, whole pixels as an image of it has.
    static QSize scaledSize(const Surface& surface, double scale);

    // Marks every place of `term` on the page (none for an empty term).
    void markTerm(const QString& term);
    const std::vector<QRectF>& marks() const { return marks_; }

    // To be called after anything that may have drawn the surface again: a new page is
    // read anew, marked and shown.
    void refresh();

    const Surface& surface() const { return surface_; }
    // The shown page's text in reading order.
    const PageText& text() const;

    // The selected prose and formulas, in reading order; empty when nothing is selected.
    const std::vector<PageText::PieceRef>& selection() const { return selection_; }
    // The selection, or the whole page when nothing is selected: what a copy takes.
    std::vector<PageText::PieceRef> selectedOrAll() const;
    void clearSelection();

signals:
    // The surface holds another page (or the same drawn again) than before.
    void pageChanged(const QString& previousText);
    // A right click on a formula, which is now the selection.
    void formulaMenuRequested(QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const Surface& surface_;
    int drawing_ = 0;  // the surface's clearing count when its page was last read
    double scale_ = 1;
    QString term_;
    std::vector<QRectF> marks_;
    mutable std::optional<PageText> text_;
    std::vector<PageText::PieceRef> selection_;
    std::optional<QPointF> pressedAt_;  // on the surface, while the left button is down

    QPointF onSurface(QPointF viewPoint) const { return viewPoint / scale_; }
    void selectFrom(QPointF pressed, QPointF now);
};
