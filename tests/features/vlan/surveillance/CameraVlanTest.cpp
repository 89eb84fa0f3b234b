// The auto surveillance VLAN dialog against the simulated switch: what it lists and shows,
// Apply's refusals, questions and write, Add's checks and writes, Delete, and the reads when
// the switch is silent or slow.
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "features/vlan/CameraVlanChecks.h"
#include "features/vlan/CameraVlanSetting.h"
#include "resources/templates/SurveillanceVlanDialogsIds.h"
#include "tests/features/vlan/VlanFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace survvlantest {
namespace {

using namespace camera_vlan_ids;
using Rows = std::vector<std::vector<std::string>>;
struct Object {
    std::string oid, type, value;
};
using Objects = std::vector<Object>;

const std::string& kPrivate = vlantest::kPrivate;
const std::string kState = kPrivate + "26.1.1.0";
const std::string kVid = kPrivate + "26.1.2.0";
const std::string kPriority = kPrivate + "26.1.3.0";
const std::string kPorts = kPrivate + "26.1.4.0";
const std::string kOui = kPrivate + "26.2.1.1.";  // + column + instance
const std::string kVoiceOuiType = kPrivate + "21.2.1.1.4.2.171.205.0.0.0";
const std::string kVlanNames = kPrivate + "7.6.1.1";

const char* const kMacFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";

class CameraVlanTest : public vlantest::VlanTest {
protected:
    void SetUp() override {
        VlanTest::SetUp();
        g_strDeviceName = "DUZ-3300-28ZA1";
    }

    void Run(Harness& ui, const std::function<void(DialogDriver&, CCameraVlanSetting&)>& script) {
        CCameraVlanSetting dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
            script(d, dlg);
            if (d.IsOpen()) d.Click(IDC_CLOSE);
        });
    }
    // Clicks and waits until every read the click started has ended.
    static void ClickAndSettle(DialogDriver& d, CCameraVlanSetting& dlg, int id) {
        d.Click(id);
        ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
    }

    // A row of the user's own in the OUI table.
    void AddOwnRow(const std::string& instance, const std::string& hex, const std::string& description) const {
        Set(kOui + "1" + instance, "x", hex);
        Set(kOui + "2" + instance, "s", description);
        Set(kOui + "3" + instance, "x", "FF FF FF 00 00 00");
        Set(kOui + "4" + instance, "i", "2");
        Set(kOui + "5" + instance, "i", "1");
    }

    void SetObjects(const Objects& objects) const {
        for (const auto& [oid, type, value] : objects) Set(oid, type, value);
    }
    void AddOwnRows(int count) const {
        for (int last = 1; last <= count; ++last) {
            AddOwnRow(".0.17.35.0.0." + std::to_string(last), "00 11 23 00 00 0" + std::to_string(last), "own");
        }
    }

    static std::vector<std::string> Texts(const Harness& ui) {
        std::vector<std::string> texts;
        for (const auto& box : ui.ShownMessageBoxes()) texts.push_back(box.text);
        return texts;
    }
    // Walks of the VLAN table started (each refresh starts one).
    size_t VlanWalks() const { return GetNextsFrom(kVlanNames); }
    size_t SurveillanceGets() const {
        size_t n = 0;
        for (const auto& r : Requests("get")) {
            if (!r.varbinds.empty() && r.varbinds[0].oid == kState) ++n;
        }
        return n;
    }
    // The first request after the one numbered seq.
    long ArrivalAfter(long seq) const {
        for (const auto& r : sim->Requests()) {
            if (r.seq > seq) return r.arrivalUs;
        }
        return -1;
    }
};

