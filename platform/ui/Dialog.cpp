#include "platform/ui/Dialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/ui/App.h"
#include "platform/ui/Internal.h"
#include "platform/ui/Template.h"
#include "platform/win/DebugOutput.h"

namespace ui {
namespace {
ModalHook& Hook() {
    static ModalHook hook;
    return hook;
}
}  // namespace
ModalHook SetModalHook(ModalHook hook) {
    ModalHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}
}  // namespace ui

using ui::detail::Find;
using ui::detail::WindowRecord;

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;
CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

bool CDialog::CreateFromTemplate(HWND owner) {
    const ui::tpl::DialogTemplate* t = ui::tpl::FindTemplate(m_nIDTemplate);
    if (!t) {
        OutputDebugStringA(("dialog template " + std::to_string(m_nIDTemplate) + " not found").c_str());
        return false;
    }
    ui::detail::TopLevel top = ui::detail::CreateTopLevel(t->caption, t->style, true);
    const HWND hwnd = ui::detail::Register(top.frame, top.client, this, owner, 0, t->style, ui::detail::Kind::Dialog);
    m_defId = ui::detail::BuildTemplate(*t, top.frame, top.client, hwnd);
    if (!(t->style & WS_THICKFRAME)) top.frame->setFixedSize(top.frame->size());
    top.frame->winId();  // the platform window now: the window rectangle includes its frame from the start
    m_ended = false;
    m_nModalResult = -1;
    return true;
}

INT_PTR CDialog::DoModal() {
    if (!ui::IsUiThread() || m_hWnd.load()) return -1;
    // The owner: the parent given, else the innermost modal dialog, else the main window.
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd.load() : nullptr;
    if (WindowRecord* rec = Find(owner); rec && !rec->topLevel) {
        while (rec && !rec->topLevel) rec = Find(rec->parent);
        owner = rec ? rec->hwnd : nullptr;
    }
    if (!owner && !ui::detail::ModalStack().empty()) owner = ui::detail::ModalStack().back();
    if (!owner) {
        if (CWnd* main = AfxGetMainWnd(); main && main != this) owner = main->m_hWnd.load();
    }
    if (!CreateFromTemplate(owner)) return -1;
    const HWND self = m_hWnd.load();
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);

    // On the stack from the start: dialogs opened by OnInitDialog belong to this one.
    ui::detail::ModalStack().push_back(self);
    OnInitDialog();
    if (!m_ended && IsWindow(self)) {
        if (QWidget* frame = Find(self) ? Find(self)->widget : nullptr) frame->show();
    }
    if (!m_ended && IsWindow(self)) {
        // A copy: the hook may be replaced while it runs (nested dialogs).
        if (const ui::ModalHook hook = ui::Hook()) hook(*this);
    }
    if (!m_ended && IsWindow(self)) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    auto& stack = ui::detail::ModalStack();
    stack.erase(std::remove(stack.begin(), stack.end(), self), stack.end());
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (IsWindow(self)) DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    BOOL ok = FALSE;
    ui::RunOnUiThread([&] {
        if (m_hWnd.load()) return;
        if (!CreateFromTemplate(parent ? parent->m_hWnd.load() : nullptr)) return;
        OnInitDialog();
        const ui::tpl::DialogTemplate* t = ui::tpl::FindTemplate(templateId);
        if (t && (t->style & WS_VISIBLE) && m_hWnd.load()) ShowWindow(SW_SHOW);
        ok = m_hWnd.load() != nullptr;
    });
    return ok;
}

BOOL CDialog::DestroyWindow() { return CWnd::DestroyWindow(); }

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE)) return FALSE;
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
    ui::RunOnUiThread([&] {
        m_nModalResult = result;
        m_ended = true;
        if (m_loop) m_loop->exit(0);
        if (WindowRecord* rec = Find(m_hWnd.load())) rec->widget->hide();
    });
}

void CDialog::OnWindowGone() {
    m_ended = true;
    if (m_loop) m_loop->exit(0);
}

