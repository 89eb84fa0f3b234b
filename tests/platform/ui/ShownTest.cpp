// What a user sees of a template's controls: whole texts set at run time, list headers drawn
// as their list, check boxes with their text at the left, pictures and the window icon.
#include <gtest/gtest.h>

#include <QIcon>
#include <QWidget>

#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int {
    IDD_TEXTS = 9301,
    IDD_LOOKS = 9302,
    IDC_COUNTER = 1301,
    IDC_AGE = 1302,
    IDC_UNIT = 1303,
    IDC_PLAIN = 1304,
    IDC_FIELD = 1305,
    IDC_DESCR = 1306,
    IDC_WIDTH = 1307,
    IDC_LIST = 1310,
    IDC_LEFT_TEXT = 1311,
    IDC_RIGHT_TEXT = 1312,
    IDC_ICON = 1313,
    IDC_BITMAP = 1314,
    IDI_LAMP = 9701,
    IDB_STRIPE = 9702,
};

// The shapes of the views: a counter beside its caption, a value between two words, a text of
// its own line, a read-only field of a label-and-field form, a tall description.
// clang-format off
UI_DIALOG_TEMPLATE(IDD_TEXTS, "Texts", DS_MODALFRAME | WS_CAPTION,
    Column({
        Frame(IDC_WIDTH).Size(420, 2),
        Row({Label(IDC_STATIC, "Entries:"), Label(IDC_COUNTER, "0"), Stretch(), Button(IDCANCEL, "&Close")}),
        Row({Label(IDC_STATIC, "Age Time"), Label(IDC_AGE, ""), Label(IDC_UNIT, "Seconds"), Stretch()}),
        Label(IDC_PLAIN, "Short"),
        Grid(2, {Label(IDC_STATIC, "Engine ID:"), Edit(IDC_FIELD, ES_READONLY | ES_AUTOHSCROLL).Width(60)}),
        Group(IDC_STATIC, "Description", {Label(IDC_DESCR, "").Size(200, 90)}),
    }))
// clang-format on

// A lamp: green on a dark case, a light corner to tell the orientation.
ui::res::Picture Lamp() {
    ui::res::Picture p = ui::res::Solid(16, 16, RGB(20, 30, 40));
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x) p.pixels[static_cast<std::size_t>(y * 16 + x)] = 0xFF30C040u;
    p.pixels[0] = 0xFFFFFFFFu;
    return p;
}
UI_ICON_RESOURCE(IDI_LAMP, Lamp())
UI_BITMAP_RESOURCE(IDB_STRIPE, ui::res::Solid(24, 6, RGB(200, 40, 10)))

// clang-format off
UI_DIALOG_TEMPLATE(IDD_LOOKS, "Looks", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({
        List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(300, 120),
        Check(IDC_LEFT_TEXT, "Enable Jumbo Frame").With(BS_LEFTTEXT),
        Check(IDC_RIGHT_TEXT, "Enable Jumbo Frame"),
        Row({Picture(IDC_ICON, IDI_LAMP), Picture(IDC_BITMAP, IDB_STRIPE, SS_BITMAP), Stretch()}),
        Row({Stretch(), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

class CLooksDlg : public CDialog {
public:
    CLooksDlg() : CDialog(IDD_LOOKS) {}
    CListCtrl m_list;
    int m_columnClicks = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_LIST, m_list); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_list.InsertColumn(0, "Port", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, "Description", LVCFMT_CENTER, 200);
        m_list.InsertItem(0, "1");
        return TRUE;
    }
    void OnColumnClick(NMHDR*, LRESULT*) { ++m_columnClicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLooksDlg, CDialog)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST, OnColumnClick)
END_MESSAGE_MAP()

QImage Grab(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(ShownTexts, TextsSetAtRunTimeShowWholeWithinTheirRoom) {
    Harness ui;
    CDialog dlg(IDD_TEXTS);
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const CRect unitBefore = d.GetRect(IDC_UNIT), ageBefore = d.GetRect(IDC_AGE);
        const std::string description =
            "Managed 52-port Gigabit PoE switch with four combo uplink ports, hardware C1, firmware 4.0X.XXX, "
            "boot loader 1.02, built for the rack and the wiring closet";
        struct Case {
            const char* kind;
            int id;
            std::string text;
        } cases[] = {
            {"counter", IDC_COUNTER, "29"},
            {"counter between words", IDC_AGE, "300"},
            {"plain", IDC_PLAIN, "A plain text set at run time, far longer than the one it started with"},
            {"read-only edit", IDC_FIELD, "4B52562D353630302D3230000102030405"},
            {"multi-line", IDC_DESCR, description},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.kind);
            d.Window().SetDlgItemText(c.id, c.text);
            const ui::test::ShownText shown = d.Shown(c.id);
            EXPECT_EQ(shown.text, c.text);
            EXPECT_TRUE(shown.Whole()) << shown.textWidth << " wide in " << shown.shownWidth << ", "
                                       << shown.linesNeeded << " lines in " << shown.linesShown;
            CRect client;
            d.Window().GetClientRect(&client);
            EXPECT_LE(d.GetRect(c.id).right, client.right);
        }
        EXPECT_TRUE(d.Shown(IDC_DESCR).wraps);
        EXPECT_GT(d.Shown(IDC_DESCR).linesNeeded, 1);
        // The word after the value moves along and still reads whole.
        const CRect age = d.GetRect(IDC_AGE), unit = d.GetRect(IDC_UNIT);
        EXPECT_GE(unit.left, age.right);
        EXPECT_EQ(unit.left - unitBefore.left, age.Width() - ageBefore.Width()) << "moved by what the value grew";
        EXPECT_TRUE(d.Shown(IDC_UNIT).Whole());

        // A text longer than the row's room takes the room and stops at the next control.
        d.Window().SetDlgItemText(IDC_COUNTER, std::string(120, '8'));
        EXPECT_FALSE(d.Shown(IDC_COUNTER).Whole());
        EXPECT_LE(d.GetRect(IDC_COUNTER).right, d.GetRect(IDCANCEL).left);
        // A shorter text gives the room back; the pushed word returns to its place.
        d.Window().SetDlgItemText(IDC_AGE, "");
        EXPECT_EQ(d.GetRect(IDC_UNIT), unitBefore);
        d.Click(IDCANCEL);
    });
}

TEST(ShownTexts, AControlThatTheProgramPlacesGrowsFromItsNewPlace) {
    Harness ui;
    CDialog dlg(IDD_TEXTS);
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CRect counter = d.GetRect(IDC_COUNTER);
        d.Window().GetDlgItem(IDC_COUNTER)->MoveWindow(counter.left + 10, counter.top, 4, counter.Height());
        d.Window().SetDlgItemText(IDC_COUNTER, "5000");
        EXPECT_TRUE(d.Shown(IDC_COUNTER).Whole());
        EXPECT_EQ(d.GetRect(IDC_COUNTER).left, counter.left + 10);
        d.Click(IDCANCEL);
    });
}

