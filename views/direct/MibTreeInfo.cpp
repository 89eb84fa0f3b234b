#include "views/direct/MibTreeInfo.h"

#include "resources/templates/AgentTableViewsIds.h"

using namespace agent_table_ids;

CMibTreeInfo::CMibTreeInfo()
    : CDirectTableDlg(
          {IDD_MIB_TREE,
           IDC_MIB_TREE_LIST,
           {"   View Name    ", "   MIB Tree       ", "   Access Type ", "   Storage Mode     ", "   Group Status  "},
           {"1.3.6.1.6.3.16.1.5.2.1.4", "1.3.6.1.6.3.16.1.5.2.1.5", "1.3.6.1.6.3.16.1.5.2.1.6"}}) {}

// Index: view name, subtree.
std::vector<std::string> CMibTreeInfo::FormatRow(const DirectRow& row) const {
    std::size_t pos = 0;
    std::string view = IndexText(row.index, pos);
    std::string subtree = IndexOid(row.index, pos);
    return {std::move(view), std::move(subtree), row.values[0].text == "1" ? "included" : "excluded",
            StorageTypeText(row.values[1].text), RowStatusText(row.values[2].text)};
}
