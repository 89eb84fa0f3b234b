#include "platform/ui/Template.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>

#include "platform/ui/Internal.h"

namespace ui::tpl {

namespace {
std::map<UINT, DialogTemplate>& Registry() {
    static std::map<UINT, DialogTemplate> registry;
    return registry;
}

Item Container(Node node, std::initializer_list<Item> items) {
    Item i;
    i.node = node;
    i.children = items;
    return i;
}

Item ControlItem(Control c, int id, const std::string& text, DWORD style) {
    Item i;
    i.node = Node::Control;
    i.control = c;
    i.id = id;
    i.text = text;
    i.style = style;
    return i;
}
}  // namespace

Item Column(std::initializer_list<Item> items) { return Container(Node::Column, items); }
Item Row(std::initializer_list<Item> items) { return Container(Node::Row, items); }
Item Grid(int columns, std::initializer_list<Item> items) {
    Item i = Container(Node::Grid, items);
    i.columns = columns;
    return i;
}
Item Group(int id, const std::string& caption, std::initializer_list<Item> items) {
    Item i = Container(Node::Group, items);
    i.id = id;
    i.text = caption;
    return i;
}
Item Stretch() {
    Item i;
    i.node = Node::Stretch;
    return i;
}

Item Label(int id, const std::string& text, DWORD style) { return ControlItem(Control::Label, id, text, style); }
Item Button(int id, const std::string& text, DWORD style) {
    return ControlItem(Control::Button, id, text, style | WS_TABSTOP);
}
Item DefButton(int id, const std::string& text) { return Button(id, text, BS_DEFPUSHBUTTON); }
Item Check(int id, const std::string& text) {
    return ControlItem(Control::Check, id, text, BS_AUTOCHECKBOX | WS_TABSTOP);
}
Item Radio(int id, const std::string& text, bool groupStart) {
    return ControlItem(Control::Radio, id, text, BS_AUTORADIOBUTTON | (groupStart ? WS_GROUP | WS_TABSTOP : 0));
}
Item Edit(int id, DWORD style) { return ControlItem(Control::Edit, id, "", style | WS_TABSTOP | WS_BORDER); }
Item Combo(int id, DWORD style) { return ControlItem(Control::Combo, id, "", style | WS_TABSTOP | WS_VSCROLL); }
Item List(int id, DWORD style) { return ControlItem(Control::List, id, "", style | WS_TABSTOP | WS_BORDER); }
Item Progress(int id, DWORD style) { return ControlItem(Control::Progress, id, "", style); }
Item IpAddress(int id) { return ControlItem(Control::IpAddress, id, "", WS_TABSTOP); }
Item Picture(int id, int resourceId, DWORD style) {
    Item i = ControlItem(Control::Picture, id, std::to_string(resourceId), style);
    return i;
}
Item Frame(int id, DWORD style) { return ControlItem(Control::Frame, id, "", style); }

Registration::Registration(DialogTemplate t) {
    const UINT id = t.id;
    // Static initialisation: no debug capture runs yet, so a clash goes to stderr.
    if (Registry().count(id)) std::fprintf(stderr, "dialog template %u declared twice; the later one is used\n", id);
    Registry()[id] = std::move(t);
}

const DialogTemplate* FindTemplate(UINT id) {
    auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : &it->second;
}

}  // namespace ui::tpl

namespace ui::detail {

namespace {
using ui::tpl::Control;
using ui::tpl::Item;
using ui::tpl::Node;

Kind KindOf(Control c) {
    switch (c) {
    case Control::Label:
    case Control::Picture: return Kind::Static;
    case Control::Button:
    case Control::Check:
    case Control::Radio: return Kind::Button;
    case Control::Edit: return Kind::Edit;
    case Control::Combo: return Kind::Combo;
    case Control::List: return Kind::List;
    case Control::Progress: return Kind::Progress;
    case Control::IpAddress: return Kind::IpAddress;
    case Control::Frame: return Kind::Window;
    }
    return Kind::Window;
}

// A text control and where it may grow: the stretch after it in its row (pushing the
// controls between along), else the free room up to the right edge of its row, column or grid
// line when nothing stands right of it there.
struct RoomPlan {
    QWidget* widget = nullptr;
    QLayout* container = nullptr;
    std::vector<QWidget*> followers;
    QSpacerItem* stretch = nullptr;
};

bool IsTextControl(const Item& item) {
    return item.node == Node::Control &&
           (item.control == Control::Label || (item.control == Control::Edit && !(item.style & ES_MULTILINE)));
}

struct Builder {
    HWND dialog = nullptr;
    QWidget* client = nullptr;
    UINT defId = 0;
    std::vector<QWidget*> controls;  // in template order
    std::vector<QWidget*> hidden;
    std::vector<QWidget*> groups;
    std::vector<RoomPlan> plans;

