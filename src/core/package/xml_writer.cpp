#include "core/package/xml_writer.h"

namespace wertalo::package {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
constexpr QLatin1StringView kLineEnd("\r\n");

// Whether a character (outside surrogates) may stand in an XML 1.0 document.
bool isXmlChar(char16_t c) {
  return c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
}

// Escapes the given characters and drops those XML forbids, lone surrogates included.
QString escape(const QString& text, bool attribute) {
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
    indent(level);
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
    if (element.isEmpty()) {
      out_ += QLatin1StringView("/>");
    } else if (!element.hasChildElements()) {
      out_ += QLatin1Char('>');
      out_ += escapeXmlText(element.text());
      out_ += QLatin1StringView("</") + name + QLatin1Char('>');
    } else {
      out_ += QLatin1Char('>');
      lineEnd();
      for (const XmlNode& child : element.children()) node(child, level + 1);
      indent(level);
      out_ += QLatin1StringView("</") + name + QLatin1Char('>');
    }
    lineEnd();
  }

  const QString& text() const { return out_; }
  QByteArray utf8() const { return out_.toUtf8(); }

 private:
  void indent(int level) {
    if (!compact_) out_ += QString(2 * qMax(level, 0), QLatin1Char(' '));
  }
  void lineEnd() {
    if (!compact_) out_ += kLineEnd;
  }

  bool compact_;
  QString out_;
};

}  // namespace

QString escapeXmlText(const QString& text) { return escape(text, false); }

QString escapeXmlAttribute(const QString& value) { return escape(value, true); }

QByteArray writeXml(const XmlDocument& document) {
  LineWriter writer;
  if (document.root() != nullptr) writer.element(*document.root(), 0);
  QByteArray bytes(kByteOrderMark);
  bytes += kDeclaration;
  bytes += "\r\n";
  bytes += writer.utf8();
  return bytes;
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

}  // namespace wertalo::package
