#pragma once
// The shape of the RMON table dialogs (statistics, history control, alarms, events): a report
// list of the table's valid entries with a "Delete" button in its last column, inputs that
// create an entry, Refresh and Close. Each dialog gives its columns, its inputs, its read, its
// rows and its delete; the pattern does the rest:
// - RefreshTable: inputs disabled, the read started; its end (WM_RMON_READ_END) fills the list
//   (FillList), which gives the inputs back. The list itself stays enabled.
// - A "Delete" click deletes the entry without a question and reads again; a click while a
//   read or write runs (the inputs disabled) is ignored, so a running walk is never emptied
//   under it.
// - AdjustColumns: a column with a fixed width keeps it; one with a fitting text is that text's
//   width plus its pad (and its extra); the others share what is left of the list's width
//   less 20, in quarters.
// The dialogs are not topmost; they close their walks when the window goes.
#include <string>
#include <vector>

#include "core/controls/FeatureDialog.h"
#include "core/controls/ReportCtrl.h"
#include "features/management/RMON.h"

struct RmonColumn {
    const char* heading;
    const char* fitText = nullptr;  // null: the column shares the rest (or has its width)
    int pad = 0;
    int extra = 0;  // added to a fitted column without narrowing the shared ones
    int width = 0;  // a fixed width in pixels
};

struct RmonTableLayout {
    const char* title;
    int list;
    int ownerEdit;                    // at most 32 characters
    std::vector<RmonColumn> columns;  // the last one holds the buttons
    std::vector<int> inputs;          // edits, combo boxes and buttons disabled while busy
};

// The buttons every RMON table dialog has at the same ids.
constexpr int kRmonApply = 1149;
constexpr int kRmonClose = 1001;

class CRmonTableDialog : public CFeatureDialog {
protected:
    CRmonTableDialog(UINT templateId, RmonTableLayout layout, CWnd* parent);

    BOOL OnInitDialog() override;
    void CloseSessions() override { m_rmon.Close(); }

    void RefreshTable();
    void OnRefresh() { RefreshTable(); }
    void FillList();
    void EnableInputs(bool enable);
    void AdjustColumns();
    // Appends a listed row: its cells and the "Delete" button.
    void AddListedRow(const std::vector<std::string>& cells);
    // The number an edit holds (0 for a text that is not one).
    int Number(int id);

    // The dialog's part.
    virtual void StartRead() = 0;
    // A read of the dialog's has ended (WM_RMON_READ_END); by default the list is filled.
    virtual void OnTableRead(WPARAM code) { FillList(); }
    // The alarms' rising event indexes were read (WM_RMON_EVENT_INDEXES).
    virtual void OnEventIndexesRead() {}
    // Whether the listed entry may go; a refusal shows its own message.
    virtual bool MayDelete(const std::string& indexText) { return true; }
    virtual void ListRows() = 0;  // AddListedRow for each valid entry, and the caches
    virtual void DeleteEntry(int index) = 0;
    virtual void ResetInputs() {}

    CReportCtrl m_list;
    CRMON m_rmon;

private:
    LRESULT OnReadEnd(WPARAM code, LPARAM);
    LRESULT OnEventIndexes(WPARAM, LPARAM);
    LRESULT OnCellButton(WPARAM row, LPARAM column);
    void DeleteRow(int row);
    void OnSize(UINT type, int cx, int cy) override;
    void OnCloseButton() { SendMessage(WM_CLOSE); }

    RmonTableLayout m_layout;
    bool m_bBusy = false;  // from EnableInputs(false) until the inputs are given back

    DECLARE_MESSAGE_MAP()
};
