// The SNMP client library against the real snmpd and a silent agent on loopback.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/snmp/Snmp.h"
#include "platform/snmp/SnmpDetail.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Event.h"
#include "tests/support/snmp/SnmpAgents.h"

namespace {

using Clock = std::chrono::steady_clock;
using testsupport::kReadCommunity;
using testsupport::kWriteCommunity;

using namespace testsupport::oids;

std::unique_ptr<CSnmp> Owned(CSnmp* response) { return std::unique_ptr<CSnmp>(response); }

std::string ValueText(const CSnmp& response, int index) {
    int type = 0;
    const char* text = nullptr;
    EXPECT_EQ(response.getValue(index, type, text), EC_NO_ERROR);
    return text != nullptr ? text : "<none>";
}

class SnmpLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testsupport::SharedSnmpd().Started()) << testsupport::SharedSnmpd().Error(); }

    static std::string Agent() { return testsupport::SharedSnmpd().Address(); }

    // A synchronous v1 GET of one OID; the response's value text.
    static std::string GetV1(const char* oid) {
        CSnmpV1 session(SNMP_PDU_GET);
        session.setCommunity(kReadCommunity);
        session.addValue(oid, SNMP_TYPE_NULL, nullptr);
        CSnmp* response = nullptr;
        EXPECT_EQ(session.send(Agent().c_str(), response, 2000), EC_NO_ERROR);
        if (response == nullptr) return "<no response>";
        auto owned = Owned(response);
        return ValueText(*owned, 0);
    }
};

// ---- value encoding (no network)

TEST(SnmpValueTest, OidTexts) {
    struct Case {
        const char* text;
        bool ok;
        const char* normal;
    } cases[] = {
        {"1.3.6.1.2.1.1.1.0", true, "1.3.6.1.2.1.1.1.0"},
        {".1.3.6.1", true, "1.3.6.1"},
        {"1.3.4294967295", true, "1.3.4294967295"},
        {"1.3.4294967296", false, ""},
        {"", false, ""},
        {".", false, ""},
        {"1..3", false, ""},
        {"1.3.", false, ""},
        {"1.-3", false, ""},
        {"1.x", false, ""},
        {"1.3 ", false, ""},
    };
    for (const Case& c : cases) {
        snmpdetail::Oid oid;
        EXPECT_EQ(snmpdetail::ParseOid(c.text, oid), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(snmpdetail::OidToText(oid), c.normal);
        }
    }
    std::string tooLong = "1";
    for (int i = 0; i < 128; ++i) tooLong += ".1";
    snmpdetail::Oid oid;
    EXPECT_FALSE(snmpdetail::ParseOid(tooLong, oid));
}

TEST(SnmpValueTest, RequestValuesByType) {
    struct Case {
        int type;
        const char* value;
        int status;
    } cases[] = {
        {SNMP_TYPE_INTEGER, "-2147483648", EC_NO_ERROR},
        {SNMP_TYPE_INTEGER, "2147483648", EC_BAD_VALUE},
        {SNMP_TYPE_INTEGER, "12a", EC_BAD_VALUE},
        {SNMP_TYPE_INTEGER, "", EC_BAD_VALUE},
        {SNMP_TYPE_UNSIGNED32, "4294967295", EC_NO_ERROR},
        {SNMP_TYPE_UNSIGNED32, "-1", EC_BAD_VALUE},
        {SNMP_TYPE_OCTETS, "", EC_NO_ERROR},
        {SNMP_TYPE_OID, "1.3.6.1.4.1", EC_NO_ERROR},
        {SNMP_TYPE_OID, "1", EC_BAD_VALUE},
        {SNMP_TYPE_IPADDRESS, "192.168.1.254", EC_NO_ERROR},
        {SNMP_TYPE_IPADDRESS, "192.168.1.256", EC_BAD_VALUE},
        {SNMP_TYPE_IPADDRESS, "1.2.3", EC_BAD_VALUE},
        {SNMP_TYPE_NULL, nullptr, EC_NO_ERROR},
        {6, "1", EC_BAD_VALUE},
    };
    for (const Case& c : cases) {
        CSnmpV1 session(SNMP_PDU_SET);
        EXPECT_EQ(session.addValue("1.3.6.1.2.1.1.4.0", c.type, c.value), c.status)
            << c.type << " " << (c.value ? c.value : "null");
        EXPECT_EQ(session.getVarBindCount(), c.status == EC_NO_ERROR ? 1 : 0);
    }
    CSnmpV1 session(SNMP_PDU_SET);
    EXPECT_EQ(session.addValue("not.an.oid", SNMP_TYPE_NULL, nullptr), EC_BAD_VALUE);
    EXPECT_EQ(session.getVarBindCount(), 0);
}

