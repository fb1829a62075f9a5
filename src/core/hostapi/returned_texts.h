// Wertalo: the texts handed to a host program, each released only through the library.
#pragma once

#include <QByteArray>

namespace wertalo::hostapi {

// A copy of `bytes` with a terminating zero, registered as handed out; null when no memory
// could be had.
char* handOutText(const QByteArray& bytes);

// Releases a text handed out and not yet released; false (nothing done) for null or any other
// pointer.
bool releaseText(char* text);

}  // namespace wertalo::hostapi
