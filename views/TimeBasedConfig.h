#pragma once
// "Time Based PoE Config": creates one PoE time range on the switch (add mode) or rewrites
// one (edit mode). A range is a name, an optional span of dates, a daily start and end time
// and the weekdays it applies on. Only the time range list (TimeRangInfo) opens it and hands
// it what its walk read.
//
// Add: createAndWait at the first free index, then the whole row with the status active.
// Edit: Apply waits for the row's read; then the row is taken out of service, written, and
// set active again under the same index, so a failed request never loses the range.
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "platform/ui/Controls.h"

// What the time range list's walk read, handed to the editor.
struct TimeRangeRows {
    std::vector<std::string> names;      // T.2 of every row read, in table order, listed or not
    std::vector<std::string> rowStatus;  // T.21 of the same rows
    std::vector<int> listedIndexes;      // T.1 of each listed (active) row, by list position
};

class TimeBasedConfig : public CFeatureDialog {
public:
    static constexpr int kMaxRanges = 8;

    // The times and dates Apply checks (the date fields count only with `date`).
    struct Times {
        bool date = false;
        int fromYear = 2, fromMonth = 2, fromDay = 2;
        int toYear = 2, toMonth = 2, toDay = 2;
        int startHour = 0, startMinute = 0, endHour = 0, endMinute = 0;
    };

    explicit TimeBasedConfig(CWnd* parent = nullptr);

    // Before DoModal: add mode, or edit mode with the index of the range to change.
    void SetAdd() { m_bAdd = true; }
    void SetEdit(int index) {
        m_bAdd = false;
        m_strIndex = std::to_string(index);
    }
    void SetRows(const TimeRangeRows& rows) { m_rows = rows; }

    // The checks of Apply over plain values: "" when accepted, else the message.
    static std::string CheckRangeName(const std::string& name, const std::vector<std::string>& taken);
    static std::string CheckTimes(const Times& times);
    // A free index 1 to 8 for a new range, or 0 with `refusal` set when eight are active.
    static int FindFreeIndex(const TimeRangeRows& rows, std::string& refusal);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void ReadTimeRange(const std::string& index);
    void ReadCallback(const SnmpRow& row);
    void OnCheckDate();
    void OnCHECKAlldays();
    void OnApply();
    void EnableDates(bool enable);
    // The selected entry of a list as a number; false when none is selected.
    bool Selected(ui::ControlId<CComboBox> id, int& value);
    void CreateRow(const std::string& index);
    void SetTimeRangValue(const std::string& index, const Times& times);

    bool m_bAdd = true;
    std::string m_strIndex;
    TimeRangeRows m_rows;
    CCommonSNMP m_cCommonSNMPSet;  // every write
    CSnmpRead m_cCommonSNMP;       // the row's read in edit mode

    DECLARE_MESSAGE_MAP()
};
