#pragma once
// CTrunkPortsWalk: the trunk-member walk of a feature that keeps its own per-port trunk
// numbers beside the base's (CModuleBase::m_TrunkPorts), on a read of its own, so that it runs
// at the same time as the feature's other reads. The rows are collected privately and
// published when the walk ends, however it ends; the end handler, when given, runs after that.
// Rows and end arrive on the user-interface thread (core/SnmpRead.h), where Trunk() is read.
//
//   m_trunks.Start([this] { Notify(WM_X, kTrunkEnd); });   // or Start() with no notice
//   if (m_trunks.Trunk(target) != 0) ...
#include <functional>
#include <vector>

#include "core/SnmpRead.h"

class CTrunkPortsWalk {
public:
    // Sized for the device's port count at construction (g_nDevicePortNum), all 0.
    CTrunkPortsWalk();

    // Starts the walk, withdrawing one still running; onEnd runs when it has published.
    void Start(std::function<void()> onEnd = {});
    // Ends delivery at once; the numbers published last stay.
    void Close() { m_read.Close(); }
    bool Running() const { return m_read.Running(); }

    int PortCount() const { return static_cast<int>(m_ports.size()); }
    // The trunk number of port (1-based); 0 for a port in no trunk and for any port outside
    // 1..PortCount().
    int Trunk(int port) const;
    // Element p-1: the trunk number of port p.
    const std::vector<int>& Ports() const { return m_ports; }

private:
    std::vector<int> m_ports;
    std::vector<int> m_walkPorts;
    std::function<void()> m_onEnd;
    CSnmpRead m_read;  // last: closed before the arrays its handlers write
};
