#pragma once
// The page's zoom, from 50 % to 400 % of the fitted page: a step in or out for
// Ctrl+plus and Ctrl+minus and for each notch of Ctrl+wheel, back to 100 % for Ctrl+0.
#include <QObject>
#include <QPointF>
#include <optional>

class ZoomController : public QObject {
    Q_OBJECT

public:
    static constexpr double smallest = 0.5;
    static constexpr double largest = 4.0;

    using QObject::QObject;

    double zoom() const { return zoom_; }
    // Out-of-range zooms are brought within range; one that is no number is 100 %.
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void reset();
    // Ctrl+wheel: one step a notch (120 eighths of a degree), finer wheels adding up.
    void wheel(int angleDelta);
    // Watches widgets for Ctrl+wheel; other wheel events go on to them.
    void watchWheel(QObject* widget);
    // While a Ctrl+wheel changes the zoom: where the cursor stands in the watched widget,
    // the point the zoom keeps in place.
    std::optional<QPointF> wheelAt() const { return wheelAt_; }

signals:
    void changed(double zoom);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double zoom_ = 1;
    int wheelRest_ = 0;
    std::optional<QPointF> wheelAt_;
};
