#include "core/controls/ListCtrlEx.h"

#include <QFontMetrics>
#include <QWidget>

namespace {
constexpr int kHeadingMargin = 15;
}

int CListCtrlEx::InsertHeaderColumn(int col, const std::string& heading, int format, int subItem) {
    int width = -1;
    ui::RunOnUiThread([&] {
        if (QWidget* list = ui::WidgetOf(GetSafeHwnd())) {
            width = QFontMetrics(list->font()).horizontalAdvance(QString::fromStdString(heading)) + kHeadingMargin;
        }
    });
    if (width < 0) return -1;
    return InsertColumn(col, heading, format, width, subItem);
}

int CListCtrlEx::SetCell(int item, int col, const std::string& text) {
    if (col == 0) return InsertItem(item, text);
    return SetItemText(item, col, text);
}
