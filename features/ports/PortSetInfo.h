#pragma once
// "Port Configuration": the link state, speed and duplex, MDI/MDIX and flow control of every
// port, and a change of the three settings of one port at a time. Opened from the menu and
// from a click on a front-panel port, the same way: CPortSetInfo dlg; dlg.DoModal();
#include <string>

#include "core/controls/FeatureDialog.h"
#include "features/ports/PortConfigLogic.h"
#include "platform/ui/ListCtrl.h"

class CPortSetInfo : public CFeatureDialog {
public:
    explicit CPortSetInfo(CWnd* parent = nullptr);

    // The list's texts of the switch's codes; "" for a code without one.
    static std::string SpeedText(int code);
    static std::string LinkText(int code);
    static std::string MdixText(int code);
    static std::string FlowControlText(int code);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.CloseSessions(); }

private:
    void OnRefresh();
    void OnApply();
    void OnListClick(NMHDR* header, LRESULT* result);
    LRESULT OnReadDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnReadTimeout(WPARAM wParam, LPARAM lParam);
    void EnableButtons(bool enable);
    void FillList();
    void ResetSettingsRow();

    CListCtrl m_list;
    int m_nSelectedRow = 0;
    CPortConfigLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
