#include "platform/ui/Template.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QVBoxLayout>
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
Item Button(int id, const std::string& text, DWORD style) { return ControlItem(Control::Button, id, text, style | WS_TABSTOP); }
Item DefButton(int id, const std::string& text) { return Button(id, text, BS_DEFPUSHBUTTON); }
Item Check(int id, const std::string& text) { return ControlItem(Control::Check, id, text, BS_AUTOCHECKBOX | WS_TABSTOP); }
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

struct Builder {
    HWND dialog = nullptr;
    QWidget* client = nullptr;
    UINT defId = 0;
    std::vector<QWidget*> controls;  // in template order
    std::vector<QWidget*> hidden;
    std::vector<QWidget*> groups;

    QWidget* MakeControl(const Item& item, QWidget* parent) {
        const Kind kind = KindOf(item.control);
        const std::string text = item.control == Control::Picture ? std::string() : item.text;
        QWidget* w = CreateControlWidget(kind, text, item.style, parent);
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

    void Add(const Item& item, QLayout* layout, QWidget* parent) {
        switch (item.node) {
        case Node::Stretch:
            if (auto* box = qobject_cast<QBoxLayout*>(layout)) box->addStretch(1);
            return;
        case Node::Control: layout->addWidget(MakeControl(item, parent)); return;
        case Node::Group: {
            QWidget* group = CreateControlWidget(Kind::Group, item.text, BS_GROUPBOX, parent);
            Register(group, nullptr, nullptr, dialog, item.id, BS_GROUPBOX | WS_CHILD | WS_VISIBLE, Kind::Group);
            groups.push_back(group);
            controls.push_back(group);
            auto* inner = new QVBoxLayout(group);
            for (const Item& child : item.children) Add(child, inner, group);
            layout->addWidget(group);
            return;
        }
        case Node::Column:
        case Node::Row: {
            auto* box = item.node == Node::Column ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
            for (const Item& child : item.children) Add(child, box, parent);
            AddLayout(layout, box);
            return;
        }
        case Node::Grid: {
            auto* grid = new QGridLayout;
            const int columns = std::max(1, item.columns);
            int i = 0;
            for (const Item& child : item.children) {
                auto* cell = new QHBoxLayout;
                cell->setContentsMargins(0, 0, 0, 0);
                Add(child, cell, parent);
                grid->addLayout(cell, i / columns, i % columns);
                ++i;
            }
            AddLayout(layout, grid);
            return;
        }
        }
    }

    static void AddLayout(QLayout* into, QLayout* child) {
        if (auto* box = qobject_cast<QBoxLayout*>(into)) box->addLayout(child);
        else if (auto* grid = qobject_cast<QGridLayout*>(into)) grid->addLayout(child, grid->rowCount(), 0);
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
    return b.defId;
}

}  // namespace ui::detail
