#pragma once
// The headless dialog harness: runs the system's dialogs under the offscreen Qt platform and
// acts on them as a user would, by control id.
//
//   ui::test::Harness ui;                                  // one per test
//   ui.ScriptMessageBoxes({IDOK});                         // answers, in order
//   ui.OnModal<CChildDlg>([](ui::test::DialogDriver& d) { d.Click(IDOK); });
//   CMyDlg dlg;
//   ui.RunModal(dlg, [&](ui::test::DialogDriver& d) {
//       d.TypeText(IDC_NAME, "abc");
//       d.Click(IDC_APPLY);
//       EXPECT_EQ(ui.ShownMessageBoxes().back().text, "Done");
//       d.Click(IDCANCEL);
//   });
//
// A message box without a scripted answer, or a modal dialog without a script, fails the
// test with its text (and is answered with its default button, or cancelled).
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Print.h"

class QPoint;
class QTreeView;
class QWidget;

namespace ui::test {

using namespace std::chrono_literals;

struct ShownBox {
    std::string text;
    std::string caption;
    UINT type = 0;
    int answer = 0;
    UINT Buttons() const { return type & MB_TYPEMASK; }
    UINT Icon() const { return type & MB_ICONMASK; }
    int DefaultButton() const { return static_cast<int>((type & MB_DEFMASK) >> 8) + 1; }  // 1-based
};

// Lets events flow (timers, posted messages, workers' blocking calls) until pred holds.
// On time-out the test fails and false is returned.
bool WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = 30s);
// Lets events flow for a while.
void Pump(std::chrono::milliseconds duration);
// Lets events flow for ms of the program's clock (see win::SetClockSpeed): a pause that a
// test of time-driven work (polling periods, timers) runs faster with the clock.
void PumpProgramTime(unsigned ms);
// Handles what is already handed to the user-interface thread (posted messages, timers due,
// workers' blocking calls), without waiting for anything new.
void Flush();

// How much of a text control's text a user sees: the text's width in the control's font and
// the width the control shows text in; for a static that wraps, the height the wrapped text
// needs and the height the control has (in pixels and in lines).
struct ShownText {
    std::string text;
    int textWidth = 0;
    int shownWidth = 0;
    bool wraps = false;
    int linesNeeded = 1;
    int linesShown = 1;
    bool Whole() const { return wraps ? linesNeeded <= linesShown : textWidth <= shownWidth; }
};

// Acts on one window (a dialog) by control id, as a user would. Acting on a control that
// does not exist, is disabled or is hidden fails the test.
class DialogDriver {
public:
    explicit DialogDriver(CWnd& window) : m_window(window) {}
    CWnd& Window() const { return m_window; }
    HWND Handle() const { return m_window.GetSafeHwnd(); }
    bool IsOpen() const;

    // Replaces the field's text by typing it (key by key, as limits and filters see it).
    void TypeText(int id, const std::string& text);
    void ChooseComboItem(int id, const std::string& text);
    void ChooseComboItem(int id, int index);
    void Check(int id, bool checked = true);
    void Click(int id);
    void ClickListRow(int id, int row, int column = 0);
    void DoubleClickListRow(int id, int row, int column = 0);
    void ClickListHeader(int id, int column);
    void CheckListRow(int id, int row, bool checked = true);
    // A click or a pointer move at a point of the window's client area (a drawn panel).
    void ClickAt(int x, int y);
    void MoveMouseTo(int x, int y);
    // Drags the divider at the right of a list column by dx pixels.
    void DragListDivider(int id, int column, int dx);
    // Keys go to the control with the focus.
    void PressEnter();
    void PressEsc();
    void PressKey(int id, int qtKey);
    // The title bar's close button.
    void Close();

