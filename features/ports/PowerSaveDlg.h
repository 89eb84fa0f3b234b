#pragma once
// "Power Saving Settings ": LED shut-off, port shut-off and system hibernation, each switched
// on or off with its ports and up to two time profiles, shown in a summary and changed one at
// a time; and the link status detection switch.
// Opened from the menu: CPowerSaveDlg dlg; dlg.DoModal();
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "features/ports/PowSavSettings.h"

class CPowerSaveDlg : public CFeatureDialog {
public:
    explicit CPowerSaveDlg(CWnd* parent = nullptr);

    // The pause after the profile-name walk starts, on the program clock; the names come in
    // meanwhile.
    static constexpr DWORD kNamesWaitMs = 500;

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void Refresh();
    void OnApplyDetection();
    void OnApplyPowerSaving();
    void OnTypeChange();
    void OnStateChange();
    LRESULT OnPowerSavingRow(WPARAM wParam, LPARAM lParam);
    // The profile lists and the port field by the state shown and the chosen function.
    void EnableEditing(bool enabled, bool hibernation);

    CListCtrlEx m_summary;
    CPowSavSettings m_logic;

    DECLARE_MESSAGE_MAP()
};
