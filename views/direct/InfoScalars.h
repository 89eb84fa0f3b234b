#pragma once
// The switch's information pages of scalars: DHCP support, VLAN and trunk capabilities (read
// with SNMP version "1" only, each value in a read-only control), and the IGMP router ports
// page, a layout without behaviour.
#include <string>

#include "views/direct/DirectSnmpDlg.h"

// A page of scalars read together: shown only when the answer holds every value, read again
// by Refresh under the wait cursor, ended by Close; Apply and the OK command run OnOK, which
// writes nothing unless the page says otherwise, and the page stays open.
class CInfoScalarsDlg : public CDirectSnmpDlg {
protected:
    CInfoScalarsDlg(UINT templateId, const char* caption, std::vector<ScalarField> scalars);

    BOOL OnInitDialog() override;
    void OnOK() override {}

private:
    void OnRefresh();
    void OnClose() { OnCancel(); }

    const char* m_caption;

    DECLARE_MESSAGE_MAP()
};

// "DHCP Information": the DHCP MIB version and whether a relay and a server exist ("No" only
// for "2"). Its hidden OK command writes nothing: the device has nothing of it to write.
class CDHCPInfoDlg : public CInfoScalarsDlg {
public:
    CDHCPInfoDlg();

    static std::string ExistsText(const std::string& value);
};

// "VLAN Configuration": nine VLAN capabilities and switches; the OK command writes whether
// frames of unknown VLANs go to all ports.
class CVlanInfoDlg : public CInfoScalarsDlg {
public:
    CVlanInfoDlg();

    static std::string SupportedText(const std::string& value);

protected:
    void OnOK() override;
};

// "Trunk Information": four link-aggregation capabilities. Its hidden OK command writes
// nothing: the values are the device's and none of them can be set.
class CTrunkInfoDlg : public CInfoScalarsDlg {
public:
    CTrunkInfoDlg();

    static std::string CreationText(const std::string& value);
};

// "IGMP Router Ports Settings": the page's layout only. Apply and Close do nothing; Esc and
// the close box end it.
class CIGMPRouterPortsSettings : public CFeatureDialog {
public:
    explicit CIGMPRouterPortsSettings(CWnd* parent = nullptr);
};
