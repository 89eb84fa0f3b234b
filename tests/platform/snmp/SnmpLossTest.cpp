// The SNMP client library against a lossy or hostile peer on 127.0.0.1: the simulated switch
// losing or repeating answers, and hand-made answers from a stranger, with another community
// or with numbers beyond their type's range.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/snmp/Snmp.h"
#include "platform/win/Clock.h"
#include "platform/win/Event.h"
#include "tests/support/snmp/RawSnmp.h"
#include "tests/support/snmp/SnmpAgents.h"
#include "tests/support/switchsim/SimulatedSwitch.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using switchsim::LoggedRequest;

const char* const kIfDescr = "1.3.6.1.2.1.2.2.1.2";
const char* const kSysContact = "1.3.6.1.2.1.1.4.0";
// Program time: with the clock ten times faster, a wait of 300 ms, a send every 100 ms.
constexpr unsigned long kTimeoutMs = 3000;
constexpr double kClockSpeed = 10;

std::unique_ptr<CSnmp> Owned(CSnmp* response) { return std::unique_ptr<CSnmp>(response); }

std::string ValueText(const CSnmp& response, int index) {
    int type = 0;
    const char* text = nullptr;
    if (response.getValue(index, type, text) != EC_NO_ERROR || text == nullptr) return "<none>";
    return text;
}

// A v1 session with a community, or a v3 authPriv one, for the simulated switch.
std::unique_ptr<CSnmpV1> Session(int version, int pduType, const char* community = "norfen") {
    if (version == 1) {
        auto session = std::make_unique<CSnmpV1>(pduType);
        session->setCommunity(community);
        return session;
    }
    auto session = std::make_unique<CSnmpV3>(pduType);
    session->setUserName("simshades");
    session->setMsgFlags(3);
    session->setAuthArith(1);
    session->setAuthPwd("simshapass", 10);
    session->setPriArith(0);
    session->setPriPwd("simdespass", 10);
    return session;
}

struct Walk {
    std::vector<std::string> rows;
    int status = EC_NO_ERROR;
};

// An asynchronous walk, re-armed from its callback as the program's walks are.
struct AsyncWalk {
    CSnmpTable4w walker;
    std::string agent;
    std::function<void(std::size_t)> afterRow;
    std::mutex mutex;
    Walk walk;
    win::Event ended{true, false};

    static int OnRow(CSnmp* response, int, void* user, int status) {
        auto* self = static_cast<AsyncWalk*>(user);
        std::lock_guard lock(self->mutex);
        self->walk.status = status;
        if (status != EC_NO_ERROR || self->walk.rows.size() > 100) {
            delete response;
            self->ended.Set();
            return 0;
        }
        self->walk.rows.push_back(ValueText(*Owned(response), 0));
        if (self->afterRow) self->afterRow(self->walk.rows.size());
        self->walker.getNextAsync(self->agent.c_str(), OnRow, self, nullptr, kTimeoutMs);
        return 0;
    }
};

// Walks ifDescr one row a request, synchronously or through the callback thread; afterRow
// runs as each row comes.
Walk WalkIfDescr(const std::string& agent, int version, bool async,
                 const std::function<void(std::size_t)>& afterRow = {}) {
    auto session = Session(version, SNMP_PDU_GETNEXT);
    session->addValue(kIfDescr, SNMP_TYPE_NULL, nullptr);
    if (!async) {
        Walk walk;
        CSnmpTable table(session.get());
        CSnmp* raw = nullptr;
        while ((walk.status = table.getNext(agent.c_str(), raw, kTimeoutMs)) == EC_NO_ERROR) {
            walk.rows.push_back(ValueText(*Owned(raw), 0));
            if (afterRow) afterRow(walk.rows.size());
            if (walk.rows.size() > 100) break;
        }
        return walk;
    }
    AsyncWalk state;
    state.agent = agent;
    state.afterRow = afterRow;
    state.walker.setSnmp(session.get());
    EXPECT_EQ(state.walker.getNextAsync(agent.c_str(), AsyncWalk::OnRow, &state, nullptr, kTimeoutMs), EC_NO_ERROR);
    EXPECT_TRUE(testsupport::WaitAndSettle(state.ended, state.mutex, 20000));
    return state.walk;
}

