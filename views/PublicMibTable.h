#pragma once
// The shape the four MIB-II table views share: a list filled by one walk of its columns,
// a Refresh button disabled while the walk runs and, in some, an entry counter. Each view
// gives its differences as a CPublicMibTable::View.
#include <string>
#include <vector>

#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"

class CPublicMibTable : public CFeatureDialog {
public:
    struct Column {
        const char* header;  // its blanks set the column's width
        const char* oid;     // column OID, no instance
    };
    struct View {
        UINT templateId;
        ui::ControlId<CListCtrl> listId;
        ui::ControlId<CButton> refreshId;
        ui::ControlId<CStatic> counterId;  // 0: no entry counter
        bool titleWithAddress;             // "IP Table : " and the device address
        const char* title;                 // null: the template's caption
        bool walkOnShow;                   // first walk once shown, else at the end of OnInitDialog
        std::size_t minVarbinds;           // a shorter answer ends the walk
        std::vector<Column> columns;
    };

    void Refresh();

protected:
    explicit CPublicMibTable(View view);

    // The cell text of column col for a value as received (a variable without a value
    // gives an empty cell without asking).
    virtual std::string FormatCell(int col, const std::string& value) const;

    BOOL OnInitDialog() override;
    void CloseSessions() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(BOOL show, UINT status) override;

    CListCtrlEx m_list;

private:
    void AddRow(const SnmpRow& row);
    void OnWalkEnd();

    View m_view;
    CSnmpRead m_walk;  // last: closes before what its rows fill

    DECLARE_MESSAGE_MAP()
};
