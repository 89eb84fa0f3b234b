#pragma once
// The logic of the VLAN add and edit dialog: the trunk membership it checks against, the
// checks of a VID and of a port choice, the port-list helpers, and the writes of one VLAN row
// (row status, the three port bitmaps, the name).
//
// The trunk walk is CModuleBase's: its rows reach m_TrunkPorts on the user-interface thread.
// The writes are synchronous, on the user-interface thread.
#include <string>

#include "core/ModuleBase.h"
#include "features/vlan/VlanEntry.h"

class CVlanAddLogic : public CModuleBase {
public:
    // The port bitmap columns of SetPortList.
    enum PortColumn { kUntagged = 0, kEgress = 1, kForbidden = 2 };

    CVlanAddLogic();
    ~CVlanAddLogic() override;

    // Zeroes the trunk numbers and starts the trunk walk; 1.
    int Init();
    void GetTrunkPorts();

    static const VlanEntry* FindVlan(const VlanEntry* head, int vid);
    // Sets the flags of every port of the entry's lists; ports above the port count are left
    // out. Arrays of the port count.
    void FillPortFlags(const VlanEntry& entry, int* egress, int* untagged, int* notMember, int* forbidden) const;
    // The untagged lists of every entry joined with ",".
    static std::string GetAllUntaggedPorts(const VlanEntry* head);
    static int RemovePortFromList(int port, std::string& list);
    // 0 when an item of the list is the port, else 1.
    static int IsPortNotInList(int port, const std::string& list);

    // The checks show their message and give 0 to stop, 1 to go on.
    static int CheckVlanId(const VlanEntry* head, int vid);
    // Every member of a trunk in the set, or none.
    int CheckTrunkPorts(const int* flags) const;

    // Add: 5 (createAndWait); edit: 2 (notInService), nothing for VID 1.
    void SetVlanRowStatus(const std::string& vid, bool addMode);
    // Writes the bitmap to the column of the VID: 0 when the switch took it, else the send
    // status or the answer's error status. 1 without sending for an empty bitmap.
    int SetPortList(const std::string& bitmap, const std::string& vid, int column);
    // The name, then after 50 ms the row status 1 (active).
    void SetVlanName(const std::string& vid, const std::string& name);
    // The bitmap bytes of per-port flags in the width the VLAN table is written with.
    std::string BitmapOf(const int* flags) const;

    // Closes the three sessions, one debugger line each.
    void Close();

    CCommonSNMP m_cCommonSNMPEgrePort;  // the port bitmap writes

private:
    int m_nPortNum = 0;
};
