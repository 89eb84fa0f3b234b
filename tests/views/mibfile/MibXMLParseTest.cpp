// The MIB description file reader over small fixture files: sections and their failures,
// the variables a request holds after BuildGetRequest and BuildSetRequest, the entry lookup
// and getters, the entry iteration, the document changes; and the shipped file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/snmp/Snmp.h"
#include "platform/snmp/SnmpDetail.h"
#include "views/mibfile/MibXMLParse.h"

namespace {

const char* const kFile = R"(<?xml version="1.0"?>
<MIB xmlns:v="urn:values">
  <DEVINFO>
    <ENTRY>
      <NAME> 1.3.6.1.2.1.1.1 </NAME>
      <TYPE>OCTET STRING</TYPE>
      <DESC>System Description</DESC>
    </ENTRY>
    <ENTRY><NAME>1.3.6.1.2.1.1.3</NAME><DESC>Up <b>Time</b></DESC></ENTRY>
  </DEVINFO>
  <DEVCFG>
    <ITEM>
      <NAME>1.3.6.1.4.1.9.1</NAME>
      <ACCESS>READ-WRITE</ACCESS>
      <VALUE><v:Enabled>1</v:Enabled><Disabled> 2 </Disabled></VALUE>
      <RETVALUE>1</RETVALUE>
    </ITEM>
    <ITEM>
      <DESC>Ports</DESC>
      <NAME>1.3.6.1.4.1.9.2</NAME>
      <ACCESS>READ-WRITE INDEX</ACCESS>
      <VALUE></VALUE>
      <RETVALUE><SUFFIX><NAME>3</NAME><VALUE>7</VALUE></SUFFIX></RETVALUE>
    </ITEM>
    <ITEM><NAME>1.3.6.1.4.1.9.3</NAME><ACCESS>READ-ONLY</ACCESS><RETVALUE>5</RETVALUE></ITEM>
  </DEVCFG>
  <DEVCFG><ITEM><NAME>9.9</NAME></ITEM></DEVCFG>
  <EMPTY></EMPTY>
  <COMMENTED>
    <ITEM><NAME>1.1</NAME></ITEM>
    <!-- a comment is an entry without NAME -->
    <ITEM><NAME>1.2</NAME></ITEM>
  </COMMENTED>
</MIB>
)";

class MibXMLParseTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const auto path = std::filesystem::path(::testing::TempDir()) / name;
        std::ofstream(path) << text;
        return path.string();
    }
    std::string FixturePath() { return Write("fixture.xml", kFile); }

    // The OIDs (and value texts) a prepared request holds.
    static std::vector<std::string> Variables(CSnmp& request) {
        std::vector<std::string> out;
        for (const auto& v : snmpdetail::Access::State(request)->vars) {
            const std::string oid = snmpdetail::OidToText(v.name);
            out.push_back(v.type == SNMP_TYPE_NULL ? oid : oid + " = " + v.bytes);
        }
        return out;
    }
    static std::vector<std::string> Names(CMibXMLParse& reader) {
        std::vector<std::string> names;
        std::string name;
        for (int ok = reader.FirstEntryName(name); ok; ok = reader.NextEntryName(name)) names.push_back(name);
        return names;
    }
};

TEST_F(MibXMLParseTest, OpenFindsTheFirstSectionOfItsName) {
    struct Case {
        std::string file;  // "" the fixture; "missing" no file
        std::string section;
        int opened;
    };
    const Case cases[] = {
        {"", "DEVINFO", 1},
        {"", "DEVCFG", 1},
        {"", "devcfg", 0},
        {"", "NONE", 0},
        {"", "EMPTY", 1},
        {"missing", "DEVCFG", 0},
        {"<ROOT><DEVCFG/></ROOT>", "DEVCFG", 0},
        {"<MIB><DEVCFG>", "DEVCFG", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + c.section);
        const std::string path = c.file.empty() ? FixturePath()
                                 : c.file == "missing"
                                     ? (std::filesystem::path(::testing::TempDir()) / "no.xml").string()
                                     : Write("case.xml", c.file);
        CMibXMLParse reader;
        EXPECT_EQ(reader.Open(path, c.section), c.opened);
    }
    CMibXMLParse reader;
    ASSERT_EQ(reader.Open(FixturePath(), "DEVCFG"), 1);
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"1.3.6.1.4.1.9.1", "Ports", "1.3.6.1.4.1.9.3"}))
        << "the first DEVCFG; an entry's first child gives its name";
}

