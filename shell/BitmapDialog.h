#pragma once
// A dialog whose background is the front-panel picture and which owns the panel's element
// tree: the root element and the MODULE entries of the panel description.
#include <string>

#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"
#include "platform/win/Event.h"
#include "shell/panel/DIBitmap.h"
#include "shell/panel/DevElements.h"
#include "shell/panel/ParseDevXML.h"

class CBitmapDialog : public CDialog {
public:
    // Panel description paths are kept to this many characters; a longer one is refused
    // (cutting it would name another file).
    static constexpr std::size_t kMaxPanelPath = 51;

    explicit CBitmapDialog(UINT templateId, CWnd* parent = nullptr);
    ~CBitmapDialog() override;

    // Reads the panel description and its picture, then gives the window the root element's
    // rectangle as its client area (position in screen coordinates).
    void LoadPanel(const std::string& path);
    // The first 48 port elements of the root to the enabled state, the next four to empty; the
    // ports of module elements to enabled.
    void ResetPanelElements();

    CDevModule& Root() { return m_root; }
    const CDIBitmap& Background() const { return m_bitmap; }
    int DrawMode() const { return m_nDrawMode; }

protected:
    void DoDataExchange(CDataExchange*) override {}
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnQueryNewPalette() override;
    void OnPaletteChanged(CWnd* focusWnd) override;

    win::Event m_eventPollEnd{false, false};  // set by the polling thread when its loop ends
    CDIBitmap m_bitmap;
    int m_nDrawMode = 0;
    CDevModule m_root;
    CModuleList m_modules;

    DECLARE_MESSAGE_MAP()

    // Sent to itself once the window shows, to fit the client area to the panel.
    static constexpr UINT WM_FIT_PANEL = WM_APP + 0x101;
    LRESULT OnFitPanel(WPARAM wParam, LPARAM lParam);

private:
    static constexpr int kMaxFitChecks = 4;
    int m_nFitChecks = 0;
    // The window's size less its client area's: the frame, caption and menu bar.
    CSize FrameSize() const;
    void ResizeFixedWindow(const CRect& rect);
    // Selects and realises the picture's palette; true when that changed a colour.
    bool RealizeBackgroundPalette();
};
