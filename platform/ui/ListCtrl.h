#pragma once
// The list control in report view: columns, rows of texts with item data, check boxes,
// selection and focus, custom-drawn cell colours, header clicks and drags.
//
// The rows live in the control; the Qt view is told of changes at most every few
// milliseconds (and at once where the view's geometry is asked for), so a worker that
// inserts thousands of rows, one SendMessage each, does not lay out and repaint the view per
// row.
#include <memory>
#include <string>

#include "platform/ui/Controls.h"

using POSITION = struct POSITION__*;

struct LVITEM {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    const char* pszText = nullptr;
    int iImage = 0;
    LPARAM lParam = 0;
};

class CListCtrl : public CWnd {
public:
    CListCtrl();
    ~CListCtrl() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Columns
    int InsertColumn(int col, const std::string& heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int col);
    int GetColumnCount() const;
    int GetColumnWidth(int col) const;
    BOOL SetColumnWidth(int col, int width);
    std::string GetColumnText(int col) const;
    CHeaderCtrl* GetHeaderCtrl();

    // Rows
    int InsertItem(int row, const std::string& text);
    int InsertItem(const LVITEM* item);
    int InsertItem(UINT mask, int row, const std::string& text, UINT state, UINT stateMask, int image, LPARAM param);
    BOOL SetItem(const LVITEM* item);
    BOOL SetItemText(int row, int subItem, const std::string& text);
    std::string GetItemText(int row, int subItem) const;
    int GetItemText(int row, int subItem, char* buffer, int size) const;
    BOOL SetItemData(int row, DWORD_PTR data);
    DWORD_PTR GetItemData(int row) const;
    BOOL DeleteItem(int row);
    BOOL DeleteAllItems();
    int GetItemCount() const;

    // State
    BOOL SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    BOOL SetCheck(int row, BOOL check = TRUE);
    BOOL GetCheck(int row) const;
    UINT GetSelectedCount() const;
    int GetSelectionMark() const;
    int SetSelectionMark(int row);
    int GetNextItem(int start, UINT flags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetImage(int row, int subItem) const;

    // Styles
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD exStyle);

    // Geometry of the view, in the list's client coordinates
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL EnsureVisible(int row, BOOL partialOk);
    BOOL GetItemRect(int row, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int row, int subItem, UINT code, CRect& rect) const;

    // Brings the view up to date with the rows now (normally done on its own, shortly after).
    void FlushView();
    // The colours a cell is drawn with, as the owner's custom draw gives them (CLR_DEFAULT:
    // the view's own).
    void GetCellColors(int row, int subItem, COLORREF& text, COLORREF& background) const;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
