#pragma once
// CMibXMLParse: reads one section of a MIB description file, an XML file that lists the SNMP
// objects a dialog shows:
//
//   <MIB>
//     <DEVCFG>                                 a section, found by its exact name
//       <ENTRY>                                an entry (its own name is never looked at)
//         <NAME>1.3.6.1.4.1.9.1</NAME>         the OID without instance; the first child
//         <TYPE>INTEGER</TYPE>  <DESC>Jumbo Frame</DESC>  <ACCESS>READ-WRITE</ACCESS>
//         <VALUE><Enabled>1</Enabled><Disabled>2</Disabled></VALUE>   value names
//         <RETVALUE>1</RETVALUE>               or <RETVALUE><SUFFIX><NAME>3</NAME><VALUE>1</VALUE></SUFFIX></RETVALUE>
//       </ENTRY>
//     </DEVCFG>
//   </MIB>
//
// Every operation returns 1 on success and 0 on failure; on failure a text output is left
// untouched, while a request or a pair list keeps what was added before it. A reader with no
// section (never opened, or its Open failed) fails every operation. Changes made through
// SetRetValue and AddRetValueSuffix stay in the loaded document; the file is never written.
#include <memory>
#include <string>
#include <vector>

#include "platform/xml/XmlDocument.h"

class CSnmp;

struct MibValuePair {
    std::string name;
    std::string value;
};

class CMibXMLParse {
public:
    CMibXMLParse() = default;
    CMibXMLParse(const CMibXMLParse&) = delete;
    CMibXMLParse& operator=(const CMibXMLParse&) = delete;
    virtual ~CMibXMLParse() = default;

    // Load, SelectSection and ListEntries.
    int Open(const std::string& path, const std::string& section);
    // The file at path as given (a bare name from the current directory); no document is
    // kept when it is missing or not well-formed.
    int Load(const std::string& path);
    // The first child of the document element MIB named exactly `name`.
    int SelectSection(const std::string& name);
    int ListEntries();
    // An already loaded document in place of Load (taken over): the first child of its single
    // MIB element, whatever its name, becomes the section.
    int AttachDocument(std::unique_ptr<xml::Document> document);

    // One variable without value per entry, in order: NAME, or NAME "." suffix when a
    // suffix is given (nullptr for none). Fails at an entry without NAME.
    int BuildGetRequest(CSnmp& request, const char* suffix);
    // The first entry whose NAME is exactly oid; fails at an entry without NAME met first.
    int FindEntry(const std::string& oid, xml::Node& entry) const;

    int GetType(const std::string& oid, std::string& text) const;
    int GetDesc(const std::string& oid, std::string& text) const;
    int GetAccess(const std::string& oid, std::string& text) const;
    int GetRetValue(const std::string& oid, std::string& text) const;
    // One pair per child element of VALUE: its local name and its text. Succeeds whenever
    // VALUE exists, also when it is empty.
    int GetValues(const std::string& oid, std::vector<MibValuePair>& pairs) const;
    // One pair per SUFFIX of RETVALUE: its NAME and VALUE texts.
    int GetRetValueSuffixes(const std::string& oid, std::vector<MibValuePair>& pairs) const;

    int SetRetValue(const std::string& oid, const std::string& text);
    int AddRetValueSuffix(const std::string& oid, const std::string& suffix, const std::string& value);
    // The writable entries' values, as text, in entry order. An object written per instance
    // (ACCESS with WRITE and INDEX) gets NAME "." suffix per SUFFIX; any other writable one
    // gets NAME alone, without the ".0" a plain scalar needs, so nothing may build the write
    // of a plain scalar with it.
    int BuildSetRequest(CSnmp& request);

    // The text of each entry's first child, in document order.
    int FirstEntryName(std::string& text);
    int NextEntryName(std::string& text);

    static constexpr std::size_t kMaxOidLength = 254;

private:
    int GetProperty(const std::string& oid, const char* element, std::string& text) const;
    xml::Node AppendElement(const std::string& tag, const std::string& text, xml::Node parent);
    int AddVariable(CSnmp& request, const std::string& oid, int type, const char* value);

    std::unique_ptr<xml::Document> m_document;
    xml::Node m_section;
    xml::NodeList m_entries;
    std::size_t m_nEntries = 0;
    int m_nPosition = -1;
};
