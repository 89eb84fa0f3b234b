#pragma once
// The SNMP client library: sessions that prepare one request (CSnmpV1, CSnmpV3), the
// responses they hand out (CSnmp), synchronous table walks (CSnmpTable) and the
// asynchronous wrappers (CSnmp4w, CSnmpTable4w).
//
// net-snmp is not thread-safe: every call into it is made under one library lock that is
// never held across a wait. One engine thread waits on all sockets at once, so a silent
// agent delays only the requests sent to it. Synchronous calls wait for their answer; on
// the user-interface thread that wait keeps serving blocking cross-thread calls
// (win::Event). Asynchronous callbacks run on one callback thread, in order.
//
// An agent is given as "address" or "address:port" (UDP, default port 161). A time-out
// is the whole time a request may take, on the program's clock (win::GetTickCount); 0 means
// the library's default (SetSnmpTimeout). A read (GET, GETNEXT) is sent again under its
// request id at a third and at two thirds of its time-out, so one lost datagram does not end
// it; a SET is sent once. An answer counts only when it comes from the agent's address and
// port, for the request, with the request's community (SNMPv1), and once: copies are dropped.
// An answer with a number beyond its type's range (an INTEGER beyond 32 bits, say) is
// delivered as a genErr answer without variables, its error index naming the bad one.
#include <memory>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

// Statuses of the library calls.
enum SnmpStatus : int {
    EC_NO_ERROR = 0,
    EC_TIMEOUT = -1,       // no answer within the time-out
    EC_END_OF_TABLE = -2,  // the walk has left the requested columns
    EC_SEND_FAILED = -3,   // the agent address or the socket could not be used
    EC_BAD_VALUE = -4,     // an OID, value or type that cannot be encoded
    EC_NOT_READY = -5,     // no session, or no variable prepared
    EC_SECURITY = -6,      // SNMPv3: refused by the agent (report) or unusable settings
};

// Value types of CSnmp::addValue and of response variables.
enum SnmpValueType : int {
    SNMP_TYPE_INTEGER = 1,
    SNMP_TYPE_OCTETS = 2,
    SNMP_TYPE_OID = 3,
    SNMP_TYPE_NULL = 4,
    SNMP_TYPE_COUNTER32 = 5,  // responses only
    SNMP_TYPE_TIMETICKS = 7,  // responses only
    SNMP_TYPE_IPADDRESS = 8,
    SNMP_TYPE_COUNTER64 = 9,    // responses only
    SNMP_TYPE_UNSIGNED32 = 10,  // also Gauge32, which has the same encoding
    SNMP_TYPE_OPAQUE = 11,      // responses only
    SNMP_TYPE_NO_SUCH_OBJECT = 12,
    SNMP_TYPE_NO_SUCH_INSTANCE = 13,
    SNMP_TYPE_END_OF_MIB_VIEW = 14,
};

// PDU types of the sessions.
enum SnmpPduType : int { SNMP_PDU_GET = 0, SNMP_PDU_GETNEXT = 1, SNMP_PDU_SET = 3 };

namespace snmpdetail {
struct SessionState;
struct ResponseVar;
struct AsyncOwner;
struct Access;
}  // namespace snmpdetail

// A request being prepared (as a session, CSnmpV1 or CSnmpV3) or a response. The receiver
// of a response deletes it; texts and bytes it hands out live as long as it does.
class CSnmp {
public:
    using enum SnmpStatus;

    CSnmp(const CSnmp&) = delete;
    CSnmp& operator=(const CSnmp&) = delete;
    virtual ~CSnmp();

    // Appends a variable to the prepared request. Values are text: INTEGER and Unsigned32
    // decimal, OBJECT IDENTIFIER and IpAddress dotted; the value is ignored for NULL.
    // Returns EC_NO_ERROR, EC_BAD_VALUE (nothing appended) or EC_NOT_READY (a response).
    int addValue(const char* oid, int type, const char* value);
    // As addValue with the value as bytes. OCTET STRING takes exactly length bytes; an
    // IpAddress of length 4 is the raw address; for every other type the bytes are the
    // value's text, read to its terminating zero whatever length is given.
    int addBinaryValue(const char* oid, int type, const void* data, int length);
    void clearVarBindList();
    // Variables of the prepared request, or of a response.
    int getVarBindCount() const;
    // Id of the last request this session started; of a response, the id it answers.
    int getRequestId() const;

    // Response reading. Each returns EC_NO_ERROR, or EC_BAD_VALUE for an index out of range.
    int getErrorStatus(int& status, int& index) const;
    // The variable's OID as dotted text without a leading dot.
    int getOid(int index, const char*& oid) const;
    // The value as text: decimal for numbers, dotted for OBJECT IDENTIFIER and IpAddress,
    // the raw characters of an OCTET STRING (zero-terminated; it may hold zero bytes, see
    // getBinaryValue); nullptr when the variable has no value (NULL, noSuchObject, ...).
    int getValue(int index, int& type, const char*& value) const;
    // The value's bytes: an OCTET STRING and an IpAddress as they are, every other type as
    // its text from getValue (length 0 and nullptr when there is none).
    int getBinaryValue(int index, int& type, const unsigned char*& data, int& length) const;

protected:
    explicit CSnmp(int version, int pduType);  // a session
    CSnmp();                                   // a response

