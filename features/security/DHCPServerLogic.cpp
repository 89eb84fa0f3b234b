#include "features/security/DHCPServerLogic.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "core/controls/EditEXIPV6.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"

const std::string CDHCPServerLogic::kScreeningPorts = "1.3.6.1.4.1.32473.10.76.21.1.14.7.1.0";
const std::string CDHCPServerLogic::kServerTable = "1.3.6.1.4.1.32473.10.76.21.1.14.7.3.1.";

namespace {
constexpr int kMaxBitmapBytes = 8;

std::string StatusCell(const std::string& index) { return CDHCPServerLogic::kServerTable + "4." + index; }
}  // namespace

CDHCPServerLogic::~CDHCPServerLogic() { Close(); }

void CDHCPServerLogic::Close() {
    m_serverRead.Close();
    m_cCommonSNMPWrite.Close();
}

void CDHCPServerLogic::Notify(WPARAM kind, LPARAM data) { ::SendMessage(m_hOwnerWnd, WM_DHCP_SERVER, kind, data); }

void CDHCPServerLogic::GetScreeningPorts(std::string& trustedPorts) {
    std::string bitmap;
    if (GetValue(kScreeningPorts, bitmap) == 0) return;
    char inverted[kMaxBitmapBytes] = {};
    const size_t length = std::min(bitmap.size(), sizeof inverted);
    for (size_t i = 0; i < length; ++i) inverted[i] = static_cast<char>(~static_cast<unsigned char>(bitmap[i]));
    std::string list;
    CUtils::BitmapToPortRangeList(inverted, static_cast<int>(length), 1, g_nDevicePortNum, list);
    trustedPorts = list;
}

int CDHCPServerLogic::SetScreeningPorts(const std::string& trustedPorts) {
    if (!CUtils::HasNoSpecialCharsOrLetters(trustedPorts)) {
        AfxMessageBox("Invalid Port list");
        return 0;
    }
    if (g_nDevicePortNum <= 0) return 0;
    std::vector<int> ports(static_cast<size_t>(std::max(g_nDevicePortNum, kMaxDevicePorts)), 0);
    if (!CUtils::ParsePortList(trustedPorts, ports.data())) return 0;
    // With no trunk rows delivered yet the check would accept every list.
    WaitTrunkPorts();
    if (CheckTrunkMembers(ports.data()) == 0) {
        AfxMessageBox("The link aggregation member port can not be configured.");
        return 0;
    }
    for (int p = 0; p < g_nDevicePortNum; ++p)
        ports[static_cast<size_t>(p)] = ports[static_cast<size_t>(p)] == 1 ? 0 : 1;
    std::fill(ports.begin() + g_nDevicePortNum, ports.end(), 0);
    const std::string bytes = CUtils::PortFlagsToBitmap(ports.data());
    return SnmpSet(m_cCommonSNMPWrite, {SnmpSetVar::Octets(kScreeningPorts, bytes)}).Answered() ? 1 : 0;
}

void CDHCPServerLogic::ReadServerTable() {
    m_serverRead.Start(
        SnmpReadSpec::Walk({kServerTable + "1", kServerTable + "3", kServerTable + "2", kServerTable + "4"}),
        [this](const SnmpRow& row) {
            DHCPServerEntry entry;
            entry.index = row.Text(0);
            entry.type = row.Text(1);
            const int type = entry.type == "1" ? 1 : entry.type == "2" ? 2 : 0;
            if (type != 0) {
                // A buffer as long as the longest address, so a short value is not read past.
                unsigned char bytes[16] = {};
                const std::string& address = row.Bytes(2);
                std::memcpy(bytes, address.data(), std::min(address.size(), sizeof bytes));
                const std::string hex = CUtils::AddressBytesToText(bytes, type);
                entry.address = type == 1 ? CUtils::HexToDottedIPv4(hex) : CUtils::CompressIPv6(hex);
            }
            entry.rowStatus = row.Text(3);
            Notify(kDhcpServerRow, reinterpret_cast<LPARAM>(&entry));
        },
        [this](const SnmpReadResult&) {
            static char kFinished[] = "Finished";
            Notify(kDhcpServerEnd, reinterpret_cast<LPARAM>(kFinished));
        });
}

int CDHCPServerLogic::SetServerEntry(const std::string& index, const std::string&, int operation) {
    if (operation == 1) return AddServer(index);
    if (operation == 3) return SetRowStatus(StatusCell(index), "6");
    return 1;
}

int CDHCPServerLogic::AddServer(const std::string& index) {
    if (m_pAddressEdit == nullptr) return 0;
    // createAndWait on an index that holds a row is refused; going on would overwrite it.
    if (!SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(StatusCell(index), 5)}).Ok()) return 0;
    if (!m_cCommonSNMPWrite.Open(SNMP_PDU_SET)) return 0;
    m_pAddressEdit->AddTypeVarBind(m_cCommonSNMPWrite, kServerTable + "3." + index);
    SnmpSendPrepared(m_cCommonSNMPWrite);
    // The request keeps the type: the second carries the type and the address.
    m_pAddressEdit->AddAddressVarBind(m_cCommonSNMPWrite, kServerTable + "2." + index);
    if (!SnmpSendPrepared(m_cCommonSNMPWrite).Answered()) return 0;
    return SetRowStatus(StatusCell(index), "1");
}
