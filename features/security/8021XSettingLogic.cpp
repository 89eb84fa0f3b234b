#include "features/security/8021XSettingLogic.h"

#include <cstdlib>

#include "platform/ui/Wnd.h"

const std::string C8021XSettingLogic::kGlobalState = "1.3.6.1.4.1.32473.10.76.21.1.23.1.1.0";
const std::string C8021XSettingLogic::kPortTable = "1.3.6.1.4.1.32473.10.76.21.1.23.2.1.1.";

namespace {
std::string Column(int column) { return C8021XSettingLogic::kPortTable + std::to_string(column); }

const char* PortControlText(int value) {
    switch (value) {
    case 1: return "Force UnAhthorized";
    case 2: return "Auto";
    case 3: return "Force Authorized";
    default: return "";
    }
}

const char* CapabilityText(int value) {
    switch (value) {
    case 1: return "Authenticator";
    case 2: return "None";
    default: return "";
    }
}
}  // namespace

C8021XSettingLogic::~C8021XSettingLogic() { Close(); }

void C8021XSettingLogic::Close() {
    m_portRead.Close();
    m_cSession1.Close();
    m_cSession2.Close();
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    m_cCommonSNMPTable.Close();
}

void C8021XSettingLogic::NotifyEnd() { ::SendMessage(m_hWnd.load(), WM_8021X_READ_END, 0, 0); }

int C8021XSettingLogic::ReadPortSettings() {
    m_arrPorts.clear();
    m_portRead.Start(
        SnmpReadSpec::Walk({Column(1), Column(11), Column(9), Column(6), Column(2), Column(3), Column(4), Column(5),
                            Column(7), Column(8), Column(10)}),
        [this](const SnmpRow& row) { OnPortRow(row); }, [this](const SnmpReadResult&) { NotifyEnd(); });
    return 1;
}

void C8021XSettingLogic::OnPortRow(const SnmpRow& row) {
    X8021_statistics_info info;
    info.strBoth = "BOTH";
    info.strAuthorized = "Authorized";
    info.nPort = std::atoi(row.Text(0).c_str());
    info.strDirection = std::atoi(row.Text(1).c_str()) == 0 ? "Both" : "In";
    info.strPortControl = PortControlText(std::atoi(row.Text(2).c_str()));
    info.nTxPeriod = std::atoi(row.Text(3).c_str());
    info.nQuietPeriod = std::atoi(row.Text(4).c_str());
    info.nSuppTimeout = std::atoi(row.Text(5).c_str());
    info.nServerTimeout = std::atoi(row.Text(6).c_str());
    info.nMaxReq = std::atoi(row.Text(7).c_str());
    info.nReAuthPeriod = std::atoi(row.Text(8).c_str());
    info.strReAuthentication = std::atoi(row.Text(9).c_str()) == 2 ? "Disabled" : "Enabled";
    info.strCapability = CapabilityText(std::atoi(row.Text(10).c_str()));
    m_arrPorts.push_back(std::move(info));
}

int C8021XSettingLogic::GetAuthState() {
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMP, {kGlobalState});
    if (answer.Ok()) m_nGlobalState[0] = std::atoi(answer.Text(0).c_str());
    return 1;
}
