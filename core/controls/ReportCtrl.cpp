#include "core/controls/ReportCtrl.h"

#include <algorithm>

#include "platform/ui/Gdi.h"

namespace {

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr UINT kNoId = static_cast<UINT>(-1);
constexpr int kNarrowestButtonColumn = 4;

CRowInfo* RowInfoOf(DWORD_PTR data) { return reinterpret_cast<CRowInfo*>(data); }

}  // namespace

// ---- CButtonEx ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CButtonEx, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

void CButtonEx::OnClicked() {
    CWnd* list = GetParent();
    CWnd* dialog = list ? list->GetParent() : nullptr;
    if (dialog)
        dialog->SendMessage(WM_REPORT_BUTTON_CLICKED, static_cast<WPARAM>(m_nRow), static_cast<LPARAM>(m_nColumn));
}

// ---- CReportCtrl --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CReportCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnDeleteItem)
    ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDeleteAllItems)
    ON_NOTIFY(HDN_DIVIDERDBLCLICKA, 0, OnDividerDblClick)
    ON_NOTIFY(HDN_DIVIDERDBLCLICKW, 0, OnDividerDblClick)
    ON_NOTIFY(HDN_ENDTRACKA, 0, OnEndTrack)
    ON_NOTIFY(HDN_ENDTRACKW, 0, OnEndTrack)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CReportCtrl::CReportCtrl() = default;

CReportCtrl::~CReportCtrl() {
    // The rows' records go with the window; destroy it while this is still a report list.
    if (GetSafeHwnd() != nullptr) DestroyWindow();
}

void CReportCtrl::PreSubclassWindow() {
    const DWORD style = GetStyle();
    const DWORD kept = style & ~(LVS_NOSORTHEADER | LVS_EDITLABELS | LVS_TYPEMASK);
    ModifyStyle(style, kept | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LVS_REPORT);
    CListCtrl::SetExtendedStyle(LVS_EX_SUBITEMIMAGES);
    CListCtrl::PreSubclassWindow();
}

void CReportCtrl::ForgetSort() {
    m_nSortCol = -1;
    m_bSortAscending = TRUE;
}

int CReportCtrl::InsertColumn(int col, const std::string& heading, int format, int width, int subItem) {
    const int at = CListCtrl::InsertColumn(col, heading, format, width, subItem);
    if (at < 0) return -1;
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    const int rows = GetItemCount();
    for (int r = 0; r < rows; ++r) {
        CRowInfo* info = RowInfo(r);
        if (!info) continue;
        const auto pos =
            static_cast<std::ptrdiff_t>(std::min<size_t>(static_cast<size_t>(at), info->m_arrTextColor.size()));
        info->m_arrTextColor.insert(info->m_arrTextColor.begin() + pos, text);
        info->m_arrBkColor.insert(info->m_arrBkColor.begin() + pos, background);
    }
    return at;
}

DWORD CReportCtrl::SetExtendedStyle(DWORD style) { return CListCtrl::SetExtendedStyle(style | LVS_EX_SUBITEMIMAGES); }

int CReportCtrl::InsertItem(int row, const std::string& text) {
    ForgetSort();
    const int at = CListCtrl::InsertItem(row, text);
    if (at < 0) return -1;
    auto info = std::make_unique<CRowInfo>();
    info->m_dwData = CListCtrl::GetItemData(at);
    const auto columns = static_cast<size_t>(GetColumnCount());
    info->m_arrTextColor.assign(columns, GetSysColor(COLOR_WINDOWTEXT));
    info->m_arrBkColor.assign(columns, GetSysColor(COLOR_WINDOW));
    CListCtrl::SetItemData(at, reinterpret_cast<DWORD_PTR>(info.release()));
    return at;
}

CRowInfo* CReportCtrl::RowInfo(int row) const { return RowInfoOf(CListCtrl::GetItemData(row)); }

BOOL CReportCtrl::SetItemData(int row, DWORD_PTR data) {
    CRowInfo* info = RowInfo(row);
    if (info == nullptr) return FALSE;
    info->m_dwData = data;
    return TRUE;
}

DWORD_PTR CReportCtrl::GetItemData(int row) const {
    const CRowInfo* info = RowInfo(row);
    return info != nullptr ? info->m_dwData : 0;
}

BOOL CReportCtrl::SetItemText(int row, int col, const std::string& text) {
    ForgetSort();
    return CListCtrl::SetItemText(row, col, text);
}

BOOL CReportCtrl::SetItemText(int row, int col, int value) { return SetItemText(row, col, std::to_string(value)); }

int CReportCtrl::GetItemCount(int) const { return CListCtrl::GetItemCount(); }

