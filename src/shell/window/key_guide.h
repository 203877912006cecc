#pragma once
// Every key the window answers to, with what it does: one table for the help window
// (F1) and for --help.
#include <QString>
#include <vector>

struct KeyHelp {
    QString keys;      // as the context menu shows them, e.g. "Ctrl+C"
    QString japanese;  // for the window
    const char* english;  // for --help
};

const std::vector<KeyHelp>& keyGuide();

// The table as --help prints it, one key a line.
QByteArray keyGuideForTerminal();
