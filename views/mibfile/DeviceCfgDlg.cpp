#include "views/mibfile/DeviceCfgDlg.h"

#include "core/ModuleStartupParams.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"
#include "resources/templates/DeviceCfgDialogIds.h"

using namespace device_cfg_ids;

BEGIN_MESSAGE_MAP(CDeviceCfgDlg, CFeatureDialog)
    ON_NOTIFY(NM_CLICK, IDC_CONFIG_LIST, OnClickConfigList)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CDeviceCfgDlg::CDeviceCfgDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

CDeviceCfgDlg::~CDeviceCfgDlg() { CDeviceCfgDlg::DestroyWindow(); }

std::string CDeviceCfgDlg::TimeText(const std::string& ticks) {
    unsigned long long t = 0;
    for (char c : ticks) {
        if (c < '0' || c > '9' || t > 100000000000ULL) break;
        t = t * 10 + static_cast<unsigned>(c - '0');
    }
    return std::to_string(t / 360000) + " Hour " + std::to_string((t % 360000) / 6000) + " Min";
}

BOOL CDeviceCfgDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    CListCtrl& config = Item(IDC_CONFIG_LIST);
    config.InsertColumn(0, "  Config Name  ", LVCFMT_LEFT, 200);
    config.InsertColumn(1, "  Status     ", LVCFMT_LEFT, 80);
    config.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    CListCtrl& info = Item(IDC_INFO_LIST);
    info.InsertColumn(0, "", LVCFMT_LEFT, 160);
    info.InsertColumn(1, "", LVCFMT_LEFT, 118);
    info.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    // Apply waits for a clicked option, also when nothing is read.
    Item(IDC_APPLY).EnableWindow(FALSE);
    m_strAgent = ModuleStartupParams::AgentAddress();
    m_strReadCommunity = ModuleStartupParams::ReadCommunity;
    m_strWriteCommunity = ModuleStartupParams::WriteCommunity;
    if (ModuleStartupParams::DeviceIP.empty() || m_strReadCommunity.empty() || m_strWriteCommunity.empty()) return TRUE;
    if (!m_info.Open(kFileName, "DEVINFO")) AfxMessageBox(std::string("No ") + kFileName + " !", MB_OK);
    m_config.Open(kFileName, "DEVCFG");
    ReadConfigOptions();
    ReadDeviceInfo();
    return TRUE;
}

BOOL CDeviceCfgDlg::DestroyWindow() {
    m_bClosing = true;
    // Answers still out are dropped; a callback already running is waited for (the wait
    // serves its calls to the user-interface thread, where it finds the dialog closing).
    m_infoRead.reset();
    m_configRead.reset();
    m_write.reset();
    return GetSafeHwnd() ? CFeatureDialog::DestroyWindow() : TRUE;
}

void CDeviceCfgDlg::Read(CMibXMLParse& reader, CSnmp4w& wrapper, Snmp4wCallback callback) {
    CSnmpV1 request(SNMP_PDU_GET);
    request.setCommunity(m_strReadCommunity.c_str());
    reader.BuildGetRequest(request, "0");
    wrapper.setSnmp(&request);
    // Counted before the send: the answer may be handled before sendAsync returns.
    ++m_readsOut;
    if (wrapper.sendAsync(m_strAgent.c_str(), callback, this, GetSafeHwnd(), kRequestTimeoutMs) != EC_NO_ERROR)
        --m_readsOut;
    wrapper.setSnmp(nullptr);
}

void CDeviceCfgDlg::ReadDeviceInfo() {
    Item(IDC_INFO_LIST).DeleteAllItems();
    if (m_infoRead) Read(m_info, *m_infoRead, &CDeviceCfgDlg::OnDeviceInfoResponse);
}

void CDeviceCfgDlg::ReadConfigOptions() {
    Item(IDC_CONFIG_LIST).DeleteAllItems();
    if (m_configRead) Read(m_config, *m_configRead, &CDeviceCfgDlg::OnConfigOptionsResponse);
}

int CDeviceCfgDlg::OnDeviceInfoResponse(CSnmp* response, int, void* dialog, int status) {
    return static_cast<CDeviceCfgDlg*>(dialog)->OnReadResponse(response, status, true);
}

int CDeviceCfgDlg::OnConfigOptionsResponse(CSnmp* response, int, void* dialog, int status) {
    return static_cast<CDeviceCfgDlg*>(dialog)->OnReadResponse(response, status, false);
}

