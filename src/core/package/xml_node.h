// Wertalo: the XML node tree that the package builders fill and the writer writes.
#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "core/package/xml_name.h"

namespace wertalo::package {

class XmlElement;
class XmlFragment;

// One attribute of an element.
struct XmlAttribute {
  QString name;  // a valid XML name
  QString value;
};

// One node of a child list: an element or a text. Move-only; an element is held by pointer,
// so references to it stay valid while the node moves between lists.
class XmlNode {
 public:
  // A text node (an empty text is a node too: its element is written "<X></X>").
  explicit XmlNode(QString text);
  // An element node.
  explicit XmlNode(XmlElement element);
  XmlNode(XmlNode&& other) noexcept;
  XmlNode& operator=(XmlNode&& other) noexcept;
  ~XmlNode();

  // Whether the node is an element (otherwise it is a text).
  bool isElement() const { return element_ != nullptr; }
  // Whether the node is a text.
  bool isText() const { return element_ == nullptr; }
  // The element of an element node; only for element nodes.
  XmlElement& element() { return *element_; }
  // The element of an element node; only for element nodes.
  const XmlElement& element() const { return *element_; }
  // The text of a text node; empty for an element node.
  const QString& text() const { return text_; }

 private:
  std::unique_ptr<XmlElement> element_;
  QString text_;
};

// An ordered list of child nodes; the common part of elements and fragments.
class XmlNodeList {
 public:
  // Appends an element whose name the system's code gives; the name is kept as given.
  XmlElement& appendElement(const QString& name);
  // Appends an element whose name comes from data; the name goes through validXmlName.
  XmlElement& appendDataElement(const QString& name);
  // Appends a built element, moving it in.
  XmlElement& appendElement(XmlElement element);
  // Appends an element with one text child, also when the text is empty ("<X></X>").
  XmlElement& appendTextElement(const QString& name, const QString& text);
  // Appends a text node (also an empty one).
  void appendText(const QString& text);
  // Moves the nodes of a fragment in, in order; the fragment is left empty. References to
  // its elements stay valid.
  void append(XmlFragment&& fragment);
  // Drops every child node.
  void clear() { children_.clear(); }

  // The child nodes in order.
  const std::vector<XmlNode>& children() const { return children_; }
  // Whether there are no child nodes at all.
  bool isEmpty() const { return children_.empty(); }
  // Whether any child is an element.
  bool hasChildElements() const;
  // The first child element with the name, or null.
  XmlElement* firstChildElement(const QString& name);
  // The first child element with the name, or null.
  const XmlElement* firstChildElement(const QString& name) const;
  // The child elements in order; with a name, only those so named.
  std::vector<const XmlElement*> childElements(const QString& name = QString()) const;
  // The text children joined in order (the text of "<Rok>2013</Rok>"); elements are skipped.
  QString text() const;

 protected:
  XmlNodeList() = default;
  XmlNodeList(XmlNodeList&&) noexcept = default;
  XmlNodeList& operator=(XmlNodeList&&) noexcept = default;
  ~XmlNodeList() = default;

  std::vector<XmlNode> children_;
};

// An element: a name, attributes in the order they were first set, and child nodes.
class XmlElement : public XmlNodeList {
 public:
  // An element with the name as given (see validXmlName for names from data).
  explicit XmlElement(QString name);
  XmlElement(XmlElement&&) noexcept = default;
  XmlElement& operator=(XmlElement&&) noexcept = default;
  ~XmlElement() = default;

  // The element name.
  const QString& name() const { return name_; }
  // Sets an attribute under its name made valid (validXmlName); an attribute already set under
  // the same valid name gets the new value in its place, so no name is written twice.
  void setAttribute(const QString& name, const QString& value);
  // The value of an attribute (the name made valid as by setAttribute); empty when there is none.
  QString attribute(const QString& name) const;
  // Whether the attribute is set (the name made valid as by setAttribute).
  bool hasAttribute(const QString& name) const;
  // The attributes in order.
  const std::vector<XmlAttribute>& attributes() const { return attributes_; }

 private:
  QString name_;
  std::vector<XmlAttribute> attributes_;
};

// What an element builder returns: top-level nodes in order, appended by the caller to
// its parent (XmlNodeList::append).
class XmlFragment : public XmlNodeList {
 public:
  XmlFragment() = default;
  XmlFragment(XmlFragment&&) noexcept = default;
  XmlFragment& operator=(XmlFragment&&) noexcept = default;
  ~XmlFragment() = default;

  // Takes the nodes out, leaving the fragment empty.
  std::vector<XmlNode> takeNodes();
};

// A document: the declaration (always version 1.0, UTF-8) and one root element.
class XmlDocument {
 public:
  XmlDocument() = default;
  XmlDocument(XmlDocument&&) noexcept = default;
  XmlDocument& operator=(XmlDocument&&) noexcept = default;

  // Replaces the root by a new element with the name and returns it.
  XmlElement& setRoot(const QString& name);
  // Replaces the root by a built element and returns it.
  XmlElement& setRoot(XmlElement root);
  // The root element, or null when the document is empty.
  XmlElement* root() { return root_.get(); }
  // The root element, or null when the document is empty.
  const XmlElement* root() const { return root_.get(); }
  // Drops the root; every build starts from an empty document.
  void clear() { root_.reset(); }

 private:
  std::unique_ptr<XmlElement> root_;
};

}  // namespace wertalo::package
