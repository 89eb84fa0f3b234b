#include "shell/panel/ParseDevXML.h"

#include <climits>
#include <cstdio>

#include "platform/win/DebugOutput.h"

namespace {

// Leading white space, an optional sign, then decimal digits up to the first other
// character; no digits gives 0. Values beyond an int stop at its limits.
int ReadInt(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t\r\n\v\f");
    if (i == std::string::npos) return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

// Index of text in the keywords, or -1.
template <std::size_t N>
int Keyword(const std::string& text, const char* const (&keywords)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (text == keywords[i]) return static_cast<int>(i);
    return -1;
}

constexpr const char* kPortStates[] = {"PORTLINK100", "PORTLINK10", "PORTDISABLED", "PORTENABLE", "PORTEMPTY"};
constexpr const char* kLampStates[] = {"LAMPON", "LAMP1G", "LAMPOFF"};
constexpr const char* kLampTypes[] = {"LINK", "S100M", "POWER", "CONSOLE"};
constexpr const char* kPortBitmaps[] = {"BMPLINK100", "BMPLINK10", "BMPDISABLE", "BMPENABLE", "BMPEMPTY"};
constexpr const char* kLedBitmaps[] = {"BMP0", "BMP1", "BMP2", "BMP3", "BMP4", "BMP5", "BMP6", "BMP7", "BMP8", "BMP9"};

void DebugCount(const char* fence, std::size_t count, const char* closing) {
    char line[64];
    std::snprintf(line, sizeof line, " node num = %d", static_cast<int>(count));
    OutputDebugStringA(fence);
    OutputDebugStringA(line);
    OutputDebugStringA(closing);
}

// True when `node` is `entry` or one of its ancestors.
bool IsAncestorOrSelf(const xml::Node& node, xml::Node entry) {
    for (; !entry.IsNull(); entry = entry.ParentNode())
        if (entry == node) return true;
    return false;
}

}  // namespace

BOOL CParseDevXML::LoadDeviceXML(const std::string& path, CDevModule* root, CModuleList& modules) {
    xml::Document doc;
    doc.Load(path);  // a missing or malformed file leaves the document empty: nothing is made
    return ReadDocument(doc, root, modules);
}

BOOL CParseDevXML::LoadDeviceXMLText(const std::string& text, CDevModule* root, CModuleList& modules) {
    xml::Document doc;
    doc.LoadXml(text);
    return ReadDocument(doc, root, modules);
}

BOOL CParseDevXML::ReadDocument(const xml::Document& doc, CDevModule* root, CModuleList& modules) {
    m_reading.clear();
    m_nEntries = 0;
    const xml::NodeList panels = doc.GetElementsByTagName("DEVICEPANEL");
    DebugCount("oooooooooooooooooooooooooooooooo", panels.Length(), "ooooooooooooooooooooooooooooooooooo");
    ParseNodes(static_cast<int>(panels.Length()), panels, root, modules);
    const xml::NodeList deviceModules = doc.GetElementsByTagName("DEVICEMODULE");
    ParseNodes(static_cast<int>(deviceModules.Length()), deviceModules, root, modules);
    return TRUE;
}

BOOL CParseDevXML::ParseNodes(int count, const xml::NodeList& nodes, CVirtualDev* parent, CModuleList& modules) {
    DebugCount("stroooooooooooooooo", static_cast<std::size_t>(count), "stroooooooooooooooo");
    if (static_cast<int>(m_reading.size()) >= kMaxDepth) return FALSE;
    for (int i = 0; i < count; ++i) {
        const xml::Node node = nodes.Item(static_cast<std::size_t>(i));
        if (!node.IsElement()) continue;
        if (++m_nEntries > kMaxEntries) return FALSE;
        CVirtualDev* object = CreateDevice(node, parent, modules);
        if (m_bInvalidEntry) continue;  // nothing below an entry that could not be read

        m_reading.push_back(node);
        BOOL ok = TRUE;
        for (const xml::Node& attribute : node.Attributes()) {
            xml::Node container;
            if (!node.SelectSingleNode(attribute.NodeValue(), container)) {
                ok = FALSE;
                break;
            }
            if (container.IsNull() || LeadsBack(container)) continue;
            const xml::NodeList children = container.ChildNodes();
            ParseNodes(static_cast<int>(children.Length()), children, object, modules);
        }
        m_reading.pop_back();
        if (!ok) return FALSE;
    }
    return TRUE;
}

bool CParseDevXML::LeadsBack(const xml::Node& container) const {
    for (const xml::Node& entry : m_reading)
        if (IsAncestorOrSelf(container, entry)) return true;
    return false;
}

CVirtualDev* CParseDevXML::CreateDevice(const xml::Node& node, CVirtualDev* parent, CModuleList& modules) {
    m_bInvalidEntry = false;
    const std::string tag = node.NodeName();

    if (tag == "DEVICEPANEL") {
        if (parent == nullptr) return nullptr;
        if (ReadProperties(parent, node, tag) == nullptr) {
            m_bInvalidEntry = true;
            return nullptr;
        }
        return parent;
    }
    if (tag == "MODULE") {
        auto module = std::make_unique<CModule>();
        if (ReadProperties(module.get(), node, tag) == nullptr) {
            m_bInvalidEntry = true;
            return nullptr;
        }
        module->Refresh();
        modules.push_back(std::move(module));
        return modules.back().get();
    }

    std::unique_ptr<CVirtualDev> object;
    if (tag == "PANEL") object = std::make_unique<CPanel>();
    else if (tag == "PORT") object = std::make_unique<CPort>();
    else if (tag == "LAMP") object = std::make_unique<CLamp>();
    else if (tag == "SLOT") object = std::make_unique<CSlot>();
    else if (tag == "CONSOLE" || tag == "MASTER" || tag == "RPS" || tag == "FAN") object = std::make_unique<CCom>();
    else if (tag == "POWER") object = std::make_unique<CPower>();
    else if (tag == "LED") object = std::make_unique<CLed>();
    if (object == nullptr || parent == nullptr) return nullptr;  // DEVICEMODULE, other tags, no parent

    if (ReadProperties(object.get(), node, tag) == nullptr) {
        m_bInvalidEntry = true;
        return nullptr;
    }
    if (tag == "PANEL") object->Refresh();
    CVirtualDev* made = object.release();
    parent->AddChild(made);
    if (tag != "PANEL") made->Refresh();

    const std::string parentClass = CVirtualDev::GetClassName(parent);
    if (tag == "PORT") {
        // The port's number is its place among the ports of its parent, as the polling counts.
        int number = 0;
        for (int i = 0; i < parent->GetChildCount(); ++i)
            if (CVirtualDev::GetClassName(parent->GetChild(i)) == "CPort") ++number;
        static_cast<CPort*>(made)->SetPortValue(number);
    } else if (tag == "LAMP" && (parentClass == "CPort" || parentClass == "CCom")) {
        auto* lamp = static_cast<CLamp*>(made);
        auto* subject = dynamic_cast<CSubject*>(parent);
        lamp->SetSubject(subject);
        subject->Attach(lamp);
    }
    return made;
}

CVirtualDev* CParseDevXML::ReadProperties(CVirtualDev* object, const xml::Node& node, const std::string& tag) {
    const auto required = [&](const char* name, std::string& text) {
        const xml::Node property = node.ChildElement(name);
        if (property.IsNull()) return false;
        text = property.Text();
        return true;
    };
    std::string id, left, top, width, height;
    if (!required("ID", id)) return nullptr;
    object->SetID(id);
    if (!required("LEFT", left) || !required("TOP", top) || !required("WIDTH", width) || !required("HEIGHT", height))
        return nullptr;
    object->Init(ReadInt(left), ReadInt(top), ReadInt(width), ReadInt(height));

    if (const xml::Node bmp = node.ChildElement("BMP"); !bmp.IsNull()) object->SetBmpName(bmp.Text());
    if (const xml::Node status = node.ChildElement("STATUS"); !status.IsNull()) {
        int value = -1;
        if (tag == "LAMP") value = Keyword(status.Text(), kLampStates);
        if (tag == "PORT") value = Keyword(status.Text(), kPortStates);
        if (value >= 0) object->SetStatus(value);
    }
    if (const xml::Node type = node.ChildElement("TYPE"); tag == "LAMP" && !type.IsNull()) {
        if (const int value = Keyword(type.Text(), kLampTypes); value >= 0) object->SetType(value);
    }
    if (const xml::Node name = node.ChildElement("NAME"); !name.IsNull()) object->SetName(name.Text());

    if (auto* port = dynamic_cast<CPort*>(object); port != nullptr && tag == "PORT") {
        for (int i = 0; i < 5; ++i)
            if (std::string text = GetChildText(node, kPortBitmaps[i]); !text.empty()) port->SetPortBitmap(i, text);
    }
    if (auto* led = dynamic_cast<CLed*>(object); led != nullptr && tag == "LED") {
        for (int i = 0; i < 10; ++i)
            if (std::string text = GetChildText(node, kLedBitmaps[i]); !text.empty()) led->SetLedBitmap(i, text);
    }
    return object;
}

std::string CParseDevXML::GetChildText(const xml::Node& node, const char* name) {
    const xml::Node property = node.ChildElement(name);
    return property.IsNull() ? std::string() : property.Text();
}
