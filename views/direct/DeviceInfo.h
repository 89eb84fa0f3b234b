#pragma once
// "Device Information": the device's power supplies as a table and four port numbers (its web
// HTTP port, its number of ports, a user-defined port and a loopback port). Version 1 walks
// the supplies on the kept session and reads the port numbers with a GET of their own session;
// version 3 reads both synchronously; any other version reads nothing. Writes nothing.
#include <string>

#include "views/direct/DirectTableDlg.h"

class CDeviceInfo : public CDirectTableDlg {
public:
    CDeviceInfo();

    // The text of a power source code as the version-1 (`v1`) or version-3 read shows it.
    static std::string PowerSourceText(const std::string& value, bool v1);

protected:
    BOOL OnInitDialog() override;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;

private:
    // Refresh: the port numbers again; the supplies unless their walk is still under way.
    void OnRefresh();
    void ReadPortInfo();

    DECLARE_MESSAGE_MAP()
};
