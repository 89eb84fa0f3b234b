#include "tests/support/ui/UiHarness.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPixmap>
#include <QTest>
#include <QTreeView>

#include "platform/ui/App.h"
#include "platform/ui/Gdi.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Event.h"

namespace ui::test {

namespace {
void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

std::string CaptionOf(const CWnd& w) { return w.GetWindowText(); }
}  // namespace

bool WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (pred()) return true;
        if (std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "condition not met within " << timeout.count() << " ms";
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Sleeps until a worker's blocking call arrives, at most 1 ms.
        if (win::WaitPump* pump = win::GetWaitPump()) pump->Pump(1ms);
    }
}

void Pump(std::chrono::milliseconds duration) {
    const auto until = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (win::WaitPump* pump = win::GetWaitPump()) pump->Pump(1ms);
    }
}

void PumpProgramTime(unsigned ms) {
    const DWORD start = win::GetTickCount();
    while (win::GetTickCount() - start < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (win::WaitPump* pump = win::GetWaitPump()) pump->Pump(1ms);
    }
}

void Flush() {
    // A handled message may post the next one (a read's end after its last row): a few rounds.
    for (int round = 0; round < 4; ++round) {
        if (win::WaitPump* pump = win::GetWaitPump()) pump->Pump(0ms);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    FlushDeletes();
}

// ---- DialogDriver ----
bool DialogDriver::IsOpen() const { return IsWindow(Handle()) && IsWindowVisible(Handle()); }

QWidget* DialogDriver::Usable(int id) const {
    HWND h = ::GetDlgItem(Handle(), id);
    QWidget* w = WidgetOf(h);
    if (!w) {
        ADD_FAILURE() << "no control " << id << " in \"" << CaptionOf(m_window) << "\"";
        return nullptr;
    }
    if (!w->isEnabled()) {
        ADD_FAILURE() << "control " << id << " is disabled";
        return nullptr;
    }
    if (!w->isVisible()) {
        ADD_FAILURE() << "control " << id << " is hidden";
        return nullptr;
    }
    w->window()->activateWindow();
    return w;
}

CListCtrl* DialogDriver::ListOf(int id) const {
    auto* list = dynamic_cast<CListCtrl*>(CWnd::FromHandle(::GetDlgItem(Handle(), id)));
    if (!list) ADD_FAILURE() << "control " << id << " is not a list";
    return list;
}

void DialogDriver::TypeText(int id, const std::string& text) {
    QWidget* w = Usable(id);
    if (!w) return;
    if (auto* combo = qobject_cast<QComboBox*>(w)) w = combo->lineEdit();
    if (!w) {
        ADD_FAILURE() << "control " << id << " takes no typing";
        return;
    }
    w->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->selectAll();
        if (!text.empty()) QTest::keyClicks(line, QString::fromStdString(text));
        else QTest::keyClick(line, Qt::Key_Delete);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->selectAll();
        QTest::keyClick(plain, Qt::Key_Delete);
        QTest::keyClicks(plain, QString::fromStdString(text));
    } else {
        ADD_FAILURE() << "control " << id << " takes no typing";
    }
}

void DialogDriver::ChooseComboItem(int id, const std::string& text) {
    auto* combo = qobject_cast<QComboBox*>(Usable(id));
    if (!combo) return;
    const int index = combo->findText(QString::fromStdString(text), Qt::MatchExactly);
    if (index < 0) {
        ADD_FAILURE() << "combo box " << id << " has no item \"" << text << "\"";
        return;
    }
    ChooseComboItem(id, index);
}

void DialogDriver::ChooseComboItem(int id, int index) {
    auto* combo = qobject_cast<QComboBox*>(Usable(id));
    if (!combo) {
        ADD_FAILURE() << "control " << id << " is not a combo box";
        return;
    }
    if (index < 0 || index >= combo->count()) {
        ADD_FAILURE() << "combo box " << id << " has no item " << index;
        return;
    }
    combo->setFocus(Qt::OtherFocusReason);
    // What choosing from the drop-down does: the selection changes, then the notification.
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void DialogDriver::Check(int id, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(Usable(id));
    if (!button) return;
    if (button->isChecked() != checked) Click(id);
}

void DialogDriver::Click(int id) {
    auto* button = qobject_cast<QAbstractButton*>(Usable(id));
    if (!button) {
        ADD_FAILURE() << "control " << id << " is not a button";
        return;
    }
    button->setFocus(Qt::MouseFocusReason);
    // Check and radio boxes take clicks on their box and caption only: click the box.
    const bool box = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, box ? QPoint(6, button->height() / 2) : QPoint());
}

