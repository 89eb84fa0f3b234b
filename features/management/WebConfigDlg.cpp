#include "features/management/WebConfigDlg.h"

#include "resources/templates/ServiceDialogsIds.h"

using namespace web_config_ids;

namespace {
const std::string kService = "1.3.6.1.4.1.32473.10.94.89.89.66.30.1.";
}  // namespace

BEGIN_MESSAGE_MAP(CWebConfigDlg, CDirectTableDlg)
    ON_NOTIFY(NM_CLICK, IDC_LIST, OnClickServiceList)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

CWebConfigDlg::CWebConfigDlg(CWnd*)
    : CDirectTableDlg({IDD,
                       IDC_LIST,
                       {"  Index", "  ServiceName     ", "  Enable       ", "  UDP Port ", "  MaxUsers    ",
                        "  Protocol    ", "  CertificateId      ", "  MaxIdleTimeOut            "},
                       {kService + "2", kService + "3", kService + "4", kService + "5", kService + "6", kService + "7",
                        kService + "8"}}) {}

std::string CWebConfigDlg::EnableText(const std::string& value) {
    return value == "2" ? "disable" : value == "3" ? "enable" : "default";
}

std::string CWebConfigDlg::ProtocolText(const std::string& value) {
    return value == "2" ? "http" : value == "3" ? "https" : "default";
}

BOOL CWebConfigDlg::OnInitDialog() {
    Item(IDC_STATUS).AddString("disable");
    Item(IDC_STATUS).AddString("enable");
    return CDirectTableDlg::OnInitDialog();
}

void CWebConfigDlg::DoDataExchange(CDataExchange* dx) {
    CDirectTableDlg::DoDataExchange(dx);
    // Only Apply takes the numbers; a click fills the boxes.
    if (!dx->m_bSaveAndValidate) return;
    DDX_Text(dx, IDC_UDP_PORT, m_nUdpPort);
    DDX_Text(dx, IDC_IDLE_TIMEOUT, m_nIdleTimeout);
}

std::vector<std::string> CWebConfigDlg::FormatRow(const DirectRow& row) const {
    std::string index;
    for (unsigned long part : row.index) index += (index.empty() ? "" : ".") + std::to_string(part);
    std::vector<std::string> cells{index};
    for (std::size_t i = 0; i < row.values.size(); ++i) {
        const std::string& v = row.values[i].text;
        cells.push_back(i == 1 ? EnableText(v) : i == 4 ? ProtocolText(v) : v);
    }
    return cells;
}

void CWebConfigDlg::OnClickServiceList(NMHDR*, LRESULT* result) {
    *result = 0;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) return;
    const int row = m_list.GetNextSelectedItem(pos);
    SetDlgItemText(IDC_INDEX, m_list.GetItemText(row, 0));
    SetDlgItemText(IDC_IDLE_TIMEOUT, m_list.GetItemText(row, 7));
    SetDlgItemText(IDC_UDP_PORT, m_list.GetItemText(row, 3));
    // "default" matches no entry: no state is offered for it.
    CComboBox& status = Item(IDC_STATUS);
    status.SetCurSel(status.FindString(-1, m_list.GetItemText(row, 2)));
}

void CWebConfigDlg::OnApply() {
    if (GetDlgItemText(IDC_INDEX).empty()) return;
    // Without a chosen state there is nothing the user asked to write.
    if (Item(IDC_STATUS).GetCurSel() < 0) return;
    if (!UpdateData(TRUE)) return;
    WriteService();
}

void CWebConfigDlg::WriteService() {
    const std::string i = GetDlgItemText(IDC_INDEX);
    const std::vector<DirectObject> objects = {
        {kService + "4." + i, SNMP_TYPE_INTEGER, std::to_string(m_nUdpPort)},
        {kService + "8." + i, SNMP_TYPE_INTEGER, std::to_string(m_nIdleTimeout)},
        {kService + "3." + i, SNMP_TYPE_INTEGER, std::to_string(Item(IDC_STATUS).GetCurSel() + 2)},
    };
    // The table is read again once the write is answered, so it shows what the switch holds.
    if (m_settings.version == 1) {
        WriteAsyncV1(objects, [this] {
            OnWriteResponse();
            ReadTableDirect();
        });
    } else {
        CWaitCursor wait;
        if (m_settings.version == 3) WriteScalarsV3(m_settings, objects);
        ReadTableDirect();
    }
}

// The answer is not examined: the table read that follows shows the result.
void CWebConfigDlg::OnWriteResponse() {}