    QWidget* MakeControl(const Item& item, QWidget* parent) {
        const Kind kind = KindOf(item.control);
        QWidget* w = CreateControlWidget(kind, item.text, item.style, parent);
        if (item.chars > 0) {
            // Wide enough for that many of the widest digit or hexadecimal digit.
            QChar widest = '0';
            for (QChar c : QStringLiteral("0123456789ABCDEFabcdef")) {
                if (w->fontMetrics().horizontalAdvance(c) > w->fontMetrics().horizontalAdvance(widest)) widest = c;
            }
            w->setMinimumWidth(WidthToShow(w, QString(item.chars, widest)));
        }
        if (!item.fits.empty())
            w->setMinimumWidth(std::max(w->minimumWidth(), WidthToShow(w, QString::fromStdString(item.fits))));
        if (item.width > 0) w->setFixedWidth(item.width);
        if (item.height > 0) w->setFixedHeight(item.height);
        Register(w, nullptr, nullptr, dialog, item.id, item.style | WS_CHILD | WS_VISIBLE, kind);
        Bridge(w);
        WireControl(HandleOf(w));
        if (item.control == Control::Button && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && !defId) {
            defId = static_cast<UINT>(item.id);
        }
        if (item.style & WS_DISABLED) w->setEnabled(false);
        if (!item.visible) hidden.push_back(w);
        controls.push_back(w);
        return w;
    }

    // Adds the item to the layout; returns the widgets it made.
    std::vector<QWidget*> Add(const Item& item, QLayout* layout, QWidget* parent) {
        const std::size_t first = controls.size();
        switch (item.node) {
        case Node::Stretch:
            if (auto* box = qobject_cast<QBoxLayout*>(layout)) box->addStretch(1);
            break;
        case Node::Control: {
            QWidget* w = MakeControl(item, parent);
            // A check box with its text at the left keeps its text beside its box.
            const bool leftText = item.control == Control::Check && (item.style & BS_LEFTTEXT);
            if (auto* box = qobject_cast<QBoxLayout*>(layout); box && leftText)
                box->addWidget(w, 0, Qt::AlignLeft | Qt::AlignAbsolute);
            else layout->addWidget(w);
            break;
        }
        case Node::Group: {
            QWidget* group = CreateControlWidget(Kind::Group, item.text, BS_GROUPBOX, parent);
            Register(group, nullptr, nullptr, dialog, item.id, BS_GROUPBOX | WS_CHILD | WS_VISIBLE, Kind::Group);
            groups.push_back(group);
            controls.push_back(group);
            auto* inner = new QVBoxLayout(group);
            AddLine(item.children, inner, group, false);
            layout->addWidget(group);
            break;
        }
        case Node::Column:
        case Node::Row: {
            auto* box = item.node == Node::Column ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
            AddLine(item.children, box, parent, item.node == Node::Row);
            AddLayout(layout, box);
            break;
        }
        case Node::Grid: {
            auto* grid = new QGridLayout;
            const int columns = std::max(1, item.columns);
            int i = 0;
            for (const Item& child : item.children) {
                auto* cell = new QHBoxLayout;
                cell->setContentsMargins(0, 0, 0, 0);
                const std::vector<QWidget*> made = Add(child, cell, parent);
                if (child.width > 0) cell->addStretch(1);  // a sized field leaves the rest of its cell free
                grid->addLayout(cell, i / columns, i % columns);
                // Only the last item of a grid line has room beside it.
                const bool lastOfLine = i % columns == columns - 1 || i + 1 == static_cast<int>(item.children.size());
                if (IsTextControl(child) && lastOfLine) plans.push_back({made.front(), grid, {}, nullptr});
                ++i;
            }
            // Labels keep their width; the room left goes to the last column (the fields).
            grid->setColumnStretch(columns - 1, 1);
            AddLayout(layout, grid);
            break;
        }
        }
        return {controls.begin() + static_cast<std::ptrdiff_t>(first), controls.end()};
    }

