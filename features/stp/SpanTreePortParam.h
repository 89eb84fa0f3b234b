#pragma once
// " Port STP Configuration": the priority, path cost and enable state of one port of the
// standard bridge MIB's spanning tree, stepping through the rows of the port table it was
// opened from (CSpanTree), whose cells it reads. A port of an aggregated link keeps the
// settings of its link.
#include <string>

#include "core/CommonSNMP.h"
#include "core/TrunkPortsWalk.h"
#include "core/controls/FeatureDialog.h"

class CSpanTree;

class CSpanTreePortParam : public CFeatureDialog {
public:
    // table: the open port table, which outlives this dialog.
    explicit CSpanTreePortParam(const CSpanTree& table, CWnd* parent = nullptr);

    // True while the trunk member walk runs (its numbers are published when it ends).
    bool ReadingTrunks() const { return m_trunks.Running(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void CloseSessions() override;

private:
    void ShowPort();
    void OnPrev();
    void OnNext();
    void OnRefresh();
    void OnApply();
    // Sends the port's settings when they pass the checks.
    void Apply();
    int Port() const;

    const CSpanTree& m_table;
    int m_nRow = 0;
    std::string m_strPort;  // "" while no row is shown
    // The external cost read with the port: 0 while the switch chooses it. The cost field's
    // text as loaded, to tell whether the user changed it.
    long long m_nExternalCost = -1;
    std::string m_strLoadedCost;

    CCommonSNMP m_cCommonSNMP;     // the port's GET
    CCommonSNMP m_cCommonSNMPSet;  // the SET
    CTrunkPortsWalk m_trunks;      // last: its walk closes before anything else goes

    DECLARE_MESSAGE_MAP()
};
