#include "features/ports/PortSetInfo.h"

#include <array>
#include <cstdlib>

#include "platform/ui/Gdi.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/PortDialogsIds.h"

using namespace port_config_ids;

namespace {

// Speed codes 1..7 in the list (blank) and in the speed box (hyphen).
const std::array<const char*, 7> kSpeedTexts = {"1000M Full", "100M Full", "100M Half", "10M Full",
                                                "10M Half",   "Auto",      "Disable"};
const std::array<const char*, 7> kSpeedItems = {"1000M-Full", "100M-Full", "100M-Half", "10M-Full",
                                                "10M-Half",   "Auto",      "Disable"};
// Link codes 1..6.
const std::array<const char*, 6> kLinkTexts = {"Down", "1000M Full", "100M Full", "100M Half", "10M Full", "10M Half"};
const std::array<const char*, 3> kMdixTexts = {"Auto", "MDI", "MDIX"};

template <std::size_t N>
std::string CodeText(const std::array<const char*, N>& texts, int code) {
    return code >= 1 && code <= static_cast<int>(N) ? texts[static_cast<std::size_t>(code - 1)] : "";
}
}  // namespace

BEGIN_MESSAGE_MAP(CPortSetInfo, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_NOTIFY(NM_CLICK, IDC_PORT_LIST, OnListClick)
    ON_MESSAGE(WM_PORT_READ_DONE, OnReadDone)
    ON_MESSAGE(WM_PORT_READ_TIMEOUT, OnReadTimeout)
END_MESSAGE_MAP()

CPortSetInfo::CPortSetInfo(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

std::string CPortSetInfo::SpeedText(int code) { return CodeText(kSpeedTexts, code); }
std::string CPortSetInfo::LinkText(int code) { return CodeText(kLinkTexts, code); }
std::string CPortSetInfo::MdixText(int code) { return CodeText(kMdixTexts, code); }
std::string CPortSetInfo::FlowControlText(int code) { return code == 1 ? "Enabled" : "Disabled"; }

BOOL CPortSetInfo::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_PORT_LIST, this);
    m_list.InsertColumn(0, " Port", LVCFMT_CENTER, 100);
    m_list.InsertColumn(1, " Link Status ", LVCFMT_CENTER, 130);
    m_list.InsertColumn(2, " Speed ", LVCFMT_CENTER, 140);
    m_list.InsertColumn(3, " MDI/MDIX", LVCFMT_CENTER, 140);
    m_list.InsertColumn(4, " Flow Control", LVCFMT_CENTER, 140);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB);
    for (const char* item : kSpeedItems) Item(IDC_SPEED).AddString(item);
    for (const char* item : kMdixTexts) Item(IDC_MDIX).AddString(item);
    Item(IDC_FLOW_CONTROL).AddString("Enabled");
    Item(IDC_FLOW_CONTROL).AddString("Disabled");
    ResetSettingsRow();
    m_logic.SetHwnd(GetSafeHwnd());
    OnRefresh();
    return TRUE;
}

void CPortSetInfo::EnableButtons(bool enable) {
    Item(IDC_REFRESH).EnableWindow(enable ? TRUE : FALSE);
    Item(IDC_APPLY).EnableWindow(enable ? TRUE : FALSE);
}

void CPortSetInfo::OnRefresh() {
    m_logic.ReadTrunkPorts();
    EnableButtons(false);
    m_logic.GetPortConfig();
}

LRESULT CPortSetInfo::OnReadDone(WPARAM, LPARAM) {
    EnableButtons(true);
    FillList();
    ResetSettingsRow();
    return 0;
}

LRESULT CPortSetInfo::OnReadTimeout(WPARAM, LPARAM) {
    // An unanswering switch is read again, one time-out after another, until closed.
    EnableButtons(true);
    OnRefresh();
    ResetSettingsRow();
    return 0;
}

void CPortSetInfo::FillList() {
    m_list.DeleteAllItems();
    int row = 0;
    for (const PortConfigEntry& e : m_logic.m_arrPortConfig) {
        m_list.InsertItem(row, std::to_string(e.port));
        m_list.SetItemText(row, 1, LinkText(e.link));
        m_list.SetItemText(row, 2, SpeedText(e.speed));
        m_list.SetItemText(row, 3, MdixText(e.mdix));
        m_list.SetItemText(row, 4, FlowControlText(e.flowControl));
        ++row;
    }
}

void CPortSetInfo::ResetSettingsRow() {
    Item(IDC_FLOW_CONTROL).SetCurSel(0);
    Item(IDC_MDIX).SetCurSel(0);
    Item(IDC_SPEED).SetCurSel(0);
    SetDlgItemText(IDC_PORT_ID, "");
}

void CPortSetInfo::OnListClick(NMHDR*, LRESULT* result) {
    *result = 0;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) return;
    const int row = m_list.GetNextSelectedItem(pos);
    m_nSelectedRow = row;
    SetDlgItemText(IDC_PORT_ID, m_list.GetItemText(row, 0));
    const std::string speed = m_list.GetItemText(row, 2);
    for (std::size_t i = 0; i < kSpeedTexts.size(); ++i) {
        if (speed == kSpeedTexts[i]) Item(IDC_SPEED).SetCurSel(static_cast<int>(i));
    }
    Item(IDC_FLOW_CONTROL).SetCurSel(m_list.GetItemText(row, 4) == "Enabled" ? 0 : 1);
    const std::string mdix = m_list.GetItemText(row, 3);
    Item(IDC_MDIX).SetCurSel(mdix == "Auto" ? 0 : mdix == "MDI" ? 1 : 2);
}

void CPortSetInfo::OnApply() {
    const std::string portText = GetDlgItemText(IDC_PORT_ID);
    const int port = std::atoi(portText.c_str());
    // A row the switch did not fill shows port 0: it names no port to check or write.
    if (portText.empty() || port < 1 || port > m_logic.PortCount()) {
        AfxMessageBox("Please Select one port !");
        return;
    }
    const int speedIndex = Item(IDC_SPEED).GetCurSel();
    const int speed = speedIndex < 0 ? 6 : speedIndex + 1;
    const int flowControl = Item(IDC_FLOW_CONTROL).GetCurSel() == 1 ? 2 : 1;
    const int mdix = Item(IDC_MDIX).GetCurSel() + 1;
    const int row = m_nSelectedRow;

    // The trunk checks judge the trunk table: a trunk walk still running would leave them
    // judging the old one (nothing at first, which accepts everything).
    m_logic.WaitTrunkPorts();
    if (!m_logic.CheckTrunkSpeed(row, port, speed)) {
        AfxMessageBox("LA port can not support in different speed.");
        return;
    }
    if (!m_logic.CheckTrunkFlowControl(row, port, flowControl)) {
        AfxMessageBox("LA port can not support in different flow control.");
        return;
    }
    if (!m_logic.CheckTrunkMdix(row, port, mdix) || !m_logic.CheckMdix(row, port, mdix) ||
        !m_logic.CheckSpeed(row, port, speed) || !m_logic.CheckNotAllDisabled(row, speed) ||
        !m_logic.ConfirmFlowControl(flowControl)) {
        return;
    }
    PortConfigEntry entry;
    entry.port = port;
    entry.speed = speed;
    entry.mdix = mdix;
    entry.flowControl = flowControl;
    m_logic.SetPortConfig(entry);
    OnRefresh();
}
