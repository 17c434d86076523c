#include "PngDecoding.h"

#include "shell/LargeImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <vector>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define PATHWRIGHT_SSSE3 1
#endif

namespace {
quint32 bigEndian(const uchar* p) {
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

// What the chunks hold: the size, the channels a pixel and the compressed pixel data, which may
// be split over several IDAT chunks in a row.
struct Chunks {
    quint32 width = 0, height = 0;
    int channels = 0;
    std::vector<std::pair<const uchar*, quint32>> data;
};

bool headerIsPlain(const uchar* d, Chunks& c) {
    c.width = bigEndian(d);
    c.height = bigEndian(d + 4);
    const int depth = d[8], colour = d[9], compression = d[10], filter = d[11], interlace = d[12];
    c.channels = colour == 2 ? 3 : colour == 6 ? 4 : 0;
    return c.width > 0 && c.height > 0 && c.width < 0x80000000u && c.height < 0x80000000u && depth == 8 &&
           c.channels && compression == 0 && filter == 0 && interlace == 0;
}

// Walks the chunks up to IEND, checking the lengths against the file and the checksums of the
// chunks that matter to the pixels; false at anything left to the general reader.
bool readChunks(const uchar* p, qsizetype size, Chunks& c) {
    static const uchar signature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
    if (size < 8 || std::memcmp(p, signature, 8) != 0) return false;
    bool dataEnded = false;
    for (qsizetype at = 8;; at += 12 + qsizetype(bigEndian(p + at))) {
        if (size - at < 12 || bigEndian(p + at) > quint64(size - at - 12)) return false;
        const quint32 length = bigEndian(p + at);
        const uchar* type = p + at + 4;
        const uchar* data = type + 4;
        auto is = [type](const char* name) { return std::memcmp(type, name, 4) == 0; };
        const bool critical = !(type[0] & 0x20);
        if ((at == 8) != is("IHDR")) return false;
        if (critical && libdeflate_crc32(0, type, length + 4) != bigEndian(data + length)) return false;
        if (is("IHDR")) {
            if (length != 13 || !headerIsPlain(data, c)) return false;
        } else if (is("IDAT")) {
            if (dataEnded) return false;
            c.data.emplace_back(data, length);
        } else {
            dataEnded = !c.data.empty();
            if (is("IEND")) return dataEnded;
            // A transparent colour key turns into an alpha channel in the general reader.
            if (is("tRNS") || (critical && !is("PLTE"))) return false;
        }
    }
}

void addUp(uchar* cur, const uchar* raw, const uchar* prev, std::size_t n) {
    std::size_t x = 0;
#ifdef __SSE2__
    for (; x + 16 <= n; x += 16) {
        const __m128i sum = _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + x)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(prev + x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cur + x), sum);
    }
#endif
    for (; x < n; ++x)
        cur[x] = uchar(raw[x] + prev[x]);
}

