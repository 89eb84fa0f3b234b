#pragma once
// "Spanning Tree Table": the spanning tree settings and states of every port, read when the
// dialog is shown; "&Port Config" and a double click open the settings of the selected port,
// which read their row from this list. Opening the table first switches spanning tree off on
// every port where loopback detection is on.
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"

class CPrivateSpanTree : public CFeatureDialog {
public:
    // The columns of the list, in list order.
    enum Column {
        kPort,
        kState,
        kPriority,
        kExternalCost,
        kEdge,
        kP2p,
        kRestrictedRole,
        kRestrictedTcn,
        kPortStatus,
        kColumns
    };

    explicit CPrivateSpanTree(CWnd* parent = nullptr);

    int RowCount() const { return m_list.GetItemCount(); }
    std::string Cell(int row, int column) const { return m_list.GetItemText(row, column); }
    // The first selected row, -1 when none.
    int SelectedRow() const;

protected:
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL show, UINT status) override;
    void CloseSessions() override;

private:
    // Spanning tree off on the ports running loopback detection.
    void KeepClearOfLoopbackDetection();
    void OnRefresh();
    void Refresh();
    void OnPortConfig();
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void AddRow(const SnmpRow& row);
    void EnableButtons(bool enable);

    CListCtrlEx m_list;
    CCommonSNMP m_cCommonSNMP;  // the loopback detection pass at opening
    CSnmpRead m_walk;           // last: closes before the list goes

    DECLARE_MESSAGE_MAP()
};
