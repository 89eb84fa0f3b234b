#pragma once
// "SNMP View Table Configuration": the agent's MIB views, each including or excluding a
// subtree under a mask of its sub-identifiers.
#include "features/management/SNMPTableDialog.h"

class CSNMPViewTree : public CSNMPTableDialog {
public:
    explicit CSNMPViewTree(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void StartRead() override { m_config.ReadViews(); }
    void OnRow(WPARAM code, LPARAM record) override;

private:
    void OnApply();
    void OnDelete();

    DECLARE_MESSAGE_MAP()
};
