#include "views/direct/GroupInfo.h"

#include "resources/templates/AgentTableViewsIds.h"

using namespace agent_table_ids;

CGroupInfo::CGroupInfo()
    : CDirectTableDlg({IDD_GROUP,
                       IDC_GROUP_LIST,
                       {" Security Mode ", " Security Name        ", " Group Name    ", "   Storage Mode     ",
                        "   Group Status  "},
                       {"1.3.6.1.6.3.16.1.2.1.3", "1.3.6.1.6.3.16.1.2.1.4", "1.3.6.1.6.3.16.1.2.1.5"}}) {}

// Index: security model, security name.
std::vector<std::string> CGroupInfo::FormatRow(const DirectRow& row) const {
    std::size_t pos = 1;
    const std::string model = row.index.empty() ? std::string() : std::to_string(row.index[0]);
    return {"v" + model, IndexText(row.index, pos), row.values[0].text, StorageTypeText(row.values[1].text),
            RowStatusText(row.values[2].text)};
}
