#include "shell/files/page_files.h"

#include "shell/files/print_view.h"

#include <QBuffer>
#include <QImage>

QByteArray pngOf(const Surface& page, double scale)
{
    const QImage image = page.toImage(scale);
    if (image.isNull()) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return png;
}

QByteArray pdfOf(const std::vector<Surface>& sheets)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    writePdf(sheets, buffer);
    return pdf;
}
