#pragma once
// "ARP Information": the switch's ARP cache (ipNetToMediaTable) with its entry count, printed
// in pages of 35 rows by the Print command (12; its button stays hidden). Version 1 only.
// Refresh during a walk abandons it (its later answers are dropped, its session released
// only then) and starts a new one, so the list holds the new walk's rows alone.
#include "views/direct/DirectTableDlg.h"

class CArpTable : public CDirectTableDlg {
public:
    CArpTable();

protected:
    BOOL OnInitDialog() override;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;

private:
    void OnRefreshTable();
    void OnPrint();

    DECLARE_MESSAGE_MAP()
};

// The texts of an ipNetToMediaPhysAddress (its bytes) and an ipNetToMediaType value.
std::string ArpMacText(const std::string& bytes, const std::string& text);
std::string ArpTypeText(const std::string& value);
