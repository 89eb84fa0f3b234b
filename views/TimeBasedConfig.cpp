#include "views/TimeBasedConfig.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/PoeTimeRangeDialogsIds.h"

using namespace time_range_editor_ids;

namespace {
const std::string kTable = "1.3.6.1.4.1.32473.10.76.21.1.23.1.1.";
constexpr std::size_t kColumns = 21;

std::string Column(int column, const std::string& index) { return kTable + std::to_string(column) + "." + index; }

const ui::ControlId<CComboBox> kDateLists[] = {IDC_FROM_YEAR, IDC_FROM_MONTH, IDC_FROM_DAY,
                                               IDC_TO_YEAR,   IDC_TO_MONTH,   IDC_TO_DAY};
const ui::ControlId<CButton> kWeekdays[] = {IDC_MON, IDC_TUE, IDC_WED, IDC_THU, IDC_FRI, IDC_SAT, IDC_SUN};

// The lists and their numbers.
struct NumberList {
    ui::ControlId<CComboBox> id;
    int first;
    int last;
};
const NumberList kLists[] = {
    {IDC_FROM_YEAR, 2009, 2037}, {IDC_FROM_MONTH, 1, 12}, {IDC_FROM_DAY, 1, 31},   {IDC_TO_YEAR, 2009, 2037},
    {IDC_TO_MONTH, 1, 12},       {IDC_TO_DAY, 1, 31},     {IDC_START_HOUR, 0, 23}, {IDC_START_MINUTE, 0, 59},
    {IDC_END_HOUR, 0, 23},       {IDC_END_MINUTE, 0, 59},
};

// The refused characters of a range name.
const std::string kRefusedNameChars = std::string("~`!@#$%^&*{}[]|\\:;") + "\"" + "'<>,.?/";
}  // namespace

BEGIN_MESSAGE_MAP(TimeBasedConfig, CFeatureDialog)
    ON_BN_CLICKED(IDC_DATE, OnCheckDate)
    ON_BN_CLICKED(IDC_ALL_DAYS, OnCHECKAlldays)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

TimeBasedConfig::TimeBasedConfig(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL TimeBasedConfig::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    Item(IDC_NAME).LimitText(20);
    for (const NumberList& l : kLists) {
        CComboBox& combo = Item(l.id);
        for (int n = l.first; n <= l.last; ++n) combo.AddString(std::to_string(n));
        combo.SetCurSel(0);
    }
    if (!m_bAdd) {
        Item(IDC_NAME).EnableWindow(FALSE);
        // Nothing is written over the stored range until it has been read.
        Item(IDC_APPLY).EnableWindow(FALSE);
        ReadTimeRange(m_strIndex);
    }
    return TRUE;
}

void TimeBasedConfig::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
}

void TimeBasedConfig::ReadTimeRange(const std::string& index) {
    std::vector<std::string> objects;
    for (std::size_t c = 1; c <= kColumns; ++c) objects.push_back(Column(static_cast<int>(c), index));
    // A failed read leaves the defaults and Apply disabled: the user can only cancel.
    m_cCommonSNMP.Start(
        SnmpReadSpec::Get(objects), [this](const SnmpRow& row) { ReadCallback(row); }, nullptr);
}

void TimeBasedConfig::ReadCallback(const SnmpRow& row) {
    auto t = [&](std::size_t column) { return row.Text(column - 1); };
    // The first entry that begins with the value (none for a value no entry begins with).
    auto select = [&](ui::ControlId<CComboBox> id, const std::string& value) {
        CComboBox& combo = Item(id);
        combo.SetCurSel(value.empty() ? -1 : combo.FindString(-1, value));
    };
    Item(IDC_NAME).SetWindowText(t(2));
    const bool date = t(3) == "1";
    Item(IDC_DATE).SetCheck(date ? BST_CHECKED : BST_UNCHECKED);
    EnableDates(date);
    if (date) {
        const std::size_t columns[] = {4, 5, 6, 9, 10, 11};
        for (std::size_t i = 0; i < 6; ++i) select(kDateLists[i], t(columns[i]));
    }
    select(IDC_START_HOUR, t(7));
    select(IDC_START_MINUTE, t(8));
    select(IDC_END_HOUR, t(12));
    select(IDC_END_MINUTE, t(13));
    for (std::size_t d = 0; d < 7; ++d) Item(kWeekdays[d]).SetCheck(t(14 + d) == "1" ? BST_CHECKED : BST_UNCHECKED);
    // A row the switch does not hold answers without values: nothing to edit then.
    if (row.Has(20)) Item(IDC_APPLY).EnableWindow(TRUE);
}

