// Walk speed of CCommonSNMP against snmpwalk on the same snmpd, and the effect of a
// session waiting on a silent agent on another session's requests.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/ModuleStartupParams.h"
#include "tests/support/snmp/SnmpAgents.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
const char* kSubtree = "1.3.6.1.2.1";  // all of MIB-II that snmpd serves
constexpr int kRounds = 9;             // alternating; medians, against the noise of a shared machine

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct WalkState {
    CCommonSNMP* session = nullptr;
    int rows = 0;
    win::Event done{true, false};
};

int OnRow(CSnmp* response, int requestId, void* userData, int status) {
    auto* walk = static_cast<WalkState*>(userData);
    if (!walk->session->FindRequestID(requestId) || status != 0) {
        delete response;
        walk->session->SetDone();
        walk->done.Set();
        return 0;
    }
    ++walk->rows;
    delete response;
    walk->session->StartAsync(OnRow, walk, 0);
    return 0;
}

// One asynchronous walk of the subtree, one row per request; rows and seconds.
std::pair<int, double> WalkWithSession() {
    CCommonSNMP session;
    WalkState walk;
    walk.session = &session;
    session.Open(1);
    session.AddVarBind(kSubtree, SNMP_TYPE_NULL, nullptr);
    const auto start = Clock::now();
    session.StartAsync(OnRow, &walk, 0);
    walk.done.Wait(INFINITE);
    const double seconds = Seconds(Clock::now() - start);
    session.Close();
    return {walk.rows, seconds};
}

