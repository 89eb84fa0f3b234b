// The RMON 1 statistics dialogs: the statistics entries (54), a new entry (64), one counter for
// a page of entries (55), all counters by entry (56); and the RMON control settings (485).
#include <cstdio>

#include "platform/ui/Template.h"
#include "resources/templates/Rmon1DialogsIds.h"

namespace {
using namespace ui::tpl;
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// Items first to first + 7 of the counter page: "Item" labels and their values.
Item CounterItems(int first) {
    Item grid = Grid(2, {Label(IDC_STATIC, "Item#"), Label(IDC_STATIC, "Data")});
    for (int k = first; k < first + 8; ++k) {
        char label[16];
        std::snprintf(label, sizeof label, "Item %2d", k);
        grid.children.push_back(Label(rmon1_counter_ids::IDC_ITEM_LABEL + k, label).Fits("Item 999"));
        grid.children.push_back(Label(rmon1_counter_ids::IDC_ITEM_VALUE + k, "0").Chars(10));
    }
    return Group(IDC_STATIC, "", {grid});
}

// The 17 counter rows: the entry, the counter's name, its value and the hidden chart box.
Item InterfaceRows() {
    using namespace rmon1_interface_ids;
    static const char* const kNames[kRows] = {"DropEvents",
                                              "Octets",
                                              "Pkts",
                                              "BroadcastPkts",
                                              "MulticastPkts",
                                              "CRCAlignErrors",
                                              "UndersizePkts",
                                              "OversizePkts",
                                              "Fragments",
                                              "Jabbers",
                                              "Collisions",
                                              "Pkts64Octets",
                                              "Pkts65to127Octets",
                                              "Pkts128to255Octets",
                                              "Pkts256to511Octets",
                                              "Pkts512to1023Octets",
                                              "Pkts1024to1518Octets"};
    Item grid = Grid(4, {Label(IDC_STATIC, "Item#"), Label(IDC_STATIC, "Parameter"), Label(IDC_STATIC, "Data"),
                         Label(IDC_STATIC, "")});
    for (int r = 1; r <= kRows; ++r) {
        grid.children.push_back(Combo(IDC_ROW_COMBO[r - 1], r == 1 ? CBS_DROPDOWN : CBS_DROPDOWNLIST).Chars(6));
        grid.children.push_back(Label(IDC_ROW_LABEL + r, kNames[r - 1]));
        grid.children.push_back(Label(IDC_ROW_VALUE + r, "0").Chars(10));
        grid.children.push_back(Check(IDC_ROW_CHART[r - 1], "").Hidden());
    }
    return grid;
}
}  // namespace

namespace rmon1_statistic_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON 1 Statistic Info", kDialogStyle,
    Column({
        List(IDC_LIST, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER).Size(300, 260),
        Row({Label(IDC_STATIC, "Number:"), Label(IDC_NUMBER, "0").Chars(6), Stretch()}),
        Row({Button(IDC_ADD, "&Add"), Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh")}),
        Row({Button(IDC_OPEN_PARAMETER, "Parameter"), Button(IDC_OPEN_INTERFACE, "Interface"), DefButton(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace rmon1_statistic_ids

namespace rmon1_entry_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON 1 Control", kDialogStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "Index:"), Edit(IDC_INDEX).Width(160),
            Label(IDC_STATIC, "Interface:"), Edit(IDC_INTERFACE).Width(160),
            Label(IDC_STATIC, "Property:"), Edit(IDC_OWNER).Width(160),
        }),
        Row({Stretch(), Button(IDOK, "&OK"), DefButton(IDCANCEL, "&Cancel")}),
    }))
// clang-format on
}  // namespace rmon1_entry_ids

namespace rmon1_counter_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON 1 Group Parameter", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "Parameter:"), Combo(IDC_PARAMETER).Fits("Pkts1024to1518Octets"), Stretch()}),
        Row({CounterItems(1), CounterItems(9), CounterItems(17)}),
        Row({Button(IDC_PREV, "Prev Group"), Button(IDC_NEXT, "&Next Group"), Stretch(),
             DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace rmon1_counter_ids

namespace rmon1_interface_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON 1 Interface", kDialogStyle,
    Column({
        InterfaceRows(),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace rmon1_interface_ids

namespace rmon_control_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "", kDialogStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "RmonControlHistoryControlQuotaBucket:"), Edit(IDC_QUOTA_BUCKET).Width(140),
            Label(IDC_STATIC, "ControlHistoryControlQuotaBucket:"), Edit(IDC_CONTROL_QUOTA_BUCKET).Width(140),
            Label(IDC_STATIC, "ControlHistoryControlMaxGlobalBuckets:"), Edit(IDC_MAX_GLOBAL_BUCKETS).Width(140),
            Label(IDC_STATIC, "ControlHistoryMaxEntries:"), Edit(IDC_MAX_ENTRIES).Width(140),
            Label(IDC_STATIC, "RmonControlMibVersion:"), Label(IDC_MIB_VERSION, "").Chars(10),
            Label(IDC_STATIC, "RmonControlHistoryControlMaxGlobalBuckets:"), Label(IDC_GLOBAL_BUCKETS, "").Chars(10),
        }),
        Row({Check(1008, "Physical").Hidden(), Check(1009, "Link").Hidden(), Check(1098, "Network").Hidden(),
             Check(1099, "Transportation").Hidden(), Check(1102, "Application").Hidden(), Label(1302, "").Hidden()}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace rmon_control_ids
