// Page drawing costs, against the PDF viewers a user might use instead: Poppler and, when it
// is installed, MuPDF rendering the same page from our own PDF export at the same pixel size.
// Also the repaints a zoomed page and a HiDPI window ask for.
#include "canvas/drawing_state.h"
#include "canvas/fonts.h"
#include "shell/cli/headless.h"
#include "shell/window/main_window.h"
#include "pages/registry.h"
#include "shell/form/math_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <poppler-qt6.h>

#ifdef VELKORA_BENCH_MUPDF
#include "mupdf_page.h"
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
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

// Scales a zoomed page is painted at, besides 1.
const double zoomScales[] = {1.5, 2, 3, 4};

void paintImage(benchmark::State& state, QString id, double scale)
{
    form().showPage(id, false);
    const Surface page = form().pic;
    QImage image(int(std::ceil(MathForm::pageWidth * scale)), int(std::ceil(MathForm::pageHeight * scale)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMetreAt96Dpi);
    image.setDotsPerMeterY(dotsPerMetreAt96Dpi);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.scale(scale, scale);
        page.paint(painter);
    }
}

// The offscreen platform's screens: its usual one, and one of twice its pixel density,
// where a window paints at device pixel ratio 2 as on a HiDPI display.
const char* const screensConfig = R"({"screens": [
    {"name": "dpr1", "x": 0, "y": 0, "width": 1700, "height": 1600, "logicalDpi": 96, "logicalBaseDpi": 96},
    {"name": "dpr2", "x": 1700, "y": 0, "width": 3400, "height": 3200, "logicalDpi": 192, "logicalBaseDpi": 96}
]})";

QScreen* screenNamed(const QString& name)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto named = std::find_if(screens.begin(), screens.end(), [&](QScreen* s) { return s->name() == name; });
    return named == screens.end() ? QGuiApplication::primaryScreen() : *named;
}

MainWindow* shownWindowOn(QScreen* screen)
{
    auto* w = new MainWindow(nullptr);
    w->setScreen(screen);
    w->move(screen->geometry().center() - w->rect().center());
    w->show();
    // Until the window is exposed, a repaint paints nothing.
    while (!w->windowHandle()->isExposed()) QCoreApplication::processEvents();
    return w;
}

MainWindow* standardWindow()
{
    static MainWindow* w = shownWindowOn(screenNamed("dpr1"));
    return w;
}

MainWindow* hidpiWindow()
{
    static MainWindow* w = shownWindowOn(screenNamed("dpr2"));
    return w;
}

void pageSwitch(benchmark::State& state, MainWindow* (*shownWindow)(), double pixelRatio, int row)
{
    MainWindow* window = shownWindow();
    if (window->devicePixelRatio() != pixelRatio) {
        state.SkipWithError("the window is not at the device pixel ratio asked for");
        return;
    }
    QListWidget* list = window->list();
    for (auto _ : state) {
        // From the entry above and back, as Down and Up would, so that every iteration is
        // a real change of selection and the page is paired with its neighbour, not with
        // one page for all; each change draws its page and paints it on the window.
        list->setCurrentRow(row == 0 ? 1 : row - 1);
        window->pageView()->repaint();
        list->setCurrentRow(row);
        window->pageView()->repaint();
    }
}

QString exportedPdf(const QString& id, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(id + ".pdf");
    exportPdf(form(), QFile::encodeName(path), {id});
    return path;
}

// Where our page lies on the exported sheet, in pixels at `dpi`.
struct PixelArea {
    double dpi;
    int x, y, width, height;
};

PixelArea ourPixelsOnSheet(double sheetWidthPoints)
{
    // The export fits the 745-pixel print surface into the A4 width less 10 mm margins:
    // this resolution gives one image pixel per surface pixel.
    const double printableWidthPoints = sheetWidthPoints - 2 * 10 / 25.4 * 72;
    const double dpi = 72.0 * MathForm::printWidth / printableWidthPoints;
    const int margin = int(10 / 25.4 * dpi);
    return {dpi, margin, margin, MathForm::pageWidth, MathForm::pageHeight};
}

void popplerRender(benchmark::State& state, QString id)
{
    QTemporaryDir dir;
    auto doc = Poppler::Document::load(exportedPdf(id, dir));
    if (!doc) {
        state.SkipWithError("could not load the exported PDF");
        return;
    }
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    std::unique_ptr<Poppler::Page> page = doc->page(0);
    const PixelArea a = ourPixelsOnSheet(page->pageSizeF().width());
    for (auto _ : state) {
        QImage image = page->renderToImage(a.dpi, a.dpi, a.x, a.y, a.width, a.height);
        benchmark::DoNotOptimize(image.bits());
    }
}

