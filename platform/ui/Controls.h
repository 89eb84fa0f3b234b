#pragma once
// The controls: each a real Qt widget behind a window handle. Every operation may be called
// from any thread (carried out on the user-interface thread) and does nothing on a window
// that no longer exists. Each control's own Create stands beside CWnd's general one
// (`using CWnd::Create`) instead of hiding it.
#include <string>

#include "platform/ui/Wnd.h"

class CStatic : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(const std::string& text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
};

class CButton : public CWnd {
public:
    // style: BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON (WS_GROUP starts
    // a new radio group), BS_GROUPBOX; with WS_CHILD, WS_VISIBLE, WS_TABSTOP.
    using CWnd::Create;
    BOOL Create(const std::string& caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
};

class CEdit : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void LimitText(int maxChars = 0);
    void SetLimitText(UINT maxChars) { LimitText(static_cast<int>(maxChars)); }
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const std::string& text, BOOL canUndo = FALSE);
    void SetPasswordChar(char ch);
    int GetLineCount() const;
};

class CComboBox : public CWnd {
public:
    // style: CBS_DROPDOWNLIST (choose only), CBS_DROPDOWN (editable), CBS_SORT.
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);  // -1 clears the selection
    int GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    // Prefix search without regard to case, from after startAfter (-1: from the start), wrapping.
    int FindString(int startAfter, const std::string& prefix) const;
    int FindStringExact(int startAfter, const std::string& text) const;
    int SelectString(int startAfter, const std::string& prefix);
    BOOL LimitText(int maxChars);
    BOOL GetDroppedState() const { return FALSE; }
};

class CProgressCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos);
    int GetPos() const;
    int OffsetPos(int delta);
    int SetStep(int step);
    int StepIt();

private:
    int m_step = 10;
};

// The IPv4 address control: four fields of 0 to 255; blank until an address is typed or set.
class CIPAddressCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The number of fields filled in (4 for a complete address).
    int GetAddress(BYTE& f0, BYTE& f1, BYTE& f2, BYTE& f3) const;
    int GetAddress(DWORD& address) const;
    void SetAddress(BYTE f0, BYTE f1, BYTE f2, BYTE f3);
    void SetAddress(DWORD address);
    BOOL IsBlank() const;
    void ClearAddress();
};

// The header of a report list (reached through CListCtrl::GetHeaderCtrl).
constexpr DWORD HDS_BUTTONS = 0x2;
class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const;
};
