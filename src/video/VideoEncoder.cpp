#include "VideoEncoder.h"

#include "FileOutput.h"


extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kIoBuffer = 1 << 18;

// x264 keeps about 4.7 bytes a pixel for every frame it holds (the picture with its borders,
// the quarter-size copies its lookahead searches, the half-pixel planes of references), and
// holds about rc-lookahead + b-frames + sync-lookahead + 2 per thread of them: 20 with its
// defaults on two cores, 780 MB at 4K and 3 GB at 8K. Frames that would not fit in this many
// bytes are taken from the lookahead first and from the threads last.
constexpr qint64 kX264Bytes = qint64(320) << 20;

// The x264-params that keep a w x h encoder within kX264Bytes; empty when its defaults do.
QByteArray x264Limits(int width, int height, int& threads) {
    const qint64 perFrame = qint64(width) * height * 47 / 10;
    const int room = int(kX264Bytes / perFrame);
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int autoThreads = threads > 0 ? threads : cores * 3 / 2; // x264's own choice
    constexpr int kLookahead = 10, kBFrames = 3;                   // the veryfast preset's
    if (room >= kLookahead + 2 * kBFrames + 1 + 2 * autoThreads) return {};
    threads = std::clamp(room / 4, 1, autoThreads);
    const int left = std::max(0, room - 2 * threads);
    const int bframes = std::min(kBFrames, left / 3);
    const int lookahead = std::min(kLookahead, left - bframes);
    return QStringLiteral("sync-lookahead=0:bframes=%1:rc-lookahead=%2")
        .arg(bframes)
        .arg(lookahead)
        .toLatin1();
}

// The codec's settings, the same for the encoder and its twins.
void configure(AVCodecContext* c, const VideoSettings& s, const ColourTags& colour) {
    const bool h264 = s.codec == VideoSettings::Codec::H264;
    c->width = s.width;
    c->height = s.height;
    c->time_base = AVRational{s.rateDen, s.rateNum};
    c->framerate = AVRational{s.rateNum, s.rateDen};
    c->sample_aspect_ratio = AVRational{1, 1};
    c->color_primaries = AVColorPrimaries(colour.primaries);
    c->color_trc = AVColorTransferCharacteristic(colour.transfer);
    c->colorspace = AVColorSpace(colour.matrix);
    c->color_range = AVCOL_RANGE_MPEG;
    c->thread_count = s.threads;
    if (h264) {
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->chroma_sample_location = AVCHROMA_LOC_LEFT;
        av_opt_set(c->priv_data, "preset", s.preset.constData(), 0);
        av_opt_set_double(c->priv_data, "crf", s.crf, 0);
        int threads = s.threads;
        if (const QByteArray limits = x264Limits(s.width, s.height, threads); !limits.isEmpty()) {
            c->thread_count = threads;
            av_opt_set(c->priv_data, "x264-params", limits.constData(), 0);
        }
    } else {
        c->pix_fmt = s.proresProfile < 4 ? AV_PIX_FMT_YUV422P10LE
                     : s.alpha           ? AV_PIX_FMT_YUVA444P10LE
                                         : AV_PIX_FMT_YUV444P10LE;
        c->codec_tag = 0;
        // Slices, not frames: each frame thread would hold a frame of its own (66 MB at 4K with
        // alpha), and the slices come out the same either way.
        c->thread_type = FF_THREAD_SLICE;
        av_opt_set_int(c->priv_data, "profile", s.proresProfile, 0);
        av_opt_set(c->priv_data, "vendor", "apl0", 0); // what editors expect to find
    }
}

void tagColours(AVFrame* frame, const AVCodecContext* c) {
    frame->color_primaries = c->color_primaries;
    frame->color_trc = c->color_trc;
    frame->colorspace = c->colorspace;
    frame->color_range = c->color_range;
}
} // namespace

VideoEncoder::~VideoEncoder() {
    avcodec_free_context(&codec_);
    closeFileOutput(io_);
    avformat_free_context(format_);
    av_packet_free(&packet_);
}

MaybeError VideoEncoder::fail(int averror) const {
    return encodingError(name_, out_, averror, "video");
}

