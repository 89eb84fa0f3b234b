#include "features/information/StatisticRmonCnt.h"

#include <algorithm>

#include "features/information/StatisticRmon1.h"
#include "resources/templates/Rmon1DialogsIds.h"

using namespace rmon1_counter_ids;

namespace rmon_counter_page {

const Counter kCounters[15] = {
    {"Octects", 4},
    {"Packets", 5},
    {"BroadcastPkts", 6},
    {"MulticastPkts", 7},
    {"CRCAlignErrors", 8},
    {"UndersizePkts", 9},
    {"OversizePkts", 10},
    {"Fragments", 11},
    {"Collisions", 13},
    {"Pkts64Octets", 14},
    {"Pkts65to127Octets", 15},
    {"Pkts128to255Octets", 16},
    {"Pkts256to511Octets", 17},
    {"Pkts512to1023Octets", 18},
    {"Pkts1024to1518Octets", 19},
};

int PageCount(int entries) { return entries <= 0 ? 0 : (entries + kItemsPerPage - 1) / kItemsPerPage; }

int ItemsOnPage(int page, int entries) { return std::clamp(entries - (page - 1) * kItemsPerPage, 0, kItemsPerPage); }

int BlankedItems(int page, int pageCount, int entries) {
    if (page < pageCount) return 0;
    return std::clamp(page * kItemsPerPage - entries, 0, kItemsPerPage);
}

std::string ItemLabel(const std::vector<std::string>& indexes, int page, int k) {
    const std::size_t entry = static_cast<std::size_t>((page - 1) * kItemsPerPage + k - 1);
    if (page < 1 || k < 1 || entry >= indexes.size()) return "Item ";
    return "Item " + indexes[entry].substr(0, 3);
}

int CounterChoice(const std::string& text) {
    for (int i = 0; i < static_cast<int>(std::size(kCounters)); ++i) {
        if (std::string(kCounters[i].name).rfind(text, 0) == 0) return i;
    }
    return -1;
}

}  // namespace rmon_counter_page

using namespace rmon_counter_page;

namespace {
constexpr UINT_PTR kTimerId = 1020;
constexpr UINT kPeriodMs = 2000;
}  // namespace

BEGIN_MESSAGE_MAP(CStatisticRmonCnt, CCounterPollDlg)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_CBN_SELCHANGE(IDC_PARAMETER, Refresh)
    ON_BN_CLICKED(IDC_NEXT, OnNextGroup)
    ON_BN_CLICKED(IDC_PREV, OnPrevGroup)
END_MESSAGE_MAP()

CStatisticRmonCnt::CStatisticRmonCnt(CStatisticRmon1& opener, int pageCount, int page, int choice)
    : CCounterPollDlg(IDD, kItemsPerPage, kTimerId, kPeriodMs, &opener),
      m_opener(opener),
      m_pageCount(pageCount),
      m_page(page),
      m_choice(choice) {}

BOOL CStatisticRmonCnt::OnInitDialog() {
    CCounterPollDlg::OnInitDialog();
    SetWindowText("RMON 1 Parameter Information");
    if (m_pageCount <= 1) {
        Item(IDC_PREV).EnableWindow(FALSE);
        Item(IDC_NEXT).EnableWindow(FALSE);
    }
    CComboBox& parameter = Item(IDC_PARAMETER);
    for (const Counter& c : kCounters) parameter.AddString(c.name);
    WriteLabels(m_opener.IndexList());
    parameter.SetCurSel(m_choice);
    Refresh();
    SetTimer(kTimerId, kPeriodMs);
    return TRUE;
}

void CStatisticRmonCnt::Refresh() {
    const int choice = CounterChoice(Item(IDC_PARAMETER).GetWindowText());
    if (choice < 0) {
        AfxMessageBox("Please input parameter!", MB_OK);
        return;
    }
    m_choice = choice;
    const std::vector<std::string> indexes = m_opener.IndexList();
    const int items = ItemsOnPage(m_page, static_cast<int>(indexes.size()));
    const std::string column = kEtherStatsEntry + std::to_string(kCounters[choice].column) + ".";
    for (int i = 0; i < kItemsPerPage; ++i) {
        if (i < items) RequestValue(i, column + indexes[(m_page - 1) * kItemsPerPage + i]);
        else ForgetValue(i);
    }
}

void CStatisticRmonCnt::ShowValue(int position, const std::string& text) {
    SetDlgItemText(IDC_ITEM_VALUE + position + 1, text);
}

void CStatisticRmonCnt::WriteLabels(const std::vector<std::string>& indexes) {
    for (int k = 1; k <= kItemsPerPage; ++k) SetDlgItemText(IDC_ITEM_LABEL + k, ItemLabel(indexes, m_page, k));
}

void CStatisticRmonCnt::BlankItems(const std::vector<std::string>& indexes) {
    const int blanked = BlankedItems(m_page, m_pageCount, static_cast<int>(indexes.size()));
    for (int k = kItemsPerPage; k > kItemsPerPage - blanked; --k) {
        SetDlgItemText(IDC_ITEM_VALUE + k, "");
        if (CWnd* value = GetDlgItem(IDC_ITEM_VALUE + k)) value->EnableWindow(FALSE);
        if (CWnd* label = GetDlgItem(IDC_ITEM_LABEL + k)) label->EnableWindow(FALSE);
    }
}

void CStatisticRmonCnt::EnableItems() {
    for (int k = 1; k <= kItemsPerPage; ++k) {
        if (CWnd* value = GetDlgItem(IDC_ITEM_VALUE + k)) value->EnableWindow(TRUE);
        if (CWnd* label = GetDlgItem(IDC_ITEM_LABEL + k)) label->EnableWindow(TRUE);
    }
}

void CStatisticRmonCnt::OnNextGroup() {
    if (++m_page > m_pageCount) {
        EnableItems();
        m_page = 1;
    }
    const std::vector<std::string> indexes = m_opener.IndexList();
    WriteLabels(indexes);
    BlankItems(indexes);
    Refresh();
}

void CStatisticRmonCnt::OnPrevGroup() {
    if (--m_page < 1) m_page = m_pageCount;
    if (m_page == m_pageCount - 1) EnableItems();
    const std::vector<std::string> indexes = m_opener.IndexList();
    WriteLabels(indexes);
    BlankItems(indexes);
    Refresh();
}
