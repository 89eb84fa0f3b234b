#include "platform/xml/XmlDocument.h"

#include <algorithm>

namespace xml {
namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi |
                                   pugi::parse_declaration | pugi::parse_doctype |
                                   // keeps stray top-level text, so that Check can refuse it
                                   pugi::parse_fragment;

constexpr const char* kWhiteSpace = " \t\r\n";

std::string Trim(std::string_view s) {
    std::size_t b = s.find_first_not_of(kWhiteSpace);
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(kWhiteSpace) - b + 1));
}

// Visits the descendants of `root` in document order, without recursion (documents from
// outside may nest deeply).
template <typename Visit>
void ForEachDescendant(pugi::xml_node root, Visit visit) {
    pugi::xml_node node = root.first_child();
    while (node) {
        visit(node);
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != root && !node.next_sibling()) node = node.parent();
        node = node == root ? pugi::xml_node() : node.next_sibling();
    }
}

bool IsText(pugi::xml_node node) { return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata; }

bool HasRepeatedAttribute(pugi::xml_node element) {
    std::vector<std::string_view> names;
    for (pugi::xml_attribute a : element.attributes()) names.emplace_back(a.name());
    std::sort(names.begin(), names.end());
    return std::adjacent_find(names.begin(), names.end()) != names.end();
}

Node FromXPath(const pugi::xpath_node& n) { return n.attribute() ? Node(n.attribute(), n.parent()) : Node(n.node()); }

// Compiles `xpath`; false when it is not a valid expression that selects nodes.
template <typename Use>
bool WithQuery(std::string_view xpath, Use use) {
    try {
        pugi::xpath_query query(std::string(xpath).c_str());
        if (!query || query.return_type() != pugi::xpath_type_node_set) return false;
        use(query);
        return true;
    } catch (const pugi::xpath_exception&) {
        return false;
    }
}

}  // namespace

// ---- Node --------------------------------------------------------------------------------

NodeType Node::Type() const {
    if (m_attribute) return NodeType::Attribute;
    switch (m_node.type()) {
    case pugi::node_null: return NodeType::Null;
    case pugi::node_document: return NodeType::Document;
    case pugi::node_element: return NodeType::Element;
    case pugi::node_pcdata: return NodeType::Text;
    case pugi::node_cdata: return NodeType::CData;
    case pugi::node_comment: return NodeType::Comment;
    case pugi::node_pi:
    case pugi::node_declaration: return NodeType::ProcessingInstruction;
    default: return NodeType::Other;
    }
}

std::string Node::NodeName() const {
    switch (Type()) {
    case NodeType::Attribute: return m_attribute.name();
    case NodeType::Element:
    case NodeType::ProcessingInstruction: return m_node.name();
    case NodeType::Document: return "#document";
    case NodeType::Text: return "#text";
    case NodeType::CData: return "#cdata-section";
    case NodeType::Comment: return "#comment";
    default: return {};
    }
}