QTreeView* DialogDriver::ListCell(int id, int row, int column, QPoint& center) const {
    auto* view = qobject_cast<QTreeView*>(Usable(id));
    CListCtrl* list = ListOf(id);
    if (!view || !list) return nullptr;
    if (!list->EnsureVisible(row, FALSE)) {
        ADD_FAILURE() << "list " << id << " has no row " << row;
        return nullptr;
    }
    view->setFocus(Qt::MouseFocusReason);
    center = view->visualRect(view->model()->index(row, column)).center();
    return view;
}

void DialogDriver::ClickListRow(int id, int row, int column) {
    QPoint at;
    if (QTreeView* view = ListCell(id, row, column, at))
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void DialogDriver::DoubleClickListRow(int id, int row, int column) {
    QPoint at;
    if (QTreeView* view = ListCell(id, row, column, at)) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
}

void DialogDriver::ClickListHeader(int id, int column) {
    auto* view = qobject_cast<QTreeView*>(Usable(id));
    if (!view) return;
    if (CListCtrl* list = ListOf(id)) list->FlushView();
    QHeaderView* header = view->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void DialogDriver::ClickAt(int x, int y) {
    if (QWidget* client = WidgetOf(Handle())) QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

void DialogDriver::MoveMouseTo(int x, int y) {
    if (QWidget* client = WidgetOf(Handle())) {
        // A move with no button down, as the pointer passing over the window.
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), client->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(client, &move);
    }
}

void DialogDriver::DragListDivider(int id, int column, int dx) {
    auto* view = qobject_cast<QTreeView*>(Usable(id));
    if (!view) return;
    if (CListCtrl* list = ListOf(id)) list->FlushView();
    QHeaderView* header = view->header();
    const int edge = header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
    const QPoint from(edge, header->height() / 2), to(edge + dx, header->height() / 2);
    QWidget* target = header->viewport();
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), target->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, to);
}

void DialogDriver::CheckListRow(int id, int row, bool checked) {
    auto* view = qobject_cast<QTreeView*>(Usable(id));
    CListCtrl* list = ListOf(id);
    if (!view || !list) return;
    if (!(list->GetExtendedStyle() & LVS_EX_CHECKBOXES) || !list->EnsureVisible(row, FALSE)) {
        ADD_FAILURE() << "list " << id << " has no check box in row " << row;
        return;
    }
    if ((list->GetCheck(row) != FALSE) == checked) return;
    // The user clicks the box: the view changes the check state through the model.
    view->model()->setData(view->model()->index(row, 0), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void DialogDriver::PressEnter() {
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != WidgetOf(Handle())->window()) target = WidgetOf(Handle());
    QTest::keyClick(target, Qt::Key_Return);
}

void DialogDriver::PressEsc() {
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != WidgetOf(Handle())->window()) target = WidgetOf(Handle());
    QTest::keyClick(target, Qt::Key_Escape);
}

void DialogDriver::PressKey(int id, int qtKey) {
    if (QWidget* w = Usable(id)) {
        w->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(w, static_cast<Qt::Key>(qtKey));
    }
}

void DialogDriver::Close() {
    if (QWidget* w = WidgetOf(Handle())) w->window()->close();
}

bool DialogDriver::Exists(int id) const { return ::GetDlgItem(Handle(), id) != nullptr; }

std::string DialogDriver::GetText(int id) const { return ::GetWindowText(::GetDlgItem(Handle(), id)); }

std::vector<std::string> DialogDriver::GetItems(int id) const {
    std::vector<std::string> items;
    if (auto* combo = qobject_cast<QComboBox*>(WidgetOf(::GetDlgItem(Handle(), id)))) {
        for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
    } else {
        ADD_FAILURE() << "control " << id << " is not a combo box";
    }
    return items;
}

int DialogDriver::GetSelection(int id) const {
    auto* combo = qobject_cast<QComboBox*>(WidgetOf(::GetDlgItem(Handle(), id)));
    if (!combo) ADD_FAILURE() << "control " << id << " is not a combo box";
    return combo ? combo->currentIndex() : -1;
}

std::vector<std::string> DialogDriver::GetColumns(int id) const {
    std::vector<std::string> columns;
    if (CListCtrl* list = ListOf(id)) {
        for (int c = 0; c < list->GetColumnCount(); ++c) columns.push_back(list->GetColumnText(c));
    }
    return columns;
}

