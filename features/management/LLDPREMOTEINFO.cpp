#include "features/management/LLDPREMOTEINFO.h"

#include <cstdio>

#include "core/ModuleStartupParams.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace lldp_remote_ids;

namespace {
const std::string kState = "1.3.6.1.4.1.32473.10.76.21.1.24.1.0";
const std::string kRemote = "1.0.8802.1.1.2.1.4.1.1.";
const char* const kChassisSubtypes[] = {"ChassisComponent", "InterfaceAlias", "PortComponent", "MacAddress",
                                        "NetworkAddress",   "InterfaceName",  "Local"};
const char* const kPortSubtypes[] = {"InterfaceAlias", "PortComponent",  "MacAddress", "NetworkAddress",
                                     "InterfaceName",  "AgentCircuitld", "Local"};

std::string SubtypeText(const char* const (&texts)[7], int code) {
    return code >= 1 && code <= 7 ? texts[code - 1] : "";
}
}  // namespace

BEGIN_MESSAGE_MAP(CLLDPREMOTEINFO, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CLLDPREMOTEINFO::CLLDPREMOTEINFO(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CLLDPREMOTEINFO::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    int column = 0;
    for (const char* heading : {"Port", "Entity", "Chassis ID Subtype"}) m_list.InsertHeaderColumn(column++, heading);
    m_list.InsertColumn(column++, "Chassis ID", LVCFMT_CENTER, 150);
    for (const char* heading : {"Port ID Subtype", "Port ID"}) m_list.InsertHeaderColumn(column++, heading);
    for (const char* heading : {"Port Description", "System Name", "System Description"}) {
        m_list.InsertColumn(column++, heading, LVCFMT_CENTER, 150);
    }
    Item(IDC_COUNT).SetWindowText("0");
    if (ModuleStartupParams::SnmpVersion == "1") CheckState();
    return TRUE;
}

void CLLDPREMOTEINFO::CloseSessions() {
    m_cCommonSNMPEnabled.Close();
    m_cCommonSNMP.Close();
}

void CLLDPREMOTEINFO::CheckState() {
    const SnmpAnswer state = SnmpGet(m_cCommonSNMPEnabled, {kState});
    if (!state.Answered()) {
        AfxMessageBox("Get LLDP remote port information unsuccessful!");
        return;
    }
    const BOOL on = state.Text(0) == "2" ? FALSE : TRUE;
    m_list.EnableWindow(on);
    Item(IDC_REFRESH).EnableWindow(on);
    ReadRemoteTable();
}

void CLLDPREMOTEINFO::OnRefresh() {
    Item(IDC_COUNT).SetWindowText("0");
    ReadRemoteTable();
}

void CLLDPREMOTEINFO::ReadRemoteTable() {
    m_list.DeleteAllItems();
    std::vector<std::string> columns;
    for (int c = 4; c <= 10; ++c) columns.push_back(kRemote + std::to_string(c));
    // An answer with fewer than the seven columns ends the walk, and Refresh comes back.
    m_cCommonSNMP.Start(
        SnmpReadSpec::Walk(columns), [this](const SnmpRow& row) { OnRemoteRow(row); },
        [this](const SnmpReadResult&) { Item(IDC_REFRESH).EnableWindow(TRUE); });
    Item(IDC_REFRESH).EnableWindow(FALSE);
}

void CLLDPREMOTEINFO::OnRemoteRow(const SnmpRow& row) {
    char count[16];
    std::snprintf(count, sizeof count, "  %d", m_list.GetItemCount() + 1);
    Item(IDC_COUNT).SetWindowText(count);
    // The local port is the second-to-last arc of the index.
    const std::string index = row.IndexDigits();
    const size_t last = index.rfind('.');
    const size_t before = last == std::string::npos ? std::string::npos : index.rfind('.', last - 1);
    const std::string port = last == std::string::npos     ? ""
                             : before == std::string::npos ? index.substr(0, last)
                                                           : index.substr(before + 1, last - before - 1);
    std::string chassis;
    for (unsigned char c : row.Bytes(1)) {
        char pair[4];
        std::snprintf(pair, sizeof pair, chassis.empty() ? "%02X" : "-%02X", c);
        chassis += pair;
    }
    const int at = m_list.GetItemCount();
    const std::vector<std::string> cells = {port,
                                            count,
                                            SubtypeText(kChassisSubtypes, row.Number(0)),
                                            chassis,
                                            SubtypeText(kPortSubtypes, row.Number(2)),
                                            row.Text(3),
                                            row.Text(4),
                                            row.Text(5),
                                            row.Text(6)};
    for (size_t c = 0; c < cells.size(); ++c) m_list.SetCell(at, static_cast<int>(c), cells[c]);
}
