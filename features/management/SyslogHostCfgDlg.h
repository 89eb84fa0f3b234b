#pragma once
// "Syslog Host Configuration": syslog on or off, and the one server the switch sends to
// (address, UDP port) with the facility, severity and time stamp of its messages. Apply
// replaces the server's row: the row last read is destroyed, the new one created.
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/EditEXIPV6.h"
#include "core/controls/FeatureDialog.h"

class CSyslogHostCfgDlg : public CFeatureDialog {
public:
    explicit CSyslogHostCfgDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void ReadSettings();
    void OnSettingsRow(const SnmpRow& row);
    LRESULT OnSettingsRead(WPARAM, LPARAM);
    void ReadHostTable();
    void OnHostRow(const SnmpRow& row);
    int ApplyHost();
    void SetSyslogState();
    void OnApply();
    void OnRefresh() { ReadSettings(); }
    void OnEnableClicked();
    void OnPortChange();
    void EnableHostInputs(bool enable);

    CEditEXIPV6 m_address;
    // The address of the host row last read (dotted IPv4 or compressed IPv6); "" before one.
    // Written on the user-interface thread only, where Apply reads it.
    std::string m_strLastHost;
    CCommonSNMP m_cCommonSNMPSet;
    CSnmpRead m_settingsRead;
    CSnmpRead m_hostRead;

    DECLARE_MESSAGE_MAP()
};
