#pragma once
// The bitmap store: the program's lamp and LED bitmaps, each loaded once with a memory device
// context ready to copy from, so that painting one is a single block copy.
//
// The store needs no window (nothing sends it a message). Entries are kept in the order they
// were added and found in that order. A copy selects the bitmap, copies and selects the
// previous object back in one step on the user-interface thread, so the painting and the
// polling thread never meet inside an entry's context.
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/Gdi.h"

class CMyBitmapApp {
public:
    CMyBitmapApp();
    ~CMyBitmapApp() { FreeAll(); }
    CMyBitmapApp(const CMyBitmapApp&) = delete;
    CMyBitmapApp& operator=(const CMyBitmapApp&) = delete;

    // Loads the bitmap resource with a memory context compatible with dc; FALSE when the
    // resource or the context cannot be made (the id is then never drawn).
    BOOL AddBitmap(CDC* dc, UINT id);
    // Copies the stored bitmap of that id, its own size, from (sx, sy) to (x, y) of dc;
    // nothing for an id that was never stored.
    void DrawBitmap(CDC* dc, UINT id, int x, int y, int sx, int sy);
    void FreeAll();

private:
    struct Entry {
        CDC memDC;
        CBitmap bitmap;
        BITMAP info{};
        std::optional<UINT> key;  // none until the bitmap and its context are made: never found
    };
    // Appends an empty entry after the last one; null when memory runs out.
    Entry* AppendEntry();
    std::vector<std::unique_ptr<Entry>> m_entries;
};

// The process-wide store; the main window sets it.
extern CMyBitmapApp* g_pBitmapApp;

// Registers the program's panel bitmaps as bitmap resources (once; the store's constructor
// does it): ids 158 to 164, 190 to 192, 221, 32878, 32879 and 32883.
void RegisterPanelBitmaps();
