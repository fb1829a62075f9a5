#include "core/platform/ini_file.h"

#include <QFile>
#include <QList>
#include <QStringDecoder>

#include <optional>

#include "core/platform/platform_error.h"
#include "core/text/cp1250.h"

namespace wertalo::platform {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

enum class Encoding { Utf8, Cp1250 };

// One line of the file as found: its bytes without the line end, and the line end itself.
struct RawLine {
  QByteArray bytes;
  QByteArray end;  // "\r\n", "\n", or empty for a last line without one
};

// What a line means to the profile functions.
struct LineMeaning {
  enum Kind { Other, Section, Key } kind = Other;
  QString name;
  QString value;
};

// The file split into lines, with what is needed to write it back the way it was.
struct Profile {
  Encoding encoding = Encoding::Utf8;
  bool bom = false;
  QByteArray lineEnd = "\n";
  QList<RawLine> lines;

  QString decode(const QByteArray& bytes) const {
    if (encoding == Encoding::Cp1250) return text::fromCp1250(bytes);
    // The file's own byte-order mark is gone by now: U+FEFF at the start of a line is text.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
  }
  QByteArray encode(const QString& text) const {
    return encoding == Encoding::Utf8 ? text.toUtf8() : text::toCp1250(text);
  }
  QByteArray bytes() const {
    QByteArray out = bom ? kUtf8Bom : QByteArray();
    for (const RawLine& line : lines) out += line.bytes + line.end;
    return out;
  }
};

Profile parseProfile(QByteArray content) {
  Profile profile;
  if (content.startsWith(kUtf8Bom)) {
    profile.bom = true;
    content.remove(0, kUtf8Bom.size());
  }
  profile.encoding = text::isValidUtf8(content) ? Encoding::Utf8 : Encoding::Cp1250;
  bool endSeen = false;
  qsizetype start = 0;
  while (start < content.size()) {
    const qsizetype newline = content.indexOf('\n', start);
    RawLine line;
    if (newline < 0) {
      line.bytes = content.mid(start);
      start = content.size();
    } else {
      line.bytes = content.mid(start, newline - start);
      line.end = "\n";
      if (line.bytes.endsWith('\r')) {
        line.bytes.chop(1);
        line.end = "\r\n";
      }
      if (!endSeen) profile.lineEnd = line.end;
      endSeen = true;
      start = newline + 1;
    }
    profile.lines.append(line);
  }
  return profile;
}

// Blanks that surround names and values (what Windows trims).
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QString trimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.mid(first, last - first);
}

LineMeaning meaningOf(const QString& line) {
  const QString text = trimBlanks(line);
  LineMeaning meaning;
  if (text.startsWith(u'[')) {
    const qsizetype close = text.indexOf(u']');
    meaning.kind = LineMeaning::Section;
    meaning.name = trimBlanks(close < 0 ? text.mid(1) : text.mid(1, close - 1));
    return meaning;
  }
  if (text.startsWith(u';')) return meaning;
  const qsizetype equals = text.indexOf(u'=');
  if (equals <= 0) return meaning;
  meaning.kind = LineMeaning::Key;
  meaning.name = trimBlanks(text.left(equals));
  meaning.value = trimBlanks(text.mid(equals + 1));
  if (meaning.name.isEmpty()) meaning.kind = LineMeaning::Other;
  return meaning;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Where a section lies: its header line and the end of its lines (the next header or the end).
struct SectionSpan {
  qsizetype header = -1;
  qsizetype end = -1;
};

std::optional<SectionSpan> findSection(const Profile& profile, const QString& section) {
  SectionSpan span;
  for (qsizetype i = 0; i < profile.lines.size(); ++i) {
    const LineMeaning meaning = meaningOf(profile.decode(profile.lines[i].bytes));
    if (meaning.kind != LineMeaning::Section) continue;
    if (span.header >= 0) {
      span.end = i;
      return span;
    }
    if (sameName(meaning.name, section)) span.header = i;
  }
  if (span.header < 0) return std::nullopt;
  span.end = profile.lines.size();
  return span;
}

// The index of the key's line inside the section, or -1.
qsizetype findKey(const Profile& profile, const SectionSpan& span, const QString& key) {
  for (qsizetype i = span.header + 1; i < span.end; ++i) {
    const LineMeaning meaning = meaningOf(profile.decode(profile.lines[i].bytes));
    if (meaning.kind == LineMeaning::Key && sameName(meaning.name, key)) return i;
  }
  return -1;
}

// A value as the product's reads return it: without one pair of enclosing quotes, at most 255
// characters (never cutting a character in two).
QString profileValue(QString value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    value = value.mid(1, value.size() - 2);
  }
  if (value.size() > kProfileValueMaxLength) {
    qsizetype length = kProfileValueMaxLength;
    if (value[length - 1].isHighSurrogate()) --length;
    value.truncate(length);
  }
  return value;
}

