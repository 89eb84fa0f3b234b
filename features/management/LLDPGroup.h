#pragma once
// "LLDP Global Settings": LLDP on or off, its four timers, and the switch's own LLDP identity.
// The timers are written in an order chosen from the values last read and the new ones, so
// that the switch, which refuses an interval x multiplier above 65535 or a TX delay above a
// quarter of the interval, takes every step.
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"

// One send of a timer Apply: the hold multiplier alone on a session of its own, or the main
// PDU with every variable added to it so far (it keeps them between sends).
struct LldpTimerSend {
    bool holdSession = false;
    std::vector<std::pair<std::string, long>> vars;  // OID, value
    bool operator==(const LldpTimerSend&) const = default;
};

// The sends of a timer Apply, the final send of the main PDU last, from the interval and TX
// delay last read and the new hold multiplier, interval, reinit delay and TX delay.
std::vector<LldpTimerSend> PlanLldpTimerWrites(long heldInterval, long heldDelay, long hold, long interval, long reinit,
                                               long delay);

class CLLDPGroup : public CFeatureDialog {
public:
    explicit CLLDPGroup(CWnd* parent = nullptr);

    static const std::string kHold, kInterval, kReinit, kTxDelay;

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void OnGetSystemInfo();
    void OnSystemInfo(const SnmpRow& row);
    void OnBUTTONLldpEnableApply();
    void OnApplyTimers();
    // Up to three tries of one SET: 2000 ms after an answered one, 1000 ms after a failure.
    void SendWithTries(const std::vector<SnmpSetVar>& vars);
    void EnableTimerInputs(bool enable);

    std::string m_strHeldInterval;  // as last read; "" (0) before a read
    std::string m_strHeldDelay;
    CCommonSNMP m_cCommonSNMPSet;
    CSnmpRead m_cCommonSNMP;

    DECLARE_MESSAGE_MAP()
};
