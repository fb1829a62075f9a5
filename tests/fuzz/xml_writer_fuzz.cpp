// Fuzzes the package XML writer. The input, cut at NUL bytes, is a list of steps that build a
// tree with names, attributes and texts taken from data:
//   "<NAME" opens an element named from data    "[NAME" opens one with the name as given
//   "@NAME=VALUE" sets an attribute              "\"TEXT" adds a text
//   "#NAME=TEXT" adds an element with one text  "/" closes the open element
// The nodes at the top make a fragment, written at an indent taken from the input; the first
// top element is then written as a document. Both outputs must be well-formed XML for libxml2
// (fifth-edition names and the earlier editions' names alike), and the document must read back
// as it was built: names made valid, attributes and texts with the forbidden characters
// dropped (and what any reader does to line ends and attribute blanks).
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>

#include "core/package/xml_name.h"
#include "core/package/xml_writer.h"
#include "fuzz_support.h"

using namespace wertalo;
using namespace wertalo::package;
using wertalo::fuzz::fail;
using wertalo::fuzz::shown;

namespace {

// Deep trees are not what the package builders make; the bound keeps the recursion short.
constexpr size_t kMaxDepth = 64;

// The text without the characters XML 1.0 forbids (control characters, lone surrogate halves, U+FFFE, U+FFFF).
QString withoutForbidden(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (QChar::isHighSurrogate(c)) {
      if (i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        out += text.mid(i, 2);
        ++i;
      }
      continue;
    }
    if (QChar::isLowSurrogate(c)) continue;
    const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
    if (allowed) out += QChar(c);
  }
  return out;
}

// What a reader gives for a written text: CR LF and lone CR become LF.
QString readerText(const QString& text) {
  QString out = withoutForbidden(text);
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(u'\r', u'\n');
  return out;
}

// What a reader gives for a written attribute value: line ends, then tab and LF, become blanks.
QString readerAttribute(const QString& value) {
  QString out = readerText(value);
  out.replace(u'\t', u' ');
  out.replace(u'\n', u' ');
  return out;
}

QString withoutBlanks(QString text) {
  text.remove(u' ');
  text.remove(u'\t');
  text.remove(u'\n');
  text.remove(u'\r');
  return text;
}

QString fromXmlChars(const xmlChar* text) { return QString::fromUtf8(reinterpret_cast<const char*>(text)); }

QString contentOf(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  const QString text = fromXmlChars(content);
  xmlFree(content);
  return text;
}

// Compares an element as built with the element libxml2 read.
void compare(const XmlElement& built, const xmlNode* read, const QString& where) {
  const QString name = validXmlName(built.name());
  const QString path = where + QLatin1Char('/') + name;
  if (fromXmlChars(read->name) != name) fail("element name read back", path + QStringLiteral(" read as ") + fromXmlChars(read->name));

  // Attributes: one per valid name, in the order of first setting, with the last value. An
  // attribute named "xmlns" is read as the element's default namespace, not as an attribute
  // (its value is escaped as every attribute's is; libxml2 keeps character references in it).
  std::vector<std::pair<QString, QString>> expected;
  bool expectedNamespace = false;
  for (const XmlAttribute& attribute : built.attributes()) {
    const QString attributeName = validXmlName(attribute.name);
    if (attributeName == QStringLiteral("xmlns")) {
      expectedNamespace = true;
      continue;
    }
    auto same = std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.first == attributeName; });
    if (same == expected.end()) {
      expected.emplace_back(attributeName, readerAttribute(attribute.value));
    } else {
      same->second = readerAttribute(attribute.value);
    }
  }
  size_t index = 0;
  for (const xmlAttr* attribute = read->properties; attribute != nullptr; attribute = attribute->next, ++index) {
    const QString readName = fromXmlChars(attribute->name);
    const QString readValue = contentOf(reinterpret_cast<const xmlNode*>(attribute));
    if (index >= expected.size() || expected[index].first != readName || expected[index].second != readValue) {
      fail("attribute read back", path + QStringLiteral(" @") + readName + QStringLiteral("=") + shown(readValue));
    }
  }
  if (index != expected.size()) fail("every attribute written", path);
  const xmlNs* declared = read->nsDef;
  if (declared != nullptr && (declared->prefix != nullptr || declared->next != nullptr)) fail("only a default namespace declared", path);
  if ((declared != nullptr) != expectedNamespace) fail("default namespace read back", path);

  std::vector<const xmlNode*> readElements;
  QString readText;
  for (const xmlNode* child = read->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) {
      readElements.push_back(child);
    } else if (child->type == XML_TEXT_NODE) {
      readText += contentOf(child);
    } else {
      fail("only elements and texts are written", path);
    }
  }
  const std::vector<const XmlElement*> builtElements = built.childElements();
  if (!built.hasChildElements()) {
    // An element with texts only is written on one line: its text exactly.
    if (!readElements.empty() || readText != readerText(built.text())) {
      fail("element text read back", path + QStringLiteral(": ") + shown(readText) + QStringLiteral(" for ") + shown(built.text()));
    }
    return;
  }
  // Texts beside elements get lines of their own: the same text apart from blanks.
  if (withoutBlanks(readText) != withoutBlanks(readerText(built.text()))) {
    fail("mixed text read back", path + QStringLiteral(": ") + shown(readText) + QStringLiteral(" for ") + shown(built.text()));
  }
  if (readElements.size() != builtElements.size()) fail("child elements read back", path);
  for (size_t i = 0; i < builtElements.size(); ++i) compare(*builtElements[i], readElements[i], path);
}

