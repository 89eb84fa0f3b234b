#include "shell/panel/DIBitmap.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

#include "platform/image/BmpReader.h"

CBmpPalette::CBmpPalette(const CDIBitmap& dib) {
    const RGBQUAD* table = dib.GetColorTable();
    const std::int64_t count = table ? dib.GetColorCount() : 0;
    for (std::int64_t i = 0; i < count; ++i)
        m_entries.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0});
    // LOGPALETTE ends in a one-entry array that the block continues.
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) + m_entries.size() * sizeof(PALETTEENTRY));
    auto* logical = new (block.data()) LOGPALETTE;
    logical->palNumEntries = static_cast<WORD>(m_entries.size());
    std::memcpy(block.data() + offsetof(LOGPALETTE, palPalEntry), m_entries.data(),
                m_entries.size() * sizeof(PALETTEENTRY));
    CreatePalette(logical);
}

void CDIBitmap::Stretch(CDC* dc, int x, int y, int width, int height) const {
    if (dc == nullptr) return;
    CPalette* previous = nullptr;
    if (m_palette) {
        previous = dc->SelectPalette(m_palette.get(), FALSE);
        dc->RealizePalette();
        dc->SetStretchBltMode(COLORONCOLOR);
    }
    if (!m_pixels.empty()) {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;  // rows are held top-down
        info.bmiHeader.biBitCount = 32;
        StretchDIBits(dc, x, y, width, height, 0, 0, m_width, m_height, m_pixels.data(), &info, DIB_RGB_COLORS,
                      SRCCOPY);
    }
    if (m_palette) dc->SelectPalette(previous, FALSE);
}

BOOL CDIBitmap::LoadFromFile(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0') return FALSE;
    // The platform's BMP decoder, the one behind LoadImage, read directly: a system bitmap and a
    // screen context would each cost a round trip to the user-interface thread, and the polling
    // thread loads port pictures while that thread may be waiting for it.
    BmpImage image;
    if (!ReadBmpFile(fileName, image)) return FALSE;
    std::vector<RGBQUAD> table;
    for (const BmpColor& c : image.colorTable) table.push_back(RGBQUAD{c.blue, c.green, c.red, 0});
    Take(std::move(image.pixels), std::move(table), image.width, image.height, image.bitCount);
    return TRUE;
}

BOOL CDIBitmap::FromBitmap(CDC* reference, HBITMAP bitmap) {
    BITMAP description;
    const HDC hdc = reference ? reference->GetSafeHdc() : nullptr;
    if (bitmap == nullptr || ::GetObject(bitmap, sizeof description, &description) != sizeof description) {
        ClearPicture();
        return FALSE;
    }
    const int width = description.bmWidth;
    const int height = description.bmHeight;
    const int depth = description.bmBitsPixel <= 8 ? description.bmBitsPixel : 24;

    // The rows, top row first, 32 bits a pixel.
    BITMAPINFO rowsInfo{};
    rowsInfo.bmiHeader.biWidth = width;
    rowsInfo.bmiHeader.biHeight = -height;
    rowsInfo.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // The colour table after a header of the held depth (BITMAPINFO ends in a one-entry array).
    const std::size_t entries = depth <= 8 ? std::size_t{1} << depth : 0;
    std::vector<std::uint8_t> tableBlock(sizeof(BITMAPINFOHEADER) +
                                         std::max<std::size_t>(entries, 1) * sizeof(RGBQUAD));
    auto* tableInfo = new (tableBlock.data()) BITMAPINFO;
    tableInfo->bmiHeader.biWidth = width;
    tableInfo->bmiHeader.biHeight = height;
    tableInfo->bmiHeader.biBitCount = static_cast<WORD>(depth);

    if (width <= 0 || height <= 0 ||
        ::GetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &rowsInfo, DIB_RGB_COLORS) != height ||
        (entries > 0 &&
         ::GetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), nullptr, tableInfo, DIB_RGB_COLORS) == 0)) {
        ClearPicture();
        return FALSE;
    }
    for (std::uint32_t& pixel : pixels) pixel |= 0xFF000000u;
    const auto* table = reinterpret_cast<const RGBQUAD*>(tableBlock.data() + offsetof(BITMAPINFO, bmiColors));
    Take(std::move(pixels), std::vector<RGBQUAD>(table, table + entries), width, height, depth);
    return TRUE;
}

void CDIBitmap::Take(std::vector<std::uint32_t> pixels, std::vector<RGBQUAD> colorTable, int width, int height,
                     int bitCount) {
    m_pixels = std::move(pixels);
    m_colorTable = std::move(colorTable);
    m_width = width;
    m_height = height;
    m_bitCount = bitCount <= 8 ? bitCount : 24;
    CreatePalette();
}

void CDIBitmap::CreatePalette() { m_palette = m_bitCount <= 8 ? std::make_unique<CBmpPalette>(*this) : nullptr; }

std::uint32_t CDIBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
}

void CDIBitmap::Clear() {
    ClearPicture();
    m_palette.reset();
}

void CDIBitmap::ClearPicture() {
    m_pixels.clear();
    m_colorTable.clear();
    m_width = m_height = m_bitCount = 0;
}
