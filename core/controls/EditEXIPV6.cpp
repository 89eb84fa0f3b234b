#include "core/controls/EditEXIPV6.h"

#include <algorithm>
#include <cctype>

#include "core/CommonSNMP.h"
#include "core/Utils.h"
#include "platform/snmp/Snmp.h"

BEGIN_MESSAGE_MAP(CEditEXIPV6, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string WithoutColons(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ':'), text.end());
    return text;
}

bool IsLinkLocal(const std::string& address) {
    return address.rfind("fe8", 0) == 0 || address.rfind("fe9", 0) == 0 || address.rfind("fea", 0) == 0 ||
           address.rfind("feb", 0) == 0;
}

}  // namespace

void CEditEXIPV6::OnKillFocus(CWnd* pNewWnd) {
    CEdit::OnKillFocus(pNewWnd);
    m_nValid = 1;
    std::string text = GetWindowText();
    m_strAddress = text;

    const bool hasDot = text.find('.') != std::string::npos;
    const bool hasColon = text.find(':') != std::string::npos;
    if (hasDot == hasColon) {  // neither, or both (an IPv4-mapped IPv6 text)
        m_nValid = 0;
        return;
    }
    if (hasColon) {
        text = Lower(text);
        m_strAddress = text;
        const size_t percent = text.find('%');
        bool zoneTyped = false;
        if (percent != std::string::npos) {
            if (!m_bAllowInterface) {
                m_nValid = 0;
                return;
            }
            m_strInterface = text.substr(percent + 1);
            m_strAddress = text.substr(0, percent);
            zoneTyped = true;
        }
        m_nValid = CUtils::IsValidIPv6(m_strAddress, m_strInterface, zoneTyped, m_bAllowInterface != 0);
        if (m_nValid == 1) m_strIPType = "2";
        return;
    }
    m_nValid = CUtils::IsValidIPv4Host(text);
    if (m_nValid == 1) m_strIPType = "1";
}

void CEditEXIPV6::ShowError() {
    if (m_nValid == -2) AfxMessageBox("Link local address must specify interface name!ex: feXX::XXXX%InterfaceName");
    else if (m_nValid == -1) AfxMessageBox("Interface name too long.");
}

void CEditEXIPV6::AddTypeVarBind(CCommonSNMP& session, const std::string& oid) {
    session.AddVarBind(oid, SNMP_TYPE_INTEGER, m_strIPType.c_str());
}

int CEditEXIPV6::AddressBytes(unsigned char (&bytes)[16]) const {
    std::string text = GetWindowText();
    text = text.substr(0, text.find('%'));
    if (m_strIPType == "2") {
        CUtils::HexStringToBytes(WithoutColons(CUtils::ExpandIPv6(text)), bytes, 16);
        return 16;
    }
    if (m_strIPType == "1") {
        CUtils::HexStringToBytes(CUtils::AddressTextToHex(text), bytes, 4);
        return 4;
    }
    return 0;
}

std::string CEditEXIPV6::AddressOctets() const {
    unsigned char bytes[16] = {};
    const int length = AddressBytes(bytes);
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
}

void CEditEXIPV6::AddAddressVarBind(CCommonSNMP& session, const std::string& oid) {
    const std::string octets = AddressOctets();
    if (!octets.empty()) session.AddVarBind(oid, SNMP_TYPE_OCTETS, octets.data(), static_cast<int>(octets.size()));
}

void CEditEXIPV6::AddScopeVarBind(CCommonSNMP& session, const std::string& oid) {
    if (IsLinkLocal(m_strAddress)) session.AddVarBind(oid, SNMP_TYPE_OCTETS, m_strInterface.c_str());
}

std::string CEditEXIPV6::GetAddressIndex() {
    if (m_strIPType == "1") {
        m_nAddrLen = 4;
        return m_strAddress;
    }
    if (m_strIPType == "2") {
        std::string index = CUtils::MacToOidSuffix(WithoutColons(CUtils::ExpandIPv6(m_strAddress)));
        if (!index.empty()) index.erase(0, 1);
        m_nAddrLen = 16;
        return index;
    }
    return {};
}
