#pragma once
// "DHCP Server Screening Port Settings": per port, whether DHCP server messages are screened
// (one port bitmap object, a set bit screening the port); a range of ports set at once,
// refused when the ports of one aggregated link would differ. CDHCPServerConfig dlg; dlg.DoModal();
//
// Also here, as plain functions: the range step and the aggregated-link check of Apply.
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/TrunkPortsWalk.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "core/controls/PortRangeCombos.h"
#include "platform/win/Event.h"

// Element p-1: port p's screening state, 1 enabled, 2 disabled.
using ScreeningStates = std::vector<int>;

// The states with ports from..to (1-based, inclusive, clipped to the ports held) set to state;
// unchanged when to is below from.
ScreeningStates ScreeningStatesWithRange(ScreeningStates states, int from, int to, int state);
constexpr const char* kScreeningTrunkMessage =
    "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.";
// The refusal when two ports of one aggregated link (trunks: element p-1 the trunk number of
// port p, 0 in none) would have different states; "" when every link agrees.
std::string ScreeningTrunkRefusal(const ScreeningStates& states, const std::vector<int>& trunks);
// The bitmap written for the states: one bit per port, the first port the high bit of the
// first byte, as many bytes as the port count's padded hexadecimal text gives.
std::string ScreeningBitmap(const ScreeningStates& states);

class CDHCPServerConfig : public CFeatureDialog {
public:
    static const std::string kScreeningPorts;
    static constexpr DWORD kTrunkWaitMs = 30000;

    explicit CDHCPServerConfig(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void OnRefresh();
    void ReadScreeningPorts();
    void OnApply();
    void OnFromPortChange() { m_ports.OnFromChange(); }
    void OnToPortChange() { m_ports.OnToChange(); }

    int m_nPorts = 0;
    ScreeningStates m_PortStates;  // as last read or written
    bool m_bStatesRead = false;    // the last read of the bitmap succeeded
    CListCtrlEx m_list;
    CPortRangeCombos m_ports;
    CCommonSNMP m_cCommonSNMP;  // the GET and the SET of the bitmap
    win::Event m_trunkWalkIdle{true, true};
    CTrunkPortsWalk m_trunks;  // last: closed before what its end handler touches

    DECLARE_MESSAGE_MAP()
};
