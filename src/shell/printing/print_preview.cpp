#include "shell/printing/print_preview.h"

#include "shell/files/print_view.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

PrintPreview::PrintPreview(QWidget* window) : QObject(window), window_(window) {}

PrintPreview::~PrintPreview() = default;

void PrintPreview::open(const Surface& sheet, const QString& title)
{
    if (!printer_) {
        // Made on first use: finding the printers asks the print server, which start-up need not wait for.
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        configureSheet(*printer_);
    }
    printer_->setDocName(title);
    auto* dialog = new QPrintPreviewDialog(printer_.get(), window_);
    dialog->setObjectName(u"printPreview"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
            [sheet = sheet](QPrinter* printer) { paintSheets({sheet}, *printer); });
    dialog->open();
}
