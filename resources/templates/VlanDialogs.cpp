// 802.1Q VLAN list (447), VLAN add and edit (172), PVIDs (173) and the management VLAN (223).
#include "platform/ui/Template.h"
#include "resources/templates/VlanDialogsIds.h"

using namespace vlanids;

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

// clang-format off
UI_DIALOG_TEMPLATE(IDD_VLAN_SET, "802.1Q VLAN Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "802.1Q Asymmetric VLAN Configuration ", {
            Row({Check(IDC_ASYMMETRIC, "Enable Asymmetric VLAN"), Stretch(), Button(IDC_ASYMMETRIC_APPLY, "&Apply")}),
        }),
        Group(IDC_STATIC, "802.1Q VLAN Information", {
            List(IDC_VLAN_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(760, 300),
            Row({
                Button(IDC_PVID, "&PVID"), Stretch(), Button(IDC_ADD, "&Add"), Button(IDC_EDIT, "&Edit"),
                Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh"), DefButton(IDOK, "&Close"),
            }),
        }),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_VLAN_ADD, "Add VLAN", kDialogStyle,
    Column({
        Group(IDC_NAME_GROUP, "802.1Q VLAN Name and ID", {
            Row({
                Label(IDC_STATIC, "VID:"), Edit(IDC_VID, ES_NUMBER).Width(60),
                Label(IDC_STATIC, "VLAN Name:"), Edit(IDC_VLAN_NAME).Width(180), Stretch(),
            }),
        }),
        // The rows of per-port boxes are made at run time beside these captions.
        Group(IDC_MEMBER_GROUP, "VLAN Port Member", {
            Label(IDC_TAGGED_CAPTION, "Tagged:").Size(70, 20),
            Label(IDC_UNTAGGED_CAPTION, "Untagged:").Size(70, 20),
            Label(IDC_NOT_MEMBER_CAPTION, "Not Member:").Size(70, 20),
            Label(IDC_FORBIDDEN_CAPTION, "Forbidden:").Size(70, 20).Hidden(),
            Stretch(),
        }).Size(540, 170),
        Row({Stretch(), DefButton(IDOK, "OK"), Button(IDCANCEL, "Cancel")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_PVID, "PVID Configuration", kDialogStyle,
    Column({
        // The per-port labels and edits are made at run time inside the group.
        Group(IDC_PVID_GROUP, "PVID Configuration", {Label(IDC_STATIC, "Port VID:"), Stretch()}).Size(560, 150),
        Row({Stretch(), Button(IDC_PVID_REFRESH, "&Refresh"), DefButton(IDOK, "Apply"), Button(IDCANCEL, "Cancel")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_MANAGEMENT_VLAN, "IEEE 802.1Q Management VLAN Configuration", kDialogStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "Management VLAN"),
            Row({Radio(IDC_MANAGEMENT_ENABLE, "Enable", true), Radio(IDC_MANAGEMENT_DISABLE, "Disable", false)}),
            Label(IDC_STATIC, "VLAN  ID"), Combo(IDC_MANAGEMENT_VID, CBS_DROPDOWNLIST).Width(120),
            Label(IDC_STATIC, "VLAN Name"), Edit(IDC_MANAGEMENT_NAME, ES_READONLY).Width(160),
        }),
        Row({Stretch(), Button(IDC_MANAGEMENT_REFRESH, "&Refresh"), DefButton(IDOK, "&Apply")}),
    }))
// clang-format on
