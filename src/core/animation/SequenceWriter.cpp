#include "SequenceWriter.h"

#include "FrameCopy.h"
#include "FramesInFlight.h"
#include "shell/SafeFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

bool writeAll(int fd, const char* data, std::size_t size) {
    iovec v{const_cast<char*>(data), size};
    return writeVectors(fd, &v, 1);
}

SequenceWriter::SequenceWriter(NumberedFiles names, const FrameFileType& type, int threads, int depth,
                               Fault fault)
    : names_(std::move(names)), type_(type), fault_(std::move(fault)) {
    if (threads <= 0) threads = int(std::max(1u, std::thread::hardware_concurrency()));
    if (depth <= 0) depth = threads + 1;
    jobs_.resize(std::size_t(depth));
    for (int i = depth - 1; i >= 0; --i)
        free_.push_back(i);
    for (int t = 0; t < threads; ++t)
        workers_.emplace_back([this] { work(); });
}

SequenceWriter::~SequenceWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workReady_.notify_all();
    for (std::thread& t : workers_)
        t.join();
}

MaybeError SequenceWriter::put(const QImage& frame, qint64 index, const ChangeLog* changes) {
    int slot;
    {
        std::unique_lock lock(mutex_);
        if (!sized_) { // the ring keeps only the buffers that fit in the bytes for frames in flight
            sized_ = true;
            const qint64 bytes = qint64(frame.width()) * frame.height() *
                                 QImage::toPixelFormat(type_.layout).bitsPerPixel() / 8;
            const int depth = framesInFlight(bytes, int(jobs_.size()));
            std::erase_if(free_, [&](int i) { return i >= depth; });
        }
        slotFree_.wait(lock, [this] { return !free_.empty() || error_; });
        if (error_) return error_;
        slot = free_.back();
        free_.pop_back();
    }
    // The copy happens outside the lock: the slot belongs to this thread until queued.
    Job& job = jobs_[std::size_t(slot)];
    copyInto(job, frame, changes);
    job.path = names_.path(index);
    {
        std::lock_guard lock(mutex_);
        if (nextSeq_ == 0) firstIndex_ = index; // a render of a part starts past 0
        job.seq = nextSeq_++;
        ready_.push_back(slot);
    }
    workReady_.notify_one();
    return std::nullopt;
}

// Brings the buffer up to date with `frame`: only the areas changed since it last held this
// picture, while the log still knows them.
void SequenceWriter::copyInto(Job& job, const QImage& frame, const ChangeLog* changes) {
    areas_.clear();
    const bool known = changes && job.from == changes && changes->since(job.version, areas_);
    copyFrame(frame, known ? &areas_ : nullptr, type_, job.frame);
    job.from = changes;
    job.version = changes ? changes->version() : 0;
}

MaybeError SequenceWriter::finish() {
    std::unique_lock lock(mutex_);
    slotFree_.wait(lock, [this] { return ready_.empty() && busy_ == 0; });
    return error_;
}

qint64 SequenceWriter::written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

bool SequenceWriter::ready() const {
    std::lock_guard lock(mutex_);
    return !free_.empty() || error_;
}

SinkOutput SequenceWriter::output() const {
    std::lock_guard lock(mutex_);
    if (written_ == 0) return {};
    return {names_.path(firstIndex_), names_.path(firstIndex_ + written_ - 1), bytes_};
}

void SequenceWriter::work() {
    std::vector<char> scratch; // this thread's encoding buffer, reused for every frame
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
        Job& job = jobs_[std::size_t(slot)];
        const FileWritten result = skip ? FileWritten{} : writeFile(job.path, job.frame, scratch);
        {
            std::lock_guard lock(mutex_);
            settle(job, result, skip);
            free_.push_back(slot);
            --busy_;
        }
        slotFree_.notify_all();
    }
}

FileWritten SequenceWriter::writeFile(const QString& path, QImage& frame, std::vector<char>& scratch) {
    if (fault_)
        if (MaybeError e = fault_(path)) return {0, e->reason};
    SafeFile file(path);
    if (MaybeError e = file.open()) return {0, e->reason};
    FileWritten result = type_.write(file.fd(), frame, scratch);
    if (!result.failure.isEmpty()) return result; // the unfinished file goes with `file`
    if (MaybeError e = file.commit()) return {0, e->reason};
    return result;
}

// Books a frame the worker is done with (under the lock). Frames are taken in order, so every
// frame before the earliest one still in flight is settled for good.
void SequenceWriter::settle(const Job& job, const FileWritten& result, bool skipped) {
    if (skipped) return;
    inFlight_.erase(std::find(inFlight_.begin(), inFlight_.end(), job.seq));
    if (!result.failure.isEmpty()) {
        if (!error_ || job.seq < errorSeq_) {
            error_ = Error{job.path, result.failure};
            errorSeq_ = job.seq;
            removeAfter(job.seq);
        }
    } else if (error_ && job.seq > errorSeq_) {
        ::unlink(QFile::encodeName(job.path).constData());
    } else {
        ++written_;
        bytes_ += result.bytes;
        const bool earlierInFlight =
            std::any_of(inFlight_.begin(), inFlight_.end(), [&](qint64 s) { return s < job.seq; });
        if (earlierInFlight) ahead_.push_back({job.seq, job.path, result.bytes});
    }
    const qint64 settled =
        inFlight_.empty() ? nextSeq_ : *std::min_element(inFlight_.begin(), inFlight_.end());
    std::erase_if(ahead_, [&](const Ahead& a) { return a.seq < settled; });
}

// Takes back the frames written after the failed frame `seq`.
void SequenceWriter::removeAfter(qint64 seq) {
    std::erase_if(ahead_, [&](const Ahead& a) {
        if (a.seq < seq) return false;
        ::unlink(QFile::encodeName(a.path).constData());
        --written_;
        bytes_ -= a.bytes;
        return true;
    });
}

namespace {
MadeWriter makeSequence(const RenderTarget& target, const FrameFileType& type) {
    return {
        std::make_unique<SequenceWriter>(NumberedFiles{target.folder + target.baseName, type.suffix}, type),
        {}};
}
} // namespace

MadeWriter makeBmpSequence(const RenderTarget& target) {
    return makeSequence(target, kBmpFiles);
}

MadeWriter makePngSequence(const RenderTarget& target) {
    return makeSequence(target, target.kind->transparent ? kPngAlphaFiles : kPngFiles);
}
