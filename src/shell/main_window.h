#pragma once
// The main window: the problem list on the left, the page on the right.
#include "math_form.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QListWidget;
class QMessageBox;
#include <QPrinter>

// Shows a surface's drawing operations, painted at the screen's pixel ratio.
class PageView : public QWidget {
public:
    PageView(const Surface& surface, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const Surface& surface_;
};

class MainWindow : public QWidget {
public:
    // Gives the printer a print goes to, or nullptr when none is installed.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

    explicit MainWindow(PrinterSource printers = defaultPrinter);

    static std::unique_ptr<QPrinter> defaultPrinter();

    MathForm& form() { return form_; }
    QListWidget* list() const { return box_; }
    PageView* pageView() const { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool handleKey(int qtKey);
    void print(const Surface& page);
    void complain(const QString& message);

    MathForm form_;
    PrinterSource printers_;
    QListWidget* box_ = nullptr;
    PageView* view_ = nullptr;
    bool selectionFromForm_ = false;
    bool rowChangedByPress_ = false;
    QPointer<QMessageBox> message_;
};
