// Fuzzes the save post-processing that puts kept XML and signatures in place of placeholder
// lines, and the reference rewrite of signatures. The input, cut at NUL bytes, is: the
// document, the anchor, then parts that are a kept text ("K" + text) or a signature block
// ("S" + entries cut at 0x1F bytes). Each signature entry also goes through the reference
// rewrite, as a freshly built report's does.
// Properties: no crash; from the second line on every placeholder line is replaced exactly once,
// in order, while texts (blocks) are left; every other line is kept byte for byte and every
// line ends with CR LF; the rewrite changes only the value of the first complete reference.
#include "core/package/placeholder_fill.h"
#include "fuzz_support.h"

using namespace wertalo;
using namespace wertalo::package;
using wertalo::fuzz::fail;
using wertalo::fuzz::shown;

namespace {

const QByteArray kCrLf = "\r\n";

// The line without what surrounds it: bytes up to the blank.
QByteArray core(const QByteArray& line) {
  qsizetype begin = 0;
  qsizetype end = line.size();
  while (begin < end && static_cast<unsigned char>(line.at(begin)) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(line.at(end - 1)) <= ' ') --end;
  return line.mid(begin, end - begin);
}

// Expects `part` + CR LF at `at` of the output and moves past it.
void expectAt(const QByteArray& out, qsizetype& at, const QByteArray& part, const char* property, qsizetype line) {
  const QByteArray wanted = part + kCrLf;
  if (out.mid(at, wanted.size()) != wanted) {
    fail(property, QStringLiteral("line %1: wanted %2, found %3")
                       .arg(line)
                       .arg(shown(wanted), shown(out.mid(at, wanted.size() + 8))));
  }
  at += wanted.size();
}

void checkRewrite(const QString& dane, const QString& anchor) {
  const QString result = rewriteSignatureReference(dane, anchor);
  const QString start = QStringLiteral("URI=\"");
  const qsizetype at = dane.indexOf(start);
  const qsizetype close = at < 0 ? -1 : dane.indexOf(u'"', at + start.size());
  if (close < 0) {
    if (result != dane) fail("a text without a complete reference stays as it is", shown(dane) + QStringLiteral(" -> ") + shown(result));
    return;
  }
  const QString expected = dane.left(at) + start + anchor + u'"' + dane.mid(close + 1);
  if (result != expected) fail("only the first reference's value is rewritten", shown(dane) + QStringLiteral(" -> ") + shown(result));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string_view> parts = fuzz::splitInput(data, size);
  const QByteArray document(parts[0].data(), static_cast<qsizetype>(parts[0].size()));
  const QString anchor = parts.size() > 1 ? fuzz::textFromBytes(parts[1]) : QStringLiteral("#Rb-27s1");
  std::vector<QByteArray> kept;
  std::vector<std::vector<QByteArray>> blocks;
  for (size_t i = 2; i < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    const std::string_view text = parts[i].substr(1);
    if (parts[i].front() == 'K') {
      kept.emplace_back(text.data(), static_cast<qsizetype>(text.size()));
    } else if (parts[i].front() == 'S') {
      std::vector<QByteArray> block;
      for (const std::string_view entry : fuzz::splitInput(reinterpret_cast<const uint8_t*>(text.data()), text.size(), '\x1f')) {
        const QString dane = fuzz::textFromBytes(entry);
        checkRewrite(dane, anchor);
        block.push_back(rewriteSignatureReference(dane, anchor).toUtf8());
      }
      blocks.push_back(std::move(block));
    }
  }

  const QByteArray out = fillPlaceholderLines(document, kept, blocks);

  // Walks the document's CR LF lines and the output side by side.
  qsizetype at = 0;
  size_t nextKept = 0;
  size_t nextBlock = 0;
  qsizetype start = 0;
  for (qsizetype line = 0; start < document.size(); ++line) {
    qsizetype end = document.indexOf(kCrLf, start);
    if (end < 0) end = document.size();
    const QByteArray text = document.mid(start, end - start);
    start = end + 2;
    const QByteArray placeholder = line > 0 ? core(text) : QByteArray();
    if (placeholder == "<WYEKSPORTOWANY_XML/>" && nextKept < kept.size()) {
      expectAt(out, at, kept[nextKept++], "a kept-XML placeholder is replaced by the next kept text", line);
    } else if (placeholder == "<PODPIS/>" && nextBlock < blocks.size()) {
      for (const QByteArray& entry : blocks[nextBlock]) {
        expectAt(out, at, entry, "a signature placeholder is replaced by the next block", line);
      }
      ++nextBlock;
    } else {
      expectAt(out, at, text, "a line that is not replaced is kept byte for byte", line);
    }
  }
  if (at != out.size()) fail("nothing follows the last line", shown(out.mid(at)));
  return 0;
}
