#pragma once
// CBtnEXT: one row of per-port controls made at run time in a dialog whose template cannot
// know the port count: check boxes without caption, or number labels "1", "2", ... that head
// the check-box rows. More than 28 controls fold into two lines.
#include <memory>
#include <vector>

#include "platform/ui/Controls.h"

class CBtnEXT {
public:
    // The label kind of Create: centred, sunken number labels.
    static constexpr UINT kLabelStyle = SS_CENTER | SS_SUNKEN;

    CBtnEXT(int count, int size, int rowSpacing);
    virtual ~CBtnEXT();
    CBtnEXT(const CBtnEXT&) = delete;
    CBtnEXT& operator=(const CBtnEXT&) = delete;

    void SetParent(CWnd* parent);
    // The column gap that makes one line fill startX .. endX (parent's client coordinates).
    void CalcGap(int startX, int endX);
    // placement 0: to the right of `reference`; 1: under it.
    void Create(UINT style, int firstId, CRect reference, int placement);
    // From the top-left of the first control to the bottom-right of the last one.
    void GetRect(CRect& rect) const;
    void EnableButton(BOOL enable, int index);
    void SetCheck(int state, int index);
    int GetCheck(int index) const;

    int GetGap() const { return m_nGap; }

private:
    CButton* CheckBox(int index) const;
    int PerLine() const;

    std::vector<std::unique_ptr<CButton>> m_pButtons;
    std::vector<std::unique_ptr<CStatic>> m_pLabels;
    CWnd* m_pParent = nullptr;
    int m_nSize;
    int m_nRowSpacing;
    int m_nCount;
    int m_nFirstId = 0;
    int m_nRowGap = 2;
    int m_nGap = 0;
};