void ui::detail::DialogWindowGone(CDialog& dialog) { dialog.OnWindowGone(); }

DWORD CDialog::GetDefID() const {
    // DC_HASDEFID in the high word, as the platform reports it.
    return m_defId ? (0x534B0000u | m_defId) : 0;
}

void CDialog::SetDefID(UINT id) {
    ui::RunOnUiThread([&] {
        // The old default button loses its default look, the new one gets it.
        if (CWnd* old = GetDlgItem(static_cast<int>(m_defId))) old->ModifyStyle(BS_TYPEMASK, BS_PUSHBUTTON);
        m_defId = id;
        if (CWnd* now = GetDlgItem(static_cast<int>(id)); now && (now->GetStyle() & BS_TYPEMASK) == BS_PUSHBUTTON) {
            now->ModifyStyle(BS_TYPEMASK, BS_DEFPUSHBUTTON);
        }
    });
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control) control->SetFocus();
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // Closing a dialog is pressing Cancel.
        ::SendMessage(m_hWnd.load(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

// ---- data exchange ----
BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    BOOL ok = FALSE;
    ui::RunOnUiThread([&] {
        if (!m_hWnd.load()) return;
        CDataExchange dx(this, saveAndValidate);
        try {
            DoDataExchange(&dx);
            ok = TRUE;
        } catch (const CUserException&) {
            ok = FALSE;
        }
    });
    return ok;
}

HWND CDataExchange::PrepareCtrl(int id) {
    m_lastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd.load(), id);
    return m_lastControl;
}

void CDataExchange::Fail() {
    if (CWnd* control = CWnd::FromHandle(m_lastControl)) {
        control->SetFocus();
        if (auto* edit = dynamic_cast<CEdit*>(control)) edit->SetSel(0, -1);
    }
    throw CUserException();
}

