#pragma once
// Writes frames as 24-bit BMP files on worker threads, so drawing goes on while files are
// created (creating a file is the slow part). The caller's thread takes a copy of each picture
// into a free buffer of a small fixed pool, either as raw pixels that a worker then encodes, or
// encoded to BMP in the same pass as the copy (one pass over the picture instead of two; the
// workers then only write). Encoding while copying is the default: the packing costs about as
// much as a plain copy, so the two cores keep more time for creating files (bench_render compares
// both). The pool bounds memory: a render of any length holds at most `depth` frame copies.
//
// Each file is written through SafeFile (a fresh hidden name, renamed when complete), so a
// failure (missing directory, no permission, full disk) never leaves a half-written file under a
// frame name, and nothing planted in the folder redirects a frame. After the first failure nothing more is
// written and put() reports it. Frames after the failed one that other workers had already
// finished are removed again, so the disk holds exactly the frames before it, as if the render
// had written one frame at a time and stopped there.

#include "FrameSink.h"
#include "FrameWriters.h"
#include "NumberedFiles.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class BmpFrameWriter : public FrameSink {
  public:
    enum class Encoding { WhileCopying, OnWorkers };
    // Puts one encoded file on disk under its name (called on the worker threads).
    using WriteFile = std::function<MaybeError(const QString& path, const std::vector<char>& data)>;
    // threads 0: one per core; depth 0: two frames per thread; no writeFile: the real files.
    explicit BmpFrameWriter(NumberedFiles names, int threads = 0, int depth = 0,
                            Encoding encoding = Encoding::WhileCopying, WriteFile writeFile = {});
    ~BmpFrameWriter() override;

    MaybeError put(const QImage& frame, qint64 index) override;
    MaybeError finish() override;
    qint64 written() const override;
    bool ready() const override;
    qint64 frameLimit() const override { return kNumberedFileLimit; }
    SinkOutput output() const override;

    int threads() const { return int(workers_.size()); }

    // The real files, written safely.
    static MaybeError writeFile(const QString& path, const std::vector<char>& data);

  private:
    struct Job {
        std::vector<uchar> pixels; // RGB32 rows, tightly packed (encoding on the workers)
        std::vector<char> bmp;     // the encoded file (encoding while copying)
        int width = 0, height = 0;
        QString path;
        qint64 seq = 0;
        qint64 size = 0;
    };

    void work();
    void settle(const Job& job, const MaybeError& error, bool skipped);
    void removeAfter(qint64 seq);

    NumberedFiles names_;
    Encoding encoding_;
    WriteFile writeFile_;

    std::vector<Job> jobs_;
    std::vector<int> free_;
    std::deque<int> ready_;
    int busy_ = 0;
    qint64 nextSeq_ = 0;
    qint64 written_ = 0;
    qint64 bytes_ = 0;
    bool stopping_ = false;
    MaybeError error_;
    qint64 errorSeq_ = 0;
    std::vector<qint64> inFlight_; // frames the workers hold now
    // Frames on disk while an earlier frame was still being written: if that one fails, these
    // are removed. Only a few at a time, whatever the length of the render.
    struct Ahead {
        qint64 seq;
        QString path;
        qint64 size;
    };
    std::vector<Ahead> ahead_;

    mutable std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable slotFree_;
    std::vector<std::thread> workers_;
};

// A BMP sequence named folder & base name & number & ".bmp".
MadeWriter makeBmpSequence(const RenderTarget& target);
