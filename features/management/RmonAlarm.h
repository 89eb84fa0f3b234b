#pragma once
// "RMON Alarm Configuration": alarms that sample an interface counter against a rising and a
// falling threshold and fire events by index. Apply first reads the event table, so that both
// event indexes must name events read; the checks and the write then run from a message the
// dialog posts itself, once the event walk has handed its rows over.
#include <string>
#include <vector>

#include "features/management/RmonTableDialog.h"

class CRmonAlarm : public CRmonTableDialog {
public:
    explicit CRmonAlarm(CWnd* parent = nullptr);

    // Accepts 1.3.6.1.2.1.2.2.1.X.Y (digits and single dots only), X 10 to 21, Y a port of
    // the device; arcs after Y are allowed.
    static int ParseVariable(const std::string& text);

protected:
    void StartRead() override { m_rmon.ReadAlarmTable(); }
    void OnTableRead(WPARAM code) override;
    void ListRows() override;
    void DeleteEntry(int index) override { m_rmon.DeleteAlarmEntry(index); }
    void ResetInputs() override;

private:
    void OnApply();
    LRESULT OnCheckAndWrite(WPARAM, LPARAM);
    void LoadEventIndexes();
    int CheckAlarmInput();
    bool IsEventIndexKnown(long long index) const;
    void OnIndexChange();

    std::vector<int> m_alarmIndexes;
    std::vector<int> m_eventIndexes;

    DECLARE_MESSAGE_MAP()
};