TEST_F(MibXMLParseTest, AReaderWithoutASectionFailsEverything) {
    CMibXMLParse reader;
    ASSERT_EQ(reader.Open("no-such-file.xml", "DEVCFG"), 0);
    CSnmpV1 request(0);
    std::string text = "kept";
    std::vector<MibValuePair> pairs;
    xml::Node entry;
    EXPECT_EQ(reader.BuildGetRequest(request, "0"), 0);
    EXPECT_EQ(reader.BuildSetRequest(request), 0);
    EXPECT_EQ(reader.FindEntry("1.3.6.1.4.1.9.1", entry), 0);
    EXPECT_EQ(reader.GetDesc("1.3.6.1.4.1.9.1", text), 0);
    EXPECT_EQ(reader.GetValues("1.3.6.1.4.1.9.1", pairs), 0);
    EXPECT_EQ(reader.FirstEntryName(text), 0);
    EXPECT_EQ(reader.NextEntryName(text), 0);
    EXPECT_EQ(reader.SetRetValue("1.3.6.1.4.1.9.1", "1"), 0);
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(request.getVarBindCount(), 0);
}

TEST_F(MibXMLParseTest, BuildGetRequestAddsOneVariablePerEntry) {
    struct Case {
        std::string section;
        const char* suffix;
        int result;
        std::vector<std::string> variables;
    };
    const Case cases[] = {
        {"DEVINFO", "0", 1, {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.3.0"}},
        {"DEVINFO", nullptr, 1, {"1.3.6.1.2.1.1.1", "1.3.6.1.2.1.1.3"}},
        {"EMPTY", "0", 1, {}},
        {"COMMENTED", "0", 0, {"1.1.0"}},  // stops at the comment, keeping what came before
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section + (c.suffix ? " with suffix" : ""));
        CMibXMLParse reader;
        ASSERT_EQ(reader.Open(FixturePath(), c.section), 1);
        CSnmpV1 request(0);
        EXPECT_EQ(reader.BuildGetRequest(request, c.suffix), c.result);
        EXPECT_EQ(Variables(request), c.variables);
    }
}

TEST_F(MibXMLParseTest, EntriesAreFoundByTheirWholeName) {
    CMibXMLParse reader;
    ASSERT_EQ(reader.Open(FixturePath(), "DEVCFG"), 1);
    struct Case {
        std::string oid;
        int found;
    };
    const Case cases[] = {{"1.3.6.1.4.1.9.1", 1},
                          {"1.3.6.1.4.1.9.2", 1},
                          {"1.3.6.1.4.1.9.1.0", 0},
                          {"1.3.6.1.4.1.9", 0},
                          {"9.9", 0},
                          {"", 0}};
    for (const Case& c : cases) {
        xml::Node entry;
        EXPECT_EQ(reader.FindEntry(c.oid, entry), c.found) << c.oid;
    }
    CMibXMLParse info;
    ASSERT_EQ(info.Open(FixturePath(), "DEVINFO"), 1);
    std::string desc;
    EXPECT_EQ(info.GetDesc("1.3.6.1.2.1.1.1", desc), 1) << "NAME's white space is stripped";
    EXPECT_EQ(desc, "System Description");
    EXPECT_EQ(info.GetDesc("1.3.6.1.2.1.1.3", desc), 1);
    EXPECT_EQ(desc, "Up Time") << "the text of the element and its descendants";
    CMibXMLParse commented;
    ASSERT_EQ(commented.Open(FixturePath(), "COMMENTED"), 1);
    xml::Node entry;
    EXPECT_EQ(commented.FindEntry("1.1", entry), 1);
    EXPECT_EQ(commented.FindEntry("1.2", entry), 0) << "the comment before it ends the search";
}

TEST_F(MibXMLParseTest, TheGettersReadOneProperty) {
    CMibXMLParse reader;
    ASSERT_EQ(reader.Open(FixturePath(), "DEVCFG"), 1);
    std::string text = "kept";
    EXPECT_EQ(reader.GetType("1.3.6.1.4.1.9.1", text), 0);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(reader.GetAccess("1.3.6.1.4.1.9.2", text), 1);
    EXPECT_EQ(text, "READ-WRITE INDEX");
    EXPECT_EQ(reader.GetRetValue("1.3.6.1.4.1.9.1", text), 1);
    EXPECT_EQ(text, "1");
    EXPECT_EQ(reader.GetDesc("1.3.6.1.4.1.9.2", text), 1);
    EXPECT_EQ(text, "Ports");

    std::vector<MibValuePair> pairs;
    EXPECT_EQ(reader.GetValues("1.3.6.1.4.1.9.1", pairs), 1);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].name, "Enabled") << "the local name";
    EXPECT_EQ(pairs[0].value, "1");
    EXPECT_EQ(pairs[1].name, "Disabled");
    EXPECT_EQ(pairs[1].value, "2");
    pairs.clear();
    EXPECT_EQ(reader.GetValues("1.3.6.1.4.1.9.2", pairs), 1) << "an empty VALUE";
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(reader.GetValues("1.3.6.1.4.1.9.3", pairs), 0);
    EXPECT_EQ(reader.GetRetValueSuffixes("1.3.6.1.4.1.9.1", pairs), 0) << "no SUFFIX";
    EXPECT_EQ(reader.GetRetValueSuffixes("1.3.6.1.4.1.9.2", pairs), 1);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].name, "3");
    EXPECT_EQ(pairs[0].value, "7");
}

