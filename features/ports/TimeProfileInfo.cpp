#include "features/ports/TimeProfileInfo.h"

#include <cstdlib>
#include <vector>

#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/PowerSavingDialogsIds.h"

using namespace time_profile_ids;

namespace {
const ui::ControlId<CComboBox> kDateLists[] = {IDC_START_YEAR, IDC_START_MONTH, IDC_START_DAY,
                                               IDC_END_YEAR,   IDC_END_MONTH,   IDC_END_DAY};
const ui::ControlId<CButton> kWeekdayBoxes[] = {IDC_MON, IDC_TUE, IDC_WED, IDC_THU, IDC_FRI, IDC_SAT, IDC_SUN};
const char* const kWeekdayTexts[] = {"Mon,", "Tue,", "Wed,", "Thu,", "Fri,", "Sat,", "Sun,"};
constexpr int kFirstYear = 2011;
constexpr int kLastYear = 2029;

// Months, days, hours and minutes with two digits (7 shows as 07).
std::string TwoDigits(const std::string& value) {
    const std::string padded = "00" + value;
    return padded.substr(padded.size() - 2);
}

std::string DateText(const std::string& dateFlag, const TimeProfileDateTime& at) {
    if (dateFlag != "1") return {};
    return at.year + "/" + TwoDigits(at.month) + "/" + TwoDigits(at.day);
}

void FillNumbers(CComboBox& list, int first, int last) {
    list.ResetContent();
    for (int n = first; n <= last; ++n) list.AddString(std::to_string(n));
    list.SetCurSel(0);
}

// The text a list shows; "" when nothing is selected.
std::string Selected(const CComboBox& list) {
    const int selection = list.GetCurSel();
    return selection < 0 ? std::string() : list.GetLBText(selection);
}
}  // namespace

BEGIN_MESSAGE_MAP(CTimeProfileInfo, CFeatureDialog)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, RefreshList)
    ON_BN_CLICKED(IDC_DATE, OnDateCheck)
    ON_BN_CLICKED(IDC_ALL_DAYS, OnSelectAllDays)
    ON_CBN_SELCHANGE(IDC_START_YEAR, OnStartDateChange)
    ON_CBN_SELCHANGE(IDC_START_MONTH, OnStartDateChange)
    ON_CBN_SELCHANGE(IDC_END_YEAR, OnEndDateChange)
    ON_CBN_SELCHANGE(IDC_END_MONTH, OnEndDateChange)
    ON_MESSAGE(WM_TIMEPROFILE_ROW, OnTimeProfileRow)
END_MESSAGE_MAP()

CTimeProfileInfo::CTimeProfileInfo(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CTimeProfileInfo::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    const std::tuple<const char*, int, int> columns[] = {
        {"Profile Name", 100, LVCFMT_LEFT}, {"Weekdays", 180, LVCFMT_LEFT},    {"From Day", 80, LVCFMT_CENTER},
        {"To Day", 80, LVCFMT_CENTER},      {"Start Time", 80, LVCFMT_CENTER}, {"End Time", 70, LVCFMT_CENTER}};
    int column = 0;
    for (const auto& [heading, width, format] : columns) m_list.InsertColumn(column++, heading, format, width);

    for (auto year : {IDC_START_YEAR, IDC_END_YEAR}) FillNumbers(Item(year), kFirstYear, kLastYear);
    for (auto month : {IDC_START_MONTH, IDC_END_MONTH}) FillNumbers(Item(month), 1, 12);
    for (auto day : {IDC_START_DAY, IDC_END_DAY}) FillNumbers(Item(day), 1, 31);
    for (auto hour : {IDC_START_HOUR, IDC_END_HOUR}) FillNumbers(Item(hour), 0, 23);
    for (auto minute : {IDC_START_MINUTE, IDC_END_MINUTE}) FillNumbers(Item(minute), 0, 59);
    EnableDates(false);
    Item(IDC_NAME).LimitText(20);
    m_logic.SetOwner(GetSafeHwnd());
    RefreshList();
    return TRUE;
}

void CTimeProfileInfo::EnableDates(bool enable) {
    for (auto list : kDateLists) Item(list).EnableWindow(enable ? TRUE : FALSE);
}

void CTimeProfileInfo::OnDateCheck() { EnableDates(Item(IDC_DATE).GetCheck() == BST_CHECKED); }

void CTimeProfileInfo::OnSelectAllDays() {
    const int check = Item(IDC_ALL_DAYS).GetCheck() == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
    for (auto box : kWeekdayBoxes) Item(box).SetCheck(check);
}

void CTimeProfileInfo::OnStartDateChange() {
    CUtils::FillDayCombo(&Item(IDC_START_YEAR), &Item(IDC_START_MONTH), &Item(IDC_START_DAY));
}

