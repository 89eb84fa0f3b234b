// The firmware and configuration transfer dialog against the simulated switch: its refusals,
// the requests of a transfer and their pauses, every ending with its box, the progress bar,
// the inputs while a transfer runs, and the reboot check that reads the same status.
#include <functional>
#include <string>
#include <vector>

#include "features/management/FirmDownLoad.h"
#include "features/management/ResetDevice.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/FirmwareDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"
#include "tests/support/switchsim/Settle.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

using namespace firmware_ids;

const std::string kFirmware = P + ".3.9.";
const std::string kConfig = P + ".3.10.";
const std::string kConfigLimitText =
    "Time out! Please check TFTP Server IP and network.\n You may close the current device Zarido Module and "
    "implement 'Device Discovery'to restart it";
const std::string kFirmwareLimitText = "Time out! Please check TFTP Server IP and network.";

// A message box as it was shown, with the bar and the inputs at that moment.
struct Box {
    std::string text;
    UINT type = 0;
    int bar = -1;
    bool applyEnabled = false;
};

// Records each box with the dialog's state while it is open, then lets the harness answer.
// `whileOpen` runs inside the box (the dialog's events keep flowing there).
class BoxWatch {
public:
    explicit BoxWatch(std::function<void(const Box&)> whileOpen = {}) : m_whileOpen(std::move(whileOpen)) {
        m_previous = ui::SetPromptHandler([this](const ui::PromptRequest& request) {
            Box box{request.text, request.type};
            if (m_dialog && m_dialog->IsOpen()) {
                box.bar = static_cast<CProgressCtrl*>(m_dialog->Window().GetDlgItem(IDC_PROGRESS))->GetPos();
                box.applyEnabled = m_dialog->IsEnabled(IDC_APPLY);
            }
            m_boxes.push_back(box);
            if (m_whileOpen) m_whileOpen(box);
            return m_previous(request);
        });
    }
    ~BoxWatch() { ui::SetPromptHandler(m_previous); }
    BoxWatch(const BoxWatch&) = delete;
    BoxWatch& operator=(const BoxWatch&) = delete;

    void Watch(DialogDriver& d) { m_dialog = &d; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& b : m_boxes) texts.push_back(b.text);
        return texts;
    }
    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    std::function<void(const Box&)> m_whileOpen;
    ui::PromptHandler m_previous;
    DialogDriver* m_dialog = nullptr;
    std::vector<Box> m_boxes;
};

class FirmwareTest : public SnmpAgentTest {
protected:
    void TearDown() override {
        CFirmDownLoad::s_timeouts = {};
        SnmpAgentTest::TearDown();
    }

    static std::string Kind(bool firmware) { return firmware ? kFirmware : kConfig; }
    // The status the switch answers from now on, whatever a transfer it plays sets.
    void Serve(bool firmware, const std::string& value) const { Command("serve " + Kind(firmware) + "6.0 i " + value); }

    // Fills the inputs and presses Apply (the upgrade warning is answered by the script).
    static void Apply(DialogDriver& d, bool firmware, bool upgrade, const std::string& server = "192.168.0.5",
                      const std::string& name = "image.bin") {
        d.TypeText(IDC_SERVER, server);
        d.TypeText(IDC_FILE_NAME, name);
        d.ChooseComboItem(IDC_OPERATION, upgrade ? "Upgrade" : "Backup");
        d.ChooseComboItem(IDC_FILE_TYPE, firmware ? "Firmware" : "Configuration");
        d.Click(IDC_APPLY);
    }

