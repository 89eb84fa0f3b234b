// The auto surveillance VLAN OUI table against the simulated switch: the list, the entry
// checks as a table, Add's row creation before its description, and Delete.
#include <chrono>

#include "platform/win/CodePage.h"
#include "resources/templates/GvrpDialogsIds.h"
#include "tests/views/gvrp/GvrpFixture.h"
#include "views/CameraVLANOUISetting.h"

using namespace std::chrono_literals;
using namespace camera_oui_ids;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace gvrptest {
namespace {

const std::string kDefaultRow = "06-3C-91-00-00-00";
const std::string kFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";

std::string Status(const std::string& arcs) { return kOuiTable + "5." + arcs; }

// A row of the table as the switch holds it.
void AddRow(const switchsim::SimulatedSwitch& sim, const std::string& arcs, const std::string& hex,
            const std::string& description) {
    ASSERT_TRUE(sim.SetObject(kOuiTable + "1." + arcs, "x", hex));
    ASSERT_TRUE(sim.SetObject(kOuiTable + "2." + arcs, "s", description));
    ASSERT_TRUE(sim.SetObject(kOuiTable + "3." + arcs, "x", "FF FF FF 00 00 00"));
    ASSERT_TRUE(sim.SetObject(kOuiTable + "4." + arcs, "i", "4"));
    ASSERT_TRUE(sim.SetObject(Status(arcs), "i", "1"));
}

TEST(OuiEntryChecks, FirstRefusalGivesItsMessage) {
    const std::vector<std::string> listed = {kDefaultRow, "06-5A-2E-00-00-00", "AA-BB-CC-00-00-01"};
    const std::vector<std::string> full = {kDefaultRow,         "00-11-22-00-00-00", "00-11-23-00-00-00",
                                           "00-11-24-00-00-00", "00-11-25-00-00-00", "00-11-26-00-00-00"};
    const std::vector<std::string> fourUsers(full.begin(), full.end() - 1);
    std::vector<std::string> overFull = full;
    overFull.push_back("00-11-27-00-00-00");
    struct Case {
        std::string description, oui;
        const std::vector<std::string>& listed;
        std::string message;
    } const cases[] = {
        {"Gate", "06-3C-92-12-34-56", listed, ""},
        {"", "AABBCC000002", listed, ""},
        {"Gate", "06-3C-91-12-34-56", listed, "This OUI is default, please select the default mode!"},
        {"Gate", "06-3c-91-12-34-56", listed, "This OUI is default, please select the default mode!"},
        {"Gate", "01-00-5E-00-00-01", listed, "Multicast MAC  is not allowed."},
        {"Gate", "00-00-00-00-00-00", listed, kFormat},
        {"Gate", "00-11-22", listed, kFormat},
        {"Gate", "GG-11-22-33-44-55", listed, kFormat},
        {"Gate", "00-11-22-33-44-55-66", listed, kFormat},
        {"Gate", "00 11 22 33 44 55", listed, kFormat},
        {"Gate", "", listed, kFormat},
        {"Gate", "aa-bb-cc-00-00-01", listed, "The OUI is already exist!"},
        {"Gate", "AABBCC000001", listed, "The OUI is already exist!"},
        {"Gate.1", "00-11-22-33-44-55", listed, "Invalid Description."},
        {"Gate,1", "00-11-22-33-44-55", listed, "Invalid Description."},
        {"Gate", "00-11-22-33-44-55", fourUsers, ""},
        {"Gate", "00-11-22-33-44-55", full, "OUI Table is full,Maximum user defined OUI is 5."},
        {"Gate", "00-11-22-33-44-55", overFull, "OUI Table is full,Maximum user defined OUI is 5."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description + " " + c.oui);
        EXPECT_EQ(CCameraVLANOUISetting::OuiEntryFault(c.description, c.oui, c.listed, 0), c.message);
    }
    // The default mode takes the default OUI and no count.
    EXPECT_EQ(CCameraVLANOUISetting::OuiEntryFault("", "06-3C-91-12-34-56", full, 1), "");
}

TEST(OuiEntryChecks, IndexHasOneArcForEachByte) {
    EXPECT_EQ(CCameraVLANOUISetting::OuiToOidSuffix("063C91000000"), ".6.60.145.0.0.0");
    EXPECT_EQ(CCameraVLANOUISetting::OuiToOidSuffix("AABBCC000001"), ".170.187.204.0.0.1");
    EXPECT_EQ(CCameraVLANOUISetting::OuiToOidSuffix("aabbcc000001"), ".170.187.204.0.0.1");
}

class CameraOuiTest : public GvrpTest {
protected:
    static void ReadDone(DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }, 15s));
    }
    std::size_t Walks() const { return GetNextsFrom(kOuiTable + "2"); }
};

