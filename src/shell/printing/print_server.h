#pragma once
// The print server (CUPS), asked over a connection of our own so that every wait is
// bounded and every answer is seen: which printers there are, sending a document,
// and what became of a job. Each call blocks, for about `timeoutSeconds` at most:
// use it off the window thread.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

typedef struct _http_s http_t;

class PrintServer {
public:
    static constexpr int timeoutSeconds = 10;

    // Connects to the server the environment names (CUPS_SERVER, client.conf, the local one).
    // Once `abandoned` is set, every wait ends at once and the call fails.
    explicit PrintServer(std::shared_ptr<std::atomic_bool> abandoned);
    ~PrintServer();
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    bool connected() const { return http_ != nullptr; }
    // The server as the user would name it: "localhost", a socket path, "host:port".
    QString name() const;

    struct Printers {
        QStringList names;
        QString defaultName;  // empty when none is set
    };
    // Nothing when the server did not answer.
    std::optional<Printers> printers();

    struct Options {
        int copies = 1;
        QString sides;  // an IPP "sides" keyword; empty for the printer's own
    };
    // Sends a PDF as one job; returns its id, or 0 with `lastError` saying why.
    int submit(const QString& printer, const QString& title, const QByteArray& pdf, const Options& options);

    enum class JobStage { Pending, Held, Processing, Stopped, Canceled, Aborted, Completed };
    struct JobState {
        JobStage stage = JobStage::Pending;
        bool printerStopped = false;
        QString reason;  // the printer's or the job's own words, when it gives any
    };
    // Nothing when the server did not answer.
    std::optional<JobState> jobState(const QString& printer, int job);

    // What went wrong with the last call, as the server (or the connection) put it.
    QString lastError() const { return lastError_; }
    bool lastCallRefused() const { return refused_; }  // the server answered "not accepting jobs"
    bool lastCallTimedOut() const { return timedOut_; }

private:
    static int keepWaiting(http_t*, void* server);
    void beginCall();
    void noteFailure();

    http_t* http_ = nullptr;
    std::shared_ptr<std::atomic_bool> abandoned_;
    QDeadlineTimer deadline_;
    QString lastError_;
    bool refused_ = false;
    bool timedOut_ = false;
};