void TimeBasedConfig::EnableDates(bool enable) {
    for (auto id : kDateLists) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void TimeBasedConfig::OnCheckDate() { EnableDates(Item(IDC_DATE).GetCheck() == BST_CHECKED); }

void TimeBasedConfig::OnCHECKAlldays() {
    OutputDebugStringA("================OnCHECKAlldays================");
    const int state = Item(IDC_ALL_DAYS).GetCheck() == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
    for (auto id : kWeekdays) Item(id).SetCheck(state);
}

std::string TimeBasedConfig::CheckRangeName(const std::string& name, const std::vector<std::string>& taken) {
    if (name.empty()) return "The TimeRange name can not be empty,please input it.";
    if (name.find_first_of(kRefusedNameChars) != std::string::npos) return "Invalid TimeRange Name.";
    if (std::find(taken.begin(), taken.end(), name) != taken.end()) return "Invalid TimeRange Name.";
    return "";
}

std::string TimeBasedConfig::CheckTimes(const Times& t) {
    const int start = t.startHour * 100 + t.startMinute;
    const int end = t.endHour * 100 + t.endMinute;
    if (start == end) return "'Start Time' and 'End Time' can't be the same";
    Times d = t;
    if (!t.date) d.fromYear = d.fromMonth = d.fromDay = d.toYear = d.toMonth = d.toDay = 2;
    const int from = d.fromYear * 10000 + d.fromMonth * 100 + d.fromDay;
    const int to = d.toYear * 10000 + d.toMonth * 100 + d.toDay;
    if (from > to) {
        if (d.fromYear > d.toYear) return "'To year' can't be less than 'From year'";
        if (d.fromMonth > d.toMonth) return "'To month' can't be less than 'From month'";
        return "'To day' can't be less than 'From day'";
    }
    if (from < to) return "";
    if (end < start) return "'Start Time' can't be grater than 'End Time'";
    return "";
}

int TimeBasedConfig::FindFreeIndex(const TimeRangeRows& rows, std::string& refusal) {
    const std::size_t n = rows.names.size();
    int count = 0;
    for (std::size_t i = 0; i < n && i < rows.rowStatus.size(); ++i)
        if (rows.rowStatus[i] == "1") ++count;
    if (count >= kMaxRanges) {
        refusal = "The max number of PoE Time Range is 8";
        return 0;
    }
    for (int k = 0; k <= count; ++k) {
        const std::size_t at = static_cast<std::size_t>(k);
        const int listed = at < rows.listedIndexes.size() ? rows.listedIndexes[at] : 0;
        if (listed != k + 1 || (at < rows.rowStatus.size() && rows.rowStatus[at] == "2")) return k + 1;
    }
    return 0;
}

bool TimeBasedConfig::Selected(ui::ControlId<CComboBox> id, int& value) {
    CComboBox& combo = Item(id);
    const int index = combo.GetCurSel();
    if (index < 0) return false;
    value = std::atoi(combo.GetLBText(index).c_str());
    return true;
}

void TimeBasedConfig::OnApply() {
    const std::string name = Item(IDC_NAME).GetWindowText();
    if (m_bAdd) {
        const std::string refusal = CheckRangeName(name, m_rows.names);
        if (!refusal.empty()) {
            AfxMessageBox(refusal, MB_OK);
            return;
        }
    }
    Times times;
    times.date = Item(IDC_DATE).GetCheck() == BST_CHECKED;
    EnableDates(times.date);
    // A list without a selected entry (a stored value none begins with) ends Apply quietly.
    if (times.date && !(Selected(IDC_FROM_YEAR, times.fromYear) && Selected(IDC_TO_YEAR, times.toYear) &&
                        Selected(IDC_FROM_MONTH, times.fromMonth) && Selected(IDC_TO_MONTH, times.toMonth) &&
                        Selected(IDC_FROM_DAY, times.fromDay) && Selected(IDC_TO_DAY, times.toDay)))
        return;
    if (!(Selected(IDC_START_HOUR, times.startHour) && Selected(IDC_END_HOUR, times.endHour) &&
          Selected(IDC_START_MINUTE, times.startMinute) && Selected(IDC_END_MINUTE, times.endMinute)))
        return;
    const std::string refusal = CheckTimes(times);
    if (!refusal.empty()) {
        AfxMessageBox(refusal, MB_OK);
        return;
    }
    if (m_bAdd) {
        std::string full;
        const int index = FindFreeIndex(m_rows, full);
        if (!full.empty()) AfxMessageBox(full, MB_OK);
        m_strIndex = std::to_string(index);
    }
    if (m_strIndex != "0") {
        if (m_bAdd) {
            CreateRow(m_strIndex);
        } else {
            // The row goes out of service while it is rewritten; the write sets it active.
            SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(Column(21, m_strIndex), 2)});
        }
        SetTimeRangValue(m_strIndex, times);
    }
    CDialog::OnOK();
}

void TimeBasedConfig::CreateRow(const std::string& index) {
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(Column(21, index), 5)});
}

void TimeBasedConfig::SetTimeRangValue(const std::string& index, const Times& t) {
    OutputDebugStringA("===============SetTimeRangValue====================");
    const std::string name = Item(IDC_NAME).GetWindowText();
    std::vector<SnmpSetVar> vars = {SnmpSetVar::Octets(Column(2, index), name),
                                    SnmpSetVar::Integer(Column(3, index), t.date ? 1 : 2)};
    OutputDebugStringA((Column(2, index) + "       " + name).c_str());
    if (t.date) {
        const std::pair<int, int> dates[] = {{4, t.fromYear}, {5, t.fromMonth}, {6, t.fromDay},
                                             {9, t.toYear},   {10, t.toMonth},  {11, t.toDay}};
        for (const auto& [column, value] : dates) vars.push_back(SnmpSetVar::Integer(Column(column, index), value));
    }
    const std::pair<int, int> times[] = {{7, t.startHour}, {8, t.startMinute}, {12, t.endHour}, {13, t.endMinute}};
    for (const auto& [column, value] : times) vars.push_back(SnmpSetVar::Integer(Column(column, index), value));
    OutputDebugStringA(("From " + std::to_string(t.startHour) + ":" + std::to_string(t.startMinute) + "To " +
                        std::to_string(t.endHour) + ":" + std::to_string(t.endMinute))
                           .c_str());
    for (int d = 0; d < 7; ++d)
        vars.push_back(
            SnmpSetVar::Integer(Column(14 + d, index), Item(kWeekdays[d]).GetCheck() == BST_CHECKED ? 1 : 2));
    vars.push_back(SnmpSetVar::Integer(Column(21, index), 1));
    SnmpSet(m_cCommonSNMPSet, vars);
}
