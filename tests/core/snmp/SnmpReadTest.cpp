// The shared read and write path (core/SnmpRead) against the simulated switch: every way a
// read ends, restarts and closing, the synchronous helpers, and CCommonSNMP::Open during a
// walk's re-arming.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "core/SnmpRead.h"
#include "platform/ui/Wnd.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A small table of our own: three rows, an INTEGER column and an OCTET STRING column whose
// values hold binary bytes (a zero byte too).
const std::string kTable = "1.3.6.1.4.1.32473.99.1.";
const std::string kNumbers = kTable + "1";
const std::string kBytes = kTable + "2";

class SnmpReadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = switchsim::StartSuiteSwitch().release(); }
    static void TearDownTestSuite() {
        delete sim;
        sim = nullptr;
    }
    void SetUp() override {
        switchsim::ResetForTest(sim);
        switchsim::PointModuleAt(*sim, "1000");
        ModuleStartupParams::ReadCommunity = "norfen";
        ModuleStartupParams::WriteCommunity = "quastel";
        sim->Command("del " + kTable.substr(0, kTable.size() - 1));
        for (int r = 1; r <= 3; ++r) {
            ASSERT_TRUE(sim->SetObject(kNumbers + "." + std::to_string(r), "i", std::to_string(10 * r)));
            ASSERT_TRUE(sim->SetObject(kBytes + "." + std::to_string(r), "x", "0" + std::to_string(r) + "00FF"));
        }
    }
    void TearDown() override {
        EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(5000));
        ModuleStartupParams::ResetToDefaults();
    }

    size_t GetNexts() const {
        size_t n = 0;
        for (const auto& r : sim->Requests()) n += r.pdu == "getnext";
        return n;
    }

    static switchsim::SimulatedSwitch* sim;
    ui::test::Harness ui;  // the user-interface thread the handlers run on
};
switchsim::SimulatedSwitch* SnmpReadTest::sim = nullptr;

// What a read handed over, and on which thread.
struct Seen {
    std::vector<SnmpRow> rows;
    std::optional<SnmpReadResult> end;
    int ends = 0;
    bool offUiThread = false;
};

CSnmpRead::RowHandler Collect(Seen& seen, std::size_t stopAfter = 0) {
    return [&seen, stopAfter](const SnmpRow& row) {
        seen.offUiThread |= !ui::IsUiThread();
        seen.rows.push_back(row);
        return stopAfter == 0 || seen.rows.size() < stopAfter;
    };
}

CSnmpRead::EndHandler CollectEnd(Seen& seen) {
    return [&seen](const SnmpReadResult& end) {
        seen.offUiThread |= !ui::IsUiThread();
        seen.end = end;
        ++seen.ends;
    };
}

enum class Act { Nothing, RestartDuringRequest, CloseDuringRequest, DestroyInRowHandler };

struct EndCase {
    const char* name;
    std::vector<std::string> faults;  // control commands before the read
    SnmpReadSpec spec;
    Act act = Act::Nothing;
    std::size_t stopAfter = 0;
    const char* agent = nullptr;     // another agent address than the switch
    std::optional<SnmpReadEnd> end;  // none: no end may be delivered
    std::size_t rows = 0;
    int status = 0;
    int errorStatus = 0;
};

SnmpReadSpec Walk(int minVarbinds = 0, int timeoutMs = 0) {
    SnmpReadSpec spec = SnmpReadSpec::Walk({kNumbers, kBytes}, timeoutMs);
    spec.minVarbinds = static_cast<std::size_t>(minVarbinds);
    return spec;
}

// A SET of row 2's two objects.
SnmpReadSpec SetRow2(int timeoutMs = 0) {
    return SnmpReadSpec::Set(
        {SnmpSetVar::Integer(kNumbers + ".2", 77), SnmpSetVar::Octets(kBytes + ".2", std::string("\0\x01", 2))},
        timeoutMs);
}

// A SET naming objects without their values: it has nothing to write.
SnmpReadSpec SetWithoutValues() {
    SnmpReadSpec spec = SetRow2();
    spec.values.clear();
    return spec;
}

