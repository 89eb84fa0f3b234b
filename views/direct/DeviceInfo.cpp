#include "views/direct/DeviceInfo.h"

#include "resources/templates/InfoPagesDialogsIds.h"

using namespace device_info_ids;

namespace {
const std::string kPower = "1.3.6.1.4.1.32473.10.94.89.89.83.1.2.1.";
}  // namespace

BEGIN_MESSAGE_MAP(CDeviceInfo, CDirectTableDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

// Each port number needs only its own value: a short answer fills the first fields.
CDeviceInfo::CDeviceInfo()
    : CDirectTableDlg({IDD,
                       IDC_POWER_LIST,
                       {" Description      ", " State     ", " Source            "},
                       {kPower + "2", kPower + "3", kPower + "4"}},
                      {{"1.3.6.1.4.1.32473.10.94.89.89.66.10.0", IDC_WEB_PORT},
                       {"1.3.6.1.4.1.32473.10.94.89.89.54.2.0", IDC_PORT_COUNT},
                       {"1.3.6.1.4.1.32473.10.94.89.89.54.5.0", IDC_USER_PORT},
                       {"1.3.6.1.4.1.32473.10.94.89.89.54.7.0", IDC_LOOPBACK_PORT}}) {}

std::string CDeviceInfo::PowerSourceText(const std::string& value, bool v1) {
    if (value == "1") return v1 ? "Unknown" : "unknown";
    if (value == "2") return v1 ? "AC" : "ac";
    if (value == "3") return v1 ? "DC" : "dc";
    if (value == "4") return v1 ? "External PowerSupply" : "externalPowerSupply";
    if (value == "5") return v1 ? "Internal Redundant" : "internalRedundant";
    return v1 ? "Other" : "other";
}

// The port numbers first, then the base reads the supplies.
BOOL CDeviceInfo::OnInitDialog() {
    TakeSettings();
    ReadPortInfo();
    return CDirectTableDlg::OnInitDialog();
}

std::vector<std::string> CDeviceInfo::FormatRow(const DirectRow& row) const {
    return {row.values[0].text, row.values[1].text, PowerSourceText(row.values[2].text, m_settings.version == 1)};
}

void CDeviceInfo::OnRefresh() {
    ReadPortInfo();
    ReadTableDirect();
}

void CDeviceInfo::ReadPortInfo() {
    if (m_settings.version == 1) ReadScalarsMember();
    else if (m_settings.version == 3) ReadScalarsV3();
}
