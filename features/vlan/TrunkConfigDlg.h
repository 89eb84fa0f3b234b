#pragma once
// "Trunk Configuration": link aggregation on or off, every trunk with its mode and member
// ports, one trunk's mode set to LACP, Static or Disable, and its member ports chosen in the
// member dialog. Opened from the menu: CTrunkConfigDlg dlg; dlg.DoModal();
//
// The trunk walk's rows and its end reach this dialog on the user-interface thread, so the
// list and m_strPortMember are only ever touched there. The state GET and the SETs are
// synchronous. The window goes before the sessions are closed, and closing never waits for
// a request in flight: a row that arrives after closing is dropped.
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"

class CTrunkConfigDlg : public CFeatureDialog {
public:
    explicit CTrunkConfigDlg(CWnd* parent = nullptr);
    ~CTrunkConfigDlg() override;

    // The text a mode code of the trunk table shows: "1" LACP, "2" Static, anything else Disable.
    static std::string ModeText(const std::string& code);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void OnRefresh();
    void ReadTrunkState();
    void ReadTrunkTable();
    void OnTrunkRow(const SnmpRow& row);
    void OnApplyState();
    void OnApplyMode();
    void SetTrunkMode(int trunk);
    void OnPortMember();
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    // Shows row `row` in the trunk number edit and the combo box and keeps its members.
    void ShowRow(int row);
    // The index of the first row whose trunk number is `trunk`, or -1.
    int FindRow(const std::string& trunk) const;
    std::string ComboText();

    CListCtrlEx m_list;
    CCommonSNMP m_cCommonSNMPTrunk;     // state GET, state SET, mode SET
    CSnmpRead m_cCommonSNMPTrunkTable;  // the trunk table walk
    std::string m_strPortMember;        // members of the trunk last chosen in the list

    DECLARE_MESSAGE_MAP()
};
