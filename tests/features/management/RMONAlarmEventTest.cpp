// The RMON alarm and event dialogs against the simulated switch: their checks in order, their
// writes from the request log, the order of their reads, deletes and lists.
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <functional>

#include "core/ModuleStartupParams.h"
#include "features/management/RMONEvent.h"
#include "features/management/RmonAlarm.h"
#include "platform/ui/WindowExtras.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

const std::string kVariableMessage =
    "Variable Format is 1.3.6.1.2.1.2.2.1.X.Y!\nX = standard MIB Entry between 10~21\nY = Device Port Number";

// The alarm inputs by field; a value starting with "=" is pasted (the edits take digits only
// from the keyboard).
struct AlarmInputs {
    std::string index = "5", interval = "300", variable = "1.3.6.1.2.1.2.2.1.10.5", rising = "1000", falling = "100",
                risingEvent = "1", fallingEvent = "2", owner = "me";
    int sample = 1;
};

void Put(DialogDriver& d, int id, const std::string& text) {
    if (!text.empty() && text[0] == '=') d.Window().GetDlgItem(id)->SetWindowText(text.substr(1));
    else d.TypeText(id, text);
}

void TypeAlarm(DialogDriver& d, const AlarmInputs& in) {
    using namespace rmon_alarm_ids;
    Put(d, IDC_INDEX, in.index);
    Put(d, IDC_INTERVAL, in.interval);
    d.TypeText(IDC_VARIABLE, in.variable);
    d.ChooseComboItem(IDC_SAMPLE_TYPE, in.sample);
    Put(d, IDC_RISING_THRESHOLD, in.rising);
    Put(d, IDC_FALLING_THRESHOLD, in.falling);
    Put(d, IDC_RISING_EVENT, in.risingEvent);
    Put(d, IDC_FALLING_EVENT, in.fallingEvent);
    d.TypeText(IDC_OWNER, in.owner);
}

class RmonAlarmEventTest : public SnmpAgentTest {
protected:
    template <class Dialog>
    void Run(Harness& ui, int apply, const std::function<void(DialogDriver&, Dialog&)>& script) {
        Dialog dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(apply); }));
            sim->ClearRequests();
            script(d, dlg);
            if (d.IsOpen()) d.Click(kRmonClose);
        });
    }
    // Each request as "pdu first-oid[=value]".
    std::vector<std::string> Pdus() const {
        std::vector<std::string> out;
        for (const auto& r : sim->Requests()) {
            std::string line = r.pdu + " " + (r.varbinds.empty() ? "" : r.varbinds[0].oid);
            if (r.pdu == "set") line += "=" + r.varbinds[0].type + ":" + r.varbinds[0].value;
            out.push_back(line);
        }
        return out;
    }
};

