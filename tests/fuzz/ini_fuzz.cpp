// Fuzzes the INI profile reader and writer. The input is "SECTION\0KEY\0VALUE\0" followed by
// the file's bytes (any bytes: UTF-8 or Windows-1250 as the bytes tell); an input with fewer
// than three NUL bytes is the file alone, and the names are those of its first section and key.
// Properties: reading any key of the file does not crash and gives at most 255 characters
// without a line break; after writing the key, reading it gives the value written (trimmed of
// blanks, without one pair of enclosing quotes, at most 255 characters, as stored in the
// file's encoding), and every other key of the file reads as before.
#include <QStringDecoder>
#include <QStringList>

#include <map>

#include "core/platform/ini_file.h"
#include "core/platform/platform_error.h"
#include "core/text/cp1250.h"
#include "fuzz_support.h"

using namespace wertalo;
using namespace wertalo::platform;
using wertalo::fuzz::fail;
using wertalo::fuzz::shown;

namespace {

const QByteArray kBom = "\xEF\xBB\xBF";

struct Names {
  QString section;
  QString key;
};

bool operator<(const Names& a, const Names& b) {
  return std::pair(a.section, a.key) < std::pair(b.section, b.key);
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QString withoutBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.mid(first, last - first);
}

bool isUtf8File(QByteArray bytes) {
  if (bytes.startsWith(kBom)) bytes.remove(0, kBom.size());
  return text::isValidUtf8(bytes);
}

// The section and key names that lines of the file look like (a rough scan: the reader decides).
std::vector<Names> namesInFile(const QByteArray& bytes) {
  const QString text = isUtf8File(bytes) ? QString::fromUtf8(bytes) : text::fromCp1250(bytes);
  std::vector<Names> names;
  QString section;
  for (const QString& line : text.split(u'\n')) {
    const QString trimmed = withoutBlanks(line);
    if (trimmed.startsWith(u'[')) {
      section = trimmed.mid(1).section(u']', 0, 0);
    } else if (const qsizetype equals = trimmed.indexOf(u'='); equals > 0 && !section.isEmpty()) {
      names.push_back({section, trimmed.left(equals)});
    }
    if (names.size() >= 32) break;
  }
  return names;
}

QString read(const QString& file, const Names& names) {
  const QString value = readProfileString(file, names.section, names.key, QStringLiteral("\x01missing"));
  if (value.size() > kProfileValueMaxLength) fail("a value read is at most 255 characters", shown(value));
  if (value.contains(u'\n')) fail("a value read holds no line break", shown(value));
  return value;
}

// A text as stored in a file of the given encoding and decoded again (a character the
// encoding cannot hold becomes "?", as does a lone surrogate half in UTF-8).
QString stored(const QString& text, bool utf8) {
  if (!utf8) return text::fromCp1250(text::toCp1250(text));
  QStringDecoder fromUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  return fromUtf8.decode(text.toUtf8());
}

// The value as a read returns it once written into a file of the given encoding.
QString expectedValue(const QString& written, bool utf8) {
  QString value = withoutBlanks(stored(written, utf8));
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    value = value.mid(1, value.size() - 2);
  }
  if (value.size() > kProfileValueMaxLength) {
    value.truncate(value[kProfileValueMaxLength - 1].isHighSurrogate() ? kProfileValueMaxLength - 1
                                                                       : kProfileValueMaxLength);
  }
  return value;
}

bool sameNames(const Names& a, const Names& b) {
  return withoutBlanks(a.section).compare(withoutBlanks(b.section), Qt::CaseInsensitive) == 0 &&
         withoutBlanks(a.key).compare(withoutBlanks(b.key), Qt::CaseInsensitive) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string_view> parts = fuzz::splitInput(data, size);
  QByteArray content;
  Names target;
  QString value;
  if (parts.size() >= 4) {
    target = {fuzz::textFromBytes(parts[0]), fuzz::textFromBytes(parts[1])};
    value = fuzz::textFromBytes(parts[2]);
    const size_t skipped = parts[0].size() + parts[1].size() + parts[2].size() + 3;
    content = QByteArray(reinterpret_cast<const char*>(data) + skipped, static_cast<qsizetype>(size - skipped));
  } else {
    content = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  }
  const std::vector<Names> found = namesInFile(content);
  if (parts.size() < 4) {
    target = found.empty() ? Names{QStringLiteral("Sekcja"), QStringLiteral("Klucz")} : found.front();
    value = QStringLiteral("Wartość");
  }

  const QString file = fuzz::scratchFolder() + QStringLiteral("/profile.ini");
  fuzz::putFile(file, content);
  std::map<Names, QString> before;
  for (const Names& names : found) before[names] = read(file, names);
  read(file, target);

  try {
    writeProfileString(file, target.section, target.key, value);
  } catch (const PlatformError&) {
    // Names and values that cannot be stored are refused; the file must be untouched.
    if (fuzz::fileBytes(file) != content) fail("a refused write leaves the file as it was", shown(content));
    return 0;
  }
  const QByteArray written = fuzz::fileBytes(file);
  const bool utf8 = isUtf8File(content);
  // A Windows-1250 file whose only non-UTF-8 bytes were in the replaced value reads as UTF-8
  // afterwards: the encoding is told by the bytes, so then the file's other texts change too.
  if (utf8 != isUtf8File(written)) return 0;
  if (!written.startsWith(content.startsWith(kBom) ? kBom : QByteArray())) fail("the byte-order mark is kept");

  // A name the encoding cannot hold is written as another name, which may be found elsewhere.
  if (stored(target.section, utf8) == target.section && stored(target.key, utf8) == target.key) {
    const QString readBack = read(file, target);
    const QString expected = expectedValue(value, utf8);
    if (readBack != expected) {
      fail("a written key reads back as written",
           QStringLiteral("[%1] %2: wrote %3, read %4, file %5")
               .arg(shown(target.section), shown(target.key), shown(expected), shown(readBack), shown(written)));
    }
  }
  for (const auto& [names, was] : before) {
    if (sameNames(names, target)) continue;
    const QString now = read(file, names);
    if (now != was) {
      fail("writing one key keeps the others",
           QStringLiteral("[%1] %2 was %3, is %4 after writing [%5] %6; file %7")
               .arg(shown(names.section), shown(names.key), shown(was), shown(now), shown(target.section),
                    shown(target.key), shown(written)));
    }
  }
  return 0;
}
