#include "shell/cli/cli.h"

#include "pages/registry.h"
#include "shell/cli/display_probe.h"
#include "shell/cli/headless.h"
#include "shell/files/output.h"
#include "shell/files/std_streams.h"
#include "shell/form/math_form.h"
#include "shell/language/language.h"
#include "shell/window/commands.h"
#include "shell/window/main_window.h"
#include "shell/window/settings_file.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The command line's messages, in the reader's language.
struct Cli {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

const char* helpText = QT_TRANSLATE_NOOP(
    "Cli",
    "Usage: velkora [COMMAND]\n"
    "Worked solutions to problems of a textbook of mathematical physics.\n"
    "With no command, opens the window.\n"
    "\n"
    "Headless commands (no display needed):\n"
    "  --list                              print the list entries, one a line\n"
    "  --export-png DIR [ID...] [--scale K] [--print-view]\n"
    "                                      draw pages as on screen (or as printed) into DIR/ID.png;\n"
    "                                      DIR is made if missing; K from 0.25 to 16 (default 1)\n"
    "  --export-pdf FILE [ID...]           draw pages as printed, one a sheet, into FILE\n"
    "  --trace ID [FILE] [--print-view]    write a page's drawing operations as JSON Lines\n"
    "  --text [ID...]                      print pages' text, formulas in linear form, a form feed after each\n"
    "  --latex [ID...]                     the same with formulas in LaTeX\n"
    "  --time-startup                      open the window, report the time to its first page, quit\n"
    "  --help                              show this help\n"
    "  --version                           show the version\n"
    "\n"
    "FILE may be - for standard output. Without IDs, the export and text commands take\n"
    "every listed page, in list order.\n"
    "\n"
    "Keys in the window (a right click on the page or the list shows the same commands):\n");

constexpr double minScale = 0.25;
constexpr double maxScale = 16;

// A command line after parsing: the command word, its operands as the bytes given,
// and the options, which may stand anywhere after the command word.
struct CommandLine {
    QByteArray word;
    QList<QByteArray> operands;
    std::optional<double> scale;
    bool printView = false;
};

int usageError(const QString& message)
{
    StdStreams::say(Cli::tr("%1 (see velkora --help)").arg(message));
    return 2;
}

// The commands that draw pages: they need fonts and a platform to paint with, never a display.
bool drawsPages(const QByteArray& word)
{
    for (const char* known : {"--list", "--export-png", "--export-pdf", "--trace", "--text", "--latex"})
        if (word == known) return true;
    return false;
}

bool isCommand(const QByteArray& word)
{
    return drawsPages(word) || word == "--time-startup" || word == "--help" || word == "--version";
}

// Reads the options and operands after the command word; the error, if any, in `error`.
CommandLine parse(const QList<QByteArray>& args, QString& error)
{
    CommandLine line{args.first(), {}, std::nullopt, false};
    for (qsizetype i = 1; i < args.size() && error.isEmpty(); ++i) {
        const QByteArray& arg = args.at(i);
        if (arg == "--print-view") {
            line.printView = true;
        } else if (arg == "--scale") {
            bool number = false;
            const double scale = i + 1 < args.size() ? args.at(++i).toDouble(&number) : 0;
            if (line.scale)
                error = Cli::tr("--scale may be given only once");
            else if (!number)
                error = Cli::tr("--scale needs a number");
            else if (!(scale >= minScale && scale <= maxScale))
                error = Cli::tr("--scale must be from 0.25 to 16");
            line.scale = scale;
        } else if (arg.startsWith("--")) {
            error = Cli::tr("unknown option \"%1\"").arg(QString::fromUtf8(shortened(arg)));
        } else {
            line.operands.append(arg);
        }
    }
    return line;
}

// The options a command does not take, named in an error; empty when all are fine.
QString misplacedOption(const CommandLine& line)
{
    const bool takesScale = line.word == "--export-png";
    const bool takesPrintView = takesScale || line.word == "--trace";
    if (line.scale && !takesScale) return Cli::tr("%1 takes no --scale").arg(QLatin1String(line.word));
    if (line.printView && !takesPrintView) return Cli::tr("%1 takes no --print-view").arg(QLatin1String(line.word));
    return {};
}

QStringList idsOf(const QList<QByteArray>& operands)
{
    QStringList ids;
    for (const QByteArray& id : operands) ids.append(QString::fromUtf8(id));
    return ids;
}

int writeStandardOutput(const QByteArray& text)
{
    if (const std::optional<QString> failure = writeOutput("-", text)) {
        StdStreams::say(Cli::tr("cannot write standard output: %1").arg(*failure));
        return 2;
    }
    return 0;
}

int runHeadless(const CommandLine& line)
{
    MathForm form;
    form.formLoad();
    const QList<QByteArray>& operands = line.operands;
    if (line.word == "--list") return listEntries(form);
    if (line.word == "--trace") {
        if (operands.isEmpty() || operands.size() > 2)
            return usageError(Cli::tr("--trace takes a problem id and, if you like, a file"));
        // A second id is a slip, not a file to write into: a trace is of one page.
        if (operands.size() == 2 && findPage(QString::fromUtf8(operands.at(1))))
            return usageError(
                Cli::tr("--trace takes one problem id (to write into a file named like one, write ./ before it)"));
        return tracePage(form, QString::fromUtf8(operands.first()), line.printView, operands.value(1, "-"));
    }
    if (line.word == "--text") return printReading(form, idsOf(operands), Reading::Linear);
    if (line.word == "--latex") return printReading(form, idsOf(operands), Reading::Latex);
    if (operands.isEmpty())
        return usageError(line.word == "--export-png" ? Cli::tr("--export-png needs a folder")
                                                      : Cli::tr("--export-pdf needs a file"));
    const QStringList ids = idsOf(operands.mid(1));
    if (line.word == "--export-pdf") return exportPdf(form, operands.first(), ids);
    return exportPng(form, operands.first(), ids, line.scale.value_or(1), line.printView);
}

// Opens the window as a start would, paints it once and reports how long that took.
int timeStartup(const QElapsedTimer& sinceMain)
{
    MainWindow window;
    window.show();
    window.pageView()->repaint();
    const QString took = QString::number(sinceMain.nsecsElapsed() / 1e6, 'f', 1);
    std::printf("%s\n", Cli::tr("first page drawn %1 ms after start").arg(took).toUtf8().constData());
    return 0;
}

bool hasDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// No window can open: an application of its own, which needs no display, carries the
// translation of the line that says why.
int cannotOpenWindow(int argc, char** argv, const DisplayProblem& problem)
{
    QCoreApplication app(argc, argv);
    installTranslations(QLocale::system());
    StdStreams::say(problem.message());
    return 2;
}

// Whether the command's output goes to standard output.
bool writesStandardOutput(const CommandLine& line)
{
    if (line.word == "--trace") return line.operands.value(1, "-") == "-";
    if (line.word == "--export-pdf") return line.operands.value(0) == "-";
    return line.word != "--export-png";
}

// Qt warns that it falls back to a runtime folder of its own when XDG_RUNTIME_DIR is
// unset, as under cron, ssh and CI; the fallback works, so the warning is only noise.
// An image that finds no memory is reported in the program's own words.
QtMessageHandler qtMessageHandler = nullptr;

void quietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (message.startsWith(QLatin1String("QImage: out of memory"))) return;
    qtMessageHandler(type, context, message);
}

