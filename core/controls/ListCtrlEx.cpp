#include "core/controls/ListCtrlEx.h"

#include "platform/ui/WindowExtras.h"

namespace {
constexpr int kHeadingMargin = 15;
}

int CListCtrlEx::InsertHeaderColumn(int col, const std::string& heading, int format, int subItem) {
    const int width = ui::TextWidth(GetSafeHwnd(), heading);
    if (width < 0) return -1;
    return InsertColumn(col, heading, format, width + kHeadingMargin, subItem);
}

int CListCtrlEx::SetCell(int item, int col, const std::string& text) {
    if (col == 0) return InsertItem(item, text);
    return SetItemText(item, col, text);
}
