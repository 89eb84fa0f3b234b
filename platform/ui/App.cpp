#include "platform/ui/App.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "platform/ui/Gdi.h"
#include "platform/ui/Internal.h"
#include "platform/win/RegisteredMessage.h"

namespace {
CWinApp* g_app = nullptr;
}

namespace ui {

void EnsureApplication() {
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "switch-module";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);  // lives as long as the process
        SetPromptHandler(ShowQtMessageBox);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    detail::StartDispatcher();
    detail::InstallDrawing();
}

namespace detail {
BOOL Broadcast(UINT message, WPARAM wParam, LPARAM lParam) {
    // Registered messages reach every module process of the user (this one through its
    // receiver); others only this process's windows.
    if (message >= kFirstRegisteredMessage && message <= kLastRegisteredMessage) {
        win::BroadcastMessage(message, wParam, lParam);
        return TRUE;
    }
    PostToTopLevelWindows(message, wParam, lParam);
    return TRUE;
}
}  // namespace detail

int ShowQtMessageBox(const PromptRequest& request) {
    int answer = DefaultAnswer(request.type);
    RunOnUiThread([&] {
        QMessageBox box;
        const std::string caption = !request.caption.empty()                ? request.caption
                                    : g_app && !g_app->m_pszAppName.empty() ? g_app->m_pszAppName
                                                                            : std::string("Switch Module");
        box.setWindowTitle(QString::fromStdString(caption));
        box.setText(QString::fromStdString(request.text));
        switch (request.type & MB_ICONMASK) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        struct Choice {
            QMessageBox::StandardButton button;
            int answer;
        };
        std::vector<Choice> choices;
        switch (request.type & MB_TYPEMASK) {
        case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
        case MB_ABORTRETRYIGNORE:
            choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
            break;
        case MB_YESNOCANCEL:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
        case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
        default: choices = {{QMessageBox::Ok, IDOK}}; break;
        }
        for (const Choice& c : choices) {
            QPushButton* b = box.addButton(c.button);
            if (c.answer == answer) box.setDefaultButton(b);
        }
        // Closing the box without a button: Cancel where there is one, else the only button.
        box.setEscapeButton(box.button(choices.size() == 1 ? choices[0].button : QMessageBox::Cancel));
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        // The owner and every other window of the program wait for the box.
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        const QAbstractButton* clicked = box.clickedButton();
        for (const Choice& c : choices) {
            if (clicked && clicked == box.button(c.button)) answer = c.answer;
        }
        if (!clicked && (request.type & MB_TYPEMASK) != MB_OK && (request.type & MB_TYPEMASK) != MB_YESNO &&
            (request.type & MB_TYPEMASK) != MB_ABORTRETRYIGNORE) {
            answer = IDCANCEL;
        }
    });
    return answer;
}

}  // namespace ui

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName ? appName : "") { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run(int argc, char** argv) {
    m_lpCmdLine.clear();
    for (int i = 1; i < argc; ++i) {
        if (i > 1) m_lpCmdLine += ' ';
        m_lpCmdLine += argv[i];
    }
    if (!QApplication::instance()) {
        static int qtArgc = 1;
        static char* qtArgv[] = {argv[0], nullptr};
        new QApplication(qtArgc, qtArgv);
        ui::SetPromptHandler(ui::ShowQtMessageBox);
    }
    ui::EnsureApplication();
    // Broadcasts of other module processes arrive as posted messages to the top-level windows.
    win::SetBroadcastReceiver(
        [](UINT message, WPARAM wParam, LPARAM lParam) { ui::PostToTopLevelWindows(message, wParam, lParam); });
    InitInstance();
    win::SetBroadcastReceiver(nullptr);
    return ExitInstance();
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT resourceId) const {
    // An icon is named by its resource id; the drawing layer turns it into a picture.
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(resourceId));
}

HCURSOR CWinApp::LoadCursor(UINT resourceId) const {
    return ::LoadCursor(reinterpret_cast<HINSTANCE>(const_cast<CWinApp*>(this)), resourceId);
}
HCURSOR CWinApp::LoadStandardCursor(UINT id) const { return ::LoadCursor(nullptr, id); }

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
