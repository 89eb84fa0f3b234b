// A thread waiting for its own answer reads it off the socket itself: the engine thread must
// take the socket back for any other request on it, and no waiter may hold up another.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/snmp/Snmp.h"
#include "platform/win/Event.h"
#include "tests/support/snmp/SnmpAgents.h"

namespace {

using testsupport::kReadCommunity;
using testsupport::oids::kSysDescr;

// Shorter than the engine thread's longest idle wait, so an answer nobody reads times out.
constexpr unsigned long kShortTimeoutMs = 500;

std::string Agent() { return testsupport::SharedSnmpd().Address(); }

int SyncGet(CSnmpV1& session, const std::string& agent, unsigned long timeoutMs) {
    CSnmp* response = nullptr;
    const int status = session.send(agent.c_str(), response, timeoutMs);
    delete response;
    return status;
}

struct AsyncResult {
    int status = -1;
    win::Event ended{true, false};
};

int OnAnswer(CSnmp* response, int, void* user, int status) {
    auto* result = static_cast<AsyncResult*>(user);
    delete response;
    result->status = status;
    result->ended.Set();
    return 0;
}

class SnmpReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::SharedSnmpd().Started()) << testsupport::SharedSnmpd().Error();
        session.setCommunity(kReadCommunity);
        session.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
    }
    CSnmpV1 session{SNMP_PDU_GET};
};

// Requests answered by the waiting thread alternate with asynchronous ones on the same
// session, whose answers only the engine thread reads.
TEST_F(SnmpReaderTest, AsynchronousRequestAfterWaitedOnesIsAnswered) {
    CSnmp4w wrapper;
    wrapper.setSnmp(&session);
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 3; ++i) ASSERT_EQ(SyncGet(session, Agent(), 2000), EC_NO_ERROR);
        AsyncResult result;
        ASSERT_EQ(wrapper.sendAsync(Agent().c_str(), OnAnswer, &result, nullptr, kShortTimeoutMs), EC_NO_ERROR);
        ASSERT_EQ(result.ended.Wait(5000), WAIT_OBJECT_0);
        ASSERT_EQ(result.status, EC_NO_ERROR) << "round " << round;
    }
}

// Threads waiting on one session at once: one reads the socket, the others' answers must
// still reach them when it stops.
TEST_F(SnmpReaderTest, ThreadsWaitingOnOneSessionAllGetTheirAnswers) {
    constexpr int kThreads = 3, kRequests = 40;
    std::vector<std::vector<int>> statuses(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t, &statuses, agent = Agent()] {
            for (int i = 0; i < kRequests; ++i) statuses[t].push_back(SyncGet(session, agent, kShortTimeoutMs));
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(statuses[t], std::vector<int>(kRequests, EC_NO_ERROR)) << t;
}

// A thread waiting on a silent agent holds up neither the engine thread nor other waiters.
TEST_F(SnmpReaderTest, WaiterOnSilentAgentDelaysNoOther) {
    testsupport::SilentAgent silent;
    CSnmpV1 silentSession(SNMP_PDU_GET);
    silentSession.setCommunity(kReadCommunity);
    silentSession.addValue(kSysDescr, SNMP_TYPE_NULL, nullptr);
    win::Event silentEnded{true, false};
    int silentStatus = -1;
    std::thread waiter([&] {
        silentStatus = SyncGet(silentSession, silent.Address(), 4000);
        silentEnded.Set();
    });
    for (int i = 0; i < 20; ++i) EXPECT_EQ(SyncGet(session, Agent(), 2000), EC_NO_ERROR);
    CSnmp4w wrapper;
    wrapper.setSnmp(&session);
    AsyncResult result;
    ASSERT_EQ(wrapper.sendAsync(Agent().c_str(), OnAnswer, &result, nullptr, 2000), EC_NO_ERROR);
    ASSERT_EQ(result.ended.Wait(3000), WAIT_OBJECT_0);
    EXPECT_EQ(result.status, EC_NO_ERROR);
    EXPECT_FALSE(silentEnded.IsSet()) << "the silent request ended before the others";
    waiter.join();
    EXPECT_EQ(silentStatus, EC_TIMEOUT);
}

}  // namespace
