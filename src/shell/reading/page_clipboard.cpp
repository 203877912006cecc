#include "shell/reading/page_clipboard.h"

#include "shell/window/page_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {
// The type LaTeX-aware editors and converters look for.
const QString latexType = QStringLiteral("application/x-latex");
}  // namespace

QMimeData* PageClipboard::mimeDataOf(const PageView& view, double devicePixelRatio)
{
    const PageText& text = view.text();
    const std::vector<PageText::PieceRef> pieces = view.selectedOrAll();
    auto* data = new QMimeData;
    // A selection is copied as what it reads; only the whole page is a picture too.
    if (view.selection().empty()) {
        QImage image = view.surface().toImage(devicePixelRatio);
        image.setDevicePixelRatio(devicePixelRatio);
        if (!image.isNull()) data->setImageData(image);
    }
    data->setText(text.plainOf(pieces));
    data->setHtml(text.htmlOf(pieces));
    data->setData(latexType, text.latexOf(pieces).toUtf8());
    return data;
}

QMimeData* PageClipboard::latexDataOf(const PageView& view)
{
    auto* data = new QMimeData;
    data->setText(view.text().latexOf(view.selectedOrAll()));
    return data;
}

QMimeData* PageClipboard::textDataOf(const PageView& view)
{
    auto* data = new QMimeData;
    data->setText(view.text().plainOf(view.selectedOrAll()));
    return data;
}

void PageClipboard::put(QMimeData* data) { QGuiApplication::clipboard()->setMimeData(data); }