uchar paeth(int a, int b, int c) {
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return uchar(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes one row's filter into `cur`; `prev` is the row above, unfiltered (zeros for the first).
bool unfilter(int filter, uchar* cur, const uchar* raw, const uchar* prev, std::size_t n, std::size_t bpp) {
    switch (filter) {
    case 0:
        std::memcpy(cur, raw, n);
        return true;
    case 1:
        std::memcpy(cur, raw, bpp);
        for (std::size_t x = bpp; x < n; ++x)
            cur[x] = uchar(raw[x] + cur[x - bpp]);
        return true;
    case 2:
        addUp(cur, raw, prev, n);
        return true;
    case 3:
        for (std::size_t x = 0; x < bpp; ++x)
            cur[x] = uchar(raw[x] + prev[x] / 2);
        for (std::size_t x = bpp; x < n; ++x)
            cur[x] = uchar(raw[x] + (cur[x - bpp] + prev[x]) / 2);
        return true;
    case 4:
        addUp(cur, raw, prev, bpp); // with nothing to the left the predictor is the byte above
        for (std::size_t x = bpp; x < n; ++x)
            cur[x] = uchar(raw[x] + paeth(cur[x - bpp], prev[x], prev[x - bpp]));
        return true;
    }
    return false;
}

// Red, green, blue (and alpha) bytes into 0xAARRGGBB words.
void toPixelsPlain(const uchar* row, quint32* out, quint32 width, int channels) {
    if (channels == 3) {
        for (quint32 x = 0; x < width; ++x, row += 3)
            out[x] = 0xff000000u | quint32(row[0]) << 16 | quint32(row[1]) << 8 | row[2];
    } else {
        for (quint32 x = 0; x < width; ++x, row += 4)
            out[x] = quint32(row[3]) << 24 | quint32(row[0]) << 16 | quint32(row[1]) << 8 | row[2];
    }
}

#ifdef PATHWRIGHT_SSSE3
// Four pixels a byte shuffle; each 16-byte load of colour rows reaches 4 bytes past its pixels,
// so that loop stops while two pixels lie ahead.
__attribute__((target("ssse3"))) void toPixelsSsse3(const uchar* row, quint32* out, quint32 width,
                                                    int channels) {
    quint32 x = 0;
    if (channels == 3) {
        const __m128i order = _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
        const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
        for (; x + 6 <= width; x += 4, row += 12) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                             _mm_or_si128(_mm_shuffle_epi8(v, order), opaque));
        }
    } else {
        const __m128i order = _mm_setr_epi8(2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
        for (; x + 4 <= width; x += 4, row += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_shuffle_epi8(v, order));
        }
    }
    toPixelsPlain(row, out + x, width - x, channels);
}
#endif

using ToPixels = void (*)(const uchar*, quint32*, quint32, int);
ToPixels toPixels() {
#ifdef PATHWRIGHT_SSSE3
    if (__builtin_cpu_supports("ssse3")) return toPixelsSsse3;
#endif
    return toPixelsPlain;
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};
} // namespace

QImage decodePlainPng(const uchar* png, qsizetype size, qint64 maxBytes) {
    Chunks c;
    if (!readChunks(png, size, c)) return QImage();
    const std::size_t w = c.width, h = c.height, bpp = std::size_t(c.channels), rowBytes = w * bpp;
    if (w > 0x7fffffffu / 4 || quint64(w) * h > quint64(maxBytes)) return QImage();
    // The filtered rows are inflated into the end of the picture's own buffer and unfiltered
    // from there into its start. A filtered row is at least as long as a pixel row (4 bytes a
    // pixel) or the buffer's end lies further out, so writing pixel row y never reaches filtered
    // row y + 1.
    const std::size_t filtered = (rowBytes + 1) * h, room = std::max(filtered, w * h * 4);
    if (room > quint64(maxBytes)) return QImage();

    // One run of compressed data: the chunk itself when there is only one.
    std::vector<uchar> joined;
    const uchar* in = c.data.front().first;
    std::size_t inBytes = c.data.front().second;
    if (c.data.size() > 1) {
        for (const auto& [data, length] : c.data)
            joined.insert(joined.end(), data, data + length);
        in = joined.data();
        inBytes = joined.size();
    }

    QImage img =
        largeImage(QSize(int(w), int(h)),
                   c.channels == 3 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied, room);
    if (img.isNull() || std::size_t(img.bytesPerLine()) != w * 4) return QImage();
    uchar* const pixels = img.bits();
    uchar* const rows = pixels + room - filtered;
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> inflater(libdeflate_alloc_decompressor());
    if (!inflater || libdeflate_zlib_decompress(inflater.get(), in, inBytes, rows, filtered, nullptr) !=
                         LIBDEFLATE_SUCCESS)
        return QImage();

    std::vector<uchar> prev(rowBytes, 0), cur(rowBytes);
    const ToPixels convert = toPixels();
    for (std::size_t y = 0; y < h; ++y) {
        const uchar* raw = rows + y * (rowBytes + 1);
        if (!unfilter(raw[0], cur.data(), raw + 1, prev.data(), rowBytes, bpp)) return QImage();
        auto* out = reinterpret_cast<quint32*>(pixels + y * w * 4);
        convert(cur.data(), out, c.width, c.channels);
        if (c.channels == 4) // while the row is in the cache
            for (std::size_t x = 0; x < w; ++x)
                out[x] = qPremultiply(out[x]);
        cur.swap(prev);
    }
    return img;
}
