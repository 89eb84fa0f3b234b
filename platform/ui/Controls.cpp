#include "platform/ui/Controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/ui/Dialog.h"
#include "platform/ui/Internal.h"
#include "platform/ui/ListCtrl.h"

namespace ui::detail {

namespace {
bool IsRadio(const WindowRecord& rec) {
    return rec.kind == Kind::Button && qobject_cast<QRadioButton*>(rec.widget) != nullptr;
}

// Auto radio buttons: a group is a run of radio siblings; WS_GROUP on a radio starts a new one.
void CheckInGroup(HWND radio) {
    WindowRecord* rec = Find(radio);
    if (!rec) return;
    const std::vector<HWND> siblings = ChildrenOf(rec->parent);
    const auto me = std::find(siblings.begin(), siblings.end(), radio);
    auto first = me;
    while (first != siblings.begin()) {
        WindowRecord* r = Find(*first);
        if (r->style & WS_GROUP) break;
        WindowRecord* prev = Find(*(first - 1));
        if (!prev || !IsRadio(*prev)) break;
        --first;
    }
    for (auto it = first; it != siblings.end(); ++it) {
        WindowRecord* r = Find(*it);
        if (!r || !IsRadio(*r) || (it != first && (r->style & WS_GROUP))) break;
        if (*it != radio) static_cast<QAbstractButton*>(r->widget)->setChecked(false);
    }
}

QString Qs(const std::string& s) { return QString::fromStdString(s); }
std::string Ss(const QString& s) { return s.toStdString(); }

void ApplyEditStyle(QWidget* widget, DWORD style) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setReadOnly(style & ES_READONLY);
        edit->setEchoMode((style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
        if (style & ES_NUMBER) {
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        }
        edit->setAlignment((style & ES_CENTER) ? Qt::AlignCenter : (style & ES_RIGHT) ? Qt::AlignRight : Qt::AlignLeft);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->setReadOnly(style & ES_READONLY);
    }
}

// The box of a check box or radio button stands right of its text with BS_LEFTTEXT.
void ApplyButtonSide(QAbstractButton* button, DWORD style) {
    button->setLayoutDirection((style & BS_LEFTTEXT) ? Qt::RightToLeft : Qt::LeftToRight);
}

// A picture static (SS_ICON, SS_BITMAP) names its icon or bitmap resource by its text, "447"
// or "#447", and shows it at its own size.
QWidget* CreatePicture(const std::string& name, bool icon, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const std::string digits = !name.empty() && name[0] == '#' ? name.substr(1) : name;
    char* end = nullptr;
    const unsigned long id = std::strtoul(digits.c_str(), &end, 10);
    if (!digits.empty() && *end == '\0') {
        const QImage image = ResourceImage(icon, static_cast<UINT>(id));
        if (!image.isNull()) label->setPixmap(QPixmap::fromImage(image));
    }
    return label;
}

bool IsPicture(const WindowRecord& rec) {
    const DWORD type = rec.style & SS_TYPEMASK;
    return rec.kind == Kind::Static && (type == SS_ICON || type == SS_BITMAP);
}

bool GrowsWithText(const WindowRecord& rec) {
    if (auto* label = qobject_cast<QLabel*>(rec.widget)) return !IsPicture(rec) && !label->wordWrap();
    auto* edit = qobject_cast<QLineEdit*>(rec.widget);
    return edit && edit->isReadOnly();
}
}  // namespace

int WidthToShow(QWidget* widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        // The label's own measure: frame, margin and indent included.
        const QString shown = label->text();
        if (text == shown) return label->sizeHint().width();
        label->setText(text);
        const int width = label->sizeHint().width();
        label->setText(shown);
        return width;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return LineEditWidthFor(edit, edit->fontMetrics().horizontalAdvance(text));
    return widget->width();
}

int LineEditWidthFor(QLineEdit* edit, int textWidth) {
    // A line edit shows text in its contents rectangle less its text margins and two pixels a
    // side, and scrolls once the text and the cursor do not fit.
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    frame.rect = edit->rect();
    frame.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit) : 0;
    frame.state |= QStyle::State_Sunken;
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, edit).marginsRemoved(edit->textMargins());
    return edit->width() - contents.width() + 2 * 2 + textWidth + 2;
}