void CTimeProfileInfo::OnEndDateChange() {
    CUtils::FillDayCombo(&Item(IDC_END_YEAR), &Item(IDC_END_MONTH), &Item(IDC_END_DAY));
}

void CTimeProfileInfo::RefreshList() {
    m_indexes.fill(0);
    m_list.DeleteAllItems();
    // Starting the walk withdraws one still running, so nothing of it lands in the new list.
    m_logic.GetTimeProfiles();
}

LRESULT CTimeProfileInfo::OnTimeProfileRow(WPARAM wParam, LPARAM lParam) {
    if (wParam != 0 || lParam == 0) return 0;
    const auto& entry = *reinterpret_cast<const TimeProfileEntry*>(lParam);
    if (entry.rowStatus != "1") return 0;
    // The list holds as many profiles as the switch keeps; a row beyond has no slot.
    const int row = m_list.GetItemCount();
    if (row >= static_cast<int>(m_indexes.size())) return 0;

    std::string weekdays;
    for (size_t d = 0; d < entry.weekdays.size(); ++d) {
        if (entry.weekdays[d] == "1") weekdays += kWeekdayTexts[d];
    }
    if (!weekdays.empty()) weekdays.pop_back();
    const int item = m_list.InsertItem(row, entry.name);
    m_list.SetItemText(item, 1, weekdays);
    m_list.SetItemText(item, 2, DateText(entry.dateFlag, entry.start));
    m_list.SetItemText(item, 3, DateText(entry.dateFlag, entry.end));
    m_list.SetItemText(item, 4, TwoDigits(entry.start.hour) + ":" + TwoDigits(entry.start.minute));
    m_list.SetItemText(item, 5, TwoDigits(entry.end.hour) + ":" + TwoDigits(entry.end.minute));
    m_indexes[static_cast<size_t>(row)] = std::atoi(entry.index.c_str());
    return 0;
}

int CTimeProfileInfo::FindFreeIndex() const {
    for (int i = 1; i <= static_cast<int>(m_indexes.size()); ++i) {
        if (m_indexes[static_cast<size_t>(i - 1)] != i) return i;
    }
    return 0;
}

void CTimeProfileInfo::OnAdd() {
    TimeProfileAddInput input;
    input.name = Item(IDC_NAME).GetWindowText();
    for (int row = 0; row < m_list.GetItemCount(); ++row) input.listedNames.push_back(m_list.GetItemText(row, 0));
    input.date = Item(IDC_DATE).GetCheck() == BST_CHECKED;
    EnableDates(input.date);
    if (input.date) {
        input.startYear = Selected(Item(IDC_START_YEAR));
        input.startMonth = Selected(Item(IDC_START_MONTH));
        input.startDay = Selected(Item(IDC_START_DAY));
        input.endYear = Selected(Item(IDC_END_YEAR));
        input.endMonth = Selected(Item(IDC_END_MONTH));
        input.endDay = Selected(Item(IDC_END_DAY));
    }
    input.startHour = Selected(Item(IDC_START_HOUR));
    input.startMinute = Selected(Item(IDC_START_MINUTE));
    input.endHour = Selected(Item(IDC_END_HOUR));
    input.endMinute = Selected(Item(IDC_END_MINUTE));
    const TimeProfileAddCheck check = CheckTimeProfileAdd(input);
    if (!check.accepted) {
        if (!check.message.empty()) AfxMessageBox(check.message);
        return;
    }
    const int index = FindFreeIndex();
    if (index == 0) return;

    TimeProfileEntry entry;
    entry.index = std::to_string(index);
    entry.name = input.name;
    entry.dateFlag = input.date ? "1" : "2";
    if (input.date) entry.start = {input.startYear, input.startMonth, input.startDay, {}, {}};
    if (input.date) entry.end = {input.endYear, input.endMonth, input.endDay, {}, {}};
    entry.start.hour = input.startHour;
    entry.start.minute = input.startMinute;
    entry.end.hour = input.endHour;
    entry.end.minute = input.endMinute;
    for (size_t d = 0; d < entry.weekdays.size(); ++d) {
        entry.weekdays[d] = Item(kWeekdayBoxes[d]).GetCheck() == BST_CHECKED ? "1" : "2";
    }
    if (m_logic.AddTimeProfile(entry) == 1) RefreshList();
}

void CTimeProfileInfo::OnDelete() {
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    const int row = pos == nullptr ? -1 : m_list.GetNextSelectedItem(pos);
    if (row < 0 || row >= static_cast<int>(m_indexes.size())) {
        AfxMessageBox("Please select the Time Range to be deleted!", MB_ICONINFORMATION);
        return;
    }
    if (m_logic.DeleteTimeProfile(std::to_string(m_indexes[static_cast<size_t>(row)])) == 1) RefreshList();
}
