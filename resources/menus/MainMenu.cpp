// The main dialog's menu (menu 131 on dialog 102).
#include "platform/ui/Menu.h"
#include "resources/menus/CommandIds.h"

// clang-format off
UI_MENU_TEMPLATE(131,
    Popup("Device Manager   ", {
        Popup("System", {
            Item("Port Configuration", ID_PORT_CONFIGURATION),
            Item("Port Description", ID_PORT_DESCRIPTION),
            Item("Syslog Host Configuration", ID_SYSLOG_HOST),
            Item("Time Profile Settings", ID_TIME_PROFILE),
            Item("Power Saving Settings", ID_POWER_SAVING),
        }),
        Popup("VLAN", {
            Item("VLAN Configuration", ID_VLAN_CONFIGURATION),
            Item("802.1Q Management VLAN", ID_MANAGEMENT_VLAN),
            Item("Auto Surveillance VLAN Setting ", ID_SURVEILLANCE_VLAN),
        }),
        Popup("L2 Function", {
            Item("Jumbo Frame Configuration", ID_JUMBO_FRAME),
            Item("Port Mirroring Settings", ID_PORT_MIRRORING),
            Item("&Loopback Detection ", ID_LOOPBACK_DETECTION),
            Item("Static MAC", ID_STATIC_MAC),
            Item("Spanning Tree", ID_SPANNING_TREE),
            Item("Trunk Configuration", ID_TRUNK_CONFIGURATION),
            Item("IGMP Snooping Configuration", ID_IGMP_SNOOPING),
            Item("Multicast Filtering Mode configuration", ID_MULTICAST_FILTERING),
            Popup("LLDP", {
                Item("&LLDP Global Setting", ID_LLDP_GLOBAL),
                Item("&LLDP Remote Port Information", ID_LLDP_REMOTE_PORT),
            }),
        }),
        Popup("Qos", {
            Item("Bandwidth Control", ID_BANDWIDTH_CONTROL),
        }),
        Popup("RMON", {
            Item("&RMON Global Setting", ID_RMON_GLOBAL),
            Item("&RMON Ethernet Statistics ", ID_RMON_STATISTICS),
            Item("&RMON History Control ", ID_RMON_HISTORY),
            Item("&RMON Alarm Settings ", ID_RMON_ALARM),
            Item("&RMON Event ", ID_RMON_EVENT),
        }),
        Popup("Security", {
            Item("ARP Spoofing Prevention Setting", ID_ARP_SPOOFING),
            Item("DHCP Server Screening Port Configuration", ID_DHCP_SCREENING),
            Item("Traffic Segmentation Settings", ID_TRAFFIC_SEGMENTATION),
            Item("Storm Control Settings", ID_STORM_CONTROL),
            Popup("Smart Binding ", {
                Item("Smart Binding Settings ", ID_SMART_BINDING_SETTINGS),
                Item("Smart Binding", ID_SMART_BINDING),
                Item("White List ", ID_WHITE_LIST),
                Item("Black List ", ID_BLACK_LIST),
            }),
        }),
        Popup("AAA", {
            Item("802.1X Global Settings", ID_DOT1X_GLOBAL),
            Item("802.1X  Settings ", ID_DOT1X_SETTINGS),
            Item("802.1X User", ID_DOT1X_USER),
            Item("802.1X Authentication RADIUS", ID_DOT1X_RADIUS),
        }),
        Popup("SNMP", {
            Item("SNMP Global State", ID_SNMP_GLOBAL),
            Item("SNMP User Table", ID_SNMP_USER_TABLE),
            Item("SNMP Group Table", ID_SNMP_GROUP_TABLE),
            Item("SNMP View Table", ID_SNMP_VIEW_TABLE),
            Item("SNMP Community Table", ID_SNMP_COMMUNITY_TABLE),
            Item("SNMP Host Table", ID_SNMP_HOST_TABLE),
            Item("SNMP Engine ID", ID_SNMP_ENGINE_ID),
            Item("SNMP Trap Configuration", ID_SNMP_TRAP),
        }),
        Popup("PoE", {
            Item("PoE Global Settings", ID_POE_GLOBAL),
            Item("PoE Port Settings ", ID_POE_PORT),
        }),
    }),
    Popup("Public MIB   ", {
        Item("System Information", ID_SYSTEM_INFORMATION),
        Item("Interface Table", ID_INTERFACE_TABLE),
        Item("IP Table", ID_IP_TABLE),
        Item("Forwarding Table", ID_FORWARDING_TABLE),
        Item("TCP Service", ID_TCP_SERVICE),
        Item("UDP Service", ID_UDP_SERVICE),
    }),
    Popup("Tools   ", {
        Item("Firmware and Configuration Upgrade/Backup", ID_FIRMWARE_UPGRADE),
        Item("Save Configuration", ID_SAVE_CONFIGURATION),
        Item("Reboot", ID_REBOOT),
        Item("Telnet", ID_TELNET),
        Item("Web", ID_WEB),
    }),
    Popup("About   ", {
        Item("About DUZ-3300-48", ID_APP_ABOUT),
    }))
// clang-format on

UI_DIALOG_MENU(102, 131)
