#pragma once
// The logic of bandwidth control: the walk of the per-port rate table, a trunk walk of its
// own run once per dialog, the checks of a requested limit and the writes, one request a port.
#include <string>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "core/TrunkPortsWalk.h"
#include "platform/win/WinTypes.h"

// Sent to the window given with SetHwnd, wParam one of the kinds below.
constexpr UINT WM_BANDWIDTH = WM_USER + 10;
constexpr WPARAM kBandwidthRow = 0;      // lParam: the BandwidthRow (valid during the call)
constexpr WPARAM kBandwidthWritten = 4;  // lParam: "WriteFinished"
constexpr WPARAM kBandwidthReadEnd = 5;  // lParam: "Finished"

// One row of the rate table as decimal texts.
struct BandwidthRow {
    std::string port;
    std::string txRate;
    std::string rxRate;
};

class CBandWidthControlFunLogic : public CModuleBase {
public:
    enum Direction { kRx = 0, kTx = 1, kBoth = 2 };

    CBandWidthControlFunLogic() = default;
    ~CBandWidthControlFunLogic() override;

    // The table walk: a row message for each row, the end message however it ends.
    void GetBandwidth();
    // The trunk walk. Its end sends the end message only while no table walk runs: that
    // end is the table walk's to give.
    void GetTrunkPorts();
    bool ReadsRunning() const { return m_tableWalk.Running() || m_trunkWalk.Running(); }

    // 1 when no port of from..to is in an aggregated link; else 0 with those ports in
    // `ports` ("7,8").
    int CheckTrunkPorts(int from, int to, std::string& ports) const;
    // 1 for a text whose leading number lies in 64..1024000.
    static int IsValidRate(const std::string& rate);
    // One SET a port of from..to (Rx before Tx with kBoth), then the written message.
    void SetBandwidth(int from, int to, const std::string& rate, int direction);
    void Close();

private:
    void Notify(WPARAM kind, LPARAM data);
    void OnBandwidthRow(const SnmpRow& row);

    CTrunkPortsWalk m_trunkWalk;
    CSnmpRead m_tableWalk;  // last: closed before what its handlers use
};