    std::vector<switchsim::LoggedRequest> StatusGets(bool firmware) const {
        std::vector<switchsim::LoggedRequest> out;
        for (const auto& r : Requests("get")) {
            if (r.varbinds.size() == 1 && r.varbinds[0].oid == Kind(firmware) + "6.0") out.push_back(r);
        }
        return out;
    }
    bool GetsReach(bool firmware, size_t n) const {
        return WaitUntil([&] { return StatusGets(firmware).size() >= n; });
    }
    static int Bar(DialogDriver& d) {
        return static_cast<CProgressCtrl*>(d.Window().GetDlgItem(IDC_PROGRESS))->GetPos();
    }
    static bool Ended(DialogDriver& d) {
        return WaitUntil([&] { return d.IsEnabled(IDC_APPLY); });
    }
    // Runs one transfer in a new dialog: Apply (the warning and the ending's box answered
    // OK), `during` while it runs, the wait for its end, `after`, and Close.
    static void RunTransfer(Harness& ui, BoxWatch& boxes, bool firmware, bool upgrade,
                            const std::function<void(DialogDriver&)>& during = {},
                            const std::function<void(DialogDriver&)>& after = {}) {
        ui.ScriptMessageBoxes(upgrade ? std::vector<int>{IDOK, IDOK} : std::vector<int>{IDOK});
        CFirmDownLoad dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            boxes.Watch(d);
            Apply(d, firmware, upgrade);
            if (during) during(d);
            ASSERT_TRUE(Ended(d));
            if (after) after(d);
            d.Click(IDC_CLOSE);
        });
    }
};

const char* const kWarning =
    "The connection will be disconnected.\nPlease do not apply other changes when uploading.\nReconnect to the "
    "device later when uploading completes.";

TEST_F(FirmwareTest, RefusalsSendNothing) {
    struct Case {
        std::string name;
        std::vector<int> answers;
        std::function<void(DialogDriver&)> act;
        std::vector<std::string> texts;
        bool barShown;
    };
    const std::vector<Case> cases = {
        {"cancel at the warning", {IDCANCEL}, [](DialogDriver& d) { Apply(d, true, true); }, {kWarning}, false},
        {"an invalid address",
         {IDOK, IDOK},
         [](DialogDriver& d) { Apply(d, false, true, "1.2.3"); },
         {kWarning, "Invalid TFTP server IP."},
         true},
        {"an interface part",
         {IDOK},
         [](DialogDriver& d) { Apply(d, false, false, "fe80::1%eth0"); },
         {"Invalid TFTP server IP."},
         true},
        {"an empty name",
         {IDOK},
         [](DialogDriver& d) { Apply(d, true, false, "192.168.0.5", ""); },
         {"Invalid file."},
         true},
        // Apply by its key while the field still has the focus: the text typed since the
        // field last lost the focus is the one checked.
        {"an invalid address not yet classified",
         {IDOK, IDOK},
         [](DialogDriver& d) {
             Apply(d, false, false, "192.168.0.5", "");  // refused by the name, the address valid
             d.TypeText(IDC_FILE_NAME, "image.bin");
             d.TypeText(IDC_SERVER, "1.2.3");
             d.Window().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APPLY.id, BN_CLICKED), 0);
         },
         {"Invalid file.", "Invalid TFTP server IP."},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        BoxWatch boxes;
        CFirmDownLoad dlg;
        ui.ScriptMessageBoxes(c.answers);
        ui.RunModal(dlg, [&](DialogDriver& d) {
            boxes.Watch(d);
            EXPECT_FALSE(d.IsVisible(IDC_PROGRESS));
            EXPECT_FALSE(d.IsVisible(IDC_PROGRESS_LABEL));
            c.act(d);
            EXPECT_EQ(d.IsVisible(IDC_PROGRESS), c.barShown);
            EXPECT_EQ(d.IsVisible(IDC_PROGRESS_LABEL), c.barShown);
            EXPECT_EQ(Bar(d), 0);
            for (int id :
                 {IDC_SERVER.id, IDC_FILE_NAME.id, IDC_OPERATION.id, IDC_FILE_TYPE.id, IDC_APPLY.id, IDC_CLOSE.id}) {
                EXPECT_TRUE(d.IsEnabled(id)) << id;
            }
            d.Click(IDC_CLOSE);
        });
        EXPECT_EQ(boxes.Texts(), c.texts);
        EXPECT_TRUE(sim->Requests().empty());
        if (c.texts.front() == kWarning) {
            const ui::test::ShownBox warning = ui.ShownMessageBoxes().front();
            EXPECT_EQ(warning.Buttons(), MB_OKCANCEL);
            EXPECT_EQ(warning.Icon(), MB_ICONQUESTION);
            EXPECT_EQ(warning.DefaultButton(), 2);
            EXPECT_NE(warning.type & MB_TOPMOST, 0u);
        }
    }
}

