// The panel description reader: which objects an entry makes and where they go, properties,
// container links (cycles refused), invalid entries skipped, and bounded work.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win/DebugOutput.h"
#include "shell/panel/ParseDevXML.h"

namespace {

// An entry with the required properties and whatever else is given.
std::string Entry(const std::string& tag, const std::string& id, const std::string& more = "",
                  const std::string& attrs = "", int left = 1, int top = 2, int width = 30, int height = 20) {
    return "<" + tag + attrs + "><ID>" + id + "</ID><LEFT>" + std::to_string(left) + "</LEFT><TOP>" +
           std::to_string(top) + "</TOP><WIDTH>" + std::to_string(width) + "</WIDTH><HEIGHT>" + std::to_string(height) +
           "</HEIGHT>" + more + "</" + tag + ">";
}

struct Loaded {
    CDevModule root;
    CModuleList modules;
    BOOL result = FALSE;
};

std::unique_ptr<Loaded> Load(const std::string& xml) {
    auto loaded = std::make_unique<Loaded>();
    CParseDevXML reader;
    loaded->result = reader.LoadDeviceXMLText(xml, &loaded->root, loaded->modules);
    return loaded;
}

std::vector<std::string> ChildIds(const CVirtualDev& element) {
    std::vector<std::string> ids;
    for (int i = 0; i < element.GetChildCount(); ++i)
        ids.push_back(CVirtualDev::GetClassName(element.GetChild(i)) + ":" + element.GetChild(i)->GetID());
    return ids;
}

}  // namespace

TEST(ParseDevXMLTest, BuildsTheTreeFromTheDevicePanel) {
    const std::string longName(100, 'x');
    const std::string xml =
        "<DEVICE><!-- the front -->"
        "<DEVICEPANEL ports='PORTS' parts='PARTS'><ID>SW</ID><NAME>Switch</NAME><LEFT>100</LEFT><TOP>50</TOP>"
        "<WIDTH>400</WIDTH><HEIGHT>90</HEIGHT><BMP>panel.bmp</BMP>"
        "<PORTS>" +
        Entry("PORT", "P1",
              "<STATUS>PORTLINK10</STATUS><BMPLINK100>a.bmp</BMPLINK100><BMPEMPTY>e.bmp</BMPEMPTY><L>" +
                  Entry("LAMP", "L1", "<TYPE>S100M</TYPE><STATUS>LAMP1G</STATUS>") + "</L>",
              " lamps='L'", 10, 20, 18, 14) +
        "<!-- between -->" + Entry("PORT", "P2", "<BMP>" + longName + "</BMP><BMPLINK10>" + longName + "</BMPLINK10>") +
        "</PORTS><PARTS>" + Entry("CONSOLE", "C", "<L>" + Entry("LAMP", "CL") + "</L>", " lamps='L'") +
        Entry("MASTER", "M") + Entry("RPS", "R") + Entry("FAN", "F") +
        Entry("POWER", "PW", "<L>" + Entry("LAMP", "PL") + "</L>", " lamps='L'") + Entry("SLOT", "S") +
        Entry("PANEL", "PA", "<L>" + Entry("LAMP", "AL") + "</L>", " lamps='L'") +
        Entry("LED", "LD", "<BMP2></BMP2><BMP3>three.bmp</BMP3><BMP9>nine.bmp</BMP9>") + Entry("UNKNOWN", "U") +
        "</PARTS></DEVICEPANEL></DEVICE>";
    auto l = Load(xml);
    ASSERT_TRUE(l->result);
    CDevModule& root = l->root;
    EXPECT_EQ(root.GetID(), "SW");
    EXPECT_EQ(root.GetName(), "Switch");
    EXPECT_EQ(root.GetRect(), CRect(100, 50, 500, 140));
    EXPECT_EQ(root.GetBmpName(), "panel.bmp");
    EXPECT_EQ(ChildIds(root), (std::vector<std::string>{"CPort:P1", "CPort:P2", "CCom:C", "CCom:M", "CCom:R", "CCom:F",
                                                        "CPower:PW", "CSlot:S", "CPanel:PA", "CLed:LD"}));

    auto* p1 = static_cast<CPort*>(root.FindChildByClass("CPort", 0));
    auto* p2 = static_cast<CPort*>(root.FindChildByClass("CPort", 1));
    EXPECT_EQ(p1->GetRect(), CRect(10, 20, 28, 34));
    EXPECT_EQ(p1->GetStatus(), PORT_LINK10);
    EXPECT_EQ(p1->GetPortBitmap(0), "a.bmp");
    EXPECT_EQ(p1->GetPortBitmap(1), "");
    EXPECT_EQ(p1->GetPortBitmap(4), "e.bmp");
    EXPECT_EQ(p1->GetPortValue(), 1);
    EXPECT_EQ(p2->GetPortValue(), 2);
    EXPECT_EQ(p2->GetName(), "VirtualDev");
    EXPECT_EQ(p2->GetBmpName(), "");  // 100 characters do not fit
    EXPECT_EQ(p2->GetPortBitmap(1), "");

    // A lamp in a port's or a console's container observes it; elsewhere it observes nothing.
    auto* lamp = static_cast<CLamp*>(p1->GetChild(0));
    EXPECT_EQ(lamp->GetType(), LAMP_S100M);
    EXPECT_EQ(lamp->GetStatus(), LAMP_1G);
    EXPECT_EQ(lamp->GetName(), "Lamp");
    EXPECT_EQ(lamp->GetSubject(), static_cast<CSubject*>(p1));
    EXPECT_EQ(p1->Observers(), std::vector<CObserver*>{lamp});
    auto* console = static_cast<CCom*>(root.FindChildByClass("CCom", 0));
    EXPECT_EQ(static_cast<CLamp*>(console->GetChild(0))->GetSubject(), static_cast<CSubject*>(console));
    for (const char* owner : {"CPower", "CPanel"}) {
        CVirtualDev* holder = root.FindChildByClass(owner, 0);
        auto* unlinked = static_cast<CLamp*>(holder->GetChild(0));
        EXPECT_EQ(unlinked->GetSubject(), nullptr) << owner;
        EXPECT_TRUE(dynamic_cast<CSubject*>(holder)->Observers().empty()) << owner;
    }

    auto* led = static_cast<CLed*>(root.FindChildByClass("CLed", 0));
    EXPECT_EQ(led->GetName(), "Led");
    EXPECT_EQ(led->GetLedBitmap(2), "");
    EXPECT_EQ(led->GetLedBitmap(3), "three.bmp");
    EXPECT_EQ(led->GetLedBitmap(9), "nine.bmp");
    EXPECT_TRUE(l->modules.empty());
}

