#include "ProResStrips.h"

#include "shell/SafeFile.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cerrno>

namespace {
// A strip's heights are few (a label, the head of the line): this many cover a render.
constexpr std::size_t kKept = 6;
} // namespace

StripCoder::StripCoder(const VideoEncoder& encoder, int width, int height, QString name)
    : encoder_(encoder), width_(width), height_(height), name_(std::move(name)) {}

MaybeError StripCoder::coderFor(int lines, QImage::Format layout, Coder*& found) {
    ++uses_;
    for (Coder& c : coders_)
        if (c.lines == lines && c.layout == layout) {
            c.used = uses_;
            found = &c;
            return std::nullopt;
        }
    if (coders_.size() >= kKept)
        coders_.erase(std::min_element(coders_.begin(), coders_.end(),
                                       [](const Coder& a, const Coder& b) { return a.used < b.used; }));
    Coder c;
    c.lines = lines;
    c.layout = layout;
    c.used = uses_;
    c.coder = std::make_unique<FrameCoder>();
    if (MaybeError e = encoder_.openTwin(*c.coder, 1, lines)) return e;
    c.converter =
        std::make_unique<ColourConverter>(width_, lines, layout, encoder_.pixelFormat(), encoder_.colour());
    coders_.push_back(std::move(c));
    found = &coders_.back();
    return std::nullopt;
}

MaybeError StripCoder::encode(const uchar* pixels, qsizetype stride, QImage::Format layout, int firstRow,
                              int rows, AVFrame* frame, qint64 index, AVPacket* out) {
    const int top = firstRow * 16;
    const int lines = std::min(rows * 16, height_ - top);
    if (top < 0 || lines <= 0) return Error{name_, QStringLiteral("a band outside the frame")};
    Coder* c = nullptr;
    if (MaybeError e = coderFor(lines, layout, c)) return e;
    if (!c->converter->valid())
        return Error{name_, QStringLiteral("the frames could not be converted to video colours")};
    // The band of the worker's frame, as a picture of its own (the encoder copies it).
    AVFrame* view = av_frame_alloc();
    if (!view) return Error{name_, systemReason(ENOMEM)};
    view->format = frame->format;
    view->width = frame->width;
    view->height = lines;
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(frame->format));
    for (int i = 0; i < AV_NUM_DATA_POINTERS && frame->data[i]; ++i) {
        const int shift = (i == 1 || i == 2) && d ? d->log2_chroma_h : 0;
        view->data[i] = frame->data[i] + qsizetype(top >> shift) * frame->linesize[i];
        view->linesize[i] = frame->linesize[i];
    }
    c->converter->convert(pixels + qsizetype(top) * stride, stride, view);
    MaybeError e = c->coder->encode(view, index, out);
    av_frame_free(&view);
    return e;
}
