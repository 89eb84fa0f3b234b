#include "features/ports/JumboFrameconfigdlg.h"

#include <cstring>
#include <memory>

#include "platform/ui/Gdi.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/PortDialogsIds.h"

using namespace jumbo_frame_ids;

namespace {
const char* const kJumboFrame = "1.3.6.1.4.1.32473.10.76.21.1.1.12.0";
}  // namespace

CJumboFrameconfigdlg::CJumboFrameconfigdlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

void CJumboFrameconfigdlg::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_ENABLE_JUMBO, m_checkJumbo); }

BOOL CJumboFrameconfigdlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    ReadJumbo();
    return TRUE;
}

void CJumboFrameconfigdlg::ReadJumbo() {
    m_cCommonSNMP.Open(SNMP_PDU_GET);
    m_cCommonSNMP.AddVarBind(kJumboFrame, SNMP_TYPE_NULL, nullptr);
    CSnmp* raw = nullptr;
    if (m_cCommonSNMP.Send(raw, 0) != 0) return;
    const std::unique_ptr<CSnmp> response(raw);
    int type = 0;
    const char* value = nullptr;
    response->getValue(0, type, value);
    m_checkJumbo.SetCheck(value != nullptr && std::strcmp(value, "1") == 0 ? 1 : 0);
}

bool CJumboFrameconfigdlg::ApplyJumbo() {
    const bool enable = m_checkJumbo.GetCheck() == 1;
    m_cCommonSNMP.Open(SNMP_PDU_SET);
    m_cCommonSNMP.AddVarBind(kJumboFrame, SNMP_TYPE_INTEGER, enable ? "1" : "2");
    CSnmp* raw = nullptr;
    if (m_cCommonSNMP.Send(raw, 0) != 0) return false;
    const std::unique_ptr<CSnmp> response(raw);
    int errorStatus = 0;
    int errorIndex = 0;
    response->getErrorStatus(errorStatus, errorIndex);
    return errorStatus == 0;
}

void CJumboFrameconfigdlg::OnOK() {
    const bool enable = m_checkJumbo.GetCheck() == 1;
    // The confirmation follows the switch's answer: a refused or lost SET says so.
    if (ApplyJumbo()) {
        AfxMessageBox(enable ? "Enabled Jumbo Frame" : "Disabled Jumbo Frame");
        ReadJumbo();
    } else {
        AfxMessageBox(enable ? "Failed to enable Jumbo Frame" : "Failed to disable Jumbo Frame", MB_OK | MB_ICONERROR);
    }
    CFeatureDialog::OnOK();
}
