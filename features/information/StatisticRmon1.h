#pragma once
// "RMON 1 Statistic Information": the etherStatsTable entries (index and data source), an
// entry created (Add) or deleted after a question, and the two counter views of the entries.
// Version 1 only; with another version the list stays empty and nothing is written.
//
// The list and the index list hold the table once: Refresh while a walk runs does nothing
// (the walk goes on), while the re-read after Add or Delete withdraws a running walk and
// starts a new one. The counter views read the index list while a walk may still add to it,
// so it is kept behind a lock and handed out as a copy.
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "views/direct/DirectTableDlg.h"

// The etherStatsTable entry: a column is this, its number, "." and the entry's index.
inline const std::string kEtherStatsEntry = "1.3.6.1.2.1.16.1.1.1.";

class CStatisticRmon1 : public CDirectTableDlg {
public:
    CStatisticRmon1();

    // The etherStatsIndex texts of the listed rows, in the walk's order.
    std::vector<std::string> IndexList() const;
    // The device's ifNumber, 0 until it has been read.
    int InterfaceCount() const { return m_interfaceCount.load(); }
    // The table or the interface count is being read.
    bool Reading() const override;

protected:
    BOOL OnInitDialog() override;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
    void OnListCleared() override;
    void OnRowListed(const DirectRow& row) override;
    void CloseSessions() override;

private:
    void OnAdd();
    void OnDelete();
    void OnRefreshList();
    void OnListClick(NMHDR*, LRESULT* result);
    void OnListDoubleClick(NMHDR*, LRESULT* result);
    void OnParameter();
    void OnInterface();
    // Empties the list and reads the table again, withdrawing a walk under way.
    void ReRead();
    void ReadInterfaceCount();
    int SelectedRow() const;

    mutable std::mutex m_indexMutex;
    std::vector<std::string> m_strIndexList;
    std::atomic<int> m_interfaceCount{0};
    CSnmpRead m_interfaceRead;  // the GET of ifNumber
    int m_port = 1;

    DECLARE_MESSAGE_MAP()
};
