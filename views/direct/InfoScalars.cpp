#include "views/direct/InfoScalars.h"

#include "core/ModuleStartupParams.h"
#include "resources/templates/InfoPagesDialogsIds.h"

namespace {
const std::string kQ = "1.3.6.1.4.1.32473.10.94.89.89.";
const std::string kSendUnknown = kQ + "48.27.0";

// The three pages share their button ids.
constexpr int kRefresh = vlan_info_ids::IDC_REFRESH;
constexpr int kApply = vlan_info_ids::IDC_APPLY;
constexpr int kClose = vlan_info_ids::IDC_CLOSE;
static_assert(kRefresh == dhcp_info_ids::IDC_REFRESH && kRefresh == trunk_info_ids::IDC_REFRESH);
static_assert(kApply == dhcp_info_ids::IDC_APPLY && kApply == trunk_info_ids::IDC_APPLY);
static_assert(kClose == dhcp_info_ids::IDC_CLOSE && kClose == trunk_info_ids::IDC_CLOSE);

// The OIDs live as long as the program: the fields keep pointers to them.
const std::string kDhcp[] = {kQ + "38.14.0", kQ + "38.26.0", kQ + "38.31.0"};
const std::string kVlan[] = {kQ + "48.1.0",  kQ + "48.2.0",  kSendUnknown,   kQ + "48.29.0", kQ + "48.31.0",
                             kQ + "48.32.0", kQ + "48.35.0", kQ + "48.36.0", kQ + "48.38.0"};
const std::string kTrunk[] = {kQ + "65.1.0", kQ + "65.3.0", kQ + "65.4.0", kQ + "65.5.0"};
}  // namespace

BEGIN_MESSAGE_MAP(CInfoScalarsDlg, CDirectSnmpDlg)
    ON_BN_CLICKED(kRefresh, OnRefresh)
    ON_BN_CLICKED(kApply, OnOK)
    ON_BN_CLICKED(kClose, OnClose)
END_MESSAGE_MAP()

CInfoScalarsDlg::CInfoScalarsDlg(UINT templateId, const char* caption, std::vector<ScalarField> scalars)
    : CDirectSnmpDlg(templateId, scalars, scalars.size()), m_caption(caption) {}

BOOL CInfoScalarsDlg::OnInitDialog() {
    CDirectSnmpDlg::OnInitDialog();
    SetWindowText(m_caption);
    ReadScalarsV1();
    return TRUE;
}

void CInfoScalarsDlg::OnRefresh() {
    CWaitCursor wait;
    ReadScalarsV1();
}

CDHCPInfoDlg::CDHCPInfoDlg()
    : CInfoScalarsDlg(dhcp_info_ids::IDD, "DHCP Information",
                      {{kDhcp[0].c_str(), dhcp_info_ids::IDC_MIB_VERSION},
                       {kDhcp[1].c_str(), dhcp_info_ids::IDC_RELAY, ScalarField::Text, &ExistsText},
                       {kDhcp[2].c_str(), dhcp_info_ids::IDC_SERVER, ScalarField::Text, &ExistsText}}) {}

std::string CDHCPInfoDlg::ExistsText(const std::string& value) { return value == "2" ? "No" : "Yes"; }

CVlanInfoDlg::CVlanInfoDlg()
    : CInfoScalarsDlg(vlan_info_ids::IDD, "VLAN Configuration",
                      {{kVlan[0].c_str(), vlan_info_ids::IDC_MIB_VERSION},
                       {kVlan[1].c_str(), vlan_info_ids::IDC_MAX_TABLE},
                       {kVlan[2].c_str(), vlan_info_ids::IDC_SEND_UNKNOWN, ScalarField::Check},
                       {kVlan[3].c_str(), vlan_info_ids::IDC_DEFAULT_SUPPORTED, ScalarField::Text, &SupportedText},
                       {kVlan[4].c_str(), vlan_info_ids::IDC_DOT1V_SUPPORTED, ScalarField::Text, &SupportedText},
                       {kVlan[5].c_str(), vlan_info_ids::IDC_DEFAULT_ENABLED, ScalarField::Check},
                       {kVlan[6].c_str(), vlan_info_ids::IDC_PRIVATE_EDGE_SUPPORTED, ScalarField::Text, &SupportedText},
                       {kVlan[7].c_str(), vlan_info_ids::IDC_PRIVATE_EDGE_VERSION},
                       {kVlan[8].c_str(), vlan_info_ids::IDC_DYNAMIC_VLAN, ScalarField::Check}}) {}

std::string CVlanInfoDlg::SupportedText(const std::string& value) { return value == "1" ? "Yes" : "No"; }

// Version "1" only (WriteScalarsV1 sends nothing for another); the answer is not examined.
void CVlanInfoDlg::OnOK() {
    const bool toAll = IsDlgButtonChecked(vlan_info_ids::IDC_SEND_UNKNOWN) == BST_CHECKED;
    if (ModuleStartupParams::SnmpVersion != "1") return;
    WriteScalarsV1(DirectSnmpSettings::FromStartup(), {{kSendUnknown, SNMP_TYPE_INTEGER, toAll ? "1" : "2"}});
}

CTrunkInfoDlg::CTrunkInfoDlg()
    : CInfoScalarsDlg(trunk_info_ids::IDD, "Trunk Information",
                      {{kTrunk[0].c_str(), trunk_info_ids::IDC_MIB_VERSION},
                       {kTrunk[1].c_str(), trunk_info_ids::IDC_TRUNKS},
                       {kTrunk[2].c_str(), trunk_info_ids::IDC_MAX_PORTS},
                       {kTrunk[3].c_str(), trunk_info_ids::IDC_CREATION, ScalarField::Text, &CreationText}}) {}

std::string CTrunkInfoDlg::CreationText(const std::string& value) {
    return value == "0" ? "notSupported" : "supportsTrunkOrLacp";
}

CIGMPRouterPortsSettings::CIGMPRouterPortsSettings(CWnd* parent)
    : CFeatureDialog(igmp_router_ports_ids::IDD, {}, parent) {}
