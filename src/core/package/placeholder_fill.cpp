#include "core/package/placeholder_fill.h"

#include <QList>

#include "core/package/xml_writer.h"

namespace wertalo::package {

namespace {

// The line without leading and trailing blanks and control characters.
QByteArray trimmedLine(const QByteArray& line) {
  qsizetype begin = 0;
  qsizetype end = line.size();
  while (begin < end && static_cast<unsigned char>(line[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(line[end - 1]) <= 0x20) --end;
  return line.mid(begin, end - begin);
}

QList<QByteArray> documentLines(const QByteArray& document) {
  QList<QByteArray> lines;
  qsizetype start = 0;
  while (start < document.size()) {
    const qsizetype end = document.indexOf("\r\n", start);
    if (end < 0) {
      lines.append(document.mid(start));
      break;
    }
    lines.append(document.mid(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

QString keptXmlText(const XmlFragment& elements) {
  QByteArray text = writeXmlFragment(elements, kReportElementLevel);
  if (text.endsWith("\r\n")) text.chop(2);
  return QString::fromUtf8(text);
}

QString rewriteSignatureReference(const QString& dane, const QString& anchor) {
  static const QString kStart = QStringLiteral("URI=\"");
  const qsizetype start = dane.indexOf(kStart);
  if (start < 0) return dane;
  const qsizetype close = dane.indexOf(QLatin1Char('"'), start + kStart.size());
  if (close < 0) return dane;
  return dane.left(start) + kStart + anchor + QLatin1Char('"') + dane.mid(close + 1);
}

QByteArray fillPlaceholderLines(const QByteArray& document, const std::vector<QByteArray>& keptTexts,
                                const std::vector<std::vector<QByteArray>>& signatureBlocks) {
  const QList<QByteArray> lines = documentLines(document);
  QByteArray out;
  out.reserve(document.size());
  size_t nextKept = 0;
  size_t nextBlock = 0;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QByteArray trimmed = i > 0 ? trimmedLine(lines[i]) : QByteArray();
    if (trimmed == "<WYEKSPORTOWANY_XML/>" && nextKept < keptTexts.size()) {
      out += keptTexts[nextKept++];
      out += "\r\n";
    } else if (trimmed == "<PODPIS/>" && nextBlock < signatureBlocks.size()) {
      for (const QByteArray& entry : signatureBlocks[nextBlock]) {
        out += entry;
        out += "\r\n";
      }
      ++nextBlock;
    } else {
      out += lines[i];
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace wertalo::package

namespace wertalo::package {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

}  // namespace

PlaceholderFiller::PlaceholderFiller(PlaceholderTexts texts, std::function<void(const QByteArray&)> sink)
    : texts_(std::move(texts)), sink_(std::move(sink)) {}

void PlaceholderFiller::emitLine(const QByteArray& line) {
  out_ += line;
  out_ += kLineEnd;
}

void PlaceholderFiller::startFilling() {
  if (filling_) return;
  filling_ = true;
  for (size_t i = 0; i < heldLines_.size(); ++i) emitLine(heldPlaceholder_[i] ? QByteArrayLiteral("<Podpisy/>") : heldLines_[i]);
  heldLines_.clear();
  heldPlaceholder_.clear();
}

void PlaceholderFiller::write(const QByteArray& lines) {
  // A package with a kept text is filled throughout, whether its placeholder came yet or not.
  if (!filling_ && texts_.keptCount() > 0) startFilling();
  if (heldLines_.empty() && nextKept_ >= texts_.keptCount() && nextSignatures_ >= texts_.signatureCount()) {
    // Nothing is left to fill or hold back: the lines go out as they are.
    if (lines.isEmpty()) return;
    lineNumber_ += lines.count(kLineEnd) + (lines.endsWith(kLineEnd) ? 0 : 1);
    if (out_.isEmpty() && lines.endsWith(kLineEnd)) {
      sink_(lines);
      return;
    }
    out_ += lines;
    if (!lines.endsWith(kLineEnd)) out_ += kLineEnd;
    sink_(out_);
    out_.clear();
    return;
  }
  for (const QByteArray& line : documentLines(lines)) {
    const QByteArray trimmed = lineNumber_++ > 0 ? trimmedLine(line) : QByteArray();
    if (trimmed == "<WYEKSPORTOWANY_XML/>" && nextKept_ < texts_.keptCount()) {
      startFilling();
      emitLine(texts_.kept(nextKept_++));
    } else if (trimmed == "<PODPIS/>" && nextSignatures_ < texts_.signatureCount()) {
      const std::vector<QByteArray> entries = texts_.signatures(nextSignatures_++);
      if (!entries.empty()) startFilling();
      if (filling_) {
        if (entries.empty()) {
          emitLine(QByteArrayLiteral("<Podpisy/>"));
        } else {
          emitLine(QByteArrayLiteral("<Podpisy>"));
          for (const QByteArray& entry : entries) emitLine(entry);
          emitLine(QByteArrayLiteral("</Podpisy>"));
        }
      } else {
        heldLines_.push_back(line);
        heldPlaceholder_.push_back(true);
      }
    } else if (filling_ || heldLines_.empty()) {
      emitLine(line);
    } else {
      heldLines_.push_back(line);
      heldPlaceholder_.push_back(false);
    }
  }
  if (!out_.isEmpty()) {
    sink_(out_);
    out_.clear();
  }
}

void PlaceholderFiller::finish() {
  if (!filling_ && texts_.keptCount() > 0) startFilling();
  // Nothing to fill: the lines held back go out as built.
  for (const QByteArray& line : heldLines_) emitLine(line);
  heldLines_.clear();
  heldPlaceholder_.clear();
  if (!out_.isEmpty()) {
    sink_(out_);
    out_.clear();
  }
}

}  // namespace wertalo::package