TEST_F(CameraVlanTest, OpeningListsTheEntriesAndShowsTheSettings) {
    struct Case {
        std::string name;
        std::string state;
        std::string bitmap;  // served for the tagged ports; "" the model's eight zero bytes
        bool on;
        std::string ports;
    };
    const Case cases[] = {
        {"disabled", "2", "", false, ""},
        // Four bytes, as Apply writes them on 28 ports: only those bytes are decoded.
        {"enabled with a four-byte bitmap", "1", "C0 00 00 00", true, "1-2"},
        {"enabled with ports across bytes", "1", "80 00 00 30 00 00 00 00", true, "1,27-28"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kState, "i", c.state);
        if (!c.bitmap.empty()) {
            ASSERT_TRUE(sim->Serve(kPorts, "x", c.bitmap));
        }
        Harness ui;
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting&) {
            EXPECT_EQ(d.GetColumns(IDC_LIST),
                      (std::vector<std::string>{"ID", "Component Type", "Description", "MAC Address"}));
            EXPECT_EQ(d.GetRows(IDC_LIST),
                      (Rows{{"1", "Other IP Surveillance Devices", "Lobby cameras", "00-11-22-00-00-00"},
                            {"2", "Derari Surveillance Device", "Default camera", "06-3C-91-0X-XX-XX"},
                            {"3", "Derari Surveillance Device", "Default camera", "06-5A-2E-XX-XX-XX"}}));
            EXPECT_EQ(d.IsChecked(IDC_ENABLE), c.on);
            for (int id : {IDC_PRIORITY.id, IDC_COMPONENT.id, IDC_DESCRIPTION.id, IDC_MAC.id, IDC_PORTS.id, IDC_VID.id,
                           IDC_MODE.id, IDC_ADD.id, IDC_DELETE.id}) {
                EXPECT_EQ(d.IsEnabled(id), c.on) << id;
            }
            EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
            EXPECT_EQ(d.GetText(IDC_VID), "30");
            EXPECT_EQ(d.GetText(IDC_PRIORITY), "5");
            EXPECT_EQ(d.GetText(IDC_PORTS), c.ports);
            EXPECT_EQ(d.GetItems(IDC_COMPONENT),
                      (std::vector<std::string>{"Video Management Server", "VMS client/Remote viewer", "Video Encoder",
                                                "Network Storage", "Other IP Surveillance Devices"}));
            EXPECT_EQ(d.GetItems(IDC_MODE), (std::vector<std::string>{"MAC", "OUI"}));
            EXPECT_EQ(d.GetText(IDC_MODE), "MAC");
        });
    }
}

// The bytes lie at the very end of their allocation, so a read past them is reported by the
// address sanitizer.
TEST(CameraVlanPortListTest, DecodesTheBytesReceivedAndNoMore) {
    struct Case {
        std::string bytes;
        int ports;
        std::string list;
    };
    const Case cases[] = {
        {std::string("\xC0\x00\x00\x00", 4), 28, "1-2"},
        {std::string("\x80", 1), 28, "1"},
        {std::string(), 28, ""},
        {std::string("\x00\x00\x00\x30\x00\x00\x00\x00", 8), 28, "27-28"},
        {std::string("\x00\x00\x00\x00\x00\x00\x80\x00\xFF\xFF", 10), 52, "49"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const size_t size = c.bytes.size();
        auto buffer = std::make_unique<char[]>(size);
        if (size > 0) std::memcpy(buffer.get(), c.bytes.data(), size);
        EXPECT_EQ(CameraVlanPortList(buffer.get(), static_cast<int>(size), c.ports), c.list);
    }
}

TEST_F(CameraVlanTest, APriorityOutsideTheListKeepsTheSelectionAndApplySendsOne) {
    Set(kState, "i", "1");
    ASSERT_TRUE(sim->Serve(kPriority, "i", "9"));
    Harness ui;
    Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
        EXPECT_EQ(d.GetSelection(IDC_PRIORITY), 0);
        sim->ClearRequests();
        ClickAndSettle(d, dlg, IDC_APPLY);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].varbinds.size(), 4u);
    EXPECT_EQ(sets[0].varbinds[1].oid, kPriority);
    EXPECT_EQ(sets[0].varbinds[1].value, "0");
}

