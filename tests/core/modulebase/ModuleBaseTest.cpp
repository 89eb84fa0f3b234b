// CModuleBase against the simulated switch: what reaches the switch, what comes back, the
// two walks and the notification a dialog receives.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/ModuleBase.h"
#include "core/ModuleStartupParams.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Template.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/support/PollUntil.h"
#include "tests/support/ui/UiHarness.h"
#include "tests/support/SessionTarget.h"

using namespace std::chrono_literals;
using switchsim::LoggedRequest;

namespace {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";
const std::string kVlanName = kPrivate + "7.6.1.1";
const std::string kVlanStatus = kPrivate + "7.6.1.5";
const std::string kJumbo = kPrivate + "1.12.0";
const std::string kUplinkPorts = kPrivate + "9.2.0";
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kIfPhysAddress1 = "1.3.6.1.2.1.2.2.1.6.1";

enum : int { IDD_OWNER = 9601 };
UI_DIALOG_TEMPLATE(IDD_OWNER, "Owner", DS_MODALFRAME | WS_CAPTION, Column({Row({Button(IDCANCEL, "Close")})}))

// The dialog a logic object reports to; it keeps what each notification carried and what
// the VLAN arrays held at that moment, as a dialog reads them in its handler.
class COwnerDlg : public CDialog {
public:
    struct Note {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool onUiThread;
        std::vector<std::string> ids, names, statuses;
    };
    CModuleBase* m_logic = nullptr;
    std::vector<Note> m_notes;

protected:
    LRESULT OnVlanRead(WPARAM wParam, LPARAM lParam) {
        m_notes.push_back({WM_USER + 107, wParam, lParam, ui::IsUiThread(), m_logic->m_arrVlanId,
                           m_logic->m_arrVlanName, m_logic->m_arrVlanStatus});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COwnerDlg, CDialog)
    ON_MESSAGE(WM_USER + 107, OnVlanRead)
END_MESSAGE_MAP()

VARBIND_INFO Varbind(const std::string& oid, const char* value, int type, int length) {
    VARBIND_INFO v;
    v.oid = oid;
    v.value = value;
    v.type = type;
    v.length = length;
    return v;
}

std::vector<LoggedRequest> RequestsOf(const switchsim::SimulatedSwitch& sw, const std::string& pdu) {
    std::vector<LoggedRequest> out;
    for (const LoggedRequest& r : sw.Requests()) {
        if (r.pdu == pdu) out.push_back(r);
    }
    return out;
}

// The DUZ-3300-28ZA1 switch with 28 ports, and the start-up time-out as the module has it.
class ModuleBaseTest : public switchsim::ModuleTargetTest {
protected:
    ModuleBaseTest() : ModuleTargetTest({.timeoutMs = "3000"}) {}

    // Reads the trunk table and waits until the walk has published it.
    static void ReadTrunks(CModuleBase& base) {
        base.ReadTrunkPorts();
        ASSERT_TRUE(ui::test::WaitUntil([&] { return base.m_bTrunkRead == 1; }));
    }