#ifdef VELKORA_BENCH_MUPDF
// Pages after the first: the context, the document and its fonts are there already.
void mupdfRender(benchmark::State& state, QString id)
{
    QTemporaryDir dir;
    MupdfPage page(exportedPdf(id, dir).toStdString());
    if (!page.isOpen()) {
        state.SkipWithError("MuPDF could not open the exported PDF");
        return;
    }
    const PixelArea a = ourPixelsOnSheet(page.widthPoints());
    for (auto _ : state)
        if (!page.render(a.dpi, a.x, a.y, a.width, a.height)) {
            state.SkipWithError("MuPDF could not render the page");
            break;
        }
}

// The first page: a new context, the document opened, the page rendered.
void mupdfFirstPage(benchmark::State& state, QString id)
{
    QTemporaryDir dir;
    const std::string path = exportedPdf(id, dir).toStdString();
    for (auto _ : state) {
        auto page = std::make_unique<MupdfPage>(path);
        const PixelArea a = ourPixelsOnSheet(page->widthPoints());
        if (!page->render(a.dpi, a.x, a.y, a.width, a.height)) {
            state.SkipWithError("MuPDF could not open or render the page");
            break;
        }
        state.PauseTiming();
        page.reset();
        state.ResumeTiming();
    }
}
#endif

