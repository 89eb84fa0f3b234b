#pragma once
// The 802.1X reads: the port authenticator table, the local users and the RADIUS servers
// (each a walk that reports only at its end), and the global 802.1X state. Secrets read
// (passwords, keys) are dropped: the records hold "*****".
#include <string>
#include <vector>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"

// Sent to the owner window (SendMessage, wParam 0, lParam 0) when a walk has ended, however
// it ended; the records read so far are in the logic's lists.
constexpr UINT WM_8021X_READ_END = WM_APP + 1001;

// One port row of the authenticator table.
struct X8021_statistics_info {
    int nPort = 0;
    std::string strDirection;    // "Both" or "In"
    std::string strBoth;         // always "BOTH"
    std::string strPortControl;  // "Force UnAhthorized", "Auto", "Force Authorized" or ""
    std::string strAuthorized;   // always "Authorized"
    int nTxPeriod = 0;
    int nQuietPeriod = 0;
    int nSuppTimeout = 0;
    int nServerTimeout = 0;
    int nMaxReq = 0;
    int nReAuthPeriod = 0;
    std::string strReAuthentication;  // "Disabled" or "Enabled"
    std::string strCapability;        // "Authenticator", "None" or ""
};

// One local user row. The password read is never kept.
struct X8021_User_Statistics_Info {
    std::string strUserName;
    std::string strPassword;  // always "*****"
    int nRowStatus = 0;
};

// One RADIUS server row. The key read is never kept.
struct X8021_AuRadiusServer_Statistics_info {
    int nIndex = 0;
    int nAddressType = 0;  // 1 IPv4, 2 IPv6
    std::string strAddress;
    std::string strColumn4;  // read, never shown or written
    int nAuthPort = 0;
    int nAcctPort = 0;
    int nTimeout = 0;
    int nRetransmit = 0;
    std::string strKey;  // always "*****"
    int nRowStatus = 0;
};

class C8021XSettingLogic : public CModuleBase {
public:
    static const std::string kGlobalState;
    static const std::string kPortTable;    // + column + .port
    static const std::string kUserTable;    // + column + .name index
    static const std::string kRadiusTable;  // + column + .index

    // Closes the walks before the lists they fill go.
    ~C8021XSettingLogic() override;

    // Empties the port list and walks the port table into it; 1.
    int ReadPortSettings();
    // Reads the global state into m_nGlobalState[0]; a failed read leaves it as it was. 1.
    int GetAuthState();
    // Empty their list and walk the local users or the RADIUS servers into it; 1.
    int ReadUsers();
    int ReadRadiusServers();
    void Close();

    // The lists the walks fill, in walk order; read them on the user-interface thread.
    std::vector<X8021_statistics_info> m_arrPorts;
    std::vector<X8021_User_Statistics_Info> m_arrUsers;
    std::vector<X8021_AuRadiusServer_Statistics_info> m_arrServers;
    int m_nGlobalState[3] = {0, 0, 0};  // only the first is read: the 802.1X state

private:
    void OnPortRow(const SnmpRow& row);
    void OnUserRow(const SnmpRow& row);
    void OnRadiusRow(const SnmpRow& row);
    void NotifyEnd();

    CCommonSNMP m_cSession1;  // closed only
    CCommonSNMP m_cSession2;
    // Last, so they close before the lists their handlers fill.
    CSnmpRead m_portRead;
    CSnmpRead m_userRead;
    CSnmpRead m_radiusRead;
};
