#include "views/CameraVLANOUISetting.h"

#include <algorithm>
#include <cctype>

#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/GvrpDialogsIds.h"

using namespace camera_oui_ids;

namespace {
const std::string kOuiTable = "1.3.6.1.4.1.32473.10.76.21.1.26.2.1.1.";
const std::string kAddressColumn = kOuiTable + "1";
const std::string kDescriptionColumn = kOuiTable + "2";
const std::string kMaskColumn = kOuiTable + "3";
const std::string kStatusColumn = kOuiTable + "5";
const std::string kDefaultOui = "063C91";
const char kDefaultOuiText[] = "06-3C-91-00-00-00";
constexpr int kMaxUserOuis = 5;
constexpr int kDescriptionChars = 20;
constexpr int kOuiChars = 17;
constexpr int kDescriptionBuffer = 128;

// The text without its dashes, upper case.
std::string HexDigits(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != '-') digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return digits;
}
}  // namespace

BEGIN_MESSAGE_MAP(CCameraVLANOUISetting, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_CLOSE, OnClose)
END_MESSAGE_MAP()

CCameraVLANOUISetting::CCameraVLANOUISetting(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CCameraVLANOUISetting::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_LIST, this);
    const std::pair<const char*, int> columns[] = {
        {"ID", 50}, {"Description", 150}, {"Surveillance OUI", 200}, {"OUI Mask", 200}};
    int column = 0;
    for (const auto& [heading, width] : columns) m_list.InsertColumn(column++, heading, LVCFMT_CENTER, width);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    Item(IDC_DESCRIPTION).LimitText(kDescriptionChars);
    Item(IDC_OUI).LimitText(kOuiChars);
    OnRefresh();
    return TRUE;
}

BOOL CCameraVLANOUISetting::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    return CFeatureDialog::DestroyWindow();
}

void CCameraVLANOUISetting::CloseSessions() {
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_tableRead.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
}

void CCameraVLANOUISetting::EnableButtons(bool enable) {
    for (auto id : {IDC_ADD, IDC_DELETE, IDC_REFRESH}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void CCameraVLANOUISetting::OnRefresh() {
    m_list.DeleteAllItems();
    m_tableRead.Start(
        SnmpReadSpec::Walk({kDescriptionColumn, kAddressColumn, kMaskColumn, kStatusColumn}),
        [this](const SnmpRow& row) { OnOuiRow(row); }, [this](const SnmpReadResult&) { EnableButtons(true); });
    EnableButtons(false);
}

void CCameraVLANOUISetting::OnOuiRow(const SnmpRow& row) {
    const int n = m_list.GetItemCount();
    std::string description;
    m_convert.Utf8ToAnsi(row.Bytes(0).c_str(), description);
    m_list.InsertItem(n, std::to_string(n + 1));
    m_list.SetItemText(n, 1, description);
    m_list.SetItemText(n, 2, CUtils::MacBytesToText(row.Bytes(1)));
    m_list.SetItemText(n, 3, CUtils::MacBytesToText(row.Bytes(2)));
}

std::vector<std::string> CCameraVLANOUISetting::ListedOuis() {
    std::vector<std::string> listed;
    for (int row = 0; row < m_list.GetItemCount(); ++row) listed.push_back(m_list.GetItemText(row, 2));
    return listed;
}

std::string CCameraVLANOUISetting::OuiEntryFault(const std::string& description, const std::string& oui,
                                                 const std::vector<std::string>& listed, int defaultMode) {
    if (CUtils::HasNoSpecialChars(description) == 0) return "Invalid Description.";
    const std::string hex = HexDigits(oui);
    // Exactly six bytes of hexadecimal digits, so that the index sent is six whole arcs.
    if (hex.size() != 12 || hex.find_first_not_of("0123456789ABCDEF") != std::string::npos || hex == "000000000000")
        return "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    if (std::stoi(hex.substr(0, 2), nullptr, 16) & 1) return "Multicast MAC  is not allowed.";
    if (defaultMode == 0 && hex.compare(0, 6, kDefaultOui) == 0)
        return "This OUI is default, please select the default mode!";
    // The list shows upper-case digits; the user may type either case.
    const bool listedAlready =
        std::any_of(listed.begin(), listed.end(), [&](const std::string& l) { return HexDigits(l) == hex; });
    if (listedAlready) return "The OUI is already exist!";
    const auto users = std::count_if(listed.begin(), listed.end(),
                                     [](const std::string& l) { return HexDigits(l).compare(0, 6, kDefaultOui) != 0; });
    if (defaultMode == 0 && users >= kMaxUserOuis) return "OUI Table is full,Maximum user defined OUI is 5.";
    return "";
}

int CCameraVLANOUISetting::CheckOuiEntry(const std::string& description, const std::string& oui, int defaultMode) {
    const std::string fault = OuiEntryFault(description, oui, ListedOuis(), defaultMode);
    if (fault.empty()) return 1;
    AfxMessageBox(fault);
    return 0;
}

std::string CCameraVLANOUISetting::OuiToOidSuffix(const std::string& hex) { return CUtils::MacToOidSuffix(hex); }

void CCameraVLANOUISetting::OnAdd() {
    const std::string description = Item(IDC_DESCRIPTION).GetWindowText();
    const std::string oui = Item(IDC_OUI).GetWindowText();
    if (CheckOuiEntry(description, oui, 0) == 0) return;
    const std::string suffix = OuiToOidSuffix(HexDigits(oui));
    const SnmpAnswer created = SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(kStatusColumn + suffix, 4)});
    win::Sleep(50);
    // No row, no description: the inputs stay for another try.
    if (!created.Ok()) return;
    char utf8[kDescriptionBuffer] = {};
    m_convert.AnsiToUtf8(description, utf8, kDescriptionBuffer);
    if (SnmpSet(m_cCommonSNMP, {SnmpSetVar::Octets(kDescriptionColumn + suffix, utf8)}).Ok()) win::Sleep(50);
    for (auto id : {IDC_DESCRIPTION, IDC_OUI}) Item(id).SetWindowText("");
    // The row exists now, with or without its description: the list shows it.
    OnRefresh();
}

void CCameraVLANOUISetting::OnDelete() {
    const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (selected < 0) {
        AfxMessageBox("Please Selecte the OUI Entry you would to delete");
        return;
    }
    const std::string oui = m_list.GetItemText(selected, 2);
    if (oui == kDefaultOuiText) {
        AfxMessageBox("The default Surveillance OUI can not be deleted.");
        return;
    }
    const std::string suffix = OuiToOidSuffix(HexDigits(oui));
    if (!SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(kStatusColumn + suffix, 6)}).Ok()) return;
    win::Sleep(50);
    OnRefresh();
}
