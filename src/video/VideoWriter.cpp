#include "VideoWriter.h"

#include "animation/BmpEncoding.h"
#include "animation/FramesInFlight.h"

extern "C" {
#include <libavcodec/packet.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixfmt.h>
}

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {
constexpr int kDefaultDepth = 4;
} // namespace

VideoWriter::VideoWriter(VideoSettings settings, QString path, bool transparent, int depth)
    : settings_(std::move(settings)), path_(std::move(path)), transparent_(transparent), file_(path_),
      depth_(depth > 0 ? depth : kDefaultDepth) {}

VideoWriter::~VideoWriter() {
    stopThreads();
    // An unfinished file is removed with the SafeFile.
    for (AVFrame*& f : frames_)
        av_frame_free(&f);
    for (auto& [seq, encoded] : packets_)
        freePackets(encoded);
    av_packet_free(&lastPacket_);
}

void VideoWriter::setError(MaybeError e) {
    if (!error_) error_ = std::move(e);
}

MaybeError VideoWriter::start(const QImage& first) {
    started_ = true;
    if (settings_.width == 0) settings_.width = first.width();
    if (settings_.height == 0) settings_.height = first.height();
    if (settings_.codec == VideoSettings::Codec::H264 && (settings_.width % 2 || settings_.height % 2))
        return Error{path_, QStringLiteral("H.264 video needs an even frame width and height, not %1 x %2")
                                .arg(settings_.width)
                                .arg(settings_.height)};
    if (MaybeError e = file_.open()) return e;
    if (MaybeError e = encoder_.open(settings_, file_.fd(), path_)) return e;
    packRows_ = encoder_.pixelFormat() == AV_PIX_FMT_YUV420P;
    const qint64 pixels = qint64(settings_.width) * settings_.height;
    const qint64 pictureBytes = pixels * (packRows_ ? 3 : 4);
    const int frameBytes =
        av_image_get_buffer_size(AVPixelFormat(encoder_.pixelFormat()), settings_.width, settings_.height, 1);
    if (settings_.codec == VideoSettings::Codec::ProRes) return startWorkers(pictureBytes, frameBytes);
    pictures_.resize(std::size_t(framesInFlight(pictureBytes, depth_)));
    frames_.resize(std::size_t(framesInFlight(frameBytes, depth_)), nullptr);
    for (int i = int(pictures_.size()) - 1; i >= 0; --i)
        freePictures_.push_back(i);
    for (int i = int(frames_.size()) - 1; i >= 0; --i) {
        if (!(frames_[std::size_t(i)] = encoder_.newFrame())) return Error{path_, systemReason(ENOMEM)};
        freeFrames_.push_back(i);
    }
    converter_ = std::thread([this] { convertLoop(); });
    encoderThread_ = std::thread([this] { encodeLoop(); });
    return std::nullopt;
}

MaybeError VideoWriter::put(const QImage& frame, qint64, const ChangeLog* changes) {
    if (!started_)
        if (MaybeError e = start(frame)) {
            std::lock_guard lock(mutex_);
            setError(e);
        }
    if (frame.width() != settings_.width || frame.height() != settings_.height)
        return Error{path_, QStringLiteral("a frame changed size during the render")};
    const QImage image =
        supportedLayout(frame.format()) ? frame : frame.convertToFormat(QImage::Format_ARGB32);
    int index;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !freePictures_.empty() || error_; });
        if (error_) return error_;
        index = freePictures_.back();
        freePictures_.pop_back();
    }
    // The picture is this thread's until queued: copy outside the lock.
    Picture& picture = pictures_[std::size_t(index)];
    areas_.clear();
    const bool logKnown = changes && changes == lastLog_ && changes->since(lastVersion_, areas_);
    picture.repeat = !workers_.empty() && logKnown && areas_.empty();
    lastLog_ = changes;
    lastVersion_ = changes ? changes->version() : 0;
    findStrips(image, changes, logKnown, picture);
    if (picture.repeat) {
        // Nothing to copy: the worker repeats the packet of the frame before.
    } else if (!picture.strips.empty()) {
        picture.layout = image.format();
        picture.stride = image.bytesPerLine();
        picture.pixels.resize(std::size_t(image.sizeInBytes()));
        for (const auto& [first, rows] : picture.strips) {
            const qsizetype top = qsizetype(first) * 16,
                            end = std::min<qsizetype>(top + rows * 16, image.height());
            std::memcpy(picture.pixels.data() + top * picture.stride, image.constScanLine(int(top)),
                        std::size_t((end - top) * picture.stride));
        }
    } else if (image.format() == QImage::Format_RGB32 && packRows_) {
        // Packed to 24 bits in the same pass: the conversion to 4:2:0 has a fast path for
        // those (three times faster than from 32-bit pixels, more than the packing costs).
        picture.layout = QImage::Format_BGR888;
        picture.stride = qsizetype(image.width()) * 3;
        picture.pixels.resize(std::size_t(picture.stride) * std::size_t(image.height()));
        for (int y = 0; y < image.height(); ++y)
            packBgrRow(image.constScanLine(y),
                       reinterpret_cast<char*>(picture.pixels.data()) + picture.stride * y, image.width());
    } else {
        picture.layout = image.format();
        picture.stride = image.bytesPerLine();
        picture.pixels.resize(std::size_t(image.sizeInBytes()));
        std::memcpy(picture.pixels.data(), image.constBits(), picture.pixels.size());
    }
    {
        std::lock_guard lock(mutex_);
        picture.seq = nextSeq_++;
        toConvert_.push_back(index);
    }
    changed_.notify_all();
    return std::nullopt;
}

