#pragma once
// Control ids of the loopback detection dialog (LoopbackDialogs.cpp), for the template, the
// dialog of features/stp and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Loopback Detection Settings" (CLoopbackDetection).
namespace loopback_ids {
constexpr UINT IDD = 291;
constexpr ui::ControlId<CButton> IDC_ENABLED{2901};
constexpr ui::ControlId<CButton> IDC_DISABLED{2902};
constexpr ui::ControlId<CComboBox> IDC_MODE{2903};
constexpr ui::ControlId<CEdit> IDC_VLAN_LIST{2904};
constexpr ui::ControlId<CEdit> IDC_INTERVAL{2905};
constexpr ui::ControlId<CEdit> IDC_RECOVER_TIME{2906};
constexpr ui::ControlId<CButton> IDC_APPLY_GLOBAL{2907};
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{2908};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{2909};
constexpr ui::ControlId<CComboBox> IDC_PORT_STATE{2910};
constexpr ui::ControlId<CButton> IDC_APPLY_PORTS{2911};
constexpr ui::ControlId<CButton> IDC_REFRESH{2912};
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{2913};
}  // namespace loopback_ids
