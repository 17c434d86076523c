#include "BmpEncoding.h"

#include <QtEndian>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the BMP packing reads pixels as little-endian words");

namespace {
void put16(char* p, std::uint16_t v) {
    p[0] = char(v & 0xff);
    p[1] = char(v >> 8);
}
void put32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xff);
}
constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 dots per inch
} // namespace

void encodeBmp(const uchar* rgb32, int width, int height, qsizetype stride, std::vector<char>& out) {
    const std::size_t row = bmpRowSize(width);
    const std::size_t size = bmpFileSize(width, height);
    out.resize(size);
    char* h = out.data();
    std::memset(h, 0, kBmpHeaderSize);
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, std::uint32_t(size));
    put32(h + 10, kBmpHeaderSize);
    put32(h + 14, 40);
    put32(h + 18, std::uint32_t(width));
    put32(h + 22, std::uint32_t(height)); // positive: rows bottom-up
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 34, std::uint32_t(row * height));
    put32(h + 38, kPixelsPerMetre);
    put32(h + 42, kPixelsPerMetre);
    char* body = h + kBmpHeaderSize;
    for (int y = 0; y < height; ++y) {
        // RGB32 pixels lie in memory as blue, green, red, unused (little-endian words 0xffRRGGBB):
        // four of them pack into three words of the row, 12 bytes for 16.
        const auto* src = reinterpret_cast<const std::uint32_t*>(rgb32 + qsizetype(height - 1 - y) * stride);
        char* dst = body + row * std::size_t(y);
        int x = 0;
        for (; x + 4 <= width; x += 4, src += 4, dst += 12) {
            const std::uint32_t w[3] = {(src[0] & 0xffffff) | (src[1] << 24),
                                        ((src[1] >> 8) & 0xffff) | (src[2] << 16),
                                        ((src[2] >> 16) & 0xff) | (src[3] << 8)};
            std::memcpy(dst, w, 12);
        }
        for (; x < width; ++x, ++src, dst += 3) {
            dst[0] = char(*src & 0xff);
            dst[1] = char((*src >> 8) & 0xff);
            dst[2] = char((*src >> 16) & 0xff);
        }
        std::memset(dst, 0, body + row * std::size_t(y + 1) - dst); // row padding
    }
}

QByteArray encodeBmp(const QImage& image) {
    const QImage rgb =
        image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    std::vector<char> out;
    encodeBmp(rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(), out);
    return QByteArray(out.data(), qsizetype(out.size()));
}
