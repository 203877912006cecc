#pragma once
// The room right of the list, where the page stands: fitted into it, keeping its
// proportions, and enlarged or reduced from there by the zoom. A page larger than the
// room scrolls, by the scroll bars and the wheel; a smaller one stands in its middle.
#include <QScrollArea>

class PageView;

class PageArea : public QScrollArea {
public:
    PageArea(PageView* view, QWidget* parent);

    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // View pixels per page pixel: the fitted scale times the zoom.
    double pageScale() const;
    // The largest scale at which the whole page fits into `room`.
    static double fittedScale(QSize room, QSizeF page);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void rescale();

    PageView* view_;
    double zoom_ = 1;
};
