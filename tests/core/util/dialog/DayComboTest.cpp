// The day list of a date picker, refilled from the year and month fields of a real dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Utils.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int { IDD_DATE = 9601, IDC_YEAR = 1601, IDC_MONTH = 1602, IDC_DAY = 1603, IDC_FILL = 1604 };

// clang-format off
UI_DIALOG_TEMPLATE(IDD_DATE, "Date", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({
        Row({Edit(IDC_YEAR), Edit(IDC_MONTH), Combo(IDC_DAY)}),
        Row({Stretch(), Button(IDC_FILL, "Fill"), Button(IDCANCEL, "Close")}),
    }))
// clang-format on

class CDateDlg : public CDialog {
public:
    CDateDlg() : CDialog(IDD_DATE) {}

protected:
    void OnFill() {
        CUtils::FillDayCombo(GetDlgItem(IDC_YEAR), GetDlgItem(IDC_MONTH), static_cast<CComboBox*>(GetDlgItem(IDC_DAY)));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDateDlg, CDialog)
    ON_BN_CLICKED(IDC_FILL, OnFill)
END_MESSAGE_MAP()

std::vector<std::string> Days(int count) {
    std::vector<std::string> days;
    for (int d = 1; d <= count; ++d) days.push_back(std::to_string(d));
    return days;
}

}  // namespace

TEST(DayCombo, RefillsFromYearAndMonthAndSelectsTheFirstDay) {
    struct Case {
        const char* year;
        const char* month;
        int days;
    } cases[] = {
        {"2024", "2", 29},  {"2023", "2", 28}, {"1900", "2", 28}, {"2024", "4", 30},
        {"2024", "12", 31}, {"2024", "13", 0}, {"2024", "02", 0},
    };
    Harness ui;
    CDateDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.year) + "/" + c.month);
            d.TypeText(IDC_YEAR, c.year);
            d.TypeText(IDC_MONTH, c.month);
            d.Click(IDC_FILL);
            EXPECT_EQ(d.GetItems(IDC_DAY), Days(c.days));
            EXPECT_EQ(d.GetSelection(IDC_DAY), c.days ? 0 : -1);
        }
        d.Click(IDCANCEL);
    });
}
