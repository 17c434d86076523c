// PNG frames: the rows without filters in a single IDAT chunk. Several times faster than Qt's
// writer (which searches filters) at sizes that still suit a sequence of frames. A frame
// mostly like the thread's last one reuses the compressed bands of the rows that stayed the same
// (PngBands.h); any other is deflated in one piece by libdeflate at level 1, about twice as fast
// as zlib's level 1.
#include "FrameFiles.h"
#include "PngBands.h"
#include "shell/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <libdeflate.h>
#include <memory>

namespace {
struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void putBigEndian(char* at, std::uint32_t v) {
    at[0] = char(v >> 24);
    at[1] = char(v >> 16);
    at[2] = char(v >> 8);
    at[3] = char(v);
}

// Completes the chunk whose data of `length` bytes follows its length and type at `at`: the
// length before, the checksum of type and data after. Returns the end of the chunk.
std::size_t closeChunk(std::vector<char>& out, std::size_t at, std::size_t length) {
    putBigEndian(out.data() + at, std::uint32_t(length));
    const std::uint32_t crc = libdeflate_crc32(0, out.data() + at + 4, length + 4);
    putBigEndian(out.data() + at + 8 + length, crc);
    return at + 12 + length;
}

// Straight alpha from premultiplied ARGB (QImage's byte order on a little-endian machine:
// blue, green, red, alpha), rounded to the nearest value. Clear pixels, most of an overlay, are
// skipped eight bytes at a time.
void unpremultiplyRow(const uchar* src, uchar* dst, int width) {
    int x = 0;
    while (x < width) {
        if (x + 2 <= width) {
            std::uint64_t pair;
            std::memcpy(&pair, src, 8);
            if (pair == 0) {
                std::memset(dst, 0, 8);
                x += 2, src += 8, dst += 8;
                continue;
            }
        }
        const unsigned a = src[3];
        if (a == 0 || a == 255) { // nothing, or a pixel wholly covered: no division
            dst[0] = a ? src[2] : 0;
            dst[1] = a ? src[1] : 0;
            dst[2] = a ? src[0] : 0;
        } else {
            dst[0] = uchar(std::min(255u, (src[2] * 255u + a / 2) / a));
            dst[1] = uchar(std::min(255u, (src[1] * 255u + a / 2) / a));
            dst[2] = uchar(std::min(255u, (src[0] * 255u + a / 2) / a));
        }
        dst[3] = uchar(a);
        ++x, src += 4, dst += 4;
    }
}

// Four bytes at a time, each store's last byte overwritten by the next pixel: a third of the
// loads and stores of one byte at a time.
void swapRedBlueRow(const uchar* src, uchar* dst, int width) {
    int x = 0;
    for (; x + 1 < width; ++x, src += 3, dst += 3) {
        std::uint32_t v;
        std::memcpy(&v, src, 4);
        v = (v & 0xff00ff00u) | ((v >> 16) & 0xffu) | ((v & 0xffu) << 16);
        std::memcpy(dst, &v, 4);
    }
    if (x < width) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
    }
}

// The signature, the header chunk and the start of the data chunk: 41 bytes.
void startFile(char* out, int w, int h, bool alpha) {
    static constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
    std::memcpy(out, kSignature, 8);
    std::memcpy(out + 12, "IHDR", 4);
    putBigEndian(out + 16, std::uint32_t(w));
    putBigEndian(out + 20, std::uint32_t(h));
    // 8 bits a channel, truecolour (2) or with alpha (6), deflate, no filters, not interlaced.
    const char ihdrRest[5] = {8, char(alpha ? 6 : 2), 0, 0, 0};
    std::memcpy(out + 24, ihdrRest, 5);
    putBigEndian(out + 8, 13);
    putBigEndian(out + 29, libdeflate_crc32(0, out + 12, 17));
    std::memcpy(out + 37, "IDAT", 4);
}
constexpr std::size_t kStart = 41;
constexpr char kEnd[] = "\0\0\0\0IEND\xae\x42\x60\x82";

// A frame most of whose bands the thread compressed before: the file in pieces, not copied.
FileWritten writeBanded(int fd, int w, int h, bool alpha, const PngStream& stream) {
    if (stream.bytes > 0x7fffffff) return {0, QStringLiteral("the frame could not be compressed")};
    char start[kStart], end[16];
    startFile(start, w, h, alpha);
    putBigEndian(start + 33, std::uint32_t(stream.bytes));
    std::uint32_t crc = libdeflate_crc32(0, start + 37, 4);
    for (const iovec& v : stream.pieces)
        crc = libdeflate_crc32(crc, v.iov_base, v.iov_len);
    putBigEndian(end, crc);
    std::memcpy(end + 4, kEnd, 12);
    thread_local std::vector<iovec> v;
    v.clear();
    v.push_back({start, kStart});
    v.insert(v.end(), stream.pieces.begin(), stream.pieces.end());
    v.push_back({end, 16});
    if (!writeVectors(fd, v.data(), int(v.size()))) return {0, systemReason(errno)};
    return {qint64(kStart + stream.bytes + 16), {}};
}

FileWritten writePng(int fd, QImage& frame, std::vector<char>& scratch) {
    const bool alpha = frame.format() == QImage::Format_ARGB32_Premultiplied;
    const int w = frame.width(), h = frame.height();
    const PngRowConvert convert = alpha ? unpremultiplyRow : swapRedBlueRow;
    // Each row after its filter byte, 0: none.
    const std::size_t rowBytes = std::size_t(w) * (alpha ? 4 : 3);
    thread_local PngStream stream;
    if (bandedPngStream(frame, rowBytes, convert, stream)) return writeBanded(fd, w, h, alpha, stream);
    thread_local std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(1));
    if (!compressor) return {0, systemReason(ENOMEM)};
    thread_local std::vector<uchar> rows;
    rows.resize((rowBytes + 1) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        uchar* row = rows.data() + (rowBytes + 1) * std::size_t(y);
        row[0] = 0;
        convert(frame.constScanLine(y), row + 1, w);
    }
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rows.size());
    scratch.resize(kStart + bound + 16);
    startFile(scratch.data(), w, h, alpha);
    const std::size_t packed =
        libdeflate_zlib_compress(compressor.get(), rows.data(), rows.size(), scratch.data() + kStart, bound);
    if (packed == 0) return {0, QStringLiteral("the frame could not be compressed")};
    const std::size_t at = closeChunk(scratch, kStart - 8, packed);
    std::memcpy(scratch.data() + at, kEnd, 12);
    scratch.resize(at + 12);
    if (!writeAll(fd, scratch.data(), scratch.size())) return {0, systemReason(errno)};
    return {qint64(scratch.size()), {}};
}
} // namespace

const FrameFileType kPngFiles = {".png", QImage::Format_BGR888, false, false, writePng};
const FrameFileType kPngAlphaFiles = {".png", QImage::Format_ARGB32_Premultiplied, false, true, writePng};
