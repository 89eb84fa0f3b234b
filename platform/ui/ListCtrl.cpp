#include "platform/ui/ListCtrl.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstring>

#include "platform/ui/Internal.h"

namespace ui::detail {
namespace {

// How long changes to the rows may wait before the view is told: long enough that a stream
// of inserted rows costs one layout per interval, short enough to look immediate.
constexpr int kFlushIntervalMs = 15;

struct ListColumn {
    QString heading;
    int format = LVCFMT_LEFT;
    int width = 60;
};

struct ListRow {
    std::vector<QString> texts;
    DWORD_PTR data = 0;
    UINT state = 0;
    int image = 0;
};

class ListView;

class ListModel final : public QAbstractTableModel {
public:
    explicit ListModel(ListView* view) : m_view(view) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_shownRows; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_shownCols; }
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section >= static_cast<int>(cols.size())) return {};
        if (role == Qt::DisplayRole) return cols[section].heading;
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Alignment(cols[section].format));
        return {};
    }
    void Publish() {
        beginResetModel();
        m_shownRows = static_cast<int>(rows.size());
        m_shownCols = static_cast<int>(cols.size());
        endResetModel();
    }
    static Qt::Alignment Alignment(int format) {
        const int f = format & 0x3;
        return Qt::AlignVCenter | (f == LVCFMT_CENTER  ? Qt::AlignHCenter
                                   : f == LVCFMT_RIGHT ? Qt::AlignRight
                                                       : Qt::AlignLeft);
    }

    std::vector<ListColumn> cols;
    std::vector<ListRow> rows;

private:
    ListView* m_view;
    int m_shownRows = 0;
    int m_shownCols = 0;
};

class ListHeader final : public QHeaderView {
public:
    explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        connect(this, &QHeaderView::sectionResized, this, [this](int section) {
            if (m_pressed) m_resizedSection = section;
        });
    }
    HWND hwnd = nullptr;

protected:
    // A header disabled by itself takes no clicks and no divider drags, but is drawn as its
    // list is: enabled while the list is.
    void initStyleOption(QStyleOptionHeader* option) const override {
        QHeaderView::initStyleOption(option);
        if (!isEnabled() && parentWidget() && parentWidget()->isEnabled()) {
            option->state |= QStyle::State_Enabled;
            option->palette.setCurrentColorGroup(isActiveWindow() ? QPalette::Active : QPalette::Inactive);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        m_pressed = true;
        m_resizedSection = -1;
        QHeaderView::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QHeaderView::mouseReleaseEvent(e);
        m_pressed = false;
        if (m_resizedSection >= 0 && hwnd) {
            NMHEADER nm;
            nm.iItem = m_resizedSection;
            m_resizedSection = -1;
            NotifyParent(hwnd, HDN_ENDTRACK, &nm.hdr);
        }
    }

private:
    bool m_pressed = false;
    int m_resizedSection = -1;
};

