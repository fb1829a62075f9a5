#include "support/golden_compare.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace wertalo::test {

namespace {

// Characters of a line shown around its first difference.
constexpr qsizetype kShownBefore = 40;
constexpr qsizetype kShownWidth = 120;

// The character of the UTF-8 sequence that starts at `i` and its length in bytes; an empty
// text when the bytes there are not one.
std::pair<QString, qsizetype> utf8Character(const QByteArray& bytes, qsizetype i) {
  const auto lead = static_cast<unsigned char>(bytes.at(i));
  const qsizetype n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (n == 0 || i + n > bytes.size()) return {};
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  const QString decoded = decoder.decode(bytes.mid(i, n));
  if (decoder.hasError() || decoded.isEmpty() || decoded.contains(QChar::ReplacementCharacter)) return {};
  return {decoded, n};
}

QString hexEscape(unsigned char c) { return QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0')); }

// The part of a readable line around `from`, with "…" where it is cut.
QString window(const QString& text, qsizetype from) {
  QString shown = text.mid(from, kShownWidth);
  if (from > 0) shown.prepend(QChar(0x2026));
  if (from + kShownWidth < text.size()) shown.append(QChar(0x2026));
  return shown;
}

// The message of a differing line; a missing side is a text that has no such line.
QString describeLine(qsizetype number, const std::optional<QString>& expected, const std::optional<QString>& actual,
                     qsizetype expectedCount, qsizetype actualCount) {
  QString message = QStringLiteral("first difference at line %1:\n").arg(number);
  if (!expected || !actual) {
    message += QStringLiteral("  expected: %1\n  actual:   %2")
                   .arg(expected ? *expected : QStringLiteral("(no such line: %1 lines in all)").arg(expectedCount),
                        actual ? *actual : QStringLiteral("(no such line: %1 lines in all)").arg(actualCount));
    return message;
  }
  qsizetype column = 0;
  while (column < expected->size() && column < actual->size() && expected->at(column) == actual->at(column)) ++column;
  const qsizetype from = column > kShownBefore + 20 ? column - kShownBefore : 0;
  message += QStringLiteral("  expected: %1\n  actual:   %2\n").arg(window(*expected, from), window(*actual, from));
  message += QString(12 + column - from + (from > 0 ? 1 : 0), QLatin1Char(' ')) +
             QStringLiteral("^ column %1").arg(column + 1);
  return message;
}

// The bytes split into lines, each with its line feed (the last one may have none).
std::vector<QByteArray> splitLines(const QByteArray& bytes) {
  std::vector<QByteArray> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype end = bytes.indexOf('\n', start);
    const qsizetype next = end < 0 ? bytes.size() : end + 1;
    lines.push_back(bytes.mid(start, next - start));
    start = next;
  }
  return lines;
}

QByteArray withoutLineEnd(QByteArray line) {
  if (line.endsWith('\n')) line.chop(1);
  if (line.endsWith('\r')) line.chop(1);
  return line;
}

}  // namespace

std::map<QString, QByteArray> readFiles(const QString& folder) {
  std::map<QString, QByteArray> files;
  const QDir root(folder);
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile file(it.next());
    const QString name = root.relativeFilePath(file.fileName());
    if (!file.open(QIODevice::ReadOnly)) {
      ADD_FAILURE() << "cannot read " << file.fileName().toStdString() << ": " << file.errorString().toStdString();
      continue;
    }
    files[name] = file.readAll();
  }
  return files;
}

QString readableLine(const QByteArray& line) {
  QString text;
  for (qsizetype i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line.at(i));
    if (c == '\r' || c == '\n' || c == '\t') {
      text += c == '\r' ? QStringLiteral("\\r") : c == '\n' ? QStringLiteral("\\n") : QStringLiteral("\\t");
      ++i;
    } else if (c < 0x20 || c == 0x7F) {
      text += hexEscape(c);
      ++i;
    } else if (c < 0x80) {
      text += QLatin1Char(static_cast<char>(c));
      ++i;
    } else if (const auto [ch, n] = utf8Character(line, i); n > 0) {
      text += ch == QChar(0xFEFF) ? QStringLiteral("\\uFEFF") : ch;
      i += n;
    } else {
      text += hexEscape(c);
      ++i;
    }
  }
  return text;
}

::testing::AssertionResult sameLines(const QStringList& expected, const QStringList& actual) {
  const qsizetype common = std::min(expected.size(), actual.size());
  for (qsizetype i = 0; i < common; ++i) {
    if (expected.at(i) != actual.at(i))
      return ::testing::AssertionFailure() << describeLine(i + 1, expected.at(i), actual.at(i), 0, 0).toStdString();
  }
  if (expected.size() == actual.size()) return ::testing::AssertionSuccess();
  const auto line = [&](const QStringList& l) { return l.size() > common ? std::optional(l.at(common)) : std::nullopt; };
  return ::testing::AssertionFailure()
         << describeLine(common + 1, line(expected), line(actual), expected.size(), actual.size()).toStdString();
}

::testing::AssertionResult sameBytes(const QString& name, const QByteArray& expected, const QByteArray& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  const std::vector<QByteArray> a = splitLines(expected);
  const std::vector<QByteArray> b = splitLines(actual);
  const auto count = [](const std::vector<QByteArray>& l) { return static_cast<qsizetype>(l.size()); };
  qsizetype i = 0;
  while (i < count(a) && i < count(b) && a[i] == b[i]) ++i;
  const auto shown = [&](const std::vector<QByteArray>& lines, const std::vector<QByteArray>& other) -> std::optional<QString> {
    if (i >= count(lines)) return std::nullopt;
    // The line end is shown only where it is what differs.
    const bool endDiffers = i < count(other) && withoutLineEnd(lines[i]) == withoutLineEnd(other[i]);
    return readableLine(endDiffers ? lines[i] : withoutLineEnd(lines[i]));
  };
  return ::testing::AssertionFailure() << name.toStdString() << ": "
                                       << describeLine(i + 1, shown(a, b), shown(b, a), count(a), count(b)).toStdString();
}

::testing::AssertionResult sameFiles(const std::map<QString, QByteArray>& expected,
                                     const std::map<QString, QByteArray>& actual) {
  QStringList missing, unexpected, differing;
  for (const auto& [name, bytes] : expected) {
    const auto found = actual.find(name);
    if (found == actual.end()) {
      missing << name;
    } else if (const auto same = sameBytes(name, bytes, found->second); !same) {
      differing << QString::fromStdString(same.message());
    }
  }
  for (const auto& [name, bytes] : actual) {
    if (!expected.count(name)) unexpected << name;
  }
  QStringList report;
  if (!missing.isEmpty()) report << QStringLiteral("files expected but not written: ") + missing.join(QStringLiteral(", "));
  if (!unexpected.isEmpty()) report << QStringLiteral("files written but not expected: ") + unexpected.join(QStringLiteral(", "));
  report << differing;
  if (report.isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << report.join(QLatin1Char('\n')).toStdString();
}

}  // namespace wertalo::test
