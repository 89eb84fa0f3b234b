#include "views/mibfile/MibXMLParse.h"

#include "platform/snmp/Snmp.h"

namespace {
// The entry's NAME text; false for an entry without NAME (a comment is such an entry).
bool EntryName(const xml::Node& entry, std::string& name) {
    const xml::Node node = entry.ChildElement("NAME");
    if (!node) return false;
    name = node.Text();
    return true;
}
}  // namespace

int CMibXMLParse::Open(const std::string& path, const std::string& section) {
    return Load(path) && SelectSection(section) && ListEntries() ? 1 : 0;
}

int CMibXMLParse::Load(const std::string& path) {
    auto document = std::make_unique<xml::Document>();
    if (!document->Load(path)) return 0;
    m_document = std::move(document);
    return 1;
}

int CMibXMLParse::SelectSection(const std::string& name) {
    if (!m_document) return 0;
    xml::NodeList mibs;
    if (!m_document->Root().SelectNodes("MIB", mibs) || mibs.Length() == 0) return 0;
    for (const xml::Node& mib : mibs) {
        for (xml::Node child = mib.FirstChild(); child; child = child.NextSibling()) {
            if (child.NodeName() == name) {
                m_section = child;
                return 1;
            }
        }
    }
    return 0;
}

int CMibXMLParse::ListEntries() {
    if (!m_section) return 0;
    m_entries = m_section.ChildNodes();
    m_nEntries = m_entries.Length();
    return 1;
}

int CMibXMLParse::AttachDocument(std::unique_ptr<xml::Document> document) {
    if (!document) return 0;
    xml::NodeList mibs;
    if (!document->Root().SelectNodes("MIB", mibs) || mibs.Length() != 1) return 0;
    const xml::Node section = mibs.Item(0).FirstChild();
    if (!section) return 0;
    m_document = std::move(document);
    m_section = section;
    return ListEntries();
}

int CMibXMLParse::AddVariable(CSnmp& request, const std::string& oid, int type, const char* value) {
    if (oid.size() > kMaxOidLength) return 0;
    return request.addValue(oid.c_str(), type, value) == EC_NO_ERROR ? 1 : 0;
}

int CMibXMLParse::BuildGetRequest(CSnmp& request, const char* suffix) {
    if (!m_section) return 0;
    for (const xml::Node& entry : m_entries) {
        std::string oid;
        if (!EntryName(entry, oid)) return 0;
        if (suffix != nullptr) oid += std::string(".") + suffix;
        if (!AddVariable(request, oid, SNMP_TYPE_NULL, nullptr)) return 0;
    }
    return 1;
}

int CMibXMLParse::FindEntry(const std::string& oid, xml::Node& entry) const {
    if (!m_section) return 0;
    for (const xml::Node& candidate : m_entries) {
        std::string name;
        if (!EntryName(candidate, name)) return 0;
        if (name == oid) {
            entry = candidate;
            return 1;
        }
    }
    return 0;
}

int CMibXMLParse::GetProperty(const std::string& oid, const char* element, std::string& text) const {
    xml::Node entry;
    if (!FindEntry(oid, entry)) return 0;
    const xml::Node property = entry.ChildElement(element);
    if (!property) return 0;
    text = property.Text();
    return 1;
}

int CMibXMLParse::GetType(const std::string& oid, std::string& text) const { return GetProperty(oid, "TYPE", text); }
int CMibXMLParse::GetDesc(const std::string& oid, std::string& text) const { return GetProperty(oid, "DESC", text); }
int CMibXMLParse::GetAccess(const std::string& oid, std::string& text) const {
    return GetProperty(oid, "ACCESS", text);
}
int CMibXMLParse::GetRetValue(const std::string& oid, std::string& text) const {
    return GetProperty(oid, "RETVALUE", text);
}

int CMibXMLParse::GetValues(const std::string& oid, std::vector<MibValuePair>& pairs) const {
    xml::Node entry;
    if (!FindEntry(oid, entry)) return 0;
    const xml::Node values = entry.ChildElement("VALUE");
    if (!values) return 0;
    for (xml::Node child = values.FirstChild(); child; child = child.NextSibling()) {
        if (child.IsElement()) pairs.push_back({child.BaseName(), child.Text()});
    }
    return 1;
}

