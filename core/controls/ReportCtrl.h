#pragma once
// CReportCtrl: a report list that sorts its rows when a column heading is clicked, paints
// each cell with colours kept in a per-row record, and keeps push buttons (CButtonEx) over
// cells, following the list when it scrolls, is resized or has a column resized.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/ListCtrl.h"

// Sent to the list's parent after every sort by a header click: wParam the column, lParam 1
// ascending or 0 descending.
constexpr UINT WM_REPORT_SORTED = 0xA711;
// Sent to the list's parent when a cell button is clicked: wParam the row, lParam the column.
constexpr UINT WM_REPORT_BUTTON_CLICKED = 0xCE20;

// What SetItemButton places: kind 0, a push button, is the only kind.
struct CCellButton {
    CCellButton(int type = 0, std::string text = {}) : m_nType(type), m_strText(std::move(text)) {}
    int m_nType;
    std::string m_strText;
};

// A push button over one cell; a click tells the list's parent the row and column.
class CButtonEx : public CButton {
public:
    int m_nRow = -1;
    int m_nColumn = -1;
    int m_bCheck = 0;
    std::string m_strText;

protected:
    void OnClicked();
    DECLARE_MESSAGE_MAP()
};

// The record each row carries as its item data: the colours of its cells.
struct CRowInfo {
    DWORD_PTR m_dwData = 0;
    std::vector<COLORREF> m_arrTextColor;
    std::vector<COLORREF> m_arrBkColor;
};

struct CButtonInfo {
    int m_nRow = -1;
    int m_nColumn = -1;
    std::vector<std::unique_ptr<CButtonEx>> m_arrButtons;
    bool operator==(const CButtonInfo& other) const { return m_nRow == other.m_nRow && m_nColumn == other.m_nColumn; }
};

class CReportCtrl : public CListCtrl {
public:
    CReportCtrl();
    ~CReportCtrl() override;

    int InsertColumn(int col, const std::string& heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    // Sets exactly `style` plus LVS_EX_SUBITEMIMAGES.
    DWORD SetExtendedStyle(DWORD style);
    int InsertItem(int row, const std::string& text);
    BOOL SetItemText(int row, int col, const std::string& text);
    BOOL SetItemText(int row, int col, int value);
    // The row's own item data, kept in its record (the list's item data is the record).
    BOOL SetItemData(int row, DWORD_PTR data);
    DWORD_PTR GetItemData(int row) const;
    // The program always passes 1: every row.
    int GetItemCount(int selection = 1) const;
    // With 1 deletes every row; returns how many were deleted.
    int DeleteItems(int selection);
    int SetItemButton(int row, int col, CCellButton button);
    int RemoveItemButton(int row, int col, int type);
    void RefreshButtons();

    // Sorts every row by the column (nothing for a column that does not exist or a header
    // that cannot be clicked) and tells the parent.
    void SortItems(int col, BOOL ascending);
    // -1, 0 or 1 as row a's text in the sort column is below, equal to or above row b's.
    int CompareItems(int rowA, int rowB) const;

    int GetSortColumn() const { return m_nSortCol; }
    BOOL IsSortAscending() const { return m_bSortAscending; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PreSubclassWindow() override;
    void OnCustomDraw(NMHDR* hdr, LRESULT* result);
    void OnColumnClick(NMHDR* hdr, LRESULT* result);
    void OnDeleteItem(NMHDR* hdr, LRESULT* result);
    void OnDeleteAllItems(NMHDR* hdr, LRESULT* result);
    void OnDividerDblClick(NMHDR* hdr, LRESULT* result);
    void OnEndTrack(NMHDR* hdr, LRESULT* result);
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    void SortRange(int first, int last);
    void QuickSort(std::vector<int>& rows, int low, int high) const;
    bool SortsBefore(int rowA, int rowB) const;
    CButtonEx* CreateItemButton(int row, int col, const std::string& caption);
    int PositionItemButton(int row, int col, CButtonEx* button);
    void RepositionButtons();
    void ForgetSort();
    bool IsButton(HWND hwnd) const;
    CRowInfo* RowInfo(int row) const;

    int m_nSortCol = -1;
    BOOL m_bSortAscending = TRUE;
    std::vector<CButtonInfo> m_listButtons;
};

// The comparison of two cell texts the sort uses: decimal integers (with a sign, any length)
// by value; then hexadecimal numbers (texts that are not decimal); then decimal numbers,
// optionally followed by one "%"; then dates and times; then the texts, case-sensitively.
// Independent of the process locale.
int CompareReportTexts(const std::string& a, const std::string& b);
