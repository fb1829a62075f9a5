#include "core/package/xml_node.h"

#include <algorithm>
#include <utility>

#include "core/package/xml_name.h"

namespace wertalo::package {

// --- XmlNode

XmlNode::XmlNode(QString text) : text_(std::move(text)) {}

XmlNode::XmlNode(XmlElement element) : element_(std::make_unique<XmlElement>(std::move(element))) {}

XmlNode::XmlNode(XmlNode&& other) noexcept = default;
XmlNode& XmlNode::operator=(XmlNode&& other) noexcept = default;
XmlNode::~XmlNode() = default;

// --- XmlNodeList

XmlElement& XmlNodeList::appendElement(const QString& name) { return appendElement(XmlElement(name)); }

XmlElement& XmlNodeList::appendDataElement(const QString& name) { return appendElement(validXmlName(name)); }

XmlElement& XmlNodeList::appendElement(XmlElement element) {
  children_.emplace_back(std::move(element));
  return children_.back().element();
}

XmlElement& XmlNodeList::appendTextElement(const QString& name, const QString& text) {
  XmlElement& element = appendElement(name);
  element.appendText(text);
  return element;
}

void XmlNodeList::appendText(const QString& text) { children_.emplace_back(text); }

void XmlNodeList::append(XmlFragment&& fragment) {
  std::vector<XmlNode> nodes = fragment.takeNodes();
  children_.reserve(children_.size() + nodes.size());
  for (XmlNode& node : nodes) children_.push_back(std::move(node));
}

bool XmlNodeList::hasChildElements() const {
  return std::any_of(children_.begin(), children_.end(), [](const XmlNode& node) { return node.isElement(); });
}

XmlElement* XmlNodeList::firstChildElement(const QString& name) {
  for (XmlNode& node : children_) {
    if (node.isElement() && node.element().name() == name) return &node.element();
  }
  return nullptr;
}

const XmlElement* XmlNodeList::firstChildElement(const QString& name) const {
  return const_cast<XmlNodeList*>(this)->firstChildElement(name);
}

std::vector<const XmlElement*> XmlNodeList::childElements(const QString& name) const {
  std::vector<const XmlElement*> elements;
  for (const XmlNode& node : children_) {
    if (node.isElement() && (name.isNull() || node.element().name() == name)) elements.push_back(&node.element());
  }
  return elements;
}

QString XmlNodeList::text() const {
  QString joined;
  for (const XmlNode& node : children_) {
    if (node.isText()) joined += node.text();
  }
  return joined;
}

// --- XmlElement

XmlElement::XmlElement(QString name) : name_(std::move(name)) {}

void XmlElement::setAttribute(const QString& name, const QString& value) {
  const QString valid = validXmlName(name);
  for (XmlAttribute& attribute : attributes_) {
    if (attribute.name == valid) {
      attribute.value = value;
      return;
    }
  }
  attributes_.push_back({valid, value});
}

QString XmlElement::attribute(const QString& name) const {
  const QString valid = validXmlName(name);
  for (const XmlAttribute& attribute : attributes_) {
    if (attribute.name == valid) return attribute.value;
  }
  return QString();
}

bool XmlElement::hasAttribute(const QString& name) const {
  const QString valid = validXmlName(name);
  return std::any_of(attributes_.begin(), attributes_.end(),
                     [&valid](const XmlAttribute& attribute) { return attribute.name == valid; });
}

// --- XmlFragment

std::vector<XmlNode> XmlFragment::takeNodes() { return std::exchange(children_, {}); }

// --- XmlDocument

XmlElement& XmlDocument::setRoot(const QString& name) { return setRoot(XmlElement(name)); }

XmlElement& XmlDocument::setRoot(XmlElement root) {
  root_ = std::make_unique<XmlElement>(std::move(root));
  return *root_;
}

}  // namespace wertalo::package