int CMibXMLParse::GetRetValueSuffixes(const std::string& oid, std::vector<MibValuePair>& pairs) const {
    xml::Node entry;
    if (!FindEntry(oid, entry)) return 0;
    const xml::Node retValue = entry.ChildElement("RETVALUE");
    if (!retValue) return 0;
    int found = 0;
    for (xml::Node child = retValue.FirstChild(); child; child = child.NextSibling()) {
        if (!child.IsElement() || child.NodeName() != "SUFFIX") continue;
        const xml::Node name = child.ChildElement("NAME");
        const xml::Node value = child.ChildElement("VALUE");
        if (!name || !value) return 0;
        pairs.push_back({name.Text(), value.Text()});
        ++found;
    }
    return found > 0 ? 1 : 0;
}

xml::Node CMibXMLParse::AppendElement(const std::string& tag, const std::string& text, xml::Node parent) {
    xml::Node element = parent.AppendElement(tag);
    if (element && !text.empty()) element.SetText(text);
    return element;
}

int CMibXMLParse::SetRetValue(const std::string& oid, const std::string& text) {
    xml::Node entry;
    if (!FindEntry(oid, entry)) return 0;
    xml::Node retValue = entry.ChildElement("RETVALUE");
    if (retValue) return retValue.SetText(text) ? 1 : 0;
    return AppendElement("RETVALUE", text, entry) ? 1 : 0;
}

int CMibXMLParse::AddRetValueSuffix(const std::string& oid, const std::string& suffix, const std::string& value) {
    xml::Node entry;
    if (!FindEntry(oid, entry)) return 0;
    xml::Node retValue = entry.ChildElement("RETVALUE");
    if (!retValue) retValue = AppendElement("RETVALUE", "", entry);
    if (!retValue) return 0;
    const xml::Node item = AppendElement("SUFFIX", "", retValue);
    if (!item) return 0;
    return AppendElement("NAME", suffix, item) && AppendElement("VALUE", value, item) ? 1 : 0;
}

int CMibXMLParse::BuildSetRequest(CSnmp& request) {
    if (!m_section) return 0;
    for (const xml::Node& entry : m_entries) {
        std::string oid;
        if (!EntryName(entry, oid)) return 0;
        const xml::Node accessNode = entry.ChildElement("ACCESS");
        if (!accessNode) continue;
        const std::string access = accessNode.Text();
        if (access.find("WRITE") != std::string::npos && access.find("INDEX") != std::string::npos) {
            std::vector<MibValuePair> pairs;
            if (!GetRetValueSuffixes(oid, pairs)) continue;
            for (const MibValuePair& pair : pairs) {
                if (!AddVariable(request, oid + "." + pair.name, SNMP_TYPE_OCTETS, pair.value.c_str())) return 0;
            }
        } else if (access.find("WRITE") != std::string::npos) {
            const xml::Node retValue = entry.ChildElement("RETVALUE");
            if (!retValue) continue;
            // NAME alone: a plain scalar's instance ".0" is not added here.
            if (!AddVariable(request, oid, SNMP_TYPE_OCTETS, retValue.Text().c_str())) return 0;
        }
    }
    return 1;
}

int CMibXMLParse::FirstEntryName(std::string& text) {
    if (!m_section || m_nEntries == 0) return 0;
    const xml::Node first = m_entries.Item(0).FirstChild();
    if (!first) return 0;
    text = first.Text();
    m_nPosition = 0;
    return 1;
}

int CMibXMLParse::NextEntryName(std::string& text) {
    if (!m_section || m_nPosition < 0) return 0;
    if (static_cast<std::size_t>(m_nPosition) >= m_nEntries) return 0;
    ++m_nPosition;
    if (static_cast<std::size_t>(m_nPosition) >= m_nEntries) return 0;
    const xml::Node first = m_entries.Item(static_cast<std::size_t>(m_nPosition)).FirstChild();
    if (!first) return 0;
    text = first.Text();
    return 1;
}
