#pragma once
// "Spanning Tree Table": the standard bridge MIB's spanning tree port table, one row per
// port, read when the dialog is shown; "&Port Config" and a double click open the settings of
// the selected port, which read their row from this list.
#include <string>

#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"

class CSpanTree : public CFeatureDialog {
public:
    explicit CSpanTree(CWnd* parent = nullptr);

    // The list as the port settings read it: rows, a cell by column (stp::SpanTreeColumn),
    // and the first selected row (-1 when none).
    int RowCount() const { return m_list.GetItemCount(); }
    std::string Cell(int row, int column) const { return m_list.GetItemText(row, column); }
    int SelectedRow() const;

protected:
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL show, UINT status) override;
    void CloseSessions() override;

private:
    void OnRefresh();
    void Refresh();
    void OnPortConfig();
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void AddRow(const SnmpRow& row);
    void EnableButtons(bool enable);

    CListCtrlEx m_list;
    CSnmpRead m_walk;  // last: closes before the list goes

    DECLARE_MESSAGE_MAP()
};
