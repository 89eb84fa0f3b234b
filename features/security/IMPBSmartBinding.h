#pragma once
// "Smart Binding": a host bound by hand into the white list, the switch's scan of an address
// range, and the binding of the hosts it found. After a scan the list is read again every
// 4000 ms until two ticks in a row see the same number of rows. CIMPBSmartBinding dlg; dlg.DoModal();
#include "core/controls/EditEXIPV6.h"
#include "core/controls/RowTableDialog.h"
#include "features/security/IMPFunclogic.h"

class CIMPBSmartBinding : public CRowTableDialog {
public:
    explicit CIMPBSmartBinding(CWnd* parent = nullptr);

    static constexpr UINT_PTR kScanTimer = 2;
    static constexpr UINT kScanTickMs = 4000;

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }
    void OnTimer(UINT_PTR id) override;

private:
    void Refresh();
    LRESULT OnBindingRow(WPARAM kind, LPARAM data);
    void OnManualAdd();
    void OnScan();
    void OnBind();
    // Empties an address edit and judges it again, so an emptied edit is not taken as valid.
    static void ClearAddress(CEditEXIPV6& edit);

    CEditEXIPV6 m_address;
    CEditEXIPV6 m_scanFrom;
    CEditEXIPV6 m_scanTo;
    int m_nLastRowCount = -1;  // the row count at the previous tick of the scan timer
    CIMPFunclogic m_logic;

    DECLARE_MESSAGE_MAP()
};
