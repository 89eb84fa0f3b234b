#pragma once
// Peers for SNMP tests, on 127.0.0.1 only: the real net-snmp snmpd with its own
// configuration and state directory, and a silent agent that never answers.
#include <sys/types.h>

#include <mutex>
#include <string>

#include "platform/win/Event.h"

namespace testsupport {

// The v1 communities and v3 users of the snmpd configuration.
inline constexpr const char* kReadCommunity = "norfen";
inline constexpr const char* kWriteCommunity = "quastel";

struct SnmpdUser {
    const char* name;
    int level;         // 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv
    int authProtocol;  // 0 none, 0/1 as the library's algorithms below
    const char* authPassPhrase;
    const char* privPassPhrase;  // DES when set
};
inline constexpr SnmpdUser kNoAuthUser{"plainuser", 1, -1, "", ""};
inline constexpr SnmpdUser kMd5User{"md5user", 2, 0, "md5passphrase", ""};
inline constexpr SnmpdUser kShaUser{"shauser", 2, 1, "shapassphrase", ""};
inline constexpr SnmpdUser kMd5DesUser{"md5desuser", 3, 0, "md5despassphrase", "desprivphrase1"};
inline constexpr SnmpdUser kShaDesUser{"shadesuser", 3, 1, "shadespassphrase", "desprivphrase2"};

// Starts snmpd on a free loopback port and waits until it answers; stops it and removes
// its directory on destruction. Started() is false (and Error() says why) on failure.
class Snmpd {
public:
    Snmpd();
    ~Snmpd();
    Snmpd(const Snmpd&) = delete;
    Snmpd& operator=(const Snmpd&) = delete;

    bool Started() const { return m_pid > 0; }
    const std::string& Error() const { return m_error; }
    int Port() const { return m_port; }
    // "127.0.0.1:PORT", the agent text of the library.
    std::string Address() const;

private:
    bool WaitUntilAnswering();

    std::string m_dir;
    std::string m_error;
    int m_port = 0;
    pid_t m_pid = -1;
};

// One snmpd for a whole test program: started on first use, stopped at exit.
Snmpd& SharedSnmpd();

// Objects every snmpd serves.
namespace oids {
inline constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";
inline constexpr const char* kSysContact = "1.3.6.1.2.1.1.4.0";
inline constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
inline constexpr const char* kIfNumber = "1.3.6.1.2.1.2.1.0";
inline constexpr const char* kIfIndex = "1.3.6.1.2.1.2.2.1.1";  // ifTable columns
inline constexpr const char* kIfDescr = "1.3.6.1.2.1.2.2.1.2";
inline constexpr const char* kIfType = "1.3.6.1.2.1.2.2.1.3";
}  // namespace oids

// A bound loopback UDP port where nothing ever answers.
class SilentAgent {
public:
    SilentAgent();
    ~SilentAgent();
    SilentAgent(const SilentAgent&) = delete;
    SilentAgent& operator=(const SilentAgent&) = delete;
    int Port() const { return m_port; }
    std::string Address() const;
    // Takes the next request sent to the agent (never answered); false when none arrives
    // within timeoutMs. Lets a test know that a request has gone out.
    bool WaitForRequest(int timeoutMs) const;

private:
    int m_socket = -1;
    int m_port = 0;
};

// Waits for an event that a callback sets while it holds mutex, then takes the mutex once:
// afterwards the callback has let go of both, and the caller may destroy them.
inline bool WaitAndSettle(win::Event& event, std::mutex& mutex, DWORD timeoutMs) {
    const bool set = event.Wait(timeoutMs) == WAIT_OBJECT_0;
    std::lock_guard lock(mutex);
    return set;
}

}  // namespace testsupport
