#pragma once
// The one way a logic class or a dialog reads and writes the switch.
//
// Asynchronous reads: CSnmpRead
// ------------------------------
// A read is a GETNEXT walk of a few columns (one request per row, so a slow switch shows its
// rows as they come), one GET of a few objects, or one SET of a few variables whose answer
// must not hold the user-interface thread (its variables as the one row, its end like a GET's;
// a refusal is SnmpReadEnd::ErrorStatus). It runs on a session of its own; the rows
// and the end are handed to the handlers on the user-interface thread (a program without
// one, such as a tool, gets them on the session's worker). A feature's walk is a spec, a row
// handler and an end handler:
//
//     m_walk.Start(SnmpReadSpec::Walk({kNameColumn, kStatusColumn}),
//                  [this](const SnmpRow& row) { m_names.push_back(row.Text(0)); },
//                  [this](const SnmpReadResult& end) { Notify(end.Complete() ? WM_X_DONE : WM_X_FAILED); });
//
// The row handler may return bool: false stops the walk after this row (the end handler then
// gets SnmpReadEnd::Stopped). What the shared path does, so a feature does not:
// - every way a read ends reaches the end handler exactly once, with the reason
//   (SnmpReadResult::end): the end of the table, a time-out, an error status, a library
//   error, an answer shorter than the read spec needs, or the row handler's stop;
// - Start while a read runs withdraws it: none of its rows or its end is delivered after
//   Start returns, and Start does not wait for its request in flight;
// - Close (and destruction) ends delivery at once and never waits for a request in flight;
//   a session still busy is closed on a thread of its own (WaitForClosedSessions at program
//   end). After Close no handler runs, so a dialog closes its reads in DestroyWindow and its
//   handlers never meet a destroyed window;
// - Start and Close may be called from any thread (the status polling starts its walks on
//   its own thread); the handlers still run on the user-interface thread.
//
// Synchronous requests: SnmpGet, SnmpSet
// --------------------------------------
// One request on a CCommonSNMP session (Open, the variables, Send), waiting for the answer
// with the platform's wait rules (on the user-interface thread the wait keeps serving the
// workers' calls to it). The answer carries the library's status, the agent's error status
// and the values:
//
//     const SnmpAnswer a = SnmpGet(m_cCommonSNMP, {kJumboFrame});
//     if (a.Ok()) m_nJumbo = a.Number(0);
//     const SnmpAnswer w = SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(kJumboFrame, 1)});
//     if (!w.Ok()) ...
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "core/CommonSNMP.h"

// One variable of an answer.
struct SnmpValue {
    std::string oid;       // as answered, dotted without a leading dot
    int type = 0;          // SnmpValueType: SNMP_TYPE_INTEGER, SNMP_TYPE_OCTETS, ...
    std::string text;      // decimal for numbers, dotted for OIDs and addresses, the characters
                           // of an OCTET STRING; "" when the variable has no value
    std::string bytes;     // the raw bytes of an OCTET STRING or IpAddress (port bitmaps, MAC
                           // addresses, binary texts); for other types the same as text
    bool present = false;  // false for NULL, noSuchObject, noSuchInstance and endOfMibView
    std::string index;     // a walk's instance suffix below the column asked for (".3",
                           // ".1.0.27.44.61.78.95"); "" for a GET
};

// One row of a walk, or the objects of a GET, in the order of the read spec's OIDs. The readers
// give "" / 0 for a variable that is missing or has no value.
struct SnmpRow {
    std::vector<SnmpValue> vars;
    std::size_t number = 0;  // 1 for the first row of a read

    std::size_t Size() const { return vars.size(); }
    bool Has(std::size_t i) const { return i < vars.size() && vars[i].present; }
    const std::string& Text(std::size_t i) const;
    const std::string& Bytes(std::size_t i) const;
    // The leading decimal number of Text(i) (blanks skipped, digits up to the first other
    // character); 0 when there is none.
    int Number(std::size_t i) const;
    std::uint32_t Unsigned(std::size_t i) const;
    // The instance suffix of variable 0 (".3"), and the same without its leading ".".
    const std::string& Index() const;
    std::string IndexDigits() const;
};

// The leading decimal number of a text as an unsigned 32-bit value: blanks skipped, digits
// up to the first other character (none gives 0).
std::uint32_t LeadingUnsigned32(const std::string& text);

// Why a read ended.
enum class SnmpReadEnd {
    Complete,      // a walk reached the end of its table (it left its columns, or an SNMPv1
                   // agent answered noSuchName past the last object); a GET or SET was answered
    Stopped,       // the row handler returned false
    Timeout,       // no answer within the time-out (status EC_TIMEOUT)
    ErrorStatus,   // the agent answered with a non-zero error status (errorStatus, errorIndex)
    LibraryError,  // the library could not send or was refused (status: EC_SEND_FAILED, ...)
    ShortAnswer,   // an answer with fewer variables than the read spec needs; it gives no row
};
const char* SnmpReadEndName(SnmpReadEnd end);

struct SnmpReadResult {
    SnmpReadEnd end = SnmpReadEnd::Complete;
    int status = 0;       // the library's status for Timeout and LibraryError, else 0
    int errorStatus = 0;  // the agent's error status and index for ErrorStatus
    int errorIndex = 0;
    std::size_t rows = 0;  // rows delivered by this read
    int pduType = SNMP_PDU_GETNEXT;

