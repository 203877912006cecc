#include "shell/printing/print_job.h"

#include "shell/files/print_view.h"
#include "shell/printing/print_server.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPrintDialog>
#include <QSaveFile>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

QString noPrinter()
{
    return QCoreApplication::translate("PrintJob",
                                       "No printer was found. Set one up, then choose \"[印刷する]\" again.");
}

// The queue's own name for a job, as lpstat shows it: "PDF-12".
QString jobName(const QString& printer, int job) { return printer.section(QLatin1Char('/'), 0, 0) + QLatin1Char('-') + QString::number(job); }

// The server's reason, put into a sentence after what it explains; nothing when it gave none.
QString reasonPart(const QString& reason)
{
    return reason.isEmpty() ? QString() : QCoreApplication::translate("PrintJob", " (%1)").arg(reason);
}

QString noAnswer(const PrintServer& server, const QString& printer)
{
    const QString seconds = QString::number(PrintServer::timeoutSeconds);
    if (printer.isEmpty())
        return QCoreApplication::translate("PrintJob",
                                           "The print server %1 did not answer within %2 seconds. Nothing was printed.")
            .arg(server.name(), seconds);
    return QCoreApplication::translate("PrintJob", "The print server %1 did not answer within %2 seconds. "
                                                   "Whether the printer \"%3\" printed is not known.")
        .arg(server.name(), seconds, printer);
}

PrintServer::Options optionsOf(const QPrinter& printer)
{
    PrintServer::Options options;
    options.copies = printer.copyCount();
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: options.sides = u"one-sided"_s; break;
    case QPrinter::DuplexLongSide: options.sides = u"two-sided-long-edge"_s; break;
    case QPrinter::DuplexShortSide: options.sides = u"two-sided-short-edge"_s; break;
    case QPrinter::DuplexAuto: break;
    }
    return options;
}

QByteArray pdfOf(const Surface& page)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    writePdf({page}, buffer);
    return pdf;
}

}  // namespace

// Runs one request's talk with the print server on its own thread; everything it
// learns goes back to the window thread as signals.
class PrintWorker : public QObject {
    Q_OBJECT

public:
    PrintWorker(std::function<void(PrintWorker&)> task, std::shared_ptr<std::atomic_bool> abandoned)
        : task_(std::move(task)), abandoned_(std::move(abandoned))
    {
    }

    void run()
    {
        task_(*this);
        emit done();
    }

    // The default printer, or, when none is set, the request to choose one.
    void printToDefault(const QString& title, const QByteArray& pdf)
    {
        PrintServer server(abandoned_);
        if (!server.connected()) {
            emit failed(tr("Cannot connect to the print server %1. Nothing was printed.").arg(server.name()));
            return;
        }
        const std::optional<PrintServer::Printers> printers = server.printers();
        if (!printers) {
            emit failed(server.lastCallTimedOut()
                            ? noAnswer(server, QString())
                            : tr("Cannot get the list of printers from the print server %1 (%2). "
                                 "Nothing was printed.")
                                  .arg(server.name(), server.lastError()));
            return;
        }
        if (printers->names.isEmpty()) {
            emit failed(noPrinter());
            return;
        }
        if (printers->defaultName.isEmpty()) {
            emit printerNeeded();
            return;
        }
        sendAndFollow(server, printers->defaultName, title, pdf, {});
    }

    void printTo(const QString& printer, const QString& title, const QByteArray& pdf,
                 const PrintServer::Options& options)
    {
        PrintServer server(abandoned_);
        if (!server.connected()) {
            emit failed(tr("Cannot connect to the print server %1. The printer \"%2\" printed nothing.")
                            .arg(server.name(), printer));
            return;
        }
        sendAndFollow(server, printer, title, pdf, options);
    }

signals:
    void progressed(const QString& state);
    void printed(const QString& confirmation);
    void failed(const QString& message);
    void printerNeeded();
    void done();

private:
    void sendAndFollow(PrintServer& server, const QString& printer, const QString& title, const QByteArray& pdf,
                       const PrintServer::Options& options)
    {
        emit progressed(tr("Sending to \"%1\"").arg(printer));
        const int job = server.submit(printer, title, pdf, options);
        if (job == 0) {
            if (server.lastCallTimedOut())
                emit failed(noAnswer(server, printer));
            else if (server.lastCallRefused())
                emit failed(tr("The printer \"%1\" does not accept jobs now%2. Nothing was printed.")
                                .arg(printer, reasonPart(server.lastError())));
            else
                emit failed(tr("Could not send to the printer \"%1\"%2. Nothing was printed.")
                                .arg(printer, reasonPart(server.lastError())));
            return;
        }
        follow(server, printer, job);
    }

