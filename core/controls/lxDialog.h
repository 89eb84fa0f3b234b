#pragma once
// ClxDialog: a dialog base that makes its dialog resizable. The dialog stays above other
// windows, gets a sizing border and a size grip, never shrinks below its first size, and
// moves or grows the controls of its layout table by a share of each change of size.
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"

// One entry of a layout table.
struct LAYOUT_INFO {
    int nID;       // dialog item id
    int nType;     // 0 move right, 1 move down, 2 both, 3 widen, 4 heighten, 5 both
    int nPercent;  // share of the size change, 0 to 100; other values skip the entry
};

class ClxDialog : public CDialog {
public:
    ClxDialog(UINT templateId, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // The table stays the subclass's (static data); 0 and nothing installed for a null table
    // or a count of 0 or less.
    int SetControlLayout(const LAYOUT_INFO* table, int count);

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnSizing(UINT edge, LPRECT rect) override;

    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    const LAYOUT_INFO* m_pLayoutInfo = nullptr;
    int m_nLayoutCount = 0;
    int m_nShowGrip = SW_SHOWNORMAL;
    CStatic m_wndSizeGrip;
    BITMAP m_bmpSizeGripInfo;  // its width and height are the grip's size

    DECLARE_MESSAGE_MAP()
};
