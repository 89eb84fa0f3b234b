// The main window: profile, title and menu by model, the command wrapper, the Tools commands,
// the port click, the About boxes, activation by a second start and the shut-down.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <set>

#include "core/SnmpRead.h"
#include "core/controls/CommandTable.h"
#include "features/ports/PortSetInfo.h"
#include "platform/win/ProcessStart.h"
#include "platform/win/RegisteredMessage.h"
#include "resources/menus/CommandIds.h"
#include "shell/AboutDlg.h"
#include "shell/DerariModuleApp.h"
#include "shell/panel/DIBitmap.h"
#include "shell/panel/DevElements.h"
#include "tests/shell/main/MainWindowFixture.h"
#include "views/IntfList.h"
#include "views/mibfile/DeviceCfgDlg.h"
#include "tests/support/ScopedEnv.h"

namespace shelltest {
namespace {

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::WaitUntil;

const std::vector<std::string> kDeviceManagerPopups = {"System", "VLAN",     "L2 Function", "Qos",
                                                       "RMON",   "Security", "AAA",         "SNMP"};

TEST_F(MainWindowTest, TitleAndMenuFollowTheModel) {
    struct Case {
        std::string model;
        bool poe;
        bool jumbo;
    } const cases[] = {
        {"DUZ-3300-28ZA1", false, true}, {"DUZ-3300-28", false, true},     {"DUZ-3300-28P", true, true},
        {"DUZ-3300-28P C1", true, true}, {"VAD-3300-08P B1", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        WriteIni("DeviceName=" + c.model + "\nDevicePortNum=28\nXMLName=models/DUZ-3300-28/panel.xml\n");
        CDerariModuleDlg main(nullptr, m_ini);
        ui.RunModal(main, [&](DialogDriver& d) {
            EXPECT_EQ(main.GetWindowText(), c.model + ": " + s_sim->Address());
            const auto menu = d.Menu();
            ASSERT_EQ(Texts(menu),
                      (std::vector<std::string>{"Device Manager   ", "Public MIB   ", "Tools   ", "About   "}));
            std::vector<std::string> popups = kDeviceManagerPopups;
            if (c.poe) popups.push_back("PoE");
            EXPECT_EQ(Texts(menu[0].items), popups);
            EXPECT_EQ(FindItem(menu, 32852) != nullptr, c.poe);
            EXPECT_EQ(FindItem(menu, 32860) != nullptr, c.poe);
            EXPECT_EQ(FindItem(menu, 32817) != nullptr, c.jumbo);
            // The popups after the pruned one keep their places and texts.
            EXPECT_EQ(Texts(menu[2].items),
                      (std::vector<std::string>{"Firmware and Configuration Upgrade/Backup", "Save Configuration",
                                                "Reboot", "Telnet", "Web"}));
            ASSERT_EQ(menu[3].items.size(), 1u);
            EXPECT_EQ(menu[3].items[0].text, "About " + c.model);
            EXPECT_EQ(menu[3].items[0].id, 57664u);
            // Commands this window runs are enabled; those of dialogs still to come are not.
            EXPECT_TRUE(FindItem(menu, 32815)->enabled);
            EXPECT_TRUE(FindItem(menu, 32809)->enabled);
            // Every other command is enabled exactly when a dialog registered it.
            const std::set<UINT> own = {ID_SAVE_CONFIGURATION, ID_REBOOT, ID_TELNET, ID_WEB, 57664};
            std::function<void(const std::vector<ui::MenuItemInfo>&)> check = [&](const auto& items) {
                for (const auto& item : items) {
                    check(item.items);
                    if (item.popup || item.id == 0 || own.count(item.id) != 0) continue;
                    EXPECT_EQ(item.enabled, CommandTable::FindCommand(item.id) != nullptr) << item.text;
                }
            };
            check(menu);
            const auto systemMenu = d.Menu(true);
            const ui::MenuItemInfo* about = FindItem(systemMenu, 0x0010);
            ASSERT_NE(about, nullptr);
            EXPECT_EQ(about->text, "&About DUZ-3300-28ZA1 Module...");
            d.Close();
        });
    }
}

TEST_F(MainWindowTest, UnusableProfileLeavesTheBareWindow) {
    const std::string name = "DeviceName=DUZ-3300-28\n";
    const std::string xml = "XMLName=models/DUZ-3300-28/panel.xml\n";
    const std::string cases[] = {
        "",                                  // no DeviceName
        name + "DevicePortNum=28\n",         // no XMLName
        name + "DevicePortNum=0\n" + xml,    // no port at all
        name + "DevicePortNum=101\n" + xml,  // more than the port tables hold
        name + "DevicePortNum=-3\n" + xml,
    };
    for (const std::string& lines : cases) {
        SCOPED_TRACE(lines);
        WriteIni(lines);
        ui.ScriptMessageBoxes({IDOK});
        CDerariModuleDlg main(nullptr, m_ini);
        ui.RunModal(main, [&](DialogDriver& d) {
            EXPECT_EQ(ui.ShownMessageBoxes().back().text, "Read User.ini Error !");
            EXPECT_FALSE(main.IsPanelReady());
            EXPECT_EQ(main.GetWindowText(), "DerariModule");
            const auto menu = d.Menu();
            EXPECT_EQ(menu[0].items.size(), 9u) << "no pruning";
            EXPECT_EQ(menu[3].items[0].text, "About DUZ-3300-48");
            // Painting and mouse input find no panel and no port table, and draw nothing.
            main.Invalidate();
            main.UpdateWindow();
            d.ClickAt(10, 10);
            d.MoveMouseTo(20, 20);
            ui::test::Flush();  // the painting and the input handled
            d.Close();
        });
        EXPECT_LE(g_nDevicePortNum, kMaxDevicePorts);
    }
}

// The colour of a lamp or LED bitmap, as its generated file holds it.
COLORREF BitmapColour(UINT id) {
    CDIBitmap dib;
    const std::string path = std::string(RESOURCES_DIR) + "/panelgen/bitmaps/" + std::to_string(id) + ".bmp";
    EXPECT_TRUE(dib.LoadFromFile(path.c_str())) << path;
    const std::uint32_t p = dib.GetPixel(0, 0);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

TEST_F(MainWindowTest, PanelSizesTheWindowAndPaintsLampsAndLeds) {
    UseModel("DUZ-3300-28P");
    CDerariModuleDlg main(nullptr, m_ini);
    ui.RunModal(main, [&](DialogDriver& d) {
        ASSERT_TRUE(main.IsPanelReady());
        // The panel's rectangle becomes the client area, whatever the frame and menu bar take.
        const CRect panel = main.Root().GetRect();
        CRect client;
        EXPECT_TRUE(WaitUntil([&] {
            main.GetClientRect(&client);
            return client.Width() == panel.Width() && client.Height() == panel.Height();
        })) << client.Width()
            << "x" << client.Height();
        EXPECT_EQ(main.m_nDevicePortNum, 28);

        int x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0;
        ASSERT_TRUE(main.Root().GetPortLedPosition(0, x1, y1));
        ASSERT_TRUE(main.Root().GetPortLedPosition(1, x2, y2));
        ASSERT_TRUE(main.Root().GetPortLedPosition(2, x3, y3));
        main.m_PortState[1] = 1;  // link: green in phase 0
        main.m_PortState[2] = 2;  // disabled: off
        main.m_PortState[3] = 0;  // amber only in phase 1
        main.m_nLedMode = 0;      // PoE mode: no off LED under every port
        g_nBlinkPhase = 0;
        main.Invalidate();
        main.UpdateWindow();
        EXPECT_EQ(d.PixelAt(11, 28), BitmapColour(158)) << "power lamp";
        EXPECT_EQ(d.PixelAt(30, 62), BitmapColour(191)) << "PoE mode lamp lit";
        EXPECT_EQ(d.PixelAt(30, 52), BitmapColour(192));
        EXPECT_EQ(d.PixelAt(x1, y1), BitmapColour(162)) << "odd port green";
        EXPECT_EQ(d.PixelAt(x2, y2), BitmapColour(159)) << "even port off";
        const COLORREF amberPlace = d.PixelAt(x3, y3);
        EXPECT_NE(amberPlace, BitmapColour(164)) << "amber waits for phase 1";
        g_nBlinkPhase = 1;
        main.SendMessage(WM_PAINT);
        EXPECT_EQ(d.PixelAt(x3, y3), BitmapColour(164)) << "odd port amber";
        g_nBlinkPhase = 0;
        d.Close();
    });
}

TEST_F(MainWindowTest, ResetPanelElementsEnablesTheFirst48PortsAndEmptiesTheRest) {
    UseModel("DUZ-3300-52");
    CDerariModuleDlg main(nullptr, m_ini);
    ui.RunModal(main, [&](DialogDriver& d) {
        std::vector<CPort*> ports;
        for (int i = 0; auto* port = static_cast<CPort*>(main.Root().FindChildByClass("CPort", i)); ++i)
            ports.push_back(port);
        ASSERT_GE(ports.size(), 52u);
        for (CPort* port : ports) port->SetPortStatus(PORT_LINK100);
        main.ResetPanelElements();
        for (std::size_t i = 0; i < ports.size(); ++i) {
            const int expected = i < 48 ? PORT_ENABLE : i < 52 ? PORT_EMPTY : PORT_LINK100;
            EXPECT_EQ(ports[i]->GetStatus(), expected) << "port element " << i;
        }
        d.Close();
    });
}

TEST_F(MainWindowTest, OverlongPanelPathIsNotRead) {
    // The same file named in 51 characters (the most the panel loading keeps) and in 53.
    auto named = [](int dots) {
        std::string path = "models//DUZ-3300-28/";
        for (int i = 0; i < dots; ++i) path += "./";
        return path + "panel.xml";
    };
    const std::string path = named(11);
    const std::string longer = named(12);
    ASSERT_EQ(path.size(), 51u);
    for (const auto& [xml, read] : {std::pair{path, true}, {longer, false}}) {
        SCOPED_TRACE(xml);
        WriteIni("DeviceName=DUZ-3300-28\nDevicePortNum=28\nXMLName=" + xml + "\n");
        CDerariModuleDlg main(nullptr, m_ini);
        ui.RunModal(main, [&](DialogDriver& d) {
            EXPECT_EQ(main.Root().GetChildCount() > 0, read);
            main.Invalidate();
            main.UpdateWindow();
            d.Close();
        });
    }
}

// Each menu command the command table has runs: a feature dialog through the wrapper, the
// window's own commands by their handlers; every other command shows disabled.
TEST_F(MainWindowTest, MenuCommandsFollowTheCommandTable) {
    struct Command {
        std::vector<std::string> path;
        ui::MenuItemInfo item;
    };
    std::vector<Command> commands;
    std::function<void(const std::vector<ui::MenuItemInfo>&, std::vector<std::string>)> collect =
        [&](const std::vector<ui::MenuItemInfo>& items, std::vector<std::string> path) {
            for (const auto& item : items) {
                std::vector<std::string> itemPath = path;
                itemPath.push_back(item.text);
                if (item.popup) collect(item.items, itemPath);
                else if (!item.separator) commands.push_back({itemPath, item});
            }
        };
    UseModel("DUZ-3300-28P");
    CDerariModuleDlg main(nullptr, m_ini);
    int dialogsRun = 0;
    ui.RunModal(main, [&](DialogDriver& d) {
        collect(d.Menu(), {});
        ASSERT_GT(commands.size(), 50u);
        for (const Command& c : commands) {
            SCOPED_TRACE(c.path.back());
            const DialogCommand* entry = CommandTable::FindCommand(c.item.id);
            EXPECT_EQ(c.item.enabled, entry != nullptr);
            if (entry == nullptr || (entry->run != CommandRun::Wrapped && entry->run != CommandRun::Beside)) continue;
            const std::unique_ptr<CDialog> probe = entry->make();
            const std::type_info& type = typeid(*probe);
            ui.OnModalOf(type, [](DialogDriver& dialog, CDialog&) { dialog.Close(); });
            d.ChooseMenu(c.path);
            EXPECT_TRUE(WaitUntil([&] { return ui.ModalRunsOf(type) == 1 && main.IsWindowVisible(); }));
            ++dialogsRun;
        }
        d.Close();
    });
    EXPECT_GE(dialogsRun, 9);  // the port dialogs and the Public MIB views at least
    for (UINT id : {ID_SAVE_CONFIGURATION, ID_REBOOT, ID_TELNET, ID_WEB, ID_APP_ABOUT}) {
        ASSERT_NE(CommandTable::FindCommand(id), nullptr);
        EXPECT_EQ(CommandTable::FindCommand(id)->run, CommandRun::MainWindow);
    }
    EXPECT_TRUE(CommandTable::Duplicates().empty());
}

TEST_F(MainWindowTest, WrapperHidesAndPausesWhileTheDialogRuns) {
    UseModel("DUZ-3300-28ZA1");
    CDerariModuleDlg main(nullptr, m_ini);
    bool checked = false;
    ui.OnModal<CIntfList>([&](DialogDriver& view) {
        EXPECT_EQ(main.m_bPause.load(), 1);
        EXPECT_TRUE(main.IsIconic());
        checked = true;
        view.Click(IDCANCEL);
    });
    ui.RunModal(main, [&](DialogDriver& d) {
        EXPECT_EQ(main.m_bPause.load(), 0);
        d.ChooseMenu({"Public MIB   ", "Interface Table"});
        ASSERT_TRUE(
            WaitUntil([&] { return ui.ModalRuns<CIntfList>() == 1 && main.IsWindowVisible() && !main.IsIconic(); }));
        EXPECT_EQ(main.m_bPause.load(), 0);
        d.Close();
    });
    EXPECT_TRUE(checked);
}

// A command no menu item carries runs its dialog through the same wrapper.
TEST_F(MainWindowTest, DeviceConfigureCommandRunsWrapped) {
    UseModel("DUZ-3300-28ZA1");
    CDerariModuleDlg main(nullptr, m_ini);
    bool checked = false;
    ui.OnModal<CDeviceCfgDlg>([&](DialogDriver& dialog) {
        EXPECT_EQ(main.m_bPause.load(), 1);
        EXPECT_FALSE(main.IsWindowVisible() && !main.IsIconic());
        checked = true;
        dialog.Close();
    });
    ui.RunModal(main, [&](DialogDriver& d) {
        main.PostMessage(WM_COMMAND, ID_DEVICE_CONFIGURE, 0);
        ASSERT_TRUE(WaitUntil(
            [&] { return ui.ModalRuns<CDeviceCfgDlg>() == 1 && main.IsWindowVisible() && !main.IsIconic(); }));
        EXPECT_EQ(main.m_bPause.load(), 0);
        d.Close();
    });
    EXPECT_TRUE(checked);
}

TEST_F(MainWindowTest, SaveConfiguration) {
    struct Case {
        const char* what;
        int answer;
        const char* fault;  // control command, or null
        bool sent;
        const char* shown;  // the result box, or null
    } const cases[] = {
        {"cancelled", IDCANCEL, nullptr, false, nullptr},
        {"saved", IDOK, nullptr, true, "           Success!           "},
        {"refused by the switch", IDOK, "error 1.3.6.1.4.1.32473.10.76.21.1.1.10 genErr", true,
         "           Failed!            "},
        {"no answer", IDOK, "silence all", true, "           Failed!            "},
    };
    UseModel("DUZ-3300-28ZA1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s_sim->ClearFaults();
        s_sim->ClearRequests();
        if (c.fault) {
            ASSERT_TRUE(s_sim->Command(c.fault));
        }
        ui.ScriptMessageBoxes(c.shown ? std::vector<int>{c.answer, IDOK} : std::vector<int>{c.answer});
        const std::size_t before = ui.ShownMessageBoxes().size();
        const std::size_t boxes = c.shown ? 2 : 1;
        CDerariModuleDlg main(nullptr, m_ini);
        ui.RunModal(main, [&](DialogDriver& d) {
            d.ChooseMenu({"Tools   ", "Save Configuration"});
            ASSERT_TRUE(WaitUntil([&] { return ui.ShownMessageBoxes().size() == before + boxes; }, 10s));
            const auto shown = ui.ShownMessageBoxes();
            EXPECT_EQ(shown[before].text, "Do you want to save the configuration?");
            EXPECT_EQ(shown[before].Buttons(), static_cast<UINT>(MB_OKCANCEL));
            EXPECT_EQ(shown[before].Icon(), static_cast<UINT>(MB_ICONQUESTION));
            EXPECT_EQ(shown[before].DefaultButton(), 2);
            if (c.shown) {
                EXPECT_EQ(shown[before + 1].text, c.shown);
            }
            EXPECT_TRUE(main.IsWindowVisible()) << "no wrapper";
            d.Close();
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.sent ? 1u : 0u);
        if (c.sent) {
            ASSERT_EQ(sets[0].varbinds.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[0].oid, kSaveOid);
            EXPECT_EQ(sets[0].varbinds[0].type, "i");
            EXPECT_EQ(sets[0].varbinds[0].value, "1");
            EXPECT_EQ(sets[0].community, "quastel");
        }
    }
    s_sim->ClearFaults();
}

TEST_F(MainWindowTest, RebootChecksTheSwitchFirst) {
    struct Case {
        const char* what;
        int answer;
        std::vector<std::string> objects;  // "OID VALUE" set before
        bool rebooted;
        bool busy;
    } const cases[] = {
        {"cancelled", IDCANCEL, {}, false, false},
        {"idle", IDOK, {}, true, false},
        {"saving", IDOK, {kSaveOid + " 1"}, false, true},
        {"firmware transfer 3", IDOK, {kFirmwareStatusOid + " 3"}, false, true},
        {"firmware transfer 4", IDOK, {kFirmwareStatusOid + " 4"}, false, true},
        {"configuration transfer 3", IDOK, {kConfigStatusOid + " 3"}, true, false},
        {"configuration transfer 4", IDOK, {kConfigStatusOid + " 4"}, false, true},
    };
    UseModel("DUZ-3300-28ZA1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& oid : {kSaveOid, kFirmwareStatusOid, kConfigStatusOid})
            ASSERT_TRUE(s_sim->SetObject(oid, "i", oid == kSaveOid ? "2" : "0"));
        for (const std::string& object : c.objects) {
            const auto blank = object.find(' ');
            ASSERT_TRUE(s_sim->SetObject(object.substr(0, blank), "i", object.substr(blank + 1)));
        }
        // The switch comes back from an earlier reboot (its reboot object back at 2, the
        // silence over) before the next case.
        ASSERT_TRUE(WaitUntil([&] { return s_sim->GetObject(kRebootOid) == "i 2"; }));
        s_sim->ClearRequests();
        ui.ScriptMessageBoxes(c.busy ? std::vector<int>{c.answer, IDOK} : std::vector<int>{c.answer});
        const std::size_t before = ui.ShownMessageBoxes().size();
        CDerariModuleDlg main(nullptr, m_ini);
        ui.RunModal(main, [&](DialogDriver& d) {
            d.ChooseMenu({"Tools   ", "Reboot"});
            ASSERT_TRUE(WaitUntil([&] { return ui.ShownMessageBoxes().size() == before + (c.busy ? 2 : 1); }));
            // The check and the reboot run inside the command: it has ended once both went out.
            ASSERT_TRUE(WaitUntil([&] { return !c.rebooted || Requests("set").size() == 1; }));
            ui::test::Flush();
            const auto shown = ui.ShownMessageBoxes();
            EXPECT_EQ(shown[before].text, "Do you want to reboot the device?");
            EXPECT_EQ(shown[before].Buttons(), static_cast<UINT>(MB_OKCANCEL));
            EXPECT_EQ(shown[before].DefaultButton(), 2);
            if (c.busy) {
                EXPECT_EQ(shown[before + 1].text,
                          "FW upgrade/backup or config backup/restore is already progressing. ");
                EXPECT_EQ(shown[before + 1].Buttons(), static_cast<UINT>(MB_OK));
                EXPECT_EQ(shown[before + 1].Icon(), 0u);
            }
            d.Close();
        });
        // Only the reboot's own requests: the polling thread talks to the switch meanwhile.
        const auto rebootRequests = [](const std::string& pdu) {
            std::vector<switchsim::LoggedRequest> found;
            for (const auto& r : Requests(pdu))
                for (const auto& v : r.varbinds)
                    if (v.oid == kSaveOid || v.oid == kFirmwareStatusOid || v.oid == kConfigStatusOid ||
                        v.oid == kRebootOid) {
                        found.push_back(r);
                        break;
                    }
            return found;
        };
        const auto gets = rebootRequests("get");
        const auto sets = rebootRequests("set");
        if (c.answer == IDCANCEL) {
            EXPECT_TRUE(gets.empty());
            EXPECT_TRUE(sets.empty());
            continue;
        }
        ASSERT_EQ(gets.size(), 1u);
        ASSERT_EQ(gets[0].varbinds.size(), 3u);
        EXPECT_EQ(gets[0].varbinds[0].oid, kSaveOid);
        EXPECT_EQ(gets[0].varbinds[1].oid, kFirmwareStatusOid);
        EXPECT_EQ(gets[0].varbinds[2].oid, kConfigStatusOid);
        ASSERT_EQ(sets.size(), c.rebooted ? 1u : 0u);
        if (c.rebooted) {
            EXPECT_EQ(sets[0].varbinds[0].oid, kRebootOid);
            EXPECT_EQ(sets[0].varbinds[0].value, "1");
        }
    }
}

TEST_F(MainWindowTest, RebootGoesAheadWhenTheCheckIsNotAnswered) {
    UseModel("DUZ-3300-28ZA1");
    ASSERT_TRUE(s_sim->Command("silence 1.3.6.1.4.1.32473.10.76.21.1.3"));
    ui.ScriptMessageBoxes({IDOK});
    CDerariModuleDlg main(nullptr, m_ini);
    ui.RunModal(main, [&](DialogDriver& d) {
        d.ChooseMenu({"Tools   ", "Reboot"});
        // The command has returned once its SET went out (it runs on this thread).
        ASSERT_TRUE(WaitUntil([&] { return Requests("set").size() == 1; }, 10s));
        ui::test::Flush();
        d.Close();
    });
    EXPECT_EQ(Requests("set")[0].varbinds[0].oid, kRebootOid);
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u) << "nothing reported";
    s_sim->ClearFaults();
}

// The XDG folders in which the desktop's default browser is looked up, for the life of the object.
struct XdgFolders {
    XdgFolders(const std::filesystem::path& config, const std::filesystem::path& data,
               const std::filesystem::path& none)
        : configHome("XDG_CONFIG_HOME", config.string()),
          configDirs("XDG_CONFIG_DIRS", none.string()),
          dataHome("XDG_DATA_HOME", data.string()),
          dataDirs("XDG_DATA_DIRS", none.string()) {}
    testsupport::ScopedEnv configHome, configDirs, dataHome, dataDirs;
};

// A UDP socket on 127.0.0.1:161, the agent port sessions use when the command line names no
// other; binding it needs root, which the tests have.
class StandardAgentPort {
public:
    StandardAgentPort() {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(161);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_bound = m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    ~StandardAgentPort() {
        if (m_fd >= 0) ::close(m_fd);
    }
    StandardAgentPort(const StandardAgentPort&) = delete;
    StandardAgentPort& operator=(const StandardAgentPort&) = delete;
    bool Bound() const { return m_bound; }
    // Whether a datagram is waiting; reading them all.
    bool Received() const {
        char buffer[2048];
        bool any = false;
        while (::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT) >= 0) any = true;
        return any;
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};

// Command-line item 7 reaches only the sessions: the title, the instance name, telnet and the
// browser get the bare address whatever it says, and the sessions send to the port it names.
TEST_F(MainWindowTest, AgentPortItemReachesOnlyTheSessions) {
    UseModel("DUZ-3300-28ZA1");
    // A default browser as the desktop names it.
    const auto root = m_dir / "xdg";
    std::filesystem::create_directories(root / "config");
    std::filesystem::create_directories(root / "data/applications");
    const std::string browser = (root / "bin-browser").string();
    std::ofstream(browser) << "";
    std::filesystem::permissions(browser, std::filesystem::perms::owner_all);
    std::ofstream(root / "data/applications/web.desktop")
        << "[Desktop Entry]\nType=Application\nName=W\nExec=" << browser << " %u\n";
    std::ofstream(root / "config/mimeapps.list") << "[Default Applications]\nx-scheme-handler/http=web.desktop\n";
    const XdgFolders xdg(root / "config", root / "data", root / "none");
    const StandardAgentPort standard;
    ASSERT_TRUE(standard.Bound()) << "UDP 127.0.0.1:161 cannot be bound";

    const std::string address = s_sim->Address();
    const struct {
        const char* what;
        std::string item7;  // with its "/" and letter
        bool reachesSimulatedSwitch;
    } cases[] = {
        {"absent", "", false},
        {"161", "/P161", false},
        {"another port", "/P" + std::to_string(s_sim->Port()), true},
        {"not a number", "/P16x1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ModuleStartupParams::ResetToDefaults();
        ModuleStartupParams::TimeoutMs = "1000";
        // The previous case's sessions, closed in the background, send nothing more after this.
        ASSERT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
        s_sim->ClearRequests();
        standard.Received();
        win::ProgramStartRecorder starts;
        ui.ScriptMessageBoxes({IDCANCEL, IDOK});
        const std::size_t boxesBefore = ui.ShownMessageBoxes().size();
        CDerariModuleApp app;
        app.m_strProfilePath = m_ini;
        bool shown = false;
        ui.OnModal<CDerariModuleDlg>([&](DialogDriver& d) {
            shown = true;
            EXPECT_EQ(d.Window().GetWindowText(), "DUZ-3300-28ZA1: " + address);
            const std::string instanceName = "Module:DUZ-3300-28ZA1" + address;
            EXPECT_EQ(ModuleActivateMessage, RegisterWindowMessage(instanceName.c_str()));
            win::InstanceLock probe;
            EXPECT_EQ(probe.Acquire(instanceName), win::InstanceLock::Result::HeldByOther);
            d.ChooseMenu({"Tools   ", "Telnet"});
            ASSERT_TRUE(WaitUntil([&] { return starts.Starts().size() == 1; }));
            d.ChooseMenu({"Tools   ", "Web"});  // cancelled
            ASSERT_TRUE(WaitUntil([&] { return ui.ShownMessageBoxes().size() == boxesBefore + 1; }));
            d.ChooseMenu({"Tools   ", "Web"});
            ASSERT_TRUE(WaitUntil([&] { return starts.Starts().size() == 2; }));
            // The polling thread's first request shows where the sessions send.
            if (c.reachesSimulatedSwitch) EXPECT_TRUE(WaitUntil([&] { return !s_sim->Requests().empty(); }));
            else EXPECT_TRUE(WaitUntil([&] { return standard.Received(); }));
            d.Close();
        });
        EXPECT_FALSE(app.InitInstance("/N0/I127.0.0.1/Rnorfen/Wquastel/Vtrue/V1" + c.item7));
        ASSERT_TRUE(shown);
        EXPECT_EQ(ModuleStartupParams::DeviceIP, address);
        if (!c.reachesSimulatedSwitch) {
            const auto strays = s_sim->Requests();
            EXPECT_TRUE(strays.empty()) << strays.size() << " requests, the first " << strays.front().pdu << " "
                                        << (strays.front().varbinds.empty() ? "" : strays.front().varbinds[0].oid)
                                        << (strays.front().resent ? " (resent)" : "");
        }
        const auto started = starts.Starts();
        ASSERT_EQ(started.size(), 2u);
        EXPECT_EQ(started[0], win::TelnetCommand(address));
        EXPECT_EQ(started[1], (std::vector<std::string>{browser, address}));
    }
    for (const auto& box : ui.ShownMessageBoxes())
        EXPECT_EQ(box.text, "Do you want to access this device with browser?");
}

TEST_F(MainWindowTest, WebWithoutABrowserSaysSo) {
    UseModel("DUZ-3300-28ZA1");
    const XdgFolders xdg(m_dir / "none", m_dir / "none", m_dir / "none");
    win::ProgramStartRecorder starts;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    CDerariModuleDlg main(nullptr, m_ini);
    ui.RunModal(main, [&](DialogDriver& d) {
        d.ChooseMenu({"Tools   ", "Web"});
        ASSERT_TRUE(WaitUntil([&] { return ui.ShownMessageBoxes().size() == 2; }));
        d.Close();
    });
    EXPECT_EQ(ui.ShownMessageBoxes()[1].text, "Failed to get IE path !");
    EXPECT_TRUE(starts.Starts().empty());
}

TEST_F(MainWindowTest, PortClickBroadcastsThePortNumberAndOpensPortSettings) {
    UseModel("DUZ-3300-28ZA1");
    win::BroadcastRecorder broadcasts;
    ASSERT_TRUE(broadcasts.IsListening());
    CDerariModuleDlg main(nullptr, m_ini);
    // The port settings run over the visible main window, with the polling not paused.
    ui.OnModal<CPortSetInfo>([&](DialogDriver& settings) {
        EXPECT_TRUE(main.IsWindowVisible());
        EXPECT_FALSE(main.IsIconic());
        EXPECT_EQ(main.m_bPause.load(), 0);
        settings.Close();
    });
    ui.RunModal(main, [&](DialogDriver& d) {
        for (const int position : {2, 17}) {
            auto* port = static_cast<CPort*>(main.Root().FindChildByClass("CPort", position));
            ASSERT_NE(port, nullptr);
            const CRect rect = port->GetRect();
            d.ClickAt(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
            win::BroadcastRecorder::Message click{};
            ASSERT_TRUE(broadcasts.WaitFor(PortClickMessage(), 5s, &click));
            EXPECT_EQ(click.wParam, 0u);
            EXPECT_EQ(click.lParam, position + 1);
            EXPECT_EQ(click.lParam, port->GetPortValue());
        }
        EXPECT_EQ(ui.ModalRuns<CPortSetInfo>(), 2);
        d.Close();
    });
}

TEST_F(MainWindowTest, AboutBoxesNameTheModel) {
    UseModel("DUZ-3300-28P");
    CDerariModuleDlg main(nullptr, m_ini);
    int shown = 0;
    ui.OnModal<CAboutDlg>([&](DialogDriver& about) {
        EXPECT_EQ(about.Window().GetWindowText(), "DUZ-3300-28P Module");
        EXPECT_EQ(about.GetText(about_ids::IDC_MODEL_NAME), "DUZ-3300-28P Management Module");
        EXPECT_EQ(main.m_bPause.load(), shown == 0 ? 0 : 1) << "the system menu's box runs without the wrapper";
        ++shown;
        about.Click(IDOK);
    });
    ui.RunModal(main, [&](DialogDriver& d) {
        d.ChooseSystemMenu("&About DUZ-3300-28ZA1 Module...");
        ASSERT_TRUE(WaitUntil([&] { return shown == 1; }));
        d.ChooseMenu({"About   ", "About DUZ-3300-28P"});
        ASSERT_TRUE(WaitUntil([&] { return shown == 2 && main.IsWindowVisible() && !main.IsIconic(); }));
        d.Close();
    });
}

TEST_F(MainWindowTest, ActivationMessageBringsTheWindowBack) {
    UseModel("DUZ-3300-28ZA1");
    ModuleActivateMessage = RegisterWindowMessage(ModuleInstanceName("DUZ-3300-28ZA1", s_sim->Address()).c_str());
    ASSERT_NE(ModuleActivateMessage, 0u);
    CDerariModuleDlg main(nullptr, m_ini);
    ui.RunModal(main, [&](DialogDriver& d) {
        main.ShowWindow(SW_MINIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return main.IsIconic(); }));
        // As the program does: broadcasts arrive as messages posted to the top-level windows.
        ASSERT_TRUE(win::SetBroadcastReceiver([](UINT m, WPARAM w, LPARAM l) { ui::PostToTopLevelWindows(m, w, l); }));
        ASSERT_GT(win::BroadcastMessage(ModuleActivateMessage, 0, 0), 0);
        EXPECT_TRUE(WaitUntil([&] { return !main.IsIconic() && main.IsWindowVisible(); }));
        win::SetBroadcastReceiver(nullptr);
        d.Close();
    });
    ModuleActivateMessage = 0;
}

TEST_F(MainWindowTest, ShutDownClosesTheSessionsInOrder) {
    UseModel("DUZ-3300-28ZA1");
    win::StartDebugCapture();
    CDerariModuleDlg main(nullptr, m_ini);
    ui.RunModal(main, [&](DialogDriver& d) { d.Close(); });
    std::vector<std::string> lines;
    for (const std::string& line : win::CapturedDebugLines())
        if (line.ends_with("===============")) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "==================DestroyWindow===============",
                         "==================m_cCommonSNMP.Close===============",
                         "==================m_cCommonSNMPset.Close===============",
                         "==================m_cCommonSNMPFan.Close===============",
                         "==================m_cCommonSNMPPoe.Close===============",
                         "==================m_cCommonSNMPDevStat.Close===============",
                         "==================m_cCommonSNMPPoeStat.Close===============",
                     }));
    win::StopDebugCapture();
}

}  // namespace
}  // namespace shelltest
