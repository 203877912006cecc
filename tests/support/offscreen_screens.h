#pragma once
// The window tests' screen. The offscreen platform's own screen is 800 × 600, smaller
// than the window, which would open fitted to it; these tests want room for the
// designed size, at a scale factor of 2 too.
#include <QFile>
#include <QTemporaryFile>

// Call before the application is made; the platform reads the file as it starts.
inline void useOffscreenScreens()
{
    static QTemporaryFile config;
    if (!config.open()) return;
    config.write(R"({"screens": [
        {"name": "wide", "x": 0, "y": 0, "width": 3200, "height": 2400, "logicalDpi": 96, "logicalBaseDpi": 96}
    ]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
}