// Sends a session's request once, synchronously or through the callback thread.
int SendOnce(CSnmpV1& session, const std::string& agent, bool async, std::unique_ptr<CSnmp>& response,
             unsigned long timeoutMs) {
    if (!async) {
        CSnmp* raw = nullptr;
        const int status = session.send(agent.c_str(), raw, timeoutMs);
        response = Owned(raw);
        return status;
    }
    struct Result {
        std::mutex mutex;
        win::Event done{true, false};
        int status = -100;
        CSnmp* response = nullptr;
    } result;
    CSnmp4w wrapper;
    wrapper.setSnmp(&session);
    auto onDone = [](CSnmp* r, int, void* user, int status) -> int {
        auto* res = static_cast<Result*>(user);
        std::lock_guard lock(res->mutex);
        res->status = status;
        res->response = r;
        res->done.Set();
        return 0;
    };
    EXPECT_EQ(wrapper.sendAsync(agent.c_str(), onDone, &result, nullptr, timeoutMs), EC_NO_ERROR);
    EXPECT_TRUE(testsupport::WaitAndSettle(result.done, result.mutex, 20000));
    response = Owned(result.response);
    return result.status;
}

std::size_t CountResent(const std::vector<LoggedRequest>& arrivals) {
    return static_cast<std::size_t>(
        std::count_if(arrivals.begin(), arrivals.end(), [](const auto& r) { return r.resent; }));
}

class SnmpLossTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SnmpInit(nullptr);  // as the program does at start-up: no request pays for it
        s_sim = std::make_unique<switchsim::SimulatedSwitch>();
        std::string error;
        if (!s_sim->Start(&error)) ADD_FAILURE() << error;
    }
    static void TearDownTestSuite() { s_sim.reset(); }
    void SetUp() override {
        ASSERT_TRUE(s_sim->Running());
        ASSERT_TRUE(s_sim->ClearFaults());
        s_sim->ClearRequests();
        win::SetClockSpeed(kClockSpeed);
    }
    void TearDown() override { win::SetClockSpeed(1); }

    static std::string Agent() { return s_sim->Target(); }
    static std::vector<std::string> AllRows() {
        static const std::vector<std::string> rows = WalkIfDescr(Agent(), 1, false).rows;
        return rows;
    }

    static inline std::unique_ptr<switchsim::SimulatedSwitch> s_sim;
};

struct ReadCase {
    int version;
    bool async;
    std::string Name() const { return std::string(version == 1 ? "v1" : "v3") + (async ? " async" : " sync"); }
};
const ReadCase kReadCases[] = {{1, false}, {1, true}, {3, false}, {3, true}};

// One answer lost in the middle of a walk: the read is sent again under its request id, and
// the walk goes on to its end.
TEST_F(SnmpLossTest, LostAnswerInAWalkLosesNoRow) {
    ASSERT_GT(AllRows().size(), 20u);
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.Name());
        s_sim->ClearRequests();
        const Walk walk = WalkIfDescr(Agent(), c.version, c.async, [](std::size_t row) {
            if (row == 5) s_sim->Command("drop 1");
        });
        EXPECT_EQ(walk.status, EC_END_OF_TABLE);
        EXPECT_EQ(walk.rows, AllRows());
        const auto arrivals = s_sim->Arrivals();
        ASSERT_EQ(CountResent(arrivals), 1u);
        const auto resent = std::find_if(arrivals.begin(), arrivals.end(), [](const auto& r) { return r.resent; });
        const auto& lost = *std::prev(resent);
        EXPECT_FALSE(lost.answered);
        EXPECT_EQ(lost.requestId, resent->requestId);
        EXPECT_EQ(lost.varbinds[0].oid, resent->varbinds[0].oid);
        EXPECT_TRUE(resent->answered);
        // Counted as requests, the resend is part of its request.
        EXPECT_EQ(s_sim->Requests().size(), arrivals.size() - 1);
    }
}

// Every answer three times over: the copies add no row.
TEST_F(SnmpLossTest, DuplicatedAnswersAddNoRow) {
    ASSERT_TRUE(s_sim->Command("copies 3"));
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.Name());
        const Walk walk = WalkIfDescr(Agent(), c.version, c.async);
        EXPECT_EQ(walk.status, EC_END_OF_TABLE);
        EXPECT_EQ(walk.rows, AllRows());
    }
}

