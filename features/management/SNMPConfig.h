#pragma once
// CSNMPConfig: the logic behind the dialogs of the switch's own SNMP agent (global state,
// users, groups, views, communities, notification hosts, engine ID, trap switches). Each of
// those dialogs holds its own object, gives it its window before the first read and closes it
// in DestroyWindow once the window has gone.
//
// Reads report to the owner window on the user-interface thread: table rows and the trap
// switches as WM_SNMP_CONFIG_REPORT (wParam a code, lParam the record, valid during the
// call), the end of a user, group, view or host read as code kSnmpReadEnd; the global state
// and the engine ID as WM_COPYDATA. A read of the communities brings the community rows and
// then the user rows, and only the user read's end reports the end.
//
// Names travel in UTF-8, and so do the text indexes built from them: a name written under an
// index is found, listed and deleted under the same index whatever the code page.
// Community strings and pass phrases are never written to the debugger output.
#include <atomic>
#include <string>

#include "core/CodeConvert.h"
#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "platform/ui/Types.h"
#include "platform/win/WinTypes.h"

class CEditEXIPV6;

constexpr UINT WM_SNMP_CONFIG_REPORT = WM_USER + 10;
// Report codes (wParam).
constexpr WPARAM kSnmpRow = 0;  // a group, view or host row, or the trap switches
constexpr WPARAM kSnmpReadEnd = 1;
constexpr WPARAM kSnmpCommunityRow = 100;
constexpr WPARAM kSnmpUserRow = 111;

// The agent subtree and the status columns of its tables.
inline const std::string kSnmpAgent = "1.3.6.1.4.1.32473.10.76.21.1.25";
inline const std::string kUserStatus = kSnmpAgent + ".2.1.1.8";
inline const std::string kGroupStatus = kSnmpAgent + ".3.1.1.7";
inline const std::string kViewStatus = kSnmpAgent + ".4.1.1.5";
inline const std::string kCommunityStatus = kSnmpAgent + ".5.1.1.3";
inline const std::string kHostStatus = kSnmpAgent + ".6.2.1.6";

// Row records: texts in column order.
struct SnmpUserEntry {
    std::string userName;
    std::string groupName;
    std::string version;       // "V1", "V2c", "V3"
    std::string authProtocol;  // "None", "MD5", "SHA"
    std::string authPassword;
    std::string privProtocol;  // "None", "DES_CBC"
    std::string privPassword;
    std::string rowStatus;
};

struct SnmpGroupEntry {
    std::string groupName;
    std::string readView;
    std::string writeView;
    std::string notifyView;
    std::string securityModel;  // "v1", "v2c", "v3"
    std::string securityLevel;  // "NoAuthNoPriv", "AuthNoPriv", "AuthPriv"
    std::string rowStatus;
};

struct SnmpViewEntry {
    std::string viewName;
    std::string subtree;   // dotted, from the row's index
    std::string mask;      // the mask bytes in decimal joined by "." ("1.1.0.1")
    std::string viewType;  // "Included", "Excluded"
    std::string rowStatus;
};

struct SnmpCommunityEntry {
    std::string communityName;
    std::string userName;
    std::string rowStatus;
};

struct SnmpHostEntry {
    std::string address;      // dotted IPv4, or compressed lower-case IPv6
    std::string addressType;  // "1" IPv4, "2" IPv6
    std::string version;      // "V1", "V2c", "V3-NoAuthNoPriv", "V3-AuthNoPriv", "V3-AuthPriv"
    std::string name;         // community or SNMPv3 user name
    std::string interfaceName;
    std::string rowStatus;
};

// One text per trap switch: "1" enabled, "2" disabled.
struct SnmpTrapSettings {
    std::string authentication;   // A.8.1.0
    std::string bootup;           // A.8.2.0
    std::string linkChange;       // A.8.3.0
    std::string rstpChange;       // A.8.4.0
    std::string firmwareUpgrade;  // A.8.5.0
    std::string poePower;         // A.8.6.0, PoE models
    std::string poeError;         // A.8.7.0, PoE models
    std::string poeBudget;        // A.8.8.0, PoE models
    std::string loopback;         // A.8.11.0
};

