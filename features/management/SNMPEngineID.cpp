#include "features/management/SNMPEngineID.h"

#include "core/controls/InputCheck.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_engine_ids;

namespace {
constexpr int kMaxDigits = 64;
constexpr size_t kMinDigits = 10;
}  // namespace

BEGIN_MESSAGE_MAP(CSNMPEngineID, CSNMPDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
    ON_WM_COPYDATA()
END_MESSAGE_MAP()

CSNMPEngineID::CSNMPEngineID(CWnd* parent) : CSNMPDialog(IDD, parent) {}

BOOL CSNMPEngineID::OnInitDialog() {
    CSNMPDialog::OnInitDialog();
    m_config.GetEngineId();
    Item(IDC_ENGINE_ID).LimitText(kMaxDigits);
    return TRUE;
}

BOOL CSNMPEngineID::OnCopyData(CWnd*, COPYDATASTRUCT* data) {
    if (data && data->lpData) Item(IDC_ENGINE_ID).SetWindowText(static_cast<const char*>(data->lpData));
    return TRUE;
}

void CSNMPEngineID::OnApply() {
    CWaitCursor wait;
    const std::string id = Item(IDC_ENGINE_ID).GetWindowText();
    const InputCheck checks[] = {
        {[&] { return id.size() < kMinDigits || id.size() > kMaxDigits; }, "ID length is 10-64"},
        {[&] { return id.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos; },
         "the accepted character is from 0 to F"},
    };
    if (!PassChecks(checks)) return;
    m_config.SetEngineId(id, false);
    m_config.GetEngineId();
}

void CSNMPEngineID::OnDefault() {
    m_config.SetEngineId("", true);
    m_config.GetEngineId();
}
