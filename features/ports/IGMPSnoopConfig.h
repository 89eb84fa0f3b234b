#pragma once
// "IGMP Snooping Configuration": the switch's global IGMP snooping state and timers. Opens
// the per-VLAN settings with the state last read.
#include <string>

#include "core/controls/FeatureDialog.h"
#include "features/ports/IGMPSnoopingLogic.h"
#include "platform/ui/Dialog.h"

class CIGMPSnoopConfig : public CFeatureDialog {
public:
    explicit CIGMPSnoopConfig(CWnd* parent = nullptr);

    // The range check of the six numbers of a record, in the order the dialog checks them:
    // the message of the first out of range, "" when all are in range. A field reads as its
    // leading digits (an empty one as 0).
    static std::string CheckRanges(const IGMPGlobalSettings& settings);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void OnRefresh();
    LRESULT OnGlobalSettings(WPARAM wParam, LPARAM lParam);
    void OnEnableClick();
    void EnableFields(bool enable);
    void OnApply();
    void OnVlanInfo();

    CIGMPSnoopingLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
