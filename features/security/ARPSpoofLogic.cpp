#include "features/security/ARPSpoofLogic.h"

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"

const std::string CARPSpoofLogic::kGatewayTable = "1.3.6.1.4.1.32473.10.76.21.1.14.3.1.1.";

namespace {
std::string Cell(int column, const std::string& ip) {
    return CARPSpoofLogic::kGatewayTable + std::to_string(column) + "." + ip;
}

}  // namespace

CARPSpoofLogic::~CARPSpoofLogic() { Close(); }

void CARPSpoofLogic::Close() {
    m_gatewayRead.Close();
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_tableRead.Close();
    m_cCommonSNMPTable.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
}

void CARPSpoofLogic::ReadGateways(std::function<void(const ARPSpoofEntry&)> onRow, std::function<void()> onEnd) {
    m_gatewayRead.Start(
        SnmpReadSpec::Walk({kGatewayTable + "1", kGatewayTable + "2", kGatewayTable + "3", kGatewayTable + "4"}),
        [onRow = std::move(onRow)](const SnmpRow& row) {
            ARPSpoofEntry entry;
            entry.ip = row.Text(0);
            entry.mac = CUtils::MacBytesToText(row.Bytes(1));
            // The bitmap is read over its own length: a short value lists no
            // port beyond it.
            const std::string& bitmap = row.Bytes(2);
            CUtils::BitmapToPortRangeList(bitmap.data(), static_cast<int>(bitmap.size()), 1, g_nDevicePortNum,
                                          entry.ports);
            entry.rowStatus = row.Text(3);
            if (onRow) onRow(entry);
        },
        [onEnd = std::move(onEnd)](const SnmpReadResult&) {
            if (onEnd) onEnd();
        });
}

int CARPSpoofLogic::DeleteGateway(const std::string& ip) {
    return SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(Cell(4, ip), 6)}).Answered() ? 1 : 0;
}

void CARPSpoofLogic::CreateGateway(const std::string& ip, const std::string& macBytes, const std::string& portBitmap) {
    // Each step goes out whatever the previous one was answered: the list read afterwards
    // shows what the switch holds.
    SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(Cell(4, ip), g_strDeviceName == "VAD-3300-08P B1" ? 4 : 5)});
    win::Sleep(kWritePauseMs);
    SnmpSet(m_cCommonSNMP, {SnmpSetVar::Octets(Cell(2, ip), macBytes)});
    SnmpSet(m_cCommonSNMP, {SnmpSetVar::Octets(Cell(2, ip), macBytes), SnmpSetVar::Octets(Cell(3, ip), portBitmap)});
    win::Sleep(kWritePauseMs);
    SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(Cell(4, ip), 1)});
}

std::string CARPSpoofLogic::MacBytes(const std::string& mac) {
    std::string digits;
    for (char c : mac) {
        if (c != '-') digits += c;
    }
    std::string bytes(6, '\0');
    CUtils::HexStringToBytes(digits, reinterpret_cast<unsigned char*>(bytes.data()), 6);
    return bytes;
}
