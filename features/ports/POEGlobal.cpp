#include "features/ports/POEGlobal.h"

#include <initializer_list>
#include <cstdlib>

#include "features/ports/PoEWatts.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/PoEDialogsIds.h"

using namespace poeids;

namespace {
const std::string kPoE = "1.3.6.1.4.1.32473.10.76.21.1.22.";
constexpr UINT_PTR kReadTimer = 1;
// The field of each object but the sequence, which is a list.
const int kFields[] = {IDC_POE_THRESHOLD, 0, IDC_POE_BUDGET, IDC_POE_USED, IDC_POE_LEFT, IDC_POE_SUPPLIED};
}  // namespace

BEGIN_MESSAGE_MAP(CPOEGlobal, CFeatureDialog)
    ON_BN_CLICKED(IDC_POE_GLOBAL_APPLY, OnApply)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CPOEGlobal::CPOEGlobal(CWnd* parent) : CFeatureDialog(IDD_POE_GLOBAL, {.topmost = true}, parent) {}

void CPOEGlobal::CloseSessions() {
    m_cCommonSNMPGet.Close();
    m_cCommonSNMPSet.Close();
}

bool CPOEGlobal::ThresholdInRange(const std::string& text) {
    double watts = 0;
    return ReadWatts(text, watts) && watts >= 7.1 && watts <= 193.0;
}

CComboBox& CPOEGlobal::SequenceList() { return Item(IDC_POE_SEQUENCE); }

BOOL CPOEGlobal::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    for (int object = 0; object < ObjectCount; ++object) m_arrOids[object] = kPoE + std::to_string(object + 2) + ".0";
    SequenceList().AddString("DenyNextPort");
    SequenceList().AddString("DenyLowPriorityPort");
    ShowWaiting();
    SetTimer(kReadTimer, kFirstReadDelayMs);
    return TRUE;
}

void CPOEGlobal::OnTimer(UINT_PTR id) {
    if (id != kReadTimer) return;
    KillTimer(kReadTimer);
    ReadValues();
}

void CPOEGlobal::EnableInput(bool enable) {
    for (const int id : std::initializer_list<int>{IDC_POE_GLOBAL_APPLY, IDC_POE_THRESHOLD, IDC_POE_SEQUENCE}) {
        GetDlgItem(id)->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CPOEGlobal::ShowWaiting() {
    EnableInput(false);
    for (int id : kFields) {
        if (id != 0) SetDlgItemText(id, "wait...");
    }
}

void CPOEGlobal::ReadValues() {
    for (int object = 0; object < ObjectCount; ++object) ReadValue(object);
    EnableInput(true);
}

void CPOEGlobal::ReadValue(int object) {
    m_cCommonSNMPGet.Open(SNMP_PDU_GET);
    m_cCommonSNMPGet.AddVarBind(m_arrOids[object], SNMP_TYPE_NULL, nullptr);
    CSnmp* response = nullptr;
    std::string value;
    if (m_cCommonSNMPGet.Send(response, s_nTimeoutMs) == 0 && response != nullptr) {
        int type = 0;
        const char* text = nullptr;
        int errorStatus = 0;
        int errorIndex = 0;
        response->getErrorStatus(errorStatus, errorIndex);
        if (errorStatus != 0 || response->getValue(0, type, text) != CSnmp::EC_NO_ERROR || text == nullptr) {
            // An answer without a value leaves the field as it was.
            delete response;
            return;
        }
        value = text;
    }
    delete response;
    m_arrValues[object] = value;
    if (object == Sequence) {
        SequenceList().SetCurSel(value == "1" ? 0 : value == "2" ? 1 : -1);
    } else {
        SetDlgItemText(kFields[object], value);
    }
}

bool CPOEGlobal::SendWrite() {
    CSnmp* response = nullptr;
    int errorStatus = -1;
    int errorIndex = 0;
    if (m_cCommonSNMPSet.Send(response, s_nTimeoutMs) == 0 && response != nullptr) {
        response->getErrorStatus(errorStatus, errorIndex);
    }
    delete response;
    return errorStatus == 0;
}

void CPOEGlobal::OnApply() {
    GetDlgItem(IDC_POE_GLOBAL_APPLY)->EnableWindow(FALSE);
    const std::string threshold = GetDlgItemText(IDC_POE_THRESHOLD);
    const bool thresholdChanged = threshold != m_arrValues[Threshold];
    // A refused threshold stops the whole operation before anything is sent.
    if (thresholdChanged && !ThresholdInRange(threshold)) {
        AfxMessageBox("The System Power Threshold ranges between 7.1 ~ 193.0.");
        GetDlgItem(IDC_POE_GLOBAL_APPLY)->EnableWindow(TRUE);
        return;
    }
    m_cCommonSNMPSet.Open(SNMP_PDU_SET);
    bool written = false;
    const int sequence = SequenceList().GetCurSel();
    if (sequence != std::atoi(m_arrValues[Sequence].c_str()) - 1) {
        const std::string value = std::to_string(sequence + 1);
        m_cCommonSNMPSet.AddVarBind(m_arrOids[Sequence], SNMP_TYPE_INTEGER, value.c_str());
        written = SendWrite();
    }
    if (thresholdChanged) {
        // The request stays prepared after a send, so a changed sequence goes again with it;
        // the switch takes the threshold on the second of two identical requests.
        m_cCommonSNMPSet.AddVarBind(m_arrOids[Threshold], SNMP_TYPE_OCTETS, threshold.c_str());
        SendWrite();
        written = SendWrite() || written;
    }
    if (written) {
        AfxMessageBox("set succeed,please wait for a moment");
        ReadValues();
    } else {
        AfxMessageBox("check the data you input");
        GetDlgItem(IDC_POE_GLOBAL_APPLY)->EnableWindow(TRUE);
    }
}