void checkDocument(const QByteArray& bytes, const XmlElement& root) {
  if (fuzz::libxml2Verdict(bytes, true) != fuzz::XmlVerdict::WellFormed) fail("document readable with earlier-edition names", shown(bytes));
  xmlDocPtr document = xmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), "fuzz.xml", nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (document == nullptr) fail("document well-formed", shown(bytes));
  compare(root, xmlDocGetRootElement(document), QString());
  xmlFreeDoc(document);
}

// Splits "NAME=VALUE" at the first "=" (no "=": all name).
std::pair<QString, QString> nameAndValue(std::string_view payload) {
  const size_t equals = payload.find('=');
  if (equals == std::string_view::npos) return {fuzz::textFromBytes(payload), QString()};
  return {fuzz::textFromBytes(payload.substr(0, equals)), fuzz::textFromBytes(payload.substr(equals + 1))};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XmlFragment top;
  std::vector<XmlNodeList*> open{&top};
  std::vector<XmlElement*> elements;  // the open elements, innermost last
  const std::vector<std::string_view> steps = fuzz::splitInput(data, size);
  for (const std::string_view step : steps) {
    if (step.empty()) continue;
    const std::string_view payload = step.substr(1);
    XmlNodeList& current = *open.back();
    switch (step.front()) {
      case '<':
      case '[':
        if (open.size() > kMaxDepth) break;
        elements.push_back(step.front() == '<' ? &current.appendDataElement(fuzz::textFromBytes(payload))
                                               : &current.appendElement(fuzz::textFromBytes(payload)));
        open.push_back(elements.back());
        break;
      case '@':
        if (!elements.empty()) {
          const auto [name, value] = nameAndValue(payload);
          elements.back()->setAttribute(name, value);
        }
        break;
      case '"':
        current.appendText(fuzz::textFromBytes(payload));
        break;
      case '#': {
        const auto [name, text] = nameAndValue(payload);
        current.appendTextElement(name, text);
        break;
      }
      case '/':
        if (!elements.empty()) {
          elements.pop_back();
          open.pop_back();
        }
        break;
      default:
        break;
    }
  }

  const int level = static_cast<int>(steps.size() % 5) - 1;  // -1 to 3
  const QByteArray fragment = writeXmlFragment(top, level);
  const QByteArray wrapped = "<fragment>\r\n" + fragment + "</fragment>";
  if (fuzz::libxml2Verdict(wrapped) != fuzz::XmlVerdict::WellFormed) fail("fragment well-formed", shown(wrapped));

  std::vector<XmlNode> nodes = top.takeNodes();
  const auto first = std::find_if(nodes.begin(), nodes.end(), [](const XmlNode& node) { return node.isElement(); });
  if (first == nodes.end()) return 0;
  XmlDocument document;
  const XmlElement& root = document.setRoot(std::move(first->element()));
  checkDocument(writeXml(document), root);
  return 0;
}