class ListView final : public QTreeView {
public:
    ListView(DWORD style, QWidget* parent) : QTreeView(parent), m_model(this) {
        m_header = new ListHeader(this);
        setHeader(m_header);
        setModel(&m_model);
        setRootIsDecorated(false);
        setUniformRowHeights(true);
        setItemsExpandable(false);
        setAllColumnsShowFocus(true);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        header()->setStretchLastSection(false);
        header()->setSectionsMovable(false);
        setItemDelegate(new Delegate(this));
        m_flush.setSingleShot(true);
        m_flush.setInterval(kFlushIntervalMs);
        connect(&m_flush, &QTimer::timeout, this, [this] { Flush(); });
        connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this](const QItemSelection& sel, const QItemSelection& desel) { OnViewSelection(sel, desel); });
        connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) { OnViewCurrent(current); });
        connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
            NMLISTVIEW nm;
            nm.iItem = -1;
            nm.iSubItem = section;
            Notify(LVN_COLUMNCLICK, &nm.hdr);
        });
        connect(header(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
            if (!m_syncing && section < static_cast<int>(m_model.cols.size())) m_model.cols[section].width = size;
        });
        // The list decides (by its window procedure) whether a divider double click sizes the column.
        disconnect(header(), &QHeaderView::sectionHandleDoubleClicked, nullptr, nullptr);
        connect(header(), &QHeaderView::sectionHandleDoubleClicked, this, [this](int section) {
            if (!m_header->hwnd) return;
            NMHEADER nm;
            nm.iItem = section;
            NotifyParent(m_header->hwnd, HDN_DIVIDERDBLCLICK, &nm.hdr);
        });
        connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
            if (!m_syncing) Dispatch(hwnd, WM_VSCROLL, MAKEWPARAM(4 /*SB_THUMBPOSITION*/, static_cast<WORD>(v)), 0);
        });
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
            if (!m_syncing) Dispatch(hwnd, WM_HSCROLL, MAKEWPARAM(4 /*SB_THUMBPOSITION*/, static_cast<WORD>(v)), 0);
        });
        ApplyStyle(style);
    }

    HWND hwnd = nullptr;
    DWORD exStyle = 0;
    ListModel& Model() { return m_model; }
    ListHeader* Header() { return m_header; }

    void ApplyStyle(DWORD style) {
        setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
        header()->setSectionsClickable(!(style & LVS_NOSORTHEADER));
        header()->setHidden(style & LVS_NOCOLUMNHEADER);
        m_singleSel = (style & LVS_SINGLESEL) != 0;
    }

    void Changed() {
        if (!m_flush.isActive()) m_flush.start();
    }

    void Flush() {
        m_flush.stop();
        m_syncing = true;
        const int v = verticalScrollBar()->value();
        const int h = horizontalScrollBar()->value();
        m_model.Publish();
        for (int c = 0; c < static_cast<int>(m_model.cols.size()); ++c)
            header()->resizeSection(c, m_model.cols[c].width);
        QItemSelection selection;
        int focused = -1;
        for (int r = 0; r < static_cast<int>(m_model.rows.size()); ++r) {
            const UINT state = m_model.rows[r].state;
            if (state & LVIS_SELECTED) {
                int end = r;
                while (end + 1 < static_cast<int>(m_model.rows.size()) && (m_model.rows[end + 1].state & LVIS_SELECTED))
                    ++end;
                selection.select(m_model.index(r, 0),
                                 m_model.index(end, std::max(0, static_cast<int>(m_model.cols.size()) - 1)));
                for (int k = r; k <= end; ++k) {
                    if (m_model.rows[k].state & LVIS_FOCUSED) focused = k;
                }
                r = end;
            } else if (state & LVIS_FOCUSED) {
                focused = r;
            }
        }
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        if (focused >= 0) selectionModel()->setCurrentIndex(m_model.index(focused, 0), QItemSelectionModel::NoUpdate);
        verticalScrollBar()->setValue(v);
        horizontalScrollBar()->setValue(h);
        m_syncing = false;
    }

    // The one place where a row's state changes; tells the owner (LVN_ITEMCHANGED).
    void ChangeState(int row, UINT state, UINT mask) {
        if (row < 0 || row >= static_cast<int>(m_model.rows.size())) return;
        if (m_singleSel && (mask & LVIS_SELECTED) && (state & LVIS_SELECTED)) {
            for (int r = 0; r < static_cast<int>(m_model.rows.size()); ++r) {
                if (r != row && (m_model.rows[r].state & LVIS_SELECTED)) ChangeState(r, 0, LVIS_SELECTED);
            }
        }
        if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) {
            for (int r = 0; r < static_cast<int>(m_model.rows.size()); ++r) {
                if (r != row && (m_model.rows[r].state & LVIS_FOCUSED)) ChangeState(r, 0, LVIS_FOCUSED);
            }
        }
        if (row >= static_cast<int>(m_model.rows.size())) return;
        ListRow& item = m_model.rows[row];
        const UINT old = item.state;
        const UINT now = (old & ~mask) | (state & mask);
        if (now == old) return;
        item.state = now;
        if ((old ^ now) & LVIS_STATEIMAGEMASK) {
            const QModelIndex index = m_model.index(row, 0);
            if (row < m_model.rowCount({})) emit m_model.dataChanged(index, index, {Qt::CheckStateRole});
        }
        SyncViewSelection(row, now);
        NMLISTVIEW nm;
        nm.iItem = row;
        nm.uChanged = LVIF_STATE;
        nm.uOldState = old;
        nm.uNewState = now;
        nm.lParam = static_cast<LPARAM>(item.data);
        Notify(LVN_ITEMCHANGED, &nm.hdr);
    }

    void CellColors(int row, int col, COLORREF& text, COLORREF& background) {
        text = background = CLR_DEFAULT;
        if (!WantsCustomDraw()) return;
        NMLVCUSTOMDRAW cd;
        cd.nmcd.dwDrawStage = CDDS_PREPAINT;
        if (!(Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr) & CDRF_NOTIFYITEMDRAW)) return;
        if (row < 0 || row >= static_cast<int>(m_model.rows.size())) return;
        cd = NMLVCUSTOMDRAW{};
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        cd.nmcd.lItemlParam = static_cast<LPARAM>(m_model.rows[row].data);
        const LRESULT itemResult = Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
        if (itemResult & CDRF_NOTIFYSUBITEMDRAW) {
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            cd.iSubItem = col;
            Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
        }
        text = cd.clrText;
        background = cd.clrTextBk;
    }

    LRESULT Notify(UINT code, NMHDR* hdr) { return hwnd ? NotifyParent(hwnd, code, hdr) : 0; }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QTreeView::mouseReleaseEvent(e);
        ClickNotify(e->button() == Qt::RightButton ? NM_RCLICK : NM_CLICK, e->position().toPoint());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QTreeView::mouseDoubleClickEvent(e);
        ClickNotify(NM_DBLCLK, e->position().toPoint());
    }
    void keyPressEvent(QKeyEvent* e) override {
        NMLVKEYDOWN nm;
        nm.wVKey = static_cast<WORD>(e->key() >= 0x20 && e->key() <= 0x5A ? e->key() : 0);
        if (e->key() == Qt::Key_Delete) nm.wVKey = static_cast<WORD>(VK_DELETE);
        if (e->key() == Qt::Key_Up) nm.wVKey = static_cast<WORD>(VK_UP);
        if (e->key() == Qt::Key_Down) nm.wVKey = static_cast<WORD>(VK_DOWN);
        if (nm.wVKey) Notify(LVN_KEYDOWN, &nm.hdr);
        QTreeView::keyPressEvent(e);
    }

