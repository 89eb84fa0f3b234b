#pragma once
// "SNMP Host Table": the hosts that receive the switch's notifications (address, version and
// security, community or user name; at most 10). It runs beside the main window, whose
// polling goes on meanwhile.
#include "core/controls/EditEXIPV6.h"
#include "features/management/SNMPTableDialog.h"

class CSNMPHost : public CSNMPTableDialog {
public:
    explicit CSNMPHost(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void StartRead() override;
    void OnRow(WPARAM code, LPARAM record) override;

private:
    void OnApply();
    void OnCancelButton();
    void OnDelete();
    void ClearInputs();

    CEditEXIPV6 m_address;

    DECLARE_MESSAGE_MAP()
};
