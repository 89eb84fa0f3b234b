#include "platform/ui/WindowExtras.h"

#include <QFontMetrics>
#include <QPixmap>
#include <QSizeGrip>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/ui/Wnd.h"

namespace ui {

int TextWidth(HWND hwnd, const std::string& text) {
    int width = -1;
    RunOnUiThread([&] {
        if (QWidget* widget = WidgetOf(hwnd))
            width = QFontMetrics(widget->font()).horizontalAdvance(QString::fromStdString(text));
    });
    return width;
}

CSize ShowSizeGrip(HWND host) {
    CSize size(0, 0);
    RunOnUiThread([&] {
        QWidget* widget = WidgetOf(host);
        if (!widget) return;
        auto* grip = new QSizeGrip(widget);
        auto* layout = new QVBoxLayout(widget);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(grip);
        size = CSize(grip->sizeHint().width(), grip->sizeHint().height());
    });
    return size;
}

bool SaveWindowPicture(HWND hwnd, const std::string& file) {
    bool saved = false;
    RunOnUiThread([&] {
        if (QWidget* widget = WidgetOf(hwnd)) saved = widget->grab().save(QString::fromStdString(file), "PNG");
    });
    return saved;
}

}  // namespace ui
