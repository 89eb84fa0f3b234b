#pragma once
// "Trunk member": one check box per port for the member ports of one trunk. Opened by the
// trunk configuration's PortMember button, which sets the three texts below before DoModal.
// Its CTrunkLogic reads every setting of other features that can forbid an aggregated link
// when the dialog opens; OK stays disabled until each of those reads has ended, then runs the
// count limits and the admission checks and writes the members and the mode in one SET.
#include <memory>
#include <string>
#include <vector>

#include "core/controls/lxDialog.h"
#include "features/vlan/TrunkLogic.h"

class CKRVTrunkPort : public ClxDialog {
public:
    explicit CKRVTrunkPort(CWnd* parent = nullptr);
    ~CKRVTrunkPort() override;

    std::string m_strPortMember;  // the trunk's present members, as the list shows them
    std::string m_strTrunkId;     // the trunk number
    std::string m_strMode;        // the mode text chosen in the trunk configuration

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void OnOK() override;

private:
    void CreatePortCheckBoxes();
    void ShowTrunk();
    // m_PortChecked from a member list: each listed port within the port count becomes 1,
    // every other port 0.
    void ParseMemberList(const std::string& list);
    void OnPortCheck(UINT id);

    int m_nPortNum = 0;
    std::vector<std::unique_ptr<CButton>> m_PortCheck;
    std::vector<std::unique_ptr<CStatic>> m_PortLabel;
    std::vector<int> m_PortChecked;  // element p-1 is 1 when port p's box is checked
    CTrunkLogic m_TrunkLogic;

    DECLARE_MESSAGE_MAP()
};