std::vector<std::vector<std::string>> DialogDriver::GetRows(int id) const {
    std::vector<std::vector<std::string>> rows;
    if (CListCtrl* list = ListOf(id)) {
        const int columns = std::max(1, list->GetColumnCount());
        for (int r = 0; r < list->GetItemCount(); ++r) {
            std::vector<std::string> row;
            for (int c = 0; c < columns; ++c) row.push_back(list->GetItemText(r, c));
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::vector<int> DialogDriver::GetSelectedRows(int id) const {
    std::vector<int> rows;
    if (CListCtrl* list = ListOf(id)) {
        for (int r = list->GetNextItem(-1, LVNI_SELECTED); r >= 0; r = list->GetNextItem(r, LVNI_SELECTED))
            rows.push_back(r);
    }
    return rows;
}

bool DialogDriver::IsEnabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(Handle(), id)) != FALSE; }

bool DialogDriver::IsVisible(int id) const {
    QWidget* w = WidgetOf(::GetDlgItem(Handle(), id));
    return w && !w->isHidden();
}

bool DialogDriver::IsChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(::GetDlgItem(Handle(), id)));
    return button && button->isChecked();
}

CRect DialogDriver::GetRect(int id) const {
    CWnd* control = m_window.GetDlgItem(id);
    if (!control) return {};
    CRect r;
    control->GetWindowRect(&r);
    m_window.ScreenToClient(&r);
    return r;
}

ShownText DialogDriver::Shown(int id) const {
    ShownText shown;
    QWidget* w = WidgetOf(::GetDlgItem(Handle(), id));
    const QFontMetrics fm = w ? w->fontMetrics() : QFontMetrics(QFont());
    if (auto* label = qobject_cast<QLabel*>(w)) {
        shown.text = label->text().toStdString();
        shown.textWidth = fm.horizontalAdvance(label->text());
        // The text's place: the contents less the margin, and a framed label's half-x indent.
        QRect place =
            label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        if (label->frameWidth() > 0 && label->indent() < 0)
            place.adjust(fm.horizontalAdvance(QLatin1Char('x')) / 2, 0, 0, 0);
        shown.shownWidth = place.width();
        shown.wraps = label->wordWrap();
        if (shown.wraps) {
            const QRect needed = fm.boundingRect(QRect(0, 0, place.width(), 1 << 20), Qt::TextWordWrap, label->text());
            shown.linesNeeded = std::max(1, (needed.height() + fm.leading()) / fm.lineSpacing());
            shown.linesShown = (place.height() + fm.leading()) / fm.lineSpacing();
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        shown.text = edit->text().toStdString();
        shown.textWidth = fm.horizontalAdvance(edit->text());
        // A line edit draws its text inside its frame, two pixels in from each side, and
        // keeps a pixel for the cursor.
        QStyleOptionFrame frame;
        frame.initFrom(edit);
        frame.rect = edit->rect();
        frame.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit);
        const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, edit);
        shown.shownWidth = contents.marginsRemoved(edit->textMargins()).width() - 2 * 2 - 1;
    } else {
        ADD_FAILURE() << "control " << id << " is no static text or line edit";
    }
    return shown;
}

