#include "core/controls/BtnEXT.h"

#include <string>

namespace {
constexpr int kOneLineMax = 28;
}

CBtnEXT::CBtnEXT(int count, int size, int rowSpacing) : m_nSize(size), m_nRowSpacing(rowSpacing), m_nCount(count) {}

CBtnEXT::~CBtnEXT() = default;

void CBtnEXT::SetParent(CWnd* parent) { m_pParent = parent; }

int CBtnEXT::PerLine() const { return m_nCount <= kOneLineMax ? m_nCount : m_nCount / 2; }

void CBtnEXT::CalcGap(int startX, int endX) {
    const int perLine = PerLine();
    // A line of one control (or none) has no gaps to spread the span over.
    if (perLine < 2) {
        m_nGap = 0;
        return;
    }
    m_nGap = (endX - startX - perLine * m_nSize) / (perLine - 1);
}

void CBtnEXT::Create(UINT style, int firstId, CRect reference, int placement) {
    m_nFirstId = firstId;
    const bool labels = style == kLabelStyle;
    const int baseX = placement == 0 ? reference.right : reference.left;
    const int baseY = placement == 0 ? reference.top : reference.bottom;
    const int step = m_nGap + m_nSize;
    const int perLine = PerLine();
    for (int i = 0; i < m_nCount; ++i) {
        const bool firstLine = i < perLine;
        const int left = baseX + step * (firstLine ? i : i - perLine);
        const int top = firstLine ? baseY : baseY + m_nSize + m_nRowSpacing + m_nRowGap;
        const CRect rect(left, top, left + m_nSize, top + m_nSize);
        const UINT id = static_cast<UINT>(firstId + i);
        if (labels) {
            auto label = std::make_unique<CStatic>();
            label->Create(std::to_string(i + 1), style | WS_CHILD, rect, m_pParent, id);
            label->ShowWindow(SW_SHOW);
            m_pLabels.push_back(std::move(label));
        } else {
            auto box = std::make_unique<CButton>();
            box->Create("", style | WS_CHILD, rect, m_pParent, id);
            box->ShowWindow(SW_SHOW);
            m_pButtons.push_back(std::move(box));
        }
    }
}

void CBtnEXT::GetRect(CRect& rect) const {
    rect = CRect();
    if (m_pParent == nullptr || m_nCount <= 0) return;
    CWnd* first = m_pParent->GetDlgItem(m_nFirstId);
    CWnd* last = m_pParent->GetDlgItem(m_nFirstId + m_nCount - 1);
    if (first == nullptr || last == nullptr) return;
    CRect firstRect, lastRect;
    first->GetWindowRect(firstRect);
    last->GetWindowRect(lastRect);
    m_pParent->ScreenToClient(firstRect);
    m_pParent->ScreenToClient(lastRect);
    rect = CRect(firstRect.left, firstRect.top, lastRect.right, lastRect.bottom);
}

// The check box of a port; none for an index outside the row or a row of labels.
CButton* CBtnEXT::CheckBox(int index) const {
    if (index < 0 || index >= static_cast<int>(m_pButtons.size())) return nullptr;
    return m_pButtons[static_cast<size_t>(index)].get();
}

void CBtnEXT::EnableButton(BOOL enable, int index) {
    if (CButton* box = CheckBox(index)) box->EnableWindow(enable);
}

void CBtnEXT::SetCheck(int state, int index) {
    if (CButton* box = CheckBox(index)) box->SetCheck(state);
}

int CBtnEXT::GetCheck(int index) const {
    const CButton* box = CheckBox(index);
    return box != nullptr && box->GetCheck() == BST_CHECKED ? 1 : 0;
}
