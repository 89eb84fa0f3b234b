#pragma once
// "Traffic Segmentation Settings ": the feature's state, every port's forwarding set in a
// table, and the forwarding set of one port or of every port written from a row of per-port
// check boxes. CTrafficSegDlg dlg; dlg.DoModal();
#include <map>
#include <string>
#include <vector>

#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/PortBoxes.h"
#include "features/security/TrafficSeg.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

class CTrafficSegDlg : public CFeatureDialog {
public:
    explicit CTrafficSegDlg(CWnd* parent = nullptr);

    // The wait between two writes of an Apply, on the program clock.
    static constexpr DWORD kWritePauseMs = 50;

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void CreatePortBoxes();
    void Refresh();
    void OnRow(const SnmpRow& row);
    void OnWalkEnd();
    void EnableForwarding(bool enable);
    int FromPort() const;  // 0 for "ALL"
    void OnFromChange();
    void OnSelectAll();
    void OnClear();
    void OnApplyState();
    void OnApplyPorts();
    // The checked boxes as per-port flags (element p-1 for port p).
    std::vector<int> CheckedPorts() const;
    // Writes one port's set after the trunk rule; false when refused.
    bool WritePort(int port, const std::vector<int>& flags);

    CTrafficSeg m_logic;
    CPortBoxes m_boxes;
    int m_nPorts = 0;
    // Each row's forwarding set as a port list ("1,2,3"), by the row's port number; touched
    // on the user-interface thread only.
    std::map<int, std::string> m_forwardPorts;
    CSnmpRead m_tableWalk;  // last: closes before what its handlers fill

    DECLARE_MESSAGE_MAP()
};
