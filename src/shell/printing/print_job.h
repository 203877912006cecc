#pragma once
// One print request at a time, from the print item to the paper. The page becomes a
// PDF on the window thread (as the PDF export makes it); a thread of its own sends it
// to the print server and follows the job, so the window never waits for the server.
// Every outcome is reported, and a request while one is pending brings that one
// forward instead of sending the page twice.
#include "canvas/surface.h"

#include <QObject>
#include <QPointer>
#include <QPrinter>
#include <atomic>
#include <functional>
#include <memory>

class QPrintDialog;
class QWidget;

// The name a page's print job has in the print queue, whether it is sent by the print item
// or from the preview: "Velkora [問題 5.5]" for the page of list entry "[問題 5.5]".
QString printJobTitle(const QString& listEntry);

class PrintJob : public QObject {
    Q_OBJECT

public:
    // Gives the printer a print goes to (nullptr: there is none). Without a source the
    // print server's default printer is used, and the user picks one when none is set.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

    // `window` owns the job and is the parent of the print dialog.
    PrintJob(QWidget* window, PrinterSource source);
    ~PrintJob() override;

    // Prints one page as one sheet; `title` names the job in the print queue.
    void print(const Surface& page, const QString& title);
    bool pending() const { return pending_; }

signals:
    // While a request is under way: what it is doing now, e.g. "「PDF」で印刷中".
    void progressed(const QString& state);
    // The page has been printed (or saved, when the dialog chose a file).
    void printed(const QString& confirmation);
    // The page was not printed, or its fate is unknown: a sentence for the user.
    void failed(const QString& message);

private:
    void start(std::function<void(class PrintWorker&)> task);
    void choosePrinter();
    void printTo(const QPrinter& printer);
    void saveTo(const QString& file);
    void finish();

    QWidget* window_;
    PrinterSource source_;
    bool pending_ = false;
    QString state_;
    QString title_;
    QByteArray pdf_;
    std::unique_ptr<QPrinter> chosen_;
    QPointer<QPrintDialog> dialog_;
    // Tells a worker that outlives its request (the window closed) to stop following.
    std::shared_ptr<std::atomic_bool> abandoned_ = std::make_shared<std::atomic_bool>(false);
};
