#pragma once
// CRowTableDialog: the shape of a dialog that lists a table's rows, creates a row from the
// inputs below the list (Apply), deletes the selected row (Delete) and reads the table again
// (Refresh). While a read runs its buttons are disabled; the read's end gives them back.
// Apply's checks are a table of InputCheck (core/controls/InputCheck.h).
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/controls/FeatureDialog.h"
#include "core/controls/InputCheck.h"
#include "core/controls/ListCtrlEx.h"

class CRowTableDialog : public CFeatureDialog {
protected:
    struct Buttons {
        int list;
        std::vector<int> busy;  // disabled while a read runs
    };
    CRowTableDialog(UINT templateId, Buttons buttons, Look look = {}, CWnd* parent = nullptr);

    // Subclasses the list (grid lines, full-row select) and adds the columns, each (heading,
    // width), aligned by `format` (LVCFMT_LEFT, LVCFMT_CENTER).
    void InitList(std::initializer_list<std::pair<const char*, int>> columns, int format = LVCFMT_LEFT);
    // Disables the buttons and empties the list; the read's end calls EndRead.
    void BeginRead();
    void EndRead();
    void EnableButtons(bool enable);
    void AppendRow(const std::vector<std::string>& cells);

    // The first selected row, or -1.
    int SelectedRow() const;
    std::string Cell(int row, int column) const { return m_list.GetItemText(row, column); }
    int RowCount() const { return m_list.GetItemCount(); }
    // A listed row whose cells in the given columns equal the texts (case-sensitive).
    bool Listed(std::initializer_list<std::pair<int, std::string>> cells) const;

    CListCtrlEx m_list;

private:
    Buttons m_buttons;
};
