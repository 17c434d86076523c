#include "BmpEncoding.h"

#include <cstring>

namespace {
void put16(char* p, std::uint16_t v) {
    p[0] = char(v & 0xff);
    p[1] = char(v >> 8);
}
void put32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xff);
}
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch
}  // namespace

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
    put32(h + 22, std::uint32_t(height));  // positive: rows bottom-up
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 34, std::uint32_t(row * height));
    put32(h + 38, kPixelsPerMetre);
    put32(h + 42, kPixelsPerMetre);
    char* body = h + kBmpHeaderSize;
    for (int y = 0; y < height; ++y) {
        // RGB32 pixels lie in memory as blue, green, red, unused: keep the first three bytes.
        const uchar* src = rgb32 + qsizetype(height - 1 - y) * stride;
        char* dst = body + row * y;
        for (int x = 0; x < width; ++x) {
            dst[0] = char(src[0]);
            dst[1] = char(src[1]);
            dst[2] = char(src[2]);
            src += 4;
            dst += 3;
        }
        for (std::size_t pad = std::size_t(width) * 3; pad < row; ++pad) body[row * y + pad] = 0;
    }
}

QByteArray encodeBmp(const QImage& image) {
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    std::vector<char> out;
    encodeBmp(rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(), out);
    return QByteArray(out.data(), qsizetype(out.size()));
}
