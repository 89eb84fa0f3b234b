#pragma once
// "802.1Q VLAN Configuration": the switch's active static VLANs with their tagged and untagged
// members, the asymmetric VLAN mode, and Add, Edit, Delete and PVID. Opened from the menu:
// C8021qVlanSet dlg; dlg.DoModal();
//
// Every read is a walk (or one GET) whose rows and end reach this dialog on the
// user-interface thread, so the VLAN list, the PVIDs, the IP interface texts and the voice and
// surveillance values are only ever written there. A refresh closes the running walks before
// it frees the list, so no row of an earlier read lands in the new list.
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "features/vlan/VlanEntry.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "core/SnmpRead.h"

class C8021qVlanSet : public CDialog {
public:
    explicit C8021qVlanSet(CWnd* parent = nullptr);
    ~C8021qVlanSet() override;

    // The members of the egress list that the untagged list does not hold, joined with ",";
    // ports above portCount are left out of both.
    static std::string GetTaggedPorts(const std::string& egress, const std::string& untagged, int portCount);

    // True while one of the reads runs; once false, every row it read has been taken in.
    bool ReadsRunning() const;

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

private:
    void Refresh();
    // A synchronous GET of the asymmetric mode: on success the text is kept and the box shows it.
    void ReadAsymmetric();
    void OnVoiceRead(const SnmpRow& row);
    void OnPvidRow(const SnmpRow& row);
    void OnIpInterfaceRow(const SnmpRow& row);
    void OnVlanRow(const SnmpRow& row);
    void OnVlanReadEnd();
    void OnPvid();
    void EnableWalkButtons(bool enable);

    void OnAdd();
    void OnEdit();
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void OnDelete();
    void OnRefresh();
    void OnAsymmetricApply();
    // The refusals of a delete, in order; 1 to go on.
    int CheckDeletable(const std::string& vid);
    // The selected row's index, or -1 after the message for an empty list or no selection.
    int SelectedRow(const std::string& message);
    int AsymmetricMode();
    // Runs the add or edit dialog; IDOK re-reads the list.
    void RunVlanAdd(bool addMode, int vid);

    int m_nPortNum = 0;
    std::vector<int> m_arrPvid;
    int m_nVoiceState = 0;  // 1 enabled, 2 disabled, 0 not read yet
    int m_nVoiceVid = 0;
    int m_nSurveillanceState = 0;
    int m_nSurveillanceVid = 0;
    std::vector<std::string> m_arrIpInterface;
    std::string m_strAsymmetric;
    VlanList m_vlanList;
    CListCtrl m_list;

    CCommonSNMP m_cCommonSNMP;                 // asymmetric mode, read and write
    CSnmpRead m_cCommonSNMPVoiceVlan;          // voice and surveillance
    CSnmpRead m_cCommonSNMPTable;              // PVIDs
    CSnmpRead m_cCommonSNMPTableVlan;          // the VLAN table
    CCommonSNMP m_cCommonSNMPTableVlanDelete;  // delete
    CSnmpRead m_cCommonSNMPIpInterface;        // IP interfaces

    DECLARE_MESSAGE_MAP()
};
