// SPDX-License-Identifier: MIT
// What is shown of pictures Qt has no reader for: device-independent bitmaps are drawn (a
// bitmap file header in front of them is all Qt's BMP reader needs), other kinds become a
// box of their size with a label.
#include "RtfStructure.h"

#include <QImage>
#include <algorithm>
#include <cstring>

namespace rtf {
namespace {

uint32_t le32(const QByteArray& d, qsizetype at)
{
    if (at + 4 > d.size())
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(d.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const QByteArray& d, qsizetype at)
{
    if (at + 2 > d.size())
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(d.constData()) + at;
    return uint16_t(p[0] | p[1] << 8);
}

void putLe32(QByteArray& d, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        d.append(char((v >> (8 * i)) & 0xFF));
}

// 5 x 7 dots of the letters labels use, top row first, leftmost dot in bit 4.
struct Glyph {
    char c;
    uint8_t rows[7];
};
constexpr Glyph kGlyphs[] = {
    {'W', {17, 17, 17, 21, 21, 21, 10}}, {'M', {17, 27, 21, 21, 17, 17, 17}},
    {'F', {31, 16, 16, 30, 16, 16, 16}}, {'E', {31, 16, 16, 30, 16, 16, 31}},
    {'P', {30, 17, 17, 30, 16, 16, 16}}, {'I', {14, 4, 4, 4, 4, 4, 14}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'T', {31, 4, 4, 4, 4, 4, 4}},
    {'B', {30, 17, 17, 30, 17, 17, 30}}, {'?', {14, 17, 1, 2, 4, 0, 4}},
};

const Glyph& glyph(char c)
{
    for (const Glyph& g : kGlyphs) {
        if (g.c == c)
            return g;
    }
    return kGlyphs[std::size(kGlyphs) - 1];
}

} // namespace

QImage dibImage(const QByteArray& dib)
{
    const uint32_t header = le32(dib, 0);
    if (header < 12 || header > 124 || qsizetype(header) >= dib.size())
        return QImage();
    const bool core = header == 12; // OS/2 style: 16-bit sizes, three-byte colours
    const int bpp = core ? le16(dib, 10) : le16(dib, 14);
    const uint32_t compression = core ? 0 : le32(dib, 16);
    const uint32_t used = core ? 0 : le32(dib, 32);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return QImage();
    const uint32_t colours = used ? std::min<uint32_t>(used, 256) : (bpp <= 8 ? 1u << bpp : 0u);
    const uint32_t masks = header == 40 && (compression == 3 || compression == 6) ? (compression == 3 ? 12 : 16) : 0;
    const uint32_t offset = 14 + header + masks + colours * (core ? 3 : 4);
    QByteArray file("BM");
    putLe32(file, uint32_t(14 + dib.size()));
    putLe32(file, 0);
    putLe32(file, offset);
    file.append(dib);
    QImage image;
    image.loadFromData(file, "BMP");
    return image;
}

QImage pictureBox(int width, int height, const char* label)
{
    // Bounded, so a damaged size cannot ask for gigabytes.
    width = std::clamp(width, 8, 2000);
    height = std::clamp(height, 8, 2000);
    QImage box(width, height, QImage::Format_RGB32);
    box.fill(0xFFF4F4F4);
    const QRgb edge = 0xFF909090;
    for (int x = 0; x < width; ++x) {
        box.setPixel(x, 0, edge);
        box.setPixel(x, height - 1, edge);
    }
    for (int y = 0; y < height; ++y) {
        box.setPixel(0, y, edge);
        box.setPixel(width - 1, y, edge);
    }
    const int len = int(std::strlen(label));
    const int scale = width >= 12 * len + 8 && height >= 22 ? 2 : 1;
    if (width < (6 * len) * scale + 4 || height < 7 * scale + 4)
        return box; // too small for the label
    const QRgb ink = 0xFF505050;
    for (int i = 0; i < len; ++i) {
        const Glyph& g = glyph(label[i]);
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 5; ++col) {
                if (!(g.rows[row] & (16 >> col)))
                    continue;
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        box.setPixel(3 + (6 * i + col) * scale + dx, 3 + row * scale + dy, ink);
            }
        }
    }
    return box;
}

} // namespace rtf
