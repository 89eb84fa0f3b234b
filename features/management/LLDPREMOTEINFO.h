#pragma once
// "LLDP Remote Port Information": the neighbours the switch has learnt through LLDP, one row
// each, counted. With SNMP version 1 it opens by reading the LLDP state (greying the list when
// LLDP is off) and the table; with any other version only Refresh reads.
#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"

class CLLDPREMOTEINFO : public CFeatureDialog {
public:
    explicit CLLDPREMOTEINFO(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void CheckState();
    void ReadRemoteTable();
    void OnRemoteRow(const SnmpRow& row);
    void OnRefresh();

    CListCtrlEx m_list;
    CCommonSNMP m_cCommonSNMPEnabled;
    CSnmpRead m_cCommonSNMP;

    DECLARE_MESSAGE_MAP()
};