int CReportCtrl::DeleteItems(int) {
    SetRedraw(FALSE);
    const int count = GetItemCount();
    DeleteAllItems();  // every row's record goes with its LVN_DELETEITEM
    SetRedraw(TRUE);
    return count;
}

void CReportCtrl::OnDeleteItem(NMHDR* hdr, LRESULT* result) {
    delete RowInfoOf(static_cast<DWORD_PTR>(reinterpret_cast<NMLISTVIEW*>(hdr)->lParam));
    *result = 0;
}

void CReportCtrl::OnDeleteAllItems(NMHDR*, LRESULT* result) {
    *result = FALSE;  // one LVN_DELETEITEM per row, so that every record is released
}

void CReportCtrl::OnDestroy() {
    DeleteAllItems();
    CListCtrl::OnDestroy();
}

// ---- drawing ---------------------------------------------------------------------------

void CReportCtrl::OnCustomDraw(NMHDR* hdr, LRESULT* result) {
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    *result = CDRF_DODEFAULT;
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT: *result = CDRF_NOTIFYSUBITEMDRAW; break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const CRowInfo* info = RowInfoOf(static_cast<DWORD_PTR>(cd->nmcd.lItemlParam));
        const auto col = static_cast<size_t>(cd->iSubItem);
        if (info && col < info->m_arrTextColor.size()) {
            cd->clrText = info->m_arrTextColor[col];
            cd->clrTextBk = info->m_arrBkColor[col];
        }
        break;
    }
    default: break;
    }
}

// ---- sorting ----------------------------------------------------------------------------

void CReportCtrl::OnColumnClick(NMHDR* hdr, LRESULT* result) {
    const int col = reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem;
    const BOOL ascending = (col == m_nSortCol && m_bSortAscending) ? FALSE : TRUE;
    SortItems(col, ascending);
    *result = 0;
}

void CReportCtrl::SortItems(int col, BOOL ascending) {
    if (col < 0 || col >= GetColumnCount()) return;
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr || !(header->GetStyle() & HDS_BUTTONS)) return;
    m_nSortCol = col;
    m_bSortAscending = ascending ? TRUE : FALSE;
    SortRange(0, GetItemCount() - 1);
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_REPORT_SORTED, static_cast<WPARAM>(col), ascending ? 1 : 0);
}

int CReportCtrl::CompareItems(int rowA, int rowB) const {
    return CompareReportTexts(GetItemText(rowA, m_nSortCol), GetItemText(rowB, m_nSortCol));
}

bool CReportCtrl::SortsBefore(int rowA, int rowB) const {
    const int order = CompareItems(rowA, rowB);
    return m_bSortAscending ? order < 0 : order > 0;
}

void CReportCtrl::QuickSort(std::vector<int>& rows, int low, int high) const {
    if (low >= high) return;
    const int pivot = rows[static_cast<size_t>((low + high) / 2)];
    int lo = low, hi = high;
    while (lo <= hi) {
        while (lo < high && SortsBefore(rows[static_cast<size_t>(lo)], pivot)) ++lo;
        while (hi > low && SortsBefore(pivot, rows[static_cast<size_t>(hi)])) --hi;
        if (lo <= hi) {
            std::swap(rows[static_cast<size_t>(lo)], rows[static_cast<size_t>(hi)]);
            ++lo;
            --hi;
        }
    }
    QuickSort(rows, low, hi);
    QuickSort(rows, lo, high);
}

void CReportCtrl::SortRange(int first, int last) {
    const int count = GetItemCount();
    if (first < 0 || last >= count || first >= last) return;
    std::vector<int> order;
    for (int r = first; r <= last; ++r) order.push_back(r);
    QuickSort(order, 0, static_cast<int>(order.size()) - 1);

    // Take every row of the range as it is, then write them back in the sorted order.
    struct Row {
        std::vector<std::string> texts;
        int image = 0;
        DWORD_PTR data = 0;
        UINT state = 0;
    };
    const int columns = GetColumnCount();
    const UINT stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    std::vector<Row> rows;
    for (int r : order) {
        Row row;
        for (int c = 0; c < columns; ++c) row.texts.push_back(GetItemText(r, c));
        row.image = GetImage(r, 0);
        row.data = CListCtrl::GetItemData(r);
        row.state = GetItemState(r, stateMask);
        rows.push_back(std::move(row));
    }
    for (int r = first; r <= last; ++r) SetItemState(r, 0, stateMask);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const int r = first + i;
        const Row& row = rows[static_cast<size_t>(i)];
        for (int c = 0; c < columns; ++c) CListCtrl::SetItemText(r, c, row.texts[static_cast<size_t>(c)]);
        LVITEM item;
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = r;
        item.iImage = row.image;
        item.lParam = static_cast<LPARAM>(row.data);
        SetItem(&item);
        if (row.state) SetItemState(r, row.state, stateMask);
    }
}