private:
    class Delegate final : public QStyledItemDelegate {
    public:
        explicit Delegate(ListView* view) : QStyledItemDelegate(view), m_view(view) {}

    protected:
        void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
            QStyledItemDelegate::initStyleOption(option, index);
            COLORREF text, background;
            m_view->CellColors(index.row(), index.column(), text, background);
            auto toQ = [](COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); };
            if (text != CLR_DEFAULT) option->palette.setColor(QPalette::Text, toQ(text));
            if (background != CLR_DEFAULT) option->backgroundBrush = QBrush(toQ(background));
        }

    private:
        ListView* m_view;
    };

    bool WantsCustomDraw() const {
        WindowRecord* self = Find(hwnd);
        if (!self) return false;
        auto has = [](const CWnd* w, MessageEntry::Kind kind, UINT id) {
            for (const MessageMap* m = w ? w->GetMessageMap() : nullptr; m; m = m->base) {
                for (const auto& e : m->entries) {
                    if (e.kind == kind && e.code == NM_CUSTOMDRAW &&
                        (kind == MessageEntry::Kind::ReflectNotify || (id >= e.idFirst && id <= e.idLast))) {
                        return true;
                    }
                }
            }
            return false;
        };
        WindowRecord* parent = Find(self->parent);
        return has(self->wnd, MessageEntry::Kind::ReflectNotify, 0) ||
               (parent && has(parent->wnd, MessageEntry::Kind::Notify, static_cast<UINT>(self->id)));
    }

    void ClickNotify(UINT code, const QPoint& pos) {
        const QModelIndex index = indexAt(pos);
        NMITEMACTIVATE nm;
        nm.iItem = index.isValid() ? index.row() : -1;
        nm.iSubItem = index.isValid() ? index.column() : 0;
        nm.ptAction = POINT{pos.x(), pos.y()};
        Notify(code, &nm.hdr);
    }

    void SyncViewSelection(int row, UINT state) {
        if (m_syncing || row >= m_model.rowCount({})) return;
        m_syncing = true;
        const QModelIndex index = m_model.index(row, 0);
        selectionModel()->select(
            index, ((state & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                       QItemSelectionModel::Rows);
        if (state & LVIS_FOCUSED) selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        m_syncing = false;
    }

    void OnViewSelection(const QItemSelection& selected, const QItemSelection& deselected) {
        if (m_syncing) return;
        m_syncing = true;
        std::vector<int> off, on;
        for (const QModelIndex& i : deselected.indexes()) {
            if (i.column() == 0) off.push_back(i.row());
        }
        for (const QModelIndex& i : selected.indexes()) {
            if (i.column() == 0) on.push_back(i.row());
        }
        m_syncing = false;
        // The view may have moved its current row before it reports the selection (a key):
        // the focus follows it first, so that the rows leaving the selection do not pull the
        // view's current row back to themselves.
        const QModelIndex current = selectionModel()->currentIndex();
        if (current.isValid()) ChangeState(current.row(), LVIS_FOCUSED, LVIS_FOCUSED);
        // The view already shows the change; the rows follow it with their notifications.
        for (int r : off) ChangeState(r, 0, LVIS_SELECTED);
        for (int r : on) ChangeState(r, LVIS_SELECTED, LVIS_SELECTED);
    }

    void OnViewCurrent(const QModelIndex& current) {
        if (m_syncing || !current.isValid()) return;
        ChangeState(current.row(), LVIS_FOCUSED, LVIS_FOCUSED);
    }

    ListModel m_model;
    ListHeader* m_header;
    QTimer m_flush;
    bool m_syncing = false;
    bool m_singleSel = false;
};

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
    const ListRow& row = rows[index.row()];
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole: return col < static_cast<int>(row.texts.size()) ? row.texts[col] : QString();
    case Qt::TextAlignmentRole:
        return col < static_cast<int>(cols.size()) ? QVariant::fromValue(Alignment(cols[col].format)) : QVariant();
    case Qt::CheckStateRole:
        if (col != 0 || !(m_view->exStyle & LVS_EX_CHECKBOXES)) return {};
        return ((row.state & LVIS_STATEIMAGEMASK) >> 12) == 2 ? Qt::Checked : Qt::Unchecked;
    default: return {};
    }
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid()) return false;
    const bool checked = value.toInt() == Qt::Checked;
    m_view->ChangeState(index.row(), INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
    return true;
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 && (m_view->exStyle & LVS_EX_CHECKBOXES)) f |= Qt::ItemIsUserCheckable;
    return f;
}

