#pragma once
// "RMON Ethernet Statistics Configuration": one statistics entry per port, with the counters
// the switch keeps for it. An entry left on a port without being valid is removed when a new
// entry takes the port.
#include <vector>

#include "features/management/RmonTableDialog.h"

class CRMONEthernetStatistics : public CRmonTableDialog {
public:
    explicit CRMONEthernetStatistics(CWnd* parent = nullptr);

protected:
    void StartRead() override { m_rmon.ReadEtherStatsTable(); }
    void ListRows() override;
    void DeleteEntry(int index) override { m_rmon.DeleteEtherStatsEntry(index); }

private:
    void OnApply();
    void ClearInputs();
    bool IsPortInUse(int port) const;
    void InvalidateStaleEntries(int port);

    std::vector<int> m_validIndexes;
    std::vector<int> m_validPorts;
    std::vector<int> m_staleIndexes;
    std::vector<int> m_stalePorts;

    DECLARE_MESSAGE_MAP()
};
