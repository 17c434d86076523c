#pragma once
// Writes a render as one animated GIF or WebP file for web pages. Each frame is scaled to the
// target's size when it differs, then indexed to the GIF palette (GifPalette.h) or copied for
// WebP, and encoded on the caller's thread: the frames of such a file are small.
//
// Sizes and rates these formats cannot show are refused before anything is written. The file
// takes its name only once complete (SafeFile); a failure or a writer dropped unfinished
// leaves nothing under that name.

#include "AnimatedEncoder.h"
#include "animation/FrameSink.h"
#include "animation/FrameWriters.h"
#include "animation/GifPalette.h"
#include "shell/SafeFile.h"

#include <memory>

class AnimatedWriter : public FrameSink {
  public:
    // `keep`: colours a GIF's palette is to hold exactly.
    AnimatedWriter(const AnimatedSettings& settings, QString path, std::vector<QRgb> keep = {});

    MaybeError put(const QImage& frame, qint64 index, const ChangeLog* changes = nullptr) override;
    MaybeError finish() override;
    qint64 written() const override { return error_ ? 0 : encoder_.frames(); }
    SinkOutput output() const override;

  private:
    MaybeError start();

    AnimatedSettings settings_;
    QString path_;
    SafeFile file_;
    AnimatedEncoder encoder_;
    std::unique_ptr<GifPalette> palette_;
    bool started_ = false, finished_ = false;
    qint64 bytes_ = 0;
    MaybeError error_;
};

// Why `settings` cannot be written as their kind of file; nothing when they can.
MaybeError refuseAnimated(const AnimatedSettings& settings, const QString& path);

// The writer for the "gif" and "webp" kinds, named folder & base name & ".gif" or ".webp".
MadeWriter makeAnimatedFile(const RenderTarget& target);
