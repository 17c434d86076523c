#include "VideoColour.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace {
AVPixelFormat sourceFormat(QImage::Format format) {
    // QImage's 32-bit formats are native-endian 0xAARRGGBB words: B, G, R, A in memory here.
    switch (format) {
    case QImage::Format_RGB32:
        return AV_PIX_FMT_BGR0;
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return AV_PIX_FMT_BGRA;
    case QImage::Format_BGR888:
        return AV_PIX_FMT_BGR24;
    case QImage::Format_RGB888:
        return AV_PIX_FMT_RGB24;
    default:
        return AV_PIX_FMT_NONE;
    }
}
} // namespace

ColourTags colourFor(int width, int height) {
    if (width > 1024 || height > 576)
        return {AVCOL_PRI_BT709, AVCOL_TRC_BT709, AVCOL_SPC_BT709, SWS_CS_ITU709};
    if (height > 480) // the 625-line family
        return {AVCOL_PRI_BT470BG, AVCOL_TRC_BT709, AVCOL_SPC_BT470BG, SWS_CS_ITU601};
    return {AVCOL_PRI_SMPTE170M, AVCOL_TRC_SMPTE170M, AVCOL_SPC_SMPTE170M, SWS_CS_ITU601};
}

bool supportedLayout(QImage::Format format) {
    return sourceFormat(format) != AV_PIX_FMT_NONE;
}

ColourConverter::ColourConverter(int width, int height, QImage::Format layout, int target,
                                 const ColourTags& tags)
    : height_(height) {
    const AVPixelFormat from = sourceFormat(layout);
    if (from == AV_PIX_FMT_NONE) return;
    // Same size in and out: only the chroma is resampled. Accurate rounding would cost 40 % of the
    // speed for a gain that does not show after encoding.
    ctx_ = sws_getContext(width, height, from, width, height, AVPixelFormat(target), SWS_BILINEAR, nullptr,
                          nullptr, nullptr);
    if (!ctx_) return;
    const int* rgb = sws_getCoefficients(SWS_CS_DEFAULT);
    const int* yuv = sws_getCoefficients(tags.swsMatrix);
    // Source full range (RGB), destination limited range; brightness, contrast, saturation neutral.
    sws_setColorspaceDetails(ctx_, rgb, 1, yuv, 0, 0, 1 << 16, 1 << 16);
}

ColourConverter::~ColourConverter() {
    sws_freeContext(ctx_);
}

void ColourConverter::convert(const uchar* pixels, qsizetype stride, AVFrame* out) const {
    const uint8_t* src[4] = {pixels, nullptr, nullptr, nullptr};
    const int srcStride[4] = {int(stride), 0, 0, 0};
    sws_scale(ctx_, src, srcStride, 0, height_, out->data, out->linesize);
}

void unpremultiply(uchar* pixels, int width, int height, qsizetype stride) {
    for (int y = 0; y < height; ++y) {
        auto* p = reinterpret_cast<quint32*>(pixels + stride * y);
        for (int x = 0; x < width; ++x) {
            const quint32 a = p[x] >> 24;
            if (a == 0 || a == 255) continue; // nearly every pixel of a route overlay
            p[x] = qUnpremultiply(p[x]);
        }
    }
}

bool FrameConverter::convert(uchar* pixels, qsizetype stride, QImage::Format layout, AVFrame* out) {
    if (layout != layout_) {
        layout_ = layout;
        converter_ = std::make_unique<ColourConverter>(width_, height_, layout, target_, tags_);
    }
    if (layout == QImage::Format_ARGB32_Premultiplied) unpremultiply(pixels, width_, height_, stride);
    // The encoder may still hold the last picture of this frame: then it gets a new one.
    if (!converter_->valid() || av_frame_make_writable(out) < 0) return false;
    converter_->convert(pixels, stride, out);
    return true;
}