TEST_F(RmonAlarmEventTest, AlarmApplyRefusesInTheOrderOfItsChecks) {
    using namespace rmon_alarm_ids;
    struct Case {
        std::string name;
        std::function<void(AlarmInputs&)> change;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"index 0", [](AlarmInputs& in) { in.index = "0"; }, "Index number must be between 1 and 65535!"},
        {"index 65536", [](AlarmInputs& in) { in.index = "65536"; }, "Index number must be between 1 and 65535!"},
        {"a listed index", [](AlarmInputs& in) { in.index = "1"; }, "Index had already exits!"},
        {"interval 0", [](AlarmInputs& in) { in.interval = "0"; }, "Interval number must be between 1 and 2147483647!"},
        {"interval 2^31", [](AlarmInputs& in) { in.interval = "2147483648"; },
         "Interval number must be between 1 and 2147483647!"},
        {"column 22", [](AlarmInputs& in) { in.variable = "1.3.6.1.2.1.2.2.1.22.5"; }, kVariableMessage},
        {"no port", [](AlarmInputs& in) { in.variable = "1.3.6.1.2.1.2.2.1.10"; }, kVariableMessage},
        {"port 0", [](AlarmInputs& in) { in.variable = "1.3.6.1.2.1.2.2.1.10.0"; }, kVariableMessage},
        {"port 29", [](AlarmInputs& in) { in.variable = "1.3.6.1.2.1.2.2.1.10.29"; }, kVariableMessage},
        {"a letter before", [](AlarmInputs& in) { in.variable = "x1.3.6.1.2.1.2.2.1.10.5"; }, kVariableMessage},
        {"letters after", [](AlarmInputs& in) { in.variable = "1.3.6.1.2.1.2.2.1.10.5abc"; }, kVariableMessage},
        {"rising -1", [](AlarmInputs& in) { in.rising = "=-1"; }, "Rising Threshold must be between 0 and 2^31-1!"},
        {"rising 2^31", [](AlarmInputs& in) { in.rising = "2147483648"; },
         "Rising Threshold must be between 0 and 2^31-1!"},
        {"falling -1", [](AlarmInputs& in) { in.falling = "=-1"; }, "Filling Threshold must be between 0 and 2^31-1!"},
        {"falling 2^31", [](AlarmInputs& in) { in.falling = "2147483648"; },
         "Filling Threshold must be between 0 and 2^31-1!"},
        {"rising event 0", [](AlarmInputs& in) { in.risingEvent = "0"; },
         "Rising event index must be between 1 and 65535!"},
        {"equal thresholds", [](AlarmInputs& in) { in.rising = in.falling = "100"; },
         "Falling-threshold should be less than Rising-threshold !"},
        {"equal thresholds before an unknown event",
         [](AlarmInputs& in) {
             in.rising = in.falling = "100";
             in.risingEvent = "9";
         },
         "Falling-threshold should be less than Rising-threshold !"},
        {"unknown rising event", [](AlarmInputs& in) { in.risingEvent = "9"; },
         "Event Index is not exist,please add first!"},
        {"falling event 70000", [](AlarmInputs& in) { in.fallingEvent = "70000"; },
         "Failling event index must be between 1 and 65535!"},
        {"unknown falling event", [](AlarmInputs& in) { in.fallingEvent = "9"; },
         "Event Index is not exist,please add first!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlarmInputs in;
        c.change(in);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run<CRmonAlarm>(ui, IDC_APPLY, [&](DialogDriver& d, CRmonAlarm&) {
            TypeAlarm(d, in);
            d.Click(IDC_APPLY);
            ASSERT_TRUE(WaitUntil([&] { return !ui.ShownMessageBoxes().empty() && d.IsEnabled(IDC_APPLY); }));
            // The inputs keep their values.
            EXPECT_EQ(d.GetText(IDC_OWNER), "me");
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(RmonAlarmEventTest, AlarmApplyReadsTheEventsThenWritesEachColumnWithoutAStall) {
    using namespace rmon_alarm_ids;
    ModuleStartupParams::TimeoutMs = "3000";
    Set(kAlarm + "10.6", "i", "3");  // an alarm left under creation
    Harness ui;
    Run<CRmonAlarm>(ui, IDC_APPLY, [&](DialogDriver& d, CRmonAlarm&) {
        AlarmInputs in;
        in.index = "6";
        // The sixth digit is cut off.
        d.TypeText(IDC_INDEX, "123456");
        EXPECT_EQ(d.GetText(IDC_INDEX), "12345");
        TypeAlarm(d, in);
        d.TypeText(IDC_VARIABLE, "1.3.6.1.2.1.2.2.1.10.5.7");
        const auto started = std::chrono::steady_clock::now();
        d.Click(IDC_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return GetNextsFrom(kAlarm + "1") > 0 && d.IsEnabled(IDC_APPLY); }));
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1500));
        const std::string a = kAlarm;
        const std::vector<std::string> writes = {
            "get " + a + "10.6",       "set " + a + "10.6=i:4",
            "set " + a + "10.6=i:2",   "set " + a + "3.6=o:1.3.6.1.2.1.2.2.1.10.5.7",
            "set " + a + "2.6=i:300",  "set " + a + "4.6=i:2",
            "set " + a + "5.6=i:1000", "set " + a + "6.6=i:100",
            "set " + a + "7.6=i:1",    "set " + a + "8.6=i:2",
            "set " + a + "9.6=s:me",   "set " + a + "10.6=i:1",
        };
        auto pdus = Pdus();
        const auto probe = std::find(pdus.begin(), pdus.end(), writes[0]);
        ASSERT_NE(probe, pdus.end());
        // The event walk came first, the alarm walk after the writes.
        EXPECT_NE(std::find(pdus.begin(), probe, "getnext " + kEvent + "1"), probe);
        EXPECT_EQ(std::vector<std::string>(probe, probe + static_cast<long>(writes.size())), writes);
        EXPECT_EQ(pdus[static_cast<size_t>(probe - pdus.begin()) + writes.size()], "getnext " + a + "1");
        EXPECT_EQ(d.GetText(IDC_OWNER), "me");
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1], (std::vector<std::string>{"6", "300", "1.3.6.1.2.1.2.2.1.10.5.7", "Delta value", "1000",
                                                     "100", "1", "2", "me", ""}));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(RmonAlarmEventTest, EventDialogReadsTheCommunitiesAndRisingIndexesThenTheEvents) {
    using namespace rmon_event_ids;
    ASSERT_TRUE(sim->Delay(150));
    Harness ui;
    CRMONEvent dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        // Until the events are listed, Apply and Refresh stay disabled.
        bool enabledEarly = false;
        ASSERT_TRUE(WaitUntil([&] {
            if (!d.GetRows(IDC_LIST).empty()) return true;
            enabledEarly = enabledEarly || d.IsEnabled(IDC_APPLY) || d.IsEnabled(IDC_REFRESH);
            return false;
        }));
        EXPECT_FALSE(enabledEarly);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        d.Click(kRmonClose);
    });
    std::vector<std::string> walks;
    for (const auto& r : Requests("getnext")) walks.push_back(r.varbinds[0].oid);
    const auto firstEvent = std::find(walks.begin(), walks.end(), kEvent + "1");
    ASSERT_NE(firstEvent, walks.end());
    EXPECT_NE(std::find(walks.begin(), firstEvent, A + ".5.1.1.1"), firstEvent);
    EXPECT_NE(std::find(walks.begin(), firstEvent, kAlarm + "7"), firstEvent);
}

