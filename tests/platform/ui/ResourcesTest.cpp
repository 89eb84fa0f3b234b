// The templates of resources/ reach a program that links the library (they register
// themselves; nothing names them).
#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "platform/ui/Dialog.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

TEST(Resources, TheAboutTemplateIsLinkedAndBuildsItsControls) {
    ASSERT_NE(ui::tpl::FindTemplate(100), nullptr);
    ui::test::Harness ui;
    CDialog about(100);
    const INT_PTR result = ui.RunModal(about, [](ui::test::DialogDriver& d) {
        EXPECT_TRUE(d.Exists(1049));
        EXPECT_EQ(d.GetText(1049), "");
        EXPECT_EQ(d.Window().GetWindowText(), "About");
        d.PressEnter();  // OK is the default button
    });
    EXPECT_EQ(result, IDOK);
}

// The views' templates show the longest values they are given whole: counters beside their
// caption, the age between its words, the system description, the engine id.
TEST(Resources, TheViewsTemplatesShowTheirLongestValuesWhole) {
    const std::string description =
        "DUZ-3300-52ZA1 52-Port Gigabit Ethernet Managed PoE+ Switch with 48 PoE ports and four combo SFP uplinks, "
        "Hardware Version C1, Firmware Version 4.05.012, Boot Loader 1.02.003, Serial Number QX3300520012345, "
        "built 2026-12-10 16:00:00 UTC";
    const struct Case {
        UINT dialog;
        int id;
        std::string text;
    } cases[] = {
        {49, 1095, "29"},                                         // Interface Table: Entries
        {208, 209, "10"},                                         // IP Table: Entries
        {278, 1216, "1000000"},                                   // Forwarding Table: Age Time
        {80, 1302, description},                                  // System Information: description
        {80, 1303, "1.3.6.1.4.1.32473.10.76.21.281.4294967295"},  // object id
        {80, 1304, "11930 Hour 27 Min"},                          // runtime
        {471, 249, "4B52562D353630302D3230000102030405"},         // a model's default engine id
        {471, 250, "2147483647"},
        {100, 1049, "VAD-3300-08P B1 Management Module"},  // About: the longest model line
    };
    ui::test::Harness ui;
    for (const Case& c : cases) {
        SCOPED_TRACE("dialog " + std::to_string(c.dialog) + " control " + std::to_string(c.id));
        CDialog dlg(c.dialog);
        ui.RunModal(dlg, [&](ui::test::DialogDriver& d) {
            const CRect before = d.GetRect(c.id);
            d.Window().SetDlgItemText(c.id, c.text);
            const ui::test::ShownText shown = d.Shown(c.id);
            EXPECT_TRUE(shown.Whole()) << shown.textWidth << " wide in " << shown.shownWidth << ", "
                                       << shown.linesNeeded << " lines in " << shown.linesShown;
            // Nothing it grew over: the controls that were right of it still are.
            const CRect now = d.GetRect(c.id);
            for (QWidget* other : ui::WidgetOf(d.Handle())->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect r = other->geometry();
                const bool sameLine = r.top() < now.bottom && r.bottom() >= now.top;
                if (other->isVisible() && other != ui::WidgetOf(::GetDlgItem(d.Handle(), c.id)) && sameLine &&
                    r.left() >= before.right) {
                    EXPECT_GE(r.left(), now.right) << other->metaObject()->className();
                }
            }
            dlg.EndDialog(IDCANCEL);
        });
    }
}

// The About box shows the program icon beside its texts.
TEST(Resources, TheAboutBoxShowsTheProgramIcon) {
    ui::test::Harness ui;
    CDialog about(100);
    ui.RunModal(about, [](ui::test::DialogDriver& d) {
        // The icon: a dark case with a green lamp near its left edge (resources/templates/MainDialog.cpp).
        int pictures = 0;
        for (QLabel* label : ui::WidgetOf(d.Handle())->findChildren<QLabel*>()) {
            if (label->pixmap().isNull()) continue;
            ++pictures;
            const QImage shown = label->grab().toImage();
            EXPECT_EQ(label->size(), QSize(32, 32));
            EXPECT_EQ(shown.pixel(4, 12) & 0xFFFFFFu, 0x30C040u);
            EXPECT_EQ(shown.pixel(20, 20) & 0xFFFFFFu, 0x2B3A4Au);
        }
        EXPECT_EQ(pictures, 1);
        d.PressEnter();
    });
}
