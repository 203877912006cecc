// Page drawing costs, against the PDF viewer a user might use instead: Poppler
// rendering the same page from our own PDF export at the same pixel size.
#include "canvas/drawing_state.h"
#include "shell/headless.h"
#include "shell/main_window.h"
#include "shell/math_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <poppler-qt6.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

MathForm& form()
{
    static MathForm* f = [] {
        auto* m = new MathForm;
        m->formLoad();
        return m;
    }();
    return *f;
}

void scriptOnly(benchmark::State& state, QString id)
{
    for (auto _ : state) {
        form().showPage(id, false);
        benchmark::DoNotOptimize(form().pic.ops().data());
    }
}

void paintImage(benchmark::State& state, QString id, int scale)
{
    form().showPage(id, false);
    const Surface page = form().pic;
    QImage image(682 * scale, 722 * scale, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.scale(scale, scale);
        page.paint(painter);
    }
}

void pageSwitch(benchmark::State& state, int row)
{
    static MainWindow* window = [] {
        auto* w = new MainWindow(nullptr);
        w->show();
        // Until the window is exposed, a repaint paints nothing.
        while (!w->windowHandle()->isExposed()) QCoreApplication::processEvents();
        return w;
    }();
    QListWidget* list = window->list();
    for (auto _ : state) {
        // Away and back, so that every iteration is a real change of selection;
        // each change draws its page and paints it on the window.
        list->setCurrentRow(row == 0 ? 1 : 0);
        window->pageView()->repaint();
        list->setCurrentRow(row);
        window->pageView()->repaint();
    }
}

std::unique_ptr<Poppler::Document> exportedPdf(const QString& id, QTemporaryDir& dir)
{
    const QString path = dir.filePath(id + ".pdf");
    exportPdf(form(), QFile::encodeName(path), {id});
    return Poppler::Document::load(path);
}

void popplerRender(benchmark::State& state, QString id)
{
    QTemporaryDir dir;
    auto doc = exportedPdf(id, dir);
    if (!doc) {
        state.SkipWithError("could not load the exported PDF");
        return;
    }
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    std::unique_ptr<Poppler::Page> page = doc->page(0);
    // The export fits the 745-pixel print surface into the A4 width less 10 mm margins:
    // this resolution gives one image pixel per surface pixel.
    const double printableWidthPt = page->pageSizeF().width() - 2 * 10 / 25.4 * 72;
    const double dpi = 72.0 * MathForm::printWidth / printableWidthPt;
    const int margin = int(10 / 25.4 * dpi);
    for (auto _ : state) {
        QImage image = page->renderToImage(dpi, dpi, margin, margin, 682, 722);
        benchmark::DoNotOptimize(image.bits());
    }
}

// Peak resident memory of a child that visits every page `passes` times.
long peakKilobytesVisiting(int passes)
{
    const pid_t pid = fork();
    if (pid == 0) {
        for (int i = 0; i < passes; ++i)
            for (const QString& id : MathForm::problemIds()) {
                form().showPage(id, false);
                benchmark::DoNotOptimize(form().pic.toImage(1).bits());
            }
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;
}

double startupMilliseconds()
{
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(VELKORA_BIN), {"--time-startup"});
        p.waitForFinished();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double nanoseconds(const benchmark::BenchmarkReporter::Run& run)
{
    const double t = run.GetAdjustedRealTime();
    switch (run.time_unit) {
    case benchmark::kMillisecond: return t * 1e6;
    case benchmark::kMicrosecond: return t * 1e3;
    default: return t;
    }
}

// Collects each run's time so that the summary can compare kinds per page.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::map<std::string, double>> ns;  // kind -> page -> ns
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            // A switch iteration changes the page twice.
            const double divisor = name.rfind("switch", 0) == 0 ? 2 : 1;
            ns[name.substr(0, slash)][name.substr(slash + 1)] = nanoseconds(run) / divisor;
        }
    }
    bool complete() const
    {
        for (const char* kind : {"script", "paint1x", "paint2x", "switch", "poppler"})
            if (!ns.count(kind)) return false;
        return true;
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void printRow(const char* page, const std::vector<double>& ms, double ratio)
{
    std::printf("%-7s", page);
    for (double v : ms) std::printf(" %9.3f", v);
    std::printf(" %11.1fx\n", ratio);
}

void printSummary(const SummaryReporter& r)
{
    std::printf("\nmilliseconds per page; ours = script + paint 1x\n%-7s %9s %9s %9s %9s %9s %12s\n", "page", "script",
                "paint1x", "paint2x", "switch", "poppler", "poppler/ours");
    std::vector<std::vector<double>> columns(5);
    std::vector<double> ratios;
    for (const auto& [page, script] : r.ns.at("script")) {
        const std::vector<double> ms = {script / 1e6, r.ns.at("paint1x").at(page) / 1e6,
                                        r.ns.at("paint2x").at(page) / 1e6, r.ns.at("switch").at(page) / 1e6,
                                        r.ns.at("poppler").at(page) / 1e6};
        ratios.push_back(ms[4] / (ms[0] + ms[1]));
        for (size_t i = 0; i < ms.size(); ++i) columns[i].push_back(ms[i]);
        printRow(page.c_str(), ms, ratios.back());
    }
    std::vector<double> medians;
    for (const auto& c : columns) medians.push_back(median(c));
    printRow("median", medians, median(ratios));
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    form();
    int row = 0;
    for (const QString& id : MathForm::problemIds()) {
        const std::string name = id.toStdString();
        benchmark::RegisterBenchmark(("script/" + name).c_str(), scriptOnly, id)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("paint1x/" + name).c_str(), paintImage, id, 1)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("paint2x/" + name).c_str(), paintImage, id, 2)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("switch/" + name).c_str(), pageSwitch, row++)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("poppler/" + name).c_str(), popplerRender, id)->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (reporter.complete()) printSummary(reporter);

    std::printf("\nstart of the process to the first page drawn (median of 9): %.1f ms\n", startupMilliseconds());
    const long once = peakKilobytesVisiting(1), hundred = peakKilobytesVisiting(100);
    std::printf("peak memory visiting every page once: %ld KiB; 100 times: %ld KiB (%+.1f%%)\n", once, hundred,
                100.0 * double(hundred - once) / double(once));
    return 0;
}