TEST(ShownLooks, AHeaderDisabledByItselfIsDrawnAsItsEnabledList) {
    Harness ui;
    CLooksDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CHeaderCtrl* header = dlg.m_list.GetHeaderCtrl();
        ASSERT_NE(header, nullptr);
        dlg.m_list.FlushView();
        QWidget* headerWidget = ui::WidgetOf(header->GetSafeHwnd());
        const QImage enabled = Grab(headerWidget);
        header->EnableWindow(FALSE);
        EXPECT_EQ(Grab(headerWidget), enabled);
        d.ClickListHeader(IDC_LIST, 1);
        EXPECT_EQ(dlg.m_columnClicks, 0) << "a disabled header takes no clicks";
        // A disabled list shows a disabled header.
        dlg.m_list.EnableWindow(FALSE);
        EXPECT_NE(Grab(headerWidget), enabled);
        d.Click(IDCANCEL);
    });
}

TEST(ShownLooks, ALeftTextCheckBoxHasItsBoxRightOfItsText) {
    Harness ui;
    CLooksDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        // Where a box's light inside is: the columns of the brightest pixels.
        auto boxColumns = [&](int id) {
            const QImage image = Grab(ui::WidgetOf(::GetDlgItem(d.Handle(), id)));
            int first = image.width(), last = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qGray(image.pixel(x, y)) >= 250) first = std::min(first, x), last = std::max(last, x);
            return std::pair{first, last};
        };
        const CRect left = d.GetRect(IDC_LEFT_TEXT);
        const auto [leftFirst, leftLast] = boxColumns(IDC_LEFT_TEXT);
        const auto [rightFirst, rightLast] = boxColumns(IDC_RIGHT_TEXT);
        ASSERT_GE(leftLast, 0);
        ASSERT_GE(rightLast, 0);
        EXPECT_LT(rightLast, 30) << "the plain check box has its box at the left";
        EXPECT_GT(leftFirst, left.Width() - 30) << "the left-text check box has its box at the right";
        d.Check(IDC_LEFT_TEXT);
        EXPECT_TRUE(d.IsChecked(IDC_LEFT_TEXT));
        // The style can be changed at run time, as the platform's.
        d.Window().GetDlgItem(IDC_RIGHT_TEXT)->ModifyStyle(0, BS_LEFTTEXT);
        EXPECT_GT(boxColumns(IDC_RIGHT_TEXT).first, d.GetRect(IDC_RIGHT_TEXT).Width() - 30);
        d.Click(IDCANCEL);
    });
}

TEST(ShownLooks, PicturesAndTheWindowIconShowTheirResources) {
    Harness ui;
    CLooksDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRect(IDC_ICON).Width(), 16);
        EXPECT_EQ(d.ControlPixelAt(IDC_ICON, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(d.ControlPixelAt(IDC_ICON, 8, 8), RGB(0x30, 0xC0, 0x40));
        EXPECT_EQ(d.ControlPixelAt(IDC_ICON, 14, 14), RGB(20, 30, 40));
        EXPECT_EQ(d.ControlPixelAt(IDC_BITMAP, 20, 3), RGB(200, 40, 10));

        QWidget* window = ui::WidgetOf(d.Handle())->window();
        auto showsLamp = [&] {
            const QImage icon = window->windowIcon().pixmap(16, 16).toImage();
            return !icon.isNull() && (icon.pixel(8, 8) & 0xFFFFFFu) == 0x30C040u &&
                   (icon.pixel(0, 0) & 0xFFFFFFu) == 0xFFFFFFu;
        };
        EXPECT_FALSE(showsLamp());
        EXPECT_EQ(dlg.SetIcon(::LoadIcon(nullptr, IDI_LAMP), TRUE), nullptr);
        EXPECT_TRUE(showsLamp());
        EXPECT_EQ(dlg.GetIcon(TRUE), ::LoadIcon(nullptr, IDI_LAMP));
        d.Click(IDCANCEL);
    });
}

}  // namespace
