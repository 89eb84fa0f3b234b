#pragma once
// The logic of port settings and port descriptions: walks of the port control table and of
// the port description table into one record per port, the checks of a requested change of
// one port, and the writes.
#include <atomic>
#include <string>
#include <vector>

#include "core/ModuleBase.h"
#include "platform/win/WinTypes.h"

// Notifications to the window given with SetHwnd (wParam and lParam 0).
constexpr UINT WM_PORT_READ_END = WM_APP + 1001;      // a description read ended
constexpr UINT WM_PORT_READ_DONE = WM_APP + 1002;     // a read reached the end of its table
constexpr UINT WM_PORT_READ_TIMEOUT = WM_APP + 1003;  // the port settings read timed out

// One row of the port control table. Codes as the switch gives them.
struct PortConfigEntry {
    int port = 0;
    int speed = 1;        // 1 1000M Full ... 6 Auto, 7 Disable
    int mdix = 1;         // 1 Auto, 2 MDI, 3 MDIX
    int flowControl = 2;  // 1 enabled, 2 disabled
    int link = 1;         // 1 Down, 2 1000M Full ... 6 10M Half
    int medium = 1;       // 2 copper, 4 fibre with a 1000Base-X module, else fibre
};

struct PortDescriptionEntry {
    int port = 0;
    std::string description;
};

class CPortConfigLogic : public CModuleBase {
public:
    CPortConfigLogic();
    // Ends both walks before the records they write go.
    ~CPortConfigLogic() override;

    // Sizes both record arrays for the device's port count, with initial values.
    void Init();
    int PortCount() const { return m_nPortNum; }

    // Port settings. The read starts at once and ends with WM_PORT_READ_DONE or
    // WM_PORT_READ_TIMEOUT; returns 1.
    int GetPortConfig();
    // One SET of speed, MDI/MDIX and flow control of entry.port: 1 when it was sent and
    // answered, else 0 (the answer's error status shows in the next read).
    int SetPortConfig(const PortConfigEntry& entry);
    // row: the index of the port's record; port: its number. The checks give 1 to go on.
    int CheckTrunkSpeed(int row, int port, int speed);
    int CheckTrunkFlowControl(int row, int port, int flowControl);
    int CheckTrunkMdix(int row, int port, int mdix);
    int CheckMdix(int row, int port, int mdix);
    int CheckSpeed(int row, int port, int speed);
    int CheckNotAllDisabled(int row, int speed);
    int ConfirmFlowControl(int flowControl);

    // Port descriptions. The read ends with WM_PORT_READ_END.
    void GetPortDescriptions();
    // Writes text to ports from..to, 15 ports a request on ranges above 16 ports: 1 when
    // the last request was answered, else 0 (0 without sending for from below 0).
    int SetPortDescriptions(int from, int to, const std::string& text);

    // Stops the walks of both sessions; the records stay.
    void CloseSessions();

    // Read on the user-interface thread after a read's end notification.
    std::vector<PortConfigEntry> m_arrPortConfig;
    std::vector<PortDescriptionEntry> m_arrPortDescription;

    // Stores one row of the port settings walk in the record of the given position
    // (0-based); a position outside the records is ignored.
    void SetPortConfigEntry(int entry, const PortConfigEntry& values);
    // Stores one port's description in the record of the given position (0-based); a
    // position outside the records is ignored.
    void SetPortDescriptionEntry(int entry, int port, const std::string& description);

private:
    // The per-row steps of the two walks.
    void OnPortConfigRow(const SnmpRow& row);
    void OnPortDescriptionRow(const SnmpRow& row);
    // The trunk check of one field: a port sharing its aggregated link keeps its value.
    int CheckTrunkField(int row, int port, int requested, int PortConfigEntry::*field);
    bool ValidRow(int row) const { return row >= 0 && row < m_nPortNum; }
    bool ValidPort(int port) const {
        return port >= 1 && port <= m_nPortNum && port <= static_cast<int>(m_TrunkPorts.size());
    }
    void Notify(UINT message);

    int m_nPortNum = 0;
    // Rows of the running walks.
    int m_nConfigRows = 0;
    int m_nDescriptionRows = 0;
    // The port settings walk (the descriptions walk on the base's m_tableRead). Last, so it
    // closes before the records go.
    CSnmpRead m_portRead;
};
