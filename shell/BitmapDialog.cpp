#include "shell/BitmapDialog.h"

#include "platform/win/DebugOutput.h"

BEGIN_MESSAGE_MAP(CBitmapDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_MESSAGE(WM_FIT_PANEL, OnFitPanel)
END_MESSAGE_MAP()

CBitmapDialog::CBitmapDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CBitmapDialog::~CBitmapDialog() { m_modules.clear(); }

CSize CBitmapDialog::FrameSize() const {
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    return CSize(window.Width() - client.Width(), window.Height() - client.Height());
}

void CBitmapDialog::LoadPanel(const std::string& path) {
    const CSize frame = FrameSize();
    const int frameWidth = frame.cx;
    const int frameHeight = frame.cy;
    OutputDebugStringA(("==========================" + std::to_string(frameHeight)).c_str());

    if (path.size() <= kMaxPanelPath) {
        CParseDevXML reader;
        reader.LoadDeviceXML(path, &m_root, m_modules);
    }
    m_nDrawMode = 1;
    m_bitmap.LoadFromFile(m_root.GetBmpName().c_str());

    CRect rect = m_root.GetRect();
    rect.right += frameWidth;
    rect.bottom += frameHeight;
    ResizeFixedWindow(rect);
    // The frame around the client area (the menu bar too) is complete only once the window
    // shows: the size is checked again then.
    m_nFitChecks = 0;
    PostMessage(WM_FIT_PANEL);
    // Hit tests need the client area the elements are placed in.
    m_root.SetOwner(this);
}

void CBitmapDialog::ResizeFixedWindow(const CRect& rect) {
    // The window keeps a fixed size: it is freed only while the panel sizes it.
    ModifyStyle(0, WS_THICKFRAME);
    MoveWindow(&rect, TRUE);
    ModifyStyle(WS_THICKFRAME, 0);
}

LRESULT CBitmapDialog::OnFitPanel(WPARAM, LPARAM) {
    const CRect panel = m_root.GetRect();
    const CSize frame = FrameSize();
    CRect window;
    GetWindowRect(&window);
    if (window.Width() != panel.Width() + frame.cx || window.Height() != panel.Height() + frame.cy) {
        ResizeFixedWindow(CRect(window.left, window.top, window.left + panel.Width() + frame.cx,
                                window.top + panel.Height() + frame.cy));
        // The menu bar may take its room only after this: check again, a few times at most.
        if (++m_nFitChecks < kMaxFitChecks) PostMessage(WM_FIT_PANEL);
    }
    m_root.SetOwner(this);
    return 0;
}

void CBitmapDialog::ResetPanelElements() {
    constexpr int kEnabledPorts = 48;
    constexpr int kEmptyPorts = 4;
    int ports = 0;
    for (int i = 0; i < m_root.GetChildCount(); ++i) {
        CVirtualDev* child = m_root.GetChild(i);
        const std::string name = CVirtualDev::GetClassName(child);
        if (name == "CPort") {
            ++ports;
            if (ports <= kEnabledPorts) static_cast<CPort*>(child)->SetPortStatus(PORT_ENABLE);
            else if (ports <= kEnabledPorts + kEmptyPorts) static_cast<CPort*>(child)->SetPortStatus(PORT_EMPTY);
        } else if (name == "CModule") {
            static_cast<CModule*>(child)->ResetPorts();
        }
    }
}

BOOL CBitmapDialog::OnEraseBkgnd(CDC* dc) {
    if (m_bitmap.GetBits() == nullptr) return CDialog::OnEraseBkgnd(dc);
    CRect client;
    GetClientRect(&client);
    m_bitmap.Stretch(dc, 0, 0, client.Width(), client.Height());
    // The elements keep the window's own context: it outlives this erase, and state changes
    // on other threads may draw an element at any time.
    m_root.SetOwner(this);
    m_root.SetDC(GetDC());
    m_root.DrawChildren();
    return TRUE;
}

bool CBitmapDialog::RealizeBackgroundPalette() {
    const CBmpPalette* palette = m_bitmap.GetPalette();
    if (palette == nullptr) return false;
    CClientDC dc(this);
    CPalette* old = dc.SelectPalette(const_cast<CBmpPalette*>(palette), FALSE);
    const UINT changed = dc.RealizePalette();
    dc.SelectPalette(old, FALSE);
    if (changed != 0) Invalidate();
    return changed != 0;
}

BOOL CBitmapDialog::OnQueryNewPalette() {
    if (m_bitmap.GetPalette() == nullptr) return CDialog::OnQueryNewPalette();
    RealizeBackgroundPalette();
    return TRUE;
}

void CBitmapDialog::OnPaletteChanged(CWnd* focusWnd) {
    if (m_bitmap.GetPalette() == nullptr || focusWnd == this || IsChild(focusWnd)) {
        CDialog::OnPaletteChanged(focusWnd);
        return;
    }
    RealizeBackgroundPalette();
}