TEST_F(MibXMLParseTest, TheIterationEndsAndStartsAgain) {
    CMibXMLParse reader;
    ASSERT_EQ(reader.Open(FixturePath(), "DEVINFO"), 1);
    std::string name = "kept";
    EXPECT_EQ(reader.NextEntryName(name), 0) << "before FirstEntryName";
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"1.3.6.1.2.1.1.1", "1.3.6.1.2.1.1.3"}));
    EXPECT_EQ(reader.NextEntryName(name), 0);
    EXPECT_EQ(reader.NextEntryName(name), 0) << "it keeps failing";
    EXPECT_EQ(Names(reader).size(), 2u) << "FirstEntryName starts again";
    CMibXMLParse empty;
    ASSERT_EQ(empty.Open(FixturePath(), "EMPTY"), 1);
    EXPECT_EQ(empty.FirstEntryName(name), 0);
}

TEST_F(MibXMLParseTest, WrittenValuesBecomeASetRequest) {
    CMibXMLParse reader;
    ASSERT_EQ(reader.Open(FixturePath(), "DEVCFG"), 1);
    {
        CSnmpV1 request(3);
        EXPECT_EQ(reader.BuildSetRequest(request), 1);
        EXPECT_EQ(Variables(request), (std::vector<std::string>{"1.3.6.1.4.1.9.1 = 1", "1.3.6.1.4.1.9.2.3 = 7"}))
            << "a read-only entry adds nothing";
    }
    EXPECT_EQ(reader.SetRetValue("1.3.6.1.4.1.9.2", "4"), 1);  // the SUFFIX elements go
    std::vector<MibValuePair> pairs;
    EXPECT_EQ(reader.GetRetValueSuffixes("1.3.6.1.4.1.9.2", pairs), 0);
    EXPECT_EQ(reader.AddRetValueSuffix("1.3.6.1.4.1.9.2", "5", "9"), 1);
    EXPECT_EQ(reader.AddRetValueSuffix("1.3.6.1.4.1.9.2", "5", "9"), 1);
    EXPECT_EQ(reader.SetRetValue("1.3.6.1.4.1.9.1", "2"), 1);
    EXPECT_EQ(reader.SetRetValue("1.3.6.1.4.1.9.3", "6"), 1);
    EXPECT_EQ(reader.SetRetValue("1.3.6.1.4.1.9.9", "6"), 0) << "no such entry";
    std::string text;
    EXPECT_EQ(reader.GetRetValue("1.3.6.1.4.1.9.1", text), 1);
    EXPECT_EQ(text, "2");
    CSnmpV1 request(3);
    EXPECT_EQ(reader.BuildSetRequest(request), 1);
    EXPECT_EQ(Variables(request),
              (std::vector<std::string>{"1.3.6.1.4.1.9.1 = 2", "1.3.6.1.4.1.9.2.5 = 9", "1.3.6.1.4.1.9.2.5 = 9"}));

    // A RETVALUE made by the reader itself.
    CMibXMLParse info;
    ASSERT_EQ(info.Open(FixturePath(), "DEVINFO"), 1);
    EXPECT_EQ(info.AddRetValueSuffix("1.3.6.1.2.1.1.3", "1", "x"), 1);
    pairs.clear();
    EXPECT_EQ(info.GetRetValueSuffixes("1.3.6.1.2.1.1.3", pairs), 1);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].name, "1");
    EXPECT_EQ(info.SetRetValue("1.3.6.1.2.1.1.1", "v"), 1);
    EXPECT_EQ(info.GetRetValue("1.3.6.1.2.1.1.1", text), 1);
    EXPECT_EQ(text, "v");
}

