#pragma once
// Names and other text the user gave, as an error line echoes them: always one line,
// never a control sequence for the terminal, never a screenful.
#include <QByteArray>

// The text with control characters (and bytes that are not UTF-8) escaped as \n, \t
// or \xHH, and a backslash as \\.
QByteArray escapedControls(const QByteArray& text);
// A file or folder name in quotes, escaped, and shortened in the middle past 200 bytes,
// where both ends stay: the folder it starts in and the file it names.
QByteArray quotedName(const QByteArray& name);