TEST_F(FirmwareTest, FileNameIsCutAtSixtyFourCharacters) {
    for (size_t length : {64u, 80u}) {
        SCOPED_TRACE(length);
        Harness ui;
        CFirmDownLoad dlg;
        if (length > 64) ui.ScriptMessageBoxes({IDOK});
        const std::string pasted(length, 'f');
        ui.RunModal(dlg, [&](DialogDriver& d) {
            d.Window().GetDlgItem(IDC_FILE_NAME)->SetWindowText(pasted);  // a paste: one change
            EXPECT_EQ(d.GetText(IDC_FILE_NAME), pasted.substr(0, 64));
            d.Click(IDC_CLOSE);
        });
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), length > 64 ? 1u : 0u);
        if (!shown.empty()) {
            EXPECT_EQ(shown[0].text, "The maximum length of file name is 64!");
        }
    }
}

// The naming SET carries the address and the name under the kind's objects; the operation
// goes out only once the naming SET has been answered.
TEST_F(FirmwareTest, NamingThenOperationUnderTheKindsObjects) {
    struct Case {
        bool firmware, upgrade;
        std::string server, addressHex;
    } cases[] = {
        {true, true, "192.168.0.5", "C0A80005"},
        {false, false, "2001:db8::5", "20010DB8000000000000000000000005"},
        {false, true, "10.1.2.3", "0A010203"},
    };
    constexpr int kNamingDelayMs = 300;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Serve(c.firmware, "1");
        Command("delay " + std::to_string(kNamingDelayMs));
        win::SetClockSpeed(20);
        Harness ui;
        ui.ScriptMessageBoxes(c.upgrade ? std::vector<int>{IDOK, IDOK} : std::vector<int>{IDOK});
        CFirmDownLoad dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Apply(d, c.firmware, c.upgrade, c.server, "cfg-42.txt");
            ASSERT_TRUE(WaitUntil([&] { return Sets().size() >= 2; }));
            Command("delay 0");
            ASSERT_TRUE(Ended(d));
            d.Click(IDC_CLOSE);
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 2u);
        const std::string k = Kind(c.firmware);
        EXPECT_EQ(SetPdus(), (std::vector<std::vector<std::string>>{
                                 {Vb(k + "1.0", "s", c.addressHex), Vb(k + "4.0", "s", "6366672D34322E747874")},
                                 {Vb(k + "5.0", "i", c.upgrade ? "1" : "2")}}));
        EXPECT_GE(sets[1].arrivalUs - sets[0].arrivalUs, kNamingDelayMs * 1000L);
        EXPECT_EQ(ui.ShownMessageBoxes().back().text, "Success!");
    }
}