TEST_F(MibXMLParseTest, AttachDocumentTakesTheFirstChildOfTheOneMib) {
    auto document = std::make_unique<xml::Document>();
    ASSERT_TRUE(document->LoadXml("<MIB><ANY><E><NAME>1.5</NAME></E></ANY><DEVCFG/></MIB>"));
    CMibXMLParse reader;
    EXPECT_EQ(reader.AttachDocument(std::move(document)), 1);
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"1.5"}));
    auto other = std::make_unique<xml::Document>();
    ASSERT_TRUE(other->LoadXml("<MIB/>"));
    EXPECT_EQ(CMibXMLParse().AttachDocument(std::move(other)), 0);
    EXPECT_EQ(CMibXMLParse().AttachDocument(nullptr), 0);
}

TEST_F(MibXMLParseTest, TheShippedFile) {
    CMibXMLParse info;
    CMibXMLParse config;
    ASSERT_EQ(info.Open(SHIPPED_MIB_FILE, "DEVINFO"), 1);
    ASSERT_EQ(config.Open(SHIPPED_MIB_FILE, "DEVCFG"), 1);
    CSnmpV1 infoRequest(0);
    CSnmpV1 configRequest(0);
    EXPECT_EQ(info.BuildGetRequest(infoRequest, "0"), 1);
    EXPECT_EQ(config.BuildGetRequest(configRequest, "0"), 1);
    EXPECT_EQ(Variables(infoRequest),
              (std::vector<std::string>{"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.3.0", "1.3.6.1.2.1.1.5.0"}));
    EXPECT_EQ(Variables(configRequest),
              (std::vector<std::string>{"1.3.6.1.4.1.32473.10.76.21.1.1.12.0", "1.3.6.1.4.1.32473.10.76.21.1.24.1.0"}));
    std::string desc;
    EXPECT_EQ(info.GetDesc("1.3.6.1.2.1.1.3", desc), 1);
    EXPECT_NE(desc.find("Time"), std::string::npos);
    for (const std::string& oid : Names(config)) {
        std::vector<MibValuePair> pairs;
        EXPECT_EQ(config.GetValues(oid, pairs), 1) << oid;
        EXPECT_EQ(pairs.size(), 2u) << oid;
        for (const auto& pair : pairs) EXPECT_EQ(pair.name.find(' '), std::string::npos);
    }
}

}  // namespace
