#include "features/security/StormControlDlg.h"

#include <charconv>
#include <limits>
#include <string>

#include "platform/ui/Prompt.h"
#include "resources/templates/SecurityDialogsIds.h"

using namespace storm_control_ids;

namespace {
constexpr long long kKbpsPerStep = 64;
constexpr long long kMinN = 1;
constexpr long long kMaxN = 16000;

// The whole text as a decimal number; false for an empty, partial or too long text.
bool ParseNumber(const std::string& text, long long& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}
}  // namespace

BEGIN_MESSAGE_MAP(CStormControlDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_ENABLE, OnEnableClicked)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_EN_CHANGE(IDC_N, OnNChanged)
    ON_MESSAGE(WM_STORM_CONTROL, OnStormControl)
END_MESSAGE_MAP()

CStormControlDlg::CStormControlDlg(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

BOOL CStormControlDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    CComboBox& type = Item(IDC_TYPE);
    type.AddString("Broadcast Only");
    type.AddString("Multicast & Broadcast");
    type.AddString("Multicast & Broadcast & Unknown Unicast");
    type.SetCurSel(0);
    Item(IDC_UNIT).SetWindowText("64Kbps  ");
    Refresh();
    return TRUE;
}

void CStormControlDlg::Refresh() {
    if (m_logic.SetHwnd(GetSafeHwnd()) != 0) m_logic.GetStormControl();
}

LRESULT CStormControlDlg::OnStormControl(WPARAM kind, LPARAM data) {
    if (kind == kStormControlRead) {
        ShowRecord(*reinterpret_cast<const StormControlRecord*>(data));
    } else if (kind == kStormControlWritten) {
        Refresh();
    }
    return 0;
}

void CStormControlDlg::ShowRecord(const StormControlRecord& record) {
    m_lastRead = record;
    Item(IDC_ENABLE).SetCheck(record.state == "1" ? BST_CHECKED : BST_UNCHECKED);
    long long type = 0;
    // A type the list does not hold leaves no selection, so Apply writes no type.
    Item(IDC_TYPE).SetCurSel(ParseNumber(record.type, type) && type >= 1 && type <= 3 ? static_cast<int>(type - 1)
                                                                                      : -1);
    Item(IDC_KBPS).SetWindowText(record.threshold);
    long long kbps = 0;
    std::string n;
    if (ParseNumber(record.threshold, kbps)) n = std::to_string(kbps / kKbpsPerStep);
    Item(IDC_N).SetWindowText(n);  // the change shows N x 64 in the Kbps edit
    EnableSettings();
}

void CStormControlDlg::EnableSettings() {
    const BOOL enable = Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? TRUE : FALSE;
    Item(IDC_N).EnableWindow(enable);
    Item(IDC_TYPE).EnableWindow(enable);
}

void CStormControlDlg::OnEnableClicked() { EnableSettings(); }

void CStormControlDlg::OnNChanged() {
    std::string text;
    Item(IDC_N).GetWindowText(text);
    long long n = 0;
    std::string kbps;
    if (ParseNumber(text, n) && n <= std::numeric_limits<long long>::max() / kKbpsPerStep)
        kbps = std::to_string(n * kKbpsPerStep);
    Item(IDC_KBPS).SetWindowText(kbps);
}

void CStormControlDlg::OnApply() {
    std::string text;
    Item(IDC_N).GetWindowText(text);
    long long n = 0;
    // N is checked whatever the state, also when storm control is only switched off.
    if (!ParseNumber(text, n) || n < kMinN || n > kMaxN) {
        AfxMessageBox("Invalid input of N ( input range must between 1~16000)");
        return;
    }
    const int selection = Item(IDC_TYPE).GetCurSel();
    StormControlRecord wanted;
    wanted.state = Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? "1" : "2";
    wanted.type = selection < 0 ? "" : std::to_string(selection + 1);
    wanted.threshold = std::to_string(n * kKbpsPerStep);
    m_logic.SetStormControl(m_lastRead, wanted);
}