    // The read went as far as it should: the end of the table, the GET's or SET's answer, or a
    // stop.
    bool Complete() const { return end == SnmpReadEnd::Complete || end == SnmpReadEnd::Stopped; }
    bool TimedOut() const { return end == SnmpReadEnd::Timeout; }
    // The status a CCommonSNMP walk callback gets for this end (for code that keeps the
    // behaviour written against those): 0 for a stop or a GET's or SET's answer; -1 time-out; -2 the
    // end of a table, an error status or a short answer (the library ends a walk there);
    // the library's status for its errors.
    int SessionStatus() const;
};

// One variable of a SET. value: decimal text for INTEGER and Unsigned32, dotted text for an
// IpAddress given as text or an OBJECT IDENTIFIER, the bytes of an OCTET STRING (any length,
// zero bytes included).
struct SnmpSetVar {
    std::string oid;
    int type = SNMP_TYPE_INTEGER;
    std::string value;

    static SnmpSetVar Integer(std::string oid, long long value);
    static SnmpSetVar Unsigned(std::string oid, unsigned long value);
    static SnmpSetVar Octets(std::string oid, std::string bytes);
};

struct SnmpReadSpec {
    int pduType = SNMP_PDU_GETNEXT;  // GETNEXT walks row by row; GET reads once; SET writes once
    std::vector<std::string> oids;   // columns (walk) or full object OIDs (GET, SET), in row order
    std::vector<SnmpSetVar> values;  // a SET's variables, in order (their OIDs are `oids`)
    int timeoutMs = 0;               // per request; 0 the session's (start-up settings)
    int nextTimeoutMs = -1;          // of a walk's requests after the first; -1 as timeoutMs
    std::size_t minVarbinds = 0;     // a shorter answer ends the read; 0 means every OID

    static SnmpReadSpec Walk(std::vector<std::string> columns, int timeoutMs = 0);
    static SnmpReadSpec Get(std::vector<std::string> objects, int timeoutMs = 0);
    static SnmpReadSpec Set(std::vector<SnmpSetVar> values, int timeoutMs = 0);
};

class CSnmpRead {
public:
    using RowHandler = std::function<bool(const SnmpRow&)>;  // false stops after this row
    using EndHandler = std::function<void(const SnmpReadResult&)>;

    CSnmpRead() = default;
    // Closes the read (never waits for a request in flight).
    ~CSnmpRead();
    CSnmpRead(const CSnmpRead&) = delete;
    CSnmpRead& operator=(const CSnmpRead&) = delete;

    // Starts a read with these handlers; a read still running is withdrawn first. The row
    // handler may also return nothing (the walk goes on to the end). Either may be empty.
    void Start(const SnmpReadSpec& spec, RowHandler onRow, EndHandler onEnd);
    template <class Row, class End>
    requires(!std::is_convertible_v<Row, RowHandler>) && std::is_invocable_v<Row, const SnmpRow&> void Start(
                                                             const SnmpReadSpec& spec, Row onRow, End onEnd) {
        Start(spec, RowHandler([fn = std::move(onRow)](const SnmpRow& row) mutable {
                  fn(row);
                  return true;
              }),
              EndHandler(std::move(onEnd)));
    }
    // Ends delivery at once; the next Start takes a new session.
    void Close();
    // True from Start until the end has been handed over (or Close).
    bool Running() const;

    // Waits up to ms for the sessions that Close or a restart left busy to be released
    // (program end, tests); true when none is left.
    static bool WaitForClosedSessions(unsigned ms);

private:
    struct State;
    static int OnAnswer(CSnmp* response, int requestId, void* userData, int status);
    static void Retire(std::shared_ptr<State> state);
    std::shared_ptr<State> m_state;
};

// ---- synchronous requests

// The answer to one synchronous request.
struct SnmpAnswer : SnmpRow {
    int status = EC_NOT_READY;  // the library's status: 0 when an answer came
    int errorStatus = 0;        // the agent's error status and index
    int errorIndex = 0;

    bool Answered() const { return status == EC_NO_ERROR; }
    // Answered with error status 0.
    bool Ok() const { return status == EC_NO_ERROR && errorStatus == 0; }
};

// A GET of the objects on the session (Open, AddVarBind with NULL values, Send). The values
// come in request order, each with its type, text and bytes.
SnmpAnswer SnmpGet(CCommonSNMP& session, const std::vector<std::string>& oids, int timeoutMs = 0);
// One SET of every variable in order.
SnmpAnswer SnmpSet(CCommonSNMP& session, const std::vector<SnmpSetVar>& vars, int timeoutMs = 0);
// Sends the request already prepared on the session (Open and its variables, such as those
// a control adds itself) and waits for the answer.
SnmpAnswer SnmpSendPrepared(CCommonSNMP& session, int timeoutMs = 0);

// The variables of an answer as values; `columns` (a walk's columns, in order) gives each
// variable's instance suffix below its column.
std::vector<SnmpValue> SnmpValuesOf(const CSnmp& response, const std::vector<std::string>* columns = nullptr);