TEST_F(CameraVlanTest, ApplyRefusesWithItsMessageAndSendsNothing) {
    struct Case {
        std::string name;
        Objects objects;  // set before opening
        std::string vid, ports;
        std::string text;
        bool reread;
    };
    const Case cases[] = {
        {"asymmetric mode",
         {{vlantest::kAsymmetric, "i", "1"}},
         "30",
         "",
         "Auto Surveillance Vlan can not support in Asymmetric VLAN mode.",
         true},
        {"the default VLAN", {}, "1", "", "Default VLAN cannot be set as Auto Surveillance VLAN.", true},
        {"id 0", {}, "0", "", "The VLAN ID value range is 2 - 4094", true},
        {"id 4095", {}, "4095", "", "The VLAN ID value range is 2 - 4094", true},
        {"the voice VLAN's id",
         {{vlantest::kVoiceState, "i", "1"}, {vlantest::kVoiceVid, "i", "20"}},
         "20",
         "",
         "The VLAN ID already is voice VLAN ID.",
         true},
        {"a letter in the ports", {}, "30", "1,a", "Invalid Portlist", false},
        {"a reversed range", {}, "30", "5-3", "Invalid Portlist", true},
        {"half an aggregated link",
         {},
         "30",
         "21",
         "If Link Aggregation member port is selected, it must have the same port list as Auto Surveillance VLAN "
         "Tagged Uplink/Downlink Port.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kState, "i", "1");
        SetObjects(c.objects);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
            d.TypeText(IDC_VID, c.vid);
            d.TypeText(IDC_PORTS, c.ports);
            sim->ClearRequests();
            ClickAndSettle(d, dlg, IDC_APPLY);
        });
        ExpectRefused(ui, c.text);
        EXPECT_EQ(VlanWalks(), c.reread ? 1u : 0u);
    }
}

TEST_F(CameraVlanTest, ApplyWritesTheSettingsWithTheStateLastThenReadsAgain) {
    struct Case {
        std::string name;
        bool on;
        std::string vid;
        std::vector<std::pair<std::string, std::string>> written;  // oid, value (hex for the ports)
        std::string message;
    };
    const Case cases[] = {
        {"on", true, "30", {{kVid, "30"}, {kPriority, "5"}, {kPorts, "C0000000"}, {kState, "1"}}, ""},
        {"off", false, "30", {{kState, "2"}}, ""},
        // Switching off still checks what the greyed inputs hold.
        {"off with the default VLAN", false, "1", {}, "Default VLAN cannot be set as Auto Surveillance VLAN."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kState, "i", "1");
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
            d.TypeText(IDC_VID, c.vid);
            d.TypeText(IDC_PORTS, "1-2");
            d.ChooseComboItem(IDC_PRIORITY, "5");
            if (!c.on) d.Check(IDC_ENABLE, false);
            EXPECT_FALSE(d.IsEnabled(IDC_VID) && !c.on);
            sim->ClearRequests();
            ClickAndSettle(d, dlg, IDC_APPLY);
        });
        EXPECT_EQ(Texts(ui), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.written.empty() ? 0u : 1u);
        if (c.written.empty()) continue;
        ASSERT_EQ(sets[0].varbinds.size(), c.written.size());
        for (size_t i = 0; i < c.written.size(); ++i) {
            const auto& v = sets[0].varbinds[i];
            EXPECT_EQ(v.oid, c.written[i].first);
            if (v.oid == kPorts) {
                EXPECT_EQ(v.hex, c.written[i].second);
            } else {
                EXPECT_EQ(v.type, "i");
                EXPECT_EQ(v.value, c.written[i].second);
            }
        }
        // The re-read follows the settling pause.
        EXPECT_EQ(VlanWalks(), 1u);
        EXPECT_GE(ArrivalAfter(sets[0].seq) - sets[0].arrivalUs, 50000);
    }
}

TEST_F(CameraVlanTest, AnExistingVlanIsAskedAboutAndCancelReadsAgain) {
    for (const int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kState, "i", "1");
        Harness ui;
        ui.ScriptMessageBoxes({answer});
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
            d.TypeText(IDC_VID, "10");
            sim->ClearRequests();
            ClickAndSettle(d, dlg, IDC_APPLY);
        });
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text,
                  "The VLAN ID 10 already exists, still apply? \nIf yes, the original setting of VLAN 10 members will "
                  "be removed.");
        EXPECT_EQ(shown[0].Buttons(), static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(shown[0].Icon(), static_cast<UINT>(MB_ICONQUESTION));
        const auto sets = Requests("set");
        if (answer == IDCANCEL) {
            EXPECT_TRUE(sets.empty());
        } else {
            ASSERT_EQ(sets.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[0].value, "10");
        }
        EXPECT_EQ(VlanWalks(), 1u);
    }
}

