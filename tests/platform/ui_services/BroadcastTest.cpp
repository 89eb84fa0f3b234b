// HWND_BROADCAST: a registered message sent to every top-level window goes out through the
// module processes' broadcast and comes back to this process's windows while the application
// runs; other messages reach this process's top-level windows only.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "platform/ui/App.h"
#include "platform/ui/Template.h"
#include "platform/win/RegisteredMessage.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::Harness;
using namespace std::chrono_literals;

namespace {

enum : int { IDD_LISTENER = 9601 };
constexpr UINT WM_LOCAL = WM_USER + 77;
UINT g_activate = 0;

UI_DIALOG_TEMPLATE(IDD_LISTENER, "Listener", DS_MODALFRAME | WS_POPUP | WS_CAPTION,
                   Column({Frame(IDC_STATIC).Size(40, 20)}))

class CListenerDlg : public CDialog {
public:
    CListenerDlg() : CDialog(IDD_LISTENER) {}
    std::vector<LPARAM> activations;
    std::vector<LPARAM> locals;

    DECLARE_MESSAGE_MAP()
    LRESULT OnActivate(WPARAM, LPARAM l) {
        activations.push_back(l);
        return 0;
    }
    LRESULT OnLocal(WPARAM, LPARAM l) {
        locals.push_back(l);
        return 0;
    }
};
BEGIN_MESSAGE_MAP(CListenerDlg, CDialog)
    ON_REGISTERED_MESSAGE(g_activate, OnActivate)
    ON_MESSAGE(WM_LOCAL, OnLocal)
END_MESSAGE_MAP()

class CBroadcastApp : public CWinApp {
public:
    CListenerDlg listener;
    BOOL InitInstance() override {
        EXPECT_TRUE(listener.Create(IDD_LISTENER));
        EXPECT_TRUE(::SendNotifyMessage(HWND_BROADCAST, g_activate, 0, 42));
        EXPECT_TRUE(::PostMessage(HWND_BROADCAST, WM_LOCAL, 0, 7));
        ui::test::WaitUntil([&] { return !listener.activations.empty() && !listener.locals.empty(); });
        return FALSE;
    }
};

TEST(Broadcast, ARegisteredMessageToAllWindowsReachesThisProcessWhileTheApplicationRuns) {
    Harness ui;
    g_activate = RegisterWindowMessage(("Module:broadcast-test-" + std::to_string(getpid())).c_str());
    ASSERT_NE(g_activate, 0u);
    CBroadcastApp app;
    char name[] = "module";
    char* argv[] = {name, nullptr};
    app.Run(1, argv);
    EXPECT_EQ(app.listener.activations, (std::vector<LPARAM>{42}));
    EXPECT_EQ(app.listener.locals, (std::vector<LPARAM>{7}));

    // The application has ended: it no longer listens, the window hears nothing more.
    win::BroadcastRecorder recorder;  // proves the broadcast itself still goes out
    ::SendNotifyMessage(HWND_BROADCAST, g_activate, 0, 43);
    EXPECT_TRUE(recorder.WaitFor(g_activate, 2s));
    ui::test::Pump(100ms);
    EXPECT_EQ(app.listener.activations, (std::vector<LPARAM>{42}));
    app.listener.DestroyWindow();
}

}  // namespace
