// PNG frames through libspng: compression level 1 and no row filters, several times faster than
// Qt's writer (which searches filters) at sizes that still suit a sequence of frames.
#include "FrameFiles.h"
#include "shell/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <spng.h>

namespace {
constexpr int kRunLengthStrategy = 3; // zlib's Z_RLE

struct ContextFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

int appendTo(spng_ctx*, void* user, void* data, std::size_t length) {
    auto* out = static_cast<std::vector<char>*>(user);
    const char* bytes = static_cast<const char*>(data);
    out->insert(out->end(), bytes, bytes + length);
    return 0;
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

void swapRedBlueRow(const uchar* src, uchar* dst, int width) {
    for (int x = 0; x < width; ++x, src += 3, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
    }
}

FileWritten writePng(int fd, QImage& frame, std::vector<char>& scratch) {
    const bool alpha = frame.format() == QImage::Format_ARGB32_Premultiplied;
    const int w = frame.width(), h = frame.height();
    std::unique_ptr<spng_ctx, ContextFree> ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx) return {0, QStringLiteral("out of memory")};
    spng_ihdr ihdr{};
    ihdr.width = std::uint32_t(w);
    ihdr.height = std::uint32_t(h);
    ihdr.bit_depth = 8;
    ihdr.color_type = alpha ? SPNG_COLOR_TYPE_TRUECOLOR_ALPHA : SPNG_COLOR_TYPE_TRUECOLOR;
    scratch.clear();
    const std::size_t rowBytes = std::size_t(w) * (alpha ? 4 : 3);
    thread_local std::vector<uchar> row;
    row.resize(rowBytes);
    int ret = spng_set_ihdr(ctx.get(), &ihdr);
    if (!ret) ret = spng_set_option(ctx.get(), SPNG_IMG_COMPRESSION_LEVEL, 1);
    // An overlay is mostly runs of clear pixels, which run-length matching finds as well, in
    // smaller files.
    if (!ret && alpha) ret = spng_set_option(ctx.get(), SPNG_IMG_COMPRESSION_STRATEGY, kRunLengthStrategy);
    if (!ret) ret = spng_set_option(ctx.get(), SPNG_FILTER_CHOICE, SPNG_DISABLE_FILTERING);
    if (!ret) ret = spng_set_png_stream(ctx.get(), appendTo, &scratch);
    if (!ret)
        ret = spng_encode_image(ctx.get(), nullptr, 0, SPNG_FMT_PNG,
                                SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    for (int y = 0; !ret && y < h; ++y) {
        if (alpha)
            unpremultiplyRow(frame.constScanLine(y), row.data(), w);
        else
            swapRedBlueRow(frame.constScanLine(y), row.data(), w);
        ret = spng_encode_row(ctx.get(), row.data(), rowBytes);
    }
    if (ret && ret != SPNG_EOI) return {0, QString::fromUtf8(spng_strerror(ret))};
    if (!writeAll(fd, scratch.data(), scratch.size())) return {0, systemReason(errno)};
    return {qint64(scratch.size()), {}};
}
} // namespace

const FrameFileType kPngFiles = {".png", QImage::Format_BGR888, false, false, writePng};
const FrameFileType kPngAlphaFiles = {".png", QImage::Format_ARGB32_Premultiplied, false, true, writePng};