const EndCase kEndCases[] = {
    {"EndOfTable", {}, Walk(), Act::Nothing, 0, nullptr, SnmpReadEnd::Complete, 3},
    {"GetAnswered",
     {},
     SnmpReadSpec::Get({kNumbers + ".2", kBytes + ".2"}),
     Act::Nothing,
     0,
     nullptr,
     SnmpReadEnd::Complete,
     1},
    {"SetAnswered", {}, SetRow2(), Act::Nothing, 0, nullptr, SnmpReadEnd::Complete, 1},
    {"SetRefused",
     {"error " + kBytes + ".2 genErr"},
     SetRow2(),
     Act::Nothing,
     0,
     nullptr,
     SnmpReadEnd::ErrorStatus,
     0,
     0,
     5},
    {"SetUnanswered",
     {"silence " + kNumbers + ".2"},
     SetRow2(300),
     Act::Nothing,
     0,
     nullptr,
     SnmpReadEnd::Timeout,
     0,
     EC_TIMEOUT},
    {"SetWithoutValues", {}, SetWithoutValues(), Act::Nothing, 0, nullptr, SnmpReadEnd::LibraryError, 0, EC_NOT_READY},
    {"StoppedByTheRowHandler", {}, Walk(), Act::Nothing, 2, nullptr, SnmpReadEnd::Stopped, 2},
    {"Timeout",
     {"silence " + kNumbers + ".3"},
     Walk(0, 300),
     Act::Nothing,
     0,
     nullptr,
     SnmpReadEnd::Timeout,
     2,
     EC_TIMEOUT},
    {"ErrorStatus",
     {"error " + kNumbers + ".2 genErr"},
     Walk(),
     Act::Nothing,
     0,
     nullptr,
     SnmpReadEnd::ErrorStatus,
     1,
     0,
     5},
    {"LibraryError", {}, Walk(), Act::Nothing, 0, "127.0.0.1:notaport", SnmpReadEnd::LibraryError, 0, EC_SEND_FAILED},
    {"ShortAnswer", {}, Walk(3), Act::Nothing, 0, nullptr, SnmpReadEnd::ShortAnswer, 0},
    {"LoopingAgent", {"loop " + kNumbers}, Walk(), Act::Nothing, 0, nullptr, SnmpReadEnd::Complete, 1},
    // The restarted read's rows and end only; the first read's late answer is dropped.
    {"StaleAnswerAfterRestart",
     {"delay 1500"},
     Walk(0, 3000),
     Act::RestartDuringRequest,
     0,
     nullptr,
     SnmpReadEnd::Complete,
     3},
    {"CloseDuringRequest", {"silence all"}, Walk(0, 2000), Act::CloseDuringRequest, 0, nullptr, std::nullopt, 0},
    {"DestructionDuringCallback", {}, Walk(), Act::DestroyInRowHandler, 0, nullptr, std::nullopt, 1},
};

class SnmpReadEndsTest : public SnmpReadTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(SnmpReadEndsTest, ReachesTheCallerWithItsReason) {
    const EndCase& c = GetParam();
    for (const std::string& fault : c.faults) ASSERT_TRUE(sim->Command(fault)) << fault;
    if (c.agent) ModuleStartupParams::DeviceIP = c.agent;
    Seen seen;
    auto read = std::make_unique<CSnmpRead>();
    CSnmpRead::RowHandler onRow = Collect(seen, c.stopAfter);
    if (c.act == Act::DestroyInRowHandler) {
        onRow = [&](const SnmpRow& row) {
            seen.rows.push_back(row);
            read.reset();  // the owner goes while its read is in a callback
            return true;
        };
    }
    read->Start(c.spec, onRow, CollectEnd(seen));
    if (c.act == Act::RestartDuringRequest || c.act == Act::CloseDuringRequest) {
        ASSERT_TRUE(ui::test::WaitUntil([&] { return !sim->Requests().empty(); }));
        const auto start = Clock::now();
        if (c.act == Act::RestartDuringRequest) {
            sim->Command("delay 0");
            read->Start(c.spec, Collect(seen), CollectEnd(seen));
        } else {
            read->Close();
        }
        // Well under the request's time-out or delay: the call did not wait for it.
        EXPECT_LT(Clock::now() - start, 1000ms) << "waited for the request in flight";
    }
    if (c.end) {
        ASSERT_TRUE(ui::test::WaitUntil([&] { return seen.ends > 0; }));
    }
    if (c.act == Act::DestroyInRowHandler) {
        ASSERT_TRUE(ui::test::WaitUntil([&] { return !read; }));
    }
    // Whatever the old or closed sessions still had out is over once they are released.
    ASSERT_TRUE(CSnmpRead::WaitForClosedSessions(5000));
    if (read) {
        ASSERT_TRUE(ui::test::WaitUntil([&] { return !read->Running(); }));
    }
    ui::test::Flush();  // what was handed over before the release has been handled

