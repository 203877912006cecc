#include "print_view.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

bool paintSheets(const std::vector<Surface>& surfaces, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    bool first = true;
    for (const Surface& surface : surfaces) {
        if (!first && !device.newPage()) return false;
        first = false;
        const double scale = std::min(device.width() / double(surface.Width), device.height() / double(surface.Height));
        painter.save();
        painter.scale(scale, scale);
        surface.paint(painter);
        painter.restore();
    }
    return painter.end();
}
