#pragma once
// Where a headless command's output goes, named by the bytes the user gave (a name
// need not be valid UTF-8): "-" is standard output; a device or a FIFO is written in
// place, never replaced; a regular file is replaced only once the whole output is
// written, so a failure never leaves half a file.
#include <QByteArray>
#include <QString>
#include <optional>

// Each returns nothing on success, otherwise the reason as the system words it.
std::optional<QString> writeOutput(const QByteArray& name, const QByteArray& data);
// Makes the folder and any missing parents.
std::optional<QString> makeFolders(const QByteArray& path);
