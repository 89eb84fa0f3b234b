#pragma once
// "Firmware and Configuration Upgrade/Backup": the switch fetches a firmware image or a
// configuration file from a TFTP server (upgrade) or sends its own there (backup). Apply
// writes the server and the file name in one SET, then the operation, and polls the
// transfer's status on one-shot timers until the switch reports success or failure or a
// time limit runs out, with an estimated progress bar meanwhile.
//
// The transfer's state is kept on the user-interface thread: the SETs and the status reads
// run on the shared read path, which hands each answer there, so a worker waits while the
// ending's message box is open.
#include <string>

#include "core/SnmpRead.h"
#include "core/controls/EditEXIPV6.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/GradientProgressCtrl.h"

// The time-outs of the transfer's requests, in milliseconds.
struct FirmTransferTimeouts {
    int namingMs = 10000;     // server address and file name SET
    int operationMs = 15000;  // operation SET
    int statusMs = 6000;      // status GET
};

class CFirmDownLoad : public CFeatureDialog {
public:
    explicit CFirmDownLoad(CWnd* parent = nullptr);

    // The time-outs every transfer uses (tests shorten them).
    static FirmTransferTimeouts s_timeouts;

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;
    void OnTimer(UINT_PTR id) override;
    // Closing (Close, Esc, the title bar) is refused while a transfer runs.
    void OnCancel() override;

private:
    // The answers to the naming and the operation SET.
    void SetFileNameProc(const SnmpReadResult& answer);
    void SetOperationProc(const SnmpReadResult& answer);

    void OnFileNameChange();
    void StartTransfer();
    void StartOperation();
    void PollStatus();
    void OnStatus(const SnmpReadResult& result);
    // Ends the transfer: the state, the timers and the requests still out first (none of
    // their answers comes after), then the box, then the finish step.
    void EndTransfer(const std::string& text, UINT icon = 0);
    std::string FailureText();
    void EnableInputs(bool enable);

    CEditEXIPV6 m_address;
    CGradientProgressCtrl m_progress;
    CSnmpRead m_configNaming;
    CSnmpRead m_firmwareNaming;
    CSnmpRead m_operation;
    // The state of the transfer, on the user-interface thread only.
    int m_FileKind = 0;  // 0 before the first transfer, 1 firmware, 2 configuration
    int m_IsFinish = 0;  // 1 from an ending until the next Apply
    int m_ProgressTimes = 1;
    int m_IsRunning = 0;        // 1 once the switch reported "3"
    int m_nMissingAnswers = 0;  // consecutive unanswered status reads
    std::string m_strStatus;    // the value of the status read in progress
    CSnmpRead m_statusRead;

    DECLARE_MESSAGE_MAP()
};
