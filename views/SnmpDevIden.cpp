#include "views/SnmpDevIden.h"

#include <array>
#include <memory>

#include "core/Utils.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/PublicMibViewsIds.h"

using namespace system_info_ids;

namespace {
constexpr int kNameLimit = 20, kLocationLimit = 20, kContactLimit = 32;
constexpr int kReadTimeoutMs = 4000;
const char kSysName[] = "1.3.6.1.2.1.1.5.0";
const char kSysLocation[] = "1.3.6.1.2.1.1.6.0";
}  // namespace

BEGIN_MESSAGE_MAP(CSnmpDevIden, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnOK)
    ON_BN_CLICKED(IDC_CLOSE, OnCancel)
    ON_EN_CHANGE(IDC_NAME, OnFieldChange)
    ON_EN_CHANGE(IDC_LOCATION, OnFieldChange)
    ON_EN_CHANGE(IDC_CONTACT, OnFieldChange)
END_MESSAGE_MAP()

CSnmpDevIden::CSnmpDevIden() : CFeatureDialog(IDD, {.topmost = true}) {}

void CSnmpDevIden::DoDataExchange(CDataExchange* dx) {
    // The contact is shown but never written, so it is not taken (a device's over-long
    // contact must not block changing name and location).
    DDX_Text(dx, IDC_NAME, m_strName);
    // Typing limits are set per value shown (ShowEditable); here only the check on taking.
    if (dx->m_bSaveAndValidate) DDV_MaxChars(dx, m_strName, kNameLimit);
    DDX_Text(dx, IDC_LOCATION, m_strLocation);
    if (dx->m_bSaveAndValidate) DDV_MaxChars(dx, m_strLocation, kLocationLimit);
}

BOOL CSnmpDevIden::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    SetWindowText("System Information");
    Item(IDC_NAME).LimitText(kNameLimit);
    Item(IDC_LOCATION).LimitText(kLocationLimit);
    Item(IDC_CONTACT).LimitText(kContactLimit);
    ReadSystemGroup();
    return TRUE;
}

void CSnmpDevIden::OnRefresh() {
    CWaitCursor wait;
    ReadSystemGroup();
}

void CSnmpDevIden::ReadSystemGroup() {
    // Disabled first, so an answer can never find them disabled after it.
    EnableButtons(FALSE);
    // Every end (values shown, time-out, failure, short answer) gives the buttons back.
    m_cCommonSNMP.Start(
        SnmpReadSpec::Get({"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.2.0", "1.3.6.1.2.1.1.3.0", "1.3.6.1.2.1.1.4.0", kSysName,
                           kSysLocation},
                          kReadTimeoutMs),
        [this](const SnmpRow& row) { ReadCallback(row); }, [this](const SnmpReadResult&) { EnableButtons(TRUE); });
}

std::string CSnmpDevIden::FormatUptime(const std::string& ticks) {
    const std::uint32_t t = LeadingUnsigned32(ticks);
    const std::uint32_t hours = t / 360000;
    return std::to_string(hours) + " Hour " + std::to_string((t - hours * 360000) / 6000) + " Min";
}

// The field shows the whole value; the typing limit applies only when the value is within
// it, since an edit field's limit would cut a longer text off.
void CSnmpDevIden::ShowEditable(ui::ControlId<CEdit> id, const std::string& text, int limit) {
    CEdit& edit = Item(id);
    edit.LimitText(static_cast<int>(text.size()) > limit ? 0 : limit);
    edit.SetWindowText(text);
}

void CSnmpDevIden::ReadCallback(const SnmpRow& row) {
    SetDlgItemText(IDC_DESCR, row.Text(0));
    SetDlgItemText(IDC_OBJECT_ID, row.Text(1));
    if (!row.Text(2).empty()) SetDlgItemText(IDC_RUNTIME, FormatUptime(row.Text(2)));
    ShowEditable(IDC_CONTACT, row.Text(3), kContactLimit);
    std::string text;
    m_codeConvert.Utf8ToAnsi(row.Text(4).c_str(), text);
    ShowEditable(IDC_NAME, text, kNameLimit);
    m_codeConvert.Utf8ToAnsi(row.Text(5).c_str(), text);
    ShowEditable(IDC_LOCATION, text, kLocationLimit);
}

void CSnmpDevIden::EnableButtons(BOOL enable) {
    Item(IDC_REFRESH).EnableWindow(enable);
    Item(IDC_APPLY).EnableWindow(enable);
}

void CSnmpDevIden::OnOK() {
    if (UpdateData(TRUE)) Apply();
}

void CSnmpDevIden::Apply() {
    if (!CUtils::HasNoSpecialChars(m_strName)) {
        AfxMessageBox("Invalid System Name.");
        return;
    }
    if (!CUtils::HasNoSpecialChars(m_strLocation)) {
        AfxMessageBox("Invalid System Location.");
        return;
    }
    std::array<char, 128> name{}, location{};
    m_codeConvert.AnsiToUtf8(m_strName, name.data(), static_cast<int>(name.size()));
    m_codeConvert.AnsiToUtf8(m_strLocation, location.data(), static_cast<int>(location.size()));
    // The result is not shown: the user sees no difference between success and failure.
    SnmpSet(m_cCommonSNMPSet,
            {SnmpSetVar::Octets(kSysName, name.data()), SnmpSetVar::Octets(kSysLocation, location.data())});
}

void CSnmpDevIden::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
}