int CDeviceCfgDlg::OnReadResponse(CSnmp* response, int status, bool deviceInfo) {
    // A time-out or failure brings no answer: the list stays as it is.
    if (status == EC_NO_ERROR) {
        std::unique_ptr<CSnmp> answer(response);
        if (answer && !m_bClosing) ui::RunOnUiThread([&] { Fill(*answer, deviceInfo); });
    }
    --m_readsOut;
    return 0;
}

int CDeviceCfgDlg::OnApplyResponse(CSnmp* response, int, void*, int status) {
    if (status == EC_NO_ERROR) delete response;
    return 0;
}

void CDeviceCfgDlg::Fill(CSnmp& response, bool deviceInfo) {
    if (m_bClosing || !GetSafeHwnd()) return;
    int errorStatus = 0;
    int errorIndex = 0;
    response.getErrorStatus(errorStatus, errorIndex);
    if (errorStatus != 0 || errorIndex != 0) return;
    CMibXMLParse& reader = deviceInfo ? m_info : m_config;
    CListCtrl& list = Item(deviceInfo ? IDC_INFO_LIST : IDC_CONFIG_LIST);
    for (int i = 0; i < response.getVarBindCount(); ++i) {
        const char* oidText = nullptr;
        const char* valueText = nullptr;
        int type = 0;
        response.getOid(i, oidText);
        response.getValue(i, type, valueText);
        std::string oid = oidText ? oidText : "";
        // The ".0" the request added.
        oid = oid.size() >= 2 ? oid.substr(0, oid.size() - 2) : "";
        const std::string value = valueText ? valueText : "";
        std::string desc;
        reader.GetDesc(oid, desc);
        std::string shown;
        std::vector<MibValuePair> pairs;
        if (reader.GetValues(oid, pairs)) {
            for (const MibValuePair& pair : pairs) {
                if (pair.value == value) shown = pair.name;
            }
        } else {
            shown = value;
        }
        if (deviceInfo && desc.find("Time") != std::string::npos) shown = TimeText(shown);
        list.InsertItem(i, desc);
        list.SetItemText(i, 1, shown);
    }
}

void CDeviceCfgDlg::OnClickConfigList(NMHDR*, LRESULT* result) {
    if (result) *result = 0;
    CListCtrl& list = Item(IDC_CONFIG_LIST);
    CComboBox& values = Item(IDC_VALUE);
    const int row = list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        Item(IDC_APPLY).EnableWindow(FALSE);
        values.ResetContent();
        return;
    }
    Item(IDC_APPLY).EnableWindow(TRUE);
    // The row's own entry: counted from the first entry on every click.
    std::string name;
    bool found = m_config.FirstEntryName(name) == 1;
    for (int i = 0; found && i < row; ++i) found = m_config.NextEntryName(name) == 1;
    if (found) m_SelectedOid = name;
    m_SelectedValues.clear();
    m_config.GetValues(m_SelectedOid, m_SelectedValues);
    values.ResetContent();
    const std::string shown = list.GetItemText(row, 1);
    for (const MibValuePair& pair : m_SelectedValues) {
        if (pair.name != shown) values.AddString(pair.name);
    }
    values.SetCurSel(0);
}

void CDeviceCfgDlg::OnApply() {
    Item(IDC_APPLY).EnableWindow(FALSE);
    CComboBox& values = Item(IDC_VALUE);
    const int sel = values.GetCurSel();
    const std::string chosen = sel >= 0 ? values.GetLBText(sel) : std::string();
    const MibValuePair* pair = nullptr;
    for (const MibValuePair& p : m_SelectedValues) {
        if (p.name == chosen) {
            pair = &p;
            break;
        }
    }
    // Nothing to write: no option clicked, no value picked, or no value of that name.
    if (m_SelectedOid.empty() || sel < 0 || pair == nullptr || m_strWriteCommunity.empty() || !m_write) return;
    CSnmpV1 request(SNMP_PDU_GET);
    request.setType(SNMP_PDU_SET);
    request.setCommunity(m_strWriteCommunity.c_str());
    request.clearVarBindList();
    request.addValue((m_SelectedOid + ".0").c_str(), SNMP_TYPE_INTEGER, pair->value.c_str());
    m_write->setSnmp(&request);
    m_write->sendAsync(m_strAgent.c_str(), &CDeviceCfgDlg::OnApplyResponse, this, GetSafeHwnd(), kRequestTimeoutMs);
    m_write->setSnmp(nullptr);
    win::Sleep(kApplyWaitMs);
    values.ResetContent();
    ReadConfigOptions();
}

void CDeviceCfgDlg::OnRefresh() {
    ReadDeviceInfo();
    ReadConfigOptions();
}
