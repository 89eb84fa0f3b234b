#include "features/management/FirmDownLoad.h"

#include <utility>
#include <vector>

#include "platform/ui/Prompt.h"
#include "resources/templates/FirmwareDialogsIds.h"

using namespace firmware_ids;

namespace {
const std::string kTransfer = "1.3.6.1.4.1.32473.10.76.21.1.3.";
// The objects of a kind: firmware under .9, configuration under .10.
std::string Object(int fileKind, int arc) {
    return kTransfer + (fileKind == 1 ? "9." : "10.") + std::to_string(arc) + ".0";
}
constexpr int kAddress = 1;
constexpr int kFileName = 4;
constexpr int kOperation = 5;
constexpr int kStatus = 6;

// One-shot timers: each handler kills the timer that fired, every action re-arms.
constexpr UINT_PTR kPollTimer = 2074;
constexpr UINT_PTR kFinishTimer = 2124;
constexpr UINT_PTR kProgressTimer = 2125;
constexpr UINT_PTR kLimitTimer = 2126;

constexpr size_t kMaxFileName = 64;
constexpr int kLastProgress = 90;  // the steps show 1, 3, ... 89
constexpr UINT kBox = MB_OK | MB_TOPMOST;

int FirstPollMs(int fileKind) { return fileKind == 1 ? 15000 : 3000; }
int LimitMs(int fileKind) { return fileKind == 1 ? 260000 : 150000; }
}  // namespace

FirmTransferTimeouts CFirmDownLoad::s_timeouts;

BEGIN_MESSAGE_MAP(CFirmDownLoad, CFeatureDialog)
    ON_EN_CHANGE(IDC_FILE_NAME, OnFileNameChange)
    ON_BN_CLICKED(IDC_APPLY, StartTransfer)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CFirmDownLoad::CFirmDownLoad(CWnd* parent) : CFeatureDialog(IDD, {}, parent) { m_address.m_bAllowInterface = 0; }

BOOL CFirmDownLoad::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_address.SubclassDlgItem(IDC_SERVER, this);
    m_progress.SubclassDlgItem(IDC_PROGRESS, this);
    Item(IDC_OPERATION).AddString("Upgrade");
    Item(IDC_OPERATION).AddString("Backup");
    Item(IDC_FILE_TYPE).AddString("Configuration");
    Item(IDC_FILE_TYPE).AddString("Firmware");
    m_FileKind = 0;
    Item(IDC_OPERATION).SetCurSel(0);
    Item(IDC_FILE_TYPE).SetCurSel(0);
    m_progress.SetStartColor(RGB(60, 60, 200));
    m_progress.SetEndColor(RGB(60, 60, 255));
    m_progress.SetRange(0, 100);
    Item(IDC_PROGRESS_LABEL).ShowWindow(SW_HIDE);
    m_progress.ShowWindow(SW_HIDE);
    return TRUE;
}

void CFirmDownLoad::CloseSessions() {
    m_statusRead.Close();
    m_configNaming.Close();
    m_firmwareNaming.Close();
    m_operation.Close();
}

void CFirmDownLoad::OnCancel() {
    if (!Item(IDC_CLOSE).IsWindowEnabled()) return;
    CFeatureDialog::OnCancel();
}

void CFirmDownLoad::EnableInputs(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    m_address.EnableWindow(on);
    for (int id : {IDC_FILE_NAME.id, IDC_OPERATION.id, IDC_FILE_TYPE.id, IDC_APPLY.id, IDC_CLOSE.id}) {
        GetDlgItem(id)->EnableWindow(on);
    }
}

void CFirmDownLoad::OnFileNameChange() {
    CEdit& edit = Item(IDC_FILE_NAME);
    const std::string text = edit.GetWindowText();
    if (text.size() <= kMaxFileName) return;
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    AfxMessageBox("The maximum length of file name is 64!", kBox);
    edit.SetWindowText(text.substr(0, kMaxFileName));
    edit.SetSel(start % 256, start % 256);
}

void CFirmDownLoad::StartTransfer() {
    Item(IDC_PROGRESS_LABEL).ShowWindow(SW_HIDE);
    m_progress.ShowWindow(SW_HIDE);
    m_IsFinish = 0;
    m_IsRunning = 0;
    m_nMissingAnswers = 0;
    const bool upgrade = Item(IDC_OPERATION).GetCurSel() == 0;
    if (upgrade &&
        AfxMessageBox("The connection will be disconnected.\nPlease do not apply other changes when uploading.\n"
                      "Reconnect to the device later when uploading completes.",
                      MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST) != IDOK) {
        return;
    }
    m_ProgressTimes = 1;
    Item(IDC_PROGRESS_LABEL).ShowWindow(SW_SHOW);
    m_progress.ShowWindow(SW_SHOW);
    // The text is classified again here: Apply may be pressed while the field has the focus.
    m_address.OnKillFocus(nullptr);
    if (m_address.m_nValid != 1) {
        AfxMessageBox("Invalid TFTP server IP.", kBox);
        return;
    }
    const bool firmware = Item(IDC_FILE_TYPE).GetCurSel() == 1;
    m_FileKind = firmware ? 1 : 2;
    const std::string name = Item(IDC_FILE_NAME).GetWindowText();
    if (name.empty()) {
        AfxMessageBox("Invalid file.", kBox);
        return;
    }
    // The address first, then the name, in one SET.
    std::vector<SnmpSetVar> naming;
    const std::string address = m_address.AddressOctets();
    if (!address.empty()) naming.push_back(SnmpSetVar::Octets(Object(m_FileKind, kAddress), address));
    naming.push_back(SnmpSetVar::Octets(Object(m_FileKind, kFileName), name));
    // Disabled first: a SET that cannot go out is answered at once.
    EnableInputs(false);
    CSnmpRead& read = firmware ? m_firmwareNaming : m_configNaming;
    read.Start(SnmpReadSpec::Set(std::move(naming), s_timeouts.namingMs), {},
               [this](const SnmpReadResult& answer) { SetFileNameProc(answer); });
}

