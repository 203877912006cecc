#pragma once
// The page as the window shows it: the surface's drawing operations painted as vectors
// at any scale, with the places of a term marked over them and what the reader selected
// lit. A click on a formula selects it, a drag the prose and formulas it crosses.
#include "canvas/page_text.h"
#include "canvas/page_theme.h"
#include "canvas/solution_steps.h"
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

    // Study mode: the statement shows whole, the solution only up to the steps revealed;
    // the others are not painted at all, and the page keeps its size.
    void setStudying(bool studying);
    bool studying() const { return studying_; }
    const SolutionSteps& steps() const;
    int revealed() const { return revealed_; }
    // Bounded to the page's steps; a new page starts with none revealed.
    void reveal(int steps);
    bool allRevealed() const { return revealed_ >= steps().count(); }

    // The colours the page is shown in; Light, the page's own, until another is chosen.
    void setTheme(PageTheme theme);
    PageTheme theme() const { return theme_; }

    // Said after the page's heading in its accessible name (the step, the zoom).
    QString nameSuffix() const { return nameSuffix_; }
    void setNameSuffix(const QString& suffix) { nameSuffix_ = suffix; }

signals:
    // The surface holds another page (or the same drawn again) than before.
    void pageChanged(const QString& previousText);
    // Another step count, another page's steps, or study mode turned on or off.
    void stepsChanged();
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
    bool studying_ = false;
    int revealed_ = 0;
    mutable std::optional<SolutionSteps> steps_;
    QString nameSuffix_;
    PageTheme theme_ = PageTheme::Light;
    ColourMap colours_;  // none in Light

    void paintPage(QPainter& painter) const;

    QPointF onSurface(QPointF viewPoint) const { return viewPoint / scale_; }
    void selectFrom(QPointF pressed, QPointF now);
};