TEST(ParseDevXMLTest, ModulesGoToTheModuleListWithTheirParts) {
    const std::string xml =
        "<D><DEVICEPANEL a='C'><ID>SW</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>9</WIDTH><HEIGHT>9</HEIGHT><C>" +
        Entry("MODULE", "M1", "<C>" + Entry("PORT", "MP1") + Entry("MODULE", "M2") + "</C>", " p='C'") +
        "</C></DEVICEPANEL>"
        "<DEVICEMODULE c='C'><C>" +
        Entry("PORT", "LOOSE") + Entry("MODULE", "M3", "<C>" + Entry("SLOT", "S3") + "</C>", " p='C'") +
        "</C></DEVICEMODULE></D>";
    auto l = Load(xml);
    EXPECT_TRUE(ChildIds(l->root).empty());
    ASSERT_EQ(l->modules.size(), 3u);
    EXPECT_EQ(l->modules[0]->GetID(), "M1");
    EXPECT_EQ(ChildIds(*l->modules[0]), std::vector<std::string>{"CPort:MP1"});  // M2 went to the list
    EXPECT_EQ(l->modules[1]->GetID(), "M2");
    EXPECT_EQ(l->modules[2]->GetID(), "M3");
    EXPECT_EQ(ChildIds(*l->modules[2]), std::vector<std::string>{"CSlot:S3"});
}

