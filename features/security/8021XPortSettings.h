#pragma once
// "802.1X Port Settings": the switch's 802.1X authenticator table, one row per port, and the
// authenticator settings written for a From..To range of ports (three SETs per port).
// Apply and Refresh are usable only while 802.1X is enabled. C8021XPortSettings dlg; dlg.DoModal();
#include <vector>

#include "core/ModuleBase.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/PortRangeCombos.h"
#include "features/security/8021XSettingLogic.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

class C8021XPortSettings : public CFeatureDialog {
public:
    explicit C8021XPortSettings(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void ResetInputs();
    void Read();
    void Refresh();
    void OnApply();
    // The six numbers in their order; false after a refusal, with the input focused.
    bool CheckRanges();
    // Writes the range; false when a SET failed.
    bool WritePorts(int from, int to);
    void EnableButtons(bool enable);
    LRESULT OnReadEnd(WPARAM, LPARAM);
    void OnFromChange() { m_ports.OnFromChange(); }
    void OnToChange() { m_ports.OnToChange(); }
    void OnCapabilityChange();

    C8021XSettingLogic m_logic;  // the reads
    CModuleBase m_module;        // the trunk walk, its check and the writes
    std::vector<int> m_marks;    // per port: 1 inside the range being judged
    CPortRangeCombos m_ports;

    DECLARE_MESSAGE_MAP()
};