double RunSnmpwalk(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = -1;
    if (posix_spawn(&pid, "/usr/bin/snmpwalk", &actions, nullptr, argv.data(), environ) != 0) return -1;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    return Seconds(Clock::now() - start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void CompareWalks(const char* label, const std::vector<std::string>& snmpwalkArgs) {
    int rows = 0;
    std::vector<double> ours, tool;
    for (int i = 0; i < kRounds; ++i) {
        auto [n, seconds] = WalkWithSession();
        rows = n;
        ours.push_back(seconds);
        tool.push_back(RunSnmpwalk(snmpwalkArgs));
    }
    const double oursRate = rows / Median(ours), toolRate = rows / Median(tool);
    std::printf("%-12s %6d rows  CCommonSNMP %7.0f rows/s  snmpwalk %7.0f rows/s  ratio %.2f (median of %d)\n", label,
                rows, oursRate, toolRate, oursRate / toolRate, kRounds);
}

// Synchronous GETs per second on one session, with or without another session waiting
// on a silent agent meanwhile (longer than the GETs take).
constexpr int kSilentWaitMs = 2000;
double GetsPerSecond(const std::string& agent, const std::string* silentAgent) {
    std::unique_ptr<CCommonSNMP> stuck;
    WalkState stuckWalk;
    if (silentAgent != nullptr) {
        ModuleStartupParams::DeviceIP = *silentAgent;
        stuck = std::make_unique<CCommonSNMP>();
        stuckWalk.session = stuck.get();
        stuck->Open(0);
        stuck->AddVarBind("1.3.6.1.2.1.1.1.0", SNMP_TYPE_NULL, nullptr);
        stuck->StartAsync(OnRow, &stuckWalk, kSilentWaitMs);
    }
    ModuleStartupParams::DeviceIP = agent;
    CCommonSNMP session;
    session.Open(0);
    session.AddVarBind("1.3.6.1.2.1.1.1.0", SNMP_TYPE_NULL, nullptr);
    constexpr int kGets = 2000;
    const auto start = Clock::now();
    for (int i = 0; i < kGets; ++i) {
        CSnmp* response = nullptr;
        if (session.Send(response, 0) != 0) std::printf("GET failed\n");
        delete response;
    }
    const double rate = kGets / Seconds(Clock::now() - start);
    if (stuck) {
        if (stuckWalk.done.IsSet()) std::printf("  (the silent session's request was over before the GETs ended)\n");
        // Over before the next round, which may be one without it.
        stuckWalk.done.Wait(INFINITE);
        stuck->Close();
    }
    return rate;
}

// GETs alone and beside a session waiting on a silent agent, alternating; medians.
void CompareGets(const std::string& agent) {
    ModuleStartupParams::SnmpVersion = "1";
    testsupport::SilentAgent silent;
    const std::string silentAddress = silent.Address();
    std::vector<double> alone, beside;
    constexpr int kGetRounds = 21;  // short rounds: more of them
    for (int i = 0; i < kGetRounds; ++i) {
        // Either goes first in turn, against the drift of a shared machine.
        if (i % 2 == 0) alone.push_back(GetsPerSecond(agent, nullptr));
        beside.push_back(GetsPerSecond(agent, &silentAddress));
        if (i % 2 == 1) alone.push_back(GetsPerSecond(agent, nullptr));
    }
    // Rounds next to each other ran under much the same load: the median of their ratios
    // sees through the drift of a shared machine better than the ratio of the medians.
    std::vector<double> ratios;
    for (int i = 0; i < kGetRounds; ++i) ratios.push_back(beside[i] / alone[i]);
    std::printf(
        "GETs alone %9.0f/s   beside a session waiting on a silent agent %9.0f/s   ratio %.2f, of neighbouring "
        "rounds %.2f (medians of %d)\n",
        Median(alone), Median(beside), Median(beside) / Median(alone), Median(ratios), kGetRounds);
}

std::vector<std::string> UseV1(const std::vector<std::string>& common, const std::string& target) {
    ModuleStartupParams::SnmpVersion = "1";
    auto v1 = common;
    v1.insert(v1.end(), {"-v1", "-c", testsupport::kReadCommunity, target, kSubtree});
    return v1;
}

std::vector<std::string> UseV3AuthPriv(const std::vector<std::string>& common, const std::string& target) {
    const testsupport::SnmpdUser& user = testsupport::kShaDesUser;
    ModuleStartupParams::SnmpVersion = "3";
    ModuleStartupParams::SecurityLevel = "3";
    ModuleStartupParams::AuthProtocol = "3";
    ModuleStartupParams::PrivProtocol = "2";
    ModuleStartupParams::UserName = user.name;
    ModuleStartupParams::AuthPassword = user.authPassPhrase;
    ModuleStartupParams::PrivPassword = user.privPassPhrase;
    auto v3 = common;
    v3.insert(v3.end(), {"-v3", "-l", "authPriv", "-u", user.name, "-a", "SHA", "-A", user.authPassPhrase, "-x", "DES",
                         "-X", user.privPassPhrase, target, kSubtree});
    return v3;
}

}  // namespace

// With "gets": only the GETs beside a silent session ("gets-alone", "gets-beside": one side,
// to be counted under a profiler). With "v1" or "v3" as its argument (and optionally another subtree): one walk of that
// kind through CCommonSNMP only, to be counted under a profiler; "v1-snmpwalk" or "v3-snmpwalk": only snmpwalk's walk.
int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    if (argc > 2) kSubtree = argv[2];
    testsupport::Snmpd agent;
    if (!agent.Started()) {
        std::fprintf(stderr, "snmpd: %s\n", agent.Error().c_str());
        return 1;
    }
    ModuleStartupParams::DeviceIP = agent.Address();
    ModuleStartupParams::TimeoutMs = "3000";
    const std::string target = "udp:" + agent.Address();
    const std::vector<std::string> common = {"snmpwalk", "-m", "", "-On", "-Cc"};

    if (only == "gets") {
        CompareGets(agent.Address());
        return 0;
    }
    if (only == "gets-alone" || only == "gets-beside") {
        ModuleStartupParams::SnmpVersion = "1";
        testsupport::SilentAgent silent;
        const std::string silentAddress = silent.Address();
        for (int i = 0; i < kRounds; ++i)
            std::printf("%.0f/s\n", GetsPerSecond(agent.Address(), only == "gets-beside" ? &silentAddress : nullptr));
        return 0;
    }
    if (!only.empty()) {
        const bool tool = only.ends_with("-snmpwalk");
        const auto args = only.starts_with("v3") ? UseV3AuthPriv(common, target) : UseV1(common, target);
        if (tool) {
            std::printf("%s: %.3f s\n", only.c_str(), RunSnmpwalk(args));
        } else {
            const auto [rows, seconds] = WalkWithSession();
            std::printf("%s: %d rows in %.3f s\n", only.c_str(), rows, seconds);
        }
        return 0;
    }

    CompareWalks("v1", UseV1(common, target));
    CompareWalks("v3 authPriv", UseV3AuthPriv(common, target));

    CompareGets(agent.Address());
    return 0;
}
