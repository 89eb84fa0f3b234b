#pragma once
// The main window's menu commands (menu 131), named once: the menu resource, the command
// table the feature areas register in, the main window's own handlers and the tests use these.
#include "platform/ui/Types.h"

// Device Manager > System
constexpr UINT ID_PORT_CONFIGURATION = 32774;
constexpr UINT ID_PORT_DESCRIPTION = 32871;
constexpr UINT ID_SYSLOG_HOST = 32832;
constexpr UINT ID_TIME_PROFILE = 32855;
constexpr UINT ID_POWER_SAVING = 32856;
// Device Manager > VLAN
constexpr UINT ID_VLAN_CONFIGURATION = 32834;
constexpr UINT ID_MANAGEMENT_VLAN = 32867;
constexpr UINT ID_SURVEILLANCE_VLAN = 32828;
// Device Manager > L2 Function
constexpr UINT ID_JUMBO_FRAME = 32817;
constexpr UINT ID_PORT_MIRRORING = 32854;
constexpr UINT ID_LOOPBACK_DETECTION = 32873;
constexpr UINT ID_STATIC_MAC = 32874;
constexpr UINT ID_SPANNING_TREE = 32813;
constexpr UINT ID_TRUNK_CONFIGURATION = 32818;
constexpr UINT ID_IGMP_SNOOPING = 32837;
constexpr UINT ID_MULTICAST_FILTERING = 32830;
constexpr UINT ID_LLDP_GLOBAL = 32825;
constexpr UINT ID_LLDP_REMOTE_PORT = 32826;
// Device Manager > Qos
constexpr UINT ID_BANDWIDTH_CONTROL = 32850;
// Device Manager > RMON
constexpr UINT ID_RMON_GLOBAL = 32880;
constexpr UINT ID_RMON_STATISTICS = 32881;
constexpr UINT ID_RMON_HISTORY = 32882;
constexpr UINT ID_RMON_ALARM = 32883;
constexpr UINT ID_RMON_EVENT = 32884;
// Device Manager > Security
constexpr UINT ID_ARP_SPOOFING = 32833;
constexpr UINT ID_DHCP_SCREENING = 32829;
constexpr UINT ID_TRAFFIC_SEGMENTATION = 32851;
constexpr UINT ID_STORM_CONTROL = 32853;
constexpr UINT ID_SMART_BINDING_SETTINGS = 32863;
constexpr UINT ID_SMART_BINDING = 32864;
constexpr UINT ID_WHITE_LIST = 32865;
constexpr UINT ID_BLACK_LIST = 32866;
// Device Manager > AAA
constexpr UINT ID_DOT1X_GLOBAL = 32890;
constexpr UINT ID_DOT1X_SETTINGS = 32889;
constexpr UINT ID_DOT1X_USER = 32885;
constexpr UINT ID_DOT1X_RADIUS = 32886;
// Device Manager > SNMP
constexpr UINT ID_SNMP_GLOBAL = 32839;
constexpr UINT ID_SNMP_USER_TABLE = 32841;
constexpr UINT ID_SNMP_GROUP_TABLE = 32842;
constexpr UINT ID_SNMP_VIEW_TABLE = 32843;
constexpr UINT ID_SNMP_COMMUNITY_TABLE = 32844;
constexpr UINT ID_SNMP_HOST_TABLE = 32840;
constexpr UINT ID_SNMP_ENGINE_ID = 32845;
constexpr UINT ID_SNMP_TRAP = 32846;
// Device Manager > PoE
constexpr UINT ID_POE_GLOBAL = 32860;
constexpr UINT ID_POE_PORT = 32852;
// Public MIB
constexpr UINT ID_SYSTEM_INFORMATION = 32805;
constexpr UINT ID_INTERFACE_TABLE = 32809;
constexpr UINT ID_IP_TABLE = 32808;
constexpr UINT ID_FORWARDING_TABLE = 32810;
constexpr UINT ID_TCP_SERVICE = 32811;
constexpr UINT ID_UDP_SERVICE = 32812;
// No menu item: the main dialog runs it when it receives the command.
constexpr UINT ID_DEVICE_CONFIGURE = 32775;
// Tools
constexpr UINT ID_FIRMWARE_UPGRADE = 32823;
constexpr UINT ID_SAVE_CONFIGURATION = 32815;
constexpr UINT ID_REBOOT = 32797;
constexpr UINT ID_TELNET = 32788;
constexpr UINT ID_WEB = 32789;
// Commands the main window runs that no menu item carries
constexpr UINT ID_DOT1X_PORT_CONFIG = 32792;
constexpr UINT ID_POE_TIME_RANGES = 32819;
constexpr UINT ID_LLDP_MED = 32827;
// About
constexpr UINT ID_APP_ABOUT = 57664;

// The menu commands lie in this range, About aside.
constexpr UINT ID_FIRST_MENU_COMMAND = 32774;
constexpr UINT ID_LAST_MENU_COMMAND = 32890;
