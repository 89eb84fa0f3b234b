#include "features/management/TelnetCfgDlg.h"

#include "resources/templates/ServiceDialogsIds.h"

using namespace telnet_ids;

namespace {
const std::string kTelnet = "1.3.6.1.4.1.32473.10.94.89.89.58.";
const std::string kPassword = kTelnet + "2.0";
const std::string kTimeout = kTelnet + "3.0";
const std::string kSessions = kTelnet + "4.1.";

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

void CTelnetCfgDlg::CloseSessions() {
    m_settingsRead.Close();
    m_statusRead.Close();
    CDirectTableDlg::CloseSessions();
}

void CTelnetCfgDlg::OnRefresh() {
    ReadTelnetSettings();
    ReadTableDirect();
}

void CTelnetCfgDlg::ReadTelnetSettings() {
    if (m_settings.version != 1) return;
    SnmpReadSpec spec = SnmpReadSpec::Get({kPassword, kTimeout}, LibraryTimeoutMs());
    spec.minVarbinds = 1;  // a short answer shows what it holds
    m_settingsRead.Start(
        spec,
        [this](const SnmpRow& row) {
            const std::vector<DirectValue> values = LeadingValues(row);
            if (values.size() >= 1) SetDlgItemText(IDC_PASSWORD, values[0].text);
            if (values.size() >= 2) SetDlgItemText(IDC_TIMEOUT, values[1].text);
        },
        nullptr);
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
        m_statusRead.Start(
            SnmpReadSpec::Get({oid}, LibraryTimeoutMs()),
            [this](const SnmpRow& row) {
                if (row.Has(0)) ShowSessionStatus(row.Text(0));
            },
            nullptr);
    } else if (m_settings.version == 3) {
        CWaitCursor wait;
        const std::vector<DirectValue> values = ReadScalarsSync(m_settings, {oid});
        if (!values.empty()) ShowSessionStatus(values[0].text);
    }
}

void CTelnetCfgDlg::ShowSessionStatus(const std::string& value) { Item(IDC_STATUS).SetCurSel(value == "1" ? 0 : 1); }

void CTelnetCfgDlg::WriteV1(const std::string& oid, const std::string& value, std::function<void()> readAgain) {
    WriteAsyncV1({{oid, SNMP_TYPE_INTEGER, value}}, [this, readAgain = std::move(readAgain)] {
        WriteDoneCallback();
        readAgain();
    });
}

// The write's answer is not examined: the read that follows shows what the switch holds.
void CTelnetCfgDlg::WriteDoneCallback() {}

void CTelnetCfgDlg::OnApplyTimeout() {
    if (m_settings.version != 1) return;
    // A walk of the sessions under way goes on.
    WriteV1(kTimeout, GetDlgItemText(IDC_TIMEOUT), [this] { ReadTelnetSettings(); });
}

void CTelnetCfgDlg::OnApplySession() {
    const std::string id = GetDlgItemText(IDC_SESSION_ID);
    if (id.empty()) return;
    const std::string oid = kSessions + "4." + id;
    const std::string value = Item(IDC_STATUS).GetCurSel() == 0 ? "1" : "2";
    if (m_settings.version == 1) {
        WriteV1(oid, value, [this] { RestartWalkV1(); });
    } else if (m_settings.version == 3) {
        CWaitCursor wait;
        if (WriteScalarsV3(m_settings, {{oid, SNMP_TYPE_INTEGER, value}}) == EC_NO_ERROR) ReadTableDirect();
    }
}