// Program time between the operation and the first poll, and between polls, from the log.
TEST_F(FirmwareTest, PollsPauseAsTheLastAnswerSays) {
    constexpr double kSpeed = 10;
    struct Case {
        std::string name;
        bool firmware;
        std::string status;  // "" silence
        double firstMs, nextMs;
    } cases[] = {
        {"configuration, 4", false, "4", 3000, 1000},
        {"firmware, 4", true, "4", 15000, 1000},
        {"configuration, 3", false, "3", 3000, 5000},
        {"configuration, no answer", false, "", 3000, 6000 + 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        const std::string status = Kind(c.firmware) + "6.0";
        if (c.status.empty()) Command("silence " + status);
        else Serve(c.firmware, c.status);
        win::SetClockSpeed(kSpeed);
        Harness ui;
        BoxWatch boxes;
        RunTransfer(ui, boxes, c.firmware, false, [&](DialogDriver&) {
            ASSERT_TRUE(GetsReach(c.firmware, 3));
            Command("silence off");
            Serve(c.firmware, "1");
        });
        const auto sets = Sets();
        const auto gets = StatusGets(c.firmware);
        ASSERT_EQ(sets.size(), 2u);
        ASSERT_GE(gets.size(), 3u);
        auto programMs = [&](long fromUs, long toUs) { return (toUs - fromUs) * kSpeed / 1000.0; };
        // The first poll's timer starts with the operation, whose SET may reach the switch a
        // little after that: the pause is at least the time from the naming SET, which came
        // before, and at most the time from the operation's SET.
        EXPECT_GE(programMs(sets[0].arrivalUs, gets[0].arrivalUs), c.firstMs * 0.94);
        EXPECT_LE(programMs(sets[1].arrivalUs, gets[0].arrivalUs), c.firstMs + 2500);
        for (size_t i = 1; i < 3; ++i) {
            const double next = programMs(gets[i - 1].arrivalUs, gets[i].arrivalUs);
            EXPECT_GE(next, c.nextMs * 0.94) << i;
            EXPECT_LE(next, c.nextMs + 2500) << i;
        }
    }
}

// Each kind and operation against scripted statuses: the ending's box, the bar while it is
// open, and the inputs back after it.
TEST_F(FirmwareTest, EveryEndingShowsOneBoxThenGivesTheInputsBack) {
    struct Case {
        std::string name;
        bool firmware, upgrade;
        // Status values in poll order ("" no answer); the last one holds from then on.
        std::vector<std::string> statuses;
        std::string text;
        int barAtBox = -1;  // -1: not checked
        UINT icon = 0;
    };
    const std::vector<Case> cases = {
        {"success", false, true, {"4", "3", "3", "1"}, "Success!", 99},
        {"success 0", true, false, {"0"}, "Success!", 99},
        {"fail fw up", true, true, {"4", "2"}, "Firmware Upgrade Fail!"},
        {"fail fw back", true, false, {"2"}, "Firmware Backup Fail!"},
        {"fail cfg up", false, true, {"3", "2"}, "Config File Upgrade Fail!"},
        {"fail cfg back", false, false, {"2"}, "Config File Backup Fail!"},
        {"four missing cfg", false, false, {""}, "Get Config BackUp/Upgrade status Time Out !"},
        {"four missing fw", true, true, {"4", ""}, "Get Firmware BackUp/Upgrade status Time Out !"},
        {"three missing, one answer, three more", false, false, {"", "", "", "4", "", "", "", "1"}, "Success!", 99},
        {"unknown status", false, true, {"7"}, "Get Info Fail !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        win::SetClockSpeed(20);
        const std::string status = Kind(c.firmware) + "6.0";
        auto script = [&](const std::string& v) {
            if (v.empty()) {
                Command("silence " + status);
            } else {
                Command("silence off");
                Serve(c.firmware, v);
            }
        };
        script(c.statuses[0]);
        Harness ui;
        BoxWatch boxes;
        RunTransfer(
            ui, boxes, c.firmware, c.upgrade,
            [&](DialogDriver&) {
                // The next value goes in once the poll of the one before has arrived.
                for (size_t i = 1; i < c.statuses.size(); ++i) {
                    ASSERT_TRUE(GetsReach(c.firmware, i));
                    script(c.statuses[i]);
                }
            },
            [](DialogDriver& d) {
                EXPECT_EQ(Bar(d), 0);
                EXPECT_TRUE(d.IsVisible(IDC_PROGRESS));
            });
        std::vector<std::string> expected = {c.text};
        if (c.upgrade) expected.insert(expected.begin(), kWarning);
        EXPECT_EQ(boxes.Texts(), expected);
        const Box& ending = boxes.Boxes().back();
        if (c.barAtBox >= 0) {
            EXPECT_EQ(ending.bar, c.barAtBox);
        }
        EXPECT_FALSE(ending.applyEnabled);
        EXPECT_EQ(ending.type & MB_ICONMASK, c.icon);
    }
}

// A refused naming or operation SET ends the transfer with the failure text, even while the
// status object still reads "1" from an earlier transfer.
TEST_F(FirmwareTest, RefusedOrUnansweredSetsEndTheTransfer) {
    struct Case {
        std::string name;
        bool firmware, upgrade;
        std::string fault;
        std::string text;
        UINT icon;
        size_t sets;
        std::string status = "1";
    };
    const std::vector<Case> cases = {
        {"refused naming", false, false, "error " + kConfig + "4.0 genErr", "Config File Backup Fail!", MB_ICONERROR,
         1},
        {"refused naming, address length", true, true, "error " + kFirmware + "1.0 wrongLength",
         "Firmware Upgrade Fail!", MB_ICONERROR, 1},
        {"refused operation", true, false, "error " + kFirmware + "5.0 wrongValue", "Firmware Backup Fail!",
         MB_ICONERROR, 2},
        {"unanswered naming", false, true, "silence " + kConfig + "4.0", "Setting file name TimeOut !", 0, 1},
        {"unanswered operation", false, false, "silence " + kConfig + "5.0", "Setting operation TimeOut !", 0, 2, "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Serve(c.firmware, c.status);
        Command(c.fault);
        win::SetClockSpeed(20);
        Harness ui;
        BoxWatch boxes;
        RunTransfer(ui, boxes, c.firmware, c.upgrade);
        ASSERT_FALSE(boxes.Boxes().empty());
        EXPECT_EQ(boxes.Boxes().back().text, c.text);
        EXPECT_EQ(boxes.Boxes().back().type & MB_ICONMASK, c.icon);
        EXPECT_EQ(boxes.Boxes().size(), c.upgrade ? 2u : 1u);
        EXPECT_EQ(Sets().size(), c.sets);
        // A refused operation ends before the first poll; the unanswered one after the polls.
        EXPECT_EQ(StatusGets(c.firmware).empty(), c.name != "unanswered operation");
    }
}

// The overall limit, from the operation (a switch that stays at "4") or from the last "3".
TEST_F(FirmwareTest, TheLimitEndsATransferThatNeverFinishes) {
    constexpr double kSpeed = 100;
    struct Case {
        std::string name;
        bool firmware;
        bool runs;  // "3" then no answer; else "4" forever
        std::string text;
        double limitMs;
    } cases[] = {
        {"configuration, 3 then silence", false, true, kConfigLimitText, 150000},
        {"firmware, 3 then silence", true, true, kFirmwareLimitText, 260000},
        {"configuration, 4 forever", false, false, kConfigLimitText, 150000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        const std::string status = Kind(c.firmware) + "6.0";
        Serve(c.firmware, c.runs ? "3" : "4");
        win::SetClockSpeed(kSpeed);
        Harness ui;
        DWORD boxAt = 0;
        BoxWatch boxes([&](const Box&) { boxAt = win::GetTickCount(); });
        const DWORD applied = win::GetTickCount();
        DWORD quiet = 0;
        RunTransfer(ui, boxes, c.firmware, false, [&](DialogDriver&) {
            ASSERT_TRUE(GetsReach(c.firmware, 1));
            if (c.runs) Command("silence " + status);
            quiet = win::GetTickCount();
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.text});
        EXPECT_GE(boxAt - applied, c.limitMs * 0.94);  // a coarse timer may fire a little early
        EXPECT_LE(boxAt - quiet, c.limitMs + 30000);
    }
}

TEST_F(FirmwareTest, ProgressClimbsByTwoUpToEightyNine) {
    Serve(false, "3");
    win::SetClockSpeed(50);
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CFirmDownLoad dlg;
    std::vector<int> seen;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Apply(d, false, false);
        ASSERT_TRUE(WaitUntil([&] {
            const int bar = Bar(d);
            if (seen.empty() || seen.back() != bar) seen.push_back(bar);
            return bar == 89;
        }));
        // Two more steps' time: the bar stays.
        ui::test::PumpProgramTime(5000);
        EXPECT_EQ(Bar(d), 89);
        Serve(false, "1");
        ASSERT_TRUE(Ended(d));
        d.Click(IDC_CLOSE);
    });
    ASSERT_GE(seen.size(), 2u);
    if (seen.front() == 0) seen.erase(seen.begin());
    EXPECT_EQ(seen.front(), 1);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i] % 2, 1) << seen[i];
        if (i > 0) {
            EXPECT_GT(seen[i], seen[i - 1]);
        }
    }
}

