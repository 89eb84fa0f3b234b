#pragma once
// CListCtrlEx: the report list of the table dialogs. A plain list control (no handlers of its
// own, so no message map of its own) with two helpers the table dialogs fill their lists with.
#include <string>

#include "platform/ui/ListCtrl.h"

class CListCtrlEx : public CListCtrl {
public:
    // Inserts a column as wide as its heading in the list's font plus 15 pixels, so that the
    // blanks of a heading set the column's width. Returns the column's index or -1.
    int InsertHeaderColumn(int col, const std::string& heading, int format = LVCFMT_LEFT, int subItem = -1);
    // Column 0 inserts a new row at `item` (returns its index or -1); any other column sets
    // that cell of row `item` (returns TRUE or FALSE).
    int SetCell(int item, int col, const std::string& text);
};
