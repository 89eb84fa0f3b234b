#include "features/security/IMPBBlackList.h"

#include <algorithm>
#include <cctype>

#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/IMPBDialogsIds.h"

using namespace impb_black_list_ids;

namespace {
constexpr const char* kShown = "2";
constexpr const char* kHidden = "0";

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}
}  // namespace

BEGIN_MESSAGE_MAP(CIMPBBlackList, CRowTableDialog)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_FIND, OnFind)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_MESSAGE(WM_IMPB_LIST_ROW, OnBlackListRow)
END_MESSAGE_MAP()

CIMPBBlackList::CIMPBBlackList(CWnd* parent)
    : CRowTableDialog(IDD, {IDC_LIST, {IDC_DELETE, IDC_REFRESH, IDC_FIND}}, {.topmost = true}, parent) {}

BOOL CIMPBBlackList::OnInitDialog() {
    CRowTableDialog::OnInitDialog();
    m_address.SubclassDlgItem(IDC_ADDRESS, this);
    InitList({{"VID", 85}, {"IP Address", 185}, {"Mac Address", 200}, {"Port", 90}}, LVCFMT_CENTER);
    m_logic.SetHwnd(GetSafeHwnd());
    Refresh();
    return TRUE;
}

void CIMPBBlackList::Refresh() {
    BeginRead();
    m_vecEntries.clear();
    m_logic.ReadBlackList();
}

LRESULT CIMPBBlackList::OnBlackListRow(WPARAM kind, LPARAM data) {
    if (kind == kImpbEnd) {
        FillList();
        EndRead();
        Item(IDC_TOTAL).SetWindowText(std::to_string(RowCount()));
        return 0;
    }
    if (const auto* entry = reinterpret_cast<const IMPBEntry*>(data)) {
        m_vecEntries.push_back(*entry);
        m_vecEntries.back().state = kShown;
    }
    return 0;
}

void CIMPBBlackList::FillList() {
    m_list.DeleteAllItems();
    for (const IMPBEntry& entry : m_vecEntries) {
        if (entry.state == kShown) AppendRow({entry.vid, entry.ip, entry.mac, entry.port});
    }
}

void CIMPBBlackList::ApplyFilter(const IMPBEntry& criteria, std::vector<IMPBEntry>& entries) {
    for (IMPBEntry& entry : entries) {
        const bool differs = (!criteria.vid.empty() && entry.vid != criteria.vid) ||
                             (!criteria.port.empty() && entry.port != criteria.port) ||
                             (!criteria.mac.empty() && !EqualIgnoringCase(entry.mac, criteria.mac)) ||
                             (!criteria.ip.empty() && entry.ip != criteria.ip);
        if (differs) entry.state = kHidden;
    }
}

void CIMPBBlackList::OnFind() {
    IMPBEntry criteria{m_address.GetWindowText(), Item(IDC_MAC).GetWindowText(), Item(IDC_VID).GetWindowText(),
                       Item(IDC_PORT).GetWindowText(), ""};
    if (!criteria.ip.empty() && m_address.m_nValid != 1) {
        AfxMessageBox("Please enter correct IP format.");
        return;
    }
    if (!criteria.mac.empty() && CUtils::ValidateMacInput(criteria.mac, false) == 0) return;
    if (criteria.ip.find(':') != std::string::npos) criteria.ip = CUtils::CompressIPv6(criteria.ip);
    for (IMPBEntry& entry : m_vecEntries) entry.state = kShown;
    ApplyFilter(criteria, m_vecEntries);
    FillList();
    for (int id : {IDC_ADDRESS.id, IDC_MAC.id, IDC_VID.id, IDC_PORT.id}) SetDlgItemText(id, "");
}

void CIMPBBlackList::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) {
        AfxMessageBox("Please select the item would be delete!\n");
        return;
    }
    m_logic.DeleteBlackListEntry({Cell(row, 1), Cell(row, 2), Cell(row, 0), Cell(row, 3), "3"});
    Refresh();
}
