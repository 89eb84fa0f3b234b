// The SNMP agent table views: engine (471), communities (472), groups (473), access (474),
// view trees (475) and users (476).
#include "platform/ui/Template.h"

namespace {
constexpr DWORD kViewStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
constexpr DWORD kBoxStyle = ES_READONLY | ES_AUTOHSCROLL;
}

UI_DIALOG_TEMPLATE(471, "SNMPv3 Engine Information", kViewStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "Engine ID:"), Edit(249, kBoxStyle).With(WS_DISABLED).Width(260),
            Label(IDC_STATIC, "Boot Numbers:"), Edit(250, kBoxStyle).With(WS_DISABLED),
            Label(IDC_STATIC, "Engine Time:"), Edit(251, kBoxStyle).With(WS_DISABLED),
            Label(IDC_STATIC, "Max Message Size:"), Edit(252, kBoxStyle).With(WS_DISABLED),
        }),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(472, "SNMPv3 Community Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "Community List", {List(253, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(473, "SNMPv3 Group Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "Group List", {List(254, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(474, "SNMPv3 Access Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "Access List", {List(255, kListStyle).Size(640, 220)}),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(475, "SNMP MIB Access Control Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "SNMP MIB Access Control List", {List(256, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(476, "SNMPv3 User Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "User List", {List(257, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
