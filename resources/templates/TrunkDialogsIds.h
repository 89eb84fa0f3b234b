#pragma once
// Control ids of the trunk dialogs (TrunkDialogs.cpp), for the templates, the dialogs of
// features/vlan and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Trunk Configuration" (CTrunkConfigDlg): the link aggregation state, the trunk list and
// one trunk's mode.
namespace trunk_config_ids {
constexpr UINT IDD = 487;
constexpr ui::ControlId<CEdit> IDC_TRUNK_ID{215};
constexpr ui::ControlId<CComboBox> IDC_MODE{1018};
constexpr ui::ControlId<CListCtrl> IDC_TRUNK_LIST{201};
constexpr ui::ControlId<CButton> IDC_ENABLE_TRUNK{1008};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
constexpr ui::ControlId<CButton> IDC_APPLY_MODE{242};
constexpr ui::ControlId<CButton> IDC_PORT_MEMBER{1000};
constexpr ui::ControlId<CButton> IDC_APPLY_STATE{1046};
}  // namespace trunk_config_ids

// "Trunk member" (CKRVTrunkPort): one check box per port, made at run time, port p's box
// IDC_PORT_CHECK_BASE + p - 1 and its label IDC_PORT_LABEL_BASE + p - 1.
namespace trunk_member_ids {
constexpr UINT IDD = 171;
constexpr ui::ControlId<CEdit> IDC_TRUNK_ID{1003};
constexpr ui::ControlId<CEdit> IDC_MODE{1004};
constexpr ui::ControlId<CButton> IDC_TRUNK_GROUP{1050};
constexpr ui::ControlId<CStatic> IDC_MODE_LABEL{1051};
constexpr ui::ControlId<CButton> IDC_MEMBER_GROUP{1052};
constexpr int IDC_PORT_CHECK_BASE = 2001;
constexpr int IDC_PORT_LABEL_BASE = 2501;
constexpr int kMaxPorts = 52;  // the id ranges leave room for this many ports
}  // namespace trunk_member_ids
