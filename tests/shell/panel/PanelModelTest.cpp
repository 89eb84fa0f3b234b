// The element model: hit tests in a real window, mouse input handed to the root's children,
// port and console clicks, lamps following their subject, drawing of direct children, and
// ownership of the tree.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>

#include "core/ModuleStartupParams.h"
#include "platform/ui/App.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Wnd.h"
#include "platform/win/ProcessStart.h"
#include "platform/win/RegisteredMessage.h"
#include "shell/panel/DevElements.h"
#include "tests/support/image/BmpBuilder.h"
#include "tests/shell/panel/PanelTestSupport.h"

using namespace std::chrono_literals;

namespace {

using paneltest::Surface;

// A top-level window whose client area the panel is attached to.
class PanelWindow {
public:
    PanelWindow() {
        ui::EnsureApplication();
        m_wnd.Create(nullptr, "panel", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0);
    }
    ~PanelWindow() { m_wnd.DestroyWindow(); }
    CWnd* get() { return &m_wnd; }

private:
    CWnd m_wnd;
};

template <class T>
T* Add(CVirtualDev& parent, int left, int top, int width, int height) {
    auto* element = new T;
    element->Init(left, top, width, height);
    parent.AddChild(element);
    return element;
}

CLamp* AddLamp(CPort& port, int type) {
    CLamp* lamp = Add<CLamp>(port, 0, 0, 6, 4);
    lamp->SetType(type);
    lamp->SetSubject(&port);
    port.Attach(lamp);
    return lamp;
}

// Picture files of one colour each, in a folder that goes with the fixture.
class PictureFiles {
public:
    PictureFiles()
        : m_dir(std::filesystem::path(::testing::TempDir()) / ("panel_model_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_dir);
    }
    ~PictureFiles() { std::filesystem::remove_all(m_dir); }
    std::string Make(const std::string& name, std::uint32_t rgb) {
        const std::string path = (m_dir / name).string();
        bmptest::WriteFile(path, bmptest::Solid(4, 4, rgb));
        return path;
    }

private:
    std::filesystem::path m_dir;
};

}  // namespace

TEST(PanelModelTest, HitTestKeepsATwoPixelBandInsideEachEdge) {
    PanelWindow window;
    CDevModule root;
    CVirtualDev* element = Add<CVirtualDev>(root, 10, 20, 30, 40);  // x 10..40, y 20..60
    int x = 25, y = 40;
    EXPECT_FALSE(element->HitTest(x, y)) << "never attached to a window";

    root.SetOwner(window.get());
    struct Case {
        int x, y;
        bool hit;
    };
    for (const Case& c : std::vector<Case>{{12, 40, false},
                                           {13, 40, true},
                                           {37, 40, true},
                                           {38, 40, false},
                                           {25, 22, false},
                                           {25, 23, true},
                                           {25, 57, true},
                                           {25, 58, false},
                                           {10, 20, false},
                                           {0, 0, false}}) {
        EXPECT_EQ(element->HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;
    }
}

TEST(PanelModelTest, CursorShowsWhatThePointerIsOver) {
    PanelWindow window;
    CWinApp app;
    CDevModule root;
    Add<CVirtualDev>(root, 10, 20, 30, 40);
    Add<CPort>(root, 100, 20, 20, 20);
    Add<CCom>(root, 130, 20, 20, 20);
    Add<CSlot>(root, 130, 20, 20, 20);  // after the console, over it: the last hit decides
    root.SetOwner(window.get());
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR hand = app.LoadCursor(kHandCursor);
    ASSERT_NE(hand, nullptr);
    ASSERT_NE(hand, arrow);
    struct Case {
        int x, y;
        HCURSOR cursor;
    };
    for (const Case& c : std::vector<Case>{{25, 40, arrow}, {110, 30, hand}, {140, 30, arrow}}) {
        SetCursor(c.cursor == arrow ? hand : arrow);
        int x = c.x, y = c.y;
        root.OnMouseMove(x, y);
        EXPECT_EQ(GetCursor(), c.cursor) << c.x << "," << c.y;
    }
    // A miss leaves the cursor as it was.
    SetCursor(hand);
    int x = 200, y = 150;
    root.OnMouseMove(x, y);
    EXPECT_EQ(GetCursor(), hand);
}

TEST(PanelModelTest, RootHandsInputToDirectChildrenOnly) {
    PanelWindow window;
    ModuleStartupParams::ResetToDefaults();
    ModuleStartupParams::DeviceIP = "127.0.0.1";
    win::ProgramStartRecorder starts;
    win::BroadcastRecorder broadcasts;
    ASSERT_TRUE(broadcasts.IsListening());
    int dialogs = 0;
    CPort::SetSettingsDialogRunner([&] { ++dialogs; });

    CDevModule root;
    CPanel* panel = Add<CPanel>(root, 0, 0, 300, 200);
    CPort* nested = Add<CPort>(*panel, 10, 10, 20, 20);
    nested->SetPortValue(91);
    CPort* port = Add<CPort>(root, 50, 10, 20, 20);
    port->SetPortValue(93);
    CCom* console = Add<CCom>(root, 50, 10, 20, 20);  // over the port: both act, in order
    (void)console;
    root.SetOwner(window.get());

    int x = 20, y = 20;  // only the nested port is here
    root.OnLButtonDown(x, y);
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(starts.Starts().empty());

    x = 60;
    root.OnLButtonDown(x, y);
    // wParam and lParam both carry the port's number.
    EXPECT_TRUE(paneltest::WaitForPortClicks(broadcasts, 93, 1));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(starts.Starts(), std::vector<std::vector<std::string>>{win::TelnetCommand("127.0.0.1")});
    // A broadcast sent after the click arrives after every one the click sent.
    const UINT marker = RegisterWindowMessage("panel test: after the click");
    ASSERT_GE(win::BroadcastMessage(marker, 0, 0), 1);
    ASSERT_TRUE(broadcasts.WaitFor(marker, 5s));
    EXPECT_EQ(paneltest::PortClicks(broadcasts, 93), 1) << "one click, one broadcast";
    EXPECT_EQ(paneltest::PortClicks(broadcasts, 91), 0);
    CPort::SetSettingsDialogRunner(nullptr);
}

TEST(PanelModelTest, LampsFollowTheirPort) {
    PictureFiles files;
    CDevModule root;
    CPort* port = Add<CPort>(root, 0, 0, 10, 10);
    const std::uint32_t colours[5] = {0xE09020, 0x30C030, 0xC02020, 0x101010, 0x808080};
    for (int i = 0; i < 5; ++i) port->SetPortBitmap(i, files.Make("state" + std::to_string(i) + ".bmp", colours[i]));
    port->SetPortBitmap(5, "ignored.bmp");
    EXPECT_EQ(port->GetPortBitmap(5), "");
    CLamp* link = AddLamp(*port, LAMP_LINK);
    CLamp* speed = AddLamp(*port, LAMP_S100M);
    CLamp* power = AddLamp(*port, LAMP_POWER);
    port->SetPortStatus(PORT_ENABLE);

    struct Case {
        int state;
        int link, speed, power;
    };
    for (const Case& c : std::vector<Case>{{PORT_LINK100, LAMP_ON, LAMP_ON, LAMP_OFF},
                                           {PORT_LINK10, LAMP_1G, LAMP_1G, LAMP_OFF},
                                           {PORT_DISABLED, LAMP_OFF, LAMP_OFF, LAMP_OFF},
                                           {PORT_EMPTY, LAMP_OFF, LAMP_OFF, LAMP_OFF}}) {
        SCOPED_TRACE(c.state);
        port->SetPortStatus(c.state);
        EXPECT_EQ(port->GetStatus(), c.state);
        EXPECT_EQ(port->GetState(), c.state);
        EXPECT_EQ(link->GetStatus(), c.link);
        EXPECT_EQ(speed->GetStatus(), c.speed);
        EXPECT_EQ(power->GetStatus(), c.power);
        EXPECT_EQ(port->GetImagePixel(1, 1), 0xFF000000u | colours[c.state]);
    }

    // The same status again changes nothing, even after the lamp was set by hand.
    link->SetStatus(LAMP_ON);
    port->SetPortStatus(PORT_EMPTY);
    EXPECT_EQ(link->GetStatus(), LAMP_ON);

    // A missing picture: the lamps show the new state, the port keeps its old picture, and the
    // subject state stays at the last lamp's value.
    port->SetPortBitmap(PORT_LINK10, "/nonexistent/link10.bmp");
    port->SetPortStatus(PORT_LINK10);
    EXPECT_EQ(link->GetStatus(), LAMP_1G);
    EXPECT_EQ(port->GetImagePixel(1, 1), 0xFF000000u | colours[PORT_EMPTY]);
    EXPECT_FALSE(port->Refresh());
}

TEST(PanelModelTest, ConsoleAndPowerPassTheirStatusToLamps) {
    CDevModule root;
    CCom* console = Add<CCom>(root, 0, 0, 10, 10);
    CPower* power = Add<CPower>(root, 0, 0, 10, 10);
    for (CVirtualDev* holder : std::vector<CVirtualDev*>{console, power}) {
        auto* subject = dynamic_cast<CSubject*>(holder);
        CLamp* lamp = Add<CLamp>(*holder, 0, 0, 1, 1);
        lamp->SetSubject(subject);
        subject->Attach(lamp);
        for (auto [status, lampState] :
             std::vector<std::pair<int, int>>{{0, LAMP_ON}, {1, LAMP_1G}, {2, LAMP_OFF}, {7, LAMP_OFF}}) {
            holder->SetStatus(status);
            EXPECT_TRUE(holder->Refresh());
            EXPECT_EQ(subject->GetState(), status);
            EXPECT_EQ(lamp->GetStatus(), lampState) << CVirtualDev::GetClassName(holder) << " " << status;
        }
    }
    // A lamp without a subject stays as it is.
    CLamp loose;
    loose.SetStatus(LAMP_1G);
    loose.Update();
    EXPECT_EQ(loose.GetStatus(), LAMP_1G);
}

TEST(PanelModelTest, ResetPortsEnablesThePortsOfAModuleAndItsModules) {
    CModule module;
    CPort* a = Add<CPort>(module, 0, 0, 1, 1);
    CModule* inner = Add<CModule>(module, 0, 0, 1, 1);
    CPort* b = Add<CPort>(*inner, 0, 0, 1, 1);
    CPanel* panel = Add<CPanel>(module, 0, 0, 1, 1);
    CPort* hidden = Add<CPort>(*panel, 0, 0, 1, 1);
    CLamp* lamp = AddLamp(*a, LAMP_LINK);
    lamp->SetStatus(LAMP_ON);
    module.ResetPorts();
    EXPECT_EQ(a->GetStatus(), PORT_ENABLE);
    EXPECT_EQ(b->GetStatus(), PORT_ENABLE);
    EXPECT_EQ(hidden->GetStatus(), 0);
    EXPECT_EQ(lamp->GetStatus(), LAMP_OFF);
}

TEST(PanelModelTest, DrawsDirectChildrenAndClearsTheirDirtyFlag) {
    ui::EnsureApplication();
    PictureFiles files;
    CDevModule root;
    CPanel* panel = Add<CPanel>(root, 5, 6, 20, 10);
    panel->SetBmpName(files.Make("panel.bmp", 0x0000FF));
    ASSERT_TRUE(panel->Refresh());
    CSlot* nested = Add<CSlot>(*panel, 0, 0, 5, 5);
    nested->SetBmpName(files.Make("slot.bmp", 0x00FF00));
    ASSERT_TRUE(nested->Refresh());
    Add<CPort>(root, 0, 0, 5, 5);  // no picture: nothing to paint
    EXPECT_TRUE(panel->IsDirty());

    root.DrawChildren();  // no device context yet: nothing to draw on
    EXPECT_FALSE(panel->IsDirty());

    panel->SetStatus(4);
    EXPECT_TRUE(panel->IsDirty());
    Surface surface(40, 30);
    root.SetDC(surface.dc());
    root.DrawChildren();
    // The panel's 4 x 4 picture stretched over its rectangle (5, 6)-(25, 16), the slot not drawn.
    const COLORREF blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    for (auto [x, y, colour] : std::vector<std::tuple<int, int, COLORREF>>{
             {5, 6, blue}, {24, 15, blue}, {4, 6, white}, {25, 10, white}, {10, 16, white}, {6, 7, blue}}) {
        EXPECT_EQ(surface.At(x, y), colour) << x << "," << y;
    }
    EXPECT_FALSE(panel->IsDirty());
    EXPECT_TRUE(nested->IsDirty()) << "grandchildren are not drawn";
}

TEST(PanelModelTest, StretchScalesAndCopiesPixelForPixel) {
    ui::EnsureApplication();
    // 2 x 2: red green / blue white, as an 8-bit picture with a palette.
    std::vector<bmptest::Rgb> table(256, bmptest::Rgb{0, 0, 0});
    table[1] = {255, 0, 0};
    table[2] = {0, 255, 0};
    table[3] = {0, 0, 255};
    table[4] = {255, 255, 255};
    const auto bytes = bmptest::Build({.width = 2, .height = 2, .bits = 8, .table = table, .values = {1, 2, 3, 4}});
    const std::string path = ::testing::TempDir() + "panel_stretch.bmp";
    bmptest::WriteFile(path, bytes);
    CDIBitmap dib;
    ASSERT_TRUE(dib.LoadFromFile(path.c_str()));
    std::filesystem::remove(path);
    Surface surface(20, 20);
    dib.Stretch(surface.dc(), 0, 0, 2, 2);
    EXPECT_EQ(surface.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(surface.At(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(surface.At(1, 1), RGB(255, 255, 255));
    dib.Stretch(surface.dc(), 10, 10, 8, 6);
    EXPECT_EQ(surface.At(13, 12), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(14, 12), RGB(0, 255, 0));
    EXPECT_EQ(surface.At(13, 13), RGB(0, 0, 255));
    EXPECT_EQ(surface.At(17, 15), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(18, 15), RGB(255, 255, 255)) << "outside stays as it was";
    CDIBitmap empty;
    empty.Stretch(surface.dc(), 0, 0, 20, 20);
    EXPECT_EQ(surface.At(0, 0), RGB(255, 0, 0));
}

TEST(PanelModelTest, TreeQueriesAndOwnership) {
    static std::atomic<int> destroyed{0};
    struct CountedLamp : CLamp {
        ~CountedLamp() override { ++destroyed; }
    };
    destroyed = 0;
    {
        CDevModule root;
        Add<CPanel>(root, 0, 0, 1, 1);
        CPort* p0 = Add<CPort>(root, 0, 0, 1, 1);
        CPort* p1 = Add<CPort>(root, 0, 0, 1, 1);
        p0->AddChild(new CountedLamp);
        p1->AddChild(new CountedLamp);
        root.GetChild(0)->AddChild(new CountedLamp);
        EXPECT_EQ(root.FindChildByClass("CPort", 0), p0);
        EXPECT_EQ(root.FindChildByClass("CPort", 1), p1);
        EXPECT_EQ(root.FindChildByClass("CPort", 2), nullptr);
        EXPECT_EQ(root.FindChildByClass("CPort", -1), nullptr);
        EXPECT_EQ(root.FindChildByClass("CLamp", 0), nullptr);
        EXPECT_EQ(root.GetChild(3), nullptr);
        EXPECT_EQ(root.GetChild(-1), nullptr);
        EXPECT_EQ(CVirtualDev::GetClassName(&root), "CDevModule");
        EXPECT_EQ(CVirtualDev::GetClassName(nullptr), "");

        // LED positions: a port's first child; a missing port or child gives none.
        p0->GetChild(0)->Init(7, 9, 6, 4);
        Add<CPort>(root, 0, 0, 1, 1);  // no child
        int x = -1, y = -1;
        EXPECT_TRUE(root.GetPortLedPosition(0, x, y));
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(7, 9));
        x = y = -1;
        EXPECT_FALSE(root.GetPortLedPosition(2, x, y));
        EXPECT_FALSE(root.GetPortLedPosition(3, x, y));
        EXPECT_FALSE(root.GetPortLedPosition(-1, x, y));
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(-1, -1));
    }
    EXPECT_EQ(destroyed, 3);
}

// Port states change on worker threads while the user-interface thread draws and hit-tests.
TEST(PanelModelTest, StatusChangesOnWorkersMeetDrawingSafely) {
    PictureFiles files;
    ui::EnsureApplication();
    CDevModule root;
    std::vector<CPort*> ports;
    for (int i = 0; i < 4; ++i) {
        CPort* port = Add<CPort>(root, i * 20, 0, 18, 14);
        for (int s = 0; s < 5; ++s)
            port->SetPortBitmap(s,
                                files.Make("s" + std::to_string(s) + ".bmp", 0x101010u * static_cast<unsigned>(s + 1)));
        AddLamp(*port, LAMP_LINK);
        ports.push_back(port);
    }
    Surface surface(100, 20);
    root.SetDC(surface.dc());
    std::vector<std::thread> workers;
    for (int w = 0; w < 2; ++w) {
        workers.emplace_back([&, w] {
            for (int n = 0; n < 200; ++n) ports[static_cast<std::size_t>((n + w) % 4)]->SetPortStatus(n % 5);
        });
    }
    for (int n = 0; n < 200; ++n) {
        root.DrawChildren();
        int x = 5, y = 5;
        root.OnMouseMove(x, y);
    }
    for (auto& t : workers) t.join();
    root.DrawChildren();
    for (int i = 0; i < 4; ++i) {
        const int status = ports[static_cast<std::size_t>(i)]->GetStatus();
        const COLORREF shade = static_cast<COLORREF>(0x10 * (status + 1));
        EXPECT_EQ(surface.At(i * 20 + 9, 7), RGB(shade, shade, shade)) << "port " << i << " shows its last state";
    }
}
