#include "BmpFrameWriter.h"

#include "BmpEncoding.h"
#include "shell/SafeFile.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <unistd.h>

BmpFrameWriter::BmpFrameWriter(NumberedFiles names, int threads, int depth, Encoding encoding,
                               WriteFile writeFile)
    : names_(std::move(names)), encoding_(encoding),
      writeFile_(writeFile ? std::move(writeFile) : WriteFile(&BmpFrameWriter::writeFile)) {
    if (threads <= 0) threads = int(std::max(1u, std::thread::hardware_concurrency()));
    if (depth <= 0) depth = 2 * threads;
    jobs_.resize(std::size_t(depth));
    for (int i = depth - 1; i >= 0; --i)
        free_.push_back(i);
    for (int t = 0; t < threads; ++t)
        workers_.emplace_back([this] { work(); });
}

BmpFrameWriter::~BmpFrameWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workReady_.notify_all();
    for (std::thread& t : workers_)
        t.join();
}

MaybeError BmpFrameWriter::put(const QImage& frame, qint64 index) {
    const QImage image =
        frame.format() == QImage::Format_RGB32 ? frame : frame.convertToFormat(QImage::Format_RGB32);
    int slot;
    {
        std::unique_lock lock(mutex_);
        slotFree_.wait(lock, [this] { return !free_.empty() || error_; });
        if (error_) return error_;
        slot = free_.back();
        free_.pop_back();
    }
    // The copy happens outside the lock: the slot belongs to this thread until queued.
    Job& job = jobs_[std::size_t(slot)];
    const std::size_t row = std::size_t(image.width()) * 4;
    if (encoding_ == Encoding::WhileCopying) {
        encodeBmp(image.constBits(), image.width(), image.height(), image.bytesPerLine(), job.bmp);
    } else if (job.pixels.resize(row * std::size_t(image.height())); qsizetype(row) == image.bytesPerLine()) {
        std::memcpy(job.pixels.data(), image.constBits(), job.pixels.size());
    } else {
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(job.pixels.data() + row * std::size_t(y), image.constScanLine(y), row);
    }
    job.width = image.width();
    job.height = image.height();
    job.path = names_.path(index);
    job.size = qint64(bmpFileSize(image.width(), image.height()));
    {
        std::lock_guard lock(mutex_);
        job.seq = nextSeq_++;
        ready_.push_back(slot);
    }
    workReady_.notify_one();
    return std::nullopt;
}

MaybeError BmpFrameWriter::finish() {
    std::unique_lock lock(mutex_);
    slotFree_.wait(lock, [this] { return ready_.empty() && busy_ == 0; });
    return error_;
}

qint64 BmpFrameWriter::written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

bool BmpFrameWriter::ready() const {
    std::lock_guard lock(mutex_);
    return !free_.empty() || error_;
}

void BmpFrameWriter::work() {
    std::vector<char> buffer; // the encoded file, reused for every frame of this thread
    for (;;) {
        int slot;
        bool skip;
        {
            std::unique_lock lock(mutex_);
            workReady_.wait(lock, [this] { return stopping_ || !ready_.empty(); });
            if (ready_.empty()) return;
            slot = ready_.front();
            ready_.pop_front();
            ++busy_;
            skip = bool(error_); // after a failure nothing more is written
            if (!skip) inFlight_.push_back(jobs_[std::size_t(slot)].seq);
        }
        const Job& job = jobs_[std::size_t(slot)];
        MaybeError error;
        if (!skip && encoding_ == Encoding::OnWorkers) {
            encodeBmp(job.pixels.data(), job.width, job.height, qsizetype(job.width) * 4, buffer);
            error = writeFile_(job.path, buffer);
        } else if (!skip) {
            error = writeFile_(job.path, job.bmp);
        }
        {
            std::lock_guard lock(mutex_);
            settle(job, error, skip);
            free_.push_back(slot);
            --busy_;
        }
        slotFree_.notify_all();
    }
}

// Books a frame the worker is done with (under the lock). Frames are taken in order, so every
// frame before the earliest one still in flight is settled for good.
void BmpFrameWriter::settle(const Job& job, const MaybeError& error, bool skipped) {
    if (skipped) return;
    inFlight_.erase(std::find(inFlight_.begin(), inFlight_.end(), job.seq));
    if (error) {
        if (!error_ || job.seq < errorSeq_) {
            error_ = error;
            errorSeq_ = job.seq;
            removeAfter(job.seq);
        }
    } else if (error_ && job.seq > errorSeq_) {
        ::unlink(QFile::encodeName(job.path).constData());
    } else {
        ++written_;
        bytes_ += job.size;
        const bool earlierInFlight =
            std::any_of(inFlight_.begin(), inFlight_.end(), [&](qint64 s) { return s < job.seq; });
        if (earlierInFlight) ahead_.push_back({job.seq, job.path, job.size});
    }
    const qint64 settled =
        inFlight_.empty() ? nextSeq_ : *std::min_element(inFlight_.begin(), inFlight_.end());
    std::erase_if(ahead_, [&](const auto& a) { return a.seq < settled; });
}

// Takes back the frames written after the failed frame `seq`.
void BmpFrameWriter::removeAfter(qint64 seq) {
    std::erase_if(ahead_, [&](const auto& a) {
        if (a.seq < seq) return false;
        ::unlink(QFile::encodeName(a.path).constData());
        --written_;
        bytes_ -= a.size;
        return true;
    });
}

MaybeError BmpFrameWriter::writeFile(const QString& path, const std::vector<char>& data) {
    return writeFileSafely(path, data.data(), data.size());
}

SinkOutput BmpFrameWriter::output() const {
    std::lock_guard lock(mutex_);
    if (written_ == 0) return {};
    return {names_.path(0), names_.path(written_ - 1), bytes_};
}

MadeWriter makeBmpSequence(const RenderTarget& target) {
    return {std::make_unique<BmpFrameWriter>(NumberedFiles{target.folder + target.baseName, ".bmp"}), {}};
}
