#pragma once
// Control ids of the spanning tree dialogs (SpanTreeDialogs.cpp), for the templates, the
// dialogs of features/stp and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Spanning Tree Table" of the standard bridge MIB (CSpanTree).
namespace span_tree_ids {
constexpr UINT IDD = 83;
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{1088};
constexpr ui::ControlId<CStatic> IDC_ENTRIES{301};
constexpr ui::ControlId<CButton> IDC_PORT_CONFIG{101};
constexpr ui::ControlId<CButton> IDC_BRIDGE_CONFIG{102};
constexpr ui::ControlId<CButton> IDC_REFRESH{3};
}  // namespace span_tree_ids

// " Port STP Configuration" of the standard bridge MIB (CSpanTreePortParam).
namespace span_tree_port_ids {
constexpr UINT IDD = 84;
constexpr ui::ControlId<CStatic> IDC_PORT{1075};
constexpr ui::ControlId<CComboBox> IDC_PRIORITY{1007};
constexpr ui::ControlId<CEdit> IDC_PRIORITY_NUMBER{12};
constexpr ui::ControlId<CEdit> IDC_COST{23};
constexpr ui::ControlId<CButton> IDC_ENABLE{1009};
constexpr ui::ControlId<CStatic> IDC_STATUS{1201};
constexpr ui::ControlId<CStatic> IDC_DESIG_ROOT{1202};
constexpr ui::ControlId<CStatic> IDC_DESIG_COST{1203};
constexpr ui::ControlId<CStatic> IDC_DESIG_BRIDGE{1204};
constexpr ui::ControlId<CStatic> IDC_DESIG_PORT{1205};
constexpr ui::ControlId<CStatic> IDC_FORWARD{1206};
constexpr ui::ControlId<CButton> IDC_PREV{1111};
constexpr ui::ControlId<CButton> IDC_NEXT{2222};
constexpr ui::ControlId<CButton> IDC_APPLY{3};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace span_tree_port_ids

// " STP Configuration " of the standard bridge MIB (CSpanTreeBridgeParam).
namespace span_tree_bridge_ids {
constexpr UINT IDD = 85;
constexpr ui::ControlId<CButton> IDC_ENABLE_RSTP{1008};
constexpr ui::ControlId<CComboBox> IDC_VERSION{1085};
constexpr ui::ControlId<CEdit> IDC_MAX_AGE{11};
constexpr ui::ControlId<CComboBox> IDC_PRIORITY{1007};
constexpr ui::ControlId<CEdit> IDC_PRIORITY_NUMBER{12};
constexpr ui::ControlId<CEdit> IDC_FORWARD_DELAY{13};
constexpr ui::ControlId<CEdit> IDC_HELLO{14};
constexpr ui::ControlId<CStatic> IDC_TOPO_CHANGE_TIME{1201};
constexpr ui::ControlId<CStatic> IDC_TOPO_CHANGED{1202};
constexpr ui::ControlId<CStatic> IDC_FORWARD_DELAY_IN_USE{1203};
constexpr ui::ControlId<CStatic> IDC_HELLO_IN_USE{1204};
constexpr ui::ControlId<CStatic> IDC_HOLD_TIME{1205};
constexpr ui::ControlId<CStatic> IDC_ROOT_PORT{1206};
constexpr ui::ControlId<CStatic> IDC_DESIGNATED_ROOT{1207};
constexpr ui::ControlId<CButton> IDC_PORT_SETTING{1048};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace span_tree_bridge_ids

// " STP Configuration " of the private spanning tree (CPrivateSpanTBridge).
namespace private_stp_bridge_ids {
constexpr UINT IDD = 236;
constexpr ui::ControlId<CButton> IDC_STATE{1008};
constexpr ui::ControlId<CComboBox> IDC_VERSION{1085};
constexpr ui::ControlId<CComboBox> IDC_PRIORITY{1007};
constexpr ui::ControlId<CEdit> IDC_TX_HOLD{1321};
constexpr ui::ControlId<CEdit> IDC_MAX_AGE{11};
constexpr ui::ControlId<CEdit> IDC_FORWARD_DELAY{13};
constexpr ui::ControlId<CEdit> IDC_HELLO{14};
constexpr ui::ControlId<CStatic> IDC_ROOT_BRIDGE{1189};
constexpr ui::ControlId<CStatic> IDC_ROOT_COST{1191};
constexpr ui::ControlId<CStatic> IDC_ROOT_MAX_AGE{1190};
constexpr ui::ControlId<CStatic> IDC_ROOT_FORWARD_DELAY{1192};
constexpr ui::ControlId<CStatic> IDC_ROOT_PORT{1195};
constexpr ui::ControlId<CButton> IDC_PORT_SETTING{1048};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace private_stp_bridge_ids

// "Spanning Tree Table" of the private spanning tree (CPrivateSpanTree).
namespace private_stp_table_ids {
constexpr UINT IDD = 238;
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{1088};
constexpr ui::ControlId<CStatic> IDC_ENTRIES{301};
constexpr ui::ControlId<CButton> IDC_PORT_CONFIG{101};
constexpr ui::ControlId<CButton> IDC_BRIDGE_CONFIG{102};
constexpr ui::ControlId<CButton> IDC_REFRESH{1346};
}  // namespace private_stp_table_ids

// " Port STP Configuration" of the private spanning tree (CPrivateSpanTPort).
namespace private_stp_port_ids {
constexpr UINT IDD = 241;
constexpr ui::ControlId<CStatic> IDC_PORT{1075};
constexpr ui::ControlId<CButton> IDC_PREV{1111};
constexpr ui::ControlId<CButton> IDC_NEXT{2222};
constexpr ui::ControlId<CButton> IDC_ENABLE{1009};
constexpr ui::ControlId<CEdit> IDC_COST{23};
constexpr ui::ControlId<CComboBox> IDC_PRIORITY{219};
constexpr ui::ControlId<CComboBox> IDC_MIGRATE{1325};
constexpr ui::ControlId<CComboBox> IDC_P2P{1326};
constexpr ui::ControlId<CComboBox> IDC_EDGE{1328};
constexpr ui::ControlId<CComboBox> IDC_RESTRICTED_ROLE{1329};
constexpr ui::ControlId<CComboBox> IDC_RESTRICTED_TCN{1324};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace private_stp_port_ids
