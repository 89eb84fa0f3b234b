#pragma once
// " STP Configuration ": the switch's spanning tree on or off, its version, bridge priority,
// transmit hold count and times (entered in whole seconds), the current root bridge, and the
// way to the port table.
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"

class CPrivateSpanTBridge : public CFeatureDialog {
public:
    explicit CPrivateSpanTBridge(CWnd* parent = nullptr);

    // The checks of Apply in their order: the message to show, "" when the values go.
    static std::string CheckSettings(int txHoldCount, int maxAge, int forwardDelay, int hello);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void CloseSessions() override;

private:
    void Read();
    void OnRead(const SnmpRow& row);
    void OnStateClicked();
    void OnVersionChosen();
    void OnPortSetting();
    void Apply();
    // The version, priority, three time and transmit hold count boxes, and "Port Setting"
    // when asked.
    void EnableSettings(bool enable, bool portSetting);

    // The spanning tree state as last known: "1" on, "0" off, "" before the first read.
    std::string m_strState;

    CCommonSNMP m_cCommonSNMPSet;
    CCommonSNMP m_cCommonSNMPSet0;
    CSnmpRead m_read;  // m_cCommonSNMP's read; last, so it closes first

    DECLARE_MESSAGE_MAP()
};
