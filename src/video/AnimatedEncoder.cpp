#include "AnimatedEncoder.h"

#include "FileOutput.h"


extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include <cerrno>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kIoBuffer = 1 << 16;
} // namespace

AnimatedEncoder::~AnimatedEncoder() {
    // A file given up part-way: the GIF muxer frees the packet it holds back only in its trailer,
    // which goes nowhere now (the file is the caller's to remove).
    if (headerWritten_ && !trailerWritten_) {
        out_.fd = -1;
        av_write_trailer(format_);
    }
    av_frame_free(&frame_);
    avcodec_free_context(&codec_);
    closeFileOutput(io_);
    avformat_free_context(format_);
    av_packet_free(&packet_);
}

MaybeError AnimatedEncoder::fail(int averror) const {
    return encodingError(name_, out_, averror, "animation");
}

qint64 AnimatedEncoder::startOf(qint64 n) const {
    // GIF counts hundredths of a second, WebP milliseconds: each frame starts at its exact time
    // rounded, so 15 frames a second last 7, 6, 7, 7, 6, 7... hundredths and never drift.
    const qint64 unit = settings_.gif ? 100 : 1000;
    return (2 * n * unit * settings_.rateDen + settings_.rateNum) / (2 * qint64(settings_.rateNum));
}

MaybeError AnimatedEncoder::open(const AnimatedSettings& s, int fd, const QString& name) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_FATAL); });
    settings_ = s;
    name_ = name;
    out_.fd = fd;
    const char* codecName = s.gif ? "gif" : "libwebp_anim";
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
    if (!codec)
        return Error{name,
                     QStringLiteral("this build of the FFmpeg libraries has no %1 encoder").arg(codecName)};
    codec_ = avcodec_alloc_context3(codec);
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (!codec_ || !packet_ || !frame_) return fail(AVERROR(ENOMEM));
    codec_->width = s.width;
    codec_->height = s.height;
    codec_->time_base = AVRational{1, s.gif ? 100 : 1000};
    codec_->framerate = AVRational{s.rateNum, s.rateDen};
    codec_->sample_aspect_ratio = AVRational{1, 1};
    codec_->pix_fmt = s.gif ? AV_PIX_FMT_PAL8 : AV_PIX_FMT_BGRA;
    if (!s.gif) {
        codec_->global_quality = s.quality * FF_QP2LAMBDA;
        codec_->flags |= AV_CODEC_FLAG_QSCALE;
    }
    if (int r = avformat_alloc_output_context2(&format_, nullptr, s.gif ? "gif" : "webp", nullptr); r < 0)
        return fail(r);
    if (int r = avcodec_open2(codec_, codec, nullptr); r < 0) return fail(r);
    stream_ = avformat_new_stream(format_, nullptr);
    if (!stream_) return fail(AVERROR(ENOMEM));
    stream_->time_base = codec_->time_base;
    stream_->avg_frame_rate = codec_->framerate;
    stream_->r_frame_rate = codec_->framerate;
    if (int r = avcodec_parameters_from_context(stream_->codecpar, codec_); r < 0) return fail(r);

    frame_->format = codec_->pix_fmt;
    frame_->width = s.width;
    frame_->height = s.height;
    if (int r = av_frame_get_buffer(frame_, 0); r < 0) return fail(r);

    io_ = openFileOutput(out_, kIoBuffer);
    if (!io_) return fail(AVERROR(ENOMEM));
    format_->pb = io_;
    if (int r = avformat_write_header(format_, nullptr); r < 0) return fail(r);
    headerWritten_ = true;
    return std::nullopt;
}

MaybeError AnimatedEncoder::encode() {
    frame_->pts = startOf(frames_);
    if (int r = avcodec_send_frame(codec_, frame_); r < 0) return fail(r);
    ++frames_;
    // The encoder may keep a reference to the picture: the next one is drawn into a fresh buffer.
    if (int r = av_frame_make_writable(frame_); r < 0) return fail(r);
    return drain();
}

MaybeError AnimatedEncoder::drain() {
    for (;;) {
        const int r = avcodec_receive_packet(codec_, packet_);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return std::nullopt;
        if (r < 0) return fail(r);
        av_packet_rescale_ts(packet_, codec_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        const int w = av_write_frame(format_, packet_);
        av_packet_unref(packet_);
        if (w < 0) return fail(w);
    }
}

MaybeError AnimatedEncoder::finish() {
    if (!headerWritten_) return Error{name_, QStringLiteral("the animation was not started")};
    if (int r = avcodec_send_frame(codec_, nullptr); r < 0) return fail(r);
    if (MaybeError e = drain()) return e;
    // The muxer times a GIF frame by the next one's start; the last is told its own length.
    if (settings_.gif && frames_ > 0)
        av_opt_set_int(format_->priv_data, "final_delay", startOf(frames_) - startOf(frames_ - 1), 0);
    trailerWritten_ = true;
    if (int r = av_write_trailer(format_); r < 0) return fail(r);
    avio_flush(io_);
    if (io_->error < 0) return fail(io_->error);
    return std::nullopt;
}
