// The main dialog's menu (menu 131 on dialog 102).
#include "platform/ui/Menu.h"

UI_MENU_TEMPLATE(131,
    Popup("Device Manager   ", {
        Popup("System", {
            Item("Port Configuration", 32774),
            Item("Port Description", 32871),
            Item("Syslog Host Configuration", 32832),
            Item("Time Profile Settings", 32855),
            Item("Power Saving Settings", 32856),
        }),
        Popup("VLAN", {
            Item("VLAN Configuration", 32834),
            Item("802.1Q Management VLAN", 32867),
            Item("Auto Surveillance VLAN Setting ", 32828),
        }),
        Popup("L2 Function", {
            Item("Jumbo Frame Configuration", 32817),
            Item("Port Mirroring Settings", 32854),
            Item("&Loopback Detection ", 32873),
            Item("Static MAC", 32874),
            Item("Spanning Tree", 32813),
            Item("Trunk Configuration", 32818),
            Item("IGMP Snooping Configuration", 32837),
            Item("Multicast Filtering Mode configuration", 32830),
            Popup("LLDP", {
                Item("&LLDP Global Setting", 32825),
                Item("&LLDP Remote Port Information", 32826),
            }),
        }),
        Popup("Qos", {
            Item("Bandwidth Control", 32850),
        }),
        Popup("RMON", {
            Item("&RMON Global Setting", 32880),
            Item("&RMON Ethernet Statistics ", 32881),
            Item("&RMON History Control ", 32882),
            Item("&RMON Alarm Settings ", 32883),
            Item("&RMON Event ", 32884),
        }),
        Popup("Security", {
            Item("ARP Spoofing Prevention Setting", 32833),
            Item("DHCP Server Screening Port Configuration", 32829),
            Item("Traffic Segmentation Settings", 32851),
            Item("Storm Control Settings", 32853),
            Popup("Smart Binding ", {
                Item("Smart Binding Settings ", 32863),
                Item("Smart Binding", 32864),
                Item("White List ", 32865),
                Item("Black List ", 32866),
            }),
        }),
        Popup("AAA", {
            Item("802.1X Global Settings", 32890),
            Item("802.1X  Settings ", 32889),
            Item("802.1X User", 32885),
            Item("802.1X Authentication RADIUS", 32886),
        }),
        Popup("SNMP", {
            Item("SNMP Global State", 32839),
            Item("SNMP User Table", 32841),
            Item("SNMP Group Table", 32842),
            Item("SNMP View Table", 32843),
            Item("SNMP Community Table", 32844),
            Item("SNMP Host Table", 32840),
            Item("SNMP Engine ID", 32845),
            Item("SNMP Trap Configuration", 32846),
        }),
        Popup("PoE", {
            Item("PoE Global Settings", 32860),
            Item("PoE Port Settings ", 32852),
        }),
    }),
    Popup("Public MIB   ", {
        Item("System Information", 32805),
        Item("Interface Table", 32809),
        Item("IP Table", 32808),
        Item("Forwarding Table", 32810),
        Item("TCP Service", 32811),
        Item("UDP Service", 32812),
    }),
    Popup("Tools   ", {
        Item("Firmware and Configuration Upgrade/Backup", 32823),
        Item("Save Configuration", 32815),
        Item("Reboot", 32797),
        Item("Telnet", 32788),
        Item("Web", 32789),
    }),
    Popup("About   ", {
        Item("About DUZ-3300-48", 57664),
    }))

UI_DIALOG_MENU(102, 131)
