#include "shell/panel/DIBitmap.h"

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include "shell/panel/BmpReader.h"

namespace {

// No real file is larger than this; it only keeps a hostile file from being read whole.
constexpr std::streamoff kMaxFileSize = std::streamoff{256} << 20;

}  // namespace

CBmpPalette::CBmpPalette(const CDIBitmap& dib) {
    const RGBQUAD* table = dib.GetColorTable();
    const std::int64_t count = table ? dib.GetColorCount() : 0;
    for (std::int64_t i = 0; i < count; ++i)
        m_entries.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0});
    // LOGPALETTE ends in a one-entry array that the block continues.
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) + m_entries.size() * sizeof(PALETTEENTRY));
    auto* logical = new (block.data()) LOGPALETTE;
    logical->palNumEntries = static_cast<WORD>(m_entries.size());
    std::memcpy(block.data() + offsetof(LOGPALETTE, palPalEntry), m_entries.data(), m_entries.size() * sizeof(PALETTEENTRY));
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
        StretchDIBits(dc, x, y, width, height, 0, 0, m_width, m_height, m_pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
    if (m_palette) dc->SelectPalette(previous, FALSE);
}

BOOL CDIBitmap::LoadFromFile(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0') return FALSE;
    // Only regular files: a description naming a pipe or a device must not hang or flood us.
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) return FALSE;
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file) return FALSE;
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kMaxFileSize) return FALSE;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(data.data()), size)) return FALSE;
    return LoadFromMemory(data.data(), data.size());
}

BOOL CDIBitmap::LoadFromMemory(const std::uint8_t* data, std::size_t size) {
    BmpImage image;
    if (!ReadBmp(data, size, image)) return FALSE;
    m_pixels = std::move(image.pixels);
    m_colorTable.clear();
    for (const BmpColor& c : image.colorTable) m_colorTable.push_back(RGBQUAD{c.blue, c.green, c.red, 0});
    m_width = image.width;
    m_height = image.height;
    m_bitCount = image.bitCount <= 8 ? image.bitCount : 24;
    m_palette = image.bitCount <= 8 ? std::make_unique<CBmpPalette>(*this) : nullptr;
    return TRUE;
}

std::uint32_t CDIBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
}

void CDIBitmap::Clear() {
    m_pixels.clear();
    m_colorTable.clear();
    m_palette.reset();
    m_width = m_height = m_bitCount = 0;
}