TEST_F(CameraVlanTest, ThePoeNoticeComesOnlyWhenAPoeModelSwitchesTheFeatureOn) {
    struct Case {
        std::string deviceName;
        std::string state;  // as read at opening
        bool notice;
    };
    const Case cases[] = {
        {"DUZ-3300-28P", "2", true},
        {"DUZ-3300-28ZA1", "2", false},
        {"DUZ-3300-28P", "1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deviceName + " state " + c.state);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        g_strDeviceName = c.deviceName;
        Set(kState, "i", c.state);
        Harness ui;
        if (c.notice) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
            d.Check(IDC_ENABLE);
            sim->ClearRequests();
            ClickAndSettle(d, dlg, IDC_APPLY);
        });
        const std::vector<std::string> notice = {
            "Switch will automatically turn on PoE function to all the member ports of surveillance VLAN, \nplease "
            "ensure all the member ports of surveillance VLAN connected to PoE power devices."};
        EXPECT_EQ(Texts(ui), c.notice ? notice : std::vector<std::string>{});
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0].varbinds.back().oid, kState);
        EXPECT_EQ(sets[0].varbinds.back().value, "1");
    }
}

TEST_F(CameraVlanTest, AddChecksTheEntryThenCreatesIt) {
    struct Case {
        std::string name;
        std::string mode;
        std::string address;
        std::string description;
        std::string text;      // the refusal, or "" when created
        std::string instance;  // of the created row
        Objects objects = {};  // set before opening
        int ownRows = 0;       // rows of the user's own added beside "Lobby cameras"
    };
    const Case cases[] = {
        {"an OUI", "OUI", "00-11-33", "Doors", "", ".0.17.51.0.0.0"},
        {"a listed OUI", "OUI", "00-11-22", "Doors", "The OUI is already exist!", ""},
        {"the second built-in address in small letters", "MAC", "06-5a-2e-00-00-00", "Doors",
         "This OUI is default, please select the default mode!", ""},
        {"in the first default OUI", "MAC", "06-3C-91-05-00-01", "",
         "This OUI is default, please select the default mode!", ""},
        {"in the second default OUI", "MAC", "06-5A-2E-35-00-00", "",
         "This OUI is default, please select the default mode!", ""},
        {"beside the first default OUI", "MAC", "06-3C-91-15-00-01", "", "", ".6.60.145.21.0.1"},
        {"beside the second default OUI", "MAC", "06-5A-2E-45-00-00", "", "", ".6.90.46.69.0.0"},
        {"multicast", "MAC", "01-00-5E-00-00-01", "", "Multicast MAC is not allowed.", ""},
        {"broadcast", "MAC", "FF-FF-FF-FF-FF-FF", "", "Broadcast MAC is not allowed.", ""},
        {"all zero", "MAC", "00-00-00-00-00-00", "", kMacFormat, ""},
        {"no dashes", "MAC", "001122334455", "", kMacFormat, ""},
        {"not hexadecimal", "MAC", "GG-11-22-33-44-55", "", kMacFormat, ""},
        {"in the voice OUIs", "MAC", "02-AB-CD-11-22-33", "", "The OUI is already exist at Voice Vlan OUI Table!", ""},
        {"in a voice OUI not in use",
         "MAC",
         "02-ab-cd-11-22-33",
         "",
         "",
         ".2.171.205.17.34.51",
         {{kVoiceOuiType, "i", "2"}}},
        {"a sixth own entry",
         "MAC",
         "00-22-33-44-55-66",
         "",
         "OUI Table is full,Maximum user defined OUI is 5.",
         "",
         {},
         4},
        {"a fifth own entry", "MAC", "00-22-33-44-55-66", "", "", ".0.34.51.68.85.102", {}, 3},
        {"a period in the description", "MAC", "00-22-33-44-55-66", "a.b", "Invalid Description.", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kState, "i", "1");
        SetObjects(c.objects);
        AddOwnRows(c.ownRows);
        Harness ui;
        if (!c.text.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
            d.ChooseComboItem(IDC_MODE, c.mode);
            d.TypeText(IDC_MAC, c.address);
            d.TypeText(IDC_DESCRIPTION, c.description);
            sim->ClearRequests();
            ClickAndSettle(d, dlg, IDC_ADD);
        });
        if (!c.text.empty()) {
            ExpectRefused(ui, c.text);
            continue;
        }
        EXPECT_TRUE(Texts(ui).empty());
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 2u);
        ASSERT_EQ(sets[0].varbinds.size(), 1u);
        EXPECT_EQ(sets[0].varbinds[0].oid, kOui + "5" + c.instance);
        const auto mask = sim->GetObject(kOui + "3" + c.instance);
        ASSERT_TRUE(mask.has_value());
        EXPECT_EQ(*mask, "s FF FF FF 00 00 00");
        EXPECT_EQ(sim->GetObject(kOui + "5" + c.instance), "i 1");
    }
}

