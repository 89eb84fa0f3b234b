#include "features/management/SNMPViewTree.h"

#include <vector>

#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_view_ids;

namespace {
constexpr int kMaxViews = 50;
constexpr int kMaxName = 32;

std::vector<std::string> Components(const std::string& dotted) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (true) {
        const size_t end = dotted.find('.', at);
        parts.push_back(dotted.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) return parts;
        at = end + 1;
    }
}

bool HasEmptyComponent(const std::string& dotted) {
    for (const std::string& part : Components(dotted)) {
        if (part.empty()) return true;
    }
    return false;
}

bool IsMaskComponent(const std::string& part) { return part == "0" || part == "1" || part == "00" || part == "01"; }
}  // namespace

BEGIN_MESSAGE_MAP(CSNMPViewTree, CSNMPTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
END_MESSAGE_MAP()

CSNMPViewTree::CSNMPViewTree(CWnd* parent)
    : CSNMPTableDialog(IDD, {IDC_LIST, {IDC_APPLY, IDC_DELETE, IDC_REFRESH}}, parent) {}

BOOL CSNMPViewTree::OnInitDialog() {
    CSNMPTableDialog::OnInitDialog();
    InitList({{"View Name", 100}, {"Subtree OID", 100}, {"OID Mask", 100}, {"View Type", 100}});
    for (const char* t : {"Included", "Excluded"}) Item(IDC_VIEW_TYPE).AddString(t);
    Item(IDC_VIEW_TYPE).SetCurSel(0);
    Item(IDC_VIEW_NAME).LimitText(kMaxName);
    Item(IDC_SUBTREE).LimitText(kMaxName);
    Refresh();
    return TRUE;
}

void CSNMPViewTree::OnRow(WPARAM code, LPARAM record) {
    if (code != kSnmpRow) return;
    const auto& e = *reinterpret_cast<const SnmpViewEntry*>(record);
    if (e.rowStatus == "1") AppendRow({e.viewName, e.subtree, e.mask, e.viewType});
}

void CSNMPViewTree::OnApply() {
    CWaitCursor wait;
    const std::string name = TrimBlanks(Item(IDC_VIEW_NAME).GetWindowText());
    const std::string subtree = Item(IDC_SUBTREE).GetWindowText();
    const std::string mask = TrimBlanks(Item(IDC_MASK).GetWindowText());
    CComboBox& type = Item(IDC_VIEW_TYPE);
    const InputCheck checks[] = {
        {[&] { return name.empty(); }, "Please enter valid view name."},
        {[&] { return !CSNMPConfig::IsValidName(name); }, "Invalid View Name."},
        {[&] { return subtree.find_first_not_of("0123456789.") != std::string::npos; },
         "Please enter valid subtree OID"},
        {[&] { return HasEmptyComponent(subtree); }, "Please enter valid subtree OID ."},
        {[&] { return mask.empty(); }, "Please enter valid OID Mask."},
        {[&] {
             for (const std::string& part : Components(mask)) {
                 if (!IsMaskComponent(part)) return true;
             }
             return false;
         },
         "Please enter valid OID Mask."},
        {[&] { return Components(mask).size() > Components(subtree).size(); }, "Invalid  OID length"},
        {[&] {
             return Listed({{0, name}, {1, subtree}});
         },
         "This View Entry already exist."},
        {[&] { return RowCount() >= kMaxViews; }, "Maximum number of View Entry is 50."},
    };
    if (!PassChecks(checks)) return;
    const std::string viewType = type.GetLBText(type.GetCurSel());
    CreateRow(kViewStatus + CSNMPConfig::MakeViewIndex(name, subtree),
              [&] { m_config.SetView(name, subtree, mask, viewType); });
    for (auto id : {IDC_VIEW_NAME, IDC_SUBTREE, IDC_MASK}) Item(id).SetWindowText("");
    type.SetCurSel(0);
    Refresh();
}

void CSNMPViewTree::OnDelete() {
    DeleteSelected("Please Selecte the Item you would delete",
                   [this](int row) { return kViewStatus + CSNMPConfig::MakeViewIndex(Cell(row, 0), Cell(row, 1)); });
}
