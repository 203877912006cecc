#include "shell/window/window_memory.h"

#include <QSettings>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString zoomKey = u"window/zoom"_s;
const QString geometryKey = u"window/geometry"_s;

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// The rectangle made to fit `area`, moved as little as it takes.
QRect within(QRect rect, const QRect& area)
{
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}
}  // namespace

double WindowMemory::zoom() const
{
    if (!settings_) return 1;
    bool number = false;
    const double zoom = settings_->value(zoomKey).toDouble(&number);
    return number ? zoom : 1;
}

std::optional<QRect> WindowMemory::geometry() const
{
    if (!settings_) return std::nullopt;
    const QRect geometry = settings_->value(geometryKey).toRect();
    if (geometry.isEmpty()) return std::nullopt;
    return geometry;
}

void WindowMemory::rememberZoom(double zoom)
{
    if (settings_) settings_->setValue(zoomKey, zoom);
}

void WindowMemory::rememberGeometry(const QRect& geometry)
{
    if (settings_) settings_->setValue(geometryKey, geometry);
}

QRect openingGeometry(const std::optional<QRect>& remembered, const QList<QRect>& availableAreas, QSize designedSize)
{
    if (availableAreas.isEmpty()) return remembered.value_or(QRect(QPoint(), designedSize));
    if (remembered) {
        const auto most = std::max_element(availableAreas.begin(), availableAreas.end(), [&](const QRect& a, const QRect& b) {
            return overlap(*remembered, a) < overlap(*remembered, b);
        });
        if (overlap(*remembered, *most) > 0) return within(*remembered, *most);
    }
    const QRect primary = availableAreas.first();
    QRect centred(QPoint(), designedSize.boundedTo(primary.size()));
    centred.moveTopLeft(primary.center() - centred.center());
    return centred;
}