TEST_F(RmonAlarmEventTest, EventApplyRefusesThenClearsTheInputs) {
    using namespace rmon_event_ids;
    struct Case {
        std::string index, description;
        int type;
        std::string community, text;
    } cases[] = {
        {"0", "d", 1, "", "Index number must be between 1 and 65535!"},
        {"65536", "d", 1, "", "Index number must be between 1 and 65535!"},
        {"2", "d", 1, "", "Setting error. Index number had already exits!"},
        {"7", "", 1, "", "Fill inputs which are marked '*'!"},
        {"7", "d", 2, "nosuch",
         "Community Name doesn't exist on SNMP host table.\n Please create SNMP host table first."},
        {"7", "d", 3, "nosuch",
         "Community Name doesn't exist on SNMP host table.\n Please create SNMP host table first."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " " + c.index);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run<CRMONEvent>(ui, IDC_APPLY, [&](DialogDriver& d, CRMONEvent&) {
            d.TypeText(IDC_INDEX, c.index);
            d.TypeText(IDC_DESCRIPTION, c.description);
            d.ChooseComboItem(IDC_TYPE, c.type);
            d.TypeText(IDC_COMMUNITY, c.community);
            d.Click(IDC_APPLY);
            for (auto id : {IDC_INDEX, IDC_DESCRIPTION, IDC_COMMUNITY}) EXPECT_EQ(d.GetText(id), "");
            EXPECT_EQ(d.GetText(IDC_TYPE), "None");
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(RmonAlarmEventTest, EventWritesCarryACommunityOnlyForATrapAndKeepItOutOfTheDebuggerOutput) {
    using namespace rmon_event_ids;
    Set(A + ".5.1.1.1.9.116.114.97.112.99.111.109.109.55", "s", "trapcomm7");
    Set(A + ".5.1.1.2.9.116.114.97.112.99.111.109.109.55", "s", "public");
    Set(A + ".5.1.1.3.9.116.114.97.112.99.111.109.109.55", "i", "1");
    Harness ui;
    Run<CRMONEvent>(ui, IDC_APPLY, [&](DialogDriver& d, CRMONEvent&) {
        // A log event with a community the switch does not know: written without it.
        d.TypeText(IDC_INDEX, "7");
        d.TypeText(IDC_DESCRIPTION, "seven");
        d.ChooseComboItem(IDC_TYPE, "Log");
        d.TypeText(IDC_COMMUNITY, "nosuch");
        d.Click(IDC_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY) && d.GetRows(IDC_LIST).size() == 3; }));
        // A trap to a community the switch has.
        d.TypeText(IDC_INDEX, "8");
        d.TypeText(IDC_DESCRIPTION, "eight");
        d.ChooseComboItem(IDC_TYPE, "Log and Trap");
        d.TypeText(IDC_COMMUNITY, "trapcomm7");
        d.Click(IDC_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY) && d.GetRows(IDC_LIST).size() == 4; }));
        const auto rows = d.GetRows(IDC_LIST);
        EXPECT_EQ(rows[2], (std::vector<std::string>{"7", "seven", "Log", "", "", "0", ""}));
        EXPECT_EQ(rows[3], (std::vector<std::string>{"8", "eight", "Log and Trap", "trapcomm7", "", "0", ""}));
        EXPECT_EQ(rows[0][5], "5 secs");
    });
    std::vector<std::string> columns;
    for (const auto& r : Sets()) columns.push_back(r.varbinds[0].oid.substr(kEvent.size()));
    EXPECT_EQ(columns,
              (std::vector<std::string>{"6.7", "2.7", "3.7", "5.7", "6.7", "6.8", "2.8", "3.8", "4.8", "5.8", "6.8"}));
    for (const std::string& line : ui.CapturedDebugLines()) {
        EXPECT_EQ(line.find("trapcomm7"), std::string::npos) << line;
        EXPECT_EQ(line.find("nosuch"), std::string::npos) << line;
    }
}

