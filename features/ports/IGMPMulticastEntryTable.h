#pragma once
// "Multicast Entry Table": the multicast groups the switch has learned, in all VLANs.
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "features/ports/IGMPSnoopingLogic.h"
#include "platform/ui/Dialog.h"

class CIGMPMulticastEntryTable : public CFeatureDialog {
public:
    explicit CIGMPMulticastEntryTable(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void OnRefresh();
    LRESULT OnEntryRow(WPARAM wParam, LPARAM lParam);

    CListCtrlEx m_list;
    CIGMPSnoopingLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
