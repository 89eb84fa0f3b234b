#include "features/management/SNMPGroup.h"

#include "platform/win/Clock.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_group_ids;

namespace {
constexpr int kMaxGroups = 50;
constexpr int kMaxName = 32;
// The switch takes a moment to settle a new group before it is read again.
constexpr DWORD kReadPauseMs = 50;
}  // namespace

BEGIN_MESSAGE_MAP(CSNMPGroup, CSNMPTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
    ON_CBN_SELCHANGE(IDC_MODEL, OnModelChanged)
END_MESSAGE_MAP()

CSNMPGroup::CSNMPGroup(CWnd* parent)
    : CSNMPTableDialog(IDD, {IDC_LIST, {IDC_APPLY, IDC_DELETE, IDC_REFRESH}}, parent) {}

BOOL CSNMPGroup::OnInitDialog() {
    CSNMPTableDialog::OnInitDialog();
    InitList({{"Group Name", 100},
              {"Read View", 100},
              {"Write View", 100},
              {"Notify View", 100},
              {"Security Model", 100},
              {"Security Level", 100}});
    for (const char* m : {"v1", "v2c", "v3"}) Item(IDC_MODEL).AddString(m);
    for (const char* l : {"NoAuthNoPriv", "AuthNoPriv", "AuthPriv"}) Item(IDC_LEVEL).AddString(l);
    Item(IDC_MODEL).SetCurSel(0);
    Item(IDC_LEVEL).SetCurSel(0);
    Item(IDC_LEVEL).EnableWindow(FALSE);
    for (auto id : {IDC_GROUP_NAME, IDC_READ_VIEW, IDC_WRITE_VIEW, IDC_NOTIFY_VIEW}) Item(id).LimitText(kMaxName);
    Refresh();
    return TRUE;
}

void CSNMPGroup::OnRow(WPARAM code, LPARAM record) {
    if (code != kSnmpRow) return;
    const auto& e = *reinterpret_cast<const SnmpGroupEntry*>(record);
    if (e.rowStatus == "1") {
        AppendRow({e.groupName, e.readView, e.writeView, e.notifyView, e.securityModel, e.securityLevel});
    }
}

void CSNMPGroup::OnModelChanged() { Item(IDC_LEVEL).EnableWindow(ComboText(IDC_MODEL) == "v3" ? TRUE : FALSE); }

void CSNMPGroup::OnApply() {
    CWaitCursor wait;
    // Names as entered: a leading blank is part of the name.
    const std::string group = Item(IDC_GROUP_NAME).GetWindowText();
    const std::string model = ComboText(IDC_MODEL);
    // A v1 or v2c group has no authentication, whatever the disabled level list still shows.
    const std::string level = model == "v3" ? ComboText(IDC_LEVEL) : "NoAuthNoPriv";
    const InputCheck checks[] = {
        {[&] { return group.empty(); }, "Please enter valid group name!"},
        {[&] { return !CSNMPConfig::IsValidName(group); }, "Invalid Group Name."},
        {[&] {
             return Listed({{0, group}, {4, model}});
         },
         "This Group Entry already exists."},
        {[&] { return RowCount() >= kMaxGroups; }, "Maximum number of Group Entry is 50."},
    };
    if (!PassChecks(checks)) return;
    const std::string readView = Item(IDC_READ_VIEW).GetWindowText();
    const std::string writeView = Item(IDC_WRITE_VIEW).GetWindowText();
    const std::string notifyView = Item(IDC_NOTIFY_VIEW).GetWindowText();
    CreateRow(kGroupStatus + CSNMPConfig::MakeGroupIndex(group, model, level),
              [&] { m_config.SetGroup(group, model, level, readView, writeView, notifyView); });
    for (auto id : {IDC_GROUP_NAME, IDC_READ_VIEW, IDC_WRITE_VIEW, IDC_NOTIFY_VIEW}) Item(id).SetWindowText("");
    Item(IDC_MODEL).SetCurSel(0);
    Item(IDC_LEVEL).SetCurSel(0);
    Item(IDC_LEVEL).EnableWindow(FALSE);
    win::Sleep(kReadPauseMs);
    Refresh();
}

void CSNMPGroup::OnDelete() {
    DeleteSelected("Please select the item would be delete!\n", [this](int row) {
        return kGroupStatus + CSNMPConfig::MakeGroupIndex(Cell(row, 0), Cell(row, 4), Cell(row, 5));
    });
}
