#include "features/management/SNMPConfig.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/TextIndex.h"
#include "core/Utils.h"
#include "core/controls/EditEXIPV6.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/DebugOutput.h"

namespace {
const std::string A = kSnmpAgent;
const std::string kState = A + ".1.0";
const std::string kUserEntry = A + ".2.1.1.";
const std::string kGroupEntry = A + ".3.1.1.";
const std::string kViewEntry = A + ".4.1.1.";
const std::string kCommunityEntry = A + ".5.1.1.";
const std::string kHostEntry = A + ".6.2.1.";
const std::string kEngineId = A + ".7.0";
const std::string kTrap = A + ".8.";

// The buffer a name is converted into before it is written or indexed.
constexpr int kNameBuffer = 128;

std::string CodeText(int code, std::initializer_list<const char*> texts) {
    if (code < 1 || code > static_cast<int>(texts.size())) return "Unknown";
    return *(texts.begin() + (code - 1));
}

std::string ModelArc(const std::string& model) {
    if (model == "v1" || model == "V1") return ".1";
    if (model == "v2c" || model == "V2c") return ".2";
    if (model == "v3" || model == "V3") return ".3";
    return {};
}

// The trap switches in request order, with the PoE ones last.
struct TrapObject {
    const char* arc;
    std::string SnmpTrapSettings::*field;
    bool poe;
};
const TrapObject kTrapObjects[] = {
    {"1.0", &SnmpTrapSettings::authentication, false},  {"2.0", &SnmpTrapSettings::bootup, false},
    {"3.0", &SnmpTrapSettings::linkChange, false},      {"4.0", &SnmpTrapSettings::rstpChange, false},
    {"5.0", &SnmpTrapSettings::firmwareUpgrade, false}, {"11.0", &SnmpTrapSettings::loopback, false},
    {"6.0", &SnmpTrapSettings::poePower, true},         {"7.0", &SnmpTrapSettings::poeError, true},
    {"8.0", &SnmpTrapSettings::poeBudget, true},
};

std::vector<unsigned long> SuffixNumbers(const std::string& digits) {
    std::vector<unsigned long> numbers;
    size_t at = 0;
    while (at < digits.size()) {
        size_t end = digits.find('.', at);
        if (end == std::string::npos) end = digits.size();
        numbers.push_back(std::strtoul(digits.substr(at, end - at).c_str(), nullptr, 10));
        at = end + 1;
    }
    return numbers;
}
}  // namespace

CSNMPConfig::~CSNMPConfig() { CloseSessions(); }

// ---- indexes

std::string CSNMPConfig::StringToOidIndex(const std::string& text) {
    char utf8[kNameBuffer] = {};
    CCodeConvert().AnsiToUtf8(text, utf8, kNameBuffer);
    return "." + TextIndexSuffix(utf8);
}

std::string CSNMPConfig::MakeModelIndex(const std::string& name, const std::string& model) {
    return StringToOidIndex(name) + ModelArc(model);
}

std::string CSNMPConfig::MakeGroupIndex(const std::string& name, const std::string& model, const std::string& level) {
    const char* levelArc = level == "NoAuthNoPriv" ? ".1" : level == "AuthNoPriv" ? ".2" : ".3";
    return MakeModelIndex(name, model) + levelArc;
}

std::string CSNMPConfig::MakeViewIndex(const std::string& name, const std::string& subtree) {
    size_t count = 1;
    for (char c : subtree) count += c == '.' ? 1 : 0;
    return StringToOidIndex(name) + "." + std::to_string(count) + "." + subtree;
}

int CSNMPConfig::IsValidName(const std::string& text) { return CUtils::HasNoSpecialChars(text); }

std::string CSNMPConfig::MakeHostIndex(CEditEXIPV6& address) {
    const std::string bytes = address.GetAddressIndex();
    return "." + std::to_string(address.m_nAddrLen) + "." + bytes + "." + address.m_strIPType;
}

// ---- reports

void CSNMPConfig::Report(WPARAM code, const void* record) const {
    if (HWND owner = m_hOwnerWnd.load()) {
        SendMessage(owner, WM_SNMP_CONFIG_REPORT, code, reinterpret_cast<LPARAM>(record));
    }
}

