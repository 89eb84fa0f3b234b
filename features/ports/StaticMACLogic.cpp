#include "features/ports/StaticMACLogic.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Wnd.h"

namespace {
const std::string kLearning = "1.3.6.1.4.1.32473.10.76.21.1.9.";
const std::string kLearnState = kLearning + "1.0";
const std::string kUplinkPorts = kLearning + "2.0";
const std::string kTable = kLearning + "3.1.";
const std::string kAsymmetricVlan = "1.3.6.1.4.1.32473.10.76.21.1.7.5.0";
constexpr size_t kMacBytes = 6;
constexpr int kUplinkBytesRead = 8;
const char kFinished[] = "Finished";
}  // namespace

CStaticMACLogic::~CStaticMACLogic() { Close(); }

void CStaticMACLogic::Close() { m_tableMacRead.Close(); }

void CStaticMACLogic::Notify(WPARAM kind, LPARAM data) { ::SendMessage(m_hWndOwner.load(), WM_STATIC_MAC, kind, data); }

void CStaticMACLogic::GetStaticMacTable() {
    m_tableMacRead.Start(
        SnmpReadSpec::Walk({kTable + "4", kTable + "1", kTable + "2", kTable + "3"}),
        [this](const SnmpRow& row) { OnStaticMacRow(row); },
        [this](const SnmpReadResult&) { Notify(kStaticMacEnd, reinterpret_cast<LPARAM>(kFinished)); });
}

void CStaticMACLogic::OnStaticMacRow(const SnmpRow& row) {
    // Rows not active, and a MAC of another length than six bytes, are not entries to show.
    if (row.Text(0) != "1" || row.Bytes(2).size() != kMacBytes) return;
    StaticMacEntry entry{row.Text(1), CUtils::MacBytesToText(row.Bytes(2)), row.Text(3)};
    Notify(kStaticMacRow, reinterpret_cast<LPARAM>(&entry));
}

int CStaticMACLogic::SetStaticMac(StaticMacEntry entry, int action) {
    if (action != kAdd && action != kDelete) return 1;
    const std::string oid = kTable + "4." + entry.strVid + CUtils::MacToOidSuffix(entry.strMac) + "." + entry.strPort;
    return SetRowStatus(oid, action == kAdd ? "4" : "6");
}

void CStaticMACLogic::GetAutoLearning() {
    m_strAutoLearn.clear();
    GetValue(kLearnState, m_strAutoLearn);
    std::string bitmap;
    if (GetValue(kUplinkPorts, bitmap) == 0) return;
    // The switch holds as many bytes as its port count needs: read no further than it gave.
    std::string list;
    CUtils::BitmapToPortRangeList(bitmap.data(), std::min(static_cast<int>(bitmap.size()), kUplinkBytesRead), 1,
                                  g_nDevicePortNum, list);
    m_strUplinkPorts = list;
}

int CStaticMACLogic::SetAutoLearning(const std::string& state, const std::string& uplinkPorts) {
    SnmpSet(m_cCommonSNMPSetLearn, {{kLearnState, SNMP_TYPE_INTEGER, state}});
    if (state == "1") SetPortBitmap(uplinkPorts, kUplinkPorts);
    return 1;
}

void CStaticMACLogic::GetAsymmetricVlan(std::string& state) {
    state.clear();
    GetValue(kAsymmetricVlan, state);
}
