#pragma once
// "RMON History Control Configuration": the entries that sample a port's counters into a
// history of buckets. Several entries may watch the same port.
#include <vector>

#include "features/management/RmonTableDialog.h"

class CRMONHistoryControl : public CRmonTableDialog {
public:
    explicit CRMONHistoryControl(CWnd* parent = nullptr);

protected:
    void StartRead() override { m_rmon.ReadHistoryControlTable(); }
    void ListRows() override;
    void DeleteEntry(int index) override { m_rmon.DeleteHistoryControlEntry(index); }
    void ResetInputs() override;

private:
    void OnApply();

    std::vector<int> m_validIndexes;

    DECLARE_MESSAGE_MAP()
};