    bool Exists(int id) const;
    std::string GetText(int id) const;
    std::vector<std::string> GetItems(int id) const;              // combo box items
    int GetSelection(int id) const;                               // combo box selection, -1 none
    std::vector<std::string> GetColumns(int id) const;            // list headings
    std::vector<std::vector<std::string>> GetRows(int id) const;  // list cells
    std::vector<int> GetSelectedRows(int id) const;
    bool IsEnabled(int id) const;
    bool IsVisible(int id) const;
    bool IsChecked(int id) const;
    CRect GetRect(int id) const;  // in the dialog's client coordinates
    // The text of a static or single-line edit and how much of it shows.
    ShownText Shown(int id) const;
    // A pixel of a control as it is drawn (a grab of the control), at a point of the control.
    COLORREF ControlPixelAt(int id, int x, int y) const;

    // Saves a picture of the window; true when written.
    bool GrabPng(const std::string& path) const;

    // The pixel of the window's backing surface at a client point, after pending painting
    // (what erasing, painting and drawing outside painting put there). Fails the test when
    // the window or the point does not exist.
    COLORREF PixelAt(int x, int y) const;
    // The menu bar (or the window menu) as shown: texts, ids, enabled states.
    std::vector<MenuItemInfo> Menu(bool systemMenu = false) const;
    // Chooses a menu item by its path of texts, as a user would; a missing or disabled item
    // fails the test. The command arrives as a posted message.
    void ChooseMenu(const std::vector<std::string>& path);
    void ChooseSystemMenu(const std::string& text);

private:
    QWidget* Usable(int id) const;  // fails the test when the control cannot be used
    CListCtrl* ListOf(int id) const;
    // The list's view with the centre of a cell, the row scrolled into view; null on failure.
    QTreeView* ListCell(int id, int row, int column, QPoint& center) const;
    CWnd& m_window;
};

class Harness {
public:
    Harness();
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Runs the dialog modally; the script acts on it once it is shown. A dialog the script
    // leaves open fails the test and is cancelled.
    INT_PTR RunModal(CDialog& dialog, std::function<void(DialogDriver&)> script);

    // The script for every modal run of dialogs of class D (replaces an earlier one).
    template <class D>
    void OnModal(std::function<void(DialogDriver&, D&)> script) {
        m_scripts[std::type_index(typeid(D))] = [script](DialogDriver& d, CDialog& dlg) {
            script(d, static_cast<D&>(dlg));
        };
    }
    template <class D>
    void OnModal(std::function<void(DialogDriver&)> script) {
        m_scripts[std::type_index(typeid(D))] = [script](DialogDriver& d, CDialog&) { script(d); };
    }
    template <class D>
    int ModalRuns() const {
        return ModalRunsOf(typeid(D));
    }
    // The same for a class known only at run time (a dialog made from the command table).
    void OnModalOf(const std::type_info& type, std::function<void(DialogDriver&, CDialog&)> script) {
        m_scripts[std::type_index(type)] = std::move(script);
    }
    int ModalRunsOf(const std::type_info& type) const {
        auto it = m_runs.find(std::type_index(type));
        return it == m_runs.end() ? 0 : it->second;
    }

    // Answers for the next message boxes, in order.
    void ScriptMessageBoxes(std::vector<int> answers);
    std::vector<ShownBox> ShownMessageBoxes() const;
    // The debugger lines written since the harness started.
    std::vector<std::string> CapturedDebugLines() const;
    // Answers for the next print dialogs, in order (a PDF file stands for the printer). A print
    // dialog without an answer fails the test and is cancelled.
    void ScriptPrintDialogs(std::vector<PrintChoice> answers);
    int PrintDialogsShown() const;
    // Started programs and received broadcasts: win::ProgramStartRecorder and
    // win::BroadcastRecorder (platform/win) record them.

private:
    void OnDialog(CDialog& dialog);
    int OnPrompt(const PromptRequest& request);

    std::map<std::type_index, std::function<void(DialogDriver&, CDialog&)>> m_scripts;
    std::map<std::type_index, int> m_runs;
    CDialog* m_target = nullptr;
    std::function<void(DialogDriver&)> m_targetScript;
    mutable std::mutex m_mutex;
    std::vector<int> m_answers;
    std::vector<ShownBox> m_shown;
    std::vector<PrintChoice> m_printAnswers;
    int m_printDialogs = 0;
    PrintDialogHandler m_previousPrint;
    PromptHandler m_previousPrompt;
    ModalHook m_previousHook;
};

}  // namespace ui::test
