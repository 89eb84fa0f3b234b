#pragma once
// "RMON Event Configuration": events that log, send a trap to one of the switch's communities,
// or both. A read takes the alarms' rising event indexes first (an event an alarm rises to
// cannot be deleted), then the events; the inputs stay disabled until the events are listed.
#include <string>
#include <vector>

#include "features/management/RmonTableDialog.h"

class CRMONEvent : public CRmonTableDialog {
public:
    explicit CRMONEvent(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void StartRead() override { m_rmon.ReadAlarmEventIndexes(); }
    void OnEventIndexesRead() override;
    void ListRows() override;
    bool MayDelete(const std::string& indexText) override;
    void DeleteEntry(int index) override;
    void ResetInputs() override;

private:
    void OnApply();
    int CheckEventInput();
    bool IsCommunityKnown(const std::string& community) const;

    std::vector<int> m_eventIndexes;

    DECLARE_MESSAGE_MAP()
};