    EXPECT_FALSE(seen.offUiThread) << "a handler ran off the user-interface thread";
    EXPECT_EQ(seen.rows.size(), c.rows);
    if (!c.end) {
        EXPECT_EQ(seen.ends, 0) << "an end after Close";
        return;
    }
    ASSERT_EQ(seen.ends, 1);
    EXPECT_EQ(SnmpReadEndName(seen.end->end), std::string(SnmpReadEndName(*c.end)));
    EXPECT_EQ(seen.end->rows, c.rows);
    EXPECT_EQ(seen.end->status, c.status);
    EXPECT_EQ(seen.end->errorStatus, c.errorStatus);
    for (std::size_t i = 0; i < seen.rows.size(); ++i) EXPECT_EQ(seen.rows[i].number, i + 1);
}

INSTANTIATE_TEST_SUITE_P(Ends, SnmpReadEndsTest, ::testing::ValuesIn(kEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A row carries each variable's type, text, raw bytes and instance suffix.
TEST_F(SnmpReadTest, RowsCarryTypesBytesAndIndexes) {
    Seen seen;
    CSnmpRead read;
    read.Start(Walk(), Collect(seen), CollectEnd(seen));
    ASSERT_TRUE(ui::test::WaitUntil([&] { return seen.ends > 0; }));
    ASSERT_EQ(seen.rows.size(), 3u);
    const SnmpRow& row = seen.rows[1];
    EXPECT_EQ(row.Index(), ".2");
    EXPECT_EQ(row.IndexDigits(), "2");
    EXPECT_EQ(row.vars[0].type, SNMP_TYPE_INTEGER);
    EXPECT_EQ(row.Number(0), 20);
    EXPECT_EQ(row.vars[1].type, SNMP_TYPE_OCTETS);
    EXPECT_EQ(row.Bytes(1), std::string("\x02\x00\xFF", 3));
    EXPECT_EQ(row.vars[1].index, ".2");
    EXPECT_EQ(row.vars[1].oid, kBytes + ".2");
    // A GETNEXT walk, one request a row, and one more that finds the end.
    EXPECT_EQ(GetNexts(), 4u);
}

// A session that cannot open (an SNMP version the module does not speak) would never call
// back: the read ends at once with a library error, and nothing goes out.
TEST_F(SnmpReadTest, ASessionThatCannotOpenEndsTheReadAtOnce) {
    ModuleStartupParams::SnmpVersion = "2";
    Seen seen;
    CSnmpRead read;
    read.Start(Walk(), Collect(seen), CollectEnd(seen));
    EXPECT_FALSE(read.Running());
    ASSERT_EQ(seen.ends, 1);
    EXPECT_EQ(seen.end->end, SnmpReadEnd::LibraryError);
    EXPECT_EQ(seen.end->status, EC_NOT_READY);
    EXPECT_TRUE(seen.rows.empty());
    EXPECT_TRUE(sim->Requests().empty());
}

// An asynchronous SET sends its variables, values and types in one request with the write
// community, and hands the answer's variables over as its one row.
TEST_F(SnmpReadTest, AnAsynchronousSetWritesItsVariablesInOneRequest) {
    Seen seen;
    CSnmpRead write;
    write.Start(SetRow2(), Collect(seen), CollectEnd(seen));
    ASSERT_TRUE(ui::test::WaitUntil([&] { return seen.ends > 0; }));
    ASSERT_EQ(seen.end->end, SnmpReadEnd::Complete);
    EXPECT_EQ(seen.end->pduType, SNMP_PDU_SET);
    EXPECT_EQ(seen.end->SessionStatus(), 0);
    const auto requests = sim->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].pdu, "set");
    EXPECT_EQ(requests[0].community, "quastel");
    ASSERT_EQ(requests[0].varbinds.size(), 2u);
    EXPECT_EQ(requests[0].varbinds[0].oid, kNumbers + ".2");
    EXPECT_EQ(requests[0].varbinds[0].type, "i");
    EXPECT_EQ(requests[0].varbinds[1].oid, kBytes + ".2");
    EXPECT_EQ(requests[0].varbinds[1].hex, "0001");
    EXPECT_EQ(sim->GetObject(kNumbers + ".2").value_or(""), "i 77");
    EXPECT_EQ(sim->GetObject(kBytes + ".2").value_or(""), "s 00 01");
    ASSERT_EQ(seen.rows.size(), 1u);
    EXPECT_EQ(seen.rows[0].Number(0), 77);
    EXPECT_EQ(seen.rows[0].Bytes(1), std::string("\0\x01", 2));
    EXPECT_EQ(seen.rows[0].Index(), "");
}