TEST_F(CameraOuiTest, ListsEveryRow) {
    ASSERT_TRUE(sim->SetObject(kOuiTable + "2.0.17.34.0.0.0", "x", "4C 6F 62 62 79 20 C3 A9"));
    win::SetSystemCodePage("UTF-8");
    Harness ui;
    CCameraVLANOUISetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        EXPECT_EQ(d.GetColumns(IDC_LIST),
                  (std::vector<std::string>{"ID", "Description", "Surveillance OUI", "OUI Mask"}));
        EXPECT_EQ(d.GetRows(IDC_LIST), (std::vector<std::vector<std::string>>{
                                           {"1", "Lobby \xC3\xA9", "00-11-22-00-00-00", "FF-FF-FF-00-00-00"},
                                           {"2", "Default camera", kDefaultRow, "FF-FF-FF-00-00-00"},
                                           {"3", "Default camera", "06-5A-2E-00-00-00", "FF-FF-FF-00-00-00"},
                                       }));
        EXPECT_TRUE(d.IsEnabled(IDC_ADD));
        EXPECT_TRUE(d.IsEnabled(IDC_DELETE));
        d.Click(IDC_CLOSE);
    });
    win::SetSystemCodePage("");
    const auto lines = ui.CapturedDebugLines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"==================DestroyWindow===============",
                                        "==================m_cCommonSNMP.Close===============",
                                        "==================m_cCommonSNMPTable.Close==============="}));
}

TEST_F(CameraOuiTest, AddCreatesTheRowThenWritesItsDescription) {
    win::SetSystemCodePage("UTF-8");
    Harness ui;
    CCameraVLANOUISetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        // Keys reach only ASCII; the text is put in the edit as a paste would.
        d.Window().GetDlgItem(IDC_DESCRIPTION)->SetWindowText("Caf\xC3\xA9 door");
        d.TypeText(IDC_OUI, "06-3C-92-12-34-56");
        d.Click(IDC_ADD);
        EXPECT_EQ(d.GetText(IDC_DESCRIPTION), "");
        EXPECT_EQ(d.GetText(IDC_OUI), "");
        ReadDone(d);
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[2],
                  (std::vector<std::string>{"3", "Caf\xC3\xA9 door", "06-3C-92-12-34-56", "FF-FF-FF-00-00-00"}));
        d.Close();
    });
    win::SetSystemCodePage("");
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 2u);
    const std::string arcs = "6.60.146.18.52.86";
    EXPECT_EQ(Line(sets[0]), Status(arcs) + " i 4");
    EXPECT_EQ(Line(sets[1]), kOuiTable + "2." + arcs + " s 436166C3A920646F6F72");
    // A pause after each, then the walk.
    EXPECT_GE(sets[1].arrivalUs - sets[0].arrivalUs, 50000);
    long walkStart = 0;
    for (const auto& r : Requests("getnext")) {
        if (r.seq > sets[1].seq && walkStart == 0) walkStart = r.arrivalUs;
    }
    EXPECT_GE(walkStart - sets[1].arrivalUs, 50000);
    EXPECT_EQ(Walks(), 2u);
    EXPECT_EQ(sim->GetObject(kOuiTable + "4." + arcs), "i 4");
}

TEST_F(CameraOuiTest, AddWithoutDashesGivesTheSameIndex) {
    Harness ui;
    CCameraVLANOUISetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.TypeText(IDC_OUI, "AABBCC000001");
        d.Click(IDC_ADD);
        ReadDone(d);
        d.Close();
    });
    ASSERT_EQ(Sets().size(), 2u);
    EXPECT_EQ(Line(Sets()[0]), Status("170.187.204.0.0.1") + " i 4");
    EXPECT_EQ(Line(Sets()[1]), kOuiTable + "2.170.187.204.0.0.1 s ");
}

