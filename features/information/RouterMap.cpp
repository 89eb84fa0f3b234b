#include "features/information/RouterMap.h"

#include "resources/templates/InfoTableDialogsIds.h"

using namespace route_table_ids;

namespace {
const std::string kRoute = "1.3.6.1.2.1.4.21.1.";
}  // namespace

BEGIN_MESSAGE_MAP(CRouterMap, CDirectTableDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

// The columns in the list's order: destination, gateway, mask, interface, type, protocol,
// age and the four metrics.
CRouterMap::CRouterMap()
    : CDirectTableDlg({IDD,
                       IDC_LIST,
                       {"   Destination    ", "   Gateway IP     ", "   Netmask        ", "Interface ", "Type   ",
                        " Protocol ", " Age   ", " Metric 1 ", " Metric 2 ", " Metric 3 ", " Metric 4 "},
                       {kRoute + "1", kRoute + "7", kRoute + "11", kRoute + "2", kRoute + "8", kRoute + "9",
                        kRoute + "10", kRoute + "3", kRoute + "4", kRoute + "5", kRoute + "6"},
                       /*sessionPerRead=*/true,
                       /*counterId=*/IDC_ENTRIES}) {}

BOOL CRouterMap::OnInitDialog() {
    CDirectTableDlg::OnInitDialog();
    SetWindowText("Router Table");
    return TRUE;
}

std::vector<std::string> CRouterMap::FormatRow(const DirectRow& row) const {
    std::vector<std::string> cells;
    for (const DirectValue& v : row.values) cells.push_back(v.text);
    cells[4] = RouteTypeText(cells[4]);
    cells[5] = RouteProtocolText(cells[5]);
    return cells;
}

std::string RouteTypeText(const std::string& value) {
    static const char* const kTypes[] = {"UnKnown", "Illegal", "Direct", "Indirect"};
    const int n = std::atoi(value.c_str());
    return n >= 1 && n <= 4 && value == std::to_string(n) ? kTypes[n - 1] : "0";
}

std::string RouteProtocolText(const std::string& value) {
    static const char* const kProtocols[] = {"local", "netmgmt", "icmp",      "egp",       "ggp",  "hello", "rip",
                                             "is-is", "es-is",   "ciscoIgrp", "bbnSpfIgp", "ospf", "bgp"};
    const int n = std::atoi(value.c_str());
    return n >= 2 && n <= 14 && value == std::to_string(n) ? kProtocols[n - 2] : "other";
}
