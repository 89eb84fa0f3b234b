#pragma once
// "White List": the hosts bound by hand (every row status), their count, and the deletion of
// the selected one. CIMPBWhiteList dlg; dlg.DoModal();
#include "core/controls/RowTableDialog.h"
#include "features/security/IMPFunclogic.h"

class CIMPBWhiteList : public CRowTableDialog {
public:
    explicit CIMPBWhiteList(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void Refresh();
    LRESULT OnWhiteListRow(WPARAM kind, LPARAM data);
    void OnDelete();

    CIMPFunclogic m_logic;

    DECLARE_MESSAGE_MAP()
};
