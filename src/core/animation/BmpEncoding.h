#pragma once
// 24-bit uncompressed BMP: the 14-byte file header, the 40-byte BITMAPINFOHEADER, then the
// rows bottom-up as blue, green, red, each row padded to a multiple of four bytes. The rows of
// a QImage::Format_BGR888 picture are laid out exactly so.

#include <QtGlobal>
#include <cstddef>

constexpr int kBmpHeaderSize = 54;

inline std::size_t bmpRowSize(int width) {
    return (std::size_t(width) * 3 + 3) & ~std::size_t(3);
}
inline std::size_t bmpFileSize(int width, int height) {
    return kBmpHeaderSize + bmpRowSize(width) * std::size_t(height);
}

// The header of a width x height file.
void bmpHeader(char (&out)[kBmpHeaderSize], int width, int height);

// Packs one row of RGB32 pixels into blue, green, red bytes, width * 3 of them.
void packBgrRow(const uchar* rgb32, char* bgr, int width);
