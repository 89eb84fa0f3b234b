#pragma once
// Dialogs: created from a template (Template.h), run modally with DoModal (a nested event
// loop, the owner disabled meanwhile) or modeless with Create; data exchange between
// controls and members with UpdateData and the DDX_/DDV_ functions.
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/Wnd.h"

class CDataExchange;
class CDialog;
namespace ui::detail {
void DialogWindowGone(CDialog& dialog);
}

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog modally: returns the EndDialog result, or -1 when the template is
    // unknown. User-interface thread only.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; shown when the template has WS_VISIBLE.
    using CWnd::Create;
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL DestroyWindow() override;

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Ends the modal run with `result` (any thread).
    void EndDialog(int result);

    DWORD GetDefID() const;
    void SetDefID(UINT id);
    void GotoDlgCtrl(CWnd* control);

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend void ui::detail::DialogWindowGone(CDialog&);
    bool CreateFromTemplate(HWND owner);
    // The window went without EndDialog (DestroyWindow): the modal run ends too.
    void OnWindowGone();

    INT_PTR m_nModalResult = -1;
    bool m_ended = false;
    class QEventLoop* m_loop = nullptr;
    UINT m_defId = 0;
};

// Thrown by a failing exchange (DDV_ or a value that does not parse) to end UpdateData.
struct CUserException : std::runtime_error {
    CUserException() : std::runtime_error("data exchange failed") {}
};

class CDataExchange {
public:
    CDataExchange(CWnd* dlg, BOOL saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}
    // The control the next check is about (it gets the focus when the check fails).
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id) { return PrepareCtrl(id); }
    // Puts the focus on the prepared control and ends the exchange.
    [[noreturn]] void Fail();
    HWND LastControl() const { return m_lastControl; }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    HWND m_lastControl = nullptr;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, unsigned long& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// id is the first button of the radio group; value the index of the checked one, -1 none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
void DDX_CBString(CDataExchange* dx, int id, std::string& value);
void DDX_CBStringExact(CDataExchange* dx, int id, std::string& value);
void DDX_IPAddress(CDataExchange* dx, int id, DWORD& value);

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max);
void DDV_MinMaxLong(CDataExchange* dx, long value, long min, long max);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max);
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars);

namespace ui {
// Called with each dialog as it enters its modal run (after OnInitDialog, shown), before the
// loop starts; a dialog ended by the hook runs no loop. For the test harness.
using ModalHook = std::function<void(CDialog&)>;
ModalHook SetModalHook(ModalHook hook);
}  // namespace ui
