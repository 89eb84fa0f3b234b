#include "core/controls/lxDialog.h"

#include "platform/ui/WindowExtras.h"

namespace {

constexpr DWORD kGripStyle = WS_CHILD | WS_VISIBLE | SS_BITMAP;

}  // namespace

BEGIN_MESSAGE_MAP(ClxDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_SIZING()
END_MESSAGE_MAP()

ClxDialog::ClxDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

BOOL ClxDialog::OnInitDialog() {
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    ModifyStyle(0, WS_THICKFRAME);

    CRect window;
    GetWindowRect(window);
    m_nMinWidth = window.Width();
    m_nMinHeight = window.Height();
    CRect client;
    GetClientRect(client);
    m_nClientWidth = client.Width();
    m_nClientHeight = client.Height();

    m_wndSizeGrip.Create("", kGripStyle, CRect(0, 0, 0, 0), this, 0);
    // The layer has no system bitmaps: the grip static shows the toolkit's own size grip.
    const CSize grip = ui::ShowSizeGrip(m_wndSizeGrip.GetSafeHwnd());
    m_bmpSizeGripInfo.bmWidth = grip.cx;
    m_bmpSizeGripInfo.bmHeight = grip.cy;
    m_wndSizeGrip.MoveWindow(m_nClientWidth - m_bmpSizeGripInfo.bmWidth, m_nClientHeight - m_bmpSizeGripInfo.bmHeight,
                             m_bmpSizeGripInfo.bmWidth, m_bmpSizeGripInfo.bmHeight);
    m_wndSizeGrip.ShowWindow(m_nShowGrip);
    return TRUE;
}

int ClxDialog::SetControlLayout(const LAYOUT_INFO* table, int count) {
    if (table == nullptr || count <= 0) return 0;
    m_pLayoutInfo = table;
    m_nLayoutCount = count;
    return 1;
}

void ClxDialog::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    int dx = cx - m_nClientWidth;
    int dy = cy - m_nClientHeight;
    if (type == SIZE_MINIMIZED) dx = dy = 0;

    for (int i = 0; i < m_nLayoutCount; ++i) {
        const LAYOUT_INFO& entry = m_pLayoutInfo[i];
        if (entry.nPercent < 0 || entry.nPercent > 100) continue;
        CWnd* item = GetDlgItem(entry.nID);
        if (item == nullptr || item->GetSafeHwnd() == nullptr) continue;
        CRect r;
        item->GetWindowRect(r);
        ScreenToClient(r);
        int x = r.left, y = r.top, width = r.Width(), height = r.Height();
        // Each change moves by its own truncated share; remainders are not carried over.
        const int shareX = dx * entry.nPercent / 100;
        const int shareY = dy * entry.nPercent / 100;
        switch (entry.nType) {
        case 0: x += shareX; break;
        case 1: y += shareY; break;
        case 2:
            x += shareX;
            y += shareY;
            break;
        case 3: width += shareX; break;
        case 4: height += shareY; break;
        case 5:
            width += shareX;
            height += shareY;
            break;
        default: break;
        }
        item->MoveWindow(x, y, width, height, TRUE);
    }

    if (m_wndSizeGrip.GetSafeHwnd() != nullptr) {
        m_wndSizeGrip.MoveWindow(cx - m_bmpSizeGripInfo.bmWidth, cy - m_bmpSizeGripInfo.bmHeight,
                                 m_bmpSizeGripInfo.bmWidth, m_bmpSizeGripInfo.bmHeight);
    }
    if (type != SIZE_MINIMIZED) {
        m_nClientWidth = cx;
        m_nClientHeight = cy;
    }
}

void ClxDialog::OnSizing(UINT edge, LPRECT rect) {
    CDialog::OnSizing(edge, rect);
    if (m_nMinWidth >= rect->right - rect->left) rect->right = rect->left + m_nMinWidth;
    if (m_nMinHeight >= rect->bottom - rect->top) rect->bottom = rect->top + m_nMinHeight;
}
