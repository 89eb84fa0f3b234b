// Threads: blocking sends from workers, waits that keep serving them, calls on windows that
// are gone, control calls from workers, the clock.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Template.h"
#include "platform/win/Clock.h"
#include "platform/win/Event.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using namespace std::chrono_literals;

namespace {

enum : int { IDD_TABLE = 9201, IDC_TABLE = 1201, IDC_COUNTER = 1202 };
constexpr UINT WM_TABLE_ROW = WM_USER + 200;
constexpr UINT WM_TABLE_SELF = WM_USER + 201;

// clang-format off
UI_DIALOG_TEMPLATE(IDD_TABLE, "Table", DS_MODALFRAME | WS_CAPTION,
    Column({List(IDC_TABLE).Size(300, 200), Label(IDC_COUNTER, "0"), Row({Stretch(), Button(IDCANCEL, "&Close")})}))
// clang-format on

// A table dialog filled by a worker, one SendMessage per row, as the logic classes do.
class CTableDlg : public CDialog {
public:
    CTableDlg() : CDialog(IDD_TABLE) {}
    CListCtrl m_list;
    std::atomic<int> m_rowCalls{0};
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_callAfterClose{false};
    std::thread::id m_uiThread = std::this_thread::get_id();
    std::atomic<bool> m_offThread{false};

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TABLE, m_list); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_list.InsertColumn(0, "Index", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, "Value", LVCFMT_LEFT, 120);
        return TRUE;
    }
    LRESULT OnRow(WPARAM code, LPARAM text) {
        if (m_closed) m_callAfterClose = true;
        if (std::this_thread::get_id() != m_uiThread) m_offThread = true;
        ++m_rowCalls;
        if (code != 0) return 0;
        const int row = m_list.InsertItem(m_list.GetItemCount(), std::to_string(m_list.GetItemCount()));
        m_list.SetItemText(row, 1, reinterpret_cast<const char*>(text));
        return row + 1;
    }
    LRESULT OnSelf(WPARAM depth, LPARAM) {
        // A send to itself from its own thread is a direct call, even nested.
        return depth == 0 ? 1 : 1 + SendMessage(WM_TABLE_SELF, depth - 1, 0);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTableDlg, CDialog)
    ON_MESSAGE(WM_TABLE_ROW, OnRow)
    ON_MESSAGE(WM_TABLE_SELF, OnSelf)
END_MESSAGE_MAP()

}  // namespace

TEST(Threads, WorkerSendMessageBlocksAndRunsOnTheUiThread) {
    Harness ui;
    CTableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const HWND hwnd = dlg.GetSafeHwnd();
        std::vector<LRESULT> results;
        std::thread worker([&] {
            for (int i = 0; i < 20; ++i)
                results.push_back(SendMessage(hwnd, WM_TABLE_ROW, 0, reinterpret_cast<LPARAM>("v")));
        });
        win::Event never;
        // The UI thread waits on an event: the wait keeps serving the worker's sends.
        EXPECT_EQ(never.Wait(200), WAIT_TIMEOUT);
        worker.join();
        ASSERT_EQ(results.size(), 20u);
        for (int i = 0; i < 20; ++i) EXPECT_EQ(results[i], i + 1);
        EXPECT_FALSE(dlg.m_offThread);
        EXPECT_EQ(d.GetRows(IDC_TABLE).size(), 20u);
        d.Click(IDCANCEL);
    });
}

TEST(Threads, SendToSelfOnTheUiThreadIsADirectCall) {
    Harness ui;
    CTableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(dlg.SendMessage(WM_TABLE_SELF, 5, 0), 6);
        EXPECT_EQ(SendMessage(dlg.GetSafeHwnd(), WM_TABLE_SELF, 0, 0), 1);
        d.Click(IDCANCEL);
    });
}

TEST(Threads, WaitingForAWorkerThatSendsDoesNotStall) {
    Harness ui;
    CTableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        win::Event done;
        std::thread worker([&] {
            SendMessage(dlg.GetSafeHwnd(), WM_TABLE_ROW, 0, reinterpret_cast<LPARAM>("x"));
            done.Set();
        });
        EXPECT_EQ(done.Wait(5000), WAIT_OBJECT_0);
        worker.join();
        EXPECT_EQ(dlg.m_rowCalls, 1);
        d.Click(IDCANCEL);
    });
}