// A refused Add: the inputs, the message; nothing is sent and the inputs stay.
struct RefusalCase {
    std::string name, description, oui, message;
};

class CameraOuiRefusalTest : public CameraOuiTest, public ::testing::WithParamInterface<RefusalCase> {};

const RefusalCase kRefusals[] = {
    {"DefaultOui", "Gate", "06-3C-91-12-34-56", "This OUI is default, please select the default mode!"},
    {"Multicast", "Gate", "01-00-5E-00-00-01", "Multicast MAC  is not allowed."},
    {"AllZero", "Gate", "00-00-00-00-00-00", kFormat},
    {"Short", "Gate", "00-11-22", kFormat},
    {"NotHex", "Gate", "GG-11-22-33-44-55", kFormat},
    {"DuplicateInOtherCase", "Gate", "aa-bb-cc-00-00-01", "The OUI is already exist!"},
    {"DotInDescription", "Gate.", "00-11-22-33-44-55", "Invalid Description."},
};

TEST_P(CameraOuiRefusalTest, SendsNothing) {
    const RefusalCase& c = GetParam();
    AddRow(*sim, "170.187.204.0.0.1", "AA BB CC 00 00 01", "Gate A");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CCameraVLANOUISetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.TypeText(IDC_DESCRIPTION, c.description);
        d.TypeText(IDC_OUI, c.oui);
        d.Click(IDC_ADD);
        EXPECT_EQ(d.GetText(IDC_DESCRIPTION), c.description);
        EXPECT_EQ(d.GetText(IDC_OUI), c.oui);
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()), std::vector<std::string>{c.message});
    EXPECT_TRUE(Sets().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CameraOuiRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return info.param.name; });

TEST_F(CameraOuiTest, FiveUserRowsFillTheTable) {
    // With 06-5A-2E and 00-11-22 the switch holds two user rows already.
    AddRow(*sim, "0.17.35.0.0.0", "00 11 23 00 00 00", "B");
    AddRow(*sim, "0.17.36.0.0.0", "00 11 24 00 00 00", "C");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CCameraVLANOUISetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.TypeText(IDC_OUI, "00-11-25-00-00-00");
        d.Click(IDC_ADD);
        ReadDone(d);
        d.TypeText(IDC_OUI, "00-11-26-00-00-00");
        d.Click(IDC_ADD);
        EXPECT_EQ(d.GetText(IDC_OUI), "00-11-26-00-00-00");
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              std::vector<std::string>{"OUI Table is full,Maximum user defined OUI is 5."});
    EXPECT_EQ(Sets().size(), 2u) << "the fifth row only";
}

TEST_F(CameraOuiTest, RefusedCreationSendsNoDescriptionAndKeepsTheInputs) {
    ASSERT_TRUE(sim->InjectError(Status("0.17.37.0.0.0"), "genErr"));
    Harness ui;
    CCameraVLANOUISetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.TypeText(IDC_DESCRIPTION, "Yard");
        d.TypeText(IDC_OUI, "00-11-25-00-00-00");
        d.Click(IDC_ADD);
        EXPECT_EQ(d.GetText(IDC_DESCRIPTION), "Yard");
        EXPECT_EQ(d.GetText(IDC_OUI), "00-11-25-00-00-00");
        EXPECT_TRUE(d.IsEnabled(IDC_ADD));
        d.Close();
    });
    EXPECT_EQ(Lines(Sets()), std::vector<std::string>{Status("0.17.37.0.0.0") + " i 4"});
    EXPECT_EQ(Walks(), 1u);
}

TEST_F(CameraOuiTest, Delete) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    CCameraVLANOUISetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.Click(IDC_DELETE);
        d.ClickListRow(IDC_LIST, 1);
        d.Click(IDC_DELETE);
        EXPECT_TRUE(Sets().empty());
        d.ClickListRow(IDC_LIST, 0);
        d.Click(IDC_DELETE);
        ReadDone(d);
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 2u);
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              (std::vector<std::string>{"Please Selecte the OUI Entry you would to delete",
                                        "The default Surveillance OUI can not be deleted."}));
    EXPECT_EQ(Lines(Sets()), std::vector<std::string>{Status("0.17.34.0.0.0") + " i 6"});
    EXPECT_EQ(Walks(), 2u);
}

}  // namespace
}  // namespace gvrptest
