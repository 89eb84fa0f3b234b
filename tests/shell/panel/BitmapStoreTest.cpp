// The bitmap store: the program's lamp and LED bitmaps loaded once and copied by id.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "platform/ui/App.h"
#include "tests/support/ui/UiHarness.h"
#include "shell/panel/DIBitmap.h"
#include "shell/panel/MyBitmapApp.h"
#include "tests/shell/panel/PanelTestSupport.h"

namespace {

using paneltest::Surface;

constexpr UINT kIds[] = {160, 159, 161, 162, 158, 32883, 163, 164, 190, 191, 192, 221, 32878, 32879};

// The generated file's colour and size, read with our own reader.
struct Look {
    COLORREF colour;
    int width, height;
};
Look FileLook(UINT id) {
    CDIBitmap dib;
    const std::string path = std::string(RESOURCES_DIR) + "/panelgen/bitmaps/" + std::to_string(id) + ".bmp";
    EXPECT_TRUE(dib.LoadFromFile(path.c_str())) << path;
    const std::uint32_t p = dib.GetPixel(0, 0);
    return {RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF), dib.GetWidth(), dib.GetHeight()};
}

}  // namespace

TEST(BitmapStoreTest, CopiesEachStoredBitmapAtItsOwnSize) {
    ui::EnsureApplication();
    Surface screen(200, 40);
    CMyBitmapApp store;
    for (UINT id : kIds) EXPECT_TRUE(store.AddBitmap(screen.dc(), id)) << id;
    EXPECT_FALSE(store.AddBitmap(screen.dc(), 4242));

    int x = 0;
    for (UINT id : kIds) {
        SCOPED_TRACE(id);
        const Look look = FileLook(id);
        store.DrawBitmap(screen.dc(), id, x + 1, 1, 0, 0);
        EXPECT_EQ(screen.At(x + 1, 1), look.colour);
        EXPECT_EQ(screen.At(x + look.width, look.height), look.colour);
        EXPECT_EQ(screen.At(x + look.width + 1, 1), RGB(255, 255, 255)) << "right of the copy";
        EXPECT_EQ(screen.At(x + 1, look.height + 1), RGB(255, 255, 255)) << "below the copy";
        x += 13;
    }
}

TEST(BitmapStoreTest, UnknownIdsDrawNothingAndRepeatsDrawAgain) {
    ui::EnsureApplication();
    Surface screen(40, 20);
    CMyBitmapApp store;
    EXPECT_FALSE(store.AddBitmap(screen.dc(), 4242));  // no such bitmap: its entry is never found
    ASSERT_TRUE(store.AddBitmap(screen.dc(), 190));
    store.DrawBitmap(screen.dc(), 4242, 0, 0, 0, 0);
    store.DrawBitmap(screen.dc(), 191, 0, 0, 0, 0);  // never added
    store.DrawBitmap(nullptr, 190, 0, 0, 0, 0);
    EXPECT_EQ(screen.At(0, 0), RGB(255, 255, 255));
    const COLORREF red = FileLook(190).colour;
    store.DrawBitmap(screen.dc(), 190, 2, 3, 0, 0);
    store.DrawBitmap(screen.dc(), 190, 20, 10, 0, 0);
    EXPECT_EQ(screen.At(2, 3), red);
    EXPECT_EQ(screen.At(20, 10), red);
    EXPECT_EQ(screen.At(10, 5), RGB(255, 255, 255));

    // The polling thread draws too: its copies are carried out on the user-interface thread.
    std::thread poller([&] { store.DrawBitmap(screen.dc(), 190, 30, 0, 0, 0); });
    EXPECT_TRUE(ui::test::WaitUntil([&] { return screen.At(30, 0) == red; }));
    poller.join();
    store.FreeAll();
    store.DrawBitmap(screen.dc(), 190, 10, 10, 0, 0);
    EXPECT_EQ(screen.At(10, 10), RGB(255, 255, 255));
}
