#include "features/ports/BandWidthControlFunLogic.h"

#include <algorithm>
#include <vector>

#include "platform/ui/Wnd.h"

namespace {
const std::string kBandwidthTable = "1.3.6.1.4.1.32473.10.76.21.1.13.1.2.1.";
const std::string kPortColumn = kBandwidthTable + "1";
const std::string kTxColumn = kBandwidthTable + "2";
const std::string kRxColumn = kBandwidthTable + "3";
constexpr long kLowestRate = 64;
constexpr long kHighestRate = 1024000;
const char kFinished[] = "Finished";
const char kWriteFinished[] = "WriteFinished";
}  // namespace

CBandWidthControlFunLogic::~CBandWidthControlFunLogic() { Close(); }

void CBandWidthControlFunLogic::Close() {
    m_tableWalk.Close();
    m_trunkWalk.Close();
}

void CBandWidthControlFunLogic::Notify(WPARAM kind, LPARAM data) {
    ::SendMessage(m_hWnd.load(), WM_BANDWIDTH, kind, data);
}

void CBandWidthControlFunLogic::GetBandwidth() {
    m_tableWalk.Start(
        SnmpReadSpec::Walk({kPortColumn, kTxColumn, kRxColumn}), [this](const SnmpRow& row) { OnBandwidthRow(row); },
        [this](const SnmpReadResult&) { Notify(kBandwidthReadEnd, reinterpret_cast<LPARAM>(kFinished)); });
}

void CBandWidthControlFunLogic::OnBandwidthRow(const SnmpRow& row) {
    BandwidthRow entry{row.Text(0), row.Text(1), row.Text(2)};
    Notify(kBandwidthRow, reinterpret_cast<LPARAM>(&entry));
}

void CBandWidthControlFunLogic::GetTrunkPorts() {
    m_trunkWalk.Start([this] {
        if (!m_tableWalk.Running()) Notify(kBandwidthReadEnd, reinterpret_cast<LPARAM>(kFinished));
    });
}

int CBandWidthControlFunLogic::CheckTrunkPorts(int from, int to, std::string& ports) const {
    ports.clear();
    for (int port = from; port <= to; ++port) {
        if (m_trunkWalk.Trunk(port) == 0) continue;
        if (!ports.empty()) ports += ",";
        ports += std::to_string(port);
    }
    return ports.empty() ? 1 : 0;
}

int CBandWidthControlFunLogic::IsValidRate(const std::string& rate) {
    // The leading digits, held just above the highest rate so that no length can wrap.
    long value = 0;
    for (size_t i = 0; i < rate.size() && rate[i] >= '0' && rate[i] <= '9'; ++i)
        value = std::min(value * 10 + (rate[i] - '0'), kHighestRate + 1);
    return !rate.empty() && value >= kLowestRate && value <= kHighestRate ? 1 : 0;
}

void CBandWidthControlFunLogic::SetBandwidth(int from, int to, const std::string& rate, int direction) {
    // The answers are not examined: the re-read that follows shows what the switch holds.
    for (int port = from; port <= to; ++port) {
        const std::string instance = "." + std::to_string(port);
        std::vector<SnmpSetVar> vars;
        if (direction == kRx || direction == kBoth) vars.push_back({kRxColumn + instance, SNMP_TYPE_INTEGER, rate});
        if (direction == kTx || direction == kBoth) vars.push_back({kTxColumn + instance, SNMP_TYPE_INTEGER, rate});
        SnmpSet(m_cCommonSNMP, vars);
    }
    Notify(kBandwidthWritten, reinterpret_cast<LPARAM>(kWriteFinished));
}