TEST_F(CameraVlanTest, AddCreatesTheRowThenWritesItsColumnsAndEmptiesTheInputs) {
    struct Case {
        std::string name;
        std::string mode, address;
        std::string instance;
        bool mask;           // the OUI's mask is written
        bool describeFails;  // the second SET gets an error status
    };
    const Case cases[] = {
        {"an OUI", "OUI", "00-11-33", ".0.17.51.0.0.0", true, false},
        {"a MAC", "MAC", "00-11-33-44-55-66", ".0.17.51.68.85.102", false, false},
        {"a refused description", "MAC", "00-11-33-44-55-66", ".0.17.51.68.85.102", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kState, "i", "1");
        if (c.describeFails) {
            ASSERT_TRUE(sim->InjectError(kOui + "2", "genErr"));
        }
        Harness ui;
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
            d.ChooseComboItem(IDC_MODE, c.mode);
            d.TypeText(IDC_MAC, c.address);
            d.TypeText(IDC_DESCRIPTION, "Gate 2");
            d.ChooseComboItem(IDC_COMPONENT, "Network Storage");
            sim->ClearRequests();
            ClickAndSettle(d, dlg, IDC_ADD);
            EXPECT_EQ(d.GetText(IDC_MAC), "");
            EXPECT_EQ(d.GetText(IDC_DESCRIPTION), "");
            if (!c.describeFails) {
                const auto rows = d.GetRows(IDC_LIST);
                ASSERT_EQ(rows.size(), 4u);
                EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "Network Storage", "Gate 2",
                                                             c.mask ? "00-11-33-00-00-00" : "00-11-33-44-55-66"}));
            }
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 2u);
        ASSERT_EQ(sets[0].varbinds.size(), 1u);
        EXPECT_EQ(sets[0].varbinds[0].oid, kOui + "5" + c.instance);
        EXPECT_EQ(sets[0].varbinds[0].value, "4");
        EXPECT_GE(sets[1].arrivalUs - sets[0].arrivalUs, 50000);
        const auto& second = sets[1].varbinds;
        ASSERT_EQ(second.size(), c.mask ? 3u : 2u);
        EXPECT_EQ(second[0].oid, kOui + "2" + c.instance);
        EXPECT_EQ(second[0].value, "Gate 2");
        EXPECT_EQ(second[1].oid, kOui + "4" + c.instance);
        EXPECT_EQ(second[1].type, "i");
        EXPECT_EQ(second[1].value, "3");
        if (c.mask) {
            EXPECT_EQ(second[2].oid, kOui + "3" + c.instance);
            EXPECT_EQ(second[2].hex, "FFFFFF000000");
        }
        EXPECT_EQ(VlanWalks(), c.describeFails ? 0u : 1u);
    }
}

TEST_F(CameraVlanTest, DeleteRemovesOnlyAnOwnEntry) {
    struct Case {
        std::string name;
        int row;  // -1 none selected
        std::string text;
    };
    const Case cases[] = {
        {"nothing selected", -1, "Please Selecte the OUI Entry you would to delete"},
        {"the first built-in entry", 1, "The default Surveillance OUI can not be deleted."},
        {"the second built-in entry", 2, "The default Surveillance OUI can not be deleted."},
        {"an own entry", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kState, "i", "1");
        Harness ui;
        if (!c.text.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
            if (c.row >= 0) {
                d.ClickListRow(IDC_LIST, c.row);
            }
            sim->ClearRequests();
            ClickAndSettle(d, dlg, IDC_DELETE);
            if (c.text.empty()) {
                EXPECT_EQ(d.GetRows(IDC_LIST).size(), 2u);
            }
        });
        if (!c.text.empty()) {
            ExpectRefused(ui, c.text);
            continue;
        }
        EXPECT_TRUE(Texts(ui).empty());
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 1u);
        ASSERT_EQ(sets[0].varbinds.size(), 1u);
        EXPECT_EQ(sets[0].varbinds[0].oid, kOui + "5.0.17.34.0.0.0");
        EXPECT_EQ(sets[0].varbinds[0].value, "6");
        EXPECT_EQ(VlanWalks(), 1u);
    }
}