COLORREF DialogDriver::ControlPixelAt(int id, int x, int y) const {
    QWidget* w = WidgetOf(::GetDlgItem(Handle(), id));
    const QImage image = w ? w->grab().toImage() : QImage();
    if (!image.valid(x, y)) {
        ADD_FAILURE() << "control " << id << " has no pixel at " << x << "," << y;
        return 0;
    }
    const QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

bool DialogDriver::GrabPng(const std::string& path) const {
    QWidget* w = WidgetOf(Handle());
    if (!w) return false;
    for (QTreeView* view : w->window()->findChildren<QTreeView*>()) {
        if (auto* list = dynamic_cast<CListCtrl*>(CWnd::FromHandle(HandleOf(view)))) list->FlushView();
    }
    return w->window()->grab().save(QString::fromStdString(path), "PNG");
}

// ---- Harness ----
Harness::Harness() {
    EnsureApplication();
    win::StartDebugCapture();
    m_previousPrompt = SetPromptHandler([this](const PromptRequest& r) { return OnPrompt(r); });
    m_previousHook = SetModalHook([this](CDialog& d) { OnDialog(d); });
    m_previousPrint = SetPrintDialogHandler([this] {
        std::lock_guard lock(m_mutex);
        ++m_printDialogs;
        if (m_printAnswers.empty()) {
            ADD_FAILURE() << "unexpected print dialog";
            return PrintChoice{};
        }
        PrintChoice answer = m_printAnswers.front();
        m_printAnswers.erase(m_printAnswers.begin());
        return answer;
    });
}

Harness::~Harness() {
    SetPrintDialogHandler(std::move(m_previousPrint));
    SetModalHook(std::move(m_previousHook));
    SetPromptHandler(std::move(m_previousPrompt));
    win::StopDebugCapture();
    FlushDeletes();
    std::lock_guard lock(m_mutex);
    if (!m_answers.empty()) ADD_FAILURE() << m_answers.size() << " scripted message box answer(s) not used";
    if (!m_printAnswers.empty()) ADD_FAILURE() << m_printAnswers.size() << " scripted print dialog answer(s) not used";
}

void Harness::ScriptPrintDialogs(std::vector<PrintChoice> answers) {
    std::lock_guard lock(m_mutex);
    m_printAnswers = std::move(answers);
}

int Harness::PrintDialogsShown() const {
    std::lock_guard lock(m_mutex);
    return m_printDialogs;
}

COLORREF DialogDriver::PixelAt(int x, int y) const {
    COLORREF color = 0;
    if (!detail::SurfacePixel(Handle(), x, y, &color)) {
        ADD_FAILURE() << "no surface pixel at (" << x << ", " << y << ")";
    }
    return color;
}

std::vector<MenuItemInfo> DialogDriver::Menu(bool systemMenu) const { return ReadMenu(Handle(), systemMenu); }

namespace {
std::string JoinPath(const std::vector<std::string>& path) {
    std::string out;
    for (const std::string& p : path) out += (out.empty() ? "\"" : " / \"") + p + "\"";
    return out;
}
void CheckChoice(MenuChoice choice, const std::string& what) {
    if (choice == MenuChoice::NotFound) ADD_FAILURE() << "no menu item " << what;
    if (choice == MenuChoice::Disabled) ADD_FAILURE() << "menu item " << what << " is disabled";
}
}  // namespace

void DialogDriver::ChooseMenu(const std::vector<std::string>& path) {
    CheckChoice(ChooseMenuItem(Handle(), path, false), JoinPath(path));
}

void DialogDriver::ChooseSystemMenu(const std::string& text) {
    CheckChoice(ChooseMenuItem(Handle(), {text}, true), JoinPath({text}));
}

INT_PTR Harness::RunModal(CDialog& dialog, std::function<void(DialogDriver&)> script) {
    m_target = &dialog;
    m_targetScript = std::move(script);
    const INT_PTR result = dialog.DoModal();
    m_target = nullptr;
    m_targetScript = nullptr;
    FlushDeletes();
    return result;
}

void Harness::OnDialog(CDialog& dialog) {
    DialogDriver driver(dialog);
    if (&dialog == m_target && m_targetScript) {
        auto script = std::move(m_targetScript);
        m_targetScript = nullptr;
        script(driver);
    } else if (auto it = m_scripts.find(std::type_index(typeid(dialog))); it != m_scripts.end()) {
        ++m_runs[it->first];
        auto script = it->second;  // a copy: the script may replace itself
        script(driver, dialog);
    } else {
        ADD_FAILURE() << "unexpected modal dialog \"" << CaptionOf(dialog) << "\" (" << typeid(dialog).name() << ")";
        dialog.EndDialog(IDCANCEL);
        return;
    }
    if (IsWindow(dialog.GetSafeHwnd()) && IsWindowVisible(dialog.GetSafeHwnd())) {
        ADD_FAILURE() << "the script left dialog \"" << CaptionOf(dialog) << "\" open";
        dialog.EndDialog(IDCANCEL);
    }
}

int Harness::OnPrompt(const PromptRequest& request) {
    std::lock_guard lock(m_mutex);
    ShownBox box{request.text, request.caption, request.type, 0};
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected message box: \"" << request.text << "\"";
        box.answer = DefaultAnswer(request.type);
    } else {
        box.answer = m_answers.front();
        m_answers.erase(m_answers.begin());
    }
    m_shown.push_back(box);
    return box.answer;
}

void Harness::ScriptMessageBoxes(std::vector<int> answers) {
    std::lock_guard lock(m_mutex);
    m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

std::vector<ShownBox> Harness::ShownMessageBoxes() const {
    std::lock_guard lock(m_mutex);
    return m_shown;
}

std::vector<std::string> Harness::CapturedDebugLines() const { return win::CapturedDebugLines(); }

}  // namespace ui::test
