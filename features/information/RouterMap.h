#pragma once
// "Router Table": the switch's ipRouteTable in eleven columns, with its entry count. Version 1
// only; Refresh during a walk leaves the list and the walk alone.
#include "views/direct/DirectTableDlg.h"

class CRouterMap : public CDirectTableDlg {
public:
    CRouterMap();

protected:
    BOOL OnInitDialog() override;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;

    DECLARE_MESSAGE_MAP()
};

// The texts of an ipRouteType and an ipRouteProto value.
std::string RouteTypeText(const std::string& value);
std::string RouteProtocolText(const std::string& value);
