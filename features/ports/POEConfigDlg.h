#pragma once
// "PoE Configuration": every PoE port's state, time range, priority, power limit and live
// readings, and one set of settings written to a range of ports. The dialog owns its two
// walks and its write session (no logic class); the walks' rows fill its controls on the
// user-interface thread.
#include <array>
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/ListCtrlEx.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/PortRangeCombos.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

class CPOEConfigDlg : public CFeatureDialog {
public:
    explicit CPOEConfigDlg(CWnd* parent = nullptr);

    // Every PoE model has 24 PoE ports; the port range offers these.
    static constexpr int kPoEPorts = 24;
    // The time ranges a port can name: the switch's time profiles, at most this many.
    static constexpr int kTimeRangeSlots = 8;
    // Time-out of each port's SET; a test may lower it.
    static inline int s_nSetTimeoutMs = 20000;
    // Pause after each port's SET, on the program clock.
    static constexpr DWORD kPortPauseMs = 300;

    // The check of a user-defined power limit: the watts must be a decimal number and a
    // multiple of 0.2. `a` is watts x 10 / 2 in single precision, `b` that rounded.
    struct WattCheck {
        bool number = false;  // the whole text is a decimal number
        float a = 0;
        int b = 0;
        bool accepted = false;
    };
    static WattCheck CheckWatts(const std::string& text);

protected:
    BOOL OnInitDialog() override;
    // Closes the walks and the write session; none of their rows or ends comes after.
    BOOL DestroyWindow() override;

private:
    void ReadTimeRanges();
    void ReadPortTable();
    // One profile of the time-range walk, and its end (the port walk follows the table's end).
    void OnTimeRangeRow(const SnmpRow& row);
    void OnTimeRangesEnd(const SnmpReadResult& end);
    // One port of the port walk.
    void OnPoEPortRow(const SnmpRow& row);
    void OnRefresh();
    void OnApply();
    void ApplyPorts();
    // 1 with the port's variables added to m_cCommonSNMPSet, 0 when the input is refused.
    int AddPortVarBinds(int port);
    void OnPortSelected(NMHDR* header, LRESULT* result);
    void OnFromPortChange();
    void OnToPortChange();
    void OnUserDefine();
    void EnableButtons(bool enable);
    void ResetTimeRanges();
    // The name of the time profile with this index ("" when none); the last one read wins.
    std::string TimeRangeName(int index);
    // The index of the profile shown at this position of the Time Range list (0 for "N/A").
    int TimeRangeIndexAt(int position);

    // Written by the time-range walk, read by the port walk and by Apply.
    std::array<int, kTimeRangeSlots> m_arrTimeRange{};
    std::vector<std::string> m_arrTimeRangeName;

    CListCtrlEx m_list;
    CButton m_CtrlUserdefe;
    CPortRangeCombos m_ports;
    // Rows of the running port walk.
    int m_nPortRows = 0;

    // Last, so that they end (with their walks) before what their handlers touch.
    CSnmpRead m_cCommonSNMPTimeRang;
    CSnmpRead m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPSet;

    DECLARE_MESSAGE_MAP()
};
