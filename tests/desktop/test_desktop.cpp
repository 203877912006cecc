// The real binary on a real X server (Xvfb), driven with xdotool as a user would:
// what the window shows must be what the export shows, the print item must reach
// the print queue, and keys, clicks and closing must behave.
#include "canvas/page_text.h"
#include "canvas/solution_steps.h"
#include "fixture.h"
#include "ink_compare.h"
#include "shell/window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <random>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

QString binary() { return qEnvironmentVariable("VELKORA_BIN"); }

// The window answers a key within 200 ms, even while it prints. The sanitizers make
// every call several times slower, so under them the check allows for that.
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 keyAnswerMs = 600;
#else
constexpr qint64 keyAnswerMs = 200;
#endif

QString run(const QString& program, const QStringList& args, int* status = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    if (status) *status = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QString xdotool(const QStringList& args) { return run(QStringLiteral("xdotool"), args); }

// What a program writes on stdout, byte for byte.
QByteArray output(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

// A page exported alone at a scale, as `velkora --export-png DIR ID --scale K` draws it.
QImage exportedAt(const QString& dir, const QString& id, double scale)
{
    const QString folder = QDir(dir).filePath(QStringLiteral("scale-%1").arg(scale));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(binary(), {QStringLiteral("--export-png"), folder, id, QStringLiteral("--scale"), QString::number(scale)});
    p.waitForFinished(60000);
    return QImage(QDir(folder).filePath(id + QStringLiteral(".png"))).convertToFormat(QImage::Format_RGB32);
}

// The pages as the window shows them once 1.12 has been opened, which every walk below
// does first: the tall brackets of the pages after it stand a few pixels wider than the
// fresh start that --export-png draws. Cropped to what the window shows: the page surface
// stands 2 pixels above the client area, so its first two rows are hidden.
QHash<QString, QImage> windowPages()
{
    MathForm form;
    form.formLoad();
    const CarriedState after112 = form.drawn(QStringLiteral("1.12"), false, form.freshStart()).leaves;
    QHash<QString, QImage> pages;
    for (const QString& id : listedIds())
        pages.insert(id, form.drawn(id, false, after112).surface.toImage(1).copy(0, 2, 682, 720).convertToFormat(
                             QImage::Format_RGB32));
    return pages;
}

const QStringList ids = listedIds();

// The selection rules the window follows, for predicting which page shows.
int afterKey(const QString& key, int index)
{
    if (key == "Home") return 0;
    if (key == "End") return 25;
    if ((key == "Up" || key == "BackSpace") && index >= 1) return index - 1;
    if ((key == "Down" || key == "Return") && index <= 24) return index + 1;
    return index;
}

class RunningProgram {
public:
    explicit RunningProgram(const QProcessEnvironment& env)
    {
        process.setProcessEnvironment(env);
        process.start(binary(), {});
        if (!process.waitForStarted()) return;
        QElapsedTimer t;
        t.start();
        while (window.isEmpty() && t.elapsed() < 15000) {
            window = xdotool({"search", "--onlyvisible", "--name", "^ Velkora$"}).split('\n').value(0);
            if (window.isEmpty()) QThread::msleep(100);
        }
        if (window.isEmpty()) return;
        readGeometry();
        xdotool({"windowfocus", "--sync", window});
    }
    // Where the window is on the screen, in screen pixels.
    void readGeometry()
    {
        const QStringList geometry = xdotool({"getwindowgeometry", "--shell", window}).split('\n');
        for (const QString& line : geometry) {
            if (line.startsWith("X=")) origin.setX(line.mid(2).toInt());
            if (line.startsWith("Y=")) origin.setY(line.mid(2).toInt());
            if (line.startsWith("WIDTH=")) size.setWidth(line.mid(6).toInt());
            if (line.startsWith("HEIGHT=")) size.setHeight(line.mid(7).toInt());
        }
    }
    ~RunningProgram()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    bool finishedWithin(int ms) { return process.waitForFinished(ms); }
    // Still running; if not, what it said on the way out.
    QByteArray failure()
    {
        if (process.state() == QProcess::Running) return {};
        if (process.exitStatus() == QProcess::CrashExit) return "crashed: " + process.readAllStandardError();
        return "ended with status " + QByteArray::number(process.exitCode()) + ": " + process.readAllStandardError();
    }

    QImage page() const { return grab(QRect(122, 0, 682, 720)); }

    // A part of the window as it is on the screen, in window coordinates.
    QImage grab(const QRect& part) const
    {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, origin.x() + part.x(), origin.y() + part.y(), part.width(), part.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // Waits for a part of the window to show `expected`.
    bool showsAt(const QRect& part, const QImage& expected) const
    {
        QElapsedTimer t;
        t.start();
        do {
            if (grab(part) == expected) return true;
            QThread::msleep(50);
        } while (t.elapsed() < 5000);
        return false;
    }

    // The mouse wheel over the page, `notches` times: button 4 up, 5 down, 6 left, 7 right.
    void wheel(int button, int notches, const QString& modifier = {})
    {
        const QPoint over = origin + QPoint(400, 300);
        xdotool({"mousemove", QString::number(over.x()), QString::number(over.y())});
        if (!modifier.isEmpty()) xdotool({"keydown", modifier});
        xdotool({"click", "--repeat", QString::number(notches), "--delay", "20", QString::number(button)});
        if (!modifier.isEmpty()) xdotool({"keyup", modifier});
    }

    // Waits for the page area to show `expected`, as the window repaints after an event.
    bool shows(const QImage& expected) const
    {
        QElapsedTimer t;
        t.start();
        do {
            if (page() == expected) return true;
            QThread::msleep(50);
        } while (t.elapsed() < 5000);
        return false;
    }

    void key(const QString& name) { xdotool({"key", "--clearmodifiers", name}); }

    // Milliseconds from a key press until the page it selects is on screen.
    qint64 answerTo(const QString& name, const QImage& expected) const
    {
        QElapsedTimer t;
        t.start();
        xdotool({"key", "--clearmodifiers", name});
        while (page() != expected && t.elapsed() < 5000) QThread::msleep(5);
        return t.elapsed();
    }

    // Everything said on stderr so far.
    QByteArray said()
    {
        process.waitForReadyRead(0);
        saidSoFar += process.readAllStandardError();
        return saidSoFar;
    }

    bool says(const QByteArray& words, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (!said().contains(words) && t.elapsed() < ms) process.waitForReadyRead(100);
        return said().contains(words);
    }

    // The window's title, less the leading space that the output of xdotool loses.
    QString title() const { return xdotool({"getwindowname", window}); }

    bool titled(const QString& expected, int ms) const
    {
        QElapsedTimer t;
        t.start();
        while (title() != expected.trimmed() && t.elapsed() < ms) QThread::msleep(50);
        return title() == expected.trimmed();
    }

    // A click on the page at a point of the surface, the page shown at 100 %.
    void clickPage(QPointF onSurface)
    {
        const QPoint at = origin + QPoint(122, 0) + onSurface.toPoint();
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }

    void clickRow(int row)
    {
        const QPoint at = origin + rowCentres.at(row);
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }

    QProcess process;
    QByteArray saidSoFar;
    QString window;
    QPoint origin;
    QSize size;
    static QList<QPoint> rowCentres;  // list entry centres in window coordinates
};

QList<QPoint> RunningProgram::rowCentres;

// Asks the window to close, as a window manager's close button does.
void closeWindow(const QString& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : 0;
        free(r);
        return a;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window.toUInt();
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

// A desktop session's environment: this test's display, a private runtime folder, and
// settings of its own, so that no run sees what another remembered, nor the user's.
QProcessEnvironment displayEnvironment()
{
    static QTemporaryDir runtime;
    static QTemporaryDir settings;
    static int sessions = 0;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    // The messages read here are the program's English ones, whatever the machine's locale.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("LANGUAGE"));  // which would pick a language even under C.UTF-8
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.filePath(QString::number(++sessions)));
    return env;
}

// A print queue of the test's own on the machine's CUPS, removed with its jobs at the
// end; the PDF queue and the default printer are left as they are.
class TestQueue {
public:
    explicit TestQueue(const QString& role)
        : name(QStringLiteral("velkora-test-%1-%2").arg(role).arg(QCoreApplication::applicationPid()))
    {
        int status = 1;
        run(QStringLiteral("lpadmin"),
            {"-p", name, "-E", "-v", "cups-pdf:/", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"}, &status);
        ready = status == 0;
    }
    ~TestQueue()
    {
        run(QStringLiteral("cancel"), {"-a", name});
        run(QStringLiteral("lpadmin"), {"-x", name});
    }
    int completedJobs() const
    {
        return int(run(QStringLiteral("lpstat"), {"-W", "completed", "-o", name}).count(name + "-"));
    }

    QString name;
    bool ready = false;
};

// Closes the program's message box, once it shows (within `ms`), as a user would with Enter.
bool dismissMessage(int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    QString box;
    while ((box = xdotool({"search", "--onlyvisible", "--name", "^Velkora$"})).isEmpty() && t.elapsed() < ms)
        QThread::msleep(50);
    if (box.isEmpty()) return false;
    xdotool({"windowfocus", "--sync", box});
    xdotool({"key", "Return"});
    return true;
}

// What the program put on the clipboard, once it has: it handles the key in its own
// time, and a slow build (the sanitizers) takes a while.
QByteArray clipboard(const QString& type)
{
    QElapsedTimer t;
    t.start();
    QByteArray data;
    while ((data = output(QStringLiteral("xclip"), {"-o", "-selection", "clipboard", "-t", type})).isEmpty() &&
           t.elapsed() < 10000)
        QThread::msleep(100);
    return data;
}

}  // namespace

// Whether a page on screen shows the steps of its solution up to `revealed` and nothing
// more: inside what a shown operation draws, the pixels are the export's; where only hidden
// operations draw, the paper is bare. Boxes are widened (shown) and narrowed (hidden) by a
// pixel or two for anti-aliased edges; the corner where the step count stands is left out.
QString stepsDiffer(const QImage& screen, const QImage& exported, const Surface& page, const SolutionSteps& steps, int revealed)
{
    const QRect countCorner(560, 0, 122, 40);
    auto boxOf = [](const DrawOp& op) {
        if (op.kind == DrawOp::Text) return QRectF(op.x, op.y - 2, op.advance, 1.5 * op.points * 96 / 72).toAlignedRect();
        return QRectF(QPointF(op.x, op.y - 2), QPointF(op.x2, op.y2 - 2)).normalized().toAlignedRect().adjusted(0, 0, 1, 1);
    };
    QImage shown(screen.size(), QImage::Format_Grayscale8);
    shown.fill(0);
    QPainter mask(&shown);
    for (int i = 0; i < int(page.ops().size()); ++i)
        if (steps.shows(i, revealed)) mask.fillRect(boxOf(page.ops()[size_t(i)]).adjusted(-2, -2, 2, 2), Qt::white);
    mask.end();
    const QRgb paper = screen.pixel(2, screen.height() - 3);
    for (int i = 0; i < int(page.ops().size()); ++i) {
        const QRect box = boxOf(page.ops()[size_t(i)]).intersected(screen.rect());
        const bool show = steps.shows(i, revealed);
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                if (countCorner.contains(x, y)) continue;
                if (show && screen.pixel(x, y) != exported.pixel(x, y))
                    return QStringLiteral("operation %1 (shown) differs from the export at %2, %3").arg(i).arg(x).arg(y);
                if (!show && qGray(shown.pixel(x, y)) == 0 && screen.pixel(x, y) != paper)
                    return QStringLiteral("operation %1 (hidden) has ink at %2, %3").arg(i).arg(x).arg(y);
            }
    }
    return QString();
}

class DesktopTest : public QObject {
    Q_OBJECT

    QTemporaryDir exports;
    QHash<QString, QImage> pages;

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is missing; run ./setup test");
        pages = windowPages();
        QCOMPARE(pages.size(), ids.size());
        // Away from the tall brackets, a page looks as it is exported.
        QCOMPARE(pages["1.8a"], exportedAt(exports.path(), "1.8a", 1).copy(0, 2, 682, 720));
        MainWindow twin(nullptr);
        QListWidget* list = twin.list();
        for (int row = 0; row < list->count(); ++row)
            RunningProgram::rowCentres << list->viewport()->mapTo(&twin, list->visualItemRect(list->item(row)).center());
    }

    void windowShowsWhatTheExportShows()
    {
        QElapsedTimer t;
        t.start();
        RunningProgram program(displayEnvironment());
        QVERIFY(!program.window.isEmpty());
        QVERIFY2(program.shows(pages["1.8a"]), "the first page differs from its export");
        int index = 0;
        // 1.12 first: it sets the spread of tall brackets that every later page keeps.
        const QStringList steps = {"Down", "Down", "Down", "End", "Return", "Up", "BackSpace", "Home", "Up",
                                   "row 4", "Down", "row 17", "row 25", "Down", "row 9", "End"};
        for (const QString& step : steps) {
            if (step.startsWith("row ")) {
                index = step.mid(4).toInt();
                program.clickRow(index);
            } else {
                index = afterKey(step, index);
                program.key(step);
            }
            QVERIFY2(program.shows(pages[ids[index]]), qPrintable(step + " should show " + ids[index]));
        }
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 0);
        qInfo("keys and clicks: %lld ms", t.elapsed());
    }

    // The page is scaled as vectors: zoomed, scrolled, fitted to a resized window, it
    // shows what the export draws at that scale; and the next run opens as this one left.
    void zoomAndResizeScaleThePageAsVectors()
    {
        const QImage twice = exportedAt(exports.path(), "1.8a", 2);
        const QImage halfAgain = exportedAt(exports.path(), "1.8a", 1.5);
        // Scales that are sums of halves and eighths: at others, a painter that stands at an
        // offset in the window may round an antialiased edge or two otherwise than the export.
        const QImage reduced = exportedAt(exports.path(), "1.8a", 1.125);
        const QProcessEnvironment env = displayEnvironment();
        {
            RunningProgram program(env);
            QVERIFY(!program.window.isEmpty());
            QVERIFY(program.shows(pages["1.8a"]));
            for (int i = 0; i < 5; ++i) program.key("ctrl+plus");  // 110, 125, 150, 175, 200 %
            program.wheel(4, 20);
            program.wheel(6, 20);
            // The page stands 2 pixels above the window, so its first 2 rows are hidden.
            const QRect seen(122, 0, 540, 600);
            QVERIFY2(program.showsAt(seen, twice.copy(0, 2, 540, 600)), "200 % is the export at scale 2");
            program.wheel(5, 3);
            QThread::msleep(300);
            const QImage scrolled = program.grab(seen);
            int down = -1;
            for (int dy = 1; dy + 2 + seen.height() <= twice.height() && down < 0; ++dy)
                if (scrolled == twice.copy(0, 2 + dy, seen.width(), seen.height())) down = dy;
            QVERIFY2(down > 0, "the wheel scrolls the enlarged page");

            program.key("ctrl+0");
            QVERIFY(program.shows(pages["1.8a"]));
            // 1023 x 1083 pixels of room: the page fitted at 1.5 times its size.
            xdotool({"windowmove", "--sync", program.window, "0", "0"});  // room on the screen to grow
            xdotool({"windowsize", "--sync", program.window, "1149", "1085"});
            program.readGeometry();
            QVERIFY2(program.showsAt(QRect(122, 0, 1023, 1081), halfAgain.copy(0, 2, 1023, 1081)),
                     "the fitted page is the export at scale 1.5");
            program.wheel(5, 3, "ctrl");  // 90, 80, 75 % of the fitted page: 1.125, in the middle of its room
            const QSize page = reduced.size();
            bool found = false;
            for (int x : {(1023 - page.width()) / 2, (1023 - page.width() + 1) / 2})
                for (int y : {(1083 - page.height()) / 2, (1083 - page.height() + 1) / 2})
                    found = found || program.showsAt(QRect(QPoint(122 + x, y - 2), page), reduced);
            QVERIFY2(found, "Ctrl+wheel reduces the page to the export at scale 1.125, centred");
            program.key("Escape");
            QVERIFY(program.finishedWithin(3000));
        }
        RunningProgram again(env);
        QVERIFY(!again.window.isEmpty());
        QCOMPARE(again.size, QSize(1149, 1085));
        const int x = (1023 - reduced.width()) / 2, y = (1083 - reduced.height()) / 2;
        bool same = false;
        for (int dx : {0, 1})
            for (int dy : {0, 1}) same = same || again.showsAt(QRect(QPoint(122 + x + dx, y + dy - 2), reduced.size()), reduced);
        QVERIFY2(same, "the next run opens at the size and zoom this one left");
    }

    void copyPutsThePageOnTheClipboard()
    {
        QVERIFY2(!QStandardPaths::findExecutable("xclip").isEmpty(), "xclip is missing; run ./setup test");
        RunningProgram program(displayEnvironment());
        QVERIFY(!program.window.isEmpty());
        program.clickRow(12);
        QVERIFY(program.shows(pages["5.9"]));
        program.key("ctrl+c");
        const QByteArray png = clipboard("image/png");
        QCOMPARE(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), exportedAt(exports.path(), "5.9", 1));
        const QString text = QString::fromUtf8(clipboard("text/plain"));
        QVERIFY2(text.startsWith(QStringLiteral("[問題 5.9]　p. 107.\nl = 1 の球面調和関数 Y_(lm) (θ, φ) の具体形を示せ。\n[解 5.9]：\n")),
                 qPrintable(text.left(200)));
        const PageText page(pageSurface("5.9").displayList());
        QCOMPARE(text, page.plainOf(page.allPieces()));
        // The same copy as HTML with MathML and as LaTeX, read back from the X clipboard.
        const QString html = QString::fromUtf8(clipboard("text/html"));
        QVERIFY2(html.contains(QStringLiteral("<math")) && html.contains(QStringLiteral("<mi>θ</mi>")), qPrintable(html.left(400)));
        const QString latex = QString::fromUtf8(clipboard("application/x-latex"));
        QVERIFY2(latex.startsWith(QStringLiteral("[問題 5.9]　p. 107.\n")) && latex.contains(QStringLiteral("\\theta")),
                 qPrintable(latex.left(400)));

        // A click on a formula selects it; Ctrl+Shift+C copies its LaTeX alone as plain text,
        // between dollars: the first formula of 5.9 stands in the statement's prose.
        const std::vector<PageText::PieceRef> pieces = page.allPieces();
        const PageText::PieceRef formula =
            *std::find_if(pieces.cbegin(), pieces.cend(), [&](auto ref) { return page.piece(ref).formula; });
        program.clickPage(page.piece(formula).box.center());
        program.key("ctrl+shift+c");
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(clipboard("text/plain")), u'$' + page.piece(formula).latex + u'$', 5000);
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
    }

    // Enter in the find bar goes to the next page holding the term, as a click on its
    // entry would; the first Esc closes the bar, the second quits.
    void findBarLandsOnTheExpectedPage()
    {
        RunningProgram program(displayEnvironment());
        QVERIFY(!program.window.isEmpty());
        program.clickRow(3);  // the bracket spread that the expected pages have
        QVERIFY(program.shows(pages["1.12"]));
        program.key("ctrl+f");
        xdotool({"type", "--delay", "30", "p.108"});  // the headings of 5.12 to 5.15
        program.key("Return");
        program.key("Escape");
        QVERIFY2(program.shows(pages["5.12"]), "Enter should land on 5.12, the first page after 1.12 with p. 108");
        QVERIFY2(program.failure().isEmpty(), "the first Esc closes the bar and leaves the program running");
        // F3 opens the bar again and marks the term on the page it lands on; Esc clears both.
        program.key("F3");
        program.key("Escape");
        QVERIFY2(program.shows(pages["5.13"]), "F3 goes on to the next page with the term");
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
        QCOMPARE(program.process.exitCode(), 0);
    }

    void aLargeScaleFactorOpensTheWindowOnScreen()
    {
        QProcessEnvironment env = displayEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        RunningProgram program(env);
        QVERIFY(!program.window.isEmpty());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(screen.size(), QSize(1600, 1200));
        QVERIFY2(screen.contains(QRect(program.origin, program.size)),
                 qPrintable(QStringLiteral("the window is at %1, %2, %3 x %4")
                                .arg(program.origin.x()).arg(program.origin.y()).arg(program.size.width()).arg(program.size.height())));
        // Copied at the window's pixel ratio: twice the page's pixels.
        program.key("ctrl+c");
        const QImage copied = QImage::fromData(clipboard("image/png"), "PNG");
        QCOMPARE(copied.size(), QSize(1364, 1444));
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
    }

    // Study mode in the real window: F2 hides 7.11's solution; Right, Left and Ctrl+Right
    // show exactly the steps revealed, as the export draws them, and leave the rest bare.
    // Ctrl+D and the last problem with its zoom are there in the next run; with study mode
    // off, the next run opens the first problem as always.
    void studyModeRevealsStepByStepAndIsRemembered()
    {
        const QProcessEnvironment env = displayEnvironment();
        const Surface page = pageSurface("7.11");
        const SolutionSteps steps(page.displayList());
        QVERIFY(steps.count() >= 4);
        const QImage exported = exportedAt(exports.path(), "7.11", 1).copy(0, 2, 682, 720);
        auto showsSteps = [&](RunningProgram& program, int revealed) {
            QString differs;
            QElapsedTimer t;
            t.start();
            do {
                differs = stepsDiffer(program.page(), exported, page, steps, revealed);
                if (differs.isEmpty()) return differs;
                QThread::msleep(50);
            } while (t.elapsed() < 5000);
            return QStringLiteral("with %1 steps revealed: %2").arg(revealed).arg(differs);
        };
        {
            RunningProgram program(env);
            QVERIFY(!program.window.isEmpty());
            program.clickRow(int(ids.indexOf("7.11")));
            QVERIFY(program.shows(pages["7.11"]));
            program.key("F2");
            QString differs = showsSteps(program, 0);
            QVERIFY2(differs.isEmpty(), qPrintable(differs));
            for (int revealed = 1; revealed <= 3; ++revealed) {
                program.key("Right");
                differs = showsSteps(program, revealed);
                QVERIFY2(differs.isEmpty(), qPrintable(differs));
            }
            program.key("Left");
            differs = showsSteps(program, 2);
            QVERIFY2(differs.isEmpty(), qPrintable(differs));
            program.key("ctrl+Right");
            QVERIFY2(program.shows(pages["7.11"]), "Ctrl+Right shows the whole page");
            program.key("ctrl+d");
            program.key("ctrl+plus");
            program.key("Escape");
            QVERIFY(program.finishedWithin(3000));
        }
        const QString settings = env.value("XDG_CONFIG_HOME") + "/velkora/velkora.conf";
        QFile file(settings);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString remembered = QString::fromUtf8(file.readAll());
        QVERIFY2(remembered.contains(QStringLiteral("7.11=3")) && remembered.contains(QStringLiteral("last=7.11")),
                 qPrintable(remembered));
        file.close();
        {
            RunningProgram program(env);
            QVERIFY(!program.window.isEmpty());
            // Reopened on 7.11 at 110 % (the step after 100 %), scrolled to its top: its heading.
            const QImage zoomed = exportedAt(exports.path(), "7.11", 1.1);
            QVERIFY2(program.showsAt(QRect(122, 0, 300, 40), zoomed.copy(0, 2, 300, 40)),
                     "the next run opens 7.11 at 110 %, scrolled to its top");
            program.key("F2");
            program.key("Escape");
            QVERIFY(program.finishedWithin(3000));
        }
        RunningProgram program(env);
        QVERIFY(!program.window.isEmpty());
        // The zoom is remembered in any mode.
        QVERIFY2(program.showsAt(QRect(122, 0, 300, 40), exportedAt(exports.path(), "1.8a", 1.1).copy(0, 2, 300, 40)),
                 "without study mode the program opens the first problem");
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
    }

    void closingTheWindowEndsTheProgram()
    {
        RunningProgram program(displayEnvironment());
        QVERIFY(!program.window.isEmpty());
        closeWindow(program.window);
        QVERIFY(program.finishedWithin(5000));
        QCOMPARE(program.process.exitCode(), 0);
    }

    void noPrinterKeepsTheProgramUp()
    {
        QProcessEnvironment env = displayEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/cups.sock"));
        env.remove(QStringLiteral("PRINTER"));
        RunningProgram program(env);
        QVERIFY(!program.window.isEmpty());
        program.clickRow(3);
        QVERIFY(program.shows(pages["1.12"]));
        program.clickRow(26);
        QElapsedTimer t;
        t.start();
        QString message;
        while (message.isEmpty() && t.elapsed() < 5000)
            message = xdotool({"search", "--onlyvisible", "--name", "^Velkora$"});
        QVERIFY2(!message.isEmpty(), "no message said that there is no printer");
        QVERIFY2(program.failure().isEmpty(), program.failure().constData());
        xdotool({"windowfocus", "--sync", message});
        xdotool({"key", "Return"});
        QVERIFY(program.shows(pages["1.12"]));  // the screen page is not redrawn
        QVERIFY2(program.failure().isEmpty(), program.failure().constData());
    }

    // Keys outside the key table, drags and presses taken back never reach the print
    // item: with no print server to be found, any print would say so on stderr.
    void listKeysAndDragsNeverPrint()
    {
        QProcessEnvironment env = displayEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/cups.sock"));
        RunningProgram program(env);
        QVERIFY(!program.window.isEmpty());
        program.clickRow(3);
        QVERIFY(program.shows(pages["1.12"]));
        for (const char* key : {"Next", "Next", "space", "Right", "shift+Next", "ctrl+space", "bracketleft"})
            program.key(QLatin1String(key));
        QVERIFY2(program.shows(pages["1.12"]), "PageDown scrolls the page, never the list");
        program.key("End");
        program.key("Next");
        QVERIFY2(program.shows(pages["7.14"]), "End stops at the last problem");
        program.clickRow(20);
        auto at = [&](int row) {
            const QPoint p = program.origin + RunningProgram::rowCentres.at(row);
            return QStringList{QString::number(p.x()), QString::number(p.y())};
        };
        QVERIFY(program.shows(pages[ids[20]]));
        xdotool(QStringList{"mousemove"} + at(20) + QStringList{"mousedown", "1"});
        for (int row : {22, 25}) {  // one step at a time: the server merges moves that queue up
            xdotool(QStringList{"mousemove"} + at(row));
            QVERIFY(program.shows(pages[ids[row]]));
        }
        xdotool(QStringList{"mousemove"} + at(26));
        xdotool({"mouseup", "1"});
        xdotool(QStringList{"mousemove"} + at(26) + QStringList{"mousedown", "1", "mousemove"} + at(24) +
                QStringList{"mouseup", "1"});
        QVERIFY(program.shows(pages["7.14"]));
        QThread::msleep(500);
        QVERIFY2(program.said().isEmpty(), program.said().constData());
        QVERIFY(!dismissMessage(0));
        program.clickRow(26);  // the one way to print
        QVERIFY2(program.says("/nonexistent/cups.sock", 5000), "a click on the print item should print");
    }

    void printOutcomesAreReportedAndTheWindowKeepsAnswering()
    {
        if (geteuid() != 0) QSKIP("adding print queues needs root; ./setup test runs the tests as root");
        QTcpServer silent;  // accepts connections and never says a word
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        TestQueue rejecting(QStringLiteral("rejecting")), stopped(QStringLiteral("stopped")),
            normal(QStringLiteral("normal"));
        QVERIFY2(rejecting.ready && stopped.ready && normal.ready, "lpadmin could not add a queue");
        run(QStringLiteral("cupsreject"), {rejecting.name});
        run(QStringLiteral("cupsdisable"), {stopped.name});

        struct Case {
            QString printer, server;
            QByteArray says;
        };
        const QString silentServer = QStringLiteral("127.0.0.1:%1").arg(silent.serverPort());
        const Case cases[] = {
            {rejecting.name, {}, '"' + rejecting.name.toUtf8() + "\" does not accept jobs now"},
            {stopped.name, {}, '"' + stopped.name.toUtf8() + "\" is stopped"},
            {{}, silentServer, "The print server " + silentServer.toUtf8() + " did not answer within 10 seconds"},
        };
        for (const Case& c : cases) {
            QProcessEnvironment env = displayEnvironment();
            if (!c.printer.isEmpty()) env.insert(QStringLiteral("PRINTER"), c.printer);
            if (!c.server.isEmpty()) env.insert(QStringLiteral("CUPS_SERVER"), c.server);
            RunningProgram program(env);
            QVERIFY(!program.window.isEmpty());
            program.clickRow(3);
            QVERIFY(program.shows(pages["1.12"]));
            program.clickRow(26);
            QElapsedTimer t;
            t.start();
            // While the request is under way, and after it, the list still answers
            // (a message box, once there, takes the keys until it is closed).
            int index = 26;
            auto nextKey = [&index] {
                const QString key = index == 24 ? QStringLiteral("Down") : QStringLiteral("Up");
                index = afterKey(key, index);
                return key;
            };
            do {
                const QString key = nextKey();
                const qint64 ms = program.answerTo(key, pages[ids[index]]);
                QVERIFY2(ms < keyAnswerMs || program.said().contains(c.says), qPrintable(QString::number(ms) + " ms"));
            } while (!program.said().contains(c.says) && t.elapsed() < 8000);
            QVERIFY2(program.says(c.says, 15000), program.said().constData());
            QCOMPARE(program.said().count('\n'), 1);
            QVERIFY2(dismissMessage(), "the failure should show in a message box as well");
            xdotool({"windowfocus", "--sync", program.window});  // as a window manager would
            program.clickRow(3);
            QVERIFY(program.shows(pages["1.12"]));
            const qint64 ms = program.answerTo("Down", pages["1.13"]);
            QVERIFY2(ms < keyAnswerMs, qPrintable(QString::number(ms) + " ms after the message"));
            QCOMPARE(program.title(), QStringLiteral("Velkora"));
            program.key("Escape");
            QVERIFY(program.finishedWithin(3000));
        }
        QVERIFY(run(QStringLiteral("lpstat"), {"-o", stopped.name}).contains(stopped.name + "-"));

        // A normal job: a brief confirmation in the title, and a second request while
        // the first is under way sends nothing more.
        QProcessEnvironment env = displayEnvironment();
        env.insert(QStringLiteral("PRINTER"), normal.name);
        RunningProgram program(env);
        QVERIFY(!program.window.isEmpty());
        program.clickRow(3);
        QVERIFY(program.shows(pages["1.12"]));
        program.clickRow(26);
        program.clickRow(26);
        QVERIFY(program.answerTo("Up", pages["7.14"]) < keyAnswerMs);
        const QString done = QStringLiteral(" Velkora — Printed on \"%1\"").arg(normal.name);
        QVERIFY2(program.titled(done, 20000), qPrintable(program.title() + program.said()));
        QVERIFY(program.titled(QStringLiteral(" Velkora"), 8000));
        QCOMPARE(normal.completedJobs(), 1);
        QVERIFY2(program.said().isEmpty(), program.said().constData());
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
    }

    // With printers but no default one, the print item asks which printer to use.
    void noDefaultPrinterAsksForOne()
    {
        if (!run(QStringLiteral("lpstat"), {"-d"}).contains(QStringLiteral("no system default")))
            QSKIP("this machine has a default printer, which the test must not change");
        if (run(QStringLiteral("lpstat"), {"-v"}).isEmpty()) QSKIP("no print queue; ./setup test adds one as root");
        QTemporaryDir home;  // no lpoptions naming a default
        QProcessEnvironment env = displayEnvironment();
        env.remove(QStringLiteral("PRINTER"));
        env.remove(QStringLiteral("LPDEST"));
        env.insert(QStringLiteral("HOME"), home.path());
        RunningProgram program(env);
        QVERIFY(!program.window.isEmpty());
        program.clickRow(3);
        QVERIFY(program.shows(pages["1.12"]));
        program.clickRow(26);
        QString dialog;
        QElapsedTimer t;
        t.start();
        while (dialog.isEmpty() && t.elapsed() < 10000) {
            for (const QString& w : xdotool({"search", "--onlyvisible", "--name", "."}).split('\n'))
                if (!w.isEmpty() && w != program.window && xdotool({"getwindowpid", w}) == QString::number(program.process.processId()))
                    dialog = w;
            QThread::msleep(100);
        }
        QVERIFY2(!dialog.isEmpty(), program.said().constData());
        QVERIFY2(!xdotool({"getwindowname", dialog}).contains(QStringLiteral("Velkora")), "a message instead of the dialog");
        xdotool({"windowfocus", "--sync", dialog});
        xdotool({"key", "Escape"});
        QVERIFY2(program.titled(QStringLiteral(" Velkora"), 3000), qPrintable(program.title() + " / " + xdotool({"getwindowname", dialog})));
        xdotool({"windowfocus", "--sync", program.window});
        QVERIFY(program.answerTo("Up", pages["7.14"]) < keyAnswerMs);
        QVERIFY2(program.said().isEmpty(), program.said().constData());
    }

    void printItemReachesThePrintQueue()
    {
        int status = 0;
        run(QStringLiteral("lpstat"), {"-v", "PDF"}, &status);
        // As root, ./setup test always sets the queue up, so its absence is a failure.
        if (status != 0 && geteuid() == 0) QFAIL("no PDF print queue; run ./setup test");
        if (status != 0) QSKIP("no PDF print queue; ./setup test sets one up when run as root");
        const QDir out(QDir::home().filePath(QStringLiteral("PDF")));
        const QStringList before = out.entryList({QStringLiteral("*.pdf")});

        QProcessEnvironment env = displayEnvironment();
        env.insert(QStringLiteral("PRINTER"), QStringLiteral("PDF"));
        RunningProgram program(env);
        QVERIFY(!program.window.isEmpty());
        program.clickRow(11);
        QVERIFY(program.shows(pages["5.5"]));
        program.clickRow(26);

        QString printed;
        QElapsedTimer t;
        t.start();
        while (printed.isEmpty() && t.elapsed() < 60000) {
            for (const QString& f : out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time))
                if (!before.contains(f)) printed = out.filePath(f);
            QThread::msleep(200);
        }
        QVERIFY2(!printed.isEmpty(), "no job arrived in ~/PDF");
        QThread::msleep(500);  // the queue writes the file in one go, but give it a moment to close
        QVERIFY(run(QStringLiteral("pdfinfo"), {printed}).contains(QRegularExpression("Pages:\\s+1\\b")));

        // The job against the print view as the program paints it, each run and stroke
        // where it belongs, Poppler rendering what the spooler made of the job.
        QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
        offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess p;
        p.setProcessEnvironment(offscreen);
        const QString printView = exports.filePath(QStringLiteral("print-view"));
        QDir().mkpath(printView);
        p.start(binary(), {"--export-png", printView, "5.5", "--print-view"});
        p.waitForFinished(60000);
        const QImage expected(QDir(printView).filePath(QStringLiteral("5.5.png")));
        const std::vector<QImage> sheets = popplerSheets(printed, exports.filePath(QStringLiteral("printed")), 1);
        QVERIFY2(sheets.size() == 1 && !expected.isNull(), "the job or the print view could not be rendered");
        const QStringList faults = misplacedInk(expected, sheets[0], pageOps(QStringLiteral("5.5"), true), 1);
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("printed job (%1):\n")
                                                  .arg(keepForInspection(sheets[0], QStringLiteral("5.5-printed"))) +
                                              faults.join('\n')));
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
    }

    void stormOfKeysAndClicks()
    {
        RunningProgram program(displayEnvironment());
        QVERIFY(!program.window.isEmpty());
        const QStringList keys = {"Home", "End", "Up", "Down", "Return", "BackSpace", "a", "Tab", "Left"};
        program.clickRow(3);  // the bracket spread that the expected pages have
        std::mt19937 random(20261206);
        int index = 3;
        for (int i = 0; i < 300; ++i) {
            if (random() % 3 == 0) {
                index = int(random() % 26);  // the print item has its own tests
                program.clickRow(index);
            } else {
                const QString key = keys[int(random() % keys.size())];
                index = afterKey(key, index);
                program.key(key);
            }
        }
        QVERIFY2(program.failure().isEmpty(), program.failure().constData());
        QVERIFY2(program.shows(pages[ids[index]]), qPrintable("after the storm the page should be " + ids[index]));
        program.key("Escape");
        QVERIFY(program.finishedWithin(3000));
        QCOMPARE(program.process.exitCode(), 0);
        const QByteArray said = program.process.readAllStandardError();
        QVERIFY2(said.isEmpty(), said.constData());  // no warning from Qt or from us
    }
};

int main(int argc, char** argv)
{
    // A private X server for this test; the test's own client takes the screenshots.
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1600x1200x24", "-nolisten", "tcp"});
    if (!xvfb.waitForStarted() || !xvfb.waitForReadyRead(20000)) {
        std::fprintf(stderr, "Xvfb did not start; run ./setup test, which installs it\n");
        return 1;
    }
    const QByteArray display = ":" + xvfb.readLine().trimmed();
    qputenv("DISPLAY", display);
    qunsetenv("QT_QPA_PLATFORM");
    int status;
    {
        QApplication app(argc, argv);
        DesktopTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    xvfb.terminate();
    xvfb.waitForFinished();
    return status;
}

#include "test_desktop.moc"