class CSNMPConfig {
public:
    CSNMPConfig() = default;
    // Closes the sessions (without the debugger lines of Close).
    virtual ~CSNMPConfig();
    CSNMPConfig(const CSNMPConfig&) = delete;
    CSNMPConfig& operator=(const CSNMPConfig&) = delete;

    // ---- indexes (each with its leading ".")
    // The text's UTF-8 bytes: "." and the length, then "." and each byte (abc -> .3.97.98.99).
    static std::string StringToOidIndex(const std::string& text);
    // The text index and ".1", ".2" or ".3" for the model text v1/V1, v2c/V2c, v3/V3.
    static std::string MakeModelIndex(const std::string& name, const std::string& model);
    // The model index and ".1" NoAuthNoPriv, ".2" AuthNoPriv, ".3" any other level.
    static std::string MakeGroupIndex(const std::string& name, const std::string& model, const std::string& level);
    // The text index of the name, the subtree's count of sub-identifiers and the subtree.
    static std::string MakeViewIndex(const std::string& name, const std::string& subtree);
    // 1 when the name holds none of the 26 characters that no name may hold, else 0.
    static int IsValidName(const std::string& text);

    void SetOwner(HWND owner) { m_hOwnerWnd = owner; }

    // Only "1", "5" or "6": any other value shows "error istatus value!" and sends nothing.
    void SetRowStatus(const std::string& oid, const std::string& value);

    void GetSnmpState();
    // 1 when the SET was answered without error, else 0.
    int SetSnmpState(const std::string& state);

    void ReadUsers();
    void SetUser(const std::string& userName, const std::string& version, const std::string& groupName,
                 const std::string& authProtocol, const std::string& authPassword, const std::string& privProtocol,
                 const std::string& privPassword);
    void ReadGroups();
    void SetGroup(const std::string& groupName, const std::string& model, const std::string& level,
                  const std::string& readView, const std::string& writeView, const std::string& notifyView);
    void ReadViews();
    void SetView(const std::string& viewName, const std::string& subtree, const std::string& mask,
                 const std::string& viewType);
    void ReadCommunities();
    void SetCommunity(const std::string& communityName, const std::string& userName);
    void ReadHosts();
    // The address comes from m_pHostAddress, classified by the caller.
    void SetHost(const std::string& name, const std::string& versionCode);
    // The host index of the address control: ".", the length, ".", the bytes, ".", the type.
    static std::string MakeHostIndex(CEditEXIPV6& address);

    void GetEngineId();
    // With useDefault the text is the model's default engine ID.
    void SetEngineId(std::string hex, bool useDefault);

    void GetTrapSettings(bool withPoe);
    // The SET's status: 0 when the switch took every switch.
    int SetTrapSettings(const SnmpTrapSettings& settings, bool withPoe);

    // Closes the four sessions in turn, a debugger line after each.
    void Close();
    // The line the dialogs write when they begin to close.
    static void WriteDestroyLine();

    CEditEXIPV6* m_pHostAddress = nullptr;  // the host dialog's address field, not owned

private:
    void Report(WPARAM code, const void* record) const;
    void ReportEnd() const { Report(kSnmpReadEnd, nullptr); }
    void CopyData(ULONG_PTR value, const std::string* text) const;
    std::string ToUtf8(const std::string& text);
    std::string FromUtf8(const std::string& text);
    void OnUserRow(const SnmpRow& row);
    void OnGroupRow(const SnmpRow& row);
    void OnViewRow(const SnmpRow& row);
    void OnCommunityRow(const SnmpRow& row);
    void OnHostRow(const SnmpRow& row);
    void CloseSessions();

    CCodeConvert m_convert;
    std::atomic<HWND> m_hOwnerWnd{nullptr};
    // Declared after what their handlers touch, so they close first.
    CCommonSNMP m_cCommonSNMP;      // trap switches
    CSnmpRead m_stateRead;          // the global state's GET, closed with m_cCommonSNMP
    CCommonSNMP m_cCommonSNMPSet;   // every other SET
    CSnmpRead m_cCommonSNMPTable;   // groups, views, communities, hosts, engine ID
    CSnmpRead m_cCommonSNMPGetUse;  // users
};
