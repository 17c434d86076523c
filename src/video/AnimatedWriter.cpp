#include "AnimatedWriter.h"

#include "settings/VideoFormats.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <cstring>
#include <sys/stat.h>

namespace {
// GIF sizes are 16-bit; WebP's encoder takes at most 16383 a side.
constexpr int kGifSide = 65535;
constexpr int kWebpSide = 16383;
// Browsers play a GIF frame shorter than 2/100 s at 10/100 s: faster rates would crawl.
constexpr double kGifMostFps = 50;

int webpQuality(RenderQuality q) {
    return q == RenderQuality::High ? 90 : q == RenderQuality::Small ? 65 : 80;
}
} // namespace

MaybeError refuseAnimated(const AnimatedSettings& s, const QString& path) {
    const int side = s.gif ? kGifSide : kWebpSide;
    const char* what = s.gif ? "a GIF" : "a WebP animation";
    if (s.width < 1 || s.height < 1 || s.width > side || s.height > side)
        return Error{path, QStringLiteral("%1 holds frames of at most %2 x %2 pixels, not %3 x %4")
                               .arg(what)
                               .arg(side)
                               .arg(s.width)
                               .arg(s.height)};
    if (s.rateNum <= 0 || s.rateDen <= 0)
        return Error{path, QStringLiteral("the frame rate is not a positive number")};
    if (s.gif && double(s.rateNum) / s.rateDen > kGifMostFps)
        return Error{path, QStringLiteral("GIF frames last whole hundredths of a second and browsers slow "
                                          "down the shortest: render a GIF at %1 frames a second or fewer")
                               .arg(kGifMostFps)};
    return std::nullopt;
}

AnimatedWriter::AnimatedWriter(const AnimatedSettings& settings, QString path, std::vector<QRgb> keep)
    : settings_(settings), path_(std::move(path)), file_(path_) {
    if (settings_.gif) palette_ = std::make_unique<GifPalette>(std::move(keep));
}

MaybeError AnimatedWriter::start() {
    started_ = true;
    if (MaybeError e = refuseAnimated(settings_, path_)) return e;
    if (MaybeError e = file_.open()) return e;
    return encoder_.open(settings_, file_.fd(), path_);
}

MaybeError AnimatedWriter::put(const QImage& frame, qint64, const ChangeLog*) {
    if (error_) return error_;
    if (!started_) error_ = start();
    if (error_) return error_;
    if (frame.isNull()) return error_ = Error{path_, QStringLiteral("a frame could not be drawn")};
    QImage image = frame.convertToFormat(QImage::Format_RGB32);
    if (image.width() != settings_.width || image.height() != settings_.height)
        image =
            image.scaled(settings_.width, settings_.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    AVFrame* f = encoder_.frame();
    if (palette_) {
        palette_->map(image, f->data[0], f->linesize[0]);
        std::memcpy(f->data[1], palette_->colours().data(), sizeof(QRgb) * GifPalette::kColours);
    } else {
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(f->data[0] + qsizetype(f->linesize[0]) * y, image.constScanLine(y),
                        std::size_t(image.width()) * 4);
    }
    error_ = encoder_.encode();
    return error_;
}

MaybeError AnimatedWriter::finish() {
    if (finished_) return error_;
    finished_ = true;
    if (!error_ && started_) error_ = encoder_.finish();
    struct stat st {};
    if (!error_ && started_ && ::fstat(file_.fd(), &st) == 0) bytes_ = st.st_size;
    if (!error_ && started_) error_ = file_.commit();
    if (error_) file_.discard();
    return error_;
}

SinkOutput AnimatedWriter::output() const {
    if (error_ || !started_) return {};
    return {path_, path_, finished_ ? bytes_ : encoder_.bytes()};
}

MadeWriter makeAnimatedFile(const RenderTarget& target) {
    AnimatedSettings s;
    s.gif = qstrcmp(target.kind->container, "gif") == 0;
    s.width = target.width;
    s.height = target.height;
    const ExactRate rate = exactRate(target.fps);
    s.rateNum = rate.num;
    s.rateDen = rate.den;
    s.quality = webpQuality(target.quality);
    const QString path = target.folder + target.baseName + (s.gif ? ".gif" : ".webp");
    // Refused here already, so that a render that cannot be written does not start.
    if (MaybeError e = refuseAnimated(s, path)) return {nullptr, e};
    return {std::make_unique<AnimatedWriter>(s, path, target.routeColours), {}};
}