ListView* ViewOf(const CWnd* wnd) {
    WindowRecord* rec = Find(wnd->m_hWnd.load());
    return rec ? dynamic_cast<ListView*>(rec->widget) : nullptr;
}

}  // namespace

QWidget* CreateListWidget(DWORD style, QWidget* parent) { return new ListView(style, parent); }

void ListRegistered(HWND list) {
    WindowRecord* rec = Find(list);
    auto* view = rec ? dynamic_cast<ListView*>(rec->widget) : nullptr;
    if (!view) return;
    view->hwnd = list;
    const DWORD headerStyle = WS_CHILD | WS_VISIBLE | ((rec->style & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS);
    view->Header()->hwnd = Register(view->Header(), nullptr, nullptr, list, 0, headerStyle, Kind::Header);
}

void ListStyleChanged(WindowRecord& rec) {
    auto* view = dynamic_cast<ListView*>(rec.widget);
    if (!view) return;
    view->ApplyStyle(rec.style);
    if (WindowRecord* header = Find(view->Header()->hwnd)) {
        header->style = (rec.style & LVS_NOSORTHEADER) ? (header->style & ~HDS_BUTTONS) : (header->style | HDS_BUTTONS);
    }
}

}  // namespace ui::detail

using ui::detail::ListRow;
using ui::detail::ListView;

namespace {
// Runs fn(view) on the user-interface thread when the list exists.
template <class R, class F>
R WithView(const CListCtrl* list, R fallback, F&& fn) {
    R result = fallback;
    ui::RunOnUiThread([&] {
        if (ListView* view = ui::detail::ViewOf(list)) result = fn(*view);
    });
    return result;
}
bool ValidRow(ListView& v, int row) { return row >= 0 && row < static_cast<int>(v.Model().rows.size()); }
}  // namespace

CListCtrl::CListCtrl() = default;
CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return ui::detail::CreateChild(this, ui::detail::Kind::List, "", style, rect, parent, id) != nullptr;
}

int CListCtrl::InsertColumn(int col, const std::string& heading, int format, int width, int) {
    return WithView(this, -1, [&](ListView& v) {
        auto& cols = v.Model().cols;
        const int at = std::clamp(col, 0, static_cast<int>(cols.size()));
        ui::detail::ListColumn c;
        c.heading = QString::fromStdString(heading);
        c.format = format;
        if (width >= 0) c.width = width;
        cols.insert(cols.begin() + at, c);
        for (ListRow& r : v.Model().rows) {
            if (static_cast<int>(r.texts.size()) > at) r.texts.insert(r.texts.begin() + at, QString());
        }
        v.Changed();
        return at;
    });
}

