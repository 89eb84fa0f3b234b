#pragma once
// " Port STP Configuration": one port's spanning tree settings (enable, cost, priority,
// migrate, P2P, edge, restricted role and TCN), stepping through the rows of the port table
// it was opened from (CPrivateSpanTree), whose cells it reads. OK applies and ends the
// dialog; the table then reads again.
#include <string>

#include "core/CommonSNMP.h"
#include "core/TrunkPortsWalk.h"
#include "core/controls/FeatureDialog.h"

class CPrivateSpanTree;

class CPrivateSpanTPort : public CFeatureDialog {
public:
    // table: the open port table with at least one row; it outlives this dialog.
    explicit CPrivateSpanTPort(const CPrivateSpanTree& table, CWnd* parent = nullptr);

    // True while the trunk member walk runs (its numbers are published when it ends).
    bool ReadingTrunks() const { return m_trunks.Running(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void CloseSessions() override;

private:
    void LoadRow();
    void OnPrev();
    void OnNext();
    void OnRefresh();
    // Sends the port's settings when they pass the checks.
    void Apply();
    // The port of the row, 0 when its text names no port of the device.
    int Port() const;

    const CPrivateSpanTree& m_table;
    int m_nRow = 0;
    std::string m_strPort;
    // Loopback detection's state of the port as last read ("1" on).
    std::string m_strLbdState;

    CCommonSNMP m_cCommonSNMP;     // the port's GET
    CCommonSNMP m_cCommonSNMPSet;  // the SET
    CTrunkPortsWalk m_trunks;      // last: its walk closes before anything else goes

    DECLARE_MESSAGE_MAP()
};