// A SET goes out once, answered or not: sent again it could act twice.
TEST_F(SnmpLossTest, SetIsSentOnceWhateverHappens) {
    struct Case {
        const char* fault;
        int status;
    } const cases[] = {{"drop 1", EC_TIMEOUT}, {"silence all", EC_TIMEOUT}, {"delay 150", EC_NO_ERROR}};
    for (const Case& c : cases) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(std::string(c.fault) + (async ? " async" : " sync"));
            ASSERT_TRUE(s_sim->ClearFaults());
            ASSERT_TRUE(s_sim->Command(c.fault));
            s_sim->ClearRequests();
            auto session = Session(1, SNMP_PDU_SET, "quastel");
            session->addValue(kSysContact, SNMP_TYPE_OCTETS, "ops");
            std::unique_ptr<CSnmp> response;
            EXPECT_EQ(SendOnce(*session, Agent(), async, response, kTimeoutMs), c.status);
            ASSERT_TRUE(s_sim->ClearFaults());
            const auto arrivals = s_sim->Arrivals();
            ASSERT_EQ(arrivals.size(), 1u);
            EXPECT_EQ(arrivals[0].pdu, "set");
        }
    }
}

// A silent switch: the read goes out three times under one request id, a third of the wait
// apart, and ends at its time-out, which runs on the program's clock.
TEST_F(SnmpLossTest, TimeOutStaysTheWholeWait) {
    struct Case {
        double speed;
        unsigned long timeoutMs;
        std::chrono::milliseconds real;
    } const cases[] = {{1, 600, 600ms}, {kClockSpeed, kTimeoutMs, 300ms}};
    ASSERT_TRUE(s_sim->Silence("all"));
    for (const Case& c : cases) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(std::to_string(c.timeoutMs) + (async ? " async" : " sync"));
            win::SetClockSpeed(c.speed);
            s_sim->ClearRequests();
            auto session = Session(1, SNMP_PDU_GET);
            session->addValue(kSysContact, SNMP_TYPE_NULL, nullptr);
            std::unique_ptr<CSnmp> response;
            const auto start = Clock::now();
            EXPECT_EQ(SendOnce(*session, Agent(), async, response, c.timeoutMs), EC_TIMEOUT);
            const auto waited = Clock::now() - start;
            EXPECT_GE(waited, c.real);
            EXPECT_LT(waited, c.real * 2 + 200ms) << "a resend does not start the wait anew";
            const auto arrivals = s_sim->Arrivals();
            ASSERT_EQ(arrivals.size(), 3u);
            EXPECT_EQ(CountResent(arrivals), 2u);
            for (std::size_t i = 1; i < arrivals.size(); ++i) {
                EXPECT_EQ(arrivals[i].requestId, arrivals[0].requestId);
                const auto after = std::chrono::microseconds(arrivals[i].arrivalUs - arrivals[0].arrivalUs);
                EXPECT_GE(after, c.real * static_cast<int>(i) / 3 - 20ms) << i;
            }
        }
    }
}