void CSNMPConfig::CopyData(ULONG_PTR value, const std::string* text) const {
    HWND owner = m_hOwnerWnd.load();
    if (!owner) return;
    COPYDATASTRUCT data;
    data.dwData = value;
    std::vector<char> buffer;
    if (text) {
        buffer.assign(text->begin(), text->end());
        buffer.push_back('\0');
        data.cbData = static_cast<DWORD>(buffer.size());
        data.lpData = buffer.data();
    }
    SendMessage(owner, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

std::string CSNMPConfig::ToUtf8(const std::string& text) {
    char utf8[kNameBuffer] = {};
    m_convert.AnsiToUtf8(text, utf8, kNameBuffer);
    return utf8;
}

std::string CSNMPConfig::FromUtf8(const std::string& text) {
    std::string out;
    m_convert.Utf8ToAnsi(text.c_str(), out);
    return out;
}

// ---- row status and global state

void CSNMPConfig::SetRowStatus(const std::string& oid, const std::string& value) {
    if (value != "1" && value != "5" && value != "6") {
        AfxMessageBox("error istatus value!");
        return;
    }
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(oid, std::atol(value.c_str()))});
}

void CSNMPConfig::GetSnmpState() {
    m_stateRead.Start(
        SnmpReadSpec::Get({kState}),
        [this](const SnmpRow& row) { CopyData(static_cast<ULONG_PTR>(row.Number(0)), nullptr); },
        [](const SnmpReadResult&) {});
}

int CSNMPConfig::SetSnmpState(const std::string& state) {
    return SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kState, state == "1" ? 1 : 2)}).Ok() ? 1 : 0;
}

// ---- users

void CSNMPConfig::ReadUsers() {
    std::vector<std::string> columns;
    for (int c = 1; c <= 8; ++c) columns.push_back(kUserEntry + std::to_string(c));
    m_cCommonSNMPGetUse.Start(
        SnmpReadSpec::Walk(columns), [this](const SnmpRow& row) { OnUserRow(row); },
        [this](const SnmpReadResult&) { ReportEnd(); });
}

void CSNMPConfig::OnUserRow(const SnmpRow& row) {
    SnmpUserEntry e;
    e.userName = FromUtf8(row.Text(0));
    e.version = CodeText(row.Number(1), {"V1", "V2c", "V3"});
    e.groupName = FromUtf8(row.Text(2));
    e.authProtocol = CodeText(row.Number(3), {"None", "MD5", "SHA"});
    e.authPassword = row.Text(4);
    e.privProtocol = CodeText(row.Number(5), {"None", "DES_CBC"});
    e.privPassword = row.Text(6);
    e.rowStatus = row.Text(7);
    Report(kSnmpUserRow, &e);
}

void CSNMPConfig::SetUser(const std::string& userName, const std::string& version, const std::string& groupName,
                          const std::string& authProtocol, const std::string& authPassword,
                          const std::string& privProtocol, const std::string& privPassword) {
    const std::string i = MakeModelIndex(userName, version);
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Octets(kUserEntry + "3" + i, ToUtf8(groupName))});
    if (version != "V3") return;
    // Without authentication the protocol is written as "none" (1), never as an empty value.
    const int auth = authProtocol == "MD5" ? 2 : authProtocol == "SHA" ? 3 : 1;
    const bool privacy = privProtocol != "None";
    std::vector<SnmpSetVar> protocols = {SnmpSetVar::Integer(kUserEntry + "4" + i, auth)};
    if (privacy) protocols.push_back(SnmpSetVar::Integer(kUserEntry + "6" + i, 2));
    SnmpSet(m_cCommonSNMPSet, protocols);
    std::vector<SnmpSetVar> passwords = {SnmpSetVar::Octets(kUserEntry + "5" + i, authPassword)};
    if (privacy) passwords.push_back(SnmpSetVar::Octets(kUserEntry + "7" + i, privPassword));
    SnmpSet(m_cCommonSNMPSet, passwords);
}

// ---- groups

void CSNMPConfig::ReadGroups() {
    std::vector<std::string> columns;
    for (int c = 1; c <= 7; ++c) columns.push_back(kGroupEntry + std::to_string(c));
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk(columns), [this](const SnmpRow& row) { OnGroupRow(row); },
        [this](const SnmpReadResult&) { ReportEnd(); });
}

void CSNMPConfig::OnGroupRow(const SnmpRow& row) {
    SnmpGroupEntry e;
    e.groupName = FromUtf8(row.Text(0));
    e.securityModel = CodeText(row.Number(1), {"v1", "v2c", "v3"});
    e.securityLevel = CodeText(row.Number(2), {"NoAuthNoPriv", "AuthNoPriv", "AuthPriv"});
    e.readView = FromUtf8(row.Text(3));
    e.writeView = FromUtf8(row.Text(4));
    e.notifyView = FromUtf8(row.Text(5));
    e.rowStatus = row.Text(6);
    Report(kSnmpRow, &e);
}

