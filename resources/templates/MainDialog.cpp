// The main dialog (dialog 102, menu 131 in menus/MainMenu.cpp) and the program icon 447.
// The panel description sizes the window once it is loaded; until then (and after a
// profile error) the window shows this empty client area of 300 by 89 dialog units.
#include <cstdint>
#include <vector>

#include "platform/ui/Gdi.h"
#include "platform/ui/Template.h"

namespace {

// A small switch front: a dark case with two rows of light ports and a green lamp.
ui::res::Picture ProgramIcon() {
    constexpr int kSize = 32;
    ui::res::Picture picture{kSize, kSize, std::vector<std::uint32_t>(kSize * kSize, 0x00000000u), {}, 0, 0};
    for (int y = 8; y < 24; ++y)
        for (int x = 1; x < 31; ++x) picture.pixels[static_cast<std::size_t>(y * kSize + x)] = 0xFF2B3A4Au;
    for (int row = 0; row < 2; ++row)
        for (int port = 0; port < 6; ++port)
            for (int y = 11 + row * 6; y < 15 + row * 6; ++y)
                for (int x = 9 + port * 4; x < 12 + port * 4; ++x)
                    picture.pixels[static_cast<std::size_t>(y * kSize + x)] = 0xFFD8DEE4u;
    for (int y = 11; y < 14; ++y)
        for (int x = 3; x < 6; ++x) picture.pixels[static_cast<std::size_t>(y * kSize + x)] = 0xFF30C040u;
    return picture;
}

}  // namespace

UI_ICON_RESOURCE(447, ProgramIcon())

// clang-format off
UI_DIALOG_TEMPLATE(102, "DerariModule", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
    Column({Stretch().Size(450, 145)}))
// clang-format on
