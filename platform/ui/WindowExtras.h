#pragma once
// Window services the layers above use without reaching the toolkit themselves: text widths
// in a window's font, the size-grip picture, and a picture of a window saved to a file.
// User-interface thread or any thread (each runs its work on the user-interface thread).
#include <string>

#include "platform/ui/Types.h"

namespace ui {

// The width in pixels of text in the window's font; -1 when the handle is dead.
int TextWidth(HWND hwnd, const std::string& text);

// Fills the window with the toolkit's size grip, which lets the user drag the corner it sits
// in, and gives the grip's natural size; (0, 0) when the handle is dead.
CSize ShowSizeGrip(HWND host);

// Saves what the window shows as a PNG file; false when the handle is dead or the file
// cannot be written.
bool SaveWindowPicture(HWND hwnd, const std::string& file);

}  // namespace ui
