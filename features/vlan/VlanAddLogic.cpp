#include "features/vlan/VlanAddLogic.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "core/CodeConvert.h"
#include "core/SnmpRead.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "core/DeviceProfile.h"

namespace {
const std::string kVlanTable = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.";
constexpr DWORD kActivatePauseMs = 50;

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> items;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');) items.push_back(item);
    return items;
}

// A port list's numbers within 1..ports, as flags.
void MarkPorts(const std::string& list, int* flags, int ports) {
    for (const std::string& item : SplitList(list)) {
        const int port = std::atoi(item.c_str());
        if (port >= 1 && port <= ports) flags[port - 1] = 1;
    }
}

// One SET of one INTEGER; the answer is not looked at.
void SetInteger(CCommonSNMP& session, const std::string& oid, long long value) {
    SnmpSet(session, {SnmpSetVar::Integer(oid, value)});
}
}  // namespace

CVlanAddLogic::CVlanAddLogic() : m_nPortNum(std::clamp(g_nDevicePortNum, 0, kMaxDevicePorts)) {}

CVlanAddLogic::~CVlanAddLogic() { m_cCommonSNMPEgrePort.Close(); }

int CVlanAddLogic::Init() {
    std::fill(m_TrunkPorts.begin(), m_TrunkPorts.end(), 0);
    GetTrunkPorts();
    return 1;
}

void CVlanAddLogic::GetTrunkPorts() { ReadTrunkPorts(); }

const VlanEntry* CVlanAddLogic::FindVlan(const VlanEntry* head, int vid) { return FindVlanEntry(head, vid); }

void CVlanAddLogic::FillPortFlags(const VlanEntry& entry, int* egress, int* untagged, int* notMember,
                                  int* forbidden) const {
    std::fill_n(egress, m_nPortNum, 0);
    std::fill_n(untagged, m_nPortNum, 0);
    std::fill_n(forbidden, m_nPortNum, 0);
    MarkPorts(entry.strEgressPorts, egress, m_nPortNum);
    MarkPorts(entry.strUntaggedPorts, untagged, m_nPortNum);
    for (int i = 0; i < m_nPortNum; ++i) notMember[i] = egress[i] == 0 && untagged[i] == 0 ? 1 : 0;
}

std::string CVlanAddLogic::GetAllUntaggedPorts(const VlanEntry* head) {
    std::string all;
    for (const VlanEntry* e = head; e != nullptr; e = e->pNext.get()) {
        if (e->strUntaggedPorts.empty()) continue;
        if (!all.empty()) all += ',';
        all += e->strUntaggedPorts;
    }
    return all;
}

int CVlanAddLogic::RemovePortFromList(int port, std::string& list) {
    const std::string text = std::to_string(port);
    std::string kept;
    for (const std::string& item : SplitList(list)) {
        if (item == text) continue;
        if (!kept.empty()) kept += ',';
        kept += item;
    }
    list = kept;
    return 1;
}

int CVlanAddLogic::IsPortNotInList(int port, const std::string& list) {
    const std::string text = std::to_string(port);
    for (const std::string& item : SplitList(list)) {
        if (item == text) return 0;
    }
    return 1;
}

int CVlanAddLogic::CheckVlanId(const VlanEntry* head, int vid) {
    if (vid > 4094 || vid < 2) {
        AfxMessageBox("Invalid VLAN ID, VLAN ID should be (2-4094) !");
        return 0;
    }
    if (FindVlan(head, vid) != nullptr) {
        AfxMessageBox("The VLAN ID has been used, please input again !");
        return 0;
    }
    return 1;
}

int CVlanAddLogic::CheckTrunkPorts(const int* flags) const {
    const int ports = std::min(m_nPortNum, static_cast<int>(m_TrunkPorts.size()));
    for (int p = 0; p < ports; ++p) {
        const int trunk = m_TrunkPorts[static_cast<size_t>(p)];
        if (flags[p] == 0 || trunk == 0) continue;
        for (int q = 0; q < ports; ++q) {
            if (m_TrunkPorts[static_cast<size_t>(q)] == trunk && flags[q] == 0) {
                AfxMessageBox("Members in VLAN have to be in the same trunk !");
                return 0;
            }
        }
    }
    return 1;
}

void CVlanAddLogic::SetVlanRowStatus(const std::string& vid, bool addMode) {
    if (!addMode && vid == "1") return;
    SetInteger(m_cCommonSNMP, kVlanTable + "5." + vid, addMode ? 5 : 2);
}

int CVlanAddLogic::SetPortList(const std::string& bitmap, const std::string& vid, int column) {
    if (bitmap.empty()) {
        AfxMessageBox("Parameter Error !");
        return 1;
    }
    const char* arc = column == kUntagged ? "4." : column == kEgress ? "2." : "3.";
    const SnmpAnswer answer = SnmpSet(m_cCommonSNMPEgrePort, {SnmpSetVar::Octets(kVlanTable + arc + vid, bitmap)});
    return answer.Answered() ? answer.errorStatus : answer.status;
}

void CVlanAddLogic::SetVlanName(const std::string& vid, const std::string& name) {
    char utf8[128] = {};
    CCodeConvert().AnsiToUtf8(name, utf8, sizeof utf8);
    SnmpSet(m_cCommonSNMP, {SnmpSetVar::Octets(kVlanTable + "1." + vid, utf8)});
    win::Sleep(kActivatePauseMs);
    SetInteger(m_cCommonSNMP, kVlanTable + "5." + vid, 1);
}

std::string CVlanAddLogic::BitmapOf(const int* flags) const {
    // The VLAN table takes 8 bytes on 28 ports and 12 on 52; other counts the usual width.
    const int digits = m_nPortNum == 28 ? 16 : m_nPortNum == 52 ? 24 : 0;
    return CUtils::PortFlagsToBitmap(flags, digits);
}

void CVlanAddLogic::Close() {
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPEgrePort.Close();
    OutputDebugStringA("==================m_cCommonSNMPEgrePort.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
}