// A worker sends 1,000 rows while the user closes the dialog: the close does not wait for the
// rows, nothing crashes, and no row reaches the dialog after it has gone.
TEST(Threads, ClosingWhileAWorkerSendsRowsDropsTheRestSafely) {
    Harness ui;
    CTableDlg dlg;
    std::atomic<int> sent{0};
    std::atomic<int> answered{0};
    std::thread worker;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const HWND hwnd = dlg.GetSafeHwnd();
        worker = std::thread([&, hwnd] {
            for (int i = 0; i < 1000; ++i) {
                if (SendMessage(hwnd, WM_TABLE_ROW, 0, reinterpret_cast<LPARAM>("row")) != 0) ++answered;
                ++sent;
            }
        });
        ui::test::WaitUntil([&] { return dlg.m_rowCalls >= 100; });
        d.Click(IDCANCEL);
    });
    dlg.m_closed = true;
    const int rowsAtClose = dlg.m_rowCalls;
    // The worker's remaining sends return at once with 0.
    win::Event finished;
    std::thread watcher([&] {
        worker.join();
        finished.Set();
    });
    EXPECT_EQ(finished.Wait(5000), WAIT_OBJECT_0) << "the worker stalled after the close";
    watcher.join();
    EXPECT_EQ(sent, 1000);
    EXPECT_EQ(answered, rowsAtClose);
    EXPECT_FALSE(dlg.m_callAfterClose);
    EXPECT_LT(rowsAtClose, 1000);
}

namespace {
// A dialog that owns a worker feeding it rows and, like the dialogs that own sessions, stops
// and waits for it when its window goes.
class CFedDlg : public CTableDlg {
public:
    std::atomic<bool> m_stop{false};
    win::Event m_workerDone;
    DWORD m_waitResult = 0;
    std::thread m_worker;

    BOOL DestroyWindow() override {
        m_stop = true;
        m_waitResult = m_workerDone.Wait(3000);  // keeps serving the worker's sends
        return CTableDlg::DestroyWindow();
    }
    void Start() {
        const HWND hwnd = m_hWnd;
        m_worker = std::thread([this, hwnd] {
            while (!m_stop) ::SendMessage(hwnd, WM_TABLE_ROW, 0, reinterpret_cast<LPARAM>("fed"));
            m_workerDone.Set();
        });
    }
};
}  // namespace

TEST(Threads, ADialogThatWaitsForItsWorkerWhileClosingDoesNotDeadlock) {
    Harness ui;
    CFedDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        dlg.Start();
        ui::test::WaitUntil([&] { return dlg.m_rowCalls >= 50; });
        d.Click(IDCANCEL);
    });
    dlg.m_worker.join();
    EXPECT_EQ(dlg.m_waitResult, WAIT_OBJECT_0);
    EXPECT_FALSE(IsWindow(dlg.GetSafeHwnd()));
}

TEST(Threads, BroadcastReachesTopLevelWindowsOnTheUiThread) {
    Harness ui;
    CTableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        std::thread listener([] { ui::PostToTopLevelWindows(WM_TABLE_ROW, 2, 0); });
        listener.join();
        ui::test::WaitUntil([&] { return dlg.m_rowCalls == 1; });
        EXPECT_FALSE(dlg.m_offThread);
        d.Click(IDCANCEL);
    });
}

TEST(Threads, ControlCallsFromWorkersAreCarriedOutOnTheUiThread) {
    Harness ui;
    CTableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        std::thread worker([&] {
            for (int i = 0; i < 50; ++i) {
                const int row = dlg.m_list.InsertItem(dlg.m_list.GetItemCount(), std::to_string(i));
                dlg.m_list.SetItemText(row, 1, "w");
            }
            dlg.SetDlgItemText(IDC_COUNTER, std::to_string(dlg.m_list.GetItemCount()));
            dlg.GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
            dlg.SetTimer(3, 10);
            dlg.KillTimer(3);
            dlg.PostMessage(WM_TABLE_ROW, 1, reinterpret_cast<LPARAM>("posted"));
        });
        win::Event never;
        never.Wait(100);
        worker.join();
        ui::test::WaitUntil([&] { return dlg.m_rowCalls == 1; });  // the posted message
        EXPECT_EQ(d.GetText(IDC_COUNTER), "50");
        EXPECT_EQ(d.GetRows(IDC_TABLE)[49], (std::vector<std::string>{"49", "w"}));
        EXPECT_FALSE(d.IsEnabled(IDCANCEL));
        dlg.GetDlgItem(IDCANCEL)->EnableWindow(TRUE);
        d.Click(IDCANCEL);
    });
}

TEST(Threads, TheClockRunsFasterWhenATestSaysSo) {
    ui::EnsureApplication();
    win::SetClockSpeed(50);
    const DWORD start = win::GetTickCount();
    const auto realStart = std::chrono::steady_clock::now();
    win::Sleep(1000);  // 20 ms of real time
    const auto real = std::chrono::steady_clock::now() - realStart;
    const DWORD elapsed = win::GetTickCount() - start;
    win::SetClockSpeed(1);
    EXPECT_GE(elapsed, 1000u);
    EXPECT_LT(real, 900ms);
    win::Event stop(true, true);
    EXPECT_TRUE(win::WaitPeriod(stop, 100000));
}
