#include "features/ports/POEConfigDlg.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "features/ports/PoEWatts.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/PoEDialogsIds.h"

using namespace poeids;

namespace {
const std::string kPortTable = "1.3.6.1.4.1.32473.10.76.21.1.22.1.1.";  // + column + ".1." + port
const std::string kTimeProfileTable = "1.3.6.1.4.1.32473.10.76.21.1.32.1.1.";
// The port walk's columns: state, time range, priority, class, the five readings, the
// user-defined flag and watts.
const char* const kPortColumns[] = {"3", "4", "5", "6", "9", "10", "11", "12", "13", "7", "8"};
const char* const kHeadings[] = {"Index",    "State",      "Time Range",  "Priority",       "Power Limit",
                                 "Power(W)", "Voltage(V)", "Current(mA)", "Classification", "Status"};
const char* const kStates[] = {"Enable", "Disable"};
const char* const kPriorities[] = {"Low", "Normal", "High"};
const char* const kPowerLimits[] = {"Auto", "Class 1", "Class 2", "Class 3", "Class 4"};

std::string PowerLimitText(const std::string& classCode) {
    const int code = std::atoi(classCode.c_str());
    return classCode == std::to_string(code) && code >= 1 && code <= 5 ? kPowerLimits[code - 1] : "";
}
}  // namespace

BEGIN_MESSAGE_MAP(CPOEConfigDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_POE_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_POE_APPLY, OnApply)
    ON_BN_CLICKED(IDC_POE_USER_DEFINE, OnUserDefine)
    ON_CBN_SELCHANGE(IDC_POE_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_POE_TO_PORT, OnToPortChange)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_POE_PORT_LIST, OnPortSelected)
END_MESSAGE_MAP()

CPOEConfigDlg::CPOEConfigDlg(CWnd* parent) : CFeatureDialog(IDD_POE_CONFIG, {.topmost = true}, parent) {}

CPOEConfigDlg::WattCheck CPOEConfigDlg::CheckWatts(const std::string& text) {
    WattCheck check;
    double watts = 0;
    check.number = ReadWatts(text, watts);
    if (!check.number) return check;
    check.a = static_cast<float>(watts * 10 / 2);
    check.b = static_cast<int>(check.a + 0.5);
    check.accepted = std::fabs(check.a - static_cast<float>(check.b)) <= 0.000001;
    return check;
}

