#include "shell/printing/print_server.h"

#include <cups/cups.h>
#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Waits are cut into short slices, so that a call gives up soon after its deadline
// even when the library retries a request on its own.
constexpr double waitSliceSeconds = 0.5;

// The request has failed when the server said so or never said anything.
bool failed(ipp_status_t status) { return status > IPP_STATUS_OK_EVENTS_COMPLETE; }

QByteArray queueOf(const QString& printer)
{
    // "PDF/draft" names an instance of the queue "PDF": the server only knows the queue.
    return printer.section(QLatin1Char('/'), 0, 0).toUtf8();
}

ipp_t* newRequest(ipp_op_t operation, const QByteArray& queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.constData());
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

void askFor(ipp_t* request, std::initializer_list<const char*> attributes)
{
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(attributes.size()),
                  nullptr, attributes.begin());
}

QString text(ipp_t* response, const char* attribute)
{
    ipp_attribute_t* a = ippFindAttribute(response, attribute, IPP_TAG_ZERO);
    return a ? QString::fromUtf8(ippGetString(a, 0, nullptr)) : QString();
}

// The job's reasons as keywords, less the one that says there are none.
QString reasonsOf(ipp_t* response)
{
    QStringList reasons;
    ipp_attribute_t* a = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD);
    for (int i = 0; a && i < ippGetCount(a); ++i) {
        const QString reason = QString::fromUtf8(ippGetString(a, i, nullptr));
        if (reason != QLatin1String("none")) reasons << reason;
    }
    return reasons.join(u", "_s);
}

PrintServer::JobStage stageOf(int ippJobState)
{
    switch (ippJobState) {
    case IPP_JSTATE_HELD: return PrintServer::JobStage::Held;
    case IPP_JSTATE_PROCESSING: return PrintServer::JobStage::Processing;
    case IPP_JSTATE_STOPPED: return PrintServer::JobStage::Stopped;
    case IPP_JSTATE_CANCELED: return PrintServer::JobStage::Canceled;
    case IPP_JSTATE_ABORTED: return PrintServer::JobStage::Aborted;
    case IPP_JSTATE_COMPLETED: return PrintServer::JobStage::Completed;
    default: return PrintServer::JobStage::Pending;
    }
}

}  // namespace

PrintServer::PrintServer(std::shared_ptr<std::atomic_bool> abandoned) : abandoned_(std::move(abandoned))
{
    http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, timeoutSeconds * 1000,
                         nullptr);
    if (http_) httpSetTimeout(http_, waitSliceSeconds, keepWaiting, this);
}

PrintServer::~PrintServer()
{
    if (http_) httpClose(http_);
}

QString PrintServer::name() const
{
    const QString server = QString::fromLocal8Bit(cupsServer());
    if (server.startsWith(QLatin1Char('/')) || ippPort() == IPP_PORT) return server;
    return server + QLatin1Char(':') + QString::number(ippPort());
}

int PrintServer::keepWaiting(http_t*, void* server)
{
    auto* self = static_cast<PrintServer*>(server);
    if (*self->abandoned_) return 0;
    if (!self->deadline_.hasExpired()) return 1;
    self->timedOut_ = true;
    return 0;
}

void PrintServer::beginCall()
{
    deadline_.setRemainingTime(timeoutSeconds * 1000);
    refused_ = false;
    timedOut_ = false;
    lastError_.clear();
}

void PrintServer::noteFailure()
{
    refused_ = cupsLastError() == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS;
    lastError_ = timedOut_ ? QString::fromLocal8Bit(std::strerror(ETIMEDOUT))
                           : QString::fromUtf8(cupsLastErrorString());
}

std::optional<PrintServer::Printers> PrintServer::printers()
{
    if (!http_) return std::nullopt;
    beginCall();
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(http_, &dests);
    if (count == 0 && failed(cupsLastError())) {
        noteFailure();
        return std::nullopt;
    }
    Printers found;
    for (int i = 0; i < count; ++i) {
        QString name = QString::fromUtf8(dests[i].name);
        if (dests[i].instance) name += QLatin1Char('/') + QString::fromUtf8(dests[i].instance);
        if (dests[i].is_default) found.defaultName = name;
        found.names << name;
    }
    cupsFreeDests(count, dests);
    return found;
}

int PrintServer::submit(const QString& printer, const QString& title, const QByteArray& pdf, const Options& options)
{
    if (!http_) return 0;
    beginCall();
    const QByteArray queue = queueOf(printer);
    const QByteArray name = title.toUtf8();
    cups_option_t* settings = nullptr;
    int count = 0;
    if (options.copies > 1) count = cupsAddOption("copies", QByteArray::number(options.copies), count, &settings);
    if (!options.sides.isEmpty()) count = cupsAddOption("sides", options.sides.toUtf8(), count, &settings);
    const int job = cupsCreateJob(http_, queue, name, count, settings);
    cupsFreeOptions(count, settings);
    if (job == 0) {
        noteFailure();
        return 0;
    }
    const bool sent = cupsStartDocument(http_, queue, job, name, CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE &&
                      cupsWriteRequestData(http_, pdf.constData(), size_t(pdf.size())) == HTTP_STATUS_CONTINUE &&
                      !failed(cupsFinishDocument(http_, queue));
    if (sent) return job;
    noteFailure();
    // A half-sent job would wait for the rest of its document for ever.
    if (!timedOut_) cupsCancelJob2(http_, queue, job, 0);
    return 0;
}

std::optional<PrintServer::JobState> PrintServer::jobState(const QString& printer, int job)
{
    if (!http_) return std::nullopt;
    beginCall();
    const QByteArray queue = queueOf(printer);
    ipp_t* request = newRequest(IPP_OP_GET_JOB_ATTRIBUTES, queue);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    askFor(request, {"job-state", "job-state-reasons", "job-printer-state-message"});
    ipp_t* jobAnswer = cupsDoRequest(http_, request, "/");
    if (!jobAnswer || failed(cupsLastError())) {
        ippDelete(jobAnswer);
        noteFailure();
        return std::nullopt;
    }
    JobState state;
    ipp_attribute_t* stage = ippFindAttribute(jobAnswer, "job-state", IPP_TAG_ENUM);
    state.stage = stageOf(stage ? ippGetInteger(stage, 0) : IPP_JSTATE_PENDING);
    state.reason = text(jobAnswer, "job-printer-state-message");
    if (state.reason.isEmpty()) state.reason = reasonsOf(jobAnswer);
    ippDelete(jobAnswer);

    request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queue);
    askFor(request, {"printer-state", "printer-state-message"});
    ipp_t* printerAnswer = cupsDoRequest(http_, request, "/");
    if (!printerAnswer || failed(cupsLastError())) {
        ippDelete(printerAnswer);
        noteFailure();
        return std::nullopt;
    }
    ipp_attribute_t* printerState = ippFindAttribute(printerAnswer, "printer-state", IPP_TAG_ENUM);
    state.printerStopped = printerState && ippGetInteger(printerState, 0) == IPP_PSTATE_STOPPED;
    if (state.printerStopped && state.reason.isEmpty()) state.reason = text(printerAnswer, "printer-state-message");
    ippDelete(printerAnswer);
    return state;
}
