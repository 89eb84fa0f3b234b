// A worker inserts 5,000 list rows, one SendMessage per row (as the logic classes report
// rows), into a dialog running its modal loop; measured until the rows are shown.
#include <QAbstractItemModel>
#include <QTimer>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Template.h"

namespace {
constexpr int IDD_BENCH = 9901;
constexpr int IDC_ROWS = 1001;
constexpr UINT WM_BENCH_ROW = WM_APP + 1;
constexpr int kRows = 5000;

// clang-format off
UI_DIALOG_TEMPLATE(IDD_BENCH, "Rows", DS_MODALFRAME | WS_CAPTION,
    Column({List(IDC_ROWS).Size(500, 400), Row({Stretch(), Button(IDCANCEL, "&Close")})}))
// clang-format on

struct Row {
    char index[16];
    char name[32];
    char state[16];
};

class CBenchDlg : public CDialog {
public:
    explicit CBenchDlg(bool layoutEveryRow) : CDialog(IDD_BENCH), m_layoutEveryRow(layoutEveryRow) {}
    const bool m_layoutEveryRow;  // for comparison: the view laid out after every row
    CListCtrl m_list;
    std::thread m_worker;
    std::chrono::steady_clock::time_point m_start, m_sent, m_shown;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_ROWS, m_list); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_list.InsertColumn(0, "Index", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, "Name", LVCFMT_LEFT, 200);
        m_list.InsertColumn(2, "State", LVCFMT_CENTER, 100);
        const HWND hwnd = m_hWnd;
        m_start = std::chrono::steady_clock::now();
        m_worker = std::thread([this, hwnd] {
            for (int i = 0; i < kRows; ++i) {
                Row row;
                std::snprintf(row.index, sizeof row.index, "%d", i + 1);
                std::snprintf(row.name, sizeof row.name, "port-%05d", i);
                std::snprintf(row.state, sizeof row.state, "%s", i % 3 ? "Up" : "Down");
                ::SendMessage(hwnd, WM_BENCH_ROW, 0, reinterpret_cast<LPARAM>(&row));
            }
            m_sent = std::chrono::steady_clock::now();
            ::PostMessage(hwnd, WM_BENCH_ROW, 1, 0);
        });
        return TRUE;
    }
    LRESULT OnRow(WPARAM code, LPARAM lp) {
        if (code == 1) {
            WaitShown();
            return 0;
        }
        const auto* row = reinterpret_cast<const Row*>(lp);
        const int n = m_list.InsertItem(m_list.GetItemCount(), row->index);
        m_list.SetItemText(n, 1, row->name);
        m_list.SetItemText(n, 2, row->state);
        if (m_layoutEveryRow) {
            m_list.FlushView();
            m_list.UpdateWindow();
        }
        return 0;
    }
    // Ends the run once the view shows every row (its model publishes them all).
    void WaitShown() {
        auto* view = qobject_cast<QTreeView*>(ui::WidgetOf(m_list.GetSafeHwnd()));
        if (view && view->model()->rowCount() == kRows) {
            m_shown = std::chrono::steady_clock::now();
            EndDialog(IDOK);
            return;
        }
        QTimer::singleShot(1, [this] { WaitShown(); });
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchDlg, CDialog)
    ON_MESSAGE(WM_BENCH_ROW, OnRow)
END_MESSAGE_MAP()
}  // namespace

int main() {
    ui::EnsureApplication();
    for (const bool everyRow : {false, true}) {
        for (int run = 0; run < (everyRow ? 1 : 3); ++run) {
            CBenchDlg dlg(everyRow);
            dlg.DoModal();
            dlg.m_worker.join();
            using us = std::chrono::duration<double, std::micro>;
            const double sent = us(dlg.m_sent - dlg.m_start).count();
            const double shown = us(dlg.m_shown - dlg.m_start).count();
            std::printf(
                "%s run %d: %d rows, one SendMessage each: %.1f us/row sent, %.1f us/row until shown (%.1f ms)\n",
                everyRow ? "view laid out and painted per row (for comparison)" : "coalesced", run + 1, kRows,
                sent / kRows, shown / kRows, shown / 1000);
        }
    }
    return 0;
}
