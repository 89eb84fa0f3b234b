#pragma once
// Base of the dialogs that read and write the device directly. It keeps the dialog's settings
// and its scalar fields; the asynchronous reads are CSnmpReads (core/SnmpRead.h), their
// handlers run on the user-interface thread, and closing ends them once the window has gone,
// so nothing reaches a closed dialog.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/SnmpRead.h"
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
    // A read of the dialog is under way (the scalar read here; a table dialog adds its table).
    virtual bool Reading() const;

protected:
    CDirectSnmpDlg(UINT templateId, std::vector<ScalarField> scalars = {}, std::size_t minScalars = 0);

    // Copies the start-up values (OnInitDialog, before the first read).
    void TakeSettings() { m_settings = DirectSnmpSettings::FromStartup(); }
    // Ends the dialog's reads once its window has gone; a dialog with reads of its own closes
    // them here too.
    void CloseSessions() override;

    // Scalar reads into the controls of the dialog's fields, with the library's time-out, on a
    // session of their own (apart from a table walk) that takes the start-up values at the
    // read. ReadScalarsV1 reads when the start-up version is "1"; ReadScalarsMember serves a
    // dialog that has checked its own version (1); ReadScalarsV3 reads synchronously under the
    // wait cursor. A read started while another
    // is out leaves that one alone: each answer is shown as it comes.
    void ReadScalarsV1();
    void ReadScalarsMember();
    void ReadScalarsV3();
    // Scalars have been shown from an answer holding at least the dialog's minimum of values.
    virtual void OnScalarsShown() {}
    // Version 1: one SET of the objects with the write community, on a read of its own with the
    // library's time-out; the dialog stays usable meanwhile. `answered` runs on the
    // user-interface thread once the switch has answered or the request has failed (the answer
    // is not examined), so a read that follows shows what the switch holds. A write started
    // while another is out withdraws that one.
    void WriteAsyncV1(const std::vector<DirectObject>& objects, std::function<void()> answered);

    DirectSnmpSettings m_settings;

private:
    void StartScalarRead();
    // The answer of an asynchronous scalar read: the values shown by position.
    void OnScalarsV1(const SnmpRow& answer);
    void ShowScalars(const std::vector<DirectValue>& values);

    const std::vector<ScalarField> m_scalars;
    const std::size_t m_minScalars;
    std::vector<std::unique_ptr<CSnmpRead>> m_scalarReads;  // those still running, and the last
    CSnmpRead m_write;                                      // WriteAsyncV1
};

// The time-out a request of the library gets when none is given (SetSnmpTimeout).
int LibraryTimeoutMs();
// The values of a read's answer in order up to the first variable without one.
std::vector<DirectValue> LeadingValues(const SnmpRow& row);
