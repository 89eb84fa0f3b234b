#include "features/management/TelnetCfgDlg.h"

#include "resources/templates/ServiceDialogsIds.h"

using namespace telnet_ids;

namespace {
const std::string kTelnet = "1.3.6.1.4.1.32473.10.94.89.89.58.";
const std::string kPassword = kTelnet + "2.0";
const std::string kTimeout = kTelnet + "3.0";
const std::string kSessions = kTelnet + "4.1.";

// The value texts of a response, in order, up to the first variable without one.
std::vector<std::string> ValueTexts(const CSnmp& response) {
    std::vector<std::string> texts;
    for (int i = 0; i < response.getVarBindCount(); ++i) {
        int type = 0;
        const char* value = nullptr;
        if (response.getValue(i, type, value) != EC_NO_ERROR || value == nullptr) break;
        texts.emplace_back(value);
    }
    return texts;
}
}  // namespace

BEGIN_MESSAGE_MAP(CTelnetCfgDlg, CDirectTableDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_TIMEOUT_APPLY, OnApplyTimeout)
    ON_BN_CLICKED(IDC_SESSION_APPLY, OnApplySession)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST, OnSessionItemChanged)
    ON_NOTIFY(NM_CLICK, IDC_LIST, OnSessionClick)
END_MESSAGE_MAP()

CTelnetCfgDlg::CTelnetCfgDlg(CWnd*)
    : CDirectTableDlg(
          {IDD,
           IDC_LIST,
           {" TelnetSessionId ", " ClientAddress            ", " LoginTime                   ", " Status           "},
           {kSessions + "1", kSessions + "2", kSessions + "3", kSessions + "4"}}) {}

std::string CTelnetCfgDlg::SessionCellText(int column, const std::string& value) {
    if (column != 3) return value;
    return value == "1" ? "Connected" : "Unconnected";
}

BOOL CTelnetCfgDlg::OnInitDialog() {
    Item(IDC_STATUS).AddString("Connected");
    Item(IDC_STATUS).AddString("UnConnected");
    // The settings first, then the base reads the sessions.
    TakeSettings();
    ReadTelnetSettings();
    return CDirectTableDlg::OnInitDialog();
}

std::vector<std::string> CTelnetCfgDlg::FormatRow(const DirectRow& row) const {
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < row.values.size(); ++i)
        cells.push_back(SessionCellText(static_cast<int>(i), row.values[i].text));
    return cells;
}

// An answer to a walk that a session Apply replaced is dropped; the walk started since goes on.
bool CTelnetCfgDlg::TakeWalkAnswer(int requestId) {
    if (requestId != RequestId()) return false;
    return TakeAnswer(requestId);
}

void CTelnetCfgDlg::OnRefresh() {
    ReadTelnetSettings();
    ReadTableDirect();
}

void CTelnetCfgDlg::ReadTelnetSettings() {
    if (m_settings.version != 1) return;
    m_settingsSession.setType(SNMP_PDU_GET);
    m_settingsSession.setCommunity(m_settings.readCommunity.c_str());
    m_settingsSession.clearVarBindList();
    m_settingsSession.addValue(kPassword.c_str(), SNMP_TYPE_NULL, nullptr);
    m_settingsSession.addValue(kTimeout.c_str(), SNMP_TYPE_NULL, nullptr);
    StartAsync(m_settingsSession, SettingsCallback, true, false, 0);
}

int CTelnetCfgDlg::SettingsCallback(CSnmp* response, int, void* dialog, int status) {
    auto* self = static_cast<CTelnetCfgDlg*>(dialog);
    if (status == EC_NO_ERROR && response && !self->IsClosed()) {
        const std::vector<std::string> values = ValueTexts(*response);
        if (values.size() >= 1) self->SetDlgItemText(IDC_PASSWORD, values[0]);
        if (values.size() >= 2) self->SetDlgItemText(IDC_TIMEOUT, values[1]);
    }
    delete response;
    return 0;
}

void CTelnetCfgDlg::OnSessionItemChanged(NMHDR*, LRESULT* result) {
    *result = 0;
    if (m_list.GetFirstSelectedItemPosition() != nullptr) Item(IDC_STATUS).EnableWindow(TRUE);
}

void CTelnetCfgDlg::OnSessionClick(NMHDR*, LRESULT* result) {
    *result = 0;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) return;
    const std::string id = m_list.GetItemText(m_list.GetNextSelectedItem(pos), 0);
    SetDlgItemText(IDC_SESSION_ID, id);
    ReadSessionStatus(id);
}

void CTelnetCfgDlg::ReadSessionStatus(const std::string& id) {
    const std::string oid = kSessions + "4." + id;
    if (m_settings.version == 1) {
        m_settingsSession.setType(SNMP_PDU_GET);
        m_settingsSession.setCommunity(m_settings.readCommunity.c_str());
        m_settingsSession.clearVarBindList();
        m_settingsSession.addValue(oid.c_str(), SNMP_TYPE_NULL, nullptr);
        StartAsync(m_settingsSession, StatusCallback, true, false, 0);
    } else if (m_settings.version == 3) {
        CWaitCursor wait;
        const std::vector<DirectValue> values = ReadScalarsSync(m_settings, {oid});
        if (!values.empty()) ShowSessionStatus(values[0].text);
    }
}

void CTelnetCfgDlg::ShowSessionStatus(const std::string& value) { Item(IDC_STATUS).SetCurSel(value == "1" ? 0 : 1); }

int CTelnetCfgDlg::StatusCallback(CSnmp* response, int, void* dialog, int status) {
    auto* self = static_cast<CTelnetCfgDlg*>(dialog);
    if (status == EC_NO_ERROR && response && !self->IsClosed()) {
        const std::vector<std::string> values = ValueTexts(*response);
        if (!values.empty()) self->ShowSessionStatus(values[0]);
    }
    delete response;
    return 0;
}

bool CTelnetCfgDlg::WriteV1(const std::string& oid, const std::string& value) {
    m_settingsSession.setType(SNMP_PDU_SET);
    m_settingsSession.setCommunity(m_settings.writeCommunity.c_str());
    m_settingsSession.clearVarBindList();
    m_settingsSession.addValue(oid.c_str(), SNMP_TYPE_INTEGER, value.c_str());
    return StartAsync(m_settingsSession, WriteDoneCallback, true, false, 0);
}

int CTelnetCfgDlg::WriteDoneCallback(CSnmp* response, int, void*, int) {
    delete response;
    return 0;
}

void CTelnetCfgDlg::OnApplyTimeout() {
    if (m_settings.version != 1) return;
    if (!WriteV1(kTimeout, GetDlgItemText(IDC_TIMEOUT))) return;
    EndWalk();
    ReadTelnetSettings();
}

void CTelnetCfgDlg::OnApplySession() {
    const std::string id = GetDlgItemText(IDC_SESSION_ID);
    if (id.empty()) return;
    const std::string oid = kSessions + "4." + id;
    const std::string value = Item(IDC_STATUS).GetCurSel() == 0 ? "1" : "2";
    if (m_settings.version == 1) {
        if (!WriteV1(oid, value)) return;
        EndWalk();
        ReadTableDirect();
    } else if (m_settings.version == 3) {
        CWaitCursor wait;
        if (WriteScalarsV3(m_settings, {{oid, SNMP_TYPE_INTEGER, value}}) == EC_NO_ERROR) ReadTableDirect();
    }
}
