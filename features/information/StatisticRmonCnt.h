#pragma once
// "RMON 1 Parameter Information": one chosen etherStats counter for the entries of the
// statistics list, 24 entries a page, refreshed every 2 s.
#include <string>
#include <vector>

#include "features/information/CounterPollDlg.h"

class CStatisticRmon1;

namespace rmon_counter_page {
constexpr int kItemsPerPage = 24;
// The pages `entries` entries fill (0 for none).
int PageCount(int entries);
// How many items of `page` (1-based) have an entry: 24 on a full page, the rest on the last,
// 0 past the entries.
int ItemsOnPage(int page, int entries);
// Items left without an entry when `page` is the last page or beyond (the highest ones);
// 0 on an earlier page.
int BlankedItems(int page, int pageCount, int entries);
// The label of item k (1 to 24): "Item " and at most the first three characters of the
// index of its entry, or "Item " alone when it has none.
std::string ItemLabel(const std::vector<std::string>& indexes, int page, int k);
// The position of the first counter whose name begins with `text`, -1 for none.
int CounterChoice(const std::string& text);
// The counters, in the order of the choice, and their etherStatsTable columns.
struct Counter {
    const char* name;
    int column;
};
extern const Counter kCounters[15];
}  // namespace rmon_counter_page

class CStatisticRmonCnt : public CCounterPollDlg {
public:
    CStatisticRmonCnt(CStatisticRmon1& opener, int pageCount, int page = 1, int choice = 0);

    int Page() const { return m_page; }

protected:
    BOOL OnInitDialog() override;
    void Refresh() override;
    void ShowValue(int position, const std::string& text) override;

private:
    void OnNextGroup();
    void OnPrevGroup();
    void WriteLabels(const std::vector<std::string>& indexes);
    void BlankItems(const std::vector<std::string>& indexes);
    void EnableItems();

    CStatisticRmon1& m_opener;
    const int m_pageCount;
    int m_page;
    int m_choice;

    DECLARE_MESSAGE_MAP()
};
