#pragma once
// One picture held device-independently: the header values, the colour table of pictures of
// 8 or fewer bits per pixel, and the pixels, every one as a 32-bit 0xFFRRGGBB value, rows
// top-down (row 0 is the picture's top), whatever the depth and row order of the file.
// Bitmap files are read by the platform's one BMP decoder, the one behind LoadImage
// (platform/image/BmpReader.h), which says what it accepts.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Gdi.h"

class CDIBitmap;

// The logical palette of a picture of 8 or fewer bits per pixel: one entry per colour-table
// entry, in table order.
class CBmpPalette : public CPalette {
public:
    explicit CBmpPalette(const CDIBitmap& dib);
    const std::vector<PALETTEENTRY>& Entries() const { return m_entries; }

private:
    std::vector<PALETTEENTRY> m_entries;
};

class CDIBitmap {
public:
    CDIBitmap() = default;
    virtual ~CDIBitmap() = default;
    CDIBitmap(const CDIBitmap&) = delete;
    CDIBitmap& operator=(const CDIBitmap&) = delete;
    CDIBitmap(CDIBitmap&&) noexcept = default;
    CDIBitmap& operator=(CDIBitmap&&) noexcept = default;

    // TRUE when the picture was replaced. A null or empty name, a missing or unreadable file
    // and a file the decoder refuses leave the previous picture in place.
    BOOL LoadFromFile(const char* fileName);
    // Copies a bitmap in: its depth when 8 or fewer bits per pixel (with its colour table),
    // else 24, then makes the palette (CreatePalette). On failure the picture is gone (the DIB
    // is empty) and the palette is left as it was.
    BOOL FromBitmap(CDC* reference, HBITMAP bitmap);

    // The pixels (width × height values, top row first), or null when there is no picture.
    const std::uint32_t* GetBits() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    // The pixel at (x, y) counted from the top-left corner; 0 outside the picture.
    std::uint32_t GetPixel(int x, int y) const;
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The depth the picture is held as: the file's for 1, 4 and 8 bits, else 24.
    int GetBitCount() const { return m_bitCount; }
    // The colour table (2, 16 or 256 entries for 1, 4 or 8 bits), or null.
    const RGBQUAD* GetColorTable() const { return m_colorTable.empty() ? nullptr : m_colorTable.data(); }
    // 2 to the power of the held depth (the header's colour count is always 0).
    std::int64_t GetColorCount() const { return m_bitCount == 0 ? 0 : std::int64_t{1} << m_bitCount; }
    // The palette, present only for pictures of 8 or fewer bits per pixel.
    const CBmpPalette* GetPalette() const { return m_palette.get(); }

    // Draws the whole picture stretched into the rectangle (pixel-exact, no smoothing), with
    // the palette selected while it draws; nothing when there is no picture.
    virtual void Stretch(CDC* dc, int x, int y, int width, int height) const;

    // Forgets the picture and its palette.
    void Clear();

private:
    // Replaces the palette: one for 8 or fewer bits per pixel, else none.
    void CreatePalette();
    // Forgets the picture, keeping the palette.
    void ClearPicture();
    // Holds the picture (its depth when 8 or fewer bits per pixel, else 24) and makes its palette.
    void Take(std::vector<std::uint32_t> pixels, std::vector<RGBQUAD> colorTable, int width, int height, int bitCount);

    std::vector<std::uint32_t> m_pixels;
    std::vector<RGBQUAD> m_colorTable;
    std::unique_ptr<CBmpPalette> m_palette;
    int m_width = 0;
    int m_height = 0;
    int m_bitCount = 0;
};
