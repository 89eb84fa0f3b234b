// CCommonSNMP against the real snmpd and a silent agent on loopback.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/ModuleStartupParams.h"
#include "tests/support/snmp/SnmpAgents.h"
#include "tests/support/SessionTarget.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

using namespace testsupport::oids;
const char* const kIfColumns[] = {kIfIndex, kIfDescr, kIfType};

std::string Value(CSnmp& response, int index) {
    int type = 0;
    const char* text = nullptr;
    response.getValue(index, type, text);
    return text != nullptr ? text : "<none>";
}

// What an owner's callback saw, in the way the system's logic classes handle a walk.
struct Walk {
    CCommonSNMP* session = nullptr;
    std::mutex mutex;
    std::vector<int> ids;
    std::vector<int> statuses;
    std::vector<int> claimed;  // FindRequestID of each id
    std::vector<std::string> suffixes;
    bool rearm = true;
    win::Event finished{true, false};
};

bool WaitFinished(Walk& walk, DWORD ms) { return testsupport::WaitAndSettle(walk.finished, walk.mutex, ms); }

int OnWalkRow(CSnmp* response, int requestId, void* userData, int status) {
    auto* walk = static_cast<Walk*>(userData);
    std::unique_lock lock(walk->mutex);
    walk->ids.push_back(requestId);
    walk->statuses.push_back(status);
    walk->claimed.push_back(walk->session->FindRequestID(requestId));
    if (status != 0) {
        walk->session->SetDone();
        walk->finished.Set();
        return 0;
    }
    std::string suffix;
    walk->session->GetIndex(0, response, suffix);
    walk->suffixes.push_back(suffix);
    delete response;
    if (walk->rearm) {
        lock.unlock();
        walk->session->StartAsync(OnWalkRow, walk, 0);
    } else {
        walk->session->SetDone();
        walk->finished.Set();
    }
    return 0;
}

class CommonSNMPTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::SharedSnmpd().Started()) << testsupport::SharedSnmpd().Error();
        ModuleStartupParams::ResetToDefaults();
        testsupport::PointSessionsAt(testsupport::SharedSnmpd().Address());
        ModuleStartupParams::TimeoutMs = "2000";
    }
    void TearDown() override { ModuleStartupParams::ResetToDefaults(); }

    // Sessions made from now on talk to the silent agent with this default time-out.
    static void UseSilent(const testsupport::SilentAgent& silent, const char* timeoutMs) {
        testsupport::PointSessionsAt(silent.Address());
        ModuleStartupParams::TimeoutMs = timeoutMs;
    }

    static std::string Get(const char* oid) {
        CCommonSNMP session;
        session.Open(0);
        session.AddVarBind(oid, SNMP_TYPE_NULL, nullptr);
        CSnmp* response = nullptr;
        if (session.Send(response, 0) != 0) return "<failed>";
        std::unique_ptr<CSnmp> owned(response);
        return Value(*owned, 0);
    }
};

// Runs first in the file: the process's first arming gets id 1.
TEST_F(CommonSNMPTest, FirstArmingInTheProcessGetsIdOne) {
    ASSERT_EQ(g_nRequestCounter.load(), 0) << "run this test in a fresh process";
    CCommonSNMP session;
    Walk walk;
    walk.session = &session;
    walk.rearm = false;
    session.Open(0);
    session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    session.StartAsync(OnWalkRow, &walk, 0);
    ASSERT_TRUE(WaitFinished(walk, 5000));
    session.Close();
    EXPECT_EQ(walk.ids, std::vector<int>{1});
    EXPECT_EQ(walk.claimed, std::vector<int>{1});
}

// Walks three ifTable columns, re-armed from the callback: one row per interface, the end
// exactly once, each id new and claimed by its own callback.
TEST_F(CommonSNMPTest, AsyncWalkOfThreeColumnsEndsOnce) {
    const int interfaces = std::stoi(Get(kIfNumber));
    CCommonSNMP session;
    Walk walk;
    walk.session = &session;
    ASSERT_TRUE(session.Open(1));
    for (const char* column : kIfColumns) ASSERT_EQ(session.AddVarBind(column, SNMP_TYPE_NULL, nullptr), 0);
    const int before = g_nRequestCounter.load();
    EXPECT_EQ(session.StartAsync(OnWalkRow, &walk, 0), -1);
    ASSERT_TRUE(WaitFinished(walk, 10000));
    session.Close();

    std::lock_guard lock(walk.mutex);
    ASSERT_EQ(walk.statuses.size(), static_cast<std::size_t>(interfaces + 1));
    EXPECT_EQ(std::count(walk.statuses.begin(), walk.statuses.end(), -2), 1);
    EXPECT_EQ(walk.statuses.back(), -2);
    for (std::size_t i = 0; i < walk.ids.size(); ++i) {
        EXPECT_EQ(walk.ids[i], before + 1 + static_cast<int>(i));
        EXPECT_EQ(walk.claimed[i], 1);
    }
    EXPECT_EQ(walk.suffixes.front(), ".1");
    EXPECT_EQ(session.FindRequestID(walk.ids.back()), 0);
}

