#pragma once
// An animated picture for web pages, encoded by the FFmpeg libraries: a GIF (indexed frames of
// 256 colours, the gif encoder and muxer; every frame lasts whole hundredths of a second) or a
// WebP (the libwebp_anim encoder, from 32-bit frames; milliseconds). Both loop for ever.
// Written through an open file descriptor; the caller names, replaces and removes the file.

#include "FileOutput.h"
#include "shell/Error.h"

#include <QString>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;

struct AnimatedSettings {
    bool gif = true; // else WebP
    int width = 0, height = 0;
    int rateNum = 15, rateDen = 1;
    int quality = 80; // WebP: 0..100
};

class AnimatedEncoder {
  public:
    AnimatedEncoder() = default;
    ~AnimatedEncoder();
    AnimatedEncoder(const AnimatedEncoder&) = delete;
    AnimatedEncoder& operator=(const AnimatedEncoder&) = delete;

    MaybeError open(const AnimatedSettings& settings, int fd, const QString& name);
    // A frame to fill: PAL8 with its palette for GIF, BGRA for WebP.
    AVFrame* frame() const { return frame_; }
    // Encodes the frame as the next one.
    MaybeError encode();
    MaybeError finish();
    qint64 frames() const { return frames_; }
    qint64 bytes() const { return out_.bytes; }

  private:
    MaybeError fail(int averror) const;
    MaybeError drain();
    // Where frame n starts in the codec's time base.
    qint64 startOf(qint64 n) const;

    AnimatedSettings settings_;
    AVCodecContext* codec_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVIOContext* io_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVStream* stream_ = nullptr;
    AVFrame* frame_ = nullptr;
    QString name_;
    qint64 frames_ = 0;
    FileOutput out_;
    bool headerWritten_ = false;
    bool trailerWritten_ = false;
};
