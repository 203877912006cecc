#pragma once
// Where a headless command's output goes, named by the bytes the user gave (a name
// need not be valid UTF-8), written as `cp` would write it: "-" is standard output; a
// device or a FIFO is written in place, never replaced; a symbolic link is written
// through to its target and stays a link (a dangling one is refused); a regular file
// with a second hard link is written in place, so every link sees the new content; any
// other regular file is replaced only once the whole output is written, keeping its
// owner, group and mode where the process may set them, so a failure never leaves half
// a file. A file the user may not write is refused, as `cp` refuses it (root may).
// SIGINT and SIGTERM during a replacement remove the temporary file first.
#include <QByteArray>
#include <QString>
#include <optional>

// Each returns nothing on success, otherwise the reason as the system words it.
std::optional<QString> writeOutput(const QByteArray& name, const QByteArray& data);
// Makes the folder and any missing parents.
std::optional<QString> makeFolders(const QByteArray& path);
