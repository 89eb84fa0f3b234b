#include "core/controls/PortBoxes.h"

#include <algorithm>
#include <string>

void CPortBoxes::Create(CWnd* parent, int count, int boxBase, int labelBase, const Layout& layout) {
    m_pParent = parent;
    m_nCount = std::max(count, 0);
    m_nBoxBase = boxBase;
    if (parent == nullptr) return;
    for (int port = 1; port <= m_nCount; ++port) {
        const Cell cell = layout(port);
        if (parent->GetDlgItem(labelBase + port) == nullptr) {
            auto label = std::make_unique<CStatic>();
            label->Create(std::to_string(port), WS_CHILD | SS_CENTER | SS_SUNKEN, cell.label, parent,
                          static_cast<UINT>(labelBase + port));
            label->ShowWindow(SW_SHOW);
            m_labels.push_back(std::move(label));
        }
        if (parent->GetDlgItem(boxBase + port) == nullptr) {
            auto box = std::make_unique<CButton>();
            box->Create("", WS_CHILD | BS_AUTOCHECKBOX, cell.box, parent, static_cast<UINT>(boxBase + port));
            box->ShowWindow(SW_SHOW);
            m_boxes.push_back(std::move(box));
        }
    }
}

CButton* CPortBoxes::Box(int port) const {
    if (m_pParent == nullptr || port < 1 || port > m_nCount) return nullptr;
    return static_cast<CButton*>(m_pParent->GetDlgItem(m_nBoxBase + port));
}

void CPortBoxes::SetCheck(int port, int state) {
    if (CButton* box = Box(port)) box->SetCheck(state);
}

int CPortBoxes::GetCheck(int port) const {
    CButton* box = Box(port);
    return box == nullptr ? 0 : box->GetCheck();
}

void CPortBoxes::Enable(int port, bool enable) {
    if (CButton* box = Box(port)) box->EnableWindow(enable ? TRUE : FALSE);
}

void CPortBoxes::UncheckAll() {
    for (int port = 1; port <= m_nCount; ++port) SetCheck(port, 0);
}

int CPortBoxes::Bottom() const {
    int bottom = 0;
    for (int port = 1; port <= m_nCount; ++port) {
        CButton* box = Box(port);
        if (box == nullptr) continue;
        CRect rect;
        box->GetWindowRect(rect);
        m_pParent->ScreenToClient(rect);
        bottom = std::max(bottom, static_cast<int>(rect.bottom));
    }
    return bottom;
}