BOOL CListCtrl::DeleteColumn(int col) {
    return WithView(this, FALSE, [&](ListView& v) {
        auto& cols = v.Model().cols;
        if (col < 0 || col >= static_cast<int>(cols.size())) return FALSE;
        cols.erase(cols.begin() + col);
        for (ListRow& r : v.Model().rows) {
            if (static_cast<int>(r.texts.size()) > col) r.texts.erase(r.texts.begin() + col);
        }
        v.Changed();
        return TRUE;
    });
}

int CListCtrl::GetColumnCount() const {
    return WithView(this, 0, [](ListView& v) { return static_cast<int>(v.Model().cols.size()); });
}

int CListCtrl::GetColumnWidth(int col) const {
    return WithView(this, 0, [&](ListView& v) {
        return col >= 0 && col < static_cast<int>(v.Model().cols.size()) ? v.Model().cols[col].width : 0;
    });
}

BOOL CListCtrl::SetColumnWidth(int col, int width) {
    return WithView(this, FALSE, [&](ListView& v) {
        if (col < 0 || col >= static_cast<int>(v.Model().cols.size())) return FALSE;
        v.Model().cols[col].width = std::max(0, width);
        v.Changed();
        return TRUE;
    });
}

std::string CListCtrl::GetColumnText(int col) const {
    return WithView(this, std::string(), [&](ListView& v) {
        return col >= 0 && col < static_cast<int>(v.Model().cols.size()) ? v.Model().cols[col].heading.toStdString()
                                                                         : std::string();
    });
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() {
    CHeaderCtrl* header = nullptr;
    ui::RunOnUiThread([&] {
        ListView* v = ui::detail::ViewOf(this);
        if (v && !v->Header()->isHidden()) header = static_cast<CHeaderCtrl*>(CWnd::FromHandle(v->Header()->hwnd));
    });
    return header;
}

int CListCtrl::InsertItem(int row, const std::string& text) { return InsertItem(LVIF_TEXT, row, text, 0, 0, 0, 0); }

int CListCtrl::InsertItem(const LVITEM* item) {
    if (!item) return -1;
    return InsertItem(item->mask, item->iItem, item->pszText ? item->pszText : "", item->state, item->stateMask,
                      item->iImage, item->lParam);
}

int CListCtrl::InsertItem(UINT mask, int row, const std::string& text, UINT state, UINT stateMask, int image,
                          LPARAM param) {
    return WithView(this, -1, [&](ListView& v) {
        auto& rows = v.Model().rows;
        const int at = std::clamp(row, 0, static_cast<int>(rows.size()));
        ListRow r;
        if (mask & LVIF_TEXT) r.texts.push_back(QString::fromStdString(text));
        if (mask & LVIF_PARAM) r.data = static_cast<DWORD_PTR>(param);
        if (mask & LVIF_IMAGE) r.image = image;
        if (v.exStyle & LVS_EX_CHECKBOXES) r.state = INDEXTOSTATEIMAGEMASK(1);
        rows.insert(rows.begin() + at, std::move(r));
        v.Changed();
        if ((mask & LVIF_STATE) && (state & stateMask)) v.ChangeState(at, state, stateMask);
        return at;
    });
}

BOOL CListCtrl::SetItem(const LVITEM* item) {
    if (!item) return FALSE;
    BOOL ok = TRUE;
    if (item->mask & LVIF_TEXT) ok = SetItemText(item->iItem, item->iSubItem, item->pszText ? item->pszText : "");
    if (ok && (item->mask & LVIF_PARAM)) ok = SetItemData(item->iItem, static_cast<DWORD_PTR>(item->lParam));
    if (ok && (item->mask & LVIF_STATE)) ok = SetItemState(item->iItem, item->state, item->stateMask);
    if (ok && (item->mask & LVIF_IMAGE)) {
        ok = WithView(this, FALSE, [&](ListView& v) {
            if (!ValidRow(v, item->iItem)) return FALSE;
            v.Model().rows[item->iItem].image = item->iImage;
            return TRUE;
        });
    }
    return ok;
}

BOOL CListCtrl::SetItemText(int row, int subItem, const std::string& text) {
    return WithView(this, FALSE, [&](ListView& v) {
        if (!ValidRow(v, row) || subItem < 0 || (subItem > 0 && subItem >= static_cast<int>(v.Model().cols.size())))
            return FALSE;
        auto& texts = v.Model().rows[row].texts;
        if (static_cast<int>(texts.size()) <= subItem) texts.resize(subItem + 1);
        texts[subItem] = QString::fromStdString(text);
        if (row < v.Model().rowCount({})) {
            const QModelIndex index = v.Model().index(row, subItem);
            emit v.Model().dataChanged(index, index, {Qt::DisplayRole});
        }
        return TRUE;
    });
}

std::string CListCtrl::GetItemText(int row, int subItem) const {
    return WithView(this, std::string(), [&](ListView& v) {
        if (!ValidRow(v, row) || subItem < 0) return std::string();
        const auto& texts = v.Model().rows[row].texts;
        return subItem < static_cast<int>(texts.size()) ? texts[subItem].toStdString() : std::string();
    });
}

int CListCtrl::GetItemText(int row, int subItem, char* buffer, int size) const {
    if (!buffer || size <= 0) return 0;
    const std::string text = GetItemText(row, subItem);
    const int n = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

BOOL CListCtrl::SetItemData(int row, DWORD_PTR data) {
    return WithView(this, FALSE, [&](ListView& v) {
        if (!ValidRow(v, row)) return FALSE;
        v.Model().rows[row].data = data;
        return TRUE;
    });
}

DWORD_PTR CListCtrl::GetItemData(int row) const {
    return WithView(this, DWORD_PTR{0},
                    [&](ListView& v) { return ValidRow(v, row) ? v.Model().rows[row].data : DWORD_PTR{0}; });
}

BOOL CListCtrl::DeleteItem(int row) {
    return WithView(this, FALSE, [&](ListView& v) {
        if (!ValidRow(v, row)) return FALSE;
        NMLISTVIEW nm;
        nm.iItem = row;
        nm.lParam = static_cast<LPARAM>(v.Model().rows[row].data);
        v.Notify(LVN_DELETEITEM, &nm.hdr);
        if (!ValidRow(v, row)) return FALSE;
        v.Model().rows.erase(v.Model().rows.begin() + row);
        v.Changed();
        return TRUE;
    });
}

BOOL CListCtrl::DeleteAllItems() {
    return WithView(this, FALSE, [&](ListView& v) {
        NMLISTVIEW nm;
        nm.iItem = -1;
        // An owner that answers TRUE wants no LVN_DELETEITEM per row.
        const bool perRow = v.Notify(LVN_DELETEALLITEMS, &nm.hdr) == 0;
        if (perRow) {
            for (int r = 0; r < static_cast<int>(v.Model().rows.size()); ++r) {
                NMLISTVIEW one;
                one.iItem = r;
                one.lParam = static_cast<LPARAM>(v.Model().rows[r].data);
                v.Notify(LVN_DELETEITEM, &one.hdr);
            }
        }
        v.Model().rows.clear();
        v.Flush();  // an emptied list shows empty at once
        return TRUE;
    });
}

int CListCtrl::GetItemCount() const {
    return WithView(this, 0, [](ListView& v) { return static_cast<int>(v.Model().rows.size()); });
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    return WithView(this, FALSE, [&](ListView& v) {
        if (row == -1) {  // every row
            for (int r = 0; r < static_cast<int>(v.Model().rows.size()); ++r) v.ChangeState(r, state, mask);
            return TRUE;
        }
        if (!ValidRow(v, row)) return FALSE;
        v.ChangeState(row, state, mask);
        return TRUE;
    });
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    return WithView(this, 0u, [&](ListView& v) { return ValidRow(v, row) ? (v.Model().rows[row].state & mask) : 0u; });
}

BOOL CListCtrl::SetCheck(int row, BOOL check) {
    return SetItemState(row, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetCheck(int row) const { return ((GetItemState(row, LVIS_STATEIMAGEMASK) >> 12) == 2) ? TRUE : FALSE; }

UINT CListCtrl::GetSelectedCount() const {
    return WithView(this, 0u, [](ListView& v) {
        return static_cast<UINT>(std::count_if(v.Model().rows.begin(), v.Model().rows.end(),
                                               [](const ListRow& r) { return (r.state & LVIS_SELECTED) != 0; }));
    });
}

int CListCtrl::GetSelectionMark() const { return GetNextItem(-1, LVNI_FOCUSED); }

int CListCtrl::SetSelectionMark(int row) {
    const int old = GetSelectionMark();
    SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    return old;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
    return WithView(this, -1, [&](ListView& v) {
        const auto& rows = v.Model().rows;
        const UINT want = flags & (LVNI_SELECTED | LVNI_FOCUSED);
        for (int r = std::max(0, start + 1); r < static_cast<int>(rows.size()); ++r) {
            if ((rows[r].state & want) == want) return r;
        }
        return -1;
    });
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int row = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<std::intptr_t>(row + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    const int row = static_cast<int>(reinterpret_cast<std::intptr_t>(pos)) - 1;
    const int next = GetNextItem(row, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>(static_cast<std::intptr_t>(next + 1));
    return row;
}

int CListCtrl::GetImage(int row, int) const {
    return WithView(this, 0, [&](ListView& v) { return ValidRow(v, row) ? v.Model().rows[row].image : 0; });
}

DWORD CListCtrl::GetExtendedStyle() const {
    return WithView(this, DWORD{0}, [](ListView& v) { return v.exStyle; });
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    return WithView(this, DWORD{0}, [&](ListView& v) {
        const DWORD old = v.exStyle;
        v.exStyle = exStyle;
        if ((exStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES)) {
            for (ListRow& r : v.Model().rows) r.state = (r.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(1);
        }
        v.Changed();
        return old;
    });
}

int CListCtrl::GetTopIndex() const {
    return WithView(this, 0, [](ListView& v) {
        v.Flush();
        const QModelIndex top = v.indexAt(QPoint(1, 1));
        return top.isValid() ? top.row() : 0;
    });
}

int CListCtrl::GetCountPerPage() const {
    return WithView(this, 0, [](ListView& v) {
        v.Flush();
        int rowHeight = v.sizeHintForRow(0);
        if (rowHeight <= 0) rowHeight = v.fontMetrics().height() + 4;
        return std::max(1, v.viewport()->height() / rowHeight);
    });
}

BOOL CListCtrl::EnsureVisible(int row, BOOL) {
    return WithView(this, FALSE, [&](ListView& v) {
        if (!ValidRow(v, row)) return FALSE;
        v.Flush();
        v.scrollTo(v.Model().index(row, 0));
        return TRUE;
    });
}

BOOL CListCtrl::GetItemRect(int row, LPRECT rect, UINT code) const {
    CRect r;
    if (!GetSubItemRect(row, 0, code, r)) return FALSE;
    if (code == LVIR_BOUNDS) {
        // The whole row.
        const int cols = GetColumnCount();
        CRect last;
        if (cols > 1 && GetSubItemRect(row, cols - 1, LVIR_LABEL, last)) r.right = last.right;
    }
    *rect = r;
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int row, int subItem, UINT, CRect& rect) const {
    return WithView(this, FALSE, [&](ListView& v) {
        if (!ValidRow(v, row) || subItem < 0 || subItem >= static_cast<int>(v.Model().cols.size())) return FALSE;
        v.Flush();
        const QRect cell = v.visualRect(v.Model().index(row, subItem));
        const QPoint topLeft = v.viewport()->mapTo(&v, cell.topLeft());
        rect = CRect(topLeft.x(), topLeft.y(), topLeft.x() + cell.width(), topLeft.y() + cell.height());
        return TRUE;
    });
}

void CListCtrl::FlushView() {
    WithView(this, 0, [](ListView& v) {
        v.Flush();
        return 0;
    });
}

void CListCtrl::GetCellColors(int row, int subItem, COLORREF& text, COLORREF& background) const {
    text = background = CLR_DEFAULT;
    WithView(this, 0, [&](ListView& v) {
        v.CellColors(row, subItem, text, background);
        return 0;
    });
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr && hdr->code == HDN_DIVIDERDBLCLICK) {
            const int section = reinterpret_cast<NMHEADER*>(hdr)->iItem;
            WithView(this, 0, [&](ListView& v) {
                v.Flush();
                v.resizeColumnToContents(section);
                v.Model().cols[static_cast<std::size_t>(section)].width = v.header()->sectionSize(section);
                return 0;
            });
            return 0;
        }
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