// Peak resident memory of a child that visits every page `passes` times.
long peakKilobytesVisiting(int passes)
{
    const pid_t pid = fork();
    if (pid == 0) {
        for (int i = 0; i < passes; ++i)
            for (const QString& id : listedIds()) {
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

using Times = std::map<std::string, std::map<std::string, double>>;  // kind -> page -> ms

// Collects each run's time (the median of repetitions, when repeated) so that the summary
// can compare kinds per page.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    Times ms;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const std::string& name = run.run_name.function_name;
            const auto slash = name.find('/');
            // A switch iteration changes the page twice.
            const double divisor = name.rfind("switch", 0) == 0 ? 2 : 1;
            ms[name.substr(0, slash)][name.substr(slash + 1)] = nanoseconds(run) / divisor / 1e6;
        }
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// A column of the summary: a kind's milliseconds, or "a/b", how many times as long a took as b.
class Column {
public:
    explicit Column(std::string header) : header_(std::move(header))
    {
        const auto slash = header_.find('/');
        numerator_ = header_.substr(0, slash);
        if (slash != std::string::npos) denominator_ = header_.substr(slash + 1);
    }
    const std::string& header() const { return header_; }
    bool isRatio() const { return !denominator_.empty(); }
    double value(const Times& ms, const std::string& page) const
    {
        const double n = lookUp(ms, numerator_, page);
        return isRatio() ? n / lookUp(ms, denominator_, page) : n;
    }

private:
    static double lookUp(const Times& ms, const std::string& kind, const std::string& page)
    {
        const auto k = ms.find(kind);
        if (k == ms.end()) return std::numeric_limits<double>::quiet_NaN();
        const auto p = k->second.find(page);
        return p == k->second.end() ? std::numeric_limits<double>::quiet_NaN() : p->second;
    }
    std::string header_, numerator_, denominator_;
};

// The pages any kind was measured on, in list order.
std::vector<std::string> measuredPages(const Times& ms)
{
    std::vector<std::string> pages;
    for (const QString& id : listedIds()) {
        const std::string page = id.toStdString();
        if (std::any_of(ms.begin(), ms.end(), [&](const auto& kind) { return kind.second.count(page) > 0; }))
            pages.push_back(page);
    }
    return pages;
}

int columnWidth(const Column& c) { return std::max<int>(10, int(c.header().size()) + 1); }

void printCell(const Column& c, double v)
{
    std::printf(c.isRatio() ? " %*.1fx" : " %*.3f", c.isRatio() ? columnWidth(c) - 1 : columnWidth(c), v);
}

// One row a page and a row of medians, of the columns measured for every page.
void printTable(const char* title, const std::vector<std::string>& headers, const Times& ms)
{
    const std::vector<std::string> pages = measuredPages(ms);
    std::vector<Column> columns;
    for (const std::string& h : headers) {
        Column c(h);
        if (std::none_of(pages.begin(), pages.end(), [&](const std::string& p) { return std::isnan(c.value(ms, p)); }))
            columns.push_back(c);
    }
    if (columns.empty()) return;
    std::printf("\n%s\n%-7s", title, "page");
    for (const Column& c : columns) std::printf(" %*s", columnWidth(c), c.header().c_str());
    std::vector<std::vector<double>> values(columns.size());
    for (const std::string& page : pages) {
        std::printf("\n%-7s", page.c_str());
        for (size_t i = 0; i < columns.size(); ++i) {
            values[i].push_back(columns[i].value(ms, page));
            printCell(columns[i], values[i].back());
        }
    }
    std::printf("\n%-7s", "median");
    for (size_t i = 0; i < columns.size(); ++i) printCell(columns[i], median(values[i]));
    std::printf("\n");
}

// One of the densest pages, named apart at the largest zoom beside the slowest one.
const std::string densestPage = "1.8";

void printSlowestAtLargestZoom(const Times& ms)
{
    const auto k = ms.find("paint4x");
    if (k == ms.end() || k->second.empty()) return;
    const auto slowest = std::max_element(k->second.begin(), k->second.end(),
                                          [](const auto& a, const auto& b) { return a.second < b.second; });
    if (k->second.count(densestPage))
        std::printf("\npainting at 4x: page %s %.3f ms; the slowest page, %s, %.3f ms\n", densestPage.c_str(),
                    k->second.at(densestPage), slowest->first.c_str(), slowest->second);
}

void printSummary(SummaryReporter& r)
{
    // What the user waits for with us: the page drawn (its script) and painted.
    for (const std::string& page : measuredPages(r.ms))
        if (r.ms["script"].count(page) && r.ms["paint1x"].count(page))
            r.ms["ours"][page] = r.ms["script"].at(page) + r.ms["paint1x"].at(page);
    std::printf("\nmilliseconds per page; ours = script + paint1x; a/b = how many times as long a took as b");
    printTable("against the PDF renderers (mupdf-first: a new context, the document opened, the page rendered)",
               {"script", "paint1x", "ours", "switch", "poppler", "mupdf", "mupdf-first", "poppler/ours", "mupdf/ours",
                "poppler/switch", "mupdf/switch"},
               r.ms);
    printTable("zoomed and HiDPI repaints (switch-dpr2: the switch in a window at device pixel ratio 2)",
               {"paint1x", "paint1.5x", "paint2x", "paint3x", "paint4x", "switch", "switch-dpr2"}, r.ms);
    printSlowestAtLargestZoom(r.ms);
}

std::string scaleName(double scale)
{
    return QString::number(scale).toStdString() + "x";
}

void registerBenchmarks()
{
    int row = 0;
    for (const QString& id : listedIds()) {
        const std::string name = id.toStdString();
        benchmark::RegisterBenchmark(("script/" + name).c_str(), scriptOnly, id)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("paint1x/" + name).c_str(), paintImage, id, 1.0)->Unit(benchmark::kMicrosecond);
        for (double scale : zoomScales)
            benchmark::RegisterBenchmark(("paint" + scaleName(scale) + "/" + name).c_str(), paintImage, id, scale)
                ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("switch/" + name).c_str(), pageSwitch, standardWindow, 1.0, row)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("switch-dpr2/" + name).c_str(), pageSwitch, hidpiWindow, 2.0, row)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("poppler/" + name).c_str(), popplerRender, id)->Unit(benchmark::kMicrosecond);
#ifdef VELKORA_BENCH_MUPDF
        benchmark::RegisterBenchmark(("mupdf/" + name).c_str(), mupdfRender, id)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("mupdf-first/" + name).c_str(), mupdfFirstPage, id)
            ->Unit(benchmark::kMillisecond);
#endif
        ++row;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryFile screens;
    if (!screens.open() || screens.write(screensConfig) < 0 || !screens.flush()) {
        std::fprintf(stderr, "could not write the offscreen screens' configuration\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    form();
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter);

    std::printf("\nstart of the process to the first page drawn (median of 9): %.1f ms\n", startupMilliseconds());
    const long once = peakKilobytesVisiting(1), hundred = peakKilobytesVisiting(100);
    std::printf("peak memory visiting every page once: %ld KiB; 100 times: %ld KiB (%+.1f%%)\n", once, hundred,
                100.0 * double(hundred - once) / double(once));
    return 0;
}