MaybeError VideoEncoder::open(const VideoSettings& s, int fd, const QString& name) {
    // The libraries' own log lines would interleave with the progress line; failures come
    // back as errors with their reason instead.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_FATAL); });
    name_ = name;
    out_.fd = fd;
    const bool h264 = s.codec == VideoSettings::Codec::H264;
    const AVCodec* codec = avcodec_find_encoder_by_name(h264 ? "libx264" : "prores_ks");
    if (!codec)
        return Error{name, QStringLiteral("this build of the FFmpeg libraries has no %1 encoder")
                               .arg(h264 ? "H.264 (libx264)" : "ProRes (prores_ks)")};
    codec_ = avcodec_alloc_context3(codec);
    packet_ = av_packet_alloc();
    if (!codec_ || !packet_) return fail(AVERROR(ENOMEM));
    colour_ = colourFor(s.width, s.height);
    settings_ = s;
    configure(codec_, s, colour_);

    if (int r = avformat_alloc_output_context2(&format_, nullptr, h264 ? "mp4" : "mov", nullptr); r < 0)
        return fail(r);
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (int r = avcodec_open2(codec_, codec, nullptr); r < 0) return fail(r);

    stream_ = avformat_new_stream(format_, nullptr);
    if (!stream_) return fail(AVERROR(ENOMEM));
    stream_->time_base = codec_->time_base;
    stream_->avg_frame_rate = codec_->framerate;
    stream_->r_frame_rate = codec_->framerate;
    if (int r = avcodec_parameters_from_context(stream_->codecpar, codec_); r < 0) return fail(r);

    io_ = openFileOutput(out_, kIoBuffer);
    if (!io_) return fail(AVERROR(ENOMEM));
    format_->pb = io_;
    if (int r = avformat_write_header(format_, nullptr); r < 0) return fail(r);
    headerWritten_ = true;
    return std::nullopt;
}

int VideoEncoder::pixelFormat() const {
    return codec_ ? codec_->pix_fmt : AV_PIX_FMT_NONE;
}

AVFrame* VideoEncoder::newFrame() const {
    AVFrame* f = av_frame_alloc();
    if (!f) return nullptr;
    f->format = codec_->pix_fmt;
    f->width = codec_->width;
    f->height = codec_->height;
    if (av_frame_get_buffer(f, 0) < 0) av_frame_free(&f);
    return f;
}

MaybeError VideoEncoder::encode(AVFrame* frame) {
    frame->pts = frames_;
    tagColours(frame, codec_);
    if (int r = avcodec_send_frame(codec_, frame); r < 0) return fail(r);
    ++frames_;
    return drain();
}

// Stores every packet the encoder has ready.
MaybeError VideoEncoder::drain() {
    for (;;) {
        const int r = avcodec_receive_packet(codec_, packet_);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return std::nullopt;
        if (r < 0) return fail(r);
        if (MaybeError e = write(packet_)) return e;
    }
}

MaybeError VideoEncoder::write(AVPacket* packet) {
    if (packet->duration == 0) packet->duration = 1; // the last frame lasts one frame too
    av_packet_rescale_ts(packet, codec_->time_base, stream_->time_base);
    packet->stream_index = stream_->index;
    const int w = av_write_frame(format_, packet);
    av_packet_unref(packet);
    return w < 0 ? fail(w) : std::nullopt;
}

MaybeError VideoEncoder::openTwin(FrameCoder& twin, int threads, int height) const {
    twin.name_ = name_;
    const AVCodec* codec = codec_ ? codec_->codec : nullptr;
    if (!codec || !(twin.codec_ = avcodec_alloc_context3(codec))) return fail(AVERROR(ENOMEM));
    VideoSettings s = settings_;
    s.threads = threads;
    configure(twin.codec_, s, colour_);
    twin.codec_->flags = codec_->flags;
    if (height > 0) {
        // The encoder picks its bits a macroblock by the frame's size: a strip takes the frame's.
        twin.codec_->height = height;
        int64_t bits = 0;
        if (av_opt_get_int(codec_->priv_data, "bits_per_mb", 0, &bits) >= 0 && bits > 0)
            av_opt_set_int(twin.codec_->priv_data, "bits_per_mb", bits, 0);
    }
    if (int r = avcodec_open2(twin.codec_, codec, nullptr); r < 0) return fail(r);
    return std::nullopt;
}

MaybeError VideoEncoder::store(AVPacket* packet) {
    packet->pts = packet->dts = frames_++;
    return write(packet);
}

FrameCoder::~FrameCoder() {
    avcodec_free_context(&codec_);
}

MaybeError FrameCoder::encode(AVFrame* frame, qint64 index, AVPacket* out) {
    frame->pts = index;
    tagColours(frame, codec_);
    int r = avcodec_send_frame(codec_, frame);
    if (r >= 0) r = avcodec_receive_packet(codec_, out);
    if (r >= 0) return std::nullopt;
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(r, buf, sizeof buf);
    return Error{name_, QStringLiteral("the video could not be encoded (%1)").arg(QString::fromUtf8(buf))};
}

MaybeError VideoEncoder::finish() {
    if (!headerWritten_) return Error{name_, QStringLiteral("the video file was not started")};
    if (int r = avcodec_send_frame(codec_, nullptr); r < 0) return fail(r);
    if (MaybeError e = drain()) return e;
    if (int r = av_write_trailer(format_); r < 0) return fail(r);
    avio_flush(io_);
    if (io_->error < 0) return fail(io_->error);
    return std::nullopt;
}
