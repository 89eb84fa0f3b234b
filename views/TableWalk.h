#pragma once
// The read path of the information views: one CCommonSNMP session that walks a few columns
// with GETNEXT (one request per row, re-armed from the callback) or reads a few objects
// with one GET, and hands every answer to the dialog on the user-interface thread.
//
// A walk ends at the end of its columns, at a time-out, at an error answer or an answer
// that is not past its request (the library's rule), and at an answer shorter than the
// view needs; the rows delivered so far stay. After Close no row and no end reaches the
// dialog, and Close never waits for a request in flight: a session still busy is closed
// and released on a thread of its own.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/CommonSNMP.h"

struct WalkRow {
    std::vector<std::optional<std::string>> values;  // per variable; empty when it has none
    std::string index;                               // instance suffix of variable 0 (".1.2")

    // The text of variable i, "" when it is absent or has no value.
    const std::string& Text(std::size_t i) const;
};

// A decimal value as the views read it: leading blanks skipped, digits up to the first
// other character (none gives 0), as an unsigned 32-bit number.
std::uint32_t LeadingUnsigned32(const std::string& text);

struct WalkSpec {
    int pduType = SNMP_PDU_GETNEXT;  // GETNEXT walks row by row; GET reads once
    std::vector<std::string> oids;   // in the order the view's columns or fields take them
    int timeoutMs = 0;               // 0: the session's own
    std::size_t minVarbinds = 0;     // a shorter answer ends the read and adds nothing
};

class CTableWalk {
public:
    using RowHandler = std::function<void(const WalkRow&)>;
    using EndHandler = std::function<void()>;

    // Both handlers run on the user-interface thread, only while the walk is open.
    CTableWalk(RowHandler onRow, EndHandler onEnd);
    ~CTableWalk();
    CTableWalk(const CTableWalk&) = delete;
    CTableWalk& operator=(const CTableWalk&) = delete;

    // Starts a read; one still running is withdrawn and its undelivered rows dropped. After
    // Close the next Start takes a new session. User-interface thread.
    void Start(const WalkSpec& spec);
    // Ends delivery at once; the session is closed without waiting for its request.
    void Close();
    bool Running() const;

    // Waits up to ms for the sessions that Close left busy to be released (program end,
    // tests); true when none is left.
    static bool WaitForClosedSessions(unsigned ms);

private:
    struct State;
    void Renew();  // a new session and state
    static int Callback(CSnmp* response, int requestId, void* userData, int status);
    RowHandler m_onRow;
    EndHandler m_onEnd;
    std::shared_ptr<State> m_state;  // null once closed
};
