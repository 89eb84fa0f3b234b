#include "shell/DerariModuleApp.h"

#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "platform/snmp/Snmp.h"
#include "platform/ui/App.h"
#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/RegisteredMessage.h"
#include "shell/DerariModuleDlg.h"

bool CDerariModuleApp::InitInstance(const std::string& commandLine) {
    // Sockets need no start-up here, and the panel reader needs no COM.
    SnmpInit(this);
    SetSnmpTimeout(5000);
    if (commandLine.empty()) {
        AfxMessageBox("No parameter input !");
        return false;
    }
    ParseStartupParams(commandLine);  // start-up goes on whatever the parse reached
    HideSecretItems(m_arguments);

    const std::string iniPath = m_strProfilePath.empty() ? UserIniPath() : m_strProfilePath;
    const std::string instanceName = ModuleInstanceName(ReadProfileDeviceName(iniPath), ModuleStartupParams::DeviceIP);
    ModuleActivateMessage = RegisterWindowMessage(instanceName.c_str());
    // Testing and taking the lock is one step, so two starts at the same moment cannot both run.
    const win::InstanceLock::Result lock = m_hMutex.Acquire(instanceName);
    if (lock == win::InstanceLock::Result::HeldByOther) {
        if (ModuleActivateMessage != 0) SendNotifyMessage(HWND_BROADCAST, ModuleActivateMessage, 0, 0);
        return false;
    }
    if (lock == win::InstanceLock::Result::Failed)
        OutputDebugStringA("the instance lock cannot be taken: a second window for this device is not refused");

    CDerariModuleDlg dialog(nullptr, iniPath);
    CWinApp* app = AfxGetApp();
    if (app != nullptr) app->m_pMainWnd = &dialog;
    dialog.DoModal();
    if (app != nullptr) app->m_pMainWnd = nullptr;
    return false;
}
