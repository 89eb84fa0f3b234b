#include "features/management/CLIControlDlg.h"

#include <string>

#include "resources/templates/ServiceDialogsIds.h"

using namespace cli_ids;

namespace {
const std::string kCli = "1.3.6.1.4.1.32473.10.94.89.89.74.";
// The exchanged Unsigned32 boxes and their objects, in the write's order.
constexpr int kNumberBoxes[] = {IDC_CLI_TIMEOUT.id, IDC_HISTORY_SIZE.id, IDC_SSH_TIMEOUT.id, IDC_TELNET_TIMEOUT.id};
const char* const kNumberObjects[] = {"2.0", "4.0", "6.0", "7.0"};
}  // namespace

BEGIN_MESSAGE_MAP(CCLIControlDlg, CDirectSnmpDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CLOSE, OnCancel)
END_MESSAGE_MAP()

CCLIControlDlg::CCLIControlDlg(CWnd*)
    : CDirectSnmpDlg(IDD,
                     {{"1.3.6.1.4.1.32473.10.94.89.89.74.2.0", IDC_CLI_TIMEOUT},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.3.0", IDC_HISTORY_ENABLE, ScalarField::Check},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.4.0", IDC_HISTORY_SIZE},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.6.0", IDC_SSH_TIMEOUT},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.7.0", IDC_TELNET_TIMEOUT},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.8.0", IDC_TELNET_HISTORY_ENABLE, ScalarField::Check},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.9.0", IDC_TELNET_HISTORY_SIZE},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.10.0", IDC_SSH_HISTORY_ENABLE, ScalarField::Check},
                      {"1.3.6.1.4.1.32473.10.94.89.89.74.11.0", IDC_SSH_HISTORY_SIZE}},
                     9) {}

BOOL CCLIControlDlg::OnInitDialog() {
    CDirectSnmpDlg::OnInitDialog();
    SetWindowText("CLI Configuration");
    Item(IDC_CLI_TIMEOUT).SetLimitText(32);
    Item(IDC_HISTORY_SIZE).SetLimitText(32);
    for (int id : {IDC_SSH_TIMEOUT.id, IDC_TELNET_TIMEOUT.id, IDC_TELNET_HISTORY_SIZE.id, IDC_SSH_HISTORY_SIZE.id}) {
        static_cast<CEdit*>(GetDlgItem(id))->SetLimitText(60);
    }
    Item(IDC_APPLY).EnableWindow(FALSE);
    ReadScalarsV1();
    return TRUE;
}

void CCLIControlDlg::DoDataExchange(CDataExchange* dx) {
    CDirectSnmpDlg::DoDataExchange(dx);
    // Only Apply takes the boxes; they show what the switch answered.
    if (!dx->m_bSaveAndValidate) return;
    for (int i = 0; i < 4; ++i) DDX_Text(dx, kNumberBoxes[i], m_values[i]);
}

void CCLIControlDlg::OnScalarsShown() { Item(IDC_APPLY).EnableWindow(TRUE); }

void CCLIControlDlg::OnRefresh() {
    CWaitCursor wait;
    ReadScalarsV1();
}

void CCLIControlDlg::OnApply() {
    if (!UpdateData(TRUE)) return;
    auto number = [&](int i) {
        return DirectObject{kCli + kNumberObjects[i], SNMP_TYPE_UNSIGNED32, std::to_string(m_values[i])};
    };
    auto flag = [&](ui::ControlId<CButton> id, const char* object) {
        return DirectObject{kCli + object, SNMP_TYPE_INTEGER, Item(id).GetCheck() == BST_CHECKED ? "1" : "2"};
    };
    WriteScalarsV1(DirectSnmpSettings::FromStartup(), {number(0), flag(IDC_HISTORY_ENABLE, "3.0"), number(1), number(2),
                                                       number(3), flag(IDC_TELNET_HISTORY_ENABLE, "8.0")});
}
