#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/xml/XmlDocument.h"

namespace {

// Writes `text` to a temporary file for the lifetime of the object.
class XmlFile {
public:
    explicit XmlFile(const std::string& text) {
        char pattern[] = "/tmp/svc-xml-XXXXXX";
        int fd = ::mkstemp(pattern);
        if (fd >= 0) ::close(fd);
        m_path = pattern;
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~XmlFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

std::vector<std::string> Names(const xml::NodeList& list) {
    std::vector<std::string> names;
    for (const xml::Node& n : list) names.push_back(n.NodeName());
    return names;
}

// A panel description in the form the panel reader walks: attributes name containers.
const char* const kPanel = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- front panel -->
<ROOT>
  <DEVICEPANEL ports="PORTS" lamps="PORTS/LAMPS" none="NOWHERE">
    <ID>dev</ID>
    <LEFT>  12px </LEFT>
    <NAME>Front <B>panel</B> <![CDATA[<one>]]>
    </NAME>
    <PORTS>
      <PORT><ID>1</ID></PORT>
      <!-- a comment between entries -->
      <PORT><ID>2</ID><LAMPS><LAMP><ID>L1</ID></LAMP></LAMPS></PORT>
      <?pi data?>
    </PORTS>
  </DEVICEPANEL>
  <DEVICEMODULE><PORT><ID>3</ID></PORT></DEVICEMODULE>
</ROOT>
)";

}  // namespace

TEST(XmlDocument, PanelReaderOperations) {
    XmlFile file(kPanel);
    xml::Document doc;
    ASSERT_TRUE(doc.Load(file.Path()));
    EXPECT_EQ(doc.DocumentElement().NodeName(), "ROOT");

    // Elements by tag name: all of them, at any depth, in document order.
    xml::NodeList ports = doc.GetElementsByTagName("PORT");
    ASSERT_EQ(ports.Length(), 3u);
    std::vector<std::string> ids;
    for (const xml::Node& p : ports) ids.push_back(p.ChildElement("ID").Text());
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(ports.Item(3).IsNull());
    EXPECT_EQ(doc.GetElementsByTagName("port").Length(), 0u) << "tag names are compared exactly";
    EXPECT_EQ(doc.GetElementsByTagName("*").Length(), 17u);

    // Attributes in order; each value an XPath relative to its element.
    xml::Node panel = doc.GetElementsByTagName("DEVICEPANEL").Item(0);
    xml::NodeList attributes = panel.Attributes();
    EXPECT_EQ(Names(attributes), (std::vector<std::string>{"ports", "lamps", "none"}));
    EXPECT_EQ(attributes.Item(1).NodeValue(), "PORTS/LAMPS");
    EXPECT_EQ(attributes.Item(1).Type(), xml::NodeType::Attribute);
    std::string value;
    EXPECT_TRUE(panel.GetAttribute("ports", value));
    EXPECT_EQ(value, "PORTS");
    EXPECT_FALSE(panel.GetAttribute("PORTS", value));

    xml::Node container;
    ASSERT_TRUE(panel.SelectSingleNode(attributes.Item(0).NodeValue(), container));
    // Child nodes: white space between elements is gone; comments and instructions stay.
    xml::NodeList children = container.ChildNodes();
    EXPECT_EQ(Names(children), (std::vector<std::string>{"PORT", "#comment", "PORT", "pi"}));
    EXPECT_TRUE(children.Item(0).IsElement());
    EXPECT_EQ(children.Item(1).Type(), xml::NodeType::Comment);
    EXPECT_EQ(children.Item(3).Type(), xml::NodeType::ProcessingInstruction);
    EXPECT_EQ(container.FirstChild(), children.Item(0));
    EXPECT_EQ(container.FirstChild().NextSibling(), children.Item(1));

    ASSERT_TRUE(panel.SelectSingleNode("NOWHERE", container));  // no match is no error
    EXPECT_TRUE(container.IsNull());

    // Text: descendants' text and CDATA joined, white space cut at both ends; the blank
    // between </B> and the CDATA section was a white-space-only node and is gone.
    EXPECT_EQ(panel.ChildElement("LEFT").Text(), "12px");
    EXPECT_EQ(panel.ChildElement("NAME").Text(), "Front panel<one>");
    EXPECT_EQ(panel.ChildElement("MISSING").Text(), "");
    EXPECT_TRUE(panel.ChildElement("MISSING").IsNull());
}

TEST(XmlDocument, MalformedOrMissingFilesLeaveTheDocumentEmpty) {
    const char* const cases[] = {
        "",                                           // empty file
        "   \n",                                      // white space only
        "<A><B></A>",                                 // mismatched tags
        "<A>text",                                    // not closed
        "<A/><B/>",                                   // two document elements
        "<A/>trailing",                               // text after the document element
        "leading<A/>",                                // text before it
        "<A x='1' x='2'/>",                           // attribute twice
        "<A><DEVICEPANEL><ID>1</ID></DEVICEPANEL><",  // cut short after a complete part
    };
    for (const char* text : cases) {
        XmlFile file(text);
        xml::Document doc;
        ASSERT_TRUE(doc.LoadXml("<OLD><DEVICEPANEL/></OLD>"));
        EXPECT_FALSE(doc.Load(file.Path())) << text;
        EXPECT_TRUE(doc.DocumentElement().IsNull()) << text;
        EXPECT_EQ(doc.GetElementsByTagName("*").Length(), 0u) << text;
        EXPECT_EQ(doc.GetElementsByTagName("DEVICEPANEL").Length(), 0u) << text;
    }
    xml::Document doc;
    EXPECT_FALSE(doc.Load("/nonexistent/panel.xml"));
    EXPECT_TRUE(doc.DocumentElement().IsNull());
}

const char* const kMib = R"(<MIB>
  <DEVINFO><E><NAME>1.3.6.1.2.1.1.1</NAME><DESC>System</DESC></E></DEVINFO>
  <DEVCFG>
    <E1 id="a">
      <NAME> 1.3.6.1.4.1.32473.1 </NAME>
      <VALUE><Enabled>1</Enabled><x:Disabled xmlns:x="urn:x">2</x:Disabled></VALUE>
      <RETVALUE><SUFFIX><NAME>1</NAME><VALUE>2</VALUE></SUFFIX></RETVALUE>
    </E1>
    <!-- an entry without NAME -->
  </DEVCFG>
  <DEVCFG><E><NAME>second</NAME></E></DEVCFG>
</MIB>)";

