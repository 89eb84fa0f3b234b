#include "views/direct/AccessInfo.h"

#include "resources/templates/AgentTableViewsIds.h"

using namespace agent_table_ids;

CAccessInfo::CAccessInfo()
    : CDirectTableDlg(
          {IDD_ACCESS,
           IDC_ACCESS_LIST,
           {" Group Name ", " Security Mode ", " Security Level    ", " Read Community    ", " Write Community    ",
            " General Access Name  ", "   Storage Mode  "},
           {"1.3.6.1.6.3.16.1.4.1.5", "1.3.6.1.6.3.16.1.4.1.6", "1.3.6.1.6.3.16.1.4.1.7", "1.3.6.1.6.3.16.1.4.1.8"}}) {}

// Index: group name, context prefix, security model, security level.
std::vector<std::string> CAccessInfo::FormatRow(const DirectRow& row) const {
    std::size_t pos = 0;
    std::string group = IndexText(row.index, pos);
    IndexText(row.index, pos);
    const unsigned long model = pos < row.index.size() ? row.index[pos++] : 0;
    const unsigned long level = pos < row.index.size() ? row.index[pos++] : 0;
    return {std::move(group),
            model == 1   ? "v1"
            : model == 2 ? "v2"
                         : "v3",
            level == 1   ? "noAuthNoPriv"
            : level == 2 ? "authNoPriv"
                         : "authPriv",
            row.values[0].text,
            row.values[1].text,
            row.values[2].text,
            StorageTypeText(row.values[3].text)};
}
