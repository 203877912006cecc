#pragma once
// The main window: the problem list on the left, the page on the right.
#include "math_form.h"
#include "print_job.h"

#include <QPointer>
#include <QWidget>

class QListWidget;
class QMessageBox;
class ProblemList;
class TitleNotice;

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
    // Without a printer source, pages go to the print server's default printer.
    explicit MainWindow(PrintJob::PrinterSource printers = {});

    MathForm& form() { return form_; }
    QListWidget* list() const;
    PageView* pageView() const { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool handleKey(int qtKey);
    // A mouse click on an entry: selects it, or runs the click handler again when it is selected.
    void clickEntry(int row);
    void complain(const QString& message);

    MathForm form_;
    PrintJob* printJob_ = nullptr;
    TitleNotice* notice_ = nullptr;
    ProblemList* box_ = nullptr;
    PageView* view_ = nullptr;
    bool selectionFromForm_ = false;
    bool rowChangedByPress_ = false;
    QPointer<QMessageBox> message_;
};
