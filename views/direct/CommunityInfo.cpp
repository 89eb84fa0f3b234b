#include "views/direct/CommunityInfo.h"

#include "resources/templates/AgentTableViewsIds.h"

using namespace agent_table_ids;

CCommunityInfo::CCommunityInfo()
    : CDirectTableDlg(
          {IDD_COMMUNITY,
           IDC_COMMUNITY_LIST,
           {"   Community Name    ", "   Security Name    ", "        Engine ID          ", "   Storage Mode     "},
           {"1.3.6.1.6.3.18.1.1.1.2", "1.3.6.1.6.3.18.1.1.1.3", "1.3.6.1.6.3.18.1.1.1.4", "1.3.6.1.6.3.18.1.1.1.7"}}) {}

std::vector<std::string> CCommunityInfo::FormatRow(const DirectRow& row) const {
    return {row.values[0].bytes, row.values[1].text, HexText(row.values[2].bytes), StorageTypeText(row.values[3].text)};
}
