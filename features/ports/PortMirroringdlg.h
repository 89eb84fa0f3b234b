#pragma once
// "PortMirroringConfiguration": the switch's mirroring session. A state, one target port
// that receives the copies, and for every other port a sniffer mode (TX, RX, Both or None),
// chosen in four rows of per-port check boxes made for the device's port count.
// Opened from the menu: CPortMirroringdlg dlg; dlg.DoModal();
#include <memory>
#include <string>

#include "core/controls/BtnEXT.h"
#include "core/controls/lxDialog.h"
#include "features/ports/PortMirroringLogic.h"

class CPortMirroringdlg : public ClxDialog {
public:
    explicit CPortMirroringdlg(CWnd* parent = nullptr);
    ~CPortMirroringdlg() override;

    // True while the settings read or the trunk walk has not ended.
    bool ReadsRunning() const { return m_logic.ReadsRunning(); }

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

private:
    enum Mode { kTx, kRx, kBoth, kNone, kModes };

    void CreatePortRows();
    void OnRefresh();
    void OnApply();
    void OnClose() { OnCancel(); }
    void OnEnabled();
    void OnDisabled();
    void OnTargetChange();
    void OnAllTx() { SelectAll(kTx); }
    void OnAllRx() { SelectAll(kRx); }
    void OnAllBoth() { SelectAll(kBoth); }
    void OnAllNone() { SelectAll(kNone); }
    void OnTxBox(UINT id) { OnModeBox(kTx, static_cast<int>(id) - 8000); }
    void OnRxBox(UINT id) { OnModeBox(kRx, static_cast<int>(id) - 8100); }
    void OnBothBox(UINT id) { OnModeBox(kBoth, static_cast<int>(id) - 8200); }
    void OnNoneBox(UINT id) { OnModeBox(kNone, static_cast<int>(id) - 8300); }
    LRESULT OnSettings(WPARAM wParam, LPARAM lParam);

    // Port p (1-based) in one mode only; ports outside 1..N are ignored.
    void SetMode(int port, Mode mode);
    void OnModeBox(Mode mode, int port);
    void SelectAll(Mode mode);
    void EnablePort(int port, BOOL enable);
    void EnableAllBoxes(BOOL enable);
    // The target port: the combo's choice, or the port the switch named when it lies outside
    // 1..N (which no box stands for); "" for none.
    std::string TargetText() const;
    int TargetPort() const;

    int m_nPortNum = 0;
    std::string m_strOutsideTarget;
    std::unique_ptr<CBtnEXT> m_pLabels;
    std::unique_ptr<CBtnEXT> m_pRows[kModes];
    CPortMirroringLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
