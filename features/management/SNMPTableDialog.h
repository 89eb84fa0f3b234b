#pragma once
// The shape the SNMP agent's table dialogs share (communities, users, groups, views, hosts):
// a CRowTableDialog over its own CSNMPConfig. Refresh starts the dialog's read; the row
// reports go to OnRow, the end report gives the buttons back. A row is created through its
// status column (5, the table's write, 1) and deleted (6), each followed by a new read.
// Closing writes "==================DestroyWindow===============", lets the window go, and
// then closes the sessions, so a late report finds no window.
#include <functional>
#include <string>

#include "core/controls/RowTableDialog.h"
#include "features/management/SNMPConfig.h"

// The text without blanks at either end.
std::string TrimBlanks(const std::string& text);

class CSNMPTableDialog : public CRowTableDialog {
protected:
    CSNMPTableDialog(UINT templateId, Buttons buttons, CWnd* parent);

    // The base's initialisation, then the owner window of the reports.
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void CloseSessions() override { m_config.Close(); }

    void Refresh();
    // Starts the dialog's table read.
    virtual void StartRead() = 0;
    // One row report (any code but the end's).
    virtual void OnRow(WPARAM code, LPARAM record) = 0;

    // Status 5 at statusCell, the write, status 1; the dialog then clears its inputs and reads.
    void CreateRow(const std::string& statusCell, const std::function<void()>& write);
    // Deletes the first selected row: status 6 at the status cell its listed texts give,
    // then a read; with none selected, the message and nothing sent.
    void DeleteSelected(const std::string& noSelection, const std::function<std::string(int row)>& statusCell);
    // The buttons every table dialog has.
    void OnRefresh() { Refresh(); }
    void OnCloseButton() { EndDialog(IDCANCEL); }
    // The chosen entry of a drop-down list; "" with none.
    std::string ComboText(ui::ControlId<CComboBox> id);

    bool Closing() const { return m_bClosing; }

    CSNMPConfig m_config;

private:
    LRESULT OnReport(WPARAM code, LPARAM record);
    bool m_bClosing = false;

    DECLARE_MESSAGE_MAP()
};