// A number in the byte form is its decimal text up to the terminating zero, whatever length
// the caller passes; an OCTET STRING takes exactly its length, zero bytes included.
TEST(SnmpValueTest, ByteFormValues) {
    CSnmpV1 session(SNMP_PDU_SET);
    const char number[] = "1234";
    EXPECT_EQ(session.addBinaryValue("1.3.6.1.4.1.1.0", SNMP_TYPE_INTEGER, number, 1), EC_NO_ERROR);
    EXPECT_EQ(session.addBinaryValue("1.3.6.1.4.1.2.0", SNMP_TYPE_UNSIGNED32, number, 99), EC_NO_ERROR);
    const unsigned char ip[4] = {10, 0, 0, 1};
    EXPECT_EQ(session.addBinaryValue("1.3.6.1.4.1.3.0", SNMP_TYPE_IPADDRESS, ip, 4), EC_NO_ERROR);
    const char bytes[] = {'a', '\0', 'b'};
    EXPECT_EQ(session.addBinaryValue("1.3.6.1.4.1.4.0", SNMP_TYPE_OCTETS, bytes, 3), EC_NO_ERROR);
    EXPECT_EQ(session.addBinaryValue("1.3.6.1.4.1.5.0", SNMP_TYPE_OCTETS, nullptr, 2), EC_BAD_VALUE);

    const auto& vars = snmpdetail::Access::State(session)->vars;
    ASSERT_EQ(vars.size(), 4u);
    EXPECT_EQ(vars[0].number, 1234);
    EXPECT_EQ(vars[1].number, 1234);
    EXPECT_EQ(vars[2].bytes, std::string("\x0a\x00\x00\x01", 4));
    EXPECT_EQ(vars[3].bytes, std::string("a\0b", 3));
}

// The walk rules of CSnmpTable::getNext, given answers as an agent could send them.
TEST(SnmpWalkRuleTest, WhenAWalkEnds) {
    using snmpdetail::ResponseVar;
    auto var = [](const char* oid, int type = SNMP_TYPE_INTEGER) {
        ResponseVar v;
        snmpdetail::ParseOid(oid, v.name);
        v.oidText = oid;
        v.type = type;
        v.hasValue = type < SNMP_TYPE_NO_SUCH_OBJECT;
        v.text = v.bytes = "1";
        return v;
    };
    struct Case {
        const char* what;
        int errorStatus;
        std::vector<ResponseVar> vars;
        int status;
    } cases[] = {
        {"next row of both columns", 0, {var("1.3.6.1.9.1.2.5"), var("1.3.6.1.9.1.3.5")}, EC_NO_ERROR},
        {"first column left", 0, {var("1.3.6.1.9.1.3.1"), var("1.3.6.1.9.1.3.5")}, EC_END_OF_TABLE},
        {"second column left", 0, {var("1.3.6.1.9.1.2.5"), var("1.3.6.1.9.2")}, EC_END_OF_TABLE},
        {"answer not past the request", 0, {var("1.3.6.1.9.1.2.4"), var("1.3.6.1.9.1.3.4")}, EC_END_OF_TABLE},
        {"answer before the request", 0, {var("1.3.6.1.9.1.2.3"), var("1.3.6.1.9.1.3.5")}, EC_END_OF_TABLE},
        {"v1 noSuchName", 2, {var("1.3.6.1.9.1.2.4"), var("1.3.6.1.9.1.3.4")}, EC_END_OF_TABLE},
        {"endOfMibView",
         0,
         {var("1.3.6.1.9.1.2.5"), var("1.3.6.1.9.1.3.5", SNMP_TYPE_END_OF_MIB_VIEW)},
         EC_END_OF_TABLE},
        {"variable missing", 0, {var("1.3.6.1.9.1.2.5")}, EC_END_OF_TABLE},
    };
    for (Case& c : cases) {
        CSnmpV1 session(SNMP_PDU_GETNEXT);
        session.addValue("1.3.6.1.9.1.2", SNMP_TYPE_NULL, nullptr);
        session.addValue("1.3.6.1.9.1.3", SNMP_TYPE_NULL, nullptr);
        {  // the walk stands at row 4
            std::lock_guard lock(snmpdetail::Access::State(session)->mutex);
            snmpdetail::Access::State(session)->vars[0].name.push_back(4);
            snmpdetail::Access::State(session)->vars[1].name.push_back(4);
        }
        snmpdetail::Exchange exchange;
        ASSERT_EQ(exchange.Prepare(snmpdetail::Access::State(session), "127.0.0.1", 100, true), EC_NO_ERROR);
        CSnmp* response = snmpdetail::Access::NewResponse(1, c.errorStatus, 0, c.vars);
        EXPECT_EQ(exchange.Finish(EC_NO_ERROR, response), c.status) << c.what;
        EXPECT_EQ(response != nullptr, c.status == EC_NO_ERROR) << c.what;
        const auto& vars = snmpdetail::Access::State(session)->vars;
        EXPECT_EQ(vars[0].name.back(), c.status == EC_NO_ERROR ? 5u : 4u) << c.what;
        delete response;
    }
}