void FitText(WindowRecord& rec) {
    if (auto* label = qobject_cast<QLabel*>(rec.widget); label && !IsPicture(rec)) {
        // Statics wrap their words as the platform's do; a one-line static would only lose the
        // wrapped lines, so only those with room for a second line wrap.
        const bool multiLine = label->contentsRect().height() >= 2 * label->fontMetrics().lineSpacing();
        if (multiLine != label->wordWrap()) {
            label->setWordWrap(multiLine);
            const Qt::Alignment horizontal = label->alignment() & Qt::AlignHorizontal_Mask;
            label->setAlignment(horizontal | (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
        }
    }
    if (!rec.textRoom || !GrowsWithText(rec)) return;
    TextRoom& room = *rec.textRoom;
    const int needed = WidthToShow(rec.widget, QString::fromStdString(GetText(rec)));
    const int grown = std::clamp(needed - room.baseWidth, 0, room.room);
    const int delta = grown - room.grown;
    if (delta == 0) return;
    room.grown = grown;
    rec.widget->resize(room.baseWidth + grown, rec.widget->height());
    for (HWND follower : room.followers) {
        if (WindowRecord* f = Find(follower)) f->widget->move(f->widget->x() + delta, f->widget->y());
    }
}

void PlacedByProgram(WindowRecord& rec) {
    if (!rec.textRoom) return;
    rec.textRoom->baseWidth = rec.widget->width();
    rec.textRoom->grown = 0;
    FitText(rec);
}

Kind KindOfClass(const char* className, DWORD style) {
    const std::string name = className ? className : "";
    if (name == "BUTTON" || name == "Button") return (style & BS_TYPEMASK) == BS_GROUPBOX ? Kind::Group : Kind::Button;
    if (name == "STATIC" || name == "Static") return Kind::Static;
    if (name == "EDIT" || name == "Edit") return Kind::Edit;
    if (name == "COMBOBOX" || name == "ComboBox") return Kind::Combo;
    if (name == "SysListView32") return Kind::List;
    if (name == "msctls_progress32") return Kind::Progress;
    if (name == "SysIPAddress32") return Kind::IpAddress;
    return Kind::Window;
}

QWidget* CreateControlWidget(Kind kind, const std::string& text, DWORD style, QWidget* parent) {
    switch (kind) {
    case Kind::Static: {
        const DWORD type = style & SS_TYPEMASK;
        if (type == SS_ICON || type == SS_BITMAP) return CreatePicture(text, type == SS_ICON, parent);
        auto* label = new QLabel(Qs(text), parent);
        label->setAlignment(type == SS_CENTER  ? Qt::AlignCenter
                            : type == SS_RIGHT ? (Qt::AlignRight | Qt::AlignVCenter)
                                               : (Qt::AlignLeft | Qt::AlignVCenter));
        if (style & SS_SUNKEN) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Kind::Group: return new QGroupBox(Qs(text), parent);
    case Kind::Button: {
        const DWORD type = style & BS_TYPEMASK;
        QAbstractButton* button;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) {
            button = new QCheckBox(Qs(text), parent);
            if (type == BS_CHECKBOX || type == BS_3STATE) button->setCheckable(true);
            ApplyButtonSide(button, style);
        } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            button = new QRadioButton(Qs(text), parent);
            button->setAutoExclusive(false);
            ApplyButtonSide(button, style);
        } else {
            auto* push = new QPushButton(Qs(text), parent);
            push->setAutoDefault(false);
            push->setDefault(type == BS_DEFPUSHBUTTON);
            button = push;
        }
        return button;
    }
    case Kind::Edit: {
        QWidget* edit;
        if (style & ES_MULTILINE) edit = new QPlainTextEdit(parent);
        else edit = new QLineEdit(parent);
        ApplyEditStyle(edit, style);
        if (!text.empty()) SetTextOfWidget(edit, text);
        return edit;
    }
    case Kind::Combo: {
        auto* combo = new QComboBox(parent);
        const DWORD type = style & 0x3;
        combo->setEditable(type == CBS_DROPDOWN || type == CBS_SIMPLE);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCurrentIndex(-1);
        return combo;
    }
    case Kind::List: return CreateListWidget(style, parent);
    case Kind::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    case Kind::IpAddress: {
        auto* edit = new QLineEdit(parent);
        // Up to four dotted fields of at most three digits; values are checked when read.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(R"(\d{0,3}(\.\d{0,3}){0,3})"), edit));
        return edit;
    }
    case Kind::Header:
    case Kind::Window:
    case Kind::Dialog: {
        auto* w = new QWidget(parent);
        w->setProperty("ui_text", Qs(text));
        return w;
    }
    }
    return nullptr;
}

void SetTextOfWidget(QWidget* widget, const std::string& text) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        QString t = Qs(text);
        t.replace("\r\n", "\n");
        edit->setPlainText(t);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(Qs(text));
    }
}

