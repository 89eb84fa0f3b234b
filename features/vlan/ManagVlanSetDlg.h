#pragma once
// "IEEE 802.1Q Management VLAN Configuration": whether the switch is managed only through one
// VLAN, and which of its active VLANs. Opened from the menu: CManagVlanSetDlg dlg; dlg.DoModal();
// The table read, its end and every request run on the user-interface thread's side: the
// walk hands its rows there, and the GETs and the SET are made there.
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "platform/ui/Dialog.h"

class CManagVlanSetDlg : public CDialog {
public:
    explicit CManagVlanSetDlg(CWnd* parent = nullptr);

    bool ReadsRunning() const { return m_cCommonSNMPTable.Running(); }

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void OnOK() override;  // Apply: the dialog stays open

private:
    void Refresh();
    void OnTableRow(const SnmpRow& row);
    void OnTableEnd(const SnmpReadResult& result);
    // Reads the state and the VID and shows them with the VLAN's name.
    void Display();
    void OnEnable();
    void OnDisable();
    void OnVidChange();
    void OnRefresh();
    CComboBox& VidCombo();
    // A synchronous GET on m_cCommonSNMP. While it waits, the user-interface thread still
    // takes the table read's rows and end; an end arriving then is handled once the GET is
    // over, so two requests never meet on the session.
    SnmpAnswer Get(const std::vector<std::string>& oids);
    void RunPendingEnd();

    int m_nRadio = 0;  // 0 Enable, 1 Disable
    std::string m_strState;
    std::string m_strVid;
    std::string m_strName;
    std::vector<std::string> m_arrRowStatus;  // of the combo's entries, in their order
    bool m_bInRequest = false;
    bool m_bEndPending = false;
    SnmpReadResult m_pendingEnd;

    CCommonSNMP m_cCommonSNMP;     // GETs
    CCommonSNMP m_cCommonSNMPSet;  // the SET
    CSnmpRead m_cCommonSNMPTable;  // the VLAN table

    DECLARE_MESSAGE_MAP()
};