BOOL CPOEConfigDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_POE_PORT_LIST, this);
    m_CtrlUserdefe.SubclassDlgItem(IDC_POE_USER_DEFINE, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    int column = 0;
    for (const char* heading : kHeadings) m_list.InsertHeaderColumn(column++, heading);

    m_ports.Attach(this, IDC_POE_FROM_PORT, IDC_POE_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(kPoEPorts, CPortRangeCombos::ToOnLast);
    for (const char* item : kStates) Item(IDC_POE_STATE).AddString(item);
    Item(IDC_POE_STATE).SetCurSel(0);
    for (const char* item : kPriorities) Item(IDC_POE_PRIORITY).AddString(item);
    Item(IDC_POE_PRIORITY).SetCurSel(1);
    for (const char* item : kPowerLimits) Item(IDC_POE_POWER_LIMIT).AddString(item);
    Item(IDC_POE_POWER_LIMIT).SetCurSel(0);
    GetDlgItem(IDC_POE_WATTS)->EnableWindow(FALSE);

    // "N/A" goes first, before the walk can add the profile names after it.
    ResetTimeRanges();
    ReadTimeRanges();
    return TRUE;
}

BOOL CPOEConfigDlg::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMPTimeRang.Close();
    OutputDebugStringA("==================m_cCommonSNMPTimeRang.Close===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
    return CFeatureDialog::DestroyWindow();
}

void CPOEConfigDlg::EnableButtons(bool enable) {
    for (int id : {IDC_POE_REFRESH, IDC_POE_APPLY}) {
        if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CPOEConfigDlg::ResetTimeRanges() {
    Item(IDC_POE_TIME_RANGE).ResetContent();
    Item(IDC_POE_TIME_RANGE).AddString("N/A");
    Item(IDC_POE_TIME_RANGE).SetCurSel(0);
    m_arrTimeRangeName.clear();
    m_arrTimeRange.fill(0);
}

void CPOEConfigDlg::OnRefresh() {
    // A time-range walk still running is stopped first, so that nothing of it lands in the
    // lists emptied here.
    m_cCommonSNMPTimeRang.Close();
    ResetTimeRanges();
    ReadTimeRanges();
}

void CPOEConfigDlg::ReadTimeRanges() {
    OutputDebugStringA("GetTimeRangeGetTimeRangeGetTimeRange");
    m_cCommonSNMPTimeRang.Start(
        SnmpReadSpec::Walk({kTimeProfileTable + "1", kTimeProfileTable + "2"}),
        [this](const SnmpRow& row) { OnTimeRangeRow(row); },
        [this](const SnmpReadResult& end) { OnTimeRangesEnd(end); });
}

void CPOEConfigDlg::OnTimeRangeRow(const SnmpRow& row) {
    const size_t slot = m_arrTimeRangeName.size();
    if (slot >= m_arrTimeRange.size()) return;
    m_arrTimeRange[slot] = row.Number(0);
    m_arrTimeRangeName.push_back(row.Text(1));
    Item(IDC_POE_TIME_RANGE).AddString(row.Text(1));
}

void CPOEConfigDlg::OnTimeRangesEnd(const SnmpReadResult& end) {
    EnableButtons(true);
    // The port rows name their time ranges, so they are read only once all are known; after
    // a time-out or a failure the port list keeps its rows.
    if (end.SessionStatus() == CSnmp::EC_END_OF_TABLE) ReadPortTable();
}

void CPOEConfigDlg::ReadPortTable() {
    m_list.DeleteAllItems();
    std::vector<std::string> columns;
    for (const char* column : kPortColumns) columns.push_back(kPortTable + column);
    OutputDebugStringA("----------ResetEvent(pThis->m_hEvenSnmpGet) ");
    m_nPortRows = 0;
    // Disabled before the walk starts, so that its end always enables them again.
    EnableButtons(false);
    m_cCommonSNMP.Start(
        SnmpReadSpec::Walk(std::move(columns)), [this](const SnmpRow& row) { OnPoEPortRow(row); },
        [this](const SnmpReadResult&) { EnableButtons(true); });
}

std::string CPOEConfigDlg::TimeRangeName(int index) {
    std::string name;
    for (size_t k = 0; k < m_arrTimeRangeName.size(); ++k) {
        if (m_arrTimeRange[k] == index) name = m_arrTimeRangeName[k];
    }
    return name;
}

int CPOEConfigDlg::TimeRangeIndexAt(int position) {
    const int slot = position - 1;
    return slot >= 0 && slot < static_cast<int>(m_arrTimeRangeName.size()) ? m_arrTimeRange[static_cast<size_t>(slot)]
                                                                           : 0;
}

void CPOEConfigDlg::OnPoEPortRow(const SnmpRow& row) {
    const std::string& state = row.Text(0);
    const std::string& timeRange = row.Text(1);
    const std::string& priority = row.Text(2);
    const std::string& userFlag = row.Text(9);
    std::vector<std::string> cells;
    cells.push_back(std::to_string(m_nPortRows + 1));
    cells.push_back(state == "1" ? "Enable" : "Disable");
    cells.push_back(timeRange == "0" ? "N/A" : TimeRangeName(std::atoi(timeRange.c_str())));
    cells.push_back(priority == "1" ? "Low" : priority == "2" ? "Normal" : "High");
    cells.push_back(userFlag == "1" && state == "1" ? row.Text(10) : PowerLimitText(row.Text(3)));
    for (size_t i = 4; i <= 8; ++i) cells.push_back(row.Text(i));
    const int item = m_list.InsertItem(m_nPortRows, cells[0]);
    for (size_t c = 1; c < cells.size(); ++c) m_list.SetItemText(item, static_cast<int>(c), cells[c]);
    ++m_nPortRows;
}

void CPOEConfigDlg::OnApply() {
    UpdateData(TRUE);
    ApplyPorts();
}

void CPOEConfigDlg::ApplyPorts() {
    BeginWaitCursor();
    const int from = m_ports.FromPort();
    const int to = m_ports.ToPort();
    for (int port = from; port >= 1 && port <= to; ++port) {
        m_cCommonSNMPSet.Open(SNMP_PDU_SET);
        if (!AddPortVarBinds(port)) {
            EndWaitCursor();
            return;
        }
        // The session sends the SET that Open prepared; a failed port shows in the re-read.
        SnmpSendPrepared(m_cCommonSNMPSet, s_nSetTimeoutMs);
        win::Sleep(kPortPauseMs);
    }
    ReadPortTable();
    EndWaitCursor();
}

int CPOEConfigDlg::AddPortVarBinds(int port) {
    const std::string instance = ".1." + std::to_string(port);
    auto add = [&](const char* column, int type, const std::string& value) {
        m_cCommonSNMPSet.AddVarBind(kPortTable + column + instance, type, value.c_str());
    };
    const bool enabled = Item(IDC_POE_STATE).GetCurSel() == 0;
    add("3", SNMP_TYPE_INTEGER, enabled ? "1" : "2");
    const int timeRange = enabled ? TimeRangeIndexAt(Item(IDC_POE_TIME_RANGE).GetCurSel()) : 0;
    add("4", SNMP_TYPE_INTEGER, std::to_string(timeRange));
    const int priority = Item(IDC_POE_PRIORITY).GetCurSel();
    add("5", SNMP_TYPE_INTEGER, enabled && priority >= 0 ? std::to_string(priority + 1) : "2");

    if (m_CtrlUserdefe.GetCheck() == 1) {
        OutputDebugStringA("\nm_CtrlUserdefe.GetCheck() == 1,m_CtrlUserdefe.GetCheck() == 1\n");
        add("7", SNMP_TYPE_INTEGER, "1");
        GetDlgItem(IDC_POE_POWER_LIMIT)->EnableWindow(FALSE);
        const std::string watts = GetDlgItemText(IDC_POE_WATTS);
        const WattCheck check = CheckWatts(watts);
        if (check.number) {
            char line[96];
            std::snprintf(line, sizeof line, "/////// a = %f, b = %d \n", static_cast<double>(check.a), check.b);
            OutputDebugStringA(line);
        }
        // A text that is not a number is refused too: it would reach the switch as typed.
        if (!check.accepted) {
            AfxMessageBox("The per-port power limit must be a multiple of 0.2");
            return 0;
        }
        add("8", SNMP_TYPE_OCTETS, watts);
    } else {
        OutputDebugStringA("\nm_CtrlUserdefe.GetCheck() == 0m_CtrlUserdefe.GetCheck() == 0\n");
        add("7", SNMP_TYPE_INTEGER, "2");
        GetDlgItem(IDC_POE_POWER_LIMIT)->EnableWindow(TRUE);
        const int limit = Item(IDC_POE_POWER_LIMIT).GetCurSel();
        add("6", SNMP_TYPE_INTEGER, enabled && limit >= 0 ? std::to_string(limit + 1) : "1");
    }
    return 1;
}

void CPOEConfigDlg::OnPortSelected(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) == 0 || (change->uNewState & LVIS_SELECTED) == 0) return;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) return;
    const int row = m_list.GetNextSelectedItem(pos);
    m_ports.SelectPort(row + 1);
    Item(IDC_POE_STATE).SetCurSel(m_list.GetItemText(row, 1) == "Enable" ? 0 : 1);
}

void CPOEConfigDlg::OnFromPortChange() { m_ports.OnFromChange(); }

void CPOEConfigDlg::OnToPortChange() { m_ports.OnToChange(); }

void CPOEConfigDlg::OnUserDefine() {
    const bool checked = m_CtrlUserdefe.GetCheck() == 1;
    GetDlgItem(IDC_POE_WATTS)->EnableWindow(checked ? TRUE : FALSE);
    GetDlgItem(IDC_POE_POWER_LIMIT)->EnableWindow(checked ? FALSE : TRUE);
}
