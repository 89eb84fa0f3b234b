// Spanning tree dialogs. Of the standard bridge MIB: the port table (83), a port's settings
// (84) and the bridge settings (85). Of the private objects: the bridge settings (236), the
// port table (238) and a port's settings (241).
#include "platform/ui/Template.h"
#include "resources/templates/SpanTreeDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

namespace span_tree_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, " Spanning Tree Table", kDialogStyle,
    Column({
        List(IDC_PORT_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(760, 320),
        Row({
            Label(IDC_STATIC, "Entries:"), Label(IDC_ENTRIES, "0").Chars(4), Stretch(),
            Button(IDC_BRIDGE_CONFIG, "&Bridge Config").Hidden(),
            Button(IDC_PORT_CONFIG, "&Port Config"), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close"),
        }),
    }))
// clang-format on
}  // namespace span_tree_ids

namespace span_tree_port_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Port Config", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "Port"), Label(IDC_PORT, "").Chars(4), Stretch(),
             Button(IDC_PREV, "<= Prev Port"), Button(IDC_NEXT, "Next Port =>")}),
        Grid(2, {
            Label(IDC_STATIC, "Priority:"), Combo(IDC_PRIORITY, CBS_DROPDOWN).Width(100),
            Label(IDC_STATIC, "Cost:(1-200000000,\n0=auto)").Size(130, 32), Edit(IDC_COST, ES_NUMBER).Width(100),
            Label(IDC_STATIC, "Enable:"), Check(IDC_ENABLE, ""),
            Label(IDC_STATIC, "Status:"), Label(IDC_STATUS, "").Fits("Monitored"),
            Label(IDC_STATIC, "Desig Root:"), Label(IDC_DESIG_ROOT, "").Fits("80:00:00:1B:2C:3D:4E:5F"),
            Label(IDC_STATIC, "Desig Cost:"), Label(IDC_DESIG_COST, "").Chars(10),
            Label(IDC_STATIC, "Desig Bridge:"), Label(IDC_DESIG_BRIDGE, "").Fits("80:00:00:1B:2C:3D:4E:5F"),
            Label(IDC_STATIC, "Desig Port:"), Label(IDC_DESIG_PORT, "").Chars(6),
            Label(IDC_STATIC, "Forward:"), Label(IDC_FORWARD, "").Chars(10),
        }),
        Row({Label(IDC_STATIC, "Enable:").Hidden(), Edit(IDC_PRIORITY_NUMBER, ES_NUMBER).Hidden()}),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDOK, "&OK"), Button(IDCANCEL, "&Cancel"),
             Button(IDC_REFRESH, "&Refresh")}),
    }))
// clang-format on
}  // namespace span_tree_port_ids

namespace span_tree_bridge_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Bridge Config", kDialogStyle,
    Column({
        Grid(4, {
            Label(IDC_STATIC, "RSTP Status:"), Check(IDC_ENABLE_RSTP, "Enable RSTP"),
            Label(IDC_STATIC, "STP Version:"), Combo(IDC_VERSION).Fits("STP Compatible"),
            Label(IDC_STATIC, "Age Time(600-4000):"), Edit(IDC_MAX_AGE, ES_NUMBER).Chars(5),
            Label(IDC_STATIC, "Priority:"), Combo(IDC_PRIORITY, CBS_DROPDOWN).Chars(6),
            Label(IDC_STATIC, "Delay(400-3000):"), Edit(IDC_FORWARD_DELAY, ES_NUMBER).Chars(5),
            Label(IDC_STATIC, "Hello Time(100-1000):"), Edit(IDC_HELLO, ES_NUMBER).Chars(5),
            Label(IDC_STATIC, "TopoChangeTime:"), Label(IDC_TOPO_CHANGE_TIME, "").Chars(10),
            Label(IDC_STATIC, "TopoChanged:"), Label(IDC_TOPO_CHANGED, "").Chars(10),
            Label(IDC_STATIC, "Forward Delay:"), Label(IDC_FORWARD_DELAY_IN_USE, "").Chars(6),
            Label(IDC_STATIC, "Hello Time:"), Label(IDC_HELLO_IN_USE, "").Chars(6),
            Label(IDC_STATIC, "Hold Time:"), Label(IDC_HOLD_TIME, "").Chars(6),
            Label(IDC_STATIC, "RootPort:"), Label(IDC_ROOT_PORT, "").Chars(6),
        }),
        Row({Label(IDC_STATIC, "Designated Root:"), Label(IDC_DESIGNATED_ROOT, "").Fits("80:00:00:1B:2C:3D:4E:5F"), Stretch()}),
        Row({Label(IDC_STATIC, "(Time Unit: 1/100 Second)"), Edit(IDC_PRIORITY_NUMBER, ES_NUMBER).Hidden(), Stretch()}),
        Row({Button(IDC_PORT_SETTING, "Port Setting"), Stretch(), Button(IDC_REFRESH, "&Refresh"),
             Button(IDOK, "&Apply"), DefButton(IDCANCEL, "Close")}),
    }))
