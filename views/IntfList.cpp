#include "views/IntfList.h"

#include "resources/templates/PublicMibViewsIds.h"

using namespace interface_table_ids;

CIntfList::CIntfList()
    : CPublicMibTable({IDD,
                       IDC_LIST,
                       IDC_REFRESH,
                       IDC_COUNTER,
                       false,
                       "Interface Table",
                       true,
                       3,
                       {{"  Index          ", "1.3.6.1.2.1.2.2.1.1"},
                        {"  Link Status             ", "1.3.6.1.2.1.2.2.1.8"},
                        {"  Speed(b/s)                      ", "1.3.6.1.2.1.2.2.1.5"}}}) {}

std::string CIntfList::FormatValue(int col, const std::string& value) {
    if (col == 1) {
        if (value == "1") return "Connected";
        if (value == "2") return "UnConnected";
        if (value == "3") return "Test";
        return "Unknown";
    }
    if (col == 2) return std::to_string(LeadingUnsigned32(value) / 1000000) + "M";
    return value;
}
