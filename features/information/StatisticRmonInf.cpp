#include "features/information/StatisticRmonInf.h"

#include "features/information/StatisticRmon1.h"

using namespace rmon1_interface_ids;

namespace {
constexpr UINT_PTR kTimerId = 1021;
constexpr UINT kPeriodMs = 5000;
constexpr int kFirstColumn = 3;  // row r reads column r + 2: DropEvents to Pkts1024to1518Octets

bool IsDecimal(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}
}  // namespace

BEGIN_MESSAGE_MAP(CStatisticRmonInf, CCounterPollDlg)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_CONTROL_RANGE(CBN_SELCHANGE, 1007, 1007, OnSelectionChange)
    ON_CONTROL_RANGE(CBN_SELCHANGE, 1085, 1100, OnSelectionChange)
END_MESSAGE_MAP()

CStatisticRmonInf::CStatisticRmonInf(CStatisticRmon1& opener, int position)
    : CCounterPollDlg(IDD, kRows, kTimerId, kPeriodMs, &opener), m_opener(opener) {
    m_selection.fill(position);
}

void CStatisticRmonInf::DoDataExchange(CDataExchange* dx) {
    for (int r = 0; r < kRows; ++r) DDX_CBIndex(dx, IDC_ROW_COMBO[r], m_selection[r]);
}

BOOL CStatisticRmonInf::OnInitDialog() {
    CCounterPollDlg::OnInitDialog();
    const std::vector<std::string> indexes = m_opener.IndexList();
    for (int r = 0; r < kRows; ++r) {
        auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_ROW_COMBO[r]));
        if (!combo) continue;
        for (const std::string& index : indexes) combo->AddString(index);
    }
    UpdateData(FALSE);
    SetWindowText("RMON 1 Interface Information");
    Refresh();
    SetTimer(kTimerId, kPeriodMs);
    return TRUE;
}

void CStatisticRmonInf::OnSelectionChange(UINT) { Refresh(); }

void CStatisticRmonInf::Refresh() {
    UpdateData(TRUE);
    for (int r = 0; r < kRows; ++r) {
        const std::string instance = GetDlgItemText(IDC_ROW_COMBO[r]);
        if (IsDecimal(instance)) RequestValue(r, kEtherStatsEntry + std::to_string(kFirstColumn + r) + "." + instance);
        else ForgetValue(r);
    }
}

void CStatisticRmonInf::ShowValue(int position, const std::string& text) {
    SetDlgItemText(IDC_ROW_VALUE + position + 1, text);
    UpdateData(FALSE);  // the rows' choices again, in place of a typed entry
}