TEST(XmlDocument, MibReaderOperations) {
    xml::Document doc;
    ASSERT_TRUE(doc.LoadXml(kMib));

    xml::NodeList mib;
    ASSERT_TRUE(doc.Root().SelectNodes("MIB", mib));
    ASSERT_EQ(mib.Length(), 1u);
    ASSERT_TRUE(doc.Root().SelectNodes("NOPE", mib));
    EXPECT_EQ(mib.Length(), 0u);

    xml::Node section;
    ASSERT_TRUE(doc.DocumentElement().SelectSingleNode("DEVCFG", section));
    xml::NodeList entries = section.ChildNodes();
    ASSERT_EQ(entries.Length(), 2u);
    EXPECT_EQ(entries.Item(1).Type(), xml::NodeType::Comment);
    xml::Node entry = entries.Item(0);
    EXPECT_EQ(entry.FirstChild().Text(), "1.3.6.1.4.1.32473.1");

    // Value names by their local name, prefixes dropped.
    std::vector<std::pair<std::string, std::string>> values;
    for (const xml::Node& v : entry.ChildElement("VALUE").ChildNodes()) values.emplace_back(v.BaseName(), v.Text());
    EXPECT_EQ(values, (std::vector<std::pair<std::string, std::string>>{{"Enabled", "1"}, {"Disabled", "2"}}));
    EXPECT_EQ(entry.ChildElement("VALUE").ChildNodes().Item(1).NodeName(), "x:Disabled");

    // Node-list selection: every match, in document order.
    xml::NodeList suffixes;
    ASSERT_TRUE(entry.SelectNodes("RETVALUE/SUFFIX/*", suffixes));
    EXPECT_EQ(Names(suffixes), (std::vector<std::string>{"NAME", "VALUE"}));
    xml::Node first;
    ASSERT_TRUE(doc.DocumentElement().SelectSingleNode("//NAME", first));
    EXPECT_EQ(first.Text(), "1.3.6.1.2.1.1.1");
    ASSERT_TRUE(entry.SelectSingleNode("../../DEVINFO/E/DESC/text()", first));
    EXPECT_EQ(first.NodeName(), "#text");
    ASSERT_TRUE(doc.DocumentElement().SelectSingleNode("DEVCFG/E1/@id", first));
    EXPECT_EQ(first.Type(), xml::NodeType::Attribute);
    EXPECT_EQ(first.Text(), "a");
    EXPECT_TRUE(first.ChildNodes().Length() == 0 && first.ParentNode().IsNull());

    // Writing: text replaces the SUFFIX elements; new elements go last.
    xml::Node ret = entry.ChildElement("RETVALUE");
    ASSERT_TRUE(ret.SetText("5"));
    EXPECT_EQ(Names(ret.ChildNodes()), (std::vector<std::string>{"#text"}));
    EXPECT_EQ(ret.Text(), "5");
    xml::Node suffix = ret.AppendElement("SUFFIX");
    suffix.AppendElement("NAME").SetText("7");
    EXPECT_EQ(Names(ret.ChildNodes()), (std::vector<std::string>{"#text", "SUFFIX"}));
    EXPECT_EQ(ret.Text(), "57");
    ASSERT_TRUE(ret.SetText(""));
    EXPECT_EQ(ret.ChildNodes().Length(), 0u);
}

TEST(XmlDocument, InvalidXPathIsAnErrorNotAMiss) {
    xml::Document doc;
    ASSERT_TRUE(doc.LoadXml(kMib));
    xml::Node node = doc.DocumentElement();
    xml::NodeList list;
    for (const char* bad : {"", "DEVCFG[", "//", "DEVCFG/@", "1+1", "count(*)", "'text'", "E1]"}) {
        xml::Node out = node;
        EXPECT_FALSE(node.SelectSingleNode(bad, out)) << bad;
        EXPECT_FALSE(node.SelectNodes(bad, list)) << bad;
    }
    xml::Node out;
    EXPECT_FALSE(xml::Node().SelectSingleNode("MIB", out));
}

TEST(XmlDocument, DeclaredEncodingsAreReadAsUtf8) {
    XmlFile latin1(std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><A>caf\xE9</A>"));
    XmlFile utf16(std::string("\xFF\xFE<\0A\0>\0x\0<\0/\0A\0>\0", 18));
    xml::Document doc;
    ASSERT_TRUE(doc.Load(latin1.Path()));
    EXPECT_EQ(doc.DocumentElement().Text(), "caf\xC3\xA9");
    ASSERT_TRUE(doc.Load(utf16.Path()));
    EXPECT_EQ(doc.DocumentElement().Text(), "x");
}