void WireControl(HWND hwnd) {
    WindowRecord* rec = Find(hwnd);
    if (!rec) return;
    QWidget* w = rec->widget;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QObject::connect(button, &QAbstractButton::clicked, [hwnd, button](bool) {
            WindowRecord* r = Find(hwnd);
            if (!r) return;
            if (IsRadio(*r) && ((r->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)) {
                button->setChecked(true);
                CheckInGroup(hwnd);
            } else if (IsRadio(*r)) {
                button->setChecked(!button->isChecked());  // a plain radio button changes only when told
            } else if ((r->style & BS_TYPEMASK) == BS_CHECKBOX || (r->style & BS_TYPEMASK) == BS_3STATE) {
                button->setChecked(!button->isChecked());
            }
            NotifyParent(hwnd, BN_CLICKED);
        });
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        QObject::connect(line, &QLineEdit::textChanged, [hwnd] { NotifyParent(hwnd, EN_CHANGE); });
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        QObject::connect(text, &QPlainTextEdit::textChanged, [hwnd] { NotifyParent(hwnd, EN_CHANGE); });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QObject::connect(combo, &QComboBox::activated, [hwnd] { NotifyParent(hwnd, CBN_SELCHANGE); });
        if (QLineEdit* edit = combo->lineEdit()) {
            QObject::connect(edit, &QLineEdit::textEdited, [hwnd] { NotifyParent(hwnd, CBN_EDITCHANGE); });
        }
    }
    if (rec->kind == Kind::List) ListRegistered(hwnd);
}

