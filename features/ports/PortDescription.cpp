#include "features/ports/PortDescription.h"

#include <cstdlib>

#include "platform/ui/Gdi.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/PortDialogsIds.h"

using namespace port_description_ids;

namespace {
constexpr int kMaxDescription = 32;
}  // namespace

BEGIN_MESSAGE_MAP(CPortDescription, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromChanged)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToChanged)
    ON_WM_SIZE()
    ON_MESSAGE(WM_PORT_READ_END, OnReadEnd)
    ON_MESSAGE(WM_PORT_READ_DONE, OnReadEnd)
END_MESSAGE_MAP()

CPortDescription::CPortDescription(CWnd* parent) : CFeatureDialog(IDD, {.titlePrefix = "Port Description: "}, parent) {}

void CPortDescription::DoDataExchange(CDataExchange* dx) { DDX_Text(dx, IDC_DESCRIPTION, m_strDescription); }

BOOL CPortDescription::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    Item(IDC_DESCRIPTION).LimitText(kMaxDescription);
    m_list.SubclassDlgItem(IDC_DESCRIPTION_LIST, this);
    m_list.InsertColumn(0, "Port", LVCFMT_LEFT);
    m_list.InsertColumn(1, "Description", LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB);
    for (int p = 1; p <= m_logic.PortCount(); ++p) {
        Item(IDC_FROM_PORT).AddString(std::to_string(p));
        Item(IDC_TO_PORT).AddString(std::to_string(p));
    }
    SelectFirstPorts();
    if (CHeaderCtrl* header = m_list.GetHeaderCtrl()) header->EnableWindow(FALSE);
    PostMessage(WM_SIZE);
    OnRefresh();
    return TRUE;
}

void CPortDescription::OnSize(UINT type, int cx, int cy) {
    CFeatureDialog::OnSize(type, cx, cy);
    if (m_list.GetSafeHwnd() == nullptr) return;
    CClientDC dc(&m_list);
    const int portWidth = dc.GetTextExtent("26(F_100)").cx + 15;
    CRect rect;
    m_list.GetWindowRect(&rect);
    m_list.SetColumnWidth(0, portWidth);
    m_list.SetColumnWidth(1, rect.Width() - portWidth - 24);
}

void CPortDescription::EnableButtons(bool enable) {
    for (auto id : {IDC_CLOSE, IDC_APPLY, IDC_REFRESH}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void CPortDescription::SelectFirstPorts() {
    Item(IDC_FROM_PORT).SetCurSel(0);
    Item(IDC_TO_PORT).SetCurSel(0);
}

void CPortDescription::OnRefresh() {
    m_list.DeleteAllItems();
    EnableButtons(false);
    m_logic.SetHwnd(GetSafeHwnd());
    m_logic.GetPortDescriptions();
}

LRESULT CPortDescription::OnReadEnd(WPARAM, LPARAM) {
    m_list.DeleteAllItems();
    int row = 0;
    for (const PortDescriptionEntry& e : m_logic.m_arrPortDescription) {
        m_list.InsertItem(row, std::to_string(e.port));
        m_list.SetItemText(row, 1, e.description);
        ++row;
    }
    EnableButtons(true);
    SelectFirstPorts();
    return 0;
}

void CPortDescription::OnFromChanged() { Item(IDC_TO_PORT).SetCurSel(Item(IDC_FROM_PORT).GetCurSel()); }

void CPortDescription::OnToChanged() {
    const int from = Item(IDC_FROM_PORT).GetCurSel();
    if (Item(IDC_TO_PORT).GetCurSel() >= from) return;
    AfxMessageBox("'To Port' can not be smaller than 'From Port'");
    Item(IDC_TO_PORT).SetCurSel(from);
}

void CPortDescription::OnApply() {
    EnableButtons(false);
    UpdateData(TRUE);
    auto selectedPort = [this](ui::ControlId<CComboBox> id) {
        const int index = Item(id).GetCurSel();
        return index < 0 ? 0 : std::atoi(Item(id).GetLBText(index).c_str());
    };
    m_logic.SetPortDescriptions(selectedPort(IDC_FROM_PORT), selectedPort(IDC_TO_PORT), m_strDescription);
    // The read follows whether or not the last request was answered: it shows what the
    // switch holds and gives the buttons back.
    OnRefresh();
    m_strDescription.clear();
    SelectFirstPorts();
    UpdateData(FALSE);
}
