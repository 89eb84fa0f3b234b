#pragma once
// The logic of port mirroring: the switch's one mirroring session (state, target port, the
// RX and TX source ports) read with one GET beside a trunk walk of its own, the check that
// every aggregated link mirrors all its members alike, and the writes in their fixed order.
#include <string>
#include <vector>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "core/TrunkPortsWalk.h"
#include "platform/win/WinTypes.h"

// Sent to the window given with SetHwnd when a read of the settings was answered: wParam 0,
// lParam the MirrorSettings (valid during the call only).
constexpr UINT WM_MIRROR_SETTINGS = WM_USER + 10;

struct MirrorPort {
    unsigned char tx = 0;       // the port's transmitted traffic is mirrored
    unsigned char rx = 0;       // its received traffic is mirrored
    int trunk = 0;              // aggregated link of the port, 0 in none
    unsigned char checked = 0;  // CheckTrunkModes' work flag: 1 nothing to compare
};

struct MirrorSettings {
    int state = 0;       // 1 when the switch's state reads "1"
    std::string target;  // the target port as decimal text ("0" read as "1")
    std::vector<MirrorPort> ports;
};

class CPortMirroringLogic : public CModuleBase {
public:
    CPortMirroringLogic();
    ~CPortMirroringLogic() override;

    int PortCount() const { return static_cast<int>(m_ports.size()); }

    // One asynchronous GET of the four objects; its answer goes to the window as
    // WM_MIRROR_SETTINGS. A failed read sends nothing.
    void GetSettings();
    // The trunk walk into this logic's own trunk numbers; its end sends nothing.
    void GetTrunkPorts();
    // The trunk number of port (1-based); 0 in no link and for any port outside 1..N.
    int TrunkOf(int port) const { return m_trunkWalk.Trunk(port); }
    // 1 when every aggregated link has the same tx and rx on all its members (m_ports).
    int CheckTrunkModes();
    // The writes: with newState "1", the sources cleared first when previousState is "1",
    // the target, the sources of m_ports; always last the state.
    void SetSettings(const std::string& previousState, const std::string& newState, const std::string& target);
    bool ReadsRunning() const { return m_settingsRead.Running() || m_trunkWalk.Running(); }
    // Ends both reads; no answer reaches the window afterwards.
    void Close();

    // Filled by the dialog before a write; one per port.
    std::vector<MirrorPort> m_ports;
    // The state text of the last answered read; "" until then.
    std::string m_strPrevState;

private:
    void OnSettings(const SnmpRow& row);
    std::string SourceBitmap(bool tx) const;

    CTrunkPortsWalk m_trunkWalk;
    CSnmpRead m_settingsRead;  // last: closed before what its handler writes
};
