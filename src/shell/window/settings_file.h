#pragma once
// The file the window remembers its zoom and place in (~/.config/velkora/velkora.conf),
// read and written only as a regular file: a link to one is written through and stays
// a link; anything else there (a device, a FIFO, a socket, a folder, a dangling link) is
// left alone and the window starts with its defaults. A file that is not settings at all
// is set aside as NAME.broken (or the next free NAME.broken.N) and a fresh one started.
// Keys the program does not know are kept. Each problem is one line on stderr.
#include <QByteArray>
#include <memory>

class QSettings;

namespace SettingsFile {
// Where the settings live, after XDG_CONFIG_HOME.
QByteArray defaultPath();
// The settings at `path`, or none when they may not be used.
std::unique_ptr<QSettings> open(const QByteArray& path);
// Writes pending changes; a file that cannot be written is reported once per run.
void save(QSettings& settings);
}  // namespace SettingsFile