int VideoWriter::take(std::deque<int>& queue, bool& failed) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopping_ || !queue.empty(); });
    if (queue.empty()) return -1;
    const int index = queue.front();
    queue.pop_front();
    ++busy_;
    failed = bool(error_);
    return index;
}

void VideoWriter::convertLoop() {
    FrameConverter converter(settings_.width, settings_.height, encoder_.pixelFormat(), encoder_.colour());
    for (;;) {
        bool failed = false;
        const int index = take(toConvert_, failed);
        if (index < 0) return;
        Picture& picture = pictures_[std::size_t(index)];
        int target = -1;
        if (!failed) { // the encoder hands every frame back until the writer is dropped unfinished
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !freeFrames_.empty() || stopping_; });
            if (!freeFrames_.empty()) {
                target = freeFrames_.back();
                freeFrames_.pop_back();
            }
        }
        bool ok = true;
        if (target >= 0)
            ok = converter.convert(picture.pixels.data(), picture.stride, picture.layout,
                                   frames_[std::size_t(target)]);
        {
            std::lock_guard lock(mutex_);
            --busy_;
            freePictures_.push_back(index);
            if (target >= 0 && ok) {
                toEncode_.push_back(target);
            } else if (target >= 0) {
                setError(Error{path_, QStringLiteral("the frames could not be converted to video colours")});
                freeFrames_.push_back(target);
            }
        }
        changed_.notify_all();
    }
}

void VideoWriter::encodeLoop() {
    for (;;) {
        bool skip = false; // after a failure nothing more is encoded
        const int index = take(toEncode_, skip);
        if (index < 0) return;
        const MaybeError e = skip ? std::nullopt : encoder_.encode(frames_[std::size_t(index)]);
        {
            std::lock_guard lock(mutex_);
            --busy_;
            if (e)
                setError(e);
            else if (!skip)
                ++encoded_;
            freeFrames_.push_back(index);
        }
        changed_.notify_all();
    }
}

void VideoWriter::stopThreads() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (converter_.joinable()) converter_.join();
    if (encoderThread_.joinable()) encoderThread_.join();
    for (std::thread& t : workers_)
        t.join();
    workers_.clear();
}

MaybeError VideoWriter::finish() {
    {
        std::unique_lock lock(mutex_);
        if (finished_) return error_;
        changed_.wait(lock, [this] {
            return toConvert_.empty() && toEncode_.empty() && busy_ == 0 && packets_.empty() && !storing_;
        });
    }
    stopThreads();
    MaybeError e;
    {
        std::lock_guard lock(mutex_);
        e = error_;
    }
    qint64 size = 0;
    if (!e && started_) e = encoder_.finish();
    struct stat st {};
    if (!e && started_ && ::fstat(file_.fd(), &st) == 0) size = st.st_size;
    if (!e && started_) e = file_.commit();
    if (e) file_.discard();
    std::lock_guard lock(mutex_);
    finished_ = true;
    bytes_ = size;
    if (e) {
        setError(e);
        encoded_ = 0; // nothing of it is on disk
    }
    return error_;
}

qint64 VideoWriter::written() const {
    std::lock_guard lock(mutex_);
    return encoded_;
}

bool VideoWriter::ready() const {
    std::lock_guard lock(mutex_);
    return !started_ || !freePictures_.empty() || error_; // the rings are made by the first frame
}

SinkOutput VideoWriter::output() const {
    std::lock_guard lock(mutex_);
    if (error_ || !started_) return {};
    // While the file grows, still without its name, the name it will have and its size so far.
    return {path_, path_, finished_ ? bytes_ : encoder_.bytes()};
}
