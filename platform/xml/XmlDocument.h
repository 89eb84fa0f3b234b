#pragma once
// The DOM document that the panel description and MIB description readers read XML through.
//
// Rules kept from the DOM the readers were written for:
// - White space: text nodes holding only white space are dropped at load; Text() joins the
//   text of a node and its descendants and strips white space at both ends.
// - Comments, processing instructions and CDATA sections are nodes of their own kinds.
// - A file that is missing or not well-formed XML leaves the document empty: no document
//   element, no elements by any tag name.
// - XPath selection tells an invalid expression (false) apart from no match (a null node).
// Texts are UTF-8. A Node or NodeList is a handle into its Document: valid while the
// Document lives and the node is not removed (SetText removes the children it replaces).
#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace xml {

enum class NodeType { Null, Document, Element, Attribute, Text, CData, Comment, ProcessingInstruction, Other };

class NodeList;

class Node {
public:
    Node() = default;
    explicit Node(pugi::xml_node node) : m_node(node) {}
    Node(pugi::xml_attribute attribute, pugi::xml_node owner) : m_node(owner), m_attribute(attribute) {}

    bool IsNull() const { return !m_node && !m_attribute; }
    explicit operator bool() const { return !IsNull(); }
    NodeType Type() const;
    bool IsElement() const { return Type() == NodeType::Element; }

    // Elements and attributes: the name as written, prefix included. Text "#text", CDATA
    // "#cdata-section", comment "#comment", the document "#document", a processing
    // instruction its target.
    std::string NodeName() const;
    // The name without a namespace prefix ("b" for "a:b").
    std::string BaseName() const;
    // Attributes, text, CDATA, comments, processing instructions: the content as stored.
    // Elements and the document: empty.
    std::string NodeValue() const;
    // The text content (see the white-space rules above).
    std::string Text() const;
    // Replaces the content with `text`: an element's children go, and a text node holding
    // `text` takes their place (none when `text` is empty). An attribute takes `text` as
    // its value.
    bool SetText(std::string_view text);

    NodeList ChildNodes() const;
    Node FirstChild() const;
    Node NextSibling() const;
    Node ParentNode() const;

    // The attributes of an element in document order, as attribute nodes.
    NodeList Attributes() const;
    // The value of the attribute `name`; false when the element has none.
    bool GetAttribute(std::string_view name, std::string& value) const;

    // The first child element named `name`, or a null node.
    Node ChildElement(std::string_view name) const;
    // Appends a new element named `name` as the last child of this element and returns it.
    Node AppendElement(std::string_view name);

    // XPath relative to this node. False when `xpath` is not a valid expression or does not
    // select nodes (such as "1+1"); true otherwise, with the first selected node in document
    // order (a null node when nothing matches) or all of them.
    bool SelectSingleNode(std::string_view xpath, Node& result) const;
    bool SelectNodes(std::string_view xpath, NodeList& result) const;

    bool operator==(const Node& other) const = default;

private:
    pugi::xpath_node XPathContext() const;

    pugi::xml_node m_node;            // the node, or the owner element of an attribute
    pugi::xml_attribute m_attribute;  // set for an attribute node
};

class NodeList {
public:
    NodeList() = default;
    explicit NodeList(std::vector<Node> nodes) : m_nodes(std::move(nodes)) {}

    std::size_t Length() const { return m_nodes.size(); }
    // The node at `index`, or a null node past the end.
    Node Item(std::size_t index) const { return index < m_nodes.size() ? m_nodes[index] : Node(); }
    auto begin() const { return m_nodes.begin(); }
    auto end() const { return m_nodes.end(); }

private:
    std::vector<Node> m_nodes;
};

class Document {
public:
    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Loads the file at `path` (relative paths from the current directory). On failure
    // (missing, unreadable, not well-formed, no single document element) returns false and
    // the document is empty.
    bool Load(const std::string& path);
    // The same for XML held in memory.
    bool LoadXml(std::string_view text);

    // The document as a node (its children: the document element, comments, instructions).
    Node Root() const { return Node(m_doc); }
    Node DocumentElement() const;
    // Every element named `name` ("*": every element), in document order.
    NodeList GetElementsByTagName(std::string_view name) const;

private:
    bool Check(const pugi::xml_parse_result& result);

    pugi::xml_document m_doc;
};

}  // namespace xml
