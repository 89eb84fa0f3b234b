#pragma once
// "SNMP Community Table Configuration": the agent's communities, each giving a community
// string the views of a V1 or V2c user. The user list is filled from the user rows that
// follow the community rows of each read.
#include "features/management/SNMPTableDialog.h"

class CSNMPCommunity : public CSNMPTableDialog {
public:
    explicit CSNMPCommunity(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void StartRead() override { m_config.ReadCommunities(); }
    void OnRow(WPARAM code, LPARAM record) override;

private:
    void OnApply();
    void OnDelete();

    DECLARE_MESSAGE_MAP()
};