void CFirmDownLoad::SetFileNameProc(const SnmpReadResult& answer) {
    if (m_IsFinish != 0) return;
    if (answer.TimedOut()) EndTransfer("Setting file name TimeOut !");
    // A refused or failed naming is not taken for an accepted one: no operation follows.
    else if (answer.end != SnmpReadEnd::Complete) EndTransfer(FailureText(), MB_ICONERROR);
    else StartOperation();
}

std::string CFirmDownLoad::FailureText() {
    const bool upgrade = Item(IDC_OPERATION).GetCurSel() == 0;
    if (m_FileKind == 1) return upgrade ? "Firmware Upgrade Fail!" : "Firmware Backup Fail!";
    return upgrade ? "Config File Upgrade Fail!" : "Config File Backup Fail!";
}

void CFirmDownLoad::StartOperation() {
    const bool backup = Item(IDC_OPERATION).GetCurSel() == 1;
    SetTimer(kProgressTimer, 2000);
    m_operation.Start(SnmpReadSpec::Set({SnmpSetVar::Integer(Object(m_FileKind, kOperation), backup ? 2 : 1)},
                                        s_timeouts.operationMs),
                      {}, [this](const SnmpReadResult& answer) { SetOperationProc(answer); });
    SetTimer(kPollTimer, static_cast<UINT>(FirstPollMs(m_FileKind)));
    // A switch that never leaves "4" still ends by the limit.
    SetTimer(kLimitTimer, static_cast<UINT>(LimitMs(m_FileKind)));
}

void CFirmDownLoad::SetOperationProc(const SnmpReadResult& answer) {
    // An accepted operation leaves the ending to the status polls.
    if (m_IsFinish != 0) return;
    if (answer.TimedOut()) EndTransfer("Setting operation TimeOut !");
    else if (answer.end == SnmpReadEnd::ErrorStatus) EndTransfer(FailureText(), MB_ICONERROR);
}

void CFirmDownLoad::PollStatus() {
    m_strStatus.clear();
    m_statusRead.Start(
        SnmpReadSpec::Get({Object(m_FileKind, kStatus)}, s_timeouts.statusMs),
        [this](const SnmpRow& row) { m_strStatus = row.Text(0); }, [this](const SnmpReadResult& r) { OnStatus(r); });
}

void CFirmDownLoad::OnStatus(const SnmpReadResult& result) {
    // A status read that answers after the ending is dropped.
    if (m_IsFinish != 0) return;
    if (result.end == SnmpReadEnd::Timeout) {
        if (m_IsRunning != 0) {
            // Once the transfer runs, only the limit ends the wait.
            m_nMissingAnswers = 0;
        } else if (++m_nMissingAnswers > 3) {
            EndTransfer(m_FileKind == 1 ? "Get Firmware BackUp/Upgrade status Time Out !"
                                        : "Get Config BackUp/Upgrade status Time Out !");
            return;
        }
        SetTimer(kPollTimer, 3000);
        return;
    }
    m_nMissingAnswers = 0;
    if (result.end != SnmpReadEnd::Complete) {
        EndTransfer("Get Info Fail !");
        return;
    }
    const std::string& v = m_strStatus;
    if (v == "0" || v == "1") {
        m_progress.SetPos(99);
        EndTransfer("Success!");
    } else if (v == "2") {
        EndTransfer(FailureText());
    } else if (v == "4") {
        SetTimer(kPollTimer, 1000);
    } else if (v == "3") {
        m_IsRunning = 1;
        SetTimer(kPollTimer, 5000);
        SetTimer(kLimitTimer, static_cast<UINT>(LimitMs(m_FileKind)));
    } else if (m_IsRunning == 0) {
        // An unknown status before the transfer was seen running would leave it stuck.
        EndTransfer("Get Info Fail !");
    }
}

void CFirmDownLoad::EndTransfer(const std::string& text, UINT icon) {
    m_IsFinish = 1;
    KillTimer(kPollTimer);
    KillTimer(kProgressTimer);
    KillTimer(kLimitTimer);
    CloseSessions();
    AfxMessageBox(text, kBox | icon);
    SetTimer(kFinishTimer, 5);
}

void CFirmDownLoad::OnTimer(UINT_PTR id) {
    KillTimer(id);
    switch (id) {
    case kPollTimer: PollStatus(); break;
    case kProgressTimer:
        if (m_ProgressTimes < kLastProgress && m_IsFinish == 0) {
            m_progress.SetPos(m_ProgressTimes);
            m_ProgressTimes += 2;
            SetTimer(kProgressTimer, 2500);
        }
        break;
    case kLimitTimer:
        if (m_IsFinish == 0) {
            EndTransfer(m_FileKind == 1 ? "Time out! Please check TFTP Server IP and network."
                                        : "Time out! Please check TFTP Server IP and network.\n You may close the "
                                          "current device Zarido Module and implement 'Device Discovery'to restart it");
        }
        break;
    case kFinishTimer:
        if (m_IsFinish == 1) {
            KillTimer(kLimitTimer);
            KillTimer(kProgressTimer);
            KillTimer(kPollTimer);
            EnableInputs(true);
            m_progress.SetPos(0);
        }
        break;
    default: AfxMessageBox("Default !", kBox); break;
    }
}
