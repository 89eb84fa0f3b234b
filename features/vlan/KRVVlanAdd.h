#pragma once
// "Add VLAN" / "Edit VLAN": the VID, the name and, per port, Tagged, Untagged or Not Member
// (a hidden Forbidden row is kept for the wire's forbidden set). The opener fills the inputs,
// runs DoModal and re-reads its list on IDOK (the writes were made, whatever the switch
// answered); IDCANCEL writes nothing.
#include <memory>
#include <string>
#include <vector>

#include "core/controls/lxDialog.h"
#include "features/vlan/VlanAddLogic.h"
#include "features/vlan/VlanEntry.h"

class CKRVVlanAdd : public ClxDialog {
public:
    explicit CKRVVlanAdd(CWnd* parent = nullptr);
    ~CKRVVlanAdd() override;

    // Inputs, set before DoModal.
    bool m_bAddMode = true;
    int m_nPortNum = 0;
    const VlanEntry* m_pVlanHead = nullptr;  // borrowed
    int m_nAsymmetric = 2;                   // 1 asymmetric, 2 symmetric
    int m_nVid = 0;                          // edit mode

    // True once the trunk walk has delivered its rows.
    bool TrunkPortsRead() const { return m_logic.m_bTrunkRead == 1; }

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void OnOK() override;

private:
    enum class Row { Tagged, Untagged, NotMember, Forbidden };

    void CreatePortControls();
    void ShowFlags();
    void OnTagged(UINT id);
    void OnUntagged(UINT id);
    void OnNotMember(UINT id);
    void OnForbidden(UINT id);
    // The click rule every box shares: a box the click left unchecked is checked again and
    // the click ends there. Gives the port of a box that goes on, 0 otherwise.
    int ClickedPort(UINT id, int base);
    // Sets the port's flags to one membership and unchecks the boxes of the other rows.
    void SetMembership(int port, Row row);
    void OnVidChange();
    void OnNameChange();
    void CutText(int id, std::size_t maxChars);
    // The writes of an accepted OK, in the row's fixed order.
    void WriteVlan(const std::string& vid);
    int BoxId(Row row, int port) const;

    std::vector<int> m_arrEgress;
    std::vector<int> m_arrUntagged;
    std::vector<int> m_arrNotMember;
    std::vector<int> m_arrForbidden;
    std::string m_strName;
    std::string m_strUntaggedPorts;  // the untagged members of every listed VLAN
    std::vector<std::unique_ptr<CWnd>> m_portControls;
    CVlanAddLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
