#pragma once
// One video stream encoded by the FFmpeg libraries and stored in an MP4 or MOV container,
// written through an open file descriptor (the caller owns naming, temporary files and
// renaming). H.264 in 4:2:0 for MP4; ProRes 4444 for MOV, with an alpha plane when asked.
// Frames have consecutive time stamps at a constant, exact rational rate. Used from one thread
// at a time. ProRes frames are independent: twins of the encoder compress frames on other
// threads, and their packets are stored here in frame order.

#include "FileOutput.h"
#include "VideoColour.h"
#include "shell/Error.h"

#include <QByteArray>
#include <atomic>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;

struct VideoSettings {
    enum class Codec { H264, ProRes };
    Codec codec = Codec::H264;
    bool alpha = false; // ProRes only
    int width = 0, height = 0;
    int rateNum = 25, rateDen = 1; // frames per second as a fraction
    int crf = 18;                  // H.264: constant quality, lower is better
    QByteArray preset = "veryfast";
    int proresProfile = 4;   // 3: 422 HQ (no alpha), 4: 4444, 5: 4444 XQ
    int threads = 0;         // 0: the codec's choice
    int workers = 0;         // ProRes frames encoded at once; 0: one per core
    bool reuseSlices = true; // ProRes: rows that did not change keep the frame before's slices
};

// A codec of the same settings as a VideoEncoder, for a thread of its own (intra-only codecs).
class FrameCoder {
  public:
    FrameCoder() = default;
    ~FrameCoder();
    FrameCoder(const FrameCoder&) = delete;
    FrameCoder& operator=(const FrameCoder&) = delete;

    // Compresses frame number `index` into `out`: one packet a frame.
    MaybeError encode(AVFrame* frame, qint64 index, AVPacket* out);

  private:
    friend class VideoEncoder;
    AVCodecContext* codec_ = nullptr;
    QString name_;
};

class VideoEncoder {
  public:
    VideoEncoder() = default;
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Sets up the codec and writes the container header into `fd` (seekable, positioned at 0).
    // `name` is the file named in errors.
    MaybeError open(const VideoSettings& settings, int fd, const QString& name);
    // The pixel format (AVPixelFormat) frames must have, and a frame of it to fill.
    int pixelFormat() const;
    AVFrame* newFrame() const;
    const ColourTags& colour() const { return colour_; }

    // Encodes the next frame; the frame may be reused once this returns.
    MaybeError encode(AVFrame* frame);
    // Opens `twin` with this encoder's settings and `threads` slice threads of its own; with a
    // `height`, for pictures of that many lines compressed as this encoder's rows are (ProRes:
    // the same bits a macroblock, so its slices are those of the whole frame).
    MaybeError openTwin(FrameCoder& twin, int threads, int height = 0) const;
    // Stores the next packet a twin encoded, in frame order; the packet is emptied.
    MaybeError store(AVPacket* packet);
    // Drains the encoder and completes the file (index, durations). The file is then playable.
    MaybeError finish();
    qint64 frames() const { return frames_; }
    // Bytes stored so far (any thread may ask).
    qint64 bytes() const { return out_.bytes; }

  private:
    MaybeError fail(int averror) const;
    MaybeError drain();
    MaybeError write(AVPacket* packet);

    AVCodecContext* codec_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVIOContext* io_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVStream* stream_ = nullptr;
    ColourTags colour_{};
    VideoSettings settings_;
    QString name_;
    qint64 frames_ = 0;
    FileOutput out_;
    bool headerWritten_ = false;
};
