#pragma once
// Control ids of the ARP spoofing prevention dialogs (ARPSpoofDialogs.cpp). Included by the
// templates, the dialogs of features/security and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "ARP Spoofing Prevention Setting" (CARPSpoofSetting): the gateway list.
namespace arp_spoof_ids {
constexpr UINT IDD = 196;
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_DELETE{1003};
constexpr ui::ControlId<CButton> IDC_ADD{1001};
constexpr ui::ControlId<CEdit> IDC_TOTAL{1144};
constexpr ui::ControlId<CListCtrl> IDC_GATEWAY_LIST{1133};
constexpr ui::ControlId<CButton> IDC_CLOSE{1200};
}  // namespace arp_spoof_ids

// "ARP Spoofing Prevention Settings" (CAddARPEntry): one new gateway. Port p's box is
// 6000 + p, its label 7500 + p.
namespace arp_entry_ids {
constexpr UINT IDD = 197;
constexpr ui::ControlId<CButton> IDC_GROUP{1130};
constexpr ui::ControlId<CStatic> IDC_IP_LABEL{1136};
constexpr ui::ControlId<CIPAddressCtrl> IDC_IP{1012};
constexpr ui::ControlId<CStatic> IDC_MAC_LABEL{1137};
constexpr ui::ControlId<CEdit> IDC_MAC{1139};
constexpr ui::ControlId<CStatic> IDC_PORTS_LABEL{1138};
constexpr ui::ControlId<CButton> IDC_ALL_PORTS{1141};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_CANCEL{1025};
constexpr int IDC_PORT_BOX_BASE = 6000;
constexpr int IDC_PORT_LABEL_BASE = 7500;
constexpr int kMaxPorts = 52;
}  // namespace arp_entry_ids
