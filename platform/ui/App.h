#pragma once
// The application object and the start of the user-interface layer.
#include <string>

#include "platform/ui/Wnd.h"

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Starts the layer (Qt, message boxes, the wait pump), then runs InitInstance; the
    // program ends when it returns (the main dialog ran modally inside it). Returns the exit
    // code: ExitInstance's.
    int Run(int argc, char** argv);

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HICON LoadIcon(UINT resourceId) const;
    // The program's cursor resource (Gdi.h, UI_CURSOR_RESOURCE); a standard cursor (IDC_HAND).
    HCURSOR LoadCursor(UINT resourceId) const;
    HCURSOR LoadStandardCursor(UINT id) const;

    CWnd* m_pMainWnd = nullptr;
    std::string m_pszAppName;
    std::string m_lpCmdLine;  // the command line after the program name, items joined by blanks
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

namespace ui {
// Starts the layer on the calling thread, which becomes the user-interface thread: creates
// the Qt application object when there is none, the dispatcher of cross-thread calls, the
// wait pump, and shows message boxes as real modal Qt boxes. Idempotent.
void EnsureApplication();
// The Qt message box of the prompt service (installed by EnsureApplication).
int ShowQtMessageBox(const PromptRequest& request);
}  // namespace ui
