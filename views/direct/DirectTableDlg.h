#pragma once
// The table dialog of direct SNMP access: a report list filled by one read of its columns,
// a Refresh button (241 unless the view names another) and Close (2). Version 1 walks the columns one row per request
// (CSnmpRead, rows listed on the user-interface thread) with the values the dialog's first read took; version 3 reads
// the whole table synchronously under the wait cursor; any other version reads nothing. A dialog that builds its
// session for each read takes the start-up values at each read, serves version 1 only and may keep an entry counter.
// Each dialog gives its template, list and columns as data and turns a row into its cells in FormatRow.
#include <functional>
#include <string>
#include <vector>

#include "core/controls/ListCtrlEx.h"
#include "views/direct/DirectSnmpDlg.h"

class CDirectTableDlg : public CDirectSnmpDlg {
public:
    struct View {
        UINT templateId;
        int listId;
        std::vector<std::string> headers;  // their blanks set the column widths
        std::vector<std::string> columns;  // column OIDs read, in this order
        bool sessionPerRead = false;
        int counterId = 0;    // the entry counter's control, 0 for none
        int refreshId = 241;  // the Refresh button, unless the dialog's own map handles it
    };

    // The table read (its walk and what the dialog reads after it) is under way, or a
    // scalar read.
    bool Reading() const override;

protected:
    // `scalars` are the dialog's scalar fields (CDirectSnmpDlg), for a view that reads
    // values beside its table.
    explicit CDirectTableDlg(View view, std::vector<ScalarField> scalars = {}, std::size_t minScalars = 0);

    // The cells of one row, column 0 first.
    virtual std::vector<std::string> FormatRow(const DirectRow& row) const = 0;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // The view's Refresh button, when no map entry of the dialog took the command.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnRefresh();
    void CloseSessions() override;

    // Reads the table by the dialog's version; nothing while a table read is under way.
    void ReadTableDirect();
    void StartWalkV1();
    // Withdraws the table read under way (its answers still out are dropped) and starts a
    // new version-1 walk.
    void RestartWalkV1();
    void ReadTableV3();
    void AddListRow(int row, int col, const std::string& text);
    // The step of the version-1 walk: lists the row the walk delivers, or, given none, ends
    // the table read (the walk has ended, whichever way). False ends the walk: the row is not
    // one whole row of the columns, so the table ends before it.
    bool OnWalkRowV1(const SnmpRow* row);
    // Called once a read of the table has ended with the dialog open: after a version-1 walk
    // (the table read still under way), or after a version-3 read. A dialog that reads on
    // from here starts m_afterWalk and returns true; its end handler calls EndTableRead.
    virtual bool OnTableRead(bool synchronous) { return false; }
    void EndTableRead() { m_tableReading = false; }
    // The list has just been emptied for a new read.
    virtual void OnListCleared() {}
    // A row has just been listed.
    virtual void OnRowListed(const DirectRow& row) {}
    // Version 3: walks the columns synchronously, handing each whole row to fn until it
    // gives false, the table ends, or the dialog closes.
    void WalkV3(const std::vector<std::string>& columns, const std::function<bool(const DirectRow&)>& fn);

    CSnmpRead m_afterWalk;  // a version-1 read that follows the table's walk (OnTableRead)
    CListCtrlEx m_list;

private:
    // Ends the walk and the read after it at once (their answers are dropped).
    void StopTableRead();
    void AddRow(const DirectRow& row);

    const View m_view;
    CSnmpRead m_walk;
    bool m_tableReading = false;  // from a version-1 walk's start until its read has ended
    bool m_readingV3 = false;     // a Refresh pressed during the synchronous read does nothing

    DECLARE_MESSAGE_MAP()
};
