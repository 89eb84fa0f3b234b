#include "features/security/8021XSettingLogic.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/Utils.h"

#include "platform/ui/Wnd.h"

const std::string C8021XSettingLogic::kGlobalState = "1.3.6.1.4.1.32473.10.76.21.1.23.1.1.0";
const std::string C8021XSettingLogic::kPortTable = "1.3.6.1.4.1.32473.10.76.21.1.23.2.1.1.";
const std::string C8021XSettingLogic::kUserTable = "1.3.6.1.4.1.32473.10.76.21.1.23.3.1.1.";
const std::string C8021XSettingLogic::kRadiusTable = "1.3.6.1.4.1.32473.10.76.21.1.23.4.2.1.";

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
    m_userRead.Close();
    m_radiusRead.Close();
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

int C8021XSettingLogic::ReadUsers() {
    m_arrUsers.clear();
    m_userRead.Start(
        SnmpReadSpec::Walk({kUserTable + "1", kUserTable + "2", kUserTable + "3"}),
        [this](const SnmpRow& row) { OnUserRow(row); }, [this](const SnmpReadResult&) { NotifyEnd(); });
    return 1;
}

void C8021XSettingLogic::OnUserRow(const SnmpRow& row) {
    X8021_User_Statistics_Info info;
    info.strUserName = row.Bytes(0);
    info.strPassword = "*****";
    info.nRowStatus = std::atoi(row.Text(2).c_str());
    m_arrUsers.push_back(std::move(info));
}

int C8021XSettingLogic::ReadRadiusServers() {
    m_arrServers.clear();
    std::vector<std::string> columns;
    for (int c = 1; c <= 10; ++c) columns.push_back(kRadiusTable + std::to_string(c));
    m_radiusRead.Start(
        SnmpReadSpec::Walk(columns), [this](const SnmpRow& row) { OnRadiusRow(row); },
        [this](const SnmpReadResult&) { NotifyEnd(); });
    return 1;
}

void C8021XSettingLogic::OnRadiusRow(const SnmpRow& row) {
    X8021_AuRadiusServer_Statistics_info info;
    info.nIndex = std::atoi(row.Text(0).c_str());
    info.nAddressType = std::atoi(row.Text(1).c_str());
    // The address bytes in a buffer as long as the longest address, so a short value read
    // cannot be read past its end.
    unsigned char bytes[16] = {};
    const std::string& address = row.Bytes(2);
    std::memcpy(bytes, address.data(), std::min(address.size(), sizeof bytes));
    const std::string hex = CUtils::AddressBytesToText(bytes, info.nAddressType);
    info.strAddress = info.nAddressType == 2 ? CUtils::CompressIPv6(hex) : CUtils::HexToDottedIPv4(hex);
    info.strColumn4 = row.Text(3);
    info.nAuthPort = std::atoi(row.Text(4).c_str());
    info.nAcctPort = std::atoi(row.Text(5).c_str());
    info.nTimeout = std::atoi(row.Text(6).c_str());
    info.nRetransmit = std::atoi(row.Text(7).c_str());
    info.strKey = "*****";
    info.nRowStatus = std::atoi(row.Text(9).c_str());
    m_arrServers.push_back(std::move(info));
}
