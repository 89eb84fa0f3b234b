#pragma once
// The table dialog of direct SNMP access: a report list filled by one read of its columns,
// a Refresh button (241 unless the view names another) and Close (2). Version 1 walks one row per asynchronous request
// on the member session; version 3 reads the whole table synchronously under the wait cursor; any other version reads
// nothing. A dialog that builds its session for each read takes the start-up values at each read, serves version 1 only
// and may keep an entry counter. Each dialog gives its template, list and columns as data and turns a row into its
// cells in FormatRow.
#include <functional>
#include <memory>
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

    // The callback of the version-1 walk.
    static int OnWalkRowV1(CSnmp* response, int requestId, void* dialog, int status);

protected:
    // `scalars` are the dialog's scalar fields (CDirectSnmpDlg), for a view that reads
    // values beside its table.
    explicit CDirectTableDlg(View view, std::vector<ScalarField> scalars = {}, std::size_t minScalars = 0);

    // The cells of one row, column 0 first. Runs on the library's callback thread during a
    // version-1 walk.
    virtual std::vector<std::string> FormatRow(const DirectRow& row) const = 0;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // The view's Refresh button, when no map entry of the dialog took the command.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnRefresh();

    void ReadTableDirect();
    void StartWalkV1();
    void ReadTableV3();
    void AddListRow(int row, int col, const std::string& text);
    // Called once a read of the table has ended with the dialog open: on the library's
    // callback thread after a version-1 walk (the walk's request id still set), on the
    // user-interface thread after a version-3 read (synchronous). A dialog that reads on
    // from here starts a further tracked request (StartAsync, track) and returns true; it
    // ends that read with EndWalk.
    virtual bool OnTableRead(bool synchronous) { return false; }
    // The list has just been emptied for a new read (user-interface thread).
    virtual void OnListCleared() {}
    // A row has just been listed; on the library's callback thread during a version-1 walk.
    virtual void OnRowListed(const DirectRow& row) {}
    // Whether a version-1 walk answer belongs to the walk under way (TakeAnswer: any other
    // answer ends the walk). A dialog that restarts its walk while an answer is out drops
    // that answer here instead, so the new walk goes on.
    virtual bool TakeWalkAnswer(int requestId) { return TakeAnswer(requestId); }
    // Version 3: walks the columns synchronously, handing each whole row to fn until it
    // gives false, the table ends, or the dialog closes.
    void WalkV3(const std::vector<std::string>& columns, const std::function<bool(const DirectRow&)>& fn);

    CListCtrlEx m_list;

private:
    // Adds the row a response carries; false when it is not a whole row (the read ends).
    bool AddResponseRow(const CSnmp& response);
    void AddRow(const DirectRow& row);
    // Requests the walk's next row on the session of the read; false when it did not start.
    bool ArmNextRow();
    CSnmpV1& WalkSession();

    const View m_view;
    std::unique_ptr<CSnmpV1> m_readSession;  // the session of the last read (sessionPerRead)
    bool m_readingV3 = false;                // a Refresh pressed during the synchronous read does nothing

    DECLARE_MESSAGE_MAP()
};