TEST_F(CommonSNMPTest, RequestIdsRiseAcrossSessions) {
    CCommonSNMP first, second;
    Walk a, b;
    a.session = &first;
    b.session = &second;
    a.rearm = b.rearm = false;
    for (CCommonSNMP* s : {&first, &second}) {
        s->Open(0);
        s->AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    }
    const int before = g_nRequestCounter.load();
    first.StartAsync(OnWalkRow, &a, 0);
    second.StartAsync(OnWalkRow, &b, nullptr, 0);
    ASSERT_TRUE(WaitFinished(a, 5000));
    ASSERT_TRUE(WaitFinished(b, 5000));
    EXPECT_EQ(a.ids, std::vector<int>{before + 1});
    EXPECT_EQ(b.ids, std::vector<int>{before + 2});
    // An id belongs to the session that armed it.
    EXPECT_EQ(first.FindRequestID(before + 2), 0);
    first.Close();
    second.Close();
}

// GET and SET requests prepared by Open go out through GetNext with their own types.
TEST_F(CommonSNMPTest, GetAndSetKeepTheirTypesThroughGetNext) {
    CCommonSNMP set;
    ASSERT_TRUE(set.Open(3));
    set.AddVarBind(kSysContact, SNMP_TYPE_OCTETS, "noc@example.test");
    set.AddVarBind(kSysName, SNMP_TYPE_OCTETS, "switch-7");
    CSnmp* response = nullptr;
    ASSERT_EQ(set.GetNext(response, 0), 0);
    int error = -1, index = -1;
    response->getErrorStatus(error, index);
    delete response;
    EXPECT_EQ(error, 0);

    CCommonSNMP get;
    ASSERT_TRUE(get.Open(0));
    get.AddVarBind(kSysContact, SNMP_TYPE_NULL, nullptr);
    get.AddVarBind(kSysName, SNMP_TYPE_NULL, nullptr);
    for (int round = 0; round < 2; ++round) {  // a GET does not advance
        ASSERT_EQ(get.GetNext(response, 0), 0);
        std::unique_ptr<CSnmp> owned(response);
        ASSERT_EQ(owned->getVarBindCount(), 2);
        const char* oid = nullptr;
        owned->getOid(0, oid);
        EXPECT_STREQ(oid, kSysContact);
        owned->getOid(1, oid);
        EXPECT_STREQ(oid, kSysName);
        EXPECT_EQ(Value(*owned, 0), "noc@example.test");
        EXPECT_EQ(Value(*owned, 1), "switch-7");
    }
}

// The variables stay in the PDU after a send until the next Open.
TEST_F(CommonSNMPTest, VariablesStayUntilTheNextOpen) {
    CCommonSNMP session;
    session.Open(0);
    session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    CSnmp* response = nullptr;
    ASSERT_EQ(session.Send(response, 0), 0);
    EXPECT_EQ(response->getVarBindCount(), 1);
    delete response;
    session.AddVarBind(kIfNumber, SNMP_TYPE_NULL, nullptr);
    ASSERT_EQ(session.Send(response, 0), 0);
    EXPECT_EQ(response->getVarBindCount(), 2);
    delete response;
    session.Open(0);
    EXPECT_EQ(session.Send(response, 0), -1);
    EXPECT_EQ(response, nullptr);
}

