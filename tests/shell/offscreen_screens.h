#pragma once
// The window tests' screens. The offscreen platform's own screen is 800 × 600, smaller
// than the window, which would open fitted to it; these tests want room for the
// designed size, and a second screen of twice the pixel density (device pixel ratio 2).
#include <QFile>
#include <QTemporaryFile>

// Call before the application is made; the platform reads the file as it starts.
inline void useOffscreenScreens()
{
    static QTemporaryFile config;
    if (!config.open()) return;
    config.write(R"({"screens": [
        {"name": "wide", "x": 0, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96},
        {"name": "dense", "x": 1600, "y": 0, "width": 3200, "height": 2400, "logicalDpi": 192, "logicalBaseDpi": 96}
    ]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
}