// A peer on 127.0.0.1 that answers each GET with what `answer` gives (datagrams from the
// agent's own socket, and from a stranger's).
class RawAgent {
public:
    using Answer = std::function<void(const testsupport::RawRequest&, int clientPort, testsupport::UdpPeer& self,
                                      testsupport::UdpPeer& stranger)>;
    explicit RawAgent(Answer answer) : m_answer(std::move(answer)), m_thread([this] { Run(); }) {}
    ~RawAgent() {
        m_stop = true;
        m_thread.join();
    }
    std::string Address() const { return m_self.Address(); }

private:
    void Run() {
        while (!m_stop) {
            std::string datagram;
            int from = 0;
            testsupport::RawRequest request;
            if (m_self.Receive(datagram, from, 20) && testsupport::ParseRawRequest(datagram, request))
                m_answer(request, from, m_self, m_stranger);
        }
    }
    testsupport::UdpPeer m_self, m_stranger;
    Answer m_answer;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Before the agent's answer come one from another port with the request's id, and one from
// the agent's port with another community: the read takes the agent's answer.
TEST_F(SnmpLossTest, AnswerTakenOnlyFromTheAgentWithTheCommunity) {
    win::SetClockSpeed(1);
    RawAgent agent([](const testsupport::RawRequest& request, int client, testsupport::UdpPeer& self,
                      testsupport::UdpPeer& stranger) {
        using testsupport::BerText;
        using testsupport::RawResponse;
        const std::string oid = request.oids.at(0);
        stranger.SendTo(client, RawResponse(request, {{oid, BerText("from a stranger")}}, request.community));
        self.SendTo(client, RawResponse(request, {{oid, BerText("another community")}}, "public"));
        self.SendTo(client, RawResponse(request, {{oid, BerText("the agent")}}, request.community));
    });
    for (bool async : {false, true}) {
        SCOPED_TRACE(async ? "async" : "sync");
        auto session = Session(1, SNMP_PDU_GET);
        session->addValue(kSysContact, SNMP_TYPE_NULL, nullptr);
        std::unique_ptr<CSnmp> response;
        ASSERT_EQ(SendOnce(*session, agent.Address(), async, response, 2000), EC_NO_ERROR);
        ASSERT_TRUE(response);
        EXPECT_EQ(ValueText(*response, 0), "the agent");
    }
}

// A number beyond its type's range is a bad answer: the read ends as on an error status and
// nothing of the answer is shown. net-snmp alone would show such a number cut to 32 bits.
TEST_F(SnmpLossTest, ValueOutOfItsRangeIsABadAnswer) {
    using testsupport::Ber;
    using testsupport::BerSigned;
    using testsupport::BerUnsigned;
    struct Case {
        const char* what;
        std::string value;
        const char* shown;  // nullptr: a bad answer
    } const cases[] = {
        {"INTEGER lowest", BerSigned(0x02, -2147483648LL), "-2147483648"},
        {"INTEGER highest", BerSigned(0x02, 2147483647), "2147483647"},
        {"INTEGER 5 in five octets", Ber(0x02, std::string("\0\0\0\0\5", 5)), "5"},
        {"INTEGER 2^31", BerSigned(0x02, 2147483648LL), nullptr},
        {"INTEGER -2^31-1", BerSigned(0x02, -2147483649LL), nullptr},
        {"INTEGER 2^32+5", BerSigned(0x02, 4294967301LL), nullptr},
        {"INTEGER 64-bit negative", BerSigned(0x02, -7374182401LL), nullptr},
        {"Gauge32 highest", BerUnsigned(0x42, 4294967295ULL), "4294967295"},
        {"Gauge32 2^32", BerUnsigned(0x42, 4294967296ULL), nullptr},
        {"Gauge32 negative", BerSigned(0x42, -1), nullptr},
        {"Counter32 2^32+7", BerUnsigned(0x41, 4294967303ULL), nullptr},
        {"TimeTicks 2^33", BerUnsigned(0x43, 8589934592ULL), nullptr},
        {"Counter64 highest", BerUnsigned(0x46, 18446744073709551615ULL), "18446744073709551615"},
    };
    win::SetClockSpeed(1);
    std::mutex mutex;
    std::string served;
    RawAgent agent(
        [&](const testsupport::RawRequest& request, int client, testsupport::UdpPeer& self, testsupport::UdpPeer&) {
            std::lock_guard lock(mutex);
            std::vector<std::pair<std::string, std::string>> vars;
            for (const std::string& oid : request.oids)
                vars.emplace_back(request.pduType == 0xA1 ? oid + ".1" : oid,
                                  vars.empty() ? testsupport::BerText("ok") : served);
            self.SendTo(client, testsupport::RawResponse(request, vars, request.community));
        });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        {
            std::lock_guard lock(mutex);
            served = c.value;
        }
        auto session = Session(1, SNMP_PDU_GET);
        session->addValue(kSysContact, SNMP_TYPE_NULL, nullptr);
        session->addValue("1.3.6.1.4.1.32473.1.0", SNMP_TYPE_NULL, nullptr);
        std::unique_ptr<CSnmp> response;
        ASSERT_EQ(SendOnce(*session, agent.Address(), false, response, 2000), EC_NO_ERROR);
        int status = -1, index = -1;
        response->getErrorStatus(status, index);
        if (c.shown != nullptr) {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(ValueText(*response, 1), c.shown);
        } else {
            EXPECT_NE(status, 0);
            EXPECT_EQ(index, 2);
            EXPECT_EQ(response->getVarBindCount(), 0);
        }
        // In a walk, the bad answer ends it.
        session->setType(SNMP_PDU_GETNEXT);
        CSnmpTable table(session.get());
        CSnmp* raw = nullptr;
        EXPECT_EQ(table.getNext(agent.Address().c_str(), raw, 2000), c.shown ? EC_NO_ERROR : EC_END_OF_TABLE);
        delete raw;
    }
}

}  // namespace