int openWindow(int argc, char** argv)
{
    if (const std::optional<DisplayProblem> problem = displayProblem()) return cannotOpenWindow(argc, argv, *problem);
    QApplication app(argc, argv);
    installTranslations(QLocale::system());
    // Ties the window to its desktop entry: the desktop's icon, name and grouping of windows.
    QGuiApplication::setDesktopFileName(QLatin1String(VELKORA_APP_ID));
    const std::unique_ptr<QSettings> settings = SettingsFile::open(SettingsFile::defaultPath());
    MainWindow window({}, settings.get());
    window.show();
    return app.exec();
}

// A command line, run once the application and its translations are there.
int runCommand(const QList<QByteArray>& args, const QElapsedTimer& sinceMain)
{
    if (!isCommand(args.first()))
        return usageError(Cli::tr("unknown command \"%1\"").arg(QString::fromUtf8(shortened(args.first()))));
    QString error;
    const CommandLine line = parse(args, error);
    if (error.isEmpty()) error = misplacedOption(line);
    if (!error.isEmpty()) return usageError(error);
    const bool takesOperands = line.word == "--export-png" || line.word == "--export-pdf" || line.word == "--trace" ||
                               line.word == "--text" || line.word == "--latex";
    if (!takesOperands && !line.operands.isEmpty())
        return usageError(Cli::tr("%1 takes no arguments").arg(QLatin1String(line.word)));
    if (writesStandardOutput(line) && StdStreams::outputWasClosed()) {
        StdStreams::say(Cli::tr("standard output is closed"));
        return 2;
    }
    if (line.word == "--help")
        return writeStandardOutput(QCoreApplication::translate("Cli", helpText).toUtf8() + keyGuideForTerminal());
    if (line.word == "--version") return writeStandardOutput(QByteArray("velkora ") + VELKORA_VERSION + '\n');
    if (line.word == "--time-startup") return timeStartup(sinceMain);
    return runHeadless(line);
}

}  // namespace

int runVelkora(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    StdStreams::secure();
    qtMessageHandler = qInstallMessageHandler(quietAboutRuntimeFolder);
    if (argc < 2) return openWindow(argc, argv);
    // Taken before the application takes out the arguments it knows: a file may be named -style.
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i) args.append(QByteArray(argv[i]));
    const QByteArray& word = args.first();
    if (word == "--time-startup") {
        if (!hasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
        else if (const std::optional<DisplayProblem> problem = displayProblem())
            return cannotOpenWindow(argc, argv, *problem);
    } else if (!drawsPages(word)) {
        // --help, --version and a slip need neither fonts nor a platform to paint with.
        QCoreApplication app(argc, argv);
        installTranslations(QLocale::system());
        return runCommand(args, sinceMain);
    } else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    installTranslations(QLocale::system());
    return runCommand(args, sinceMain);
}