    // Asks after the job until its end, or until it waits on something only a person can change.
    void follow(PrintServer& server, const QString& printer, int job)
    {
        const QString name = jobName(printer, job);
        QString lastState;
        while (!*abandoned_) {
            const std::optional<PrintServer::JobState> state = server.jobState(printer, job);
            if (!state) {
                emit failed(server.lastCallTimedOut()
                                ? noAnswer(server, printer)
                                : tr("Cannot tell the state of the print job %1%2.")
                                      .arg(name, reasonPart(server.lastError())));
                return;
            }
            using Stage = PrintServer::JobStage;
            const bool waitingOnStoppedPrinter =
                state->printerStopped && (state->stage == Stage::Pending || state->stage == Stage::Processing);
            if (state->stage == Stage::Stopped || waitingOnStoppedPrinter) {
                emit failed(tr("The printer \"%1\" is stopped%2. The print job %3 waits until the printer is resumed.")
                                .arg(printer, reasonPart(state->reason), name));
                return;
            }
            switch (state->stage) {
            case Stage::Completed:
                emit printed(tr("Printed on \"%1\"").arg(printer));
                return;
            case Stage::Canceled:
                emit failed(tr("The print job %1 was canceled on the printer \"%2\"%3. Nothing was printed.")
                                .arg(name, printer, reasonPart(state->reason)));
                return;
            case Stage::Aborted:
                emit failed(tr("The print job %1 was aborted on the printer \"%2\"%3. Nothing was printed.")
                                .arg(name, printer, reasonPart(state->reason)));
                return;
            case Stage::Held:
                emit failed(tr("The print job %1 is held on the printer \"%2\". It prints once it is released.")
                                .arg(name, printer));
                return;
            default:
                break;
            }
            const QString now = state->stage == Stage::Processing
                                    ? tr("Printing on \"%1\"").arg(printer)
                                    : tr("Waiting to print on \"%1\" (%2)").arg(printer, name);
            if (now != lastState) emit progressed(lastState = now);
            QThread::msleep(250);
        }
    }

    std::function<void(PrintWorker&)> task_;
    std::shared_ptr<std::atomic_bool> abandoned_;
};

QString printJobTitle(const QString& listEntry) { return u"Velkora "_s + listEntry; }

PrintJob::PrintJob(QWidget* window, PrinterSource source)
    : QObject(window), window_(window), source_(std::move(source))
{
}

PrintJob::~PrintJob() { *abandoned_ = true; }

void PrintJob::print(const Surface& page, const QString& title)
{
    if (pending_) {
        if (dialog_) {
            dialog_->raise();
            dialog_->activateWindow();
        }
        emit progressed(state_);
        return;
    }
    pending_ = true;
    title_ = title;
    pdf_ = pdfOf(page);
    state_ = tr("Preparing to print");
    emit progressed(state_);
    if (!source_) {
        start([title, pdf = pdf_](PrintWorker& worker) { worker.printToDefault(title, pdf); });
        return;
    }
    const std::unique_ptr<QPrinter> printer = source_();
    if (printer) {
        printTo(*printer);
    } else {
        emit failed(noPrinter());
        finish();
    }
}

void PrintJob::start(std::function<void(PrintWorker&)> task)
{
    // The thread belongs to no one: it ends on its own, each wait bounded by the server
    // timeout, and a window closed meanwhile must not have to wait for it.
    auto* thread = new QThread;
    auto* worker = new PrintWorker(std::move(task), abandoned_);
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &PrintWorker::run);
    connect(worker, &PrintWorker::done, thread, &QThread::quit);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(worker, &PrintWorker::progressed, this, [this](const QString& state) { emit progressed(state_ = state); });
    connect(worker, &PrintWorker::printed, this, [this](const QString& confirmation) {
        finish();
        emit printed(confirmation);
    });
    connect(worker, &PrintWorker::failed, this, [this](const QString& message) {
        finish();
        emit failed(message);
    });
    connect(worker, &PrintWorker::printerNeeded, this, &PrintJob::choosePrinter);
    thread->start();
}

void PrintJob::choosePrinter()
{
    chosen_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    dialog_ = new QPrintDialog(chosen_.get(), window_);
    dialog_->setObjectName(u"printDialog"_s);
    dialog_->setOptions(QAbstractPrintDialog::PrintToFile);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog_, &QDialog::accepted, this, [this] { printTo(*chosen_); });
    connect(dialog_, &QDialog::rejected, this, [this] {
        finish();
        emit progressed(QString());
    });
    state_ = tr("Choose a printer");
    emit progressed(state_);
    dialog_->open();
}

void PrintJob::printTo(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        saveTo(printer.outputFileName());
        return;
    }
    start([name = printer.printerName(), title = title_, pdf = pdf_, options = optionsOf(printer)](PrintWorker& worker) {
        worker.printTo(name, title, pdf, options);
    });
}

void PrintJob::saveTo(const QString& file)
{
    QSaveFile out(file);
    const bool saved = out.open(QIODevice::WriteOnly) && out.write(pdf_) == pdf_.size() && out.commit();
    finish();
    if (saved)
        emit printed(tr("Saved to \"%1\"").arg(file));
    else
        emit failed(tr("Could not save \"%1\" (%2).").arg(file, out.errorString()));
}

void PrintJob::finish()
{
    pending_ = false;
    state_.clear();
    pdf_.clear();
}

#include "print_job.moc"