    ui::test::Harness ui;
};

TEST_F(ModuleBaseTest, SetValuesSendsEveryVariableInOneRequestInArrayOrder) {
    ASSERT_TRUE(sim->SetObject(kUplinkPorts, "x", "00 00 00 00"));
    ASSERT_TRUE(sim->SetObject(kJumbo, "i", "2"));
    ASSERT_TRUE(sim->SetObject(kPrivate + "1.99.0", "u", "0"));
    CModuleBase base;
    sim->ClearRequests();

    const char bitmap[] = {0x00, 0x0C, 0x00, static_cast<char>(0x80)};  // a leading zero byte must travel
    const VARBIND_INFO list[] = {Varbind(kUplinkPorts, bitmap, 2, 4), Varbind(kJumbo, "1", 1, 1),
                                 Varbind(kPrivate + "1.99.0", "4000000000", 10, 10)};
    EXPECT_EQ(base.SetValues(list, 3), 1);

    const auto sets = RequestsOf(*sim, "set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].community, "quastel");
    ASSERT_EQ(sets[0].varbinds.size(), 3u);
    EXPECT_EQ(sets[0].varbinds[0].oid, kUplinkPorts);
    EXPECT_EQ(sets[0].varbinds[0].hex, "000C0080");
    EXPECT_EQ(sets[0].varbinds[1].oid, kJumbo);
    EXPECT_EQ(sets[0].varbinds[1].type, "i");
    EXPECT_EQ(sets[0].varbinds[1].value, "1");
    EXPECT_EQ(sets[0].varbinds[2].oid, kPrivate + "1.99.0");
    EXPECT_EQ(sets[0].varbinds[2].type, "u");
    EXPECT_EQ(sets[0].varbinds[2].value, "4000000000");
    EXPECT_EQ(sim->GetObject(kJumbo).value_or(""), "i 1");
}

TEST_F(ModuleBaseTest, SetValuesGivesZeroForAnErrorStatusAnswer) {
    ASSERT_TRUE(sim->SetObject(kJumbo, "i", "2"));
    ASSERT_TRUE(sim->InjectError(kJumbo, "wrongValue"));
    CModuleBase base;
    sim->ClearRequests();
    const VARBIND_INFO list[] = {Varbind(kSysName, "core-1", 2, 6), Varbind(kJumbo, "1", 1, 1)};
    EXPECT_EQ(base.SetValues(list, 2), 0);
    const auto sets = RequestsOf(*sim, "set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].errorStatus, 0);
    EXPECT_EQ(sets[0].varbinds.size(), 2u);
}

TEST_F(ModuleBaseTest, GetValueCopiesTheValueOutOrLeavesItUntouched) {
    ASSERT_TRUE(sim->SetObject(kJumbo, "i", "2"));
    ASSERT_TRUE(sim->SetObject(kUplinkPorts, "x", "00 41 00 42"));
    CModuleBase base;
    std::string value;
    EXPECT_EQ(base.GetValue(kJumbo, value), 1);
    EXPECT_EQ(value, "2");
    EXPECT_EQ(base.GetValue(kUplinkPorts, value), 1);
    EXPECT_EQ(value, std::string("\0A\0B", 4));  // all bytes, zeros included

    value = "kept";
    ASSERT_TRUE(sim->InjectError(kJumbo, "genErr"));
    EXPECT_EQ(base.GetValue(kJumbo, value), 0);
    EXPECT_EQ(base.GetValue(kPrivate + "77.0", value), 0);  // v1: noSuchName
    EXPECT_EQ(value, "kept");
    const auto gets = RequestsOf(*sim, "get");
    ASSERT_FALSE(gets.empty());
    EXPECT_EQ(gets.back().community, "norfen");
    EXPECT_EQ(gets.back().varbinds.at(0).type, "null");
}

TEST_F(ModuleBaseTest, SetRowStatusAcceptsOnlyTheFourStatusesAndCountsAnyAnswer) {
    const std::string row20 = kVlanStatus + ".20";
    CModuleBase base;
    sim->ClearRequests();
    for (const char* refused : {"2", "7", "", "01", "1 "}) {
        SCOPED_TRACE(refused);
        ui.ScriptMessageBoxes({IDOK});
        EXPECT_EQ(base.SetRowStatus(row20, refused), 0);
        ASSERT_FALSE(ui.ShownMessageBoxes().empty());
        EXPECT_EQ(ui.ShownMessageBoxes().back().text, "error status value!");
        EXPECT_EQ(ui.ShownMessageBoxes().back().Buttons(), static_cast<UINT>(MB_OK));
    }
    EXPECT_TRUE(sim->Requests().empty());

    // Creating an existing row is refused by the switch: still 1, the re-read shows the truth.
    EXPECT_EQ(base.SetRowStatus(row20, "4"), 1);
    EXPECT_EQ(base.SetRowStatus(row20, "6"), 1);
    const auto sets = RequestsOf(*sim, "set");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_NE(sets[0].errorStatus, 0);
    EXPECT_EQ(sets[1].errorStatus, 0);
    EXPECT_EQ(sets[1].varbinds.at(0).oid, row20);
    EXPECT_EQ(sets[1].varbinds.at(0).type, "i");
    EXPECT_EQ(sets[1].varbinds.at(0).value, "6");
    EXPECT_FALSE(sim->GetObject(kVlanName + ".20").has_value());
}

TEST_F(ModuleBaseTest, SetRowStatusGivesZeroWhenTheSwitchDoesNotAnswer) {
    ModuleStartupParams::TimeoutMs = "300";
    CModuleBase base;
    ASSERT_TRUE(sim->Silence());
    EXPECT_EQ(base.SetRowStatus(kVlanStatus + ".20", "6"), 0);
}

TEST_F(ModuleBaseTest, TrunkWalkFillsTheTrunkNumbersAndTheCheckFollowsThem) {
    // Trunk 1: ports 1 and 2; trunk 2: port 5; the others empty.
    ASSERT_TRUE(sim->SetObject(kTrunkMembers + ".1", "x", "C0 00 00 00"));
    ASSERT_TRUE(sim->SetObject(kTrunkMembers + ".2", "x", "08 00 00 00"));
    CModuleBase base;
    ASSERT_EQ(base.m_TrunkPorts.size(), 28u);

    // Nothing read yet: everything passes, nothing is written to the debugger.
    std::vector<int> onlyPort1(28, 0);
    onlyPort1[0] = 1;
    EXPECT_EQ(base.CheckTrunkMembers(onlyPort1.data()), 1);
    EXPECT_TRUE(ui.CapturedDebugLines().empty());

    ReadTrunks(base);
    std::vector<int> expected(28, 0);
    expected[0] = expected[1] = 1;
    expected[4] = 2;
    EXPECT_EQ(base.m_TrunkPorts, expected);

    struct Case {
        std::vector<int> selected;  // ports marked 1
        int result;
    };
    const Case cases[] = {
        {{1, 2}, 1},     // the whole trunk
        {{1}, 0},        // part of trunk 1
        {{2, 3}, 0},     // part of trunk 1 with a free port
        {{5}, 1},        // trunk 2 has one member
        {{3}, 1},        // a port in no trunk
        {{}, 1},         // nothing selected
        {{1, 2, 5}, 1},  // two whole trunks
    };
    for (const Case& c : cases) {
        std::vector<int> values(28, 0);
        for (int port : c.selected) values[port - 1] = 1;
        EXPECT_EQ(base.CheckTrunkMembers(values.data()), c.result) << "ports " << ::testing::PrintToString(c.selected);
    }
    // Differing non-zero values inside one trunk fail too.
    std::vector<int> speeds(28, 0);
    speeds[0] = 3;
    speeds[1] = 4;
    EXPECT_EQ(base.CheckTrunkMembers(speeds.data()), 0);

    const auto lines = ui.CapturedDebugLines();
    ASSERT_EQ(lines.size(), 28u * 8);
    EXPECT_EQ(lines[0], "m_TrunkPorts[0] = 1");
    EXPECT_EQ(lines[4], "m_TrunkPorts[4] = 2");
    EXPECT_EQ(lines[27], "m_TrunkPorts[27] = 0");
}

TEST_F(ModuleBaseTest, APortThatLeftItsTrunkLosesItsTrunkNumberOnTheNextRead) {
    CModuleBase base;
    ReadTrunks(base);  // the model: trunk 1 = ports 21 and 22
    EXPECT_EQ(base.m_TrunkPorts[20], 1);
    EXPECT_EQ(base.m_TrunkPorts[21], 1);

    ASSERT_TRUE(sim->SetObject(kTrunkMembers + ".1", "x", "80 00 00 00"));
    ASSERT_TRUE(sim->SetObject(kTrunkMembers + ".3", "x", "00 00 00 10"));
    ReadTrunks(base);
    std::vector<int> expected(28, 0);
    expected[0] = 1;
    expected[27] = 3;
    EXPECT_EQ(base.m_TrunkPorts, expected);
}

TEST_F(ModuleBaseTest, TrunkWaitReturnsOnceTheDelayedWalkHasPublishedItsRows) {
    ASSERT_TRUE(sim->Delay(100));
    CModuleBase base;
    EXPECT_TRUE(base.WaitTrunkPorts(0)) << "no walk started: nothing to wait for";
    base.ReadTrunkPorts();
    EXPECT_EQ(base.CheckTrunkMembers(std::vector<int>(28, 0).data()), 1);
    ASSERT_TRUE(base.WaitTrunkPorts());
    EXPECT_EQ(base.m_bTrunkRead, 1);
    EXPECT_EQ(base.m_TrunkPorts[20], 1);
    EXPECT_EQ(base.m_TrunkPorts[21], 1);
    // Half of trunk 1 is refused once the wait is over.
    std::vector<int> marks(28, 0);
    marks[20] = 1;
    EXPECT_EQ(base.CheckTrunkMembers(marks.data()), 0);

    // A VLAN walk withdraws a trunk walk: a wait then does not hang on it.
    base.ReadTrunkPorts();
    base.ReadVlanTable();
    EXPECT_TRUE(base.WaitTrunkPorts(0));
}

TEST_F(ModuleBaseTest, SetValuesSendsANumberAsItsWholeTextWhateverItsLength) {
    const std::string threshold = kPrivate + "13.3.3.0";
    ASSERT_TRUE(sim->SetObject(threshold, "i", "64000"));
    CModuleBase base;
    sim->ClearRequests();
    const VARBIND_INFO list[] = {Varbind(threshold, "1024000", 1, 1)};
    EXPECT_EQ(base.SetValues(list, 1), 1);
    EXPECT_EQ(sim->GetObject(threshold).value_or(""), "i 1024000");
}

TEST_F(ModuleBaseTest, VlanWalkFillsTheArraysAndNotifiesTheOwnerOnceAtTheEnd) {
    CModuleBase base;
    COwnerDlg owner;
    owner.m_logic = &base;
    ASSERT_TRUE(owner.Create(IDD_OWNER));
    EXPECT_EQ(base.SetHwnd(owner.GetSafeHwnd()), 1);
    EXPECT_EQ(base.SetHwnd(nullptr), 0);  // keeps the window
    sim->ClearRequests();

    base.ReadVlanTable();
    ASSERT_TRUE(ui::test::WaitUntil([&] { return !owner.m_notes.empty(); }));
    // Whatever else the walk posted has been handled.
    switchsim::Settle(*sim);
    ASSERT_EQ(owner.m_notes.size(), 1u);
    const COwnerDlg::Note& note = owner.m_notes[0];
    EXPECT_EQ(note.message, 0x46Bu);
    EXPECT_EQ(note.wParam, 2u);
    EXPECT_EQ(note.lParam, 0);
    EXPECT_TRUE(note.onUiThread);
    const std::vector<std::string> ids{"1", "10", "20", "100"};
    EXPECT_EQ(note.ids, ids);
    EXPECT_EQ(note.names, (std::vector<std::string>{"default", "office", "voice", "mgmt"}));
    EXPECT_EQ(note.statuses, (std::vector<std::string>{"1", "1", "1", "1"}));
    EXPECT_EQ(base.m_arrVlanId, ids);

    // Both columns travel in every request of the walk.
    const auto walks = RequestsOf(*sim, "getnext");
    ASSERT_EQ(walks.size(), 5u);
    EXPECT_EQ(walks[0].varbinds.at(0).oid, kVlanName);
    EXPECT_EQ(walks[0].varbinds.at(1).oid, kVlanStatus);
    EXPECT_EQ(walks[4].varbinds.at(0).oid, kVlanName + ".100");

    // A second read starts from empty arrays: a deleted VLAN is gone.
    ASSERT_TRUE(sim->Command("del " + kVlanName + ".20"));
    ASSERT_TRUE(sim->Command("del " + kVlanStatus + ".20"));
    base.ReadVlanTable();
    ASSERT_TRUE(ui::test::WaitUntil([&] { return owner.m_notes.size() == 2; }));
    EXPECT_EQ(owner.m_notes[1].ids, (std::vector<std::string>{"1", "10", "100"}));
    EXPECT_EQ(owner.m_notes[1].names, (std::vector<std::string>{"default", "office", "mgmt"}));
    owner.DestroyWindow();
}

TEST_F(ModuleBaseTest, SystemMacIsTheFirstSixBytesWithTheLastLoweredByOne) {
    struct Case {
        const char* served;  // ifPhysAddress.1, hex bytes
        const char* mac;
    };
    const Case cases[] = {
        {"00 11 22 33 44 55", "00-11-22-33-44-54"},
        {"00 11 22 33 44 00", "00-11-22-33-44-FF"},
        {"0a 1b 2c 3d 4e 5f", "0A-1B-2C-3D-4E-5E"},
        {"00 00 00 00 00 01", "00-00-00-00-00-00"},
        {"AA BB CC DD EE FF 01 02", "AA-BB-CC-DD-EE-FE"},
        {"00 11 22", ""},
        {"", ""},
    };
    CModuleBase base;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.served);
        ASSERT_TRUE(sim->Serve(kIfPhysAddress1, "x", c.served));
        std::string mac = "stale";
        base.GetSystemMac(mac);
        EXPECT_EQ(mac, c.mac);
    }
    ASSERT_TRUE(sim->ClearFaults());
    ASSERT_TRUE(sim->InjectError(kIfPhysAddress1, "genErr"));
    std::string mac = "stale";
    base.GetSystemMac(mac);
    EXPECT_EQ(mac, "");
}

TEST_F(ModuleBaseTest, SetPortBitmapSendsThePortsAsAPaddedBitmap) {
    struct Case {
        int ports;
        const char* list;
        const char* hex;
    };
    const Case cases[] = {
        {28, "1-2", "C0000000"},  {28, "28", "00000010"},           {28, "1,3-4,9", "B0800000"},
        {24, "1-24", "FFFFFF00"}, {52, "1,52", "8000000000001000"},
    };
    ASSERT_TRUE(sim->SetObject(kUplinkPorts, "x", "00 00 00 00"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        g_nDevicePortNum = c.ports;
        CModuleBase base;
        sim->ClearRequests();
        base.SetPortBitmap(c.list, kUplinkPorts);
        const auto sets = RequestsOf(*sim, "set");
        ASSERT_EQ(sets.size(), 1u);
        ASSERT_EQ(sets[0].varbinds.size(), 1u);
        EXPECT_EQ(sets[0].varbinds[0].oid, kUplinkPorts);
        EXPECT_EQ(sets[0].varbinds[0].hex, c.hex);
        EXPECT_EQ(sets[0].community, "quastel");
    }

    g_nDevicePortNum = 28;
    CModuleBase base;
    sim->ClearRequests();
    ui.ScriptMessageBoxes({IDOK});
    base.SetPortBitmap("", kUplinkPorts);
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please input port value.");
    base.SetPortBitmap("1-2", "");  // no object: nothing to send
    EXPECT_TRUE(sim->Requests().empty());
}

// Destroying a logic object while its walk waits for an answer: the walk stops, no callback
// touches the object afterwards (the sanitizer builds would see it), and the owner hears
// nothing more.
TEST_F(ModuleBaseTest, DestructionStopsARunningWalkBeforeItsDataGoes) {
    COwnerDlg owner;
    auto base = std::make_unique<CModuleBase>();
    owner.m_logic = base.get();
    ASSERT_TRUE(owner.Create(IDD_OWNER));
    base->SetHwnd(owner.GetSafeHwnd());
    ASSERT_TRUE(sim->Delay(150));
    sim->ClearRequests();

    base->ReadVlanTable();
    ASSERT_TRUE(ui::test::WaitUntil([&] { return RequestsOf(*sim, "getnext").size() >= 2; }));
    const auto started = std::chrono::steady_clock::now();
    base.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 4s);
    const size_t sent = RequestsOf(*sim, "getnext").size();
    // The answer out at the destruction has left the switch and its session is released.
    switchsim::Settle(*sim);
    EXPECT_EQ(RequestsOf(*sim, "getnext").size(), sent);
    EXPECT_TRUE(owner.m_notes.empty());
    owner.DestroyWindow();
}

// A callback of the walk waits for the user-interface thread to take its row while that
// thread destroys the object: the row is dropped, nothing is freed under it, and the walk
// asks for nothing more.
TEST_F(ModuleBaseTest, DestructionWhileAFinishedWalkWaitsToDeliverIsSafe) {
    auto base = std::make_unique<CModuleBase>();
    sim->ClearRequests();
    base->ReadTrunkPorts();
    // Not pumping: the first answer's callback blocks on this thread.
    const auto asked = [&] { return !RequestsOf(*sim, "getnext").empty() && RequestsOf(*sim, "getnext")[0].answered; };
    ASSERT_TRUE(testsupport::PollUntil(asked, 5s));
    EXPECT_EQ(base->m_bTrunkRead, 0);
    base.reset();
    ASSERT_TRUE(CSnmpRead::WaitForClosedSessions(5000));
    EXPECT_EQ(RequestsOf(*sim, "getnext").size(), 1u);
}

}  // namespace
