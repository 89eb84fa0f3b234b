// CFeatureDialog: the look a dialog asks for, typed access to its controls with faulty ids
// caught, and its logic's sessions closed only once its window has gone.
#include <gtest/gtest.h>

#include "core/ModuleStartupParams.h"
#include "core/controls/FeatureDialog.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

namespace ids {
constexpr UINT IDD = 9102;
constexpr ui::ControlId<CComboBox> IDC_CHOICE{1201};
constexpr ui::ControlId<CEdit> IDC_TEXT{1202};
}  // namespace ids

// clang-format off
UI_DIALOG_TEMPLATE(ids::IDD, "Feature", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({Combo(ids::IDC_CHOICE), Edit(ids::IDC_TEXT), Row({Stretch(), Button(IDCANCEL, "Close")})}))
// clang-format on

class CProbeDlg : public CFeatureDialog {
public:
    explicit CProbeDlg(Look look = {}) : CFeatureDialog(ids::IDD, look) {}
    using CFeatureDialog::Item;

    int m_closeCalls = 0;
    bool m_windowGoneAtClose = false;

protected:
    void CloseSessions() override {
        ++m_closeCalls;
        m_windowGoneAtClose = GetSafeHwnd() == nullptr;
    }
};

class FeatureDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleStartupParams::DeviceIP = "10.1.2.3";
        CFeatureDialog::ClearControlFaults();
    }
    void TearDown() override {
        ModuleStartupParams::ResetToDefaults();
        CFeatureDialog::ClearControlFaults();
    }
    Harness ui;
};

TEST_F(FeatureDialogTest, ShowsTheLookItAsksFor) {
    struct Case {
        FeatureDialogLook look;
        bool topmost;
        std::string title;
    } const cases[] = {
        {{}, false, "Feature"},
        {{.topmost = true}, true, "Feature"},
        {{.titlePrefix = "IP Table : "}, false, "IP Table : 10.1.2.3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        CProbeDlg dlg(c.look);
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_EQ((dlg.GetExStyle() & WS_EX_TOPMOST) != 0, c.topmost);
            EXPECT_EQ(dlg.GetWindowText(), c.title);
            EXPECT_NE(dlg.GetIcon(TRUE), nullptr);
            EXPECT_EQ(dlg.GetIcon(TRUE), ::LoadIcon(nullptr, 447));
            d.Close();
        });
    }
}

TEST_F(FeatureDialogTest, ReachesControlsByTypedIdAndReportsFaultyOnes) {
    CProbeDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        dlg.Item(ids::IDC_CHOICE).AddString("one");
        EXPECT_EQ(d.GetItems(ids::IDC_CHOICE), std::vector<std::string>{"one"});
        EXPECT_TRUE(CFeatureDialog::ControlFaults().empty());

        // The combo's id taken for an edit, and an id the template lacks: nothing happens to
        // the user, and each is kept as a fault with the ids.
        dlg.Item(ui::ControlId<CEdit>{ids::IDC_CHOICE}).SetWindowText("typed");
        dlg.Item(ui::ControlId<CComboBox>{1299}).AddString("lost");
        EXPECT_EQ(d.GetItems(ids::IDC_CHOICE), std::vector<std::string>{"one"});
        const auto faults = CFeatureDialog::ControlFaults();
        ASSERT_EQ(faults.size(), 2u);
        EXPECT_EQ(faults[0].rfind("9102/1201: no control of kind", 0), 0u) << faults[0];
        EXPECT_EQ(faults[1].rfind("9102/1299: no control of kind", 0), 0u) << faults[1];
        d.Close();
    });
}

TEST_F(FeatureDialogTest, ClosesSessionsOnceTheWindowHasGone) {
    CProbeDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(dlg.m_closeCalls, 0);
        d.Close();
    });
    EXPECT_EQ(dlg.m_closeCalls, 1);
    EXPECT_TRUE(dlg.m_windowGoneAtClose);
}

}  // namespace