// The file's bytes; nullopt when there is no such file. Raises when it exists but cannot be read.
std::optional<QByteArray> readFileBytes(const QString& path) {
  QFile file(path);
  if (!file.exists()) return std::nullopt;
  if (!file.open(QIODevice::ReadOnly)) {
    throw PlatformError(QStringLiteral("Nie można odczytać pliku"), path, file.errorString());
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw PlatformError(QStringLiteral("Nie można odczytać pliku"), path, file.errorString());
  }
  return bytes;
}

bool hasLineBreak(const QString& text) { return text.contains(u'\n') || text.contains(u'\r'); }

void checkWriteArguments(const QString& file, const QString& section, const QString& key, const QString& value) {
  const QString what = QStringLiteral("Nie można zapisać pliku");
  if (file.isEmpty() || trimBlanks(section).isEmpty() || trimBlanks(key).isEmpty()) {
    throw PlatformError(what, file, QStringLiteral("pusta nazwa pliku, sekcji lub klucza"));
  }
  if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value)) {
    throw PlatformError(what, file, QStringLiteral("znak końca wiersza w nazwie lub wartości"));
  }
  if (section.contains(u']') || key.contains(u'=') || trimBlanks(key).startsWith(u'[') ||
      trimBlanks(key).startsWith(u';')) {
    throw PlatformError(what, file, QStringLiteral("niedozwolony znak w nazwie sekcji lub klucza"));
  }
}

// Gives the last line its line end, so that a line can follow it. A line whose bytes end in CR
// gets CR LF, so that its CR stays part of it (LF alone would make CR LF of it and cut the CR).
void closeLastLine(Profile& profile) {
  if (profile.lines.isEmpty() || !profile.lines.back().end.isEmpty()) return;
  RawLine& last = profile.lines.back();
  last.end = last.bytes.endsWith('\r') ? QByteArray("\r\n") : profile.lineEnd;
}

void insertLine(Profile& profile, qsizetype at, const QByteArray& bytes) {
  if (at == profile.lines.size()) closeLastLine(profile);
  profile.lines.insert(at, RawLine{bytes, profile.lineEnd});
}

bool isBlankLine(const Profile& profile, qsizetype i) {
  return trimBlanks(profile.decode(profile.lines[i].bytes)).isEmpty();
}

// Replaces the value of an existing key line, keeping the name and the blanks after "=".
void replaceValue(Profile& profile, qsizetype i, const QString& value) {
  QByteArray& bytes = profile.lines[i].bytes;
  qsizetype cut = bytes.indexOf('=') + 1;
  while (cut < bytes.size() && (bytes[cut] == ' ' || bytes[cut] == '\t')) ++cut;
  bytes = bytes.left(cut) + profile.encode(value);
}

}  // namespace

QString readProfileString(const QString& file, const QString& section, const QString& key, const QString& def) {
  if (file.isEmpty() || section.isEmpty() || key.isEmpty()) return QString();
  const std::optional<QByteArray> content = readFileBytes(file);
  if (!content) return def;
  const Profile profile = parseProfile(*content);
  const std::optional<SectionSpan> span = findSection(profile, trimBlanks(section));
  if (!span) return def;
  const qsizetype line = findKey(profile, *span, trimBlanks(key));
  if (line < 0) return def;
  return profileValue(meaningOf(profile.decode(profile.lines[line].bytes)).value);
}

void writeProfileString(const QString& file, const QString& section, const QString& key, const QString& value,
                        NewFileAccess access) {
  checkWriteArguments(file, section, key, value);
  const std::optional<QByteArray> content = readFileBytes(file);
  Profile profile = parseProfile(content.value_or(QByteArray()));
  const QString sectionName = trimBlanks(section);
  const QString keyName = trimBlanks(key);
  const QByteArray keyLine = profile.encode(keyName + u'=' + value);

  if (const std::optional<SectionSpan> span = findSection(profile, sectionName)) {
    const qsizetype line = findKey(profile, *span, keyName);
    if (line >= 0) {
      replaceValue(profile, line, value);
    } else {
      qsizetype last = span->end - 1;
      while (last > span->header && isBlankLine(profile, last)) --last;
      insertLine(profile, last + 1, keyLine);
    }
  } else {
    if (!profile.lines.isEmpty() && !isBlankLine(profile, profile.lines.size() - 1)) {
      insertLine(profile, profile.lines.size(), QByteArray());
    }
    insertLine(profile, profile.lines.size(), profile.encode(u'[' + sectionName + u']'));
    insertLine(profile, profile.lines.size(), keyLine);
  }
  writeFileWhole(file, profile.bytes(), access);
}

}  // namespace wertalo::platform