// ---- v1 against snmpd

TEST_F(SnmpLibraryTest, V1GetReturnsTheAgentsValue) {
    CSnmpV1 session(SNMP_PDU_GET);
    session.setCommunity(kReadCommunity);
    ASSERT_EQ(session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr), EC_NO_ERROR);
    ASSERT_EQ(session.addValue(kIfNumber, SNMP_TYPE_NULL, nullptr), EC_NO_ERROR);
    CSnmp* raw = nullptr;
    ASSERT_EQ(session.send(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    auto response = Owned(raw);
    EXPECT_EQ(response->getRequestId(), session.getRequestId());
    ASSERT_EQ(response->getVarBindCount(), 2);
    int status = -1, index = -1;
    response->getErrorStatus(status, index);
    EXPECT_EQ(status, 0);
    const char* oid = nullptr;
    response->getOid(0, oid);
    EXPECT_STREQ(oid, kSysDescr);
    int type = 0;
    const char* text = nullptr;
    response->getValue(0, type, text);
    EXPECT_EQ(type, SNMP_TYPE_OCTETS);
    EXPECT_NE(std::string(text).find("Linux"), std::string::npos) << text;
    response->getValue(1, type, text);
    EXPECT_EQ(type, SNMP_TYPE_INTEGER);
    EXPECT_GE(std::stoi(text), 1);
    EXPECT_EQ(response->getValue(2, type, text), EC_BAD_VALUE);
    // The request stays prepared: it can be sent again.
    ASSERT_EQ(session.send(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    EXPECT_EQ(Owned(raw)->getVarBindCount(), 2);
}

// usmUserPublic of a user is a writable OCTET STRING that takes any bytes; its index holds
// the agent's engine id, itself a binary string.
TEST_F(SnmpLibraryTest, V1SetNeedsTheWriteCommunityAndKeepsZeroBytes) {
    CSnmpV1 get(SNMP_PDU_GET);
    get.setCommunity(kReadCommunity);
    get.addValue("1.3.6.1.6.3.10.2.1.1.0", SNMP_TYPE_NULL, nullptr);  // snmpEngineID
    CSnmp* raw = nullptr;
    ASSERT_EQ(get.send(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    auto engine = Owned(raw);
    int type = 0, length = 0;
    const unsigned char* bytes = nullptr;
    engine->getBinaryValue(0, type, bytes, length);
    ASSERT_EQ(type, SNMP_TYPE_OCTETS);
    ASSERT_GE(length, 5);
    std::string oid = "1.3.6.1.6.3.15.1.2.2.1.11." + std::to_string(length);
    for (int i = 0; i < length; ++i) oid += "." + std::to_string(bytes[i]);
    const std::string user = testsupport::kMd5User.name;
    oid += "." + std::to_string(user.size());
    for (char c : user) oid += "." + std::to_string(static_cast<unsigned char>(c));

    const std::string value(
        "ab\0\x01"
        "cd\0",
        7);
    CSnmpV1 set(SNMP_PDU_SET);
    set.setCommunity(kReadCommunity);
    ASSERT_EQ(set.addBinaryValue(oid.c_str(), SNMP_TYPE_OCTETS, value.data(), static_cast<int>(value.size())),
              EC_NO_ERROR);
    ASSERT_EQ(set.send(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    int status = 0, index = 0;
    Owned(raw)->getErrorStatus(status, index);
    EXPECT_NE(status, 0) << "the read community must not write";

    set.setCommunity(kWriteCommunity);
    ASSERT_EQ(set.send(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    Owned(raw)->getErrorStatus(status, index);
    ASSERT_EQ(status, 0);

    get.clearVarBindList();
    get.addValue(oid.c_str(), SNMP_TYPE_NULL, nullptr);
    ASSERT_EQ(get.send(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    auto response = Owned(raw);
    response->getBinaryValue(0, type, bytes, length);
    EXPECT_EQ(type, SNMP_TYPE_OCTETS);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length)), value);
    const char* text = nullptr;
    response->getValue(0, type, text);
    EXPECT_STREQ(text, "ab");
}

// Walks three ifTable columns row by row: one row per interface, then the end, once.
TEST_F(SnmpLibraryTest, TableWalkEndsWhenItLeavesTheColumns) {
    const int interfaces = std::stoi(GetV1(kIfNumber));
    CSnmpV1 session(SNMP_PDU_GETNEXT);
    session.setCommunity(kReadCommunity);
    for (const char* column : {kIfIndex, kIfDescr, kIfType}) session.addValue(column, SNMP_TYPE_NULL, nullptr);
    CSnmpTable table(&session);
    int rows = 0;
    CSnmp* raw = nullptr;
    int status = EC_NO_ERROR;
    while ((status = table.getNext(Agent().c_str(), raw, 2000)) == EC_NO_ERROR) {
        auto response = Owned(raw);
        ASSERT_EQ(response->getVarBindCount(), 3);
        std::string suffix[3];
        for (int i = 0; i < 3; ++i) ASSERT_EQ(table.getIndex(i, response.get(), suffix[i]), EC_NO_ERROR);
        EXPECT_EQ(suffix[0], "." + ValueText(*response, 0));  // ifIndex is the row's index
        EXPECT_EQ(suffix[1], suffix[0]);
        EXPECT_EQ(suffix[2], suffix[0]);
        ASSERT_LT(++rows, 1000);
    }
    EXPECT_EQ(status, EC_END_OF_TABLE);
    EXPECT_EQ(raw, nullptr);
    EXPECT_EQ(rows, interfaces);
}

TEST_F(SnmpLibraryTest, V1NoSuchNameEndsTheWalk) {
    CSnmpV1 session(SNMP_PDU_GETNEXT);
    session.setCommunity(kReadCommunity);
    session.addValue("1.9", SNMP_TYPE_NULL, nullptr);  // nothing lies past it
    CSnmpTable table(&session);
    CSnmp* raw = nullptr;
    EXPECT_EQ(table.getNext(Agent().c_str(), raw, 2000), EC_END_OF_TABLE);
    EXPECT_EQ(raw, nullptr);
}

// GET and SET requests go out through the table object as prepared, once.
TEST_F(SnmpLibraryTest, TableObjectSendsGetAndSetAsPrepared) {
    CSnmpV1 session(SNMP_PDU_SET);
    session.setCommunity(kWriteCommunity);
    session.addValue(kSysContact, SNMP_TYPE_OCTETS, "ops@example.test");
    CSnmpTable table(&session);
    CSnmp* raw = nullptr;
    ASSERT_EQ(table.getNext(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    int status = -1, index = 0;
    Owned(raw)->getErrorStatus(status, index);
    EXPECT_EQ(status, 0);

    session.setType(SNMP_PDU_GET);
    session.setCommunity(kReadCommunity);
    session.clearVarBindList();
    session.addValue(kSysContact, SNMP_TYPE_NULL, nullptr);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(table.getNext(Agent().c_str(), raw, 2000), EC_NO_ERROR);
        auto response = Owned(raw);
        const char* oid = nullptr;
        response->getOid(0, oid);
        EXPECT_STREQ(oid, kSysContact);
        EXPECT_EQ(ValueText(*response, 0), "ops@example.test");
    }
}

// ---- v3 against snmpd

struct V3Case {
    testsupport::SnmpdUser user;
    char flags;
};

class SnmpV3Test : public SnmpLibraryTest, public ::testing::WithParamInterface<V3Case> {};

void ApplyUser(CSnmpV3& session, const testsupport::SnmpdUser& user, char flags, const char* authPass,
               const char* privPass) {
    session.setMsgMaxSize(1024);
    session.setMsgSecurityModel(3);
    session.setUserName(user.name);
    session.setMsgFlags(flags);
    if (user.authProtocol >= 0) {
        session.setAuthArith(user.authProtocol);
        session.setAuthPwd(authPass, static_cast<int>(std::strlen(authPass)));
    }
    if (*privPass != '\0') {
        session.setPriArith(0);
        session.setPriPwd(privPass, static_cast<int>(std::strlen(privPass)));
    }
}

int GetSysDescrV3(const std::string& agent, const testsupport::SnmpdUser& user, char flags, const char* authPass,
                  const char* privPass, std::string* value = nullptr) {
    CSnmpV3 session(SNMP_PDU_GET);
    ApplyUser(session, user, flags, authPass, privPass);
    session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
    CSnmpTable table(&session);
    CSnmp* raw = nullptr;
    const int status = table.getNext(agent.c_str(), raw, 2000);
    if (raw != nullptr) {
        auto response = Owned(raw);
        int err = -1, index = 0;
        response->getErrorStatus(err, index);
        EXPECT_EQ(err, 0);
        if (value != nullptr) *value = ValueText(*response, 0);
    }
    return status;
}

TEST_P(SnmpV3Test, UserReadsTheAgent) {
    const V3Case& c = GetParam();
    std::string value;
    EXPECT_EQ(GetSysDescrV3(Agent(), c.user, c.flags, c.user.authPassPhrase, c.user.privPassPhrase, &value),
              EC_NO_ERROR);
    EXPECT_NE(value.find("Linux"), std::string::npos) << value;
}

INSTANTIATE_TEST_SUITE_P(Levels, SnmpV3Test,
                         ::testing::Values(V3Case{testsupport::kNoAuthUser, 0}, V3Case{testsupport::kMd5User, 1},
                                           V3Case{testsupport::kShaUser, 1}, V3Case{testsupport::kMd5DesUser, 3},
                                           V3Case{testsupport::kShaDesUser, 3}),
                         [](const auto& info) { return std::string(info.param.user.name); });

// net-snmp caches a user's localized keys per engine; a corrected pass phrase must still
// take effect in the same process.
TEST_F(SnmpLibraryTest, WrongPassPhraseRefusedThenCorrectedOneAccepted) {
    using testsupport::kMd5DesUser;
    using testsupport::kShaUser;
    EXPECT_EQ(GetSysDescrV3(Agent(), kShaUser, 1, "wrongpassphrase", ""), EC_SECURITY);
    EXPECT_EQ(GetSysDescrV3(Agent(), kShaUser, 1, kShaUser.authPassPhrase, ""), EC_NO_ERROR);
    EXPECT_EQ(GetSysDescrV3(Agent(), kShaUser, 1, "wrongpassphrase", ""), EC_SECURITY);
    EXPECT_NE(GetSysDescrV3(Agent(), kMd5DesUser, 3, kMd5DesUser.authPassPhrase, "wrongprivacy"), EC_NO_ERROR);
    EXPECT_EQ(GetSysDescrV3(Agent(), kMd5DesUser, 3, kMd5DesUser.authPassPhrase, kMd5DesUser.privPassPhrase),
              EC_NO_ERROR);
    // One session object whose pass phrase is corrected between two requests.
    CSnmpV3 session(SNMP_PDU_GET);
    ApplyUser(session, kShaUser, 1, "anotherwrongone", "");
    session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
    CSnmp* raw = nullptr;
    EXPECT_EQ(session.send(Agent().c_str(), raw, 2000), EC_SECURITY);
    session.setAuthPwd(kShaUser.authPassPhrase, static_cast<int>(std::strlen(kShaUser.authPassPhrase)));
    ASSERT_EQ(session.send(Agent().c_str(), raw, 2000), EC_NO_ERROR);
    delete raw;
}

// ---- time-outs and independence of sessions

TEST_F(SnmpLibraryTest, SilentAgentTimesOutAfterTheTimeOut) {
    testsupport::SilentAgent silent;
    for (int version : {1, 3}) {
        std::unique_ptr<CSnmpV1> session =
            version == 1 ? std::make_unique<CSnmpV1>(SNMP_PDU_GET) : std::make_unique<CSnmpV3>(SNMP_PDU_GET);
        if (version == 1) {
            session->setCommunity(kReadCommunity);
        } else {
            ApplyUser(static_cast<CSnmpV3&>(*session), testsupport::kMd5User, 1, "md5passphrase", "");
        }
        session->addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
        CSnmp* raw = nullptr;
        const auto start = Clock::now();
        EXPECT_EQ(session->send(silent.Address().c_str(), raw, 300), EC_TIMEOUT) << version;
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300)) << version;
        EXPECT_EQ(raw, nullptr);
    }
}

// A time-out of 0 is the library's default, which start-up sets.
TEST_F(SnmpLibraryTest, DefaultTimeOutComesFromStartUp) {
    EXPECT_EQ(SnmpInit(nullptr), 0);
    EXPECT_EQ(SnmpInit(nullptr), 0);
    testsupport::SilentAgent silent;
    SetSnmpTimeout(300);
    CSnmpV1 session(SNMP_PDU_GET);
    session.setCommunity(kReadCommunity);
    session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
    CSnmp* raw = nullptr;
    const auto start = Clock::now();
    EXPECT_EQ(session.send(silent.Address().c_str(), raw, 0), EC_TIMEOUT);
    const auto waited = Clock::now() - start;
    SetSnmpTimeout(5000);
    EXPECT_GE(waited, std::chrono::milliseconds(300));
    EXPECT_LT(waited, std::chrono::milliseconds(4000));
}

struct AsyncLog {
    std::mutex mutex;
    std::vector<int> ids;
    std::vector<int> statuses;
    std::vector<std::string> values;
    win::Event ended{true, false};
    CSnmpTable4w* walker = nullptr;
    std::string agent;
};

bool WaitEnded(AsyncLog& log, DWORD ms) { return testsupport::WaitAndSettle(log.ended, log.mutex, ms); }

int OnRow(CSnmp* response, int requestId, void* user, int status) {
    auto* log = static_cast<AsyncLog*>(user);
    std::lock_guard lock(log->mutex);
    log->ids.push_back(requestId);
    log->statuses.push_back(status);
    if (status != EC_NO_ERROR) {
        log->ended.Set();
        return 0;
    }
    log->values.push_back(ValueText(*response, 0));
    delete response;
    if (log->walker != nullptr) log->walker->getNextAsync(log->agent.c_str(), OnRow, log, nullptr, 2000);
    else log->ended.Set();
    return 0;
}

// A request waiting for a silent agent does not hold up requests to another agent.
TEST_F(SnmpLibraryTest, SilentSessionDoesNotDelayAnother) {
    testsupport::SilentAgent silent;
    AsyncLog silentLog;
    CSnmp4w wrapper;
    {
        CSnmpV1 session(SNMP_PDU_GET);  // may go as soon as the request started
        session.setCommunity(kReadCommunity);
        session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
        wrapper.setSnmp(&session);
        ASSERT_EQ(wrapper.sendAsync(silent.Address().c_str(), OnRow, &silentLog, nullptr, 4000), EC_NO_ERROR);
    }
    for (int i = 0; i < 20; ++i) EXPECT_NE(GetV1(kSysDescr).find("Linux"), std::string::npos);
    EXPECT_FALSE(silentLog.ended.IsSet()) << "the silent request ended before the others";
    ASSERT_TRUE(WaitEnded(silentLog, 8000));
    EXPECT_EQ(silentLog.statuses, std::vector<int>{EC_TIMEOUT});
}

TEST_F(SnmpLibraryTest, AsyncWalkReArmedFromTheCallback) {
    const int interfaces = std::stoi(GetV1(kIfNumber));
    CSnmpV1 session(SNMP_PDU_GETNEXT);
    session.setCommunity(kReadCommunity);
    session.addValue(kIfDescr, SNMP_TYPE_NULL, nullptr);
    CSnmpTable4w walker;
    walker.setSnmp(&session);
    AsyncLog log;
    log.walker = &walker;
    log.agent = Agent();
    ASSERT_EQ(walker.getNextAsync(Agent().c_str(), OnRow, &log, nullptr, 2000), EC_NO_ERROR);
    ASSERT_TRUE(WaitEnded(log, 10000));
    std::lock_guard lock(log.mutex);
    ASSERT_EQ(log.statuses.size(), static_cast<std::size_t>(interfaces + 1));
    EXPECT_EQ(log.statuses.back(), EC_END_OF_TABLE);
    for (std::size_t i = 1; i < log.ids.size(); ++i) EXPECT_EQ(log.ids[i], log.ids[i - 1] + 1);
    EXPECT_EQ(session.getRequestId(), log.ids.back());
    EXPECT_EQ(log.values.front(), "lo");
}

TEST_F(SnmpLibraryTest, DestroyedWrapperGetsNoCallback) {
    testsupport::SilentAgent silent;
    AsyncLog log;
    CSnmpV1 session(SNMP_PDU_GET);
    session.setCommunity(kReadCommunity);
    session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
    auto wrapper = std::make_unique<CSnmp4w>();
    wrapper->setSnmp(&session);
    ASSERT_EQ(wrapper->sendAsync(silent.Address().c_str(), OnRow, &log, nullptr, 200), EC_NO_ERROR);
    wrapper.reset();
    // A later request of the same kind completes, so the dropped one has been handled.
    CSnmp4w other;
    other.setSnmp(&session);
    AsyncLog otherLog;
    ASSERT_EQ(other.sendAsync(silent.Address().c_str(), OnRow, &otherLog, nullptr, 300), EC_NO_ERROR);
    ASSERT_TRUE(WaitEnded(otherLog, 5000));
    EXPECT_FALSE(log.ended.IsSet());
    EXPECT_TRUE(log.statuses.empty());
}

TEST_F(SnmpLibraryTest, NotReadyWithoutVariables) {
    CSnmpV1 session(SNMP_PDU_GET);
    CSnmp* raw = nullptr;
    EXPECT_EQ(session.send(Agent().c_str(), raw, 100), EC_NOT_READY);
    CSnmpTable table(&session);
    EXPECT_EQ(table.getNext(Agent().c_str(), raw, 100), EC_NOT_READY);
    CSnmp4w wrapper;
    AsyncLog log;
    EXPECT_EQ(wrapper.sendAsync(Agent().c_str(), OnRow, &log, nullptr, 100), EC_NOT_READY);
    wrapper.setSnmp(&session);
    EXPECT_EQ(wrapper.sendAsync(Agent().c_str(), OnRow, &log, nullptr, 100), EC_NOT_READY);
}

}  // namespace

namespace {

// The library reports through the debug output and prints nothing itself.
TEST(SnmpQuietTest, AnUnusableAgentIsReportedQuietly) {
    win::StartDebugCapture();
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    CSnmpV1 session(SNMP_PDU_GET);
    session.setCommunity(kReadCommunity);
    session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
    CSnmp* raw = nullptr;
    EXPECT_EQ(session.send("127.0.0.1:99999", raw, 500), EC_SEND_FAILED);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    const auto lines = win::CapturedDebugLines();
    win::StopDebugCapture();
    EXPECT_EQ(out, "");
    if (std::getenv("MODULE_DEBUG") == nullptr) {
        EXPECT_EQ(err, "");
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("snmp: ", 0), 0u) << lines.back();
}

}  // namespace
