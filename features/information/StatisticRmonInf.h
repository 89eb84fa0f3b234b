#pragma once
// "RMON 1 Interface Information": the seventeen etherStats counters, one a row, each for the
// entry chosen in its row's combo box, refreshed every 5 s. The first row's entry may also be
// typed; a typed text that is not a decimal number is not requested.
#include <array>
#include <string>

#include "features/information/CounterPollDlg.h"
#include "resources/templates/Rmon1DialogsIds.h"

class CStatisticRmon1;

class CStatisticRmonInf : public CCounterPollDlg {
public:
    // Every row starts at the entry at `position` of the opener's list.
    CStatisticRmonInf(CStatisticRmon1& opener, int position);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void Refresh() override;
    void ShowValue(int position, const std::string& text) override;

private:
    void OnSelectionChange(UINT id);

    CStatisticRmon1& m_opener;
    std::array<int, rmon1_interface_ids::kRows> m_selection{};

    DECLARE_MESSAGE_MAP()
};
