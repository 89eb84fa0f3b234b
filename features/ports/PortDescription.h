#pragma once
// The port description dialog: every port's description, and one text written to a range
// of ports. Opened from the menu: CPortDescription dlg; dlg.DoModal();
#include <string>

#include "core/controls/FeatureDialog.h"
#include "features/ports/PortConfigLogic.h"
#include "platform/ui/ListCtrl.h"

class CPortDescription : public CFeatureDialog {
public:
    explicit CPortDescription(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.CloseSessions(); }
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnRefresh();
    void OnApply();
    void OnCloseButton() { EndDialog(IDCANCEL); }
    void OnFromChanged();
    void OnToChanged();
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnReadEnd(WPARAM wParam, LPARAM lParam);
    void EnableButtons(bool enable);
    void SelectFirstPorts();

    CListCtrl m_list;
    std::string m_strDescription;
    CPortConfigLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