// ---- keyboard and header ----------------------------------------------------------------

bool CReportCtrl::IsButton(HWND hwnd) const {
    for (const CButtonInfo& info : m_listButtons) {
        for (const auto& button : info.m_arrButtons) {
            if (button->GetSafeHwnd() == hwnd) return true;
        }
    }
    return false;
}

BOOL CReportCtrl::PreTranslateMessage(MSG* msg) {
    // The space bar neither toggles a row nor presses a cell button.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_SPACE && (msg->hwnd == GetSafeHwnd() || IsButton(msg->hwnd))) {
        return TRUE;
    }
    return CListCtrl::PreTranslateMessage(msg);
}

void CReportCtrl::OnDividerDblClick(NMHDR*, LRESULT* result) {
    *result = 0;  // the column keeps its width
}

void CReportCtrl::OnEndTrack(NMHDR*, LRESULT* result) {
    SetRedraw(FALSE);
    RepositionButtons();
    SetRedraw(TRUE);
    Invalidate();
    UpdateWindow();
    *result = 0;
}

// ---- cell buttons ------------------------------------------------------------------------

int CReportCtrl::SetItemButton(int row, int col, CCellButton button) {
    if (button.m_nType != 0) return 0;
    if (row < 0 || row >= GetItemCount() || col < 0 || col >= GetColumnCount()) return 0;
    if (GetColumnWidth(col) <= kNarrowestButtonColumn) return 0;
    CButtonInfo wanted;
    wanted.m_nRow = row;
    wanted.m_nColumn = col;
    if (std::find(m_listButtons.begin(), m_listButtons.end(), wanted) != m_listButtons.end()) return 0;
    return CreateItemButton(row, col, button.m_strText) != nullptr ? 1 : 0;
}

CButtonEx* CReportCtrl::CreateItemButton(int row, int col, const std::string& caption) {
    CRect cell;
    GetSubItemRect(row, col, LVIR_LABEL, cell);
    auto button = std::make_unique<CButtonEx>();
    if (!button->Create(caption, kButtonStyle, cell, this, kNoId)) return nullptr;
    button->ShowWindow(SW_SHOW);
    button->m_nRow = row;
    button->m_nColumn = col;
    button->m_strText = caption;
    CButtonInfo info;
    info.m_nRow = row;
    info.m_nColumn = col;
    info.m_arrButtons.push_back(std::move(button));
    m_listButtons.push_back(std::move(info));
    return m_listButtons.back().m_arrButtons.front().get();
}

int CReportCtrl::RemoveItemButton(int row, int col, int) {
    CButtonInfo wanted;
    wanted.m_nRow = row;
    wanted.m_nColumn = col;
    const auto it = std::find(m_listButtons.begin(), m_listButtons.end(), wanted);
    if (it != m_listButtons.end()) {
        for (auto& button : it->m_arrButtons) button->DestroyWindow();
        m_listButtons.erase(it);
    }
    Invalidate();
    UpdateWindow();
    return 1;
}

int CReportCtrl::PositionItemButton(int row, int col, CButtonEx* button) {
    if (row < 0 || row >= GetItemCount() || col < 0 || col >= GetColumnCount()) return 0;
    const int top = GetTopIndex();
    const bool visible = row >= top && row <= top + GetCountPerPage();
    button->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    CRect cell;
    GetSubItemRect(row, col, LVIR_LABEL, cell);
    button->MoveWindow(cell, TRUE);
    button->Invalidate();
    button->UpdateWindow();
    return 1;
}

void CReportCtrl::RepositionButtons() {
    for (CButtonInfo& info : m_listButtons) {
        CButtonEx* button = info.m_arrButtons.empty() ? nullptr : info.m_arrButtons.front().get();
        if (button && button->GetSafeHwnd()) PositionItemButton(info.m_nRow, info.m_nColumn, button);
    }
}

void CReportCtrl::RefreshButtons() { RepositionButtons(); }

void CReportCtrl::OnSize(UINT type, int cx, int cy) {
    CListCtrl::OnSize(type, cx, cy);
    RepositionButtons();
}

// The view has scrolled already when these arrive (a wheel turn arrives as a scroll too).
void CReportCtrl::OnHScroll(UINT code, UINT pos, CWnd* scrollBar) {
    RepositionButtons();
    CListCtrl::OnHScroll(code, pos, scrollBar);
}

void CReportCtrl::OnVScroll(UINT code, UINT pos, CWnd* scrollBar) {
    RepositionButtons();
    CListCtrl::OnVScroll(code, pos, scrollBar);
}
