// Wertalo: the byte-exact writer of the package XML (the saved file is later edited line by line).
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

#include "core/package/xml_node.h"

namespace wertalo::package {

// The whole document: UTF-8 byte-order mark, the declaration, then the root element; each
// element on its own line indented two spaces per level, an element with only text on one
// line ("<Rok>2013</Rok>", "<Uwagi></Uwagi>"), one without children as "<PODPIS/>"; every
// line ends with CR LF. A document without a root gives the declaration line alone.
QByteArray writeXml(const XmlDocument& document);

// The nodes of a fragment as the lines they make at the given nesting level (no mark, no
// declaration).
QByteArray writeXmlFragment(const XmlFragment& fragment, int indentLevel);

// The nodes of a fragment with no indentation and no line ends inside them (the report element
// a host program gets); top-level nodes, when there are several, are joined by CR LF. The
// rules of names, escapes and empty elements are those of writeXml.
QString writeXmlCompact(const XmlFragment& fragment);

namespace detail {
class LineWriter;
}

// Writes a document while it is being built, so that a large package never stands whole in
// memory: an element whose content is complete is written out with every complete node before
// it, and its children are dropped from the tree. The bytes, part after part, are those
// writeXml gives for the whole tree. Elements are flushed in document order, and an element
// whose start has been written gets element children only.
class XmlStreamWriter {
 public:
  // `sink` receives the bytes in order, each part whole lines.
  explicit XmlStreamWriter(std::function<void(const QByteArray&)> sink);
  ~XmlStreamWriter();
  XmlStreamWriter(const XmlStreamWriter&) = delete;
  XmlStreamWriter& operator=(const XmlStreamWriter&) = delete;

  // Writes `element` (below the root of `document`, after everything flushed so far) and the
  // nodes before it that are not written yet, opening its ancestors; then empties it.
  void flush(const XmlDocument& document, XmlElement& element);
  // Writes the rest of the document (the whole of it when nothing was flushed).
  void finish(const XmlDocument& document);

 private:
  // An element whose start line is written: its level, the next child to write, and its
  // place among its parent's children.
  struct Open {
    const XmlElement* element;
    int level;
    size_t next;
    size_t indexInParent;
  };
  void writeChildren(detail::LineWriter& writer, Open& open, size_t end);
  void closeLast(detail::LineWriter& writer);

  std::function<void(const QByteArray&)> sink_;
  std::vector<Open> open_;
};

// A text as element content: "&", "<", ">" escaped, characters XML forbids dropped.
QString escapeXmlText(const QString& text);

// A text as an attribute value: "&", "<", "\"" escaped, characters XML forbids dropped.
QString escapeXmlAttribute(const QString& value);

}  // namespace wertalo::package
