#pragma once
// Whether the window has a display to open on, asked before the toolkit is started: the
// toolkit aborts with lines of its own on a display it cannot reach.
#include <QByteArray>
#include <QString>
#include <optional>

// Why the window cannot open: no display is named, or the one named does not answer.
struct DisplayProblem {
    QByteArray unreachable;  // the display that does not answer; empty when none is named

    // The one line that says so, in the language of the translations installed by then.
    QString message() const;
};

// Nothing when the window can open. When only the Wayland display answers, the toolkit
// is told to use it, so that it does not try an X server that is not there.
std::optional<DisplayProblem> displayProblem();
