#pragma once
// CTrunkLogic: the logic of the trunk member dialog. When the dialog opens it reads every
// setting of the switch that can forbid putting ports into one trunk (TrunkSettings); when the
// user confirms a member set it judges the set with the checks of TrunkChecks.h and shows the
// first refusal; SetTrunk writes a trunk's members and mode in one SET.
//
//   m_TrunkLogic.SetReadsEndedHandler([this] { EnableOk(); });   // before Init
//   if (!m_TrunkLogic.Init()) ...                                  // starts every read
//   m_TrunkLogic.m_strTrunkMembers = members;                       // on OK
//   m_TrunkLogic.m_pSelectPorts = checked;                          // PortCount() ints
//   if (m_TrunkLogic.CheckTrunkSelection()) m_TrunkLogic.SetTrunk(mode, hexMembers, trunk);
//   m_TrunkLogic.Close();                                           // in DestroyWindow
//
// The reads run in parallel on the shared read path (core/SnmpRead.h); their handlers store
// under a mutex, and the checks judge a snapshot taken under it. Every read records its end
// (answer, end of table, error or time-out); when all have ended the reads-ended handler runs
// once, on the user-interface thread, and ReadsEnded() holds from then on.
#include <bitset>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/TrunkPortsWalk.h"
#include "features/vlan/TrunkChecks.h"

class CTrunkLogic {
public:
    CTrunkLogic();
    ~CTrunkLogic();
    CTrunkLogic(const CTrunkLogic&) = delete;
    CTrunkLogic& operator=(const CTrunkLogic&) = delete;

    // The port count is the device's (g_nDevicePortNum) at this call; then every read starts.
    // 1 when the reads were started, 0 when the data could not be allocated. Call once.
    int Init();
    // Clears the data and starts every read (Init calls it).
    void ReadAll();

    // Runs once on the user-interface thread when every read of ReadAll has ended, whatever
    // its end. Set it before Init: the last read may end inside Init.
    void SetReadsEndedHandler(std::function<void()> handler);
    bool ReadsEnded() const;

    // The sixteen checks over the ports of m_pSelectPorts, m_strTrunkMembers and what has been
    // read: 1 when all pass; 0 after the first refusal's message box (OK only).
    int CheckTrunkSelection();
    // True when the chosen ports are all in the port list or all outside it.
    int IsAllOrNoneInList(const std::string& list) const;

    // Writes one trunk in one SET: members (hexadecimal port bitmap text, two digits a byte)
    // then mode ("1" LACP, "2" static). 0 after "Parameter Error !" for a member text of
    // fewer than two digits (nothing sent); else 1, whatever the switch answered.
    int SetTrunk(const std::string& mode, const std::string& members, const std::string& trunk);

    // Ends every read and closes the sessions; never waits for a request in flight.
    void Close();

    int PortCount() const { return m_nPortNum; }
    // A copy of what has been read so far.
    TrunkSettings Snapshot() const;

    // Set by the dialog before the checks: element i not 0 when port i + 1 is chosen
    // (PortCount() elements, owned by the dialog), and the port list of the trunk being edited.
    int* m_pSelectPorts = nullptr;
    std::string m_strTrunkMembers;

private:
    enum Read {
        kReadTrunkMembers,
        kReadVlanPorts,
        kReadAclPorts,
        kReadMirrorSources,
        kReadArpPorts,
        kReadSurveillancePorts,
        kReadRstpPorts,
        kReadPortSettings,
        kReadMirrorTarget,
        kReadStaticFdbPorts,
        kReadGlobalStates,
        kReadDhcpScreeningPorts,
        kReadKinds
    };

    void ReadPortSettings();
    void ReadTrunkMembers();
    void ReadVlanPorts();
    void ReadAclPorts();
    void ReadMirrorSources();
    void ReadArpPorts();
    void ReadSurveillancePorts();
    void ReadRstpPorts();
    void ReadMirrorTarget();
    void ReadStaticFdbPorts();
    void Get8021EnableState();
    void ReadDhcpScreeningPorts();

    // A walk that stores a row's values under the mutex; the read's end is recorded.
    void StartRead(CSnmpRead& read, Read which, const SnmpReadSpec& spec, std::function<void(const SnmpRow&)> store);
    void ReadEnded(Read which);
    // Stores a per-port value of row variable k at the port its instance suffix names.
    static void StorePerPort(std::vector<int>& values, const SnmpRow& row, size_t k, int portCount);
    static int PortOf(const SnmpRow& row, size_t k, int portCount);
    std::string ListOf(const std::string& bitmap) const;

    TrunkSelection Selection() const;

    int m_nPortNum = 0;

    mutable std::mutex m_mutex;  // guards m_data, m_ended and m_readsEnded
    TrunkSettings m_data;
    std::bitset<kReadKinds> m_ended;
    bool m_readsEnded = false;
    bool m_started = false;
    std::function<void()> m_onReadsEnded;

    // The sessions of the synchronous requests.
    CCommonSNMP m_cCommonSNMPSet;
    CCommonSNMP m_cCommonSNMPDhcp;
    // The asynchronous reads, last: closed before the data their handlers write.
    std::optional<CTrunkPortsWalk> m_trunkWalk;
    CSnmpRead m_stateRead;
    CSnmpRead m_mirrorSourceRead;
    CSnmpRead m_aclRead;
    CSnmpRead m_mirrorTargetRead;
    CSnmpRead m_vlanRead;
    CSnmpRead m_fdbRead;
    CSnmpRead m_portSettingsRead;
    CSnmpRead m_arpRead;
    CSnmpRead m_cameraRead;
    CSnmpRead m_rstpRead;
};
