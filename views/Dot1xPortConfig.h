#pragma once
// "802.1X Port Configuration": the 802.1X port access control of every port, and the control
// of a From..To range set to Force Unauthorized, Auto or Force Authorized. A range holding a
// member of an aggregated link is refused, and so is a change that would leave no port
// outside Force Unauthorized and Auto. The opener may hand over the global timer texts, which
// every row shows (command 32792 hands none; PortSet of "802.1X Config Information" does).
#include <array>
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/TrunkPortsWalk.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/PortRangeCombos.h"
#include "platform/ui/Controls.h"

class Dot1xPortConfig : public CFeatureDialog {
public:
    // QuietPeriod, TxPeriod, SuppTimeout, ServerTimeout, MaxReq, ReAuthPeriod, ReAuthEnabled.
    static constexpr std::size_t kTimerTexts = 7;
    // A range's SET goes out after every this many ports, with a pause after each such send.
    static constexpr int kPortsPerSend = 30;
    static constexpr DWORD kSendPauseMs = 100;

    explicit Dot1xPortConfig(CWnd* parent = nullptr);

    // Before DoModal: the texts columns 3 to 9 show in every row.
    void SetTimerTexts(const std::array<std::string, kTimerTexts>& texts) { m_timerTexts = texts; }

    // The checks of Apply over plain data. trunks and controls: element p-1 for port p
    // (trunk number, 0 for none; control 0 unknown, 1 Force Unauthorized, 2 Auto, 3 Force
    // Authorized); value the control chosen. "" when the range may be written, else the
    // message of the refusal.
    static std::string CheckRange(const std::vector<int>& trunks, const std::vector<int>& controls, int from, int to,
                                  int value);

    // The control of each port as the last walk listed it (tests read it after closing).
    const std::vector<int>& PortControls() const { return PortContrl; }

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;
    void OnOK() override { OnApply(); }  // Apply is the default button; the dialog stays open

private:
    void OnRefresh() { ReadPortTable(); }
    void ReadTrunkInfo();
    void ReadPortTable();
    // The walk's per-row step; false once the list holds a row for every port.
    bool OnPortTableRow(const SnmpRow& row);
    void OnApply();
    void WritePorts(int from, int to, int value);
    void OnFromPortChange() { m_ports.OnFromChange(); }
    void OnToPortChange() { m_ports.OnToChange(); }
    // Apply needs both walks ended (the trunk numbers are judged); Refresh the port walk.
    void EnableButtons();

    std::array<std::string, kTimerTexts> m_timerTexts;
    std::vector<int> PortContrl;  // element r: the control of the list row r (port r+1)
    CPortRangeCombos m_ports;
    bool m_bPortWalkDone = false;
    bool m_bTrunkWalkDone = false;
    CCommonSNMP m_cCommonSNMP;  // the control write
    // Last, so they close before the data their handlers write.
    CTrunkPortsWalk m_TrunkData;
    CSnmpRead m_cCommonSNMPTable;

    DECLARE_MESSAGE_MAP()
};
