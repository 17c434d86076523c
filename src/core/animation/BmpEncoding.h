#pragma once
// 24-bit uncompressed BMP: the 14-byte file header, the 40-byte BITMAPINFOHEADER, then the
// rows bottom-up as blue, green, red, each row padded to a multiple of four bytes.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kBmpHeaderSize = 54;

inline std::size_t bmpRowSize(int width) {
    return (std::size_t(width) * 3 + 3) & ~std::size_t(3);
}
inline std::size_t bmpFileSize(int width, int height) {
    return kBmpHeaderSize + bmpRowSize(width) * std::size_t(height);
}

// Encodes pixels in QImage::Format_RGB32 layout (rows `stride` bytes apart) into `out`,
// which is resized to the file size (its capacity is reused from call to call).
void encodeBmp(const uchar* rgb32, int width, int height, qsizetype stride, std::vector<char>& out);

// Packs one row of RGB32 pixels into blue, green, red bytes, width * 3 of them.
void packBgrRow(const uchar* rgb32, char* bgr, int width);
