#pragma once
// Writes numbered frame files (BMP, PNG) on worker threads, so drawing goes on while files are
// created (creating a file is the slow part). put() copies each frame into a free buffer of a
// small ring, in the layout of the file kind; a worker then writes the file from it. The ring
// bounds memory: a render of any length holds at most `depth` frame copies, fewer when they
// would not fit in the bytes for frames in flight (FramesInFlight.h). A buffer that
// last held an earlier frame of the same picture takes only the areas changed since, which
// the picture's change log names: at 1080p that is a few kilobytes instead of 6 MB a frame.
//
// Each file is written through SafeFile (a fresh hidden name, renamed when complete), so a
// failure (missing directory, no permission, full disk) never leaves a half-written file under a
// frame name, and nothing planted in the folder redirects a frame. After the first failure nothing more is
// written and put() reports it. Frames after the failed one that other workers had already
// finished are removed again, so the disk holds exactly the frames before it, as if the render
// had written one frame at a time and stopped there.

#include "FrameFiles.h"
#include "FrameSink.h"
#include "FrameWriters.h"
#include "NumberedFiles.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class SequenceWriter : public FrameSink {
  public:
    // Called on a worker before each file; an error fails that frame (tests stand in for a
    // slow, failing disk with it).
    using Fault = std::function<MaybeError(const QString& path)>;
    // threads 0: one per core; depth 0: one frame more than threads.
    SequenceWriter(NumberedFiles names, const FrameFileType& type, int threads = 0, int depth = 0,
                   Fault fault = {});
    ~SequenceWriter() override;

    MaybeError put(const QImage& frame, qint64 index, const ChangeLog* changes = nullptr) override;
    MaybeError finish() override;
    qint64 written() const override;
    bool ready() const override;
    qint64 frameLimit() const override { return kNumberedFileLimit; }
    bool transparent() const override { return type_.transparent; }
    SinkOutput output() const override;

  private:
    struct Job {
        QImage frame; // kept from frame to frame: the same buffer every time
        QString path;
        qint64 seq = 0;
        const ChangeLog* from = nullptr; // the picture `frame` last copied, and its version then
        quint64 version = 0;
    };
    struct Ahead { // on disk while an earlier frame is still being written
        qint64 seq;
        QString path;
        qint64 bytes;
    };

    void copyInto(Job& job, const QImage& frame, const ChangeLog* changes);
    void work();
    FileWritten writeFile(const QString& path, QImage& frame, std::vector<char>& scratch);
    void settle(const Job& job, const FileWritten& result, bool skipped);
    void removeAfter(qint64 seq);

    NumberedFiles names_;
    const FrameFileType& type_;
    Fault fault_;

    std::vector<Job> jobs_;
    std::vector<QRect> areas_; // put()'s own
    std::vector<int> free_;
    std::deque<int> ready_;
    int busy_ = 0;
    qint64 nextSeq_ = 0;
    qint64 firstIndex_ = 0; // the number of the first frame taken
    qint64 written_ = 0;
    qint64 bytes_ = 0;
    bool stopping_ = false;
    bool sized_ = false; // the ring is cut to the bytes of the first frame
    MaybeError error_;
    qint64 errorSeq_ = 0;
    std::vector<qint64> inFlight_; // frames the workers hold now
    // If the frame being written fails, these are removed: only a few at a time.
    std::vector<Ahead> ahead_;

    mutable std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable slotFree_;
    std::vector<std::thread> workers_;
};

// Sequences named folder & base name & number & suffix.
MadeWriter makeBmpSequence(const RenderTarget& target);
MadeWriter makePngSequence(const RenderTarget& target);
