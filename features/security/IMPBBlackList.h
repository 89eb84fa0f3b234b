#pragma once
// "Black List": the hosts the switch blocks, shown at the end of each read, filtered locally
// by VID, port, MAC and address, and removed from the switch one at a time.
// CIMPBBlackList dlg; dlg.DoModal();
#include <vector>

#include "core/controls/EditEXIPV6.h"
#include "core/controls/RowTableDialog.h"
#include "features/security/IMPFunclogic.h"

class CIMPBBlackList : public CRowTableDialog {
public:
    explicit CIMPBBlackList(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void Refresh();
    LRESULT OnBlackListRow(WPARAM kind, LPARAM data);
    void OnFind();
    void OnDelete();
    // Hides (state "0") every entry that a non-empty criterion does not match.
    static void ApplyFilter(const IMPBEntry& criteria, std::vector<IMPBEntry>& entries);
    void FillList();

    CEditEXIPV6 m_address;
    // Every row of the last read in arrival order; the state text is "2" shown, "0" hidden.
    std::vector<IMPBEntry> m_vecEntries;
    CIMPFunclogic m_logic;

    DECLARE_MESSAGE_MAP()
};