    std::shared_ptr<snmpdetail::SessionState> m_session;  // null for a response

private:
    friend struct snmpdetail::Access;
    // Response data.
    std::vector<snmpdetail::ResponseVar> m_vars;
    int m_errorStatus = 0;
    int m_errorIndex = 0;
    int m_requestId = 0;
};

// A community-based (SNMPv1) session; also the base of CSnmpV3.
class CSnmpV1 : public CSnmp {
public:
    explicit CSnmpV1(int pduType);
    void setType(int pduType);
    void setCommunity(const char* community);
    // Sends the prepared request as it is and waits for the answer. EC_NO_ERROR with the
    // response (the caller deletes it; its error status is the caller's to check), or a
    // non-zero status and no response.
    int send(const char* agent, CSnmp*& response, unsigned long timeoutMs);

protected:
    CSnmpV1(int version, int pduType);
};

// A user-based (SNMPv3, USM) session. Security level by message flags: 0 noAuthNoPriv,
// 1 authNoPriv, 3 authPriv. Authentication algorithm 0 HMAC-MD5-96, 1 HMAC-SHA-96; privacy
// algorithm 0 DES-CBC. Pass phrases of at least 8 characters.
class CSnmpV3 : public CSnmpV1 {
public:
    explicit CSnmpV3(int pduType);
    void setMsgMaxSize(int size);
    void setMsgSecurityModel(int model);
    void setUserName(const char* name);
    void setMsgFlags(char flags);
    void setAuthArith(int algorithm);
    void setAuthPwd(const void* passPhrase, int length);
    void setPriArith(int algorithm);
    void setPriPwd(const void* passPhrase, int length);
};

// Sends its session's prepared request. For a GETNEXT it walks: the variables advance to
// the answer's OIDs, so each call gives the next row. The walk ends (EC_END_OF_TABLE, no
// response) as soon as any variable has left the column it was added with, when the agent
// answers with an error status (an SNMPv1 agent answers noSuchName past the last object)
// or an exception, and when an answer's OID is not past the requested one (a looping
// agent cannot hold the caller). GET and SET requests go out once, as prepared.
class CSnmpTable {
public:
    using enum SnmpStatus;

    explicit CSnmpTable(CSnmp* session);
    int getNext(const char* agent, CSnmp*& response, unsigned long timeoutMs);
    // The instance suffix of a response variable: its OID after the column the variable
    // was added with, as "." and the index components. EC_BAD_VALUE when it is not below.
    int getIndex(int index, CSnmp* response, std::string& suffix);

private:
    CSnmp* m_session;
};

// Callback of the asynchronous wrappers, run on the library's callback thread. Status
// EC_NO_ERROR: the response is present and the callback deletes it; otherwise the
// request ended (end of table, time-out, failure) and the response is nullptr.
using Snmp4wCallback = int (*)(CSnmp* response, int requestId, void* userData, int status);

// Sends a session's prepared request once, asynchronously. The session may be destroyed
// as soon as sendAsync returns. Destroying the wrapper drops the answers of its requests
// that are still out, and waits for a callback of it in progress on another thread.
class CSnmp4w {
public:
    using enum SnmpStatus;

    CSnmp4w();
    CSnmp4w(const CSnmp4w&) = delete;
    CSnmp4w& operator=(const CSnmp4w&) = delete;
    virtual ~CSnmp4w();
    void setSnmp(CSnmp* session);
    // EC_NO_ERROR when the request started (its id is the session's getRequestId),
    // EC_NOT_READY without a session or a variable. The window handle is not used.
    int sendAsync(const char* agent, Snmp4wCallback callback, void* userData, HWND hwnd, unsigned long timeoutMs);

protected:
    int start(const char* agent, Snmp4wCallback callback, void* userData, unsigned long timeoutMs, bool walk);

private:
    CSnmp* m_session = nullptr;
    std::shared_ptr<snmpdetail::AsyncOwner> m_owner;
};

// The asynchronous form of CSnmpTable::getNext: each call requests the next row of the
// session's columns, advancing its variables when the answer comes.
class CSnmpTable4w : public CSnmp4w {
public:
    int getNextAsync(const char* agent, Snmp4wCallback callback, void* userData, HWND hwnd, unsigned long timeoutMs);
};

// Start-up of the library: initialises it once (further calls do nothing) and returns 0.
// The application object is not used.
int SnmpInit(void* application);
// The time-out of requests given a time-out of 0, in milliseconds (5000 until set).
void SetSnmpTimeout(int timeoutMs);
int GetSnmpTimeout();
