#include "shell/window/zoom_controller.h"

#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr std::array steps{0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0};
constexpr double tolerance = 1e-6;
constexpr int notch = 120;
}  // namespace

void ZoomController::setZoom(double zoom)
{
    const double bounded = std::isnan(zoom) ? 1.0 : std::clamp(zoom, smallest, largest);
    if (bounded == zoom_) return;
    zoom_ = bounded;
    emit changed(zoom_);
}

void ZoomController::zoomIn()
{
    const auto next = std::find_if(steps.begin(), steps.end(), [this](double s) { return s > zoom_ + tolerance; });
    if (next != steps.end()) setZoom(*next);
}

void ZoomController::zoomOut()
{
    const auto next = std::find_if(steps.rbegin(), steps.rend(), [this](double s) { return s < zoom_ - tolerance; });
    if (next != steps.rend()) setZoom(*next);
}

void ZoomController::reset() { setZoom(1.0); }

void ZoomController::wheel(int angleDelta)
{
    wheelRest_ += angleDelta;
    for (; wheelRest_ >= notch; wheelRest_ -= notch) zoomIn();
    for (; wheelRest_ <= -notch; wheelRest_ += notch) zoomOut();
}

void ZoomController::watchWheel(QObject* widget) { widget->installEventFilter(this); }

bool ZoomController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    const auto* wheelEvent = static_cast<QWheelEvent*>(event);
    if (!(wheelEvent->modifiers() & Qt::ControlModifier)) return false;
    wheelAt_ = wheelEvent->position();
    wheel(wheelEvent->angleDelta().y());
    wheelAt_.reset();
    return true;
}
