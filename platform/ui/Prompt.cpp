#include "platform/ui/Prompt.h"

#include <cstdio>
#include <mutex>

namespace ui {

namespace {
std::mutex g_mutex;
PromptHandler g_handler;

int ButtonsOf(UINT type, int index) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: {
        static const int b[] = {IDOK, IDCANCEL, IDCANCEL};
        return b[index];
    }
    case MB_ABORTRETRYIGNORE: {
        static const int b[] = {IDABORT, IDRETRY, IDIGNORE};
        return b[index];
    }
    case MB_YESNOCANCEL: {
        static const int b[] = {IDYES, IDNO, IDCANCEL};
        return b[index];
    }
    case MB_YESNO: {
        static const int b[] = {IDYES, IDNO, IDNO};
        return b[index];
    }
    case MB_RETRYCANCEL: {
        static const int b[] = {IDRETRY, IDCANCEL, IDCANCEL};
        return b[index];
    }
    default: return IDOK;
    }
}
}  // namespace

PromptHandler SetPromptHandler(PromptHandler handler) {
    std::lock_guard lock(g_mutex);
    PromptHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

int DefaultAnswer(UINT type) {
    int index = 0;
    switch (type & MB_DEFMASK) {
    case MB_DEFBUTTON2: index = 1; break;
    case MB_DEFBUTTON3: index = 2; break;
    default: break;
    }
    return ButtonsOf(type, index);
}

int ShowPrompt(const PromptRequest& request) {
    PromptHandler handler;
    {
        std::lock_guard lock(g_mutex);
        handler = g_handler;
    }
    if (handler) return handler(request);
    std::fprintf(stderr, "[message box] %s\n", request.text.c_str());
    return DefaultAnswer(request.type);
}

}  // namespace ui

int AfxMessageBox(const std::string& text, UINT type) { return ui::ShowPrompt({nullptr, text, std::string(), type}); }

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return ui::ShowPrompt({owner, text, caption, type});
}
