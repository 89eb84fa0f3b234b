#pragma once
// Control ids of the VLAN dialogs (VlanDialogs.cpp), for the templates, the dialogs of
// features/vlan and their tests.

namespace vlanids {

// 802.1Q VLAN list and asymmetric mode (template 447).
constexpr int IDD_VLAN_SET = 447;
constexpr int IDC_VLAN_LIST = 1341;
constexpr int IDC_ASYMMETRIC = 1008;
constexpr int IDC_ASYMMETRIC_APPLY = 1047;
constexpr int IDC_PVID = 1339;
constexpr int IDC_ADD = 1335;
constexpr int IDC_EDIT = 1336;
constexpr int IDC_DELETE = 1337;
constexpr int IDC_REFRESH = 1338;

// VLAN add and edit (template 172). Per-port controls of port n are made at run time with
// the id base + n.
constexpr int IDD_VLAN_ADD = 172;
constexpr int IDC_VID = 1054;
constexpr int IDC_VLAN_NAME = 1053;
constexpr int IDC_NAME_GROUP = 1059;
constexpr int IDC_MEMBER_GROUP = 1055;
constexpr int IDC_TAGGED_CAPTION = 1110;
constexpr int IDC_UNTAGGED_CAPTION = 1056;
constexpr int IDC_NOT_MEMBER_CAPTION = 1057;
constexpr int IDC_FORBIDDEN_CAPTION = 1127;
constexpr int IDC_PORT_LABEL_BASE = 4500;
constexpr int IDC_TAGGED_BASE = 3500;
constexpr int IDC_UNTAGGED_BASE = 3000;
constexpr int IDC_NOT_MEMBER_BASE = 4000;
constexpr int IDC_FORBIDDEN_BASE = 4800;
constexpr int kMaxVlanPorts = 52;  // the id ranges leave room for this many ports

// PVID configuration (template 173). Per port n a label IDC_PORT_LABEL_BASE + n and an edit
// IDC_PVID_EDIT_BASE + n are made at run time.
constexpr int IDD_PVID = 173;
constexpr int IDC_PVID_GROUP = 1058;
constexpr int IDC_PVID_REFRESH = 1044;
constexpr int IDC_PVID_EDIT_BASE = 5000;

// Management VLAN (template 223).
constexpr int IDD_MANAGEMENT_VLAN = 223;
constexpr int IDC_MANAGEMENT_ENABLE = 1161;
constexpr int IDC_MANAGEMENT_DISABLE = 1162;
constexpr int IDC_MANAGEMENT_VID = 1192;
constexpr int IDC_MANAGEMENT_NAME = 12120;
constexpr int IDC_MANAGEMENT_REFRESH = 1044;

}  // namespace vlanids
