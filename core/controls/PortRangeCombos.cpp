#include "core/controls/PortRangeCombos.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ui/Prompt.h"

void CPortRangeCombos::Attach(CWnd* parent, int fromId, int toId, std::string message) {
    m_pParent = parent;
    m_nFromId = fromId;
    m_nToId = toId;
    m_strMessage = std::move(message);
}

CComboBox* CPortRangeCombos::Combo(int id) const {
    return m_pParent == nullptr ? nullptr : static_cast<CComboBox*>(m_pParent->GetDlgItem(id));
}

void CPortRangeCombos::Fill(int count, ToStart toStart, const char* format) {
    for (int id : {m_nFromId, m_nToId}) {
        CComboBox* combo = Combo(id);
        if (combo == nullptr) return;
        combo->ResetContent();
        for (int port = 1; port <= count; ++port) {
            char text[32];
            std::snprintf(text, sizeof text, format, port);
            combo->AddString(text);
        }
    }
    Combo(m_nFromId)->SetCurSel(0);
    Combo(m_nToId)->SetCurSel(toStart == ToOnLast ? count - 1 : 0);
}

int CPortRangeCombos::PortOf(int id) const {
    CComboBox* combo = Combo(id);
    if (combo == nullptr) return 0;
    const int index = combo->GetCurSel();
    return index < 0 ? 0 : std::atoi(combo->GetLBText(index).c_str());
}

int CPortRangeCombos::FromPort() const { return PortOf(m_nFromId); }
int CPortRangeCombos::ToPort() const { return PortOf(m_nToId); }

void CPortRangeCombos::OnFromChange() { SelectPort(FromPort()); }

bool CPortRangeCombos::OnToChange() {
    const int from = FromPort();
    if (ToPort() >= from) return true;
    AfxMessageBox(m_strMessage);
    SelectPort(from);
    return false;
}

void CPortRangeCombos::SelectPort(int port) {
    for (int id : {m_nFromId, m_nToId}) {
        CComboBox* combo = Combo(id);
        if (combo == nullptr) continue;
        for (int index = 0; index < combo->GetCount(); ++index) {
            if (std::atoi(combo->GetLBText(index).c_str()) != port) continue;
            combo->SetCurSel(index);
            break;
        }
    }
}
