#include "shell/printing/print_job.h"

#include "shell/files/print_view.h"
#include "shell/printing/print_server.h"

#include <QBuffer>
#include <QPrintDialog>
#include <QSaveFile>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

const QString noPrinter =
    u"プリンターが見つかりません。プリンターを設定してから、もう一度「印刷する」を選んでください。"_s;

// The queue's own name for a job, as lpstat shows it: "PDF-12".
QString jobName(const QString& printer, int job) { return printer.section(QLatin1Char('/'), 0, 0) + QLatin1Char('-') + QString::number(job); }

QString withReason(const QString& sentence, const QString& reason)
{
    return reason.isEmpty() ? sentence : sentence + u"（%1）"_s.arg(reason);
}

QString noAnswer(const PrintServer& server, const QString& printer)
{
    const QString waited = u"印刷サーバー %1 が %2 秒待っても応答しません。"_s
                               .arg(server.name())
                               .arg(PrintServer::timeoutSeconds);
    if (printer.isEmpty()) return waited + u"印刷されませんでした。"_s;
    return waited + u"プリンター「%1」で印刷されたかどうかはわかりません。"_s.arg(printer);
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
            emit failed(u"印刷サーバー %1 に接続できません。印刷されませんでした。"_s.arg(server.name()));
            return;
        }
        const std::optional<PrintServer::Printers> printers = server.printers();
        if (!printers) {
            emit failed(server.lastCallTimedOut()
                            ? noAnswer(server, QString())
                            : u"印刷サーバー %1 からプリンターの一覧を得られません（%2）。印刷されませんでした。"_s
                                  .arg(server.name(), server.lastError()));
            return;
        }
        if (printers->names.isEmpty()) {
            emit failed(noPrinter);
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
            emit failed(u"印刷サーバー %1 に接続できません。プリンター「%2」で印刷されませんでした。"_s
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
        emit progressed(u"「%1」へ送信中"_s.arg(printer));
        const int job = server.submit(printer, title, pdf, options);
        if (job == 0) {
            if (server.lastCallTimedOut())
                emit failed(noAnswer(server, printer));
            else if (server.lastCallRefused())
                emit failed(withReason(u"プリンター「%1」は現在印刷を受け付けていません"_s.arg(printer),
                                       server.lastError()) +
                            u"。印刷されませんでした。"_s);
            else
                emit failed(withReason(u"プリンター「%1」へ送れませんでした"_s.arg(printer),
                                       server.lastError()) +
                            u"。印刷されませんでした。"_s);
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
                                : withReason(u"印刷ジョブ %1 の状態を確かめられません"_s.arg(name),
                                             server.lastError()) +
                                      u"。"_s);
                return;
            }
            using Stage = PrintServer::JobStage;
            const bool waitingOnStoppedPrinter =
                state->printerStopped && (state->stage == Stage::Pending || state->stage == Stage::Processing);
            if (state->stage == Stage::Stopped || waitingOnStoppedPrinter) {
                emit failed(withReason(u"プリンター「%1」は停止しています"_s.arg(printer), state->reason) +
                            u"。印刷ジョブ %1 はプリンターが再開されるまで待機します。"_s.arg(name));
                return;
            }
            switch (state->stage) {
            case Stage::Completed:
                emit printed(u"「%1」で印刷しました"_s.arg(printer));
                return;
            case Stage::Canceled:
                emit failed(withReason(u"印刷ジョブ %1 はプリンター「%2」で取り消されました"_s.arg(name, printer),
                                       state->reason) +
                            u"。印刷されませんでした。"_s);
                return;
            case Stage::Aborted:
                emit failed(withReason(u"印刷ジョブ %1 はプリンター「%2」で中止されました"_s.arg(name, printer),
                                       state->reason) +
                            u"。印刷されませんでした。"_s);
                return;
            case Stage::Held:
                emit failed(u"印刷ジョブ %1 はプリンター「%2」で保留されています。保留が解かれると印刷されます。"_s
                                .arg(name, printer));
                return;
            default:
                break;
            }
            const QString now = state->stage == Stage::Processing
                                    ? u"「%1」で印刷中"_s.arg(printer)
                                    : u"「%1」で印刷待ち（%2）"_s.arg(printer, name);
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
    state_ = u"印刷の準備中"_s;
    emit progressed(state_);
    if (!source_) {
        start([title, pdf = pdf_](PrintWorker& worker) { worker.printToDefault(title, pdf); });
        return;
    }
    const std::unique_ptr<QPrinter> printer = source_();
    if (printer) {
        printTo(*printer);
    } else {
        emit failed(noPrinter);
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
    state_ = u"プリンターを選んでください"_s;
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
        emit printed(u"「%1」に保存しました"_s.arg(file));
    else
        emit failed(u"「%1」に保存できませんでした（%2）。"_s.arg(file, out.errorString()));
}

void PrintJob::finish()
{
    pending_ = false;
    state_.clear();
    pdf_.clear();
}

#include "print_job.moc"
