#pragma once
// Ctrl+P: Qt's print preview of the print view, from which any printer and page set-up
// can be chosen. (The list's print item prints at once, without a dialog.)
#include <QObject>
#include <memory>

class QPrinter;
class QWidget;

class PrintPreview : public QObject {
    Q_OBJECT

public:
    explicit PrintPreview(QWidget* window);
    ~PrintPreview() override;

    // Opens the preview of the page of `id` as the print item would print it.
    void open(const QString& id);

private:
    QWidget* window_;
    // Kept between previews, so a printer and page set-up once chosen stay chosen.
    std::unique_ptr<QPrinter> printer_;
};
