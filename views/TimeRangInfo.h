#pragma once
// "Time Range Information": the PoE time ranges the switch holds (active rows only), and
// their add, edit and delete. Add and Edit run the editor (TimeBasedConfig) with what the
// walk read; the list is read again after it, whatever it returned.
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "views/TimeBasedConfig.h"

class TimeRangInfo : public CFeatureDialog {
public:
    explicit TimeRangInfo(CWnd* parent = nullptr);

    // The cells of a walk's row (T.1 to T.21 by position): name, weekdays, from day, to day,
    // start time, end time.
    static std::vector<std::string> RowCells(const SnmpRow& row);

    const TimeRangeRows& Rows() const { return m_rows; }

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void Refresh();
    void WalkCallback(const SnmpRow& row);
    void OnAdd();
    void OnEdit();
    void OnBUTTONDelete();
    void RunEditor(TimeBasedConfig& editor);
    // The list position chosen, or -1 after the message `text` (no icon on an empty list).
    int SelectedRow(const char* text);
    void EnableButtons(bool enable);

    TimeRangeRows m_rows;
    CCommonSNMP m_cCommonSNMPSet;  // the delete
    CSnmpRead m_cCommonSNMP;       // the walk; last, so it closes before the rows go

    DECLARE_MESSAGE_MAP()
};
