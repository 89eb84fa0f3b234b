#pragma once
// "Time Profile Info": the switch's active time profiles (named time windows with weekdays
// and an optional date range), added and deleted one at a time; there is no editing.
// Opened from the menu: CTimeProfileInfo dlg; dlg.DoModal();
#include <array>
#include <string>

#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "features/ports/PowSavSettings.h"
#include "features/ports/TimeProfileCheck.h"

class CTimeProfileInfo : public CFeatureDialog {
public:
    explicit CTimeProfileInfo(CWnd* parent = nullptr);

    // True while the profile walk of the last refresh has not ended.
    bool WalkRunning() const { return m_logic.WalkRunning(); }

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void RefreshList();
    void OnAdd();
    void OnDelete();
    void OnDateCheck();
    void OnSelectAllDays();
    void OnStartDateChange();
    void OnEndDateChange();
    LRESULT OnTimeProfileRow(WPARAM wParam, LPARAM lParam);
    // The lowest index no listed profile uses; 0 when every slot is taken.
    int FindFreeIndex() const;
    void EnableDates(bool enable);

    CListCtrlEx m_list;
    // Slot r: the profile index of list row r, 0 for an empty slot.
    std::array<int, kMaxTimeProfiles> m_indexes{};
    CPowSavSettings m_logic;

    DECLARE_MESSAGE_MAP()
};
