#include "cli.h"

#include "headless.h"
#include "main_window.h"
#include "math_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

namespace {

const char* helpText =
    "Usage: velkora [COMMAND]\n"
    "Worked solutions to problems of a textbook of mathematical physics.\n"
    "With no command, opens the window.\n"
    "\n"
    "Headless commands (no display needed):\n"
    "  --list                              print the list entries, one a line\n"
    "  --export-png DIR [ID...] [--scale K] [--print-view]\n"
    "                                      draw pages as on screen (or as printed) into DIR/ID.png\n"
    "  --export-pdf FILE [ID...]           draw pages as printed, one a sheet, into FILE\n"
    "  --trace ID [--print-view]           print a page's drawing operations as JSON Lines\n"
    "  --time-startup                      open the window, report the time to its first page, quit\n"
    "  --help                              show this help\n"
    "  --version                           show the version\n"
    "\n"
    "Without IDs, the export commands draw every listed page, in list order.\n";

int usageError(const char* message)
{
    std::fprintf(stderr, "velkora: %s (see velkora --help)\n", message);
    return 2;
}

bool isHeadless(const QString& command)
{
    return command == "--list" || command == "--export-png" || command == "--export-pdf" || command == "--trace" ||
           command == "--help" || command == "--version";
}

bool hasDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int runHeadless(const QStringList& args)
{
    const QString command = args.value(0);
    if (command == "--help") {
        std::fputs(helpText, stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("velkora %s\n", VELKORA_VERSION);
        return 0;
    }
    MathForm form;
    form.formLoad();
    if (command == "--list") return args.size() == 1 ? listEntries(form) : usageError("--list takes no arguments");
    if (command == "--trace") {
        QStringList rest = args.mid(1);
        const bool printView = rest.removeAll(QStringLiteral("--print-view")) > 0;
        if (rest.size() != 1) return usageError("--trace takes one problem id");
        return tracePage(form, rest.first(), printView);
    }
    if (args.size() < 2 || args.at(1).startsWith(QStringLiteral("--")))
        return usageError(command == "--export-png" ? "--export-png needs a folder" : "--export-pdf needs a file");
    QStringList ids = args.mid(2);
    if (command == "--export-pdf") return exportPdf(form, args.at(1), ids);
    const bool printView = ids.removeAll(QStringLiteral("--print-view")) > 0;
    double scale = 1;
    const qsizetype at = ids.indexOf(QStringLiteral("--scale"));
    if (at >= 0) {
        bool ok = false;
        scale = ids.value(at + 1).toDouble(&ok);
        if (!ok) return usageError("--scale needs a number");
        ids.remove(at, 2);
    }
    return exportPng(form, args.at(1), ids, scale, printView);
}

// Opens the window as a start would, paints it once and reports how long that took.
int timeStartup(const QElapsedTimer& sinceMain)
{
    MainWindow window;
    window.show();
    window.pageView()->repaint();
    std::printf("first page drawn %.1f ms after start\n", sinceMain.nsecsElapsed() / 1e6);
    return 0;
}

}  // namespace

int runVelkora(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    const QString command = args.value(0);
    if (command == "--time-startup") {
        if (!hasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return timeStartup(sinceMain);
    }
    if (!command.isEmpty() && !isHeadless(command)) return usageError(qPrintable("unknown command " + command));
    if (!command.isEmpty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return runHeadless(args);
    }
    if (!hasDisplay()) {
        std::fputs("velkora: no display to open the window on; set DISPLAY, or use the headless commands "
                   "(velkora --help)\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    return app.exec();
}
