#pragma once
// "Resource Information": the switch's CPU use over 1 second, 1 minute and 5 minutes, one row
// read every 5 s of the program's clock and on Refresh. Version 1 keeps at most one request
// out (a tick or Refresh meanwhile does nothing); version 3 reads synchronously under the
// wait cursor.
#include "core/controls/ListCtrlEx.h"
#include "views/direct/DirectSnmpDlg.h"

class CResourceInfo : public CDirectSnmpDlg {
public:
    CResourceInfo();

    bool Reading() const override;

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnTimer(UINT_PTR id) override;
    void OnCancel() override;
    void CloseSessions() override;

private:
    void Read();
    void ShowRow(const std::vector<DirectValue>& values);

    CListCtrlEx m_cpuList;
    CListCtrlEx m_treeList;
    CSnmpRead m_utilisation;  // the version-1 read of the three values

    DECLARE_MESSAGE_MAP()
};
