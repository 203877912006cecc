#include "shell/files/page_files.h"

#include "shell/files/print_view.h"

#include <QBuffer>
#include <QImage>

QByteArray pngOf(const Surface& page, double scale)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    page.toImage(scale).save(&buffer, "PNG");
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
