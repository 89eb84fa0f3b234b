#pragma once
// Control ids of the RMON 1 statistics dialogs and the RMON control settings
// (Rmon1Dialogs.cpp), for the templates, the dialogs of features/information and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "RMON 1 Statistic Info" (CStatisticRmon1).
namespace rmon1_statistic_ids {
constexpr UINT IDD = 54;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1009};
constexpr ui::ControlId<CStatic> IDC_NUMBER{301};
constexpr ui::ControlId<CButton> IDC_ADD{1090};
constexpr ui::ControlId<CButton> IDC_DELETE{5};
constexpr ui::ControlId<CButton> IDC_REFRESH{3};
constexpr ui::ControlId<CButton> IDC_OPEN_PARAMETER{514};
constexpr ui::ControlId<CButton> IDC_OPEN_INTERFACE{515};
}  // namespace rmon1_statistic_ids

// "RMON 1 Control" (CRmon1Entry).
namespace rmon1_entry_ids {
constexpr UINT IDD = 64;
constexpr ui::ControlId<CEdit> IDC_INDEX{900};
constexpr ui::ControlId<CEdit> IDC_INTERFACE{901};
constexpr ui::ControlId<CEdit> IDC_OWNER{902};
}  // namespace rmon1_entry_ids

// "RMON 1 Group Parameter" (CStatisticRmonCnt): 24 items, item k (1 to 24) the label
// IDC_ITEM_LABEL + k and the value IDC_ITEM_VALUE + k.
namespace rmon1_counter_ids {
constexpr UINT IDD = 55;
constexpr ui::ControlId<CComboBox> IDC_PARAMETER{2005};
constexpr ui::ControlId<CButton> IDC_PREV{1183};
constexpr ui::ControlId<CButton> IDC_NEXT{5015};
constexpr ui::ControlId<CButton> IDC_REFRESH{1002};
constexpr int kItems = 24;
constexpr int IDC_ITEM_LABEL = 1148;
constexpr int IDC_ITEM_VALUE = 100;
}  // namespace rmon1_counter_ids

// "RMON 1 Interface" (CStatisticRmonInf): 17 rows of a combo box, a label, a value and a
// hidden chart check box.
namespace rmon1_interface_ids {
constexpr UINT IDD = 56;
constexpr int kRows = 17;
constexpr int IDC_ROW_COMBO[kRows] = {1007, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092,
                                      1093, 1094, 1095, 1096, 1097, 1098, 1099, 1100};
constexpr int IDC_ROW_CHART[kRows] = {1170, 1171, 1169, 1172, 1173, 1174, 1158, 1159, 1160,
                                      1161, 1162, 1163, 1164, 1165, 1166, 1167, 1168};
constexpr int IDC_ROW_LABEL = 1290;  // row r (1 to 17): IDC_ROW_LABEL + r
constexpr int IDC_ROW_VALUE = 100;   // row r: IDC_ROW_VALUE + r
constexpr ui::ControlId<CComboBox> IDC_FIRST_ROW{1007};
constexpr ui::ControlId<CButton> IDC_REFRESH{1126};
}  // namespace rmon1_interface_ids

// "RMON Control" (CRmonControlDlg).
namespace rmon_control_ids {
constexpr UINT IDD = 485;
constexpr ui::ControlId<CEdit> IDC_QUOTA_BUCKET{1310};
constexpr ui::ControlId<CEdit> IDC_CONTROL_QUOTA_BUCKET{1312};
constexpr ui::ControlId<CEdit> IDC_MAX_GLOBAL_BUCKETS{1313};
constexpr ui::ControlId<CEdit> IDC_MAX_ENTRIES{1314};
constexpr ui::ControlId<CStatic> IDC_MIB_VERSION{1304};
constexpr ui::ControlId<CStatic> IDC_GLOBAL_BUCKETS{1303};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_APPLY{1145};
constexpr ui::ControlId<CButton> IDC_CLOSE{1146};
}  // namespace rmon_control_ids