// clang-format on
}  // namespace span_tree_bridge_ids

namespace private_stp_bridge_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, " STP Configuration ", kDialogStyle,
    Column({
        Grid(4, {
            Label(IDC_STATIC, "STP State:"), Check(IDC_STATE, "Spanning Tree Protocol"),
            Label(IDC_STATIC, "STP Version:"), Combo(IDC_VERSION).Fits("RSTP"),
            Label(IDC_STATIC, "Bridge Priority:"), Combo(IDC_PRIORITY, CBS_DROPDOWN).Chars(6),
            Label(IDC_STATIC, "Tx Hold Count(1-10):"), Edit(IDC_TX_HOLD, ES_NUMBER).Chars(3),
            Label(IDC_STATIC, "Maximum Age(6-40):"), Edit(IDC_MAX_AGE, ES_NUMBER).Chars(4),
            Label(IDC_STATIC, "Forward Delay(4-30):"), Edit(IDC_FORWARD_DELAY, ES_NUMBER).Chars(4),
            Label(IDC_STATIC, "Hello Time(1-10):"), Edit(IDC_HELLO, ES_NUMBER).Chars(4),
            Label(IDC_STATIC, "Root Cost :"), Label(IDC_ROOT_COST, "").Chars(10),
            Label(IDC_STATIC, "Root Maximum Age:"), Label(IDC_ROOT_MAX_AGE, "").Chars(6),
            Label(IDC_STATIC, "Root Forward Delay:"), Label(IDC_ROOT_FORWARD_DELAY, "").Chars(6),
            Label(IDC_STATIC, "RootPort:"), Label(IDC_ROOT_PORT, "").Chars(6),
        }),
        Row({Label(IDC_STATIC, "Root Bridge :"), Label(IDC_ROOT_BRIDGE, "").Fits("80:00:00:1B:2C:3D:4E:5F"), Stretch()}),
        Row({Label(655, "(Time Unit: Second)"), Stretch()}),
        Row({Button(IDC_PORT_SETTING, "Port Setting"), Stretch(), Button(IDC_REFRESH, "&Refresh"),
             Button(IDOK, "&Apply"), DefButton(IDCANCEL, "Close")}),
    }))
// clang-format on
}  // namespace private_stp_bridge_ids

namespace private_stp_table_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Spanning Tree Table", kDialogStyle,
    Column({
        List(IDC_PORT_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(900, 320),
        Row({
            Label(IDC_STATIC, "Entries:"), Label(IDC_ENTRIES, "0").Chars(4), Stretch(),
            Button(IDC_BRIDGE_CONFIG, "&Bridge Config").Hidden(),
            Button(IDC_PORT_CONFIG, "&Port Config"), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close"),
        }),
    }))
// clang-format on
}  // namespace private_stp_table_ids

namespace private_stp_port_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Port STP Configuration", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "Port"), Label(IDC_PORT, "").Chars(4), Stretch(),
             Button(IDC_PREV, "<= Prev Port"), Button(IDC_NEXT, "Next Port =>")}),
        Grid(2, {
            Label(IDC_STATIC, "Enable:"), Check(IDC_ENABLE, ""),
            Label(IDC_STATIC, "Cost:(1-200000000,\n0=auto)").Size(130, 32), Edit(IDC_COST, ES_NUMBER).Width(100),
            Label(IDC_STATIC, "Priority:"), Combo(IDC_PRIORITY, CBS_DROPDOWN).Width(100),
            Label(IDC_STATIC, "Migrate"), Combo(IDC_MIGRATE).Fits("Disabled"),
            Label(IDC_STATIC, "P2P"), Combo(IDC_P2P).Fits("Force False"),
            Label(IDC_STATIC, "Edge"), Combo(IDC_EDGE).Fits("False"),
            Label(IDC_STATIC, "Restricted Role"), Combo(IDC_RESTRICTED_ROLE).Fits("False"),
            Label(IDC_STATIC, "Restricted TCN"), Combo(IDC_RESTRICTED_TCN).Fits("False"),
        }),
        Row({Stretch(), DefButton(IDOK, "OK"), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "Close")}),
    }))
// clang-format on
}  // namespace private_stp_port_ids
