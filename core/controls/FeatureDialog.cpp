#include "core/controls/FeatureDialog.h"

#include <mutex>

#include "core/ModuleStartupParams.h"
#include "platform/ui/Gdi.h"
#include "platform/win/DebugOutput.h"

namespace {

constexpr UINT kProgramIcon = 447;

std::mutex g_faultMutex;
std::vector<std::string> g_faults;

}  // namespace

CFeatureDialog::CFeatureDialog(UINT templateId, Look look, CWnd* parent) : CDialog(templateId, parent), m_look(look) {}

std::vector<std::string> CFeatureDialog::ControlFaults() {
    std::lock_guard lock(g_faultMutex);
    return g_faults;
}

void CFeatureDialog::ClearControlFaults() {
    std::lock_guard lock(g_faultMutex);
    g_faults.clear();
}

BOOL CFeatureDialog::OnInitDialog() {
    if (m_look.topmost) SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, kProgramIcon), TRUE);
    if (m_look.titlePrefix) SetWindowText(m_look.titlePrefix + ModuleStartupParams::DeviceIP);
    return TRUE;
}

BOOL CFeatureDialog::DestroyWindow() {
    const BOOL result = CDialog::DestroyWindow();
    CloseSessions();
    return result;
}

void CFeatureDialog::ReportControlFault(int id, const char* kind) {
    const std::string fault = std::to_string(m_nIDTemplate) + "/" + std::to_string(id) + ": no control of kind " + kind;
    OutputDebugStringA(("control id fault " + fault).c_str());
    std::lock_guard lock(g_faultMutex);
    g_faults.push_back(fault);
}
