#pragma once
// Control ids of the port mirroring dialog (MirrorDialogs.cpp), for the template, the dialog
// of features/ports and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"

// "PortMirroringConfiguration" (CPortMirroringdlg).
namespace port_mirroring_ids {
constexpr UINT IDD = 229;
constexpr ui::ControlId<CButton> IDC_STATE_GROUP{1138};
constexpr ui::ControlId<CButton> IDC_ENABLED{1242};
constexpr ui::ControlId<CButton> IDC_DISABLED{1233};
constexpr ui::ControlId<CComboBox> IDC_TARGET_PORT{1250};
constexpr ui::ControlId<CButton> IDC_PORT_GROUP{1137};
constexpr ui::ControlId<CStatic> IDC_SOURCE_LABEL{1251};
constexpr ui::ControlId<CStatic> IDC_MODE_LABEL{1252};
constexpr ui::ControlId<CStatic> IDC_SELECT_ALL_LABEL{1253};
constexpr ui::ControlId<CStatic> IDC_TX_LABEL{1254};
constexpr ui::ControlId<CStatic> IDC_RX_LABEL{1255};
constexpr ui::ControlId<CStatic> IDC_BOTH_LABEL{1256};
constexpr ui::ControlId<CStatic> IDC_NONE_LABEL{1257};
constexpr ui::ControlId<CButton> IDC_TX_ALL{1258};
constexpr ui::ControlId<CButton> IDC_RX_ALL{1259};
constexpr ui::ControlId<CButton> IDC_BOTH_ALL{1260};
constexpr ui::ControlId<CButton> IDC_NONE_ALL{1261};
constexpr ui::ControlId<CStatic> IDC_HIDDEN_TX_LABEL{1262};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};

// Made at run time, for port p: its number label, and its box in each mode's row.
constexpr int IDC_PORT_LABEL_BASE = 5999;  // + p
constexpr int IDC_TX_BASE = 8000;
constexpr int IDC_RX_BASE = 8100;
constexpr int IDC_BOTH_BASE = 8200;
constexpr int IDC_NONE_BASE = 8300;
constexpr int kMaxMirrorPorts = 52;
}  // namespace port_mirroring_ids
