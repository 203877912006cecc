#include "shell/reading/page_clipboard.h"

#include "shell/window/page_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

QMimeData* PageClipboard::mimeDataOf(const PageView& view, double devicePixelRatio)
{
    QImage image = view.surface().toImage(devicePixelRatio);
    image.setDevicePixelRatio(devicePixelRatio);
    auto* data = new QMimeData;
    if (!image.isNull()) data->setImageData(image);
    data->setText(view.text().text());
    return data;
}

bool PageClipboard::copy(const PageView& view, double devicePixelRatio)
{
    QMimeData* data = mimeDataOf(view, devicePixelRatio);
    const bool withImage = data->hasImage();
    QGuiApplication::clipboard()->setMimeData(data);
    return withImage;
}
