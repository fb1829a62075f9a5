// Wertalo: what the libFuzzer targets share: splitting the input, text from bytes, a scratch
// folder, the independent XML check and the failure report.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wertalo::fuzz {

// The input cut at every `separator` byte (n separators give n + 1 parts).
std::vector<std::string_view> splitInput(const uint8_t* data, size_t size, char separator = '\0');

// Text from bytes, reaching every UTF-16 string: valid UTF-8 decodes as usual, encoded
// surrogates (ED A0 80...) give lone surrogate halves, C0 80 gives U+0000, and any other
// byte that starts no sequence stands for the Latin-1 character of its value.
QString textFromBytes(std::string_view bytes);

// A folder for the target's files, made once per process (on /dev/shm when there is one).
const QString& scratchFolder();

// What libxml2 makes of a document.
enum class XmlVerdict {
  WellFormed,
  Malformed,
  BadEncoding,  // unknown encoding, or bytes that are no text in the declared one
};

// Writes a scratch file whole (a failure aborts the run).
void putFile(const QString& path, const QByteArray& bytes);
// Reads a scratch file whole (a failure aborts the run).
QByteArray fileBytes(const QString& path);

// Reads the bytes with libxml2 as one XML document. With `fourthEdition` the names must also
// be names of the XML 1.0 editions before the fifth.
XmlVerdict libxml2Verdict(const QByteArray& bytes, bool fourthEdition = false);

// Reports a broken property with the texts that show it, then aborts (libFuzzer saves the input).
[[noreturn]] void fail(const char* property, const QString& detail = QString());

// A text for a failure report: printable ASCII kept, everything else as \xNN or \uNNNN.
QString shown(const QString& text);
QString shown(const QByteArray& bytes);

}  // namespace wertalo::fuzz