void ApplyStyle(WindowRecord& rec, DWORD before) {
    const DWORD changed = before ^ rec.style;
    if (rec.topLevel && (changed & WS_THICKFRAME)) {
        // Only a sizing frame lets the user resize a window.
        if (rec.style & WS_THICKFRAME) {
            rec.widget->setMinimumSize(0, 0);
            rec.widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            rec.widget->setFixedSize(rec.widget->size());
        }
    }
    if (changed & WS_DISABLED) rec.widget->setEnabled(!(rec.style & WS_DISABLED));
    if (changed & WS_VISIBLE) rec.widget->setVisible(rec.style & WS_VISIBLE);
    switch (rec.kind) {
    case Kind::Edit: ApplyEditStyle(rec.widget, rec.style); break;
    case Kind::List: ListStyleChanged(rec); break;
    case Kind::Button:
        if (auto* push = qobject_cast<QPushButton*>(rec.widget))
            push->setDefault((rec.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        else if (changed & BS_LEFTTEXT) ApplyButtonSide(static_cast<QAbstractButton*>(rec.widget), rec.style);
        break;
    default: break;
    }
}

void SetText(WindowRecord& rec, const std::string& text) {
    QWidget* w = rec.widget;
    if (rec.topLevel) {
        w->setWindowTitle(Qs(text));
        return;
    }
    switch (rec.kind) {
    case Kind::Static:
        if (IsPicture(rec)) break;
        static_cast<QLabel*>(w)->setText(Qs(text));
        FitText(rec);
        break;
    case Kind::Group: static_cast<QGroupBox*>(w)->setTitle(Qs(text)); break;
    case Kind::Button: static_cast<QAbstractButton*>(w)->setText(Qs(text)); break;
    case Kind::Edit:
        SetTextOfWidget(w, text);
        FitText(rec);
        break;
    case Kind::IpAddress: SetTextOfWidget(w, text); break;
    case Kind::Combo: {
        auto* combo = static_cast<QComboBox*>(w);
        if (combo->isEditable()) combo->setEditText(Qs(text));
        else if (int i = combo->findText(Qs(text), Qt::MatchFixedString); i >= 0) combo->setCurrentIndex(i);
        break;
    }
    default: w->setProperty("ui_text", Qs(text)); break;
    }
}

std::string GetText(const WindowRecord& rec) {
    QWidget* w = rec.widget;
    if (rec.topLevel) return Ss(w->windowTitle());
    switch (rec.kind) {
    case Kind::Static: return Ss(static_cast<QLabel*>(w)->text());
    case Kind::Group: return Ss(static_cast<QGroupBox*>(w)->title());
    case Kind::Button: return Ss(static_cast<QAbstractButton*>(w)->text());
    case Kind::Edit:
    case Kind::IpAddress:
        if (auto* text = qobject_cast<QPlainTextEdit*>(w)) return Ss(text->toPlainText().replace("\n", "\r\n"));
        return Ss(static_cast<QLineEdit*>(w)->text());
    case Kind::Combo: return Ss(static_cast<QComboBox*>(w)->currentText());
    default: return Ss(w->property("ui_text").toString());
    }
}

void SetCheck(WindowRecord& rec, int check) {
    if (auto* button = qobject_cast<QAbstractButton*>(rec.widget)) {
        if (!button->isCheckable()) return;
        if (auto* box = qobject_cast<QCheckBox*>(button); box && check == BST_INDETERMINATE) {
            box->setTristate(true);
            box->setCheckState(Qt::PartiallyChecked);
            return;
        }
        button->setChecked(check == BST_CHECKED);
    }
}

int GetCheck(const WindowRecord& rec) {
    if (auto* box = qobject_cast<QCheckBox*>(rec.widget)) {
        return box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
               : box->isChecked()                        ? BST_CHECKED
                                                         : BST_UNCHECKED;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(rec.widget))
        return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

std::unique_ptr<CWnd> MakeStandIn(Kind kind) {
    switch (kind) {
    case Kind::Static: return std::make_unique<CStatic>();
    case Kind::Group:
    case Kind::Button: return std::make_unique<CButton>();
    case Kind::Edit: return std::make_unique<CEdit>();
    case Kind::Combo: return std::make_unique<CComboBox>();
    case Kind::List: return std::make_unique<CListCtrl>();
    case Kind::Header: return std::make_unique<CHeaderCtrl>();
    case Kind::Progress: return std::make_unique<CProgressCtrl>();
    case Kind::IpAddress: return std::make_unique<CIPAddressCtrl>();
    case Kind::Dialog: return std::make_unique<CDialog>();
    case Kind::Window: return std::make_unique<CWnd>();
    }
    return std::make_unique<CWnd>();
}

HWND CreateChild(CWnd* obj, Kind kind, const std::string& text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    HWND created = nullptr;
    RunOnUiThread([&] {
        if (obj->m_hWnd.load()) return;  // one window per object
        const HWND parentHwnd = parent ? parent->m_hWnd.load() : nullptr;
        QWidget* parentClient = WidgetOf(parentHwnd);
        if (!parentClient && (style & WS_CHILD)) return;
        QWidget* widget;
        QWidget* client = nullptr;
        if (!parentClient) {
            TopLevel top = CreateTopLevel(text, style, false);
            widget = top.frame;
            client = top.client;
        } else {
            widget = CreateControlWidget(kind, text, style, parentClient);
        }
        widget->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        created = Register(widget, client, obj, parentHwnd, static_cast<int>(id), style, kind);
        Bridge(widget);
        WireControl(created);
        if (style & WS_DISABLED) widget->setEnabled(false);
        if (style & WS_VISIBLE) widget->show();
        obj->PreSubclassWindow();
    });
    return created;
}

}  // namespace ui::detail

using ui::detail::Find;
using ui::detail::Kind;
using ui::detail::WindowRecord;

namespace {
// Runs fn(widget as W) on the user-interface thread for a live window of that widget type.
template <class W, class R, class F>
R With(const CWnd* wnd, R fallback, F&& fn) {
    R result = fallback;
    ui::RunOnUiThread([&] {
        if (WindowRecord* rec = Find(wnd->m_hWnd.load())) {
            if (auto* w = qobject_cast<W*>(rec->widget)) result = fn(w);
        }
    });
    return result;
}
}  // namespace

// ---- CStatic, CButton ----
BOOL CStatic::Create(const std::string& text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return ui::detail::CreateChild(this, Kind::Static, text, style, rect, parent, id) != nullptr;
}

BOOL CButton::Create(const std::string& caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    const Kind kind = (style & BS_TYPEMASK) == BS_GROUPBOX ? Kind::Group : Kind::Button;
    return ui::detail::CreateChild(this, kind, caption, style, rect, parent, id) != nullptr;
}

int CButton::GetCheck() const {
    int r = 0;
    ui::RunOnUiThread([&] {
        if (WindowRecord* rec = Find(m_hWnd.load())) r = ui::detail::GetCheck(*rec);
    });
    return r;
}

void CButton::SetCheck(int check) {
    ui::RunOnUiThread([&] {
        if (WindowRecord* rec = Find(m_hWnd.load())) ui::detail::SetCheck(*rec, check);
    });
}

UINT CButton::GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }

void CButton::SetButtonStyle(UINT style, BOOL) { ModifyStyle(BS_TYPEMASK, style & BS_TYPEMASK); }

// ---- CEdit ----
BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return ui::detail::CreateChild(this, Kind::Edit, "", style, rect, parent, id) != nullptr;
}