TEST_F(SnmpReadTest, GetAndSetHelpersGiveValuesAndStatuses) {
    CCommonSNMP session;
    SnmpAnswer a = SnmpGet(session, {kNumbers + ".1", kBytes + ".3"});
    ASSERT_TRUE(a.Ok());
    EXPECT_EQ(a.Number(0), 10);
    EXPECT_EQ(a.Bytes(1), std::string("\x03\x00\xFF", 3));

    const SnmpAnswer w = SnmpSet(session, {SnmpSetVar::Integer(kNumbers + ".1", 77),
                                           SnmpSetVar::Octets(kBytes + ".1", std::string("\0\x01", 2))});
    ASSERT_TRUE(w.Ok());
    EXPECT_EQ(sim->GetObject(kNumbers + ".1").value_or(""), "i 77");
    EXPECT_EQ(sim->GetObject(kBytes + ".1").value_or(""), "s 00 01");

    ASSERT_TRUE(sim->InjectError(kNumbers + ".2", "genErr"));
    a = SnmpGet(session, {kNumbers + ".2"});
    EXPECT_TRUE(a.Answered());
    EXPECT_FALSE(a.Ok());
    EXPECT_EQ(a.errorStatus, 5);
    EXPECT_EQ(a.errorIndex, 1);

    ASSERT_TRUE(sim->Silence());
    a = SnmpGet(session, {kNumbers + ".2"}, 200);
    EXPECT_EQ(a.status, EC_TIMEOUT);
    EXPECT_FALSE(a.Answered());
}

// CCommonSNMP::Open while a walk's callback re-arms its session: Open stops the worker before
// it takes the session lock, so the re-arming is refused at once instead of holding Open
// until the worker is given up (3 s).
TEST_F(SnmpReadTest, OpenDuringAWalksRearmReturnsAtOnce) {
    struct Walk {
        CCommonSNMP session;
        win::Event inCallback{true, false};
        win::Event openStarted{true, false};
        std::atomic<int> callbacks{0};
    } walk;
    auto callback = +[](CSnmp* response, int requestId, void* data, int) -> int {
        auto& w = *static_cast<Walk*>(data);
        delete response;
        if (!w.session.FindRequestID(requestId)) return 0;
        ++w.callbacks;
        w.inCallback.Set();
        w.openStarted.Wait(INFINITE);
        w.session.StartAsync(
            +[](CSnmp* r, int, void*, int) -> int {
                delete r;
                return 0;
            },
            data, 0);
        return 0;
    };
    walk.session.Open(SNMP_PDU_GETNEXT);
    walk.session.AddVarBind(kNumbers, SNMP_TYPE_NULL, nullptr);
    walk.session.StartAsync(callback, &walk, 0);
    ASSERT_EQ(walk.inCallback.Wait(5000), WAIT_OBJECT_0);
    const auto start = Clock::now();
    walk.openStarted.Set();
    EXPECT_TRUE(walk.session.Open(SNMP_PDU_GET));
    EXPECT_LT(Clock::now() - start, 1000ms);
    EXPECT_EQ(walk.callbacks.load(), 1);
    // The session works on as usual.
    walk.session.AddVarBind(kNumbers + ".3", SNMP_TYPE_NULL, nullptr);
    CSnmp* raw = nullptr;
    ASSERT_EQ(walk.session.Send(raw, 0), 0);
    delete raw;
}

}  // namespace