    // The items of a row (across) or a column (down) and the room of their text controls.
    void AddLine(const std::vector<Item>& items, QBoxLayout* box, QWidget* parent, bool across) {
        std::vector<std::vector<QWidget*>> made;
        std::vector<QSpacerItem*> stretches;
        for (const Item& child : items) {
            made.push_back(Add(child, box, parent));
            stretches.push_back(child.node == Node::Stretch ? box->itemAt(box->count() - 1)->spacerItem() : nullptr);
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!IsTextControl(items[i])) continue;
            RoomPlan plan{made[i].front(), box, {}, nullptr};
            for (std::size_t j = i + 1; across && j < items.size() && !plan.stretch; ++j) {
                if (stretches[j]) plan.stretch = stretches[j];
                else plan.followers.insert(plan.followers.end(), made[j].begin(), made[j].end());
            }
            plans.push_back(std::move(plan));
        }
    }

    static void AddLayout(QLayout* into, QLayout* child) {
        if (auto* box = qobject_cast<QBoxLayout*>(into)) box->addLayout(child);
        else if (auto* grid = qobject_cast<QGridLayout*>(into)) grid->addLayout(child, grid->rowCount(), 0);
    }

    // Once laid out: the room of each text control (in its parent's coordinates, as the layouts).
    void KeepRooms() const {
        for (const RoomPlan& plan : plans) {
            WindowRecord* rec = FindByWidget(plan.widget);
            if (!rec) continue;
            TextRoom room;
            room.baseWidth = plan.widget->width();
            if (plan.stretch) {
                room.room = plan.stretch->geometry().width();
            } else {
                int right = plan.widget->geometry().right();
                for (QWidget* f : plan.followers) right = std::max(right, f->geometry().right());
                room.room = std::max(0, plan.container->contentsRect().right() - right);
            }
            for (QWidget* f : plan.followers) room.followers.push_back(HandleOf(f));
            rec->textRoom = std::move(room);
        }
    }
};
}  // namespace

UINT BuildTemplate(const ui::tpl::DialogTemplate& t, QWidget* frame, QWidget* client, HWND dialog) {
    Builder b;
    b.dialog = dialog;
    b.client = client;
    auto* root = new QVBoxLayout(client);
    b.Add(t.body, root, client);
    // Hidden widgets get no resize events, so each layout is sized and run explicitly.
    client->resize(root->sizeHint());
    root->invalidate();
    root->activate();
    // The inside of each group box, outer ones first.
    for (QWidget* g : b.groups) {
        g->layout()->invalidate();
        g->layout()->activate();
    }
    b.KeepRooms();
    // Fix the computed places: every control becomes a direct child of the client area with
    // a position in client coordinates; the layouts go.
    std::vector<QRect> places;
    for (QWidget* w : b.controls) places.emplace_back(w->mapTo(client, QPoint(0, 0)), w->size());
    const QSize clientSize = client->size();
    for (QWidget* g : b.groups) delete g->layout();
    delete client->layout();
    for (std::size_t i = 0; i < b.controls.size(); ++i) {
        QWidget* w = b.controls[i];
        if (w->parentWidget() != client) w->setParent(client);
        w->setGeometry(places[i]);
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->show();
    }
    for (QWidget* g : b.groups) g->lower();
    for (QWidget* w : b.hidden) w->hide();
    client->setMinimumSize(0, 0);
    client->resize(clientSize);
    frame->resize(clientSize);
    // Texts of the template that are wider than their place, and statics that wrap.
    for (QWidget* w : b.controls) {
        if (WindowRecord* rec = FindByWidget(w)) FitText(*rec);
    }
    return b.defId;
}

}  // namespace ui::detail
