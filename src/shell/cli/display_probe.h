#pragma once
// Whether the window has a display to open on, asked before the toolkit is started: the
// toolkit aborts with lines of its own on a display it cannot reach.
#include <QByteArray>
#include <optional>

// Nothing when the window can open; otherwise the one line that says why not. When only
// the Wayland display answers, the toolkit is told to use it, so that it does not try
// an X server that is not there.
std::optional<QByteArray> displayProblem();
