#pragma once
// "Web Service Configuration": the switch's web services (HTTP, HTTPS) with their settings;
// one service's UDP port, idle time-out and state are written at a time, and the table is
// read again. Read and written directly, with SNMP version 1 or 3.
#include <string>

#include "views/direct/DirectTableDlg.h"

class CWebConfigDlg : public CDirectTableDlg {
public:
    explicit CWebConfigDlg(CWnd* parent = nullptr);

    // The texts of the enable and protocol codes ("default" for other codes).
    static std::string EnableText(const std::string& value);
    static std::string ProtocolText(const std::string& value);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;

private:
    void OnClickServiceList(NMHDR*, LRESULT* result);
    void OnApply();
    // Writes the chosen service's settings, then reads the table again.
    void WriteService();
    void OnWriteResponse();
    int m_nUdpPort = 0;
    int m_nIdleTimeout = 0;

    DECLARE_MESSAGE_MAP()
};
