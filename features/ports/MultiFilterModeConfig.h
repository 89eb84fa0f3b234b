#pragma once
// "Multicast Filtering Mode Configuration": whether each VLAN forwards or filters the
// multicast traffic of groups nobody registered for, set for one VLAN or for all listed.
// No logic class: the dialog owns its write session and its walk, whose rows fill the controls.
#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

class CMultiFilterModeConfig : public CFeatureDialog {
public:
    explicit CMultiFilterModeConfig(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    // Closes the sessions while the window still stands: the walk fills its controls.
    BOOL DestroyWindow() override;

private:
    void OnRefresh();
    void OnFilterRow(const SnmpRow& row);
    void OnAllClick();
    void OnApply();
    void EnableButtons(bool enable);

    CListCtrlEx m_list;
    // Last, so that the walk ends before the controls its callback fills go.
    CCommonSNMP m_cCommonSNMP;
    CSnmpRead m_tableRead;

    DECLARE_MESSAGE_MAP()
};