TEST_F(RmonAlarmEventTest, AnEventAnAlarmRisesToCannotBeDeleted) {
    using namespace rmon_event_ids;
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run<CRMONEvent>(ui, IDC_APPLY, [&](DialogDriver& d, CRMONEvent& dlg) {
        QPushButton* button = CellButton(dlg, IDC_LIST, 0, 6);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_TRUE(Sets().empty());
        EXPECT_GT(GetNextsFrom(kEvent + "1"), 0u);
        ASSERT_EQ(d.GetRows(IDC_LIST).size(), 2u);
        // Event 2 is alarm 1's falling event only: it goes.
        button = CellButton(dlg, IDC_LIST, 1, 6);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY) && d.GetRows(IDC_LIST).size() == 1; }));
    });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "This event cannot be deleted since dependent alarm entry exists !");
    std::vector<std::string> writes;
    for (const auto& r : Sets()) writes.push_back(r.varbinds[0].oid + "=" + r.varbinds[0].value);
    EXPECT_EQ(writes, (std::vector<std::string>{kEvent + "6.2=4"}));
}

TEST_F(RmonAlarmEventTest, ListsShowTheirColumnsAndButtons) {
    {
        using namespace rmon_alarm_ids;
        Harness ui;
        Run<CRmonAlarm>(ui, IDC_APPLY, [&](DialogDriver& d, CRmonAlarm& dlg) {
            auto* list = dynamic_cast<CListCtrl*>(dlg.GetDlgItem(IDC_LIST));
            ASSERT_NE(list, nullptr);
            ui::test::Flush();  // what the read's end posted
            std::vector<int> widths;
            for (int c = 0; c < 10; ++c) widths.push_back(list->GetColumnWidth(c));
            EXPECT_EQ(widths, (std::vector<int>{50, 70, 70, 120, 130, 135, 150, 150, 50, 70}));
            EXPECT_EQ(d.GetRows(IDC_LIST)[0],
                      (std::vector<std::string>{"1", "300", "1.3.6.1.2.1.2.2.1.10.1", "Delta value", "1000", "100", "1",
                                                "2", "monitor", ""}));
            EXPECT_NE(CellButton(dlg, IDC_LIST, 0, 9), nullptr);
        });
    }
    using namespace rmon_event_ids;
    Harness ui;
    Run<CRMONEvent>(ui, IDC_APPLY, [&](DialogDriver& d, CRMONEvent& dlg) {
        auto* list = dynamic_cast<CListCtrl*>(dlg.GetDlgItem(IDC_LIST));
        ASSERT_NE(list, nullptr);
        ui::test::Flush();  // what the read's end posted
        const HWND h = list->GetSafeHwnd();
        const int description = ui::TextWidth(h, "Description ") + 10;
        const int community = ui::TextWidth(h, "Community ") + 10;
        const int sent = ui::TextWidth(h, "Last Time Sent ") + 10;
        CRect rect;
        list->GetWindowRect(&rect);
        const int shared = (rect.Width() - description - community - sent - 20) / 4;
        std::vector<int> widths;
        for (int c = 0; c < 7; ++c) widths.push_back(list->GetColumnWidth(c));
        EXPECT_EQ(widths, (std::vector<int>{shared, description, shared, community, shared, sent + 100, shared}));
        EXPECT_EQ(d.GetColumns(IDC_LIST)[5], " Last Time Sent");
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "log", "Log", "", "monitor", "5 secs", ""}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "trap", "SNMP Trap", "public", "monitor", "0", ""}));
        for (int row = 0; row < 2; ++row) EXPECT_NE(CellButton(dlg, IDC_LIST, row, 6), nullptr);
    });
}

}  // namespace
}  // namespace mgmttest