TEST_F(CameraVlanTest, TheModeEmptiesTheAddressAndSetsItsLength) {
    Set(kState, "i", "1");
    Harness ui;
    Run(ui, [&](DialogDriver& d, CCameraVlanSetting&) {
        d.TypeText(IDC_MAC, "00-11-22-33-44-55");
        d.ChooseComboItem(IDC_MODE, "OUI");
        EXPECT_EQ(d.GetText(IDC_MAC), "");
        d.TypeText(IDC_MAC, "00-11-22-33-44-55");
        EXPECT_EQ(d.GetText(IDC_MAC), "00-11-22");
        d.ChooseComboItem(IDC_MODE, "MAC");
        EXPECT_EQ(d.GetText(IDC_MAC), "");
        d.TypeText(IDC_MAC, "00-11-22-33-44-55-66");
        EXPECT_EQ(d.GetText(IDC_MAC), "00-11-22-33-44-55");
    });
}

TEST_F(CameraVlanTest, AVlanWalkWithoutItsEndLeavesTheSettingsUnread) {
    ModuleStartupParams::TimeoutMs = "300";
    Set(kState, "i", "1");
    Harness ui;
    Run(ui, [&](DialogDriver& d, CCameraVlanSetting& dlg) {
        ASSERT_TRUE(d.IsChecked(IDC_ENABLE));
        Set(kState, "i", "2");
        Set(kVid, "i", "40");
        ASSERT_TRUE(sim->Silence(kVlanNames));
        sim->ClearRequests();
        ClickAndSettle(d, dlg, IDC_REFRESH);
        EXPECT_EQ(SurveillanceGets(), 0u);
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
        EXPECT_TRUE(d.IsEnabled(IDC_VID));
        EXPECT_EQ(d.GetText(IDC_VID), "30");
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 3u);
    });
}

TEST_F(CameraVlanTest, AddAndDeleteFollowTheStateWhicheverReadEndsLast) {
    struct Case {
        std::string name;
        bool entriesLast;  // the entry walk ends after the surveillance read
    };
    for (const Case& c : {Case{"the entry walk ends last", true}, Case{"the surveillance read ends last", false}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        // A longer table makes its walk end later.
        if (c.entriesLast) {
            AddOwnRows(8);
        } else {
            for (int vid = 200; vid < 210; ++vid) Set(vlantest::kVlanTable + "1." + std::to_string(vid), "s", "extra");
        }
        ASSERT_TRUE(sim->Delay(10));
        Harness ui;
        Run(ui, [&](DialogDriver& d, CCameraVlanSetting&) {
            EXPECT_FALSE(d.IsChecked(IDC_ENABLE));
            EXPECT_FALSE(d.IsEnabled(IDC_ADD));
            EXPECT_FALSE(d.IsEnabled(IDC_DELETE));
            EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
        });
        long surveillanceSeq = 0;
        long lastEntryStep = 0;
        for (const auto& r : sim->Requests()) {
            if (r.varbinds.empty()) continue;
            if (r.pdu == "get" && r.varbinds[0].oid == kState) surveillanceSeq = r.seq;
            if (r.pdu == "getnext" && r.varbinds[0].oid.rfind(kOui + "4", 0) == 0) lastEntryStep = r.seq;
        }
        ASSERT_GT(surveillanceSeq, 0);
        EXPECT_EQ(lastEntryStep > surveillanceSeq, c.entriesLast);
    }
}

TEST_F(CameraVlanTest, ClosingWritesTheSessionsClosedInOrder) {
    Harness ui;
    Run(ui, [](DialogDriver& d, CCameraVlanSetting&) { d.Click(IDC_CLOSE); });
    const std::vector<std::string> expected = {
        "==================DestroyWindow===============",
        "==================m_cCommonSNMP.Close===============",
        "==================m_cCommonSNMPSet.Close===============",
        "==================m_cCommonSNMPGet.Close===============",
        "==================m_cCommonSNMPTable.Close===============",
        "==================m_cCommonSNMPTable.Close===============",
    };
    std::vector<std::string> lines;
    for (const auto& line : ui.CapturedDebugLines()) {
        if (line.rfind("==================", 0) == 0) lines.push_back(line);
    }
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace survvlantest
