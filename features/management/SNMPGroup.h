#pragma once
// "SNMP Group Table Info": the agent's groups, each binding a security model and level to
// its read, write and notify views. The level counts for v3 groups only.
#include "features/management/SNMPTableDialog.h"

class CSNMPGroup : public CSNMPTableDialog {
public:
    explicit CSNMPGroup(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void StartRead() override { m_config.ReadGroups(); }
    void OnRow(WPARAM code, LPARAM record) override;

private:
    void OnApply();
    void OnDelete();
    void OnModelChanged();

    DECLARE_MESSAGE_MAP()
};
