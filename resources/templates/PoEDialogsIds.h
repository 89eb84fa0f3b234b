#pragma once
// Control ids of the PoE dialogs: the port settings (3106) and the system settings (3107).
// Included by the templates, the dialogs and their tests.
namespace poeids {
// "PoE Configuration"
constexpr int IDD_POE_CONFIG = 3106;
constexpr int IDC_POE_PORT_LIST = 1001;
constexpr int IDC_POE_FROM_PORT = 1002;
constexpr int IDC_POE_TO_PORT = 1003;
constexpr int IDC_POE_STATE = 1004;
constexpr int IDC_POE_PRIORITY = 1005;
constexpr int IDC_POE_TIME_RANGE = 1006;
constexpr int IDC_POE_POWER_LIMIT = 1007;
constexpr int IDC_POE_USER_DEFINE = 1008;
constexpr int IDC_POE_WATTS = 1009;
constexpr int IDC_POE_REFRESH = 1010;
constexpr int IDC_POE_APPLY = 1011;

// "PoE Global Settings"
constexpr int IDD_POE_GLOBAL = 3107;
constexpr int IDC_POE_THRESHOLD = 1101;
constexpr int IDC_POE_SEQUENCE = 1102;
constexpr int IDC_POE_GLOBAL_APPLY = 1103;
constexpr int IDC_POE_BUDGET = 1104;
constexpr int IDC_POE_USED = 1105;
constexpr int IDC_POE_LEFT = 1106;
constexpr int IDC_POE_SUPPLIED = 1107;
}  // namespace poeids