void CSNMPConfig::SetGroup(const std::string& groupName, const std::string& model, const std::string& level,
                           const std::string& readView, const std::string& writeView, const std::string& notifyView) {
    const std::string g = MakeGroupIndex(groupName, model, level);
    // The level column first, with the level the index carries.
    std::vector<SnmpSetVar> vars = {SnmpSetVar::Integer(kGroupEntry + "3" + g, g.back() - '0')};
    const std::pair<const char*, const std::string*> views[] = {
        {"4", &readView}, {"5", &writeView}, {"6", &notifyView}};
    for (const auto& [column, view] : views) {
        if (!view->empty()) vars.push_back(SnmpSetVar::Octets(kGroupEntry + column + g, ToUtf8(*view)));
    }
    SnmpSet(m_cCommonSNMPSet, vars);
}

// ---- views

void CSNMPConfig::ReadViews() {
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk({kViewEntry + "1", kViewEntry + "3", kViewEntry + "4", kViewEntry + "5"}),
        [this](const SnmpRow& row) { OnViewRow(row); }, [this](const SnmpReadResult&) { ReportEnd(); });
}

void CSNMPConfig::OnViewRow(const SnmpRow& row) {
    const std::string digits = row.IndexDigits();
    OutputDebugStringA(row.Index().c_str());
    OutputDebugStringA(digits.c_str());
    // The index is length.name.count.subtree; a short index gives what is there.
    const std::vector<unsigned long> index = SuffixNumbers(digits);
    size_t pos = 0;
    IndexText(index, pos);
    OutputDebugStringA("name------------------");
    std::string rest;
    for (size_t i = pos; i < index.size(); ++i) rest += (i > pos ? "." : "") + std::to_string(index[i]);
    OutputDebugStringA(rest.c_str());
    const size_t count = pos < index.size() ? index[pos++] : 0;
    SnmpViewEntry e;
    e.viewName = FromUtf8(row.Text(0));
    for (size_t i = pos; i < index.size(); ++i) e.subtree += (i > pos ? "." : "") + std::to_string(index[i]);
    // One mask byte per sub-identifier, as far as the value holds them.
    const std::string& mask = row.Bytes(1);
    for (size_t i = 0; i < count && i < mask.size(); ++i) {
        e.mask += (i ? "." : "") + std::to_string(static_cast<unsigned char>(mask[i]));
    }
    e.viewType = CodeText(row.Number(2), {"Included", "Excluded"});
    e.rowStatus = row.Text(3);
    Report(kSnmpRow, &e);
}

void CSNMPConfig::SetView(const std::string& viewName, const std::string& subtree, const std::string& mask,
                          const std::string& viewType) {
    const std::string v = MakeViewIndex(viewName, subtree);
    std::string bytes;
    size_t at = 0;
    while (at <= mask.size()) {
        size_t end = mask.find('.', at);
        if (end == std::string::npos) end = mask.size();
        const std::string part = mask.substr(at, end - at);
        bytes += (part == "1" || part == "01") ? '\x01' : '\x00';
        at = end + 1;
    }
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Octets(kViewEntry + "3" + v, bytes),
                               SnmpSetVar::Integer(kViewEntry + "4" + v, viewType == "Included" ? 1 : 2)});
}

// ---- communities

void CSNMPConfig::ReadCommunities() {
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk({kCommunityEntry + "1", kCommunityEntry + "2", kCommunityEntry + "3"}),
        [this](const SnmpRow& row) { OnCommunityRow(row); },
        // The users follow; their read's end reports the end.
        [this](const SnmpReadResult&) { ReadUsers(); });
}

void CSNMPConfig::OnCommunityRow(const SnmpRow& row) {
    SnmpCommunityEntry e;
    e.communityName = FromUtf8(row.Text(0));
    e.userName = FromUtf8(row.Text(1));
    e.rowStatus = row.Text(2);
    Report(kSnmpCommunityRow, &e);
}

void CSNMPConfig::SetCommunity(const std::string& communityName, const std::string& userName) {
    SnmpSet(m_cCommonSNMPSet,
            {SnmpSetVar::Octets(kCommunityEntry + "2" + StringToOidIndex(communityName), ToUtf8(userName))});
}

// ---- hosts

void CSNMPConfig::ReadHosts() {
    OutputDebugStringA(".........get host info begin ............");
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk({kHostEntry + "3", kHostEntry + "2", kHostEntry + "1", kHostEntry + "4", kHostEntry + "6",
                            kHostEntry + "5"}),
        [this](const SnmpRow& row) {
            OutputDebugStringA(".......................call back fun being.........................");
            OnHostRow(row);
            OutputDebugStringA("........get value.................");
        },
        [this](const SnmpReadResult&) {
            OutputDebugStringA(".....................call back finishing ...................");
            ReportEnd();
        });
}

