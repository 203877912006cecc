#pragma once
// The room right of the list, where the page stands: fitted into it, keeping its
// proportions, and enlarged or reduced from there by the zoom. A page larger than the
// room scrolls, by the scroll bars, the wheel and the page keys; a smaller one stands in
// its middle. Small badges in its corner say the zoom, for a moment after it changes,
// and how many steps of a solution show while some are hidden.
#include <QScrollArea>
#include <QTimer>
#include <optional>

class PageView;
class QLabel;

class PageArea : public QScrollArea {
public:
    PageArea(PageView* view, QWidget* parent);

    // Zooms about `about` (a point of the viewport), which stays where it is; without
    // one, about the top-left of the page in view.
    void setZoom(double zoom, std::optional<QPointF> about = std::nullopt);
    double zoom() const { return zoom_; }
    // View pixels per page pixel: the fitted scale times the zoom.
    double pageScale() const;
    // The largest scale at which the whole page fits into `room`.
    static double fittedScale(QSize room, QSizeF page);

    // By most of what is in view: `pages` rooms down (negative: up), or right with `across`.
    void scrollByRooms(int pages, bool across);
    void scrollToTopLeft();

    // Empty hides the step badge.
    void setStepBadge(const QString& text);
    QString stepBadge() const;
    QString zoomBadge() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void rescale(QPointF about);
    QPointF middle() const;
    void placeBadges();

    PageView* view_;
    double zoom_ = 1;
    QLabel* stepBadge_;
    QLabel* zoomBadge_;
    QTimer zoomBadgeExpiry_;
};
