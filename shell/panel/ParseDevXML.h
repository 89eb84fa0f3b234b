#pragma once
// The panel description reader: builds the front-panel element tree from the XML file that
// XMLName of User.ini names.
//
// An entry is an element whose tag says what it makes (PORT, LAMP, ...); its properties are
// child elements read by their text; each attribute's value is an XPath expression, relative
// to the entry, that selects a container whose child nodes are entries below this one.
// Links that lead back to an entry being read or to one of its ancestors are refused, so a
// description cannot make the reader recurse without end.
#include <memory>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"
#include "platform/xml/XmlDocument.h"
#include "shell/panel/DevElements.h"

// The main window's module list: the MODULE entries, owned.
using CModuleList = std::vector<std::unique_ptr<CModule>>;

class CParseDevXML {
public:
    // Descriptions never come near these; they bound what a hostile file can make us do.
    static constexpr int kMaxDepth = 64;  // levels of entries, the device panel included
    static constexpr int kMaxEntries = 10000;

    // Reads the file into the root and the module list. FALSE only when the reader could not
    // run; a missing or malformed file simply makes nothing.
    BOOL LoadDeviceXML(const std::string& path, CDevModule* root, CModuleList& modules);
    // The same for a description held in memory.
    BOOL LoadDeviceXMLText(const std::string& text, CDevModule* root, CModuleList& modules);

    // Reads the nodes as entries below parent (none: only MODULE entries make objects).
    // FALSE when an attribute is not a usable XPath expression; the rest of the list is then
    // left unread.
    BOOL ParseNodes(int count, const xml::NodeList& nodes, CVirtualDev* parent, CModuleList& modules);
    // The object made for the node, the parent itself for DEVICEPANEL, or none.
    CVirtualDev* CreateDevice(const xml::Node& node, CVirtualDev* parent, CModuleList& modules);
    // Fills the object from the entry's properties; none when a required one is missing.
    CVirtualDev* ReadProperties(CVirtualDev* object, const xml::Node& node, const std::string& tag);
    // The text of the entry's first child element of that name; empty when there is none.
    std::string GetChildText(const xml::Node& node, const char* name);

private:
    BOOL ReadDocument(const xml::Document& doc, CDevModule* root, CModuleList& modules);
    // True when the container is an entry being read or an ancestor of one.
    bool LeadsBack(const xml::Node& container) const;

    std::vector<xml::Node> m_reading;  // the entries whose containers are being read, outermost first
    bool m_bInvalidEntry = false;      // set by CreateDevice for an entry it refused
    int m_nEntries = 0;
};