namespace {
void Complain(CDataExchange* dx, const std::string& text) {
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    dx->Fail();
}

// Whole text as a signed or unsigned integer, blanks around allowed.
bool ParseInteger(const std::string& text, bool allowSign, long long& out) {
    const char* s = text.c_str();
    while (*s == ' ') ++s;
    if (!*s) return false;
    if (!allowSign && *s == '-') return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(s, &end, 10);
    if (errno != 0 || end == s) return false;
    while (*end == ' ') ++end;
    return *end == '\0';
}

template <class T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, bool isSigned, long long min, long long max) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInteger(::GetWindowText(control), isSigned, v) || v < min || v > max) {
            Complain(dx, isSigned ? "Please enter an integer." : "Please enter a positive integer.");
        }
        value = static_cast<T>(v);
    } else {
        ::SetWindowText(control, std::to_string(value));
    }
}
}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd.load()) return;
    if (!control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd)) {
        OutputDebugStringA(("DDX_Control: no control " + std::to_string(id)).c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) value = ::GetWindowText(control);
    else ::SetWindowText(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) { ExchangeInteger(dx, id, value, true, INT32_MIN, INT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, UINT& value) { ExchangeInteger(dx, id, value, false, 0, UINT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, long& value) { ExchangeInteger(dx, id, value, true, INT32_MIN, INT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, unsigned long& value) { ExchangeInteger(dx, id, value, false, 0, UINT32_MAX); }

void DDX_Text(CDataExchange* dx, int id, double& value) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        const std::string text = ::GetWindowText(control);
        char* end = nullptr;
        const double v = std::strtod(text.c_str(), &end);
        while (end && *end == ' ') ++end;
        if (text.empty() || !end || *end != '\0' || !std::isfinite(v)) Complain(dx, "Please enter a number.");
        value = v;
    } else {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
        ::SetWindowText(control, buffer);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) value = static_cast<int>(dx->m_pDlgWnd->IsDlgButtonChecked(id));
    else dx->m_pDlgWnd->CheckDlgButton(id, static_cast<UINT>(value));
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    const HWND first = dx->PrepareCtrl(id);
    WindowRecord* rec = Find(first);
    if (!rec) return;
    // The group: the radio buttons from `id` on, up to the next group start.
    std::vector<HWND> group;
    bool started = false;
    for (HWND h : ui::detail::ChildrenOf(rec->parent)) {
        WindowRecord* r = Find(h);
        if (h == first) started = true;
        if (!started) continue;
        const DWORD type = r->style & BS_TYPEMASK;
        const bool radio =
            r->kind == ui::detail::Kind::Button && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
        if (!radio || (h != first && (r->style & WS_GROUP))) break;
        group.push_back(h);
    }
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (ui::detail::GetCheck(*Find(group[i])) == BST_CHECKED) value = static_cast<int>(i);
        }
    } else {
        for (std::size_t i = 0; i < group.size(); ++i) {
            ui::detail::SetCheck(*Find(group[i]), static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

namespace {
CComboBox* ComboOf(CDataExchange* dx, int id) {
    return dynamic_cast<CComboBox*>(CWnd::FromHandle(dx->PrepareCtrl(id)));
}
}  // namespace

void DDX_CBIndex(CDataExchange* dx, int id, int& value) {
    CComboBox* combo = ComboOf(dx, id);
    if (!combo) return;
    if (dx->m_bSaveAndValidate) value = combo->GetCurSel();
    else combo->SetCurSel(value);
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value) {
    CComboBox* combo = ComboOf(dx, id);
    if (!combo) return;
    if (dx->m_bSaveAndValidate) {
        value = combo->GetWindowText();
    } else if (combo->SelectString(-1, value) == CB_ERR && (combo->GetStyle() & 0x3) != CBS_DROPDOWNLIST) {
        combo->SetWindowText(value);
    }
}

void DDX_CBStringExact(CDataExchange* dx, int id, std::string& value) {
    CComboBox* combo = ComboOf(dx, id);
    if (!combo) return;
    if (dx->m_bSaveAndValidate) {
        value = combo->GetWindowText();
        return;
    }
    const int i = combo->FindStringExact(-1, value);
    if (i != CB_ERR) combo->SetCurSel(i);
    else if ((combo->GetStyle() & 0x3) != CBS_DROPDOWNLIST) combo->SetWindowText(value);
}

void DDX_IPAddress(CDataExchange* dx, int id, DWORD& value) {
    auto* control = dynamic_cast<CIPAddressCtrl*>(CWnd::FromHandle(dx->PrepareCtrl(id)));
    if (!control) return;
    if (dx->m_bSaveAndValidate) control->GetAddress(value);
    else control->SetAddress(value);
}

namespace {
template <class T>
void CheckRange(CDataExchange* dx, T value, T min, T max, const char* format) {
    if (!dx->m_bSaveAndValidate || (value >= min && value <= max)) return;
    char text[160];
    std::snprintf(text, sizeof text, format, min, max);
    Complain(dx, text);
}
}  // namespace

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max) {
    CheckRange(dx, value, min, max, "Please enter an integer between %d and %d.");
}
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max) {
    CheckRange(dx, value, min, max, "Please enter an integer between %u and %u.");
}
void DDV_MinMaxLong(CDataExchange* dx, long value, long min, long max) {
    CheckRange(dx, value, min, max, "Please enter an integer between %ld and %ld.");
}
void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max) {
    CheckRange(dx, value, min, max, "Please enter a number between %g and %g.");
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars) {
    if (!dx->m_bSaveAndValidate) {
        // Loading limits what the user can type.
        if (auto* edit = dynamic_cast<CEdit*>(CWnd::FromHandle(dx->LastControl()))) edit->LimitText(maxChars);
        return;
    }
    if (static_cast<int>(value.size()) > maxChars) {
        char text[96];
        std::snprintf(text, sizeof text, "Please enter no more than %d characters.", maxChars);
        Complain(dx, text);
    }
}
