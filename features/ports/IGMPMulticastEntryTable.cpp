#include "features/ports/IGMPMulticastEntryTable.h"

#include "resources/templates/IGMPDialogsIds.h"

using namespace igmpids;

BEGIN_MESSAGE_MAP(CIGMPMulticastEntryTable, CFeatureDialog)
    ON_BN_CLICKED(IDC_IGMP_GROUP_REFRESH, OnRefresh)
    ON_MESSAGE(WM_IGMP_GROUP_ROW, OnEntryRow)
END_MESSAGE_MAP()

CIGMPMulticastEntryTable::CIGMPMulticastEntryTable(CWnd* parent)
    : CFeatureDialog(IDD_IGMP_MULTICAST_ENTRIES, {.topmost = true}, parent) {}

BOOL CIGMPMulticastEntryTable::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_IGMP_GROUP_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const std::pair<const char*, int> columns[] = {{"Group ID", 80},
                                                   {"VLAN ID", 80},
                                                   {"Multicast  Group", 150},
                                                   {"Multicast MAC address", 180},
                                                   {"Port Members", 140}};
    int column = 0;
    for (const auto& [heading, width] : columns) m_list.InsertColumn(column++, heading, LVCFMT_LEFT, width);
    m_logic.m_hOwner = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CIGMPMulticastEntryTable::CloseSessions() { m_logic.Close(); }

void CIGMPMulticastEntryTable::OnRefresh() {
    GetDlgItem(IDC_IGMP_GROUP_REFRESH)->EnableWindow(FALSE);
    m_list.DeleteAllItems();
    m_logic.GetMulticastEntries();
}

LRESULT CIGMPMulticastEntryTable::OnEntryRow(WPARAM wParam, LPARAM lParam) {
    if (wParam == kIgmpWalkEnd) {
        GetDlgItem(IDC_IGMP_GROUP_REFRESH)->EnableWindow(TRUE);
        return 0;
    }
    if (wParam != kIgmpRow || lParam == 0) return 0;
    const auto& entry = *reinterpret_cast<const IGMPMulticastEntry*>(lParam);
    const int count = m_list.GetItemCount();
    const int row = m_list.InsertItem(count, std::to_string(count + 1));
    m_list.SetItemText(row, 1, entry.vlanId);
    m_list.SetItemText(row, 2, entry.groupAddress);
    m_list.SetItemText(row, 3, entry.groupMac);
    m_list.SetItemText(row, 4, entry.portMembers);
    return 0;
}
