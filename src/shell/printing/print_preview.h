#pragma once
// Ctrl+P: Qt's print preview of the print view, from which any printer and page set-up
// can be chosen. (The list's print item prints at once, without a dialog.)
#include <QObject>
#include <memory>

class Surface;
class QPrinter;
class QWidget;

class PrintPreview : public QObject {
    Q_OBJECT

public:
    explicit PrintPreview(QWidget* window);
    ~PrintPreview() override;

    // Opens the preview of a sheet as the print item would print it; `title` names the job.
    void open(const Surface& sheet, const QString& title);

private:
    QWidget* window_;
    // Kept between previews, so a printer and page set-up once chosen stay chosen.
    std::unique_ptr<QPrinter> printer_;
};
