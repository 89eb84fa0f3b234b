#include "features/information/StatisticRmon1.h"

#include <cstdlib>

#include "features/information/Rmon1Entry.h"
#include "features/information/StatisticRmonCnt.h"
#include "features/information/StatisticRmonInf.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/Rmon1DialogsIds.h"

using namespace rmon1_statistic_ids;

namespace {
const std::string kIndexColumn = kEtherStatsEntry + "1";
const std::string kDataSourceColumn = kEtherStatsEntry + "2";
const std::string kStatusColumn = kEtherStatsEntry + "21";
const std::string kOwnerColumn = kEtherStatsEntry + "20";
const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";
const char* const kIfNumber = "1.3.6.1.2.1.2.1.0";
const std::string kInterfacePrefix = "Interface #";

// "Interface #" and the interface of a data source ifIndex.N; another source as it is.
std::string InterfaceText(const std::string& source) {
    const std::string marker = "2.2.1.1.";
    const std::size_t at = source.find(marker);
    return at == std::string::npos ? source : kInterfacePrefix + source.substr(at + marker.size());
}
}  // namespace

BEGIN_MESSAGE_MAP(CStatisticRmon1, CDirectTableDlg)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefreshList)
    ON_BN_CLICKED(IDC_OPEN_PARAMETER, OnParameter)
    ON_BN_CLICKED(IDC_OPEN_INTERFACE, OnInterface)
    ON_NOTIFY(NM_CLICK, IDC_LIST, OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CStatisticRmon1::CStatisticRmon1()
    : CDirectTableDlg({IDD,
                       IDC_LIST,
                       {" Index    ", " Data Source     "},
                       {kIndexColumn, kDataSourceColumn},
                       /*sessionPerRead=*/true,
                       /*counterId=*/IDC_NUMBER}) {}

BOOL CStatisticRmon1::OnInitDialog() {
    CDirectTableDlg::OnInitDialog();  // the columns, the settings and the first walk
    m_port = 1;
    ReadInterfaceCount();
    SetWindowText(" RMON 1 Statistic Information:  Port " + std::to_string(m_port));
    Item(IDC_DELETE).EnableWindow(FALSE);
    return TRUE;
}

std::vector<std::string> CStatisticRmon1::FormatRow(const DirectRow& row) const {
    return {row.values[0].text, InterfaceText(row.values[1].text)};
}

void CStatisticRmon1::OnListCleared() {
    std::lock_guard lock(m_indexMutex);
    m_strIndexList.clear();
}

void CStatisticRmon1::OnRowListed(const DirectRow& row) {
    std::lock_guard lock(m_indexMutex);
    m_strIndexList.push_back(row.values[0].text);
}

std::vector<std::string> CStatisticRmon1::IndexList() const {
    std::lock_guard lock(m_indexMutex);
    return m_strIndexList;
}

void CStatisticRmon1::ReadInterfaceCount() {
    if (m_settings.version != 1) return;
    m_interfaceRead.Start(
        SnmpReadSpec::Get({kIfNumber}, LibraryTimeoutMs()),
        [this](const SnmpRow& row) {
            if (row.Has(0)) m_interfaceCount = std::atoi(row.Text(0).c_str());
        },
        nullptr);
}

bool CStatisticRmon1::Reading() const { return m_interfaceRead.Running() || CDirectTableDlg::Reading(); }

void CStatisticRmon1::CloseSessions() {
    m_interfaceRead.Close();
    CDirectTableDlg::CloseSessions();
}

void CStatisticRmon1::ReRead() {
    RestartWalkV1();  // empties the list, the index list and the count first
}

void CStatisticRmon1::OnRefreshList() {
    StartWalkV1();  // nothing while a walk runs: it goes on filling the list
    Item(IDC_DELETE).EnableWindow(FALSE);
}

void CStatisticRmon1::OnAdd() {
    CRmon1Entry entry(this);
    if (entry.DoModal() != IDOK) return;
    const std::string index = std::to_string(entry.m_index);
    WriteScalarsV1(m_settings, {{kStatusColumn + "." + index, SNMP_TYPE_INTEGER, "2"},
                                {kDataSourceColumn + "." + index, SNMP_TYPE_OID,
                                 kIfIndex + "." + std::to_string(entry.m_interface)},
                                {kOwnerColumn + "." + index, SNMP_TYPE_OCTETS, entry.m_owner}});
    ReRead();
}

int CStatisticRmon1::SelectedRow() const {
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    return pos ? m_list.GetNextSelectedItem(pos) : -1;
}

void CStatisticRmon1::OnDelete() {
    if (AfxMessageBox("Do you want to delete the control item?", MB_OKCANCEL) != IDOK) return;
    const int row = SelectedRow();
    if (row < 0) return;
    const std::string index = m_list.GetItemText(row, 0);
    WriteScalarsV1(m_settings, {{kStatusColumn + "." + index, SNMP_TYPE_INTEGER, "4"}});
    ReRead();
    Item(IDC_DELETE).EnableWindow(FALSE);
}

void CStatisticRmon1::OnListClick(NMHDR*, LRESULT* result) {
    *result = 0;
    const int row = SelectedRow();
    if (row < 0) {
        Item(IDC_DELETE).EnableWindow(FALSE);
        return;
    }
    const std::string source = m_list.GetItemText(row, 1);
    const int port = source.rfind(kInterfacePrefix, 0) == 0 ? std::atoi(source.c_str() + kInterfacePrefix.size()) : 0;
    m_port = port >= 1 && port <= InterfaceCount() ? port : 1;
    SetWindowText(" RMON1 Group Info - Port : " + std::to_string(m_port));
    Item(IDC_DELETE).EnableWindow(TRUE);
}

void CStatisticRmon1::OnListDoubleClick(NMHDR*, LRESULT* result) {
    *result = 0;
    const int row = SelectedRow();
    if (row < 0) {
        Item(IDC_DELETE).EnableWindow(FALSE);
        return;
    }
    CStatisticRmonInf view(*this, row);
    view.DoModal();
}

void CStatisticRmon1::OnParameter() {
    CStatisticRmonCnt view(*this, rmon_counter_page::PageCount(static_cast<int>(IndexList().size())));
    view.DoModal();
}

void CStatisticRmon1::OnInterface() {
    const int row = SelectedRow();
    CStatisticRmonInf view(*this, row < 0 ? 0 : row);
    view.DoModal();
}
