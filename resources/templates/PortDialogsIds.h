#pragma once
// Control ids of the port dialogs (PortDialogs.cpp), for the templates, the dialogs of
// features/ports and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Port Configuration" (CPortSetInfo).
namespace port_config_ids {
constexpr UINT IDD = 201;
constexpr ui::ControlId<CButton> IDC_INFO_GROUP{83};
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{201};
constexpr ui::ControlId<CButton> IDC_CONFIG_GROUP{60535};
constexpr ui::ControlId<CStatic> IDC_PORT_ID_LABEL{1023};
constexpr ui::ControlId<CEdit> IDC_PORT_ID{216};
constexpr ui::ControlId<CStatic> IDC_SPEED_LABEL{560};
constexpr ui::ControlId<CComboBox> IDC_SPEED{209};
constexpr ui::ControlId<CStatic> IDC_MDIX_LABEL{698};
constexpr ui::ControlId<CComboBox> IDC_MDIX{1349};
constexpr ui::ControlId<CStatic> IDC_FLOW_CONTROL_LABEL{1019};
constexpr ui::ControlId<CComboBox> IDC_FLOW_CONTROL{210};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
constexpr ui::ControlId<CButton> IDC_APPLY{242};
}  // namespace port_config_ids

// "Port Description" (CPortDescription).
namespace port_description_ids {
constexpr UINT IDD = 263;
constexpr ui::ControlId<CButton> IDC_LIST_GROUP{1254};
constexpr ui::ControlId<CListCtrl> IDC_DESCRIPTION_LIST{798};
constexpr ui::ControlId<CButton> IDC_CONFIG_GROUP{1255};
constexpr ui::ControlId<CStatic> IDC_FROM_PORT_LABEL{1256};
constexpr ui::ControlId<CStatic> IDC_TO_PORT_LABEL{1257};
constexpr ui::ControlId<CStatic> IDC_DESCRIPTION_LABEL{1259};
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{458};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{6125};
constexpr ui::ControlId<CEdit> IDC_DESCRIPTION{497};
constexpr ui::ControlId<CButton> IDC_REFRESH{958};
constexpr ui::ControlId<CButton> IDC_APPLY{515};
constexpr ui::ControlId<CButton> IDC_CLOSE{325};
}  // namespace port_description_ids

// "Jumbo Frame Configuration" (CJumboFrameconfigdlg).
namespace jumbo_frame_ids {
constexpr UINT IDD = 174;
constexpr ui::ControlId<CButton> IDC_GROUP{1063};
constexpr ui::ControlId<CButton> IDC_ENABLE_JUMBO{1062};
}  // namespace jumbo_frame_ids