TEST_F(CommonSNMPTest, RefusedRequests) {
    {  // version 1 knows only types 0, 1 and 3; the variables are gone all the same
        CCommonSNMP session;
        session.Open(0);
        session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
        EXPECT_FALSE(session.Open(2));
        EXPECT_FALSE(session.Open(4));
        CSnmp* response = nullptr;
        EXPECT_EQ(session.Send(response, 0), -1);
        EXPECT_EQ(session.GetNext(response, 0), -1);
    }
    {  // no variable: refused, done at once
        CCommonSNMP session;
        session.Open(1);
        Walk walk;
        walk.session = &session;
        session.StartAsync(OnWalkRow, &walk, 0);
        std::string suffix;
        EXPECT_EQ(session.GetIndex(0, nullptr, suffix), -1);
        session.Close();
        EXPECT_TRUE(walk.ids.empty());
    }
    ModuleStartupParams::SnmpVersion = "2";
    CCommonSNMP session;
    EXPECT_FALSE(session.Open(0));
    EXPECT_EQ(session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr), -1);
    const char bytes[2] = {1, 2};
    EXPECT_EQ(session.AddVarBind(kSysDescr, SNMP_TYPE_OCTETS, bytes, 2), -1);
    CSnmp* response = nullptr;
    EXPECT_EQ(session.Send(response, 0), -1);
    EXPECT_EQ(session.GetNext(response, 0), -1);
    Walk walk;
    walk.session = &session;
    const auto start = Clock::now();
    session.StartAsync(OnWalkRow, &walk, 0);
    session.Close();  // the refused arming set the done event: no wait
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
    EXPECT_TRUE(walk.ids.empty());
}

// Close while an answer is out: the callback never comes, Close returns when the worker
// has ended, and a later arming without Open is refused.
TEST_F(CommonSNMPTest, CloseDuringAWalk) {
    testsupport::SilentAgent silent;
    UseSilent(silent, "600");
    CCommonSNMP session;
    Walk walk;
    walk.session = &session;
    session.Open(1);
    session.AddVarBind(kIfColumns[0], SNMP_TYPE_NULL, nullptr);
    session.StartAsync(OnWalkRow, &walk, 0);
    ASSERT_TRUE(silent.WaitForRequest(5000));
    const auto start = Clock::now();
    session.Close();
    EXPECT_LE(Clock::now() - start, milliseconds(600 + 1000));
    session.StartAsync(OnWalkRow, &walk, 0);
    session.Close();
    // No callback comes, also later: once no worker runs, none can (an arming that was not
    // refused would have had its time-out's callback by then).
    ASSERT_TRUE(CCommonSNMP::WaitForWorkers(5000));
    std::lock_guard lock(walk.mutex);
    EXPECT_TRUE(walk.ids.empty());
}

TEST_F(CommonSNMPTest, SilentAgentTimesOut) {
    testsupport::SilentAgent silent;
    UseSilent(silent, "400");
    CCommonSNMP session;
    session.Open(0);
    session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    CSnmp* response = nullptr;
    auto start = Clock::now();
    EXPECT_EQ(session.Send(response, 0), -1);  // 0: the session's time-out
    EXPECT_GE(Clock::now() - start, milliseconds(400));
    EXPECT_EQ(response, nullptr);

    Walk walk;
    walk.session = &session;
    start = Clock::now();
    session.StartAsync(OnWalkRow, &walk, 300);
    ASSERT_TRUE(WaitFinished(walk, 5000));
    EXPECT_GE(Clock::now() - start, milliseconds(300));
    EXPECT_EQ(walk.statuses, std::vector<int>{-1});
    session.Close();
}

// A session waiting for a silent agent does not hold up another session's requests.
TEST_F(CommonSNMPTest, SilentSessionDoesNotDelayAnother) {
    testsupport::SilentAgent silent;
    testsupport::PointSessionsAt(silent.Address());
    CCommonSNMP stuck;
    testsupport::PointSessionsAt(testsupport::SharedSnmpd().Address());
    Walk walk;
    walk.session = &stuck;
    stuck.Open(0);
    stuck.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    stuck.StartAsync(OnWalkRow, &walk, 2500);
    for (int i = 0; i < 20; ++i) EXPECT_NE(Get(kSysDescr).find("Linux"), std::string::npos);
    EXPECT_FALSE(walk.finished.IsSet()) << "the silent request ended before the others";
    stuck.Close();
}

// Destroyed while its worker waits longer than the session will: the worker is left to
// end on its own and its result is dropped.
TEST_F(CommonSNMPTest, DestroyedWhileTheWorkerWaits) {
    testsupport::SilentAgent silent;
    UseSilent(silent, "200");
    Walk walk;
    auto session = std::make_unique<CCommonSNMP>();
    walk.session = session.get();
    session->Open(0);
    session->AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    session->StartAsync(OnWalkRow, &walk, 5000);
    ASSERT_TRUE(silent.WaitForRequest(5000));
    session.reset();
    ASSERT_TRUE(CCommonSNMP::WaitForWorkers(10000));  // the worker's request has ended
    std::lock_guard lock(walk.mutex);
    EXPECT_TRUE(walk.ids.empty());
}

