// The templates of resources/ reach a program that links the library (they register
// themselves; nothing names them).
#include <gtest/gtest.h>

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
