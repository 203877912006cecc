#include "print_view.h"

#include <QPagedPaintDevice>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPainter>
#include <algorithm>

void configureSheet(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
}

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

bool writePdf(const std::vector<Surface>& surfaces, QIODevice& out)
{
    QPdfWriter writer(&out);
    configureSheet(writer);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Velkora"));
    return paintSheets(surfaces, writer);
}