void CSNMPConfig::OnHostRow(const SnmpRow& row) {
    SnmpHostEntry e;
    e.addressType = row.Text(1);
    const std::string& bytes = row.Bytes(2);
    // An address shorter than its type's length is not read past its end: the row is left out.
    const size_t wanted = e.addressType == "1" ? 4 : e.addressType == "2" ? 16 : 0;
    if (wanted == 0 || bytes.size() < wanted) return;
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::string text = CUtils::AddressBytesToText(raw, wanted == 4 ? 1 : 2);
    e.address = wanted == 4 ? CUtils::HexToDottedIPv4(text) : CUtils::CompressIPv6(text);
    e.name = FromUtf8(row.Text(0));
    e.version = CodeText(row.Number(3), {"V1", "V2c", "V3-NoAuthNoPriv", "V3-AuthNoPriv", "V3-AuthPriv"});
    e.rowStatus = row.Text(4);
    e.interfaceName = row.Text(5);
    Report(kSnmpRow, &e);
}

void CSNMPConfig::SetHost(const std::string& name, const std::string& versionCode) {
    if (!m_pHostAddress) return;
    const std::string h = MakeHostIndex(*m_pHostAddress);
    std::vector<SnmpSetVar> vars = {SnmpSetVar::Octets(kHostEntry + "3" + h, ToUtf8(name)),
                                    SnmpSetVar::Integer(kHostEntry + "4" + h, std::atol(versionCode.c_str()))};
    const std::string address = m_pHostAddress->m_strAddress;
    for (const char* prefix : {"fe8", "fe9", "fea", "feb"}) {
        if (address.rfind(prefix, 0) == 0) {
            vars.push_back(SnmpSetVar::Octets(kHostEntry + "5" + h, m_pHostAddress->m_strInterface));
            break;
        }
    }
    SnmpSet(m_cCommonSNMPSet, vars);
}

// ---- engine ID

void CSNMPConfig::GetEngineId() {
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Get({kEngineId}),
        [this](const SnmpRow& row) {
            std::string hex;
            for (unsigned char c : row.Bytes(0)) {
                char pair[3];
                std::snprintf(pair, sizeof pair, "%02x", c);
                hex += pair;
            }
            CopyData(0, &hex);
        },
        [](const SnmpReadResult&) {});
}

void CSNMPConfig::SetEngineId(std::string hex, bool useDefault) {
    if (useDefault) {
        if (g_strDeviceName == "DUZ-5600-20" || g_strDeviceName == "DUZ-5600-28") {
            hex = "4b52562d353630302d3230000102030405";
        } else if (g_strDeviceName == "DUZ-5600-52") {
            hex = "4b52562d353630302d3532001500062052";
        } else {
            hex.clear();
        }
    }
    if (hex.size() % 2 != 0) hex.insert(hex.begin(), '0');
    std::string bytes(hex.size() / 2, '\0');
    CUtils::HexStringToBytes(hex, reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Octets(kEngineId, bytes)});
}

// ---- trap switches

void CSNMPConfig::GetTrapSettings(bool withPoe) {
    std::vector<std::string> oids;
    for (const TrapObject& t : kTrapObjects) {
        if (!t.poe || withPoe) oids.push_back(kTrap + t.arc);
    }
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMP, oids);
    if (!answer.Ok() || answer.Size() < oids.size()) return;
    SnmpTrapSettings settings;
    size_t i = 0;
    for (const TrapObject& t : kTrapObjects) {
        if (!t.poe || withPoe) settings.*t.field = answer.Text(i++);
    }
    Report(kSnmpRow, &settings);
}

int CSNMPConfig::SetTrapSettings(const SnmpTrapSettings& settings, bool withPoe) {
    std::vector<SnmpSetVar> vars;
    for (const TrapObject& t : kTrapObjects) {
        if (!t.poe || withPoe)
            vars.push_back(SnmpSetVar::Integer(kTrap + t.arc, std::atol((settings.*t.field).c_str())));
    }
    const SnmpAnswer answer = SnmpSet(m_cCommonSNMP, vars);
    return answer.Answered() ? answer.errorStatus : answer.status;
}

// ---- closing

void CSNMPConfig::Close() {
    m_stateRead.Close();
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
    m_cCommonSNMPGetUse.Close();
    OutputDebugStringA("==================m_cCommonSNMPGetUse.Close===============");
}

void CSNMPConfig::WriteDestroyLine() { OutputDebugStringA("==================DestroyWindow==============="); }

void CSNMPConfig::CloseSessions() {
    m_stateRead.Close();
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    m_cCommonSNMPTable.Close();
    m_cCommonSNMPGetUse.Close();
}
