#pragma once
// The prompt service: every message box of the program goes through here, so that the
// user-interface layer shows it as a real modal box and tests can script the answers.
#include <functional>
#include <string>

#include "platform/win/WinTypes.h"

// Buttons
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
// Icons
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONSTOP = MB_ICONERROR;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_ICONMASK = 0xF0;
// Default button
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
// Modality and position (accepted; every box is modal and topmost)
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_TOPMOST = 0x40000;
constexpr UINT MB_SETFOREGROUND = 0x10000;

// Answers
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

namespace ui {

struct PromptRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;  // empty: the application's name
    UINT type = MB_OK;    // buttons | icon | default button
};

using PromptHandler = std::function<int(const PromptRequest&)>;

// Replaces the handler; returns the previous one. Without a handler a box answers its
// default button and writes its text to stderr.
PromptHandler SetPromptHandler(PromptHandler handler);

// Shows one box through the handler and returns the button chosen (IDOK, IDYES, ...).
int ShowPrompt(const PromptRequest& request);

// The answer of the default button of a box of this type.
int DefaultAnswer(UINT type);

}  // namespace ui

// The framework's two forms of a message box.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type = MB_OK);