TEST_F(FirmwareTest, ClosingWaitsForTheEndOfATransfer) {
    Serve(false, "4");
    win::SetClockSpeed(20);
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CFirmDownLoad dlg;
    size_t requests = 0;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Apply(d, false, false);
        ASSERT_TRUE(GetsReach(false, 1));
        EXPECT_FALSE(d.IsEnabled(IDC_CLOSE));
        d.PressEsc();
        d.Close();
        EXPECT_TRUE(d.IsOpen());
        Serve(false, "1");
        ASSERT_TRUE(Ended(d));
        d.PressEsc();
        EXPECT_FALSE(d.IsOpen());
        requests = sim->Requests().size();
    });
    // Nothing fires once the dialog has gone: no poll, no box, in more than the longest
    // period of its timers, and nothing it had asked comes after.
    ui::test::PumpProgramTime(20000);
    ASSERT_TRUE(switchsim::Settle(*sim));
    EXPECT_EQ(sim->Requests().size(), requests);
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u);
}

// A status read in flight when the limit ends the transfer: its "1" shows nothing more.
TEST_F(FirmwareTest, OneBoxPerTransferWhenAPollAnswersDuringTheEnding) {
    Serve(false, "4");
    Command("delay 150");
    win::SetClockSpeed(100);
    Harness ui;
    BoxWatch boxes([&](const Box& box) {
        if (box.text != kConfigLimitText) return;
        Serve(false, "1");
        // The answers in flight arrive and are handled while the box is open.
        ASSERT_TRUE(switchsim::Settle(*sim));
    });
    RunTransfer(ui, boxes, false, false, {}, [&](DialogDriver&) { ASSERT_TRUE(switchsim::Settle(*sim)); });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kConfigLimitText});
}

