#include "views/direct/DirectSnmp.h"

#include <cstdio>
#include <cstdlib>

#include "core/ModuleStartupParams.h"

DirectSnmpSettings DirectSnmpSettings::FromStartup() {
    DirectSnmpSettings s;
    s.agent = ModuleStartupParams::AgentAddress();
    s.readCommunity = ModuleStartupParams::ReadCommunity;
    s.writeCommunity = ModuleStartupParams::WriteCommunity;
    s.version = std::atoi(ModuleStartupParams::SnmpVersion.c_str());
    s.timeoutMs = std::strtoul(ModuleStartupParams::TimeoutMs.c_str(), nullptr, 10);
    s.securityLevel = ModuleStartupParams::SecurityLevel;
    s.authProtocol = ModuleStartupParams::AuthProtocol;
    s.privProtocol = ModuleStartupParams::PrivProtocol;
    s.userName = ModuleStartupParams::UserName;
    s.authPassword = ModuleStartupParams::AuthPassword;
    s.privPassword = ModuleStartupParams::PrivPassword;
    return s;
}

namespace {
void ApplyAuthentication(CSnmpV3& session, const DirectSnmpSettings& s) {
    if (s.authProtocol == "2" || s.authProtocol == "3") {
        session.setAuthArith(s.authProtocol == "2" ? 0 : 1);
        session.setAuthPwd(s.authPassword.data(), static_cast<int>(s.authPassword.size()));
    } else {
        session.setMsgFlags(0);
    }
}
}  // namespace

void ApplyV3Security(CSnmpV3& session, const DirectSnmpSettings& s) {
    session.setMsgMaxSize(1024);
    session.setMsgSecurityModel(3);
    session.setUserName(s.userName.c_str());
    if (s.securityLevel == "2") {
        session.setMsgFlags(1);
        ApplyAuthentication(session, s);
    } else if (s.securityLevel == "3") {
        session.setMsgFlags(3);
        ApplyAuthentication(session, s);
        if (s.privProtocol == "2") {
            session.setPriArith(0);
            session.setPriPwd(s.privPassword.data(), static_cast<int>(s.privPassword.size()));
        } else {
            session.setMsgFlags(1);
        }
    } else {
        session.setMsgFlags(0);
    }
}

namespace {
// The sub-identifiers of `oid` after `column`; empty when it is not below it.
std::optional<std::vector<unsigned long>> InstanceOf(const std::string& oid, const std::string& column) {
    if (oid.size() <= column.size() + 1 || oid.compare(0, column.size(), column) != 0 || oid[column.size()] != '.')
        return std::nullopt;
    std::vector<unsigned long> parts;
    const char* p = oid.c_str() + column.size();
    while (*p == '.') {
        char* end = nullptr;
        parts.push_back(std::strtoul(p + 1, &end, 10));
        if (end == p + 1) return std::nullopt;
        p = end;
    }
    if (*p != '\0') return std::nullopt;
    return parts;
}
}  // namespace

std::optional<DirectRow> ReadDirectRow(const CSnmp& response, const std::vector<std::string>& columns) {
    if (response.getVarBindCount() < static_cast<int>(columns.size())) return std::nullopt;
    DirectRow row;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int n = static_cast<int>(i);
        const char* oid = nullptr;
        const char* text = nullptr;
        const unsigned char* data = nullptr;
        int type = 0;
        int length = 0;
        if (response.getOid(n, oid) != 0 || response.getValue(n, type, text) != 0 || text == nullptr ||
            response.getBinaryValue(n, type, data, length) != 0)
            return std::nullopt;
        auto instance = InstanceOf(oid, columns[i]);
        if (!instance || (i > 0 && *instance != row.index)) return std::nullopt;
        if (i == 0) row.index = std::move(*instance);
        row.values.push_back({text, data ? std::string(reinterpret_cast<const char*>(data), length) : std::string()});
    }
    return row;
}

std::string StorageTypeText(const std::string& value) {
    if (value == "2") return "volatile";
    if (value == "3") return "nonVolatile";
    if (value == "4") return "permanent";
    if (value == "5") return "readOnly";
    return "Other";
}

std::string RowStatusText(const std::string& value) {
    if (value == "1") return "active";
    if (value == "2") return "notInService";
    if (value == "3") return "notReady";
    if (value == "4") return "createAndGo";
    if (value == "5") return "createAndWait";
    return "destroy";
}

std::string HexText(const std::string& bytes) {
    std::string text;
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}