void CEdit::LimitText(int maxChars) {
    With<QLineEdit>(this, 0, [&](QLineEdit* e) {
        e->setMaxLength(maxChars <= 0 ? 32767 : maxChars);
        return 0;
    });
}

UINT CEdit::GetLimitText() const {
    return With<QLineEdit>(this, 0u, [](QLineEdit* e) { return static_cast<UINT>(e->maxLength()); });
}

BOOL CEdit::SetReadOnly(BOOL readOnly) { return ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0); }

void CEdit::SetSel(int start, int end, BOOL) {
    With<QLineEdit>(this, 0, [&](QLineEdit* e) {
        const int len = static_cast<int>(e->text().size());
        if (start == -1) {
            e->deselect();
            return 0;
        }
        const int to = (end == -1 || end > len) ? len : end;
        e->setSelection(start, to - start);
        return 0;
    });
}

void CEdit::GetSel(int& start, int& end) const {
    start = end = 0;
    With<QLineEdit>(this, 0, [&](QLineEdit* e) {
        if (e->hasSelectedText()) {
            start = e->selectionStart();
            end = e->selectionEnd();
        } else {
            start = end = e->cursorPosition();
        }
        return 0;
    });
}

void CEdit::ReplaceSel(const std::string& text, BOOL) {
    ui::RunOnUiThread([&] {
        WindowRecord* rec = Find(m_hWnd.load());
        if (!rec) return;
        if (auto* e = qobject_cast<QLineEdit*>(rec->widget)) e->insert(QString::fromStdString(text));
        if (auto* e = qobject_cast<QPlainTextEdit*>(rec->widget)) e->insertPlainText(QString::fromStdString(text));
    });
}

void CEdit::SetPasswordChar(char ch) { ModifyStyle(ch ? 0 : ES_PASSWORD, ch ? ES_PASSWORD : 0); }

int CEdit::GetLineCount() const {
    int r = 1;
    ui::RunOnUiThread([&] {
        WindowRecord* rec = Find(m_hWnd.load());
        if (!rec) return;
        if (auto* e = qobject_cast<QPlainTextEdit*>(rec->widget)) r = e->document()->blockCount();
    });
    return r;
}

// ---- CComboBox ----
BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return ui::detail::CreateChild(this, Kind::Combo, "", style, rect, parent, id) != nullptr;
}

int CComboBox::AddString(const std::string& text) {
    const bool sorted = (GetStyle() & CBS_SORT) != 0;
    return With<QComboBox>(this, CB_ERR, [&](QComboBox* c) {
        const QString t = QString::fromStdString(text);
        int at = c->count();
        if (sorted) {
            at = 0;
            while (at < c->count() && QString::compare(c->itemText(at), t, Qt::CaseInsensitive) <= 0) ++at;
        }
        const int current = c->currentIndex();
        c->insertItem(at, t);
        if (current < 0) c->setCurrentIndex(-1);  // adding never selects
        return at;
    });
}

