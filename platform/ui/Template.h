#pragma once
// Dialog templates: a dialog's caption, style and controls, declared once in C++ and laid out
// by Qt layouts (rows, columns, grids and group boxes; no pixel coordinates). When the dialog
// is created the layout is computed once and then fixed: from then on every control has a
// position in the dialog's client coordinates, as the system's code expects (it moves and
// sizes controls itself).
//
//   UI_DIALOG_TEMPLATE(201, "Port Configuration", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
//       Column({
//           Group(83, "Port Information", {List(201, LVS_REPORT | LVS_SINGLESEL).Size(650, 300)}),
//           Row({Label(1023, "Port ID:"), Edit(216, ES_NUMBER | ES_READONLY)}),
//           Row({Stretch(), DefButton(241, "&Refresh"), Button(242, "&Apply"), Button(IDCANCEL, "&Close")}),
//       }))
//
// See resources/README.md.
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/ui/Types.h"

constexpr int IDC_STATIC = -1;

namespace ui::tpl {

enum class Node { Column, Row, Grid, Group, Control, Stretch };
enum class Control { Label, Button, Check, Radio, Edit, Combo, List, Progress, IpAddress, Picture, Frame };

struct Item {
    Node node = Node::Control;
    Control control = Control::Label;
    int id = IDC_STATIC;
    std::string text;
    DWORD style = 0;
    int width = 0;  // a size the system gives (0: the control's natural size)
    int height = 0;
    int chars = 0;     // wide enough for this many digits (0: its natural width)
    std::string fits;  // wide enough to show this text
    int columns = 0;   // Grid
    bool visible = true;
    std::vector<Item> children;

    // A fixed size in pixels, where the system gives one.
    Item Size(int w, int h) const {
        Item copy = *this;
        copy.width = w;
        copy.height = h;
        return copy;
    }
    Item Width(int w) const { return Size(w, height); }
    // Wide enough for n digits or hexadecimal digits (the longest value a field shows).
    Item Chars(int n) const {
        Item copy = *this;
        copy.chars = n;
        return copy;
    }
    // Wide enough to show this text (the longest text the program sets).
    Item Fits(const std::string& text) const {
        Item copy = *this;
        copy.fits = text;
        return copy;
    }
    // Adds style bits (WS_DISABLED, WS_GROUP, ...).
    Item With(DWORD bits) const {
        Item copy = *this;
        copy.style |= bits;
        return copy;
    }
    // Starts hidden.
    Item Hidden() const {
        Item copy = *this;
        copy.visible = false;
        return copy;
    }
};

Item Column(std::initializer_list<Item> items);
Item Row(std::initializer_list<Item> items);
// Items placed left to right in `columns` columns, row after row (label and field forms).
Item Grid(int columns, std::initializer_list<Item> items);
Item Group(int id, const std::string& caption, std::initializer_list<Item> items);
Item Stretch();

Item Label(int id, const std::string& text, DWORD style = SS_LEFT);
Item Button(int id, const std::string& text, DWORD style = BS_PUSHBUTTON);
Item DefButton(int id, const std::string& text);
Item Check(int id, const std::string& text);
// groupStart: the first button of a radio group (a group is a run of radio buttons).
Item Radio(int id, const std::string& text, bool groupStart = false);
Item Edit(int id, DWORD style = ES_AUTOHSCROLL);
Item Combo(int id, DWORD style = CBS_DROPDOWNLIST);
Item List(int id, DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS);
Item Progress(int id, DWORD style = 0);
Item IpAddress(int id);
// A static picture (icon or bitmap by resource id; the drawing layer fills it).
Item Picture(int id, int resourceId, DWORD style = SS_ICON);
// A plain child window, for controls that draw themselves.
Item Frame(int id, DWORD style = 0);

struct DialogTemplate {
    UINT id = 0;
    std::string caption;
    DWORD style = 0;
    Item body;
};

// Registers a template (at static initialisation, through UI_DIALOG_TEMPLATE).
struct Registration {
    explicit Registration(DialogTemplate t);
};
const DialogTemplate* FindTemplate(UINT id);

}  // namespace ui::tpl

#define UI_TEMPLATE_CAT2(a, b) a##b
#define UI_TEMPLATE_CAT(a, b) UI_TEMPLATE_CAT2(a, b)
// Declares and registers dialog template `id`. The Item helpers are in scope in `body`.
#define UI_DIALOG_TEMPLATE(id, caption, style, body)                                         \
    namespace {                                                                              \
    const ::ui::tpl::Registration UI_TEMPLATE_CAT(g_template_, __LINE__)([] {                \
        using namespace ::ui::tpl;                                                           \
        return ::ui::tpl::DialogTemplate{static_cast<UINT>(id), (caption), (style), (body)}; \
    }());                                                                                    \
    }
