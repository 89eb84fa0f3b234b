#pragma once
// Base of the dialogs that read and write the device directly through the SNMP client
// library. It keeps the dialog's settings, its member session and one asynchronous wrapper,
// and makes closing safe: DestroyWindow cancels what is outstanding and waits for a callback
// already running, so no callback reaches a closed dialog.
#include <mutex>
#include <string>
#include <vector>

#include "core/controls/FeatureDialog.h"
#include "views/direct/DirectSnmp.h"

// One object of a write, in the request's order.
struct DirectObject {
    std::string oid;
    int type;
    std::string value;
};

// A scalar shown in a control of the dialog.
struct ScalarField {
    // The value's text (through `text` when given); checked when "1"; its bytes in hex; the
    // drop-down entry at the position the value gives, the first entry for any other value.
    enum Format { Text, Check, Hex, Select };
    const char* oid;
    int controlId;
    Format format = Text;
    std::string (*text)(const std::string& value) = nullptr;
};

// Writes in one SET, with the write community (version 1) or the user-based security
// (version 3); nothing is sent for another version. The result is the library's status;
// the dialogs do not examine it, nor the answer's error status.
int WriteScalarsV1(const DirectSnmpSettings& settings, const std::vector<DirectObject>& objects);
int WriteScalarsV3(const DirectSnmpSettings& settings, const std::vector<DirectObject>& objects);
// One synchronous GET of the OIDs, version 1 or 3 by the settings: the values in order up to
// the first variable without one; empty when no answer came.
std::vector<DirectValue> ReadScalarsSync(const DirectSnmpSettings& settings, const std::vector<std::string>& oids);

class CDirectSnmpDlg : public CFeatureDialog {
public:
    ~CDirectSnmpDlg() override;

    // The id of the outstanding asynchronous request, 0 when none.
    int RequestId() const;
    // The callback of the scalar reads: shows the values by position, or nothing.
    static int OnScalarsV1(CSnmp* response, int requestId, void* dialog, int status);

protected:
    CDirectSnmpDlg(UINT templateId, std::vector<ScalarField> scalars = {}, std::size_t minScalars = 0);

    BOOL DestroyWindow() override;
    // Copies the start-up values (OnInitDialog, before the first read).
    void TakeSettings() { m_settings = DirectSnmpSettings::FromStartup(); }

    // Scalar reads into the controls of the dialog's fields. ReadScalarsV1 builds its session
    // for the read (version "1" only, values taken now); ReadScalarsMember uses the member
    // session; ReadScalarsV3 reads synchronously under the wait cursor.
    void ReadScalarsV1();
    void ReadScalarsMember();
    // The same on a session of the dialog's own, kept apart from a walk of the member session.
    void ReadScalarsMember(CSnmpV1& session);
    void ReadScalarsV3();
    // A SET on the member session, answered through `callback`.
    int WriteAsyncV1(const std::vector<DirectObject>& objects, Snmp4wCallback callback, bool walk);

    // Starts an asynchronous request of the member session under the dialog's lock, so the
    // id is recorded before its callback can compare it; `track` records it as RequestId.
    // False when the dialog is closed or the request did not start.
    bool StartAsync(Snmp4wCallback callback, bool walk, bool track) {
        return StartAsync(m_session, callback, walk, track, 0);
    }
    bool StartAsync(CSnmpV1& session, Snmp4wCallback callback, bool walk, bool track, unsigned long timeoutMs);
    // Settles a callback: true when it answers the outstanding request of an open dialog.
    // Otherwise the walk is over (RequestId 0).
    bool TakeAnswer(int requestId);
    void EndWalk();
    bool IsClosed() const;
    // Scalars have been shown from an answer holding at least the dialog's minimum of values;
    // on the library's callback thread after an asynchronous read.
    virtual void OnScalarsShown() {}
    // Drops every request of the dialog still out (their answers never arrive) and waits for
    // a callback already running, which can start nothing meanwhile; RequestId is 0 after.
    void AbandonRequests();

    DirectSnmpSettings m_settings;
    CSnmpV1 m_session{SNMP_PDU_GET};

private:
    void ShowScalars(const std::vector<DirectValue>& values);

    const std::vector<ScalarField> m_scalars;
    const std::size_t m_minScalars;
    mutable std::mutex m_mutex;  // guards the three below and every use of the wrapper
    int m_requestId = 0;
    bool m_closed = false;
    bool m_abandoning = false;  // AbandonRequests waits for a running callback
    std::unique_ptr<CSnmpTable4w> m_async = std::make_unique<CSnmpTable4w>();
};
