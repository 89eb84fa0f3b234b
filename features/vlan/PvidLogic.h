#pragma once
// The logic of the PVID dialog: the trunk membership, the checks of a set of PVIDs, and the
// writes, one SET a port. The trunk walk is CModuleBase's: every walk starts from an empty
// trunk array and its rows reach m_TrunkPorts on the user-interface thread.
#include "core/ModuleBase.h"
#include "features/vlan/VlanEntry.h"

class CPvidLogic : public CModuleBase {
public:
    CPvidLogic();

    // Starts the trunk walk.
    void GetTrunkPorts();
    // Arrays of the port count. The checks show their message and give 0 to stop, 1 to go on.
    int CheckTrunkPvid(const int* pvids, const int* trunkIds) const;
    int CheckPvid(const int* pvids, const VlanEntry* head) const;
    // Every port's PVID, ports 1 to 40, a pause of 50 ms, then the rest: 1 when every SET was
    // taken, 0 at the first that was not (the ports before it keep their new PVID).
    int SetPvid(const int* pvids);
    static const VlanEntry* FindVlan(const VlanEntry* head, int vid);

    // Closes the sessions of the writes and of the trunk walk.
    void Close();

private:
    int m_nPortNum = 0;
};