int CComboBox::InsertString(int index, const std::string& text) {
    return With<QComboBox>(this, CB_ERR, [&](QComboBox* c) {
        const int at = (index < 0 || index > c->count()) ? c->count() : index;
        const int current = c->currentIndex();
        c->insertItem(at, QString::fromStdString(text));
        if (current < 0) c->setCurrentIndex(-1);
        return at;
    });
}

int CComboBox::DeleteString(UINT index) {
    return With<QComboBox>(this, CB_ERR, [&](QComboBox* c) {
        if (static_cast<int>(index) >= c->count()) return CB_ERR;
        c->removeItem(static_cast<int>(index));
        return c->count();
    });
}

void CComboBox::ResetContent() {
    With<QComboBox>(this, 0, [](QComboBox* c) {
        c->clear();
        if (c->isEditable()) c->setEditText(QString());
        return 0;
    });
}

int CComboBox::GetCount() const {
    return With<QComboBox>(this, 0, [](QComboBox* c) { return c->count(); });
}
int CComboBox::GetCurSel() const {
    return With<QComboBox>(this, CB_ERR, [](QComboBox* c) { return c->currentIndex(); });
}

int CComboBox::SetCurSel(int index) {
    return With<QComboBox>(this, CB_ERR, [&](QComboBox* c) {
        if (index < 0 || index >= c->count()) {
            c->setCurrentIndex(-1);
            if (c->isEditable()) c->setEditText(QString());
            return CB_ERR;
        }
        c->setCurrentIndex(index);
        return index;
    });
}

std::string CComboBox::GetLBText(int index) const {
    return With<QComboBox>(this, std::string(), [&](QComboBox* c) {
        return index >= 0 && index < c->count() ? c->itemText(index).toStdString() : std::string();
    });
}

int CComboBox::GetLBText(int index, std::string& text) const {
    const int count = GetCount();
    if (index < 0 || index >= count) return CB_ERR;
    text = GetLBText(index);
    return static_cast<int>(text.size());
}

int CComboBox::GetLBTextLen(int index) const {
    std::string text;
    return GetLBText(index, text);
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
    return With<QComboBox>(this, CB_ERR, [&](QComboBox* c) {
        if (index < 0 || index >= c->count()) return CB_ERR;
        c->setItemData(index, QVariant::fromValue<qulonglong>(data));
        return 0;
    });
}

DWORD_PTR CComboBox::GetItemData(int index) const {
    return With<QComboBox>(this, DWORD_PTR{0}, [&](QComboBox* c) {
        return index >= 0 && index < c->count() ? static_cast<DWORD_PTR>(c->itemData(index).toULongLong())
                                                : DWORD_PTR{0};
    });
}

namespace {
int FindIn(const QComboBox* c, int startAfter, const std::string& text, bool exact) {
    const QString t = QString::fromStdString(text);
    const int n = c->count();
    for (int k = 1; k <= n; ++k) {
        const int i = (startAfter + k) % n;
        const QString item = c->itemText(i);
        const bool match =
            exact ? QString::compare(item, t, Qt::CaseInsensitive) == 0 : item.startsWith(t, Qt::CaseInsensitive);
        if (match) return i;
    }
    return CB_ERR;
}
}  // namespace

int CComboBox::FindString(int startAfter, const std::string& prefix) const {
    return With<QComboBox>(this, CB_ERR,
                           [&](QComboBox* c) { return FindIn(c, std::max(startAfter, -1), prefix, false); });
}

int CComboBox::FindStringExact(int startAfter, const std::string& text) const {
    return With<QComboBox>(this, CB_ERR, [&](QComboBox* c) { return FindIn(c, std::max(startAfter, -1), text, true); });
}

int CComboBox::SelectString(int startAfter, const std::string& prefix) {
    const int i = FindString(startAfter, prefix);
    if (i != CB_ERR) SetCurSel(i);
    return i;
}