// The missing-answer count of a transfer ended by four missing answers does not carry over.
TEST_F(FirmwareTest, EachTransferCountsItsOwnMissingAnswers) {
    const std::string status = kConfig + "6.0";
    Command("silence " + status);
    win::SetClockSpeed(20);
    Harness ui;
    BoxWatch boxes;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    CFirmDownLoad dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        boxes.Watch(d);
        Apply(d, false, false);
        ASSERT_TRUE(Ended(d));
        const size_t before = StatusGets(false).size();
        d.Click(IDC_APPLY);
        ASSERT_TRUE(GetsReach(false, before + 3));
        Command("silence off");
        Serve(false, "1");
        ASSERT_TRUE(Ended(d));
        d.Click(IDC_CLOSE);
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Get Config BackUp/Upgrade status Time Out !", "Success!"}));
}

// The reboot check reads the transfer status: a firmware transfer the switch plays blocks
// the reboot; a configuration transfer that runs ("3") does not.
TEST_F(FirmwareTest, RebootCheckDuringATransfer) {
    Command("transfer-wait 200");
    Command("transfer-time 3600000");
    CCommonSNMP session;
    ASSERT_TRUE(SnmpSet(session, {SnmpSetVar::Integer(kFirmware + "5.0", 1)}).Ok());
    EXPECT_EQ(sim->GetObject(kFirmware + "6.0"), "i 4");
    EXPECT_EQ(CResetDevice().CanReboot(), 0);
    ASSERT_TRUE(WaitUntil([&] { return sim->GetObject(kFirmware + "6.0") == "i 3"; }));
    EXPECT_EQ(CResetDevice().CanReboot(), 0);

    Set(kFirmware + "6.0", "i", "1");
    ASSERT_TRUE(SnmpSet(session, {SnmpSetVar::Integer(kConfig + "5.0", 2)}).Ok());
    ASSERT_TRUE(WaitUntil([&] { return sim->GetObject(kConfig + "6.0") == "i 3"; }));
    sim->ClearRequests();
    CResetDevice reset;
    ASSERT_EQ(reset.CanReboot(), 1);
    reset.RebootDevice();
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].varbinds[0].oid, P + ".1.9.0");
}

// The switch plays a whole transfer by itself: busy, running, done.
TEST_F(FirmwareTest, APlayedTransferEndsWithSuccess) {
    Command("transfer-wait 300");
    Command("transfer-time 600");
    win::SetClockSpeed(5);
    Harness ui;
    BoxWatch boxes;
    RunTransfer(ui, boxes, false, false);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Success!"});
    EXPECT_EQ(sim->GetObject(kConfig + "6.0"), "i 1");
}

}  // namespace
}  // namespace mgmttest
