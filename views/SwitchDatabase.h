#pragma once
// "Forwarding Table": the Q-BRIDGE forwarding database in pages of 100 rows, and the
// bridge's aging time (Public MIB 32810). Every row of the walk is kept, so paging needs
// no new request; the list holds one page at most.
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "core/SnmpRead.h"
#include "platform/ui/Controls.h"

struct FWD_TABLE {
    int nID = 0;  // position in the store + 1
    std::string strMac;
    std::string strStatus;
    std::string strPort;
};

class CSwitchDatabase : public CFeatureDialog {
public:
    enum Direction { Back, Next };
    static constexpr int kPageRows = 100;

    CSwitchDatabase();

    void StartWalk();
    void ReadAgingTime();
    void ShowPage(Direction direction);
    void FillRows(int from, int to);
    // ".fdb.b1.b2.b3.b4.b5.b6" to "B1-B2-B3-B4-B5-B6".
    static std::string IndexToMac(const std::string& suffix);
    // dot1qTpFdbStatus by name ("Learn", "Static", ...); other texts unchanged.
    static std::string StatusText(const std::string& value);

    std::size_t StoredRows() const { return m_store.size(); }
    bool Walking() const { return m_cCommonSNMP.Running(); }

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnRefresh();
    void OnNext() { ShowPage(Next); }
    void OnBack() { ShowPage(Back); }
    void OnCloseButton() { EndDialog(IDCANCEL); }
    // The walk's per-row step: stores the row, shows it while page 1 has room, and enables
    // Next and Refresh once a row beyond the page shown exists.
    void WalkCallback(const SnmpRow& row);
    void AppendToList(const FWD_TABLE& entry);
    int FirstShownId() const;
    void Enable(ui::ControlId<CButton> id, bool enable);

    CListCtrlEx m_list;
    std::vector<FWD_TABLE> m_store;  // touched on the user-interface thread only
    CCommonSNMP m_cCommonSNMPGetTime;
    CSnmpRead m_cCommonSNMP;  // the walk; last, so it closes before the store goes

    DECLARE_MESSAGE_MAP()
};
