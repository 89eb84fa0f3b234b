#include "features/information/CounterPollDlg.h"

BEGIN_MESSAGE_MAP(CCounterPollDlg, CFeatureDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CCounterPollDlg::CCounterPollDlg(UINT templateId, int positions, UINT_PTR timerId, UINT periodMs, CWnd* parent)
    : CFeatureDialog(templateId, {.topmost = true}, parent),
      m_timerId(timerId),
      m_periodMs(periodMs),
      m_slots(static_cast<std::size_t>(positions)) {
    for (int i = 0; i < positions; ++i) {
        m_slots[i].dialog = this;
        m_slots[i].position = i;
    }
}

CCounterPollDlg::~CCounterPollDlg() { CCounterPollDlg::DestroyWindow(); }

BOOL CCounterPollDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_settings = DirectSnmpSettings::FromStartup();
    return TRUE;
}

BOOL CCounterPollDlg::DestroyWindow() {
    if (GetSafeHwnd()) KillTimer(m_timerId);
    std::vector<std::unique_ptr<CSnmp4w>> wrappers;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        for (Slot& slot : m_slots) {
            if (slot.wrapper) wrappers.push_back(std::move(slot.wrapper));
        }
    }
    // Drops the answers still out and waits for a callback already running; the wait keeps
    // serving its calls to the controls.
    wrappers.clear();
    return GetSafeHwnd() ? CFeatureDialog::DestroyWindow() : TRUE;
}

void CCounterPollDlg::OnTimer(UINT_PTR id) {
    if (id == m_timerId) Refresh();
    CFeatureDialog::OnTimer(id);
}

void CCounterPollDlg::RequestValue(int position, const std::string& oid) {
    if (m_settings.version != 1 || position < 0 || position >= static_cast<int>(m_slots.size())) return;
    CSnmpV1 session(SNMP_PDU_GET);
    session.setCommunity(m_settings.readCommunity.c_str());
    session.addValue(oid.c_str(), SNMP_TYPE_NULL, nullptr);
    std::lock_guard lock(m_mutex);
    Slot& slot = m_slots[position];
    if (m_closed) return;
    slot.latest = 0;
    slot.wrapper->setSnmp(&session);
    if (slot.wrapper->sendAsync(m_settings.agent.c_str(), &CCounterPollDlg::OnValue, &slot, nullptr, 0) == EC_NO_ERROR)
        slot.latest = session.getRequestId();
    slot.wrapper->setSnmp(nullptr);
}

void CCounterPollDlg::ForgetValue(int position) {
    if (position < 0 || position >= static_cast<int>(m_slots.size())) return;
    std::lock_guard lock(m_mutex);
    m_slots[position].latest = 0;
}

int CCounterPollDlg::OnValue(CSnmp* response, int requestId, void* data, int status) {
    const std::unique_ptr<CSnmp> owned(response);
    int type = 0;
    const char* text = nullptr;
    if (status != EC_NO_ERROR || !owned || owned->getVarBindCount() < 1 || owned->getValue(0, type, text) != 0 ||
        text == nullptr)
        return 0;
    auto& slot = *static_cast<Slot*>(data);
    CCounterPollDlg& self = *slot.dialog;
    const std::string value = text;
    // Checked and shown on the user-interface thread, so a page or choice changed meanwhile
    // (which forgets or re-asks the position there) is never overwritten by an older answer.
    ui::RunOnUiThread([&] {
        {
            std::lock_guard lock(self.m_mutex);
            if (self.m_closed || requestId == 0 || requestId != slot.latest) return;
        }
        self.ShowValue(slot.position, value);
    });
    return 0;
}
