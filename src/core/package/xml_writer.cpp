#include "core/package/xml_writer.h"

#include <algorithm>
#include <stdexcept>

namespace wertalo::package {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
constexpr QLatin1StringView kLineEnd("\r\n");

// Whether a character (outside surrogates) may stand in an XML 1.0 document.
bool isXmlChar(char16_t c) {
  return c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
}

// Whether a character is written otherwise than as itself (escaped, dropped, or checked for
// its pair of surrogates).
bool needsCare(char16_t c, bool attribute) {
  return c < 0x20 || c == u'&' || c == u'<' || c == u'>' || (attribute && c == u'"') || (c >= 0xD800 && c <= 0xDFFF) ||
         c >= 0xFFFE;
}

// Escapes the given characters and drops those XML forbids, lone surrogates included.
QString escape(const QString& text, bool attribute) {
  // Most texts are written as they are.
  if (std::none_of(text.begin(), text.end(), [attribute](QChar c) { return needsCare(c.unicode(), attribute); })) return text;
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate()) {
      if (i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        out += c;
        out += text.at(++i);
      }
      continue;
    }
    if (c.isLowSurrogate() || !isXmlChar(c.unicode())) continue;
    switch (c.unicode()) {
      case u'&':
        out += QLatin1StringView("&amp;");
        break;
      case u'<':
        out += QLatin1StringView("&lt;");
        break;
      case u'>':
        if (attribute) {
          out += c;
        } else {
          out += QLatin1StringView("&gt;");
        }
        break;
      case u'"':
        if (attribute) {
          out += QLatin1StringView("&quot;");
        } else {
          out += c;
        }
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

namespace detail {

// Writes nodes as lines, or compact (no indentation, no line ends); the text is converted to
// UTF-8 once at the end.
class LineWriter {
 public:
  explicit LineWriter(bool compact = false) : compact_(compact) {}

  void node(const XmlNode& node, int level) {
    if (node.isElement()) {
      element(node.element(), level);
    } else if (!node.text().isEmpty()) {
      // Text beside elements (not produced by the package builders) gets its own line.
      indent(level);
      out_ += escapeXmlText(node.text());
      lineEnd();
    }
  }

  void element(const XmlElement& element, int level) {
    if (element.hasChildElements()) {
      startTag(element, level);
      for (const XmlNode& child : element.children()) node(child, level + 1);
      endTag(element, level);
      return;
    }
    indent(level);
    const QString name = openTag(element);
    if (element.isEmpty()) {
      out_ += QLatin1StringView("/>");
    } else {
      out_ += QLatin1Char('>');
      out_ += escapeXmlText(element.text());
      out_ += QLatin1StringView("</");
      out_ += name;
      out_ += QLatin1Char('>');
    }
    lineEnd();
  }

  // The line that opens an element with element children.
  void startTag(const XmlElement& element, int level) {
    indent(level);
    openTag(element);
    out_ += QLatin1Char('>');
    lineEnd();
  }

  // The line that closes an element with element children.
  void endTag(const XmlElement& element, int level) {
    indent(level);
    out_ += QLatin1StringView("</");
    out_ += validXmlName(element.name());
    out_ += QLatin1Char('>');
    lineEnd();
  }

  const QString& text() const { return out_; }
  QByteArray utf8() const { return out_.toUtf8(); }

 private:
  void indent(int level) {
    if (compact_) return;
    static const QString kSpaces(64, QLatin1Char(' '));
    for (qsizetype left = 2 * qMax(level, 0); left > 0; left -= kSpaces.size())
      out_ += QStringView(kSpaces).left(qMin(left, kSpaces.size()));
  }
  void lineEnd() {
    if (!compact_) out_ += kLineEnd;
  }

  // "<name attributes", without the end of the tag; returns the name as written.
  QString openTag(const XmlElement& element) {
    const QString name = validXmlName(element.name());  // a name that is valid stays as given
    out_ += QLatin1Char('<');
    out_ += name;
    for (const XmlAttribute& attribute : element.attributes()) {
      out_ += QLatin1Char(' ');
      out_ += attribute.name;  // made valid when set
      out_ += QLatin1StringView("=\"");
      out_ += escapeXmlAttribute(attribute.value);
      out_ += QLatin1Char('"');
    }
    return name;
  }

  bool compact_;
  QString out_;
};

}  // namespace detail

using detail::LineWriter;

namespace {

// The byte-order mark and the declaration line.
QByteArray documentStart() {
  QByteArray bytes(kByteOrderMark);
  bytes += kDeclaration;
  bytes += "\r\n";
  return bytes;
}

// The path from `from` down to `target` (both included); false when the target is not below it.
bool findPath(const XmlElement& from, const XmlElement* target, std::vector<const XmlElement*>& path) {
  path.push_back(&from);
  if (&from == target) return true;
  for (const XmlNode& child : from.children()) {
    if (child.isElement() && findPath(child.element(), target, path)) return true;
  }
  path.pop_back();
  return false;
}

}  // namespace

QString escapeXmlText(const QString& text) { return escape(text, false); }

QString escapeXmlAttribute(const QString& value) { return escape(value, true); }

QByteArray writeXml(const XmlDocument& document) {
  LineWriter writer;
  if (document.root() != nullptr) writer.element(*document.root(), 0);
  return documentStart() + writer.utf8();
}

QByteArray writeXmlFragment(const XmlFragment& fragment, int indentLevel) {
  LineWriter writer;
  for (const XmlNode& node : fragment.children()) writer.node(node, indentLevel);
  return writer.utf8();
}

QString writeXmlCompact(const XmlFragment& fragment) {
  QString out;
  for (const XmlNode& node : fragment.children()) {
    LineWriter writer(true);
    writer.node(node, 0);
    if (writer.text().isEmpty()) continue;
    if (!out.isEmpty()) out += kLineEnd;
    out += writer.text();
  }
  return out;
}

XmlStreamWriter::XmlStreamWriter(std::function<void(const QByteArray&)> sink) : sink_(std::move(sink)) {}

XmlStreamWriter::~XmlStreamWriter() = default;

void XmlStreamWriter::writeChildren(LineWriter& writer, Open& open, size_t end) {
  const std::vector<XmlNode>& children = open.element->children();
  for (; open.next < end && open.next < children.size(); ++open.next) writer.node(children[open.next], open.level + 1);
}

void XmlStreamWriter::closeLast(LineWriter& writer) {
  Open& done = open_.back();
  writeChildren(writer, done, done.element->children().size());
  writer.endTag(*done.element, done.level);
  const size_t index = done.indexInParent;
  open_.pop_back();
  if (!open_.empty()) open_.back().next = index + 1;
}

void XmlStreamWriter::flush(const XmlDocument& document, XmlElement& element) {
  std::vector<const XmlElement*> path;
  if (document.root() == nullptr || !findPath(*document.root(), &element, path) || path.size() < 2) {
    throw std::logic_error("XmlStreamWriter::flush: the element is not below the root");
  }
  LineWriter writer;
  QByteArray bytes;
  if (open_.empty()) {
    bytes = documentStart();
    writer.startTag(*path[0], 0);
    open_.push_back({path[0], 0, 0, 0});
  }
  for (size_t depth = 0; depth + 1 < path.size(); ++depth) {
    // An open element below this depth that is not on the path is complete: it is closed.
    while (open_.size() > depth + 1 && open_[depth + 1].element != path[depth + 1]) closeLast(writer);
    const std::vector<XmlNode>& children = open_[depth].element->children();
    size_t at = open_[depth].next;
    while (at < children.size() && !(children[at].isElement() && &children[at].element() == path[depth + 1])) ++at;
    if (at == children.size()) throw std::logic_error("XmlStreamWriter::flush: the element comes before what was written");
    writeChildren(writer, open_[depth], at);  // the complete nodes before the path
    const int level = open_[depth].level + 1;
    if (depth + 2 == path.size()) {
      writer.element(element, level);
      open_[depth].next = at + 1;
    } else if (open_.size() == depth + 1) {
      writer.startTag(*path[depth + 1], level);
      open_.push_back({path[depth + 1], level, 0, at});
    }
  }
  element.clear();  // written: its content is no longer needed
  sink_(bytes + writer.utf8());
}

void XmlStreamWriter::finish(const XmlDocument& document) {
  if (open_.empty()) {
    sink_(writeXml(document));
    return;
  }
  LineWriter writer;
  while (!open_.empty()) closeLast(writer);
  sink_(writer.utf8());
}

}  // namespace wertalo::package