// WaitForWorkers returns once the last worker has ended, its callback made.
TEST_F(CommonSNMPTest, WaitForWorkersEndsWithTheLastWorker) {
    testsupport::SilentAgent silent;
    UseSilent(silent, "300");
    CCommonSNMP session;
    Walk walk;
    walk.session = &session;
    session.Open(0);
    session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    session.StartAsync(OnWalkRow, &walk, 300);
    EXPECT_FALSE(CCommonSNMP::WaitForWorkers(0));
    ASSERT_TRUE(CCommonSNMP::WaitForWorkers(5000));
    EXPECT_TRUE(walk.finished.IsSet());
    session.Close();
}

// ---- SNMPv3 settings from the start-up parameters

struct V3Settings {
    const char* name;
    const char* level;
    const char* auth;
    const char* priv;
    testsupport::SnmpdUser user;
    bool answers;
};

class CommonSNMPv3Test : public CommonSNMPTest, public ::testing::WithParamInterface<V3Settings> {};

void UseV3(const testsupport::SnmpdUser& user, const char* level, const char* auth, const char* priv) {
    ModuleStartupParams::SnmpVersion = "3";
    ModuleStartupParams::UserName = user.name;
    ModuleStartupParams::SecurityLevel = level;
    ModuleStartupParams::AuthProtocol = auth;
    ModuleStartupParams::PrivProtocol = priv;
    ModuleStartupParams::AuthPassword = user.authPassPhrase;
    ModuleStartupParams::PrivPassword = user.privPassPhrase;
}

TEST_P(CommonSNMPv3Test, ReadsWithTheStartupSecurity) {
    const V3Settings& c = GetParam();
    UseV3(c.user, c.level, c.auth, c.priv);
    CCommonSNMP session;
    ASSERT_TRUE(session.Open(0));
    session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    CSnmp* response = nullptr;
    const int status = session.Send(response, 0);
    std::unique_ptr<CSnmp> owned(response);
    int error = 0, index = 0;
    if (owned) owned->getErrorStatus(error, index);
    if (c.answers) {
        ASSERT_EQ(status, 0);
        EXPECT_EQ(error, 0);
        EXPECT_NE(Value(*owned, 0).find("Linux"), std::string::npos);
    } else {
        EXPECT_TRUE(status != 0 || error != 0) << "a user that needs more security was served";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Security, CommonSNMPv3Test,
    ::testing::Values(V3Settings{"NoAuth", "1", "1", "1", testsupport::kNoAuthUser, true},
                      V3Settings{"AuthMd5", "2", "2", "1", testsupport::kMd5User, true},
                      V3Settings{"AuthSha", "2", "3", "1", testsupport::kShaUser, true},
                      V3Settings{"PrivMd5Des", "3", "2", "2", testsupport::kMd5DesUser, true},
                      V3Settings{"PrivShaDes", "3", "3", "2", testsupport::kShaDesUser, true},
                      // level 2 with an unknown protocol ends at flags 0
                      V3Settings{"AuthUnknownProtocol", "2", "1", "1", testsupport::kMd5User, false},
                      // level 3 with an unknown privacy protocol ends at flags 1
                      V3Settings{"PrivUnknownIsAuthOnly", "3", "3", "1", testsupport::kShaDesUser, false},
                      V3Settings{"PrivUnknownAuthUserAnswers", "3", "3", "1", testsupport::kShaUser, true},
                      // level 3 with an unknown authentication protocol ends at flags 0
                      V3Settings{"PrivWithoutAuth", "3", "1", "2", testsupport::kShaDesUser, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonSNMPTest, CorrectedPassPhraseWorksWithoutRestart) {
    UseV3(testsupport::kMd5DesUser, "3", "2", "2");
    ModuleStartupParams::AuthPassword = "notthepassphrase";
    CSnmp* response = nullptr;
    {
        CCommonSNMP session;
        session.Open(0);
        session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
        EXPECT_NE(session.Send(response, 0), 0);
        EXPECT_EQ(response, nullptr);
    }
    ModuleStartupParams::AuthPassword = testsupport::kMd5DesUser.authPassPhrase;
    CCommonSNMP session;
    session.Open(0);
    session.AddVarBind(kSysDescr, SNMP_TYPE_NULL, nullptr);
    ASSERT_EQ(session.Send(response, 0), 0);
    delete response;
}

}  // namespace