BOOL CComboBox::LimitText(int maxChars) {
    return With<QComboBox>(this, FALSE, [&](QComboBox* c) {
        if (!c->lineEdit()) return FALSE;
        c->lineEdit()->setMaxLength(maxChars <= 0 ? 32767 : maxChars);
        return TRUE;
    });
}

// ---- CProgressCtrl ----
BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return ui::detail::CreateChild(this, Kind::Progress, "", style, rect, parent, id) != nullptr;
}

void CProgressCtrl::SetRange32(int lower, int upper) {
    With<QProgressBar>(this, 0, [&](QProgressBar* p) {
        p->setRange(lower, std::max(lower, upper));
        return 0;
    });
}

void CProgressCtrl::GetRange(int& lower, int& upper) const {
    lower = upper = 0;
    With<QProgressBar>(this, 0, [&](QProgressBar* p) {
        lower = p->minimum();
        upper = p->maximum();
        return 0;
    });
}

int CProgressCtrl::SetPos(int pos) {
    return With<QProgressBar>(this, 0, [&](QProgressBar* p) {
        const int old = std::max(p->value(), p->minimum());
        p->setValue(std::clamp(pos, p->minimum(), p->maximum()));
        return old;
    });
}

int CProgressCtrl::GetPos() const {
    return With<QProgressBar>(this, 0, [](QProgressBar* p) { return std::max(p->value(), p->minimum()); });
}

int CProgressCtrl::OffsetPos(int delta) { return SetPos(GetPos() + delta); }

int CProgressCtrl::SetStep(int step) {
    const int old = m_step;
    m_step = step;
    return old;
}

int CProgressCtrl::StepIt() {
    // Past the upper bound the bar starts again from the lower bound.
    return With<QProgressBar>(this, 0, [&](QProgressBar* p) {
        const int old = std::max(p->value(), p->minimum());
        int next = old + m_step;
        if (next > p->maximum()) next = p->minimum() + (next - p->maximum());
        p->setValue(std::clamp(next, p->minimum(), p->maximum()));
        return old;
    });
}

// ---- CIPAddressCtrl ----
BOOL CIPAddressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return ui::detail::CreateChild(this, Kind::IpAddress, "", style, rect, parent, id) != nullptr;
}

int CIPAddressCtrl::GetAddress(BYTE& f0, BYTE& f1, BYTE& f2, BYTE& f3) const {
    const std::string text = GetWindowText();
    BYTE* fields[4] = {&f0, &f1, &f2, &f3};
    int filled = 0;
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = text.find('.', pos);
        const std::string part = text.substr(pos, dot == std::string::npos ? std::string::npos : dot - pos);
        int value = 0;
        if (!part.empty()) {
            value = std::min(255, std::atoi(part.c_str()));
            ++filled;
        }
        *fields[i] = static_cast<BYTE>(value);
        if (dot == std::string::npos) {
            for (int j = i + 1; j < 4; ++j) *fields[j] = 0;
            break;
        }
        pos = dot + 1;
    }
    return filled;
}

int CIPAddressCtrl::GetAddress(DWORD& address) const {
    BYTE f[4] = {};
    const int n = GetAddress(f[0], f[1], f[2], f[3]);
    address = (DWORD(f[0]) << 24) | (DWORD(f[1]) << 16) | (DWORD(f[2]) << 8) | DWORD(f[3]);
    return n;
}

void CIPAddressCtrl::SetAddress(BYTE f0, BYTE f1, BYTE f2, BYTE f3) {
    SetWindowText(std::to_string(f0) + "." + std::to_string(f1) + "." + std::to_string(f2) + "." + std::to_string(f3));
}

void CIPAddressCtrl::SetAddress(DWORD a) {
    SetAddress(static_cast<BYTE>(a >> 24), static_cast<BYTE>(a >> 16), static_cast<BYTE>(a >> 8), static_cast<BYTE>(a));
}

BOOL CIPAddressCtrl::IsBlank() const {
    const std::string text = GetWindowText();
    return text.find_first_not_of('.') == std::string::npos ? TRUE : FALSE;
}

void CIPAddressCtrl::ClearAddress() { SetWindowText(""); }

int CHeaderCtrl::GetItemCount() const {
    return With<QHeaderView>(this, 0, [](QHeaderView* h) { return h->count(); });
}
