#pragma once
// Standard input, output and error as the program was started with them. One that was
// closed is reopened on /dev/null at once, so that no file the program opens later
// takes its number and receives what was meant for the stream.
#include <QString>

namespace StdStreams {
// Notes which of descriptors 0, 1 and 2 are closed and reopens those; call first thing.
void secure();
bool outputWasClosed();
// Writes one line to standard error, after the program's name, as its messages read.
void say(const QString& line);
}  // namespace StdStreams
