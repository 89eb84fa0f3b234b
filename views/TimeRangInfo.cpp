#include "views/TimeRangInfo.h"

#include <cstdlib>

#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/PoeTimeRangeDialogsIds.h"

using namespace time_range_list_ids;

namespace {
const std::string kTable = "1.3.6.1.4.1.32473.10.76.21.1.23.1.1.";
constexpr std::size_t kColumns = 21;

// The last two characters of "00" and the text: "5" gives "05".
std::string TwoDigits(const std::string& text) {
    const std::string padded = "00" + text;
    return padded.substr(padded.size() - 2);
}
}  // namespace

BEGIN_MESSAGE_MAP(TimeRangInfo, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_DELETE, OnBUTTONDelete)
END_MESSAGE_MAP()

TimeRangInfo::TimeRangInfo(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL TimeRangInfo::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    CListCtrl& list = Item(IDC_LIST);
    list.InsertColumn(0, "Range Name", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "Weekdays", LVCFMT_LEFT, 200);
    list.InsertColumn(2, "From Day", LVCFMT_CENTER, 80);
    list.InsertColumn(3, "To Day", LVCFMT_CENTER, 80);
    list.InsertColumn(4, "Start Time", LVCFMT_CENTER, 70);
    list.InsertColumn(5, "End Time", LVCFMT_CENTER, 70);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    Refresh();
    return TRUE;
}

void TimeRangInfo::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
}

void TimeRangInfo::EnableButtons(bool enable) {
    for (auto id : {IDC_ADD, IDC_EDIT, IDC_DELETE, IDC_REFRESH}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void TimeRangInfo::Refresh() {
    Item(IDC_LIST).DeleteAllItems();
    m_rows = {};
    std::vector<std::string> columns;
    for (std::size_t c = 1; c <= kColumns; ++c) columns.push_back(kTable + std::to_string(c));
    EnableButtons(false);
    // A walk cut short keeps the rows read so far.
    m_cCommonSNMP.Start(
        SnmpReadSpec::Walk(columns), [this](const SnmpRow& row) { WalkCallback(row); },
        [this](const SnmpReadResult&) { EnableButtons(true); });
}

std::vector<std::string> TimeRangInfo::RowCells(const SnmpRow& row) {
    auto t = [&](std::size_t column) { return row.Text(column - 1); };
    static const char* const kDays[] = {"Mon,", "Tue,", "Wed,", "Thu,", "Fri,", "Sat,", "Sun,"};
    std::string weekdays;
    for (std::size_t d = 0; d < 7; ++d)
        if (t(14 + d) == "1") weekdays += kDays[d];
    if (!weekdays.empty()) weekdays.pop_back();
    const bool date = t(3) == "1";
    auto day = [&](std::size_t year) {
        return date ? t(year) + "/" + TwoDigits(t(year + 1)) + "/" + TwoDigits(t(year + 2)) : "";
    };
    auto time = [&](std::size_t hour) { return TwoDigits(t(hour)) + ":" + TwoDigits(t(hour + 1)); };
    return {t(2), weekdays, day(4), day(9), time(7), time(12)};
}

void TimeRangInfo::WalkCallback(const SnmpRow& row) {
    CListCtrl& list = Item(IDC_LIST);
    if (row.Text(20) == "1") {
        const std::vector<std::string> cells = RowCells(row);
        const int item = list.GetItemCount();
        list.InsertItem(item, cells[0]);
        for (std::size_t c = 1; c < cells.size(); ++c) list.SetItemText(item, static_cast<int>(c), cells[c]);
        // Every listed row keeps its own index, however many the switch holds.
        m_rows.listedIndexes.push_back(std::atoi(row.Text(0).c_str()));
    }
    m_rows.names.push_back(row.Text(1));
    m_rows.rowStatus.push_back(row.Text(20));
}

void TimeRangInfo::RunEditor(TimeBasedConfig& editor) {
    editor.SetRows(m_rows);
    editor.DoModal();
    Refresh();
}

void TimeRangInfo::OnAdd() {
    TimeBasedConfig editor;
    editor.SetAdd();
    RunEditor(editor);
}

int TimeRangInfo::SelectedRow(const char* text) {
    CListCtrl& list = Item(IDC_LIST);
    if (list.GetItemCount() == 0) {
        AfxMessageBox(text, MB_OK);
        return -1;
    }
    const int row = list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(m_rows.listedIndexes.size())) {
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
        return -1;
    }
    return row;
}

void TimeRangInfo::OnEdit() {
    const int row = SelectedRow("Please select the Time Range to be edit!");
    if (row < 0) return;
    TimeBasedConfig editor;
    editor.SetEdit(m_rows.listedIndexes[static_cast<std::size_t>(row)]);
    RunEditor(editor);
}

void TimeRangInfo::OnBUTTONDelete() {
    OutputDebugStringA("\n----------OnBUTTONDelete-------------\n");
    const int row = SelectedRow("Please select the Time Range to be deleted!");
    if (row < 0) return;
    const int index = m_rows.listedIndexes[static_cast<std::size_t>(row)];
    const SnmpAnswer answer =
        SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kTable + "21." + std::to_string(index), 6)});
    if (answer.Answered()) Refresh();
}
