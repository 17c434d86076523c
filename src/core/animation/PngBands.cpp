#include "PngBands.h"

#include <algorithm>
#include <cstring>
#include <libdeflate.h>
#include <new>
#include <zlib.h>

namespace {
// About 96 KB of PNG rows a band: 17 rows at 1080p. Smaller bands follow the moving head more
// closely, larger ones compress better and cost fewer comparisons and pieces.
constexpr std::size_t kBandBytes = 96 * 1024;
// Above this share of changed bands the whole frame goes to libdeflate: at 1080p it compresses
// a photographic map about twice as fast as zlib's level 1 does in bands (a flat drawn map about
// as fast), so past half the bands zlib would cost more.
constexpr double kMostChanged = 0.5;
// A thread keeps a copy of its last frame; beyond this (8K) it keeps none.
constexpr qsizetype kMostKept = qsizetype(64) << 20;

struct Band {
    std::vector<char> packed; // raw deflate, ending on a byte with an empty stored block
    uLong adler = 1;          // of the band's PNG rows
    std::size_t bytes = 0;    // ... and their length
    bool valid = false;       // packed holds the band of `last`
};

struct Cache {
    z_stream z{};
    bool zReady = false;
    int width = 0, height = 0, perBand = 1;
    qsizetype lineBytes = 0;
    QImage::Format format = QImage::Format_Invalid;
    std::vector<uchar> last; // the last frame's pixels, rows with their padding
    std::vector<Band> bands;
    std::vector<uchar> rows;              // one band's PNG rows
    unsigned char head[2] = {0x78, 0x01}; // deflate, 32K window, fastest
    unsigned char end[6] = {0x03, 0x00};  // an empty final fixed block, then the Adler-32

    ~Cache() {
        if (zReady) deflateEnd(&z);
    }
    // Forgets everything when the frame's shape differs from the last one's.
    void shape(const QImage& f, std::size_t rowBytes) {
        if (f.width() == width && f.height() == height && f.bytesPerLine() == lineBytes &&
            f.format() == format)
            return;
        width = f.width(), height = f.height(), lineBytes = f.bytesPerLine(), format = f.format();
        perBand = int(std::clamp<std::size_t>(kBandBytes / (rowBytes + 1), 1, std::size_t(height)));
        bands.assign((std::size_t(height) + std::size_t(perBand) - 1) / std::size_t(perBand), Band{});
        last.assign(std::size_t(lineBytes) * std::size_t(height), 0);
        rows.resize((rowBytes + 1) * std::size_t(perBand));
    }
};

// Compresses one band alone: the compressor starts afresh and the band ends byte-aligned and
// not final, so bands can follow one another in any stream.
bool packBand(z_stream& z, const uchar* data, std::size_t size, std::vector<char>& out) {
    if (deflateReset(&z) != Z_OK) return false;
    z.next_in = const_cast<uchar*>(data);
    z.avail_in = uInt(size);
    out.resize(deflateBound(&z, uLong(size)) + 16);
    std::size_t done = 0;
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(out.data() + done);
        z.avail_out = uInt(out.size() - done);
        const int r = deflate(&z, Z_SYNC_FLUSH);
        if (r != Z_OK && r != Z_BUF_ERROR) return false;
        done = out.size() - z.avail_out;
        if (z.avail_out > 0 && z.avail_in == 0) break; // all flushed
        out.resize(out.size() * 2);
    }
    out.resize(done);
    return true;
}

void putBigEndian(unsigned char* at, uLong v) {
    at[0] = uchar(v >> 24), at[1] = uchar(v >> 16), at[2] = uchar(v >> 8), at[3] = uchar(v);
}
} // namespace

bool bandedPngStream(const QImage& frame, std::size_t rowBytes, PngRowConvert convert, PngStream& out) try {
    if (frame.sizeInBytes() > kMostKept || frame.height() <= 0) return false;
    thread_local Cache c;
    if (!c.zReady) {
        if (deflateInit2(&c.z, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
        c.zReady = true;
    }
    c.shape(frame, rowBytes);
    const int perBand = c.perBand;
    const std::size_t bandPixels = std::size_t(c.lineBytes) * std::size_t(perBand);
    std::size_t changed = 0;
    for (std::size_t b = 0; b < c.bands.size(); ++b) {
        const std::size_t at = bandPixels * b, size = std::min(bandPixels, c.last.size() - at);
        if (std::memcmp(c.last.data() + at, frame.constBits() + at, size) != 0) {
            c.bands[b].valid = false; // until packed again
            std::memcpy(c.last.data() + at, frame.constBits() + at, size);
            ++changed;
        }
    }
    if (double(changed) > kMostChanged * double(c.bands.size())) return false;
    out.pieces.clear();
    out.pieces.push_back({c.head, 2});
    out.bytes = 2;
    uLong adler = 1;
    for (std::size_t b = 0; b < c.bands.size(); ++b) {
        Band& band = c.bands[b];
        if (!band.valid) {
            const int first = int(b) * perBand, count = std::min(perBand, c.height - first);
            for (int y = 0; y < count; ++y) {
                uchar* row = c.rows.data() + (rowBytes + 1) * std::size_t(y);
                row[0] = 0; // no filter
                convert(c.last.data() + std::size_t(c.lineBytes) * std::size_t(first + y), row + 1, c.width);
            }
            band.bytes = (rowBytes + 1) * std::size_t(count);
            band.adler = libdeflate_adler32(1, c.rows.data(), band.bytes);
            band.valid = packBand(c.z, c.rows.data(), band.bytes, band.packed);
            if (!band.valid) return false;
        }
        adler = adler32_combine(adler, band.adler, z_off_t(band.bytes));
        out.pieces.push_back({band.packed.data(), band.packed.size()});
        out.bytes += band.packed.size();
    }
    putBigEndian(c.end + 2, adler);
    out.pieces.push_back({c.end, 6});
    out.bytes += 6;
    return true;
} catch (const std::bad_alloc&) {
    return false;
}
