#pragma once
// " STP Configuration" of the standard bridge MIB: the spanning tree on or off, RSTP or STP
// compatible, the bridge priority and times (hundredths of a second), the bridge's state as
// the switch reports it, and the way to the port table.
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"

class CSpanTreeBridgeParam : public CFeatureDialog {
public:
    explicit CSpanTreeBridgeParam(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void CloseSessions() override;

private:
    void ReadBridge();
    void OnBridgeRead(const SnmpRow& row);
    void OnEnableRstp();
    void OnPortSetting();
    void Apply();
    // The version, priority and three time controls, and "Port Setting" when asked.
    void EnableSettings(bool enable, bool portSetting);

    // The spanning tree state as last known: "1" on, "0" off, "" before the first read.
    std::string m_strState;

    CCommonSNMP m_cCommonSNMPSet;
    CCommonSNMP m_cCommonSNMPSet0;
    CSnmpRead m_read;  // m_cCommonSNMP's read; last, so it closes before the controls' data go

    DECLARE_MESSAGE_MAP()
};