std::string Node::BaseName() const {
    NodeType type = Type();
    if (type != NodeType::Element && type != NodeType::Attribute && type != NodeType::ProcessingInstruction) return {};
    std::string name = NodeName();
    std::size_t colon = name.rfind(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

std::string Node::NodeValue() const {
    switch (Type()) {
    case NodeType::Attribute: return m_attribute.value();
    case NodeType::Text:
    case NodeType::CData:
    case NodeType::Comment:
    case NodeType::ProcessingInstruction: return m_node.value();
    default: return {};
    }
}

std::string Node::Text() const {
    NodeType type = Type();
    if (type != NodeType::Element && type != NodeType::Document) return Trim(NodeValue());
    std::string joined;
    ForEachDescendant(m_node, [&](pugi::xml_node n) {
        if (IsText(n)) joined += n.value();
    });
    return Trim(joined);
}

bool Node::SetText(std::string_view text) {
    std::string value(text);
    switch (Type()) {
    case NodeType::Attribute: return m_attribute.set_value(value.c_str());
    case NodeType::Text:
    case NodeType::CData:
    case NodeType::Comment: return m_node.set_value(value.c_str());
    case NodeType::Element: {
        pugi::xml_node node = m_node;
        while (node.first_child()) node.remove_child(node.first_child());
        return value.empty() || node.append_child(pugi::node_pcdata).set_value(value.c_str());
    }
    default: return false;
    }
}

NodeList Node::ChildNodes() const {
    std::vector<Node> nodes;
    if (!m_attribute)
        for (pugi::xml_node child : m_node.children()) nodes.emplace_back(child);
    return NodeList(std::move(nodes));
}

Node Node::FirstChild() const { return m_attribute ? Node() : Node(m_node.first_child()); }
Node Node::NextSibling() const { return m_attribute ? Node() : Node(m_node.next_sibling()); }
Node Node::ParentNode() const { return m_attribute ? Node() : Node(m_node.parent()); }

NodeList Node::Attributes() const {
    std::vector<Node> nodes;
    if (IsElement())
        for (pugi::xml_attribute a : m_node.attributes()) nodes.emplace_back(a, m_node);
    return NodeList(std::move(nodes));
}

bool Node::GetAttribute(std::string_view name, std::string& value) const {
    if (!IsElement()) return false;
    pugi::xml_attribute a = m_node.attribute(std::string(name).c_str());
    if (!a) return false;
    value = a.value();
    return true;
}

Node Node::ChildElement(std::string_view name) const {
    if (m_attribute) return {};
    for (pugi::xml_node child : m_node.children())
        if (child.type() == pugi::node_element && name == child.name()) return Node(child);
    return {};
}

Node Node::AppendElement(std::string_view name) {
    if (!IsElement()) return {};
    return Node(m_node.append_child(std::string(name).c_str()));
}

pugi::xpath_node Node::XPathContext() const {
    return m_attribute ? pugi::xpath_node(m_attribute, m_node) : pugi::xpath_node(m_node);
}

bool Node::SelectSingleNode(std::string_view xpath, Node& result) const {
    if (IsNull()) return false;
    return WithQuery(xpath, [&](const pugi::xpath_query& query) {
        pugi::xpath_node_set set = query.evaluate_node_set(XPathContext());
        result = set.empty() ? Node() : FromXPath(set.first());
    });
}

bool Node::SelectNodes(std::string_view xpath, NodeList& result) const {
    if (IsNull()) return false;
    return WithQuery(xpath, [&](const pugi::xpath_query& query) {
        pugi::xpath_node_set set = query.evaluate_node_set(XPathContext());
        set.sort();
        std::vector<Node> nodes;
        for (const pugi::xpath_node& n : set) nodes.push_back(FromXPath(n));
        result = NodeList(std::move(nodes));
    });
}

// ---- Document ----------------------------------------------------------------------------

bool Document::Load(const std::string& path) { return Check(m_doc.load_file(path.c_str(), kParseOptions)); }

bool Document::LoadXml(std::string_view text) {
    return Check(m_doc.load_buffer(text.data(), text.size(), kParseOptions));
}

bool Document::Check(const pugi::xml_parse_result& result) {
    // The parser keeps what it read before an error, and in fragment mode it takes any
    // number of top-level elements and stray text; it also lets an attribute repeat. A
    // well-formed document has exactly one element at the top, no text beside it, and each
    // attribute once.
    int elements = 0;
    bool malformed = !result;
    for (pugi::xml_node child : m_doc.children()) {
        if (child.type() == pugi::node_element) ++elements;
        if (IsText(child)) malformed = true;
    }
    ForEachDescendant(m_doc, [&](pugi::xml_node n) {
        if (!malformed && n.type() == pugi::node_element && n.first_attribute() && n.first_attribute().next_attribute())
            malformed = HasRepeatedAttribute(n);
    });
    if (!malformed && elements == 1) return true;
    m_doc.reset();
    return false;
}

Node Document::DocumentElement() const { return Node(m_doc.document_element()); }

NodeList Document::GetElementsByTagName(std::string_view name) const {
    std::vector<Node> nodes;
    ForEachDescendant(m_doc, [&](pugi::xml_node n) {
        if (n.type() == pugi::node_element && (name == "*" || name == n.name())) nodes.emplace_back(n);
    });
    return NodeList(std::move(nodes));
}

}  // namespace xml