TEST(ParseDevXMLTest, PropertyTextsAndKeywords) {
    struct Case {
        const char* name;
        std::string properties;  // after ID
        CRect rect;
        int status;  // a port is made with status 0
    };
    const std::vector<Case> cases = {
        {"digits then letters",
         "<LEFT>12abc</LEFT><TOP> -7</TOP><WIDTH>+5</WIDTH><HEIGHT>3</HEIGHT>",
         {12, -7, 17, -4},
         0},
        {"letters first",
         "<LEFT>abc</LEFT><TOP></TOP><WIDTH>-</WIDTH><HEIGHT>99999999999</HEIGHT>",
         {0, 0, 0, 2147483647},
         0},
        {"lower-case keyword",
         "<LEFT>1</LEFT><TOP>1</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><STATUS>portempty</STATUS>",
         {1, 1, 2, 2},
         0},
        {"lamp keyword on a port",
         "<LEFT>1</LEFT><TOP>1</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><STATUS>LAMPOFF</STATUS>",
         {1, 1, 2, 2},
         0},
        {"port keyword",
         "<LEFT>1</LEFT><TOP>1</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><STATUS>PORTEMPTY</STATUS>",
         {1, 1, 2, 2},
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto l = Load(
            "<DEVICEPANEL a='C'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C>"
            "<PORT><ID>P</ID>" +
            c.properties + "</PORT></C></DEVICEPANEL>");
        CVirtualDev* port = l->root.GetChild(0);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(port->GetRect(), c.rect);
        EXPECT_EQ(port->GetStatus(), c.status);
    }
    // Lamp types: known keywords set the type, others leave it.
    auto l = Load("<DEVICEPANEL a='C'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C>" +
                  Entry("LAMP", "A", "<TYPE>CONSOLE</TYPE><STATUS>LAMPOFF</STATUS>") +
                  Entry("LAMP", "B", "<TYPE>link</TYPE><STATUS>PORTLINK10</STATUS>") + "</C></DEVICEPANEL>");
    EXPECT_EQ(static_cast<CLamp*>(l->root.GetChild(0))->GetType(), LAMP_CONSOLE);
    EXPECT_EQ(l->root.GetChild(0)->GetStatus(), LAMP_OFF);
    EXPECT_EQ(static_cast<CLamp*>(l->root.GetChild(1))->GetType(), LAMP_LINK);
    EXPECT_EQ(l->root.GetChild(1)->GetStatus(), 0);
}

TEST(ParseDevXMLTest, InvalidEntriesAreSkippedWithEverythingBelowThem) {
    const std::string noWidth = "<PORT c='C'><ID>BAD</ID><LEFT>1</LEFT><TOP>1</TOP><HEIGHT>1</HEIGHT><C>" +
                                Entry("PORT", "UNDER") + Entry("MODULE", "MOD") + "</C></PORT>";  // no WIDTH
    auto l = Load("<DEVICEPANEL a='C'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C>" +
                  Entry("PORT", "A") + noWidth +
                  "<PORT><LEFT>1</LEFT><TOP>1</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT></PORT>" + Entry("PORT", "B") +
                  "</C></DEVICEPANEL>");
    EXPECT_EQ(ChildIds(l->root), (std::vector<std::string>{"CPort:A", "CPort:B"}));
    EXPECT_EQ(static_cast<CPort*>(l->root.GetChild(1))->GetPortValue(), 2);
    EXPECT_TRUE(l->modules.empty());

    // A device panel without HEIGHT keeps what was read before the gap and makes nothing.
    auto gap = Load("<DEVICEPANEL a='C'><ID>R</ID><LEFT>5</LEFT><TOP>5</TOP><WIDTH>9</WIDTH><C>" + Entry("PORT", "A") +
                    "</C></DEVICEPANEL>");
    EXPECT_EQ(gap->root.GetID(), "R");
    EXPECT_EQ(gap->root.GetRect(), CRect(0, 0, 0, 0));
    EXPECT_EQ(gap->root.GetChildCount(), 0);

    // Missing and malformed files make nothing.
    for (const char* text : {"", "<DEVICEPANEL a='C'>", "not xml"}) {
        auto none = Load(text);
        EXPECT_TRUE(none->result);
        EXPECT_EQ(none->root.GetChildCount(), 0);
        EXPECT_EQ(none->root.GetName(), "VirtualDev");
    }
    CDevModule root;
    CModuleList modules;
    EXPECT_TRUE(CParseDevXML().LoadDeviceXML("/nonexistent/panel.xml", &root, modules));
    EXPECT_EQ(root.GetChildCount(), 0);
}

TEST(ParseDevXMLTest, ContainerLinks) {
    const std::string head =
        "<DEVICEPANEL a='C' b='C' "
        "none='NOTHERE'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT>";
    // The same container linked twice makes its entries twice; a link that selects nothing is skipped.
    auto twice = Load(head + "<C>" + Entry("PORT", "A") + "</C></DEVICEPANEL>");
    EXPECT_EQ(ChildIds(twice->root), (std::vector<std::string>{"CPort:A", "CPort:A"}));
    EXPECT_EQ(static_cast<CPort*>(twice->root.GetChild(1))->GetPortValue(), 2);

    // An attribute that is not an XPath expression ends the walk of its list: the entries after
    // it stay unread, the list that holds the list goes on.
    auto broken =
        Load("<DEVICEPANEL a='C' b='D'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C>" +
             Entry("PORT", "A") + Entry("PORT", "B", "", " x='[['") + Entry("PORT", "C") + "</C><D>" +
             Entry("SLOT", "S") + "</D></DEVICEPANEL>");
    EXPECT_EQ(ChildIds(broken->root), (std::vector<std::string>{"CPort:A", "CPort:B", "CSlot:S"}));
}

// Links back to an entry being read or to its ancestors are refused: each entry is made once
// and the reader ends.
TEST(ParseDevXMLTest, RefusesLinksThatLeadBack) {
    for (const char* link : {".", "..", "/", "/*", "/D", "ancestor::*[1]", "../..", "//C", "//DEVICEPANEL/.."}) {
        SCOPED_TRACE(link);
        const std::string xml =
            "<D><DEVICEPANEL a='C'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C>" +
            Entry("PORT", "A", "", std::string(" back='") + link + "'") + Entry("PORT", "B") + "</C></DEVICEPANEL></D>";
        auto l = Load(xml);
        EXPECT_EQ(ChildIds(l->root), (std::vector<std::string>{"CPort:A", "CPort:B"}));
    }
    // A loop through two entries' containers.
    auto loop =
        Load("<D><DEVICEPANEL a='C1'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C1>" +
             Entry("PANEL", "P1", "", " n='//C2'") + "</C1></DEVICEPANEL><X><C2>" +
             Entry("PANEL", "P2", "", " n='//C1'") + "</C2></X></D>");
    ASSERT_TRUE(loop->result);
    ASSERT_EQ(ChildIds(loop->root), std::vector<std::string>{"CPanel:P1"});
    EXPECT_EQ(ChildIds(*loop->root.GetChild(0)), std::vector<std::string>{"CPanel:P2"});
    EXPECT_EQ(loop->root.GetChild(0)->GetChild(0)->GetChildCount(), 0);
}

// A device panel over `levels` nested slots, each linking its container through `links`.
std::string NestedSlots(int levels, const std::string& links) {
    const std::string properties = "<ID>S</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C>";
    std::string open = "<DEVICEPANEL" + links + ">" + properties;
    std::string close = "</C></DEVICEPANEL>";
    for (int i = 0; i < levels; ++i) {
        open += "<SLOT" + links + ">" + properties;
        close = "</C></SLOT>" + close;
    }
    return open + close;
}

TEST(ParseDevXMLTest, WorkIsBounded) {
    // Each level links its one container twice: 2^30 paths without a bound.
    auto l = Load(NestedSlots(30, " a='C' b='C'"));
    int count = 0;
    std::function<void(const CVirtualDev&)> countAll = [&](const CVirtualDev& e) {
        for (int i = 0; i < e.GetChildCount(); ++i) {
            ++count;
            countAll(*e.GetChild(i));
        }
    };
    countAll(l->root);
    EXPECT_GT(count, 0);
    EXPECT_LE(count, CParseDevXML::kMaxEntries);

    // Nesting deeper than the bound stops there.
    auto d = Load(NestedSlots(200, " a='C'"));
    int depth = 0;
    for (const CVirtualDev* e = &d->root; e->GetChildCount() > 0; e = e->GetChild(0)) ++depth;
    EXPECT_EQ(depth + 1, CParseDevXML::kMaxDepth) << "the device panel is the first level";
}

TEST(ParseDevXMLTest, WritesItsDebuggerLines) {
    win::StartDebugCapture();
    Load("<D><DEVICEPANEL a='C'><ID>R</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT><C>" +
         Entry("PORT", "A") + "</C></DEVICEPANEL></D>");
    const auto lines = win::CapturedDebugLines();
    win::StopDebugCapture();
    const std::vector<std::string> expected = {"oooooooooooooooooooooooooooooooo",
                                               " node num = 1",
                                               "ooooooooooooooooooooooooooooooooooo",
                                               "stroooooooooooooooo",
                                               " node num = 1",
                                               "stroooooooooooooooo",  // the device panels
                                               "stroooooooooooooooo",
                                               " node num = 1",
                                               "stroooooooooooooooo",  // its container
                                               "stroooooooooooooooo",
                                               " node num = 0",
                                               "stroooooooooooooooo"};  // the device modules
    EXPECT_EQ(lines, expected);
}
