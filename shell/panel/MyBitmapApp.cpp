#include "shell/panel/MyBitmapApp.h"

#include <mutex>
#include <new>

#include "platform/image/BmpReader.h"
#include "shell/panel/PanelBitmapData.h"

CMyBitmapApp* g_pBitmapApp = nullptr;

void RegisterPanelBitmaps() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (std::size_t i = 0; i < kPanelBitmapCount; ++i) {
            const EmbeddedBitmap& file = kPanelBitmaps[i];
            BmpImage image;
            if (!ReadBmp(file.data, file.size, image)) continue;
            ui::res::Picture picture;
            picture.width = image.width;
            picture.height = image.height;
            picture.pixels = std::move(image.pixels);
            ui::res::Registration(ui::res::Kind::Bitmap, file.id, std::move(picture));
        }
    });
}

CMyBitmapApp::CMyBitmapApp() { RegisterPanelBitmaps(); }

CMyBitmapApp::Entry* CMyBitmapApp::AppendEntry() {
    try {
        return m_entries.emplace_back(std::make_unique<Entry>()).get();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

BOOL CMyBitmapApp::AddBitmap(CDC* dc, UINT id) {
    Entry* entry = AppendEntry();
    if (entry == nullptr || !entry->bitmap.LoadBitmap(id)) return FALSE;
    entry->bitmap.GetBitmap(&entry->info);
    if (!entry->memDC.CreateCompatibleDC(dc)) return FALSE;
    entry->key = id;
    return TRUE;
}

void CMyBitmapApp::DrawBitmap(CDC* dc, UINT id, int x, int y, int sx, int sy) {
    if (dc == nullptr) return;
    for (auto& entry : m_entries) {
        if (entry->key != id) continue;
        Entry& e = *entry;
        ui::RunOnUiThread([&] {
            CBitmap* previous = e.memDC.SelectObject(&e.bitmap);
            dc->BitBlt(x, y, e.info.bmWidth, e.info.bmHeight, &e.memDC, sx, sy, SRCCOPY);
            e.memDC.SelectObject(previous);
        });
        return;
    }
}

void CMyBitmapApp::FreeAll() { m_entries.clear(); }
