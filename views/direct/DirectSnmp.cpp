#include "views/direct/DirectSnmp.h"

#include <cstdio>
#include <cstdlib>

#include "core/ModuleStartupParams.h"
#include "core/SnmpRead.h"

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
// The sub-identifiers of an instance suffix (".3.1"); empty when it is none.
std::optional<std::vector<unsigned long>> InstanceOf(const std::string& suffix) {
    if (suffix.empty()) return std::nullopt;
    std::vector<unsigned long> parts;
    const char* p = suffix.c_str();
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

std::optional<DirectRow> DirectRowOf(const SnmpRow& row, std::size_t columns) {
    if (row.Size() < columns) return std::nullopt;
    DirectRow direct;
    for (std::size_t i = 0; i < columns; ++i) {
        const SnmpValue& v = row.vars[i];
        auto instance = InstanceOf(v.index);
        if (!v.present || !instance || (i > 0 && *instance != direct.index)) return std::nullopt;
        if (i == 0) direct.index = std::move(*instance);
        direct.values.push_back({v.text, v.bytes});
    }
    return direct;
}

std::optional<DirectRow> ReadDirectRow(const CSnmp& response, const std::vector<std::string>& columns) {
    SnmpRow row;
    row.vars = SnmpValuesOf(response, &columns);
    return DirectRowOf(row, columns.size());
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
