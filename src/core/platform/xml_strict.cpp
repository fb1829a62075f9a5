#include "core/platform/xml_strict.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <iterator>

#include "core/text/cp1250.h"

namespace wertalo::platform {

namespace {

struct CodeRange {
  char32_t first;
  char32_t last;
};

// The characters that may start an XML name, and those that may only follow.
constexpr CodeRange kNameStart[] = {
    {':', ':'},       {'A', 'Z'},       {'_', '_'},         {'a', 'z'},         {0xC0, 0xD6},
    {0xD8, 0xF6},     {0xF8, 0x2FF},    {0x370, 0x37D},     {0x37F, 0x1FFF},    {0x200C, 0x200D},
    {0x2070, 0x218F}, {0x2C00, 0x2FEF}, {0x3001, 0xD7FF},   {0xF900, 0xFDCF},   {0xFDF0, 0xFFFD},
    {0x10000, 0xEFFFF},
};
constexpr CodeRange kNameMore[] = {{'-', '.'}, {'0', '9'}, {0xB7, 0xB7}, {0x300, 0x36F}, {0x203F, 0x2040}};

template <std::size_t N>
bool inRanges(const CodeRange (&ranges)[N], char32_t c) {
  return std::any_of(std::begin(ranges), std::end(ranges),
                     [c](const CodeRange& r) { return c >= r.first && c <= r.last; });
}

// Whether the text is an XML name. Qt's reader lets some characters that no name may hold
// stand in attribute names and processing-instruction targets ("$", "`", U+00AD, ...); a file
// with such a name is malformed.
bool isXmlName(QStringView name) {
  if (name.isEmpty()) return false;
  bool first = true;
  for (qsizetype i = 0; i < name.size(); ++i) {
    char32_t c = name[i].unicode();
    if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(name[i], name[i + 1]);
      ++i;
    }
    if (!inRanges(kNameStart, c) && (first || !inRanges(kNameMore, c))) return false;
    first = false;
  }
  return true;
}

// Whether a document read as UTF-8 is valid UTF-8 to its last byte. Qt's reader refuses a broken
// sequence inside the text but drops an incomplete one at the very end of the data.
bool wholeUtf8(const QByteArray& bytes, QStringView declaredEncoding) {
  const bool utf16 = bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE");
  const bool utf8 = declaredEncoding.isEmpty() || declaredEncoding.compare(u"UTF-8", Qt::CaseInsensitive) == 0;
  return utf16 || !utf8 || text::isValidUtf8(bytes);
}

// Whether the XML declaration, when there is one, holds only version, encoding and standalone,
// in that order. Qt's reader passes over other pseudo-attributes there.
bool declarationValid(const QByteArray& bytes) {
  const QByteArray head = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
  if (!head.startsWith("<?xml") || head.size() < 6 || !QByteArrayView(" \t\r\n").contains(head[5])) return true;
  const qsizetype end = head.indexOf("?>");
  if (end < 0) return true;  // the reader refuses it
  static const QRegularExpression declaration(QStringLiteral(
      R"(^<\?xml[ \t\r\n]+version[ \t\r\n]*=[ \t\r\n]*(["'])1\.[0-9]+\1)"
      R"(([ \t\r\n]+encoding[ \t\r\n]*=[ \t\r\n]*(["'])[A-Za-z][A-Za-z0-9._-]*\3)?)"
      R"(([ \t\r\n]+standalone[ \t\r\n]*=[ \t\r\n]*(["'])(yes|no)\5)?[ \t\r\n]*$)"));
  return declaration.match(QString::fromLatin1(head.left(end))).hasMatch();
}

}  // namespace

bool isStrictlyWellFormed(const QByteArray& bytes) {
  if (!declarationValid(bytes)) return false;
  QXmlStreamReader reader(bytes);
  bool beyondProlog = false;  // a document type declaration stands once, before the root
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::DTD) {
      if (beyondProlog) return false;
      beyondProlog = true;
    }
    if (token == QXmlStreamReader::ProcessingInstruction && !isXmlName(reader.processingInstructionTarget())) {
      return false;
    }
    if (token != QXmlStreamReader::StartElement) continue;
    beyondProlog = true;
    if (!isXmlName(reader.qualifiedName())) return false;
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
      if (!isXmlName(attribute.qualifiedName())) return false;
    }
  }
  return !reader.hasError() && wholeUtf8(bytes, reader.documentEncoding());
}

}  // namespace wertalo::platform
