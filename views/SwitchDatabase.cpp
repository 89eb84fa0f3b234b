#include "views/SwitchDatabase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "platform/ui/Gdi.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/PublicMibViewsIds.h"

using namespace forwarding_table_ids;

namespace {
const char kFdbStatus[] = "1.3.6.1.2.1.17.7.1.2.2.1.3";
const char kFdbPort[] = "1.3.6.1.2.1.17.7.1.2.2.1.2";
const char kAgingTime[] = "1.3.6.1.2.1.17.4.2.0";
}  // namespace

BEGIN_MESSAGE_MAP(CSwitchDatabase, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_NEXT, OnNext)
    ON_BN_CLICKED(IDC_BACK, OnBack)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
END_MESSAGE_MAP()

CSwitchDatabase::CSwitchDatabase() : CFeatureDialog(IDD, {.topmost = true}) {}

void CSwitchDatabase::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_LIST, m_list); }

BOOL CSwitchDatabase::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    SetWindowText("Forwarding Table");
    m_list.InsertColumn(0, "ID ", LVCFMT_CENTER, 80);
    m_list.InsertColumn(1, "Port", LVCFMT_CENTER, 100);
    m_list.InsertColumn(2, " MAC Address ", LVCFMT_CENTER, 210);
    m_list.InsertColumn(3, " Status ", LVCFMT_CENTER, 117);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    Enable(IDC_REFRESH, false);
    StartWalk();
    ReadAgingTime();
    return TRUE;
}

void CSwitchDatabase::OnRefresh() {
    StartWalk();
    ReadAgingTime();
}

void CSwitchDatabase::Enable(ui::ControlId<CButton> id, bool enable) { Item(id).EnableWindow(enable ? TRUE : FALSE); }

void CSwitchDatabase::StartWalk() {
    m_list.DeleteAllItems();
    m_store.clear();
    m_list.Invalidate();
    Enable(IDC_REFRESH, false);
    Enable(IDC_NEXT, false);
    Enable(IDC_BACK, false);
    // Every end enables Refresh; Next and Back keep what the rows set.
    m_cCommonSNMP.Start(
        SnmpReadSpec::Walk({kFdbStatus, kFdbPort}), [this](const SnmpRow& row) { WalkCallback(row); },
        [this](const SnmpReadResult&) { Enable(IDC_REFRESH, true); });
}

std::string CSwitchDatabase::IndexToMac(const std::string& suffix) {
    std::istringstream in(suffix);
    std::string part, mac;
    std::getline(in, part, '.');  // before the leading "."
    std::getline(in, part, '.');  // the forwarding database id
    while (std::getline(in, part, '.')) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%02lX", std::strtoul(part.c_str(), nullptr, 10));
        if (!mac.empty()) mac += '-';
        mac += hex;
    }
    return mac;
}

std::string CSwitchDatabase::StatusText(const std::string& value) {
    static const char* const kNames[] = {"Other", "Invalid", "Learn", "Own", "Static"};
    if (!value.empty() && value[0] >= '1' && value[0] <= '5') return kNames[value[0] - '1'];
    return value;
}

void CSwitchDatabase::AppendToList(const FWD_TABLE& entry) {
    const int item = m_list.GetItemCount();
    m_list.SetCell(item, 0, std::to_string(entry.nID));
    m_list.SetCell(item, 1, entry.strPort);
    m_list.SetCell(item, 2, entry.strMac);
    m_list.SetCell(item, 3, entry.strStatus);
}

int CSwitchDatabase::FirstShownId() const {
    return m_list.GetItemCount() == 0 ? 0 : std::atoi(m_list.GetItemText(0, 0).c_str());
}

void CSwitchDatabase::WalkCallback(const SnmpRow& row) {
    FWD_TABLE entry;
    entry.nID = static_cast<int>(m_store.size()) + 1;
    entry.strMac = IndexToMac(row.Index());
    entry.strStatus = StatusText(row.Text(0));
    entry.strPort = row.Text(1);
    m_store.push_back(entry);
    if (m_list.GetItemCount() < kPageRows) AppendToList(entry);
    if (static_cast<int>(m_store.size()) > FirstShownId() + kPageRows - 1) {
        Enable(IDC_NEXT, true);
        Enable(IDC_REFRESH, true);
    }
}

void CSwitchDatabase::ShowPage(Direction direction) {
    const int n = static_cast<int>(m_store.size());
    const int first = FirstShownId();
    int from = 0, to = 0;
    if (direction == Next) {
        from = first + kPageRows;
        to = std::min(first + 2 * kPageRows - 1, n);
        FillRows(from, to);
        Enable(IDC_BACK, true);
    } else {
        from = first - kPageRows;
        to = first - 1;
        FillRows(from, to);
    }
    Enable(IDC_NEXT, n > to);
    Enable(IDC_BACK, from > 1);
}

void CSwitchDatabase::FillRows(int from, int to) {
    if (from < 1 || static_cast<int>(m_store.size()) < from) return;
    to = std::min(to, static_cast<int>(m_store.size()));
    m_list.DeleteAllItems();
    for (int r = from; r <= to; ++r) AppendToList(m_store[static_cast<std::size_t>(r - 1)]);
}

void CSwitchDatabase::ReadAgingTime() {
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMPGetTime, {kAgingTime});
    // An error answer echoes the request's empty value; the field keeps its text.
    if (!answer.Ok() || answer.Size() < 1) return;
    SetDlgItemText(IDC_AGE_TIME, answer.Text(0));
}

void CSwitchDatabase::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPGetTime.Close();
    OutputDebugStringA("==================m_cCommonSNMPGetTime.Close===============");
}
