#include "shell/files/print_view.h"

#include "canvas/page_text.h"

#include <QPagedPaintDevice>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPainter>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr double marginMm = 10;

// What a PDF reader shows in its title bar and document list: one page's heading, or the
// program's name for a book of several pages.
QString titleOf(const std::vector<Surface>& surfaces)
{
    if (surfaces.size() != 1) return u"Velkora"_s;
    const PageText text(surfaces.front().displayList());
    return text.lines().empty() ? u"Velkora"_s : text.lines().front().text;
}
}  // namespace

void configureSheet(QPagedPaintDevice& device)
{
    // The page layout would keep its margins in whole points; the margins are
    // placed here instead, so that they are exactly 10 mm on every device.
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(layout);
}

bool paintSheets(const std::vector<Surface>& surfaces, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double margin = marginMm / 25.4 * device.logicalDpiX();
    const QRectF printable = QRectF(0, 0, device.width(), device.height()).adjusted(margin, margin, -margin, -margin);
    bool first = true;
    for (const Surface& surface : surfaces) {
        if (!first && !device.newPage()) return false;
        first = false;
        const double scale =
            std::min(printable.width() / double(surface.Width), printable.height() / double(surface.Height));
        painter.save();
        painter.translate(printable.topLeft());
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
    writer.setCreator(u"Velkora"_s);
    writer.setTitle(titleOf(surfaces));
    return paintSheets(surfaces, writer);
}
