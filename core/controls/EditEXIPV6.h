#pragma once
// CEditEXIPV6: the edit box for a server or host address, IPv4 or IPv6 with an optional
// interface name (zone) after "%". It classifies its text each time it loses the focus and
// gives the address in the forms the switch's tables want.
#include <string>

#include "platform/ui/Controls.h"

class CCommonSNMP;

class CEditEXIPV6 : public CEdit {
public:
    CEditEXIPV6() = default;

    // Classifies the current text (also called by dialogs before they read the fields).
    void OnKillFocus(CWnd* pNewWnd) override;
    // The message for codes -2 and -1; nothing for other codes.
    void ShowError();
    // INTEGER "1" (IPv4) or "2" (IPv6).
    void AddTypeVarBind(CCommonSNMP& session, const std::string& oid);
    // OCTET STRING of 4 or 16 bytes; nothing for an unknown type.
    void AddAddressVarBind(CCommonSNMP& session, const std::string& oid);
    // The same 4 or 16 bytes as a value of its own (a SET built beforehand); "" for an
    // unknown type.
    std::string AddressOctets() const;
    // OCTET STRING with the interface name, for a link-local address only.
    void AddScopeVarBind(CCommonSNMP& session, const std::string& oid);
    void AddTypeVarBind(const std::string& oid, CCommonSNMP& session) { AddTypeVarBind(session, oid); }
    void AddAddressVarBind(const std::string& oid, CCommonSNMP& session) { AddAddressVarBind(session, oid); }
    void AddScopeVarBind(const std::string& oid, CCommonSNMP& session) { AddScopeVarBind(session, oid); }
    // The address as a table index (IPv4 dotted as typed, IPv6 as 16 dotted bytes); sets
    // m_nAddrLen to 4 or 16.
    std::string GetAddressIndex();

    std::string m_strIPType;     // "1" IPv4, "2" IPv6, "" before the first valid text
    std::string m_strAddress;    // IPv6 lower-cased without its "%" part; IPv4 as typed
    std::string m_strInterface;  // the zone typed after "%", lower-cased
    int m_nValid = 0;            // 1 valid, 0 invalid, -1 zone too long, -2 link-local without zone
    int m_bAllowInterface = 1;
    int m_nAddrLen = 0;

    DECLARE_MESSAGE_MAP()

private:
    // The 4 or 16 address bytes of the current text by its type; 0 for an unknown type.
    int AddressBytes(unsigned char (&bytes)[16]) const;
};
