#pragma once
// Writes a render as one video file. The caller's thread only copies each frame into a free
// picture buffer; a conversion thread turns it into a free frame of the encoder's Y'CbCr and
// an encoding thread compresses and stores that, so conversion and encoding overlap and the
// drawing goes on meanwhile. Pictures and frames are two rings, each as deep as fits in a
// fixed number of bytes (FramesInFlight.h): memory is bounded whatever the length and size
// of the render, and a picture is free again as soon as it is converted.
//
// ProRes frames are independent, so a MOV file is made by one worker per core instead: each
// converts and compresses whole frames with a codec of its own, and the packets are stored in
// frame order. Workers run at most a few frames ahead of the oldest one not yet stored. A
// frame whose picture's change log says nothing changed since the frame before (a hold at a
// point, the end) is not encoded again: it repeats that frame's packet, the same bytes.
// A frame of which only some bands of 16 rows changed (the head of the line, a label) has
// only those encoded and takes the other rows' slices from the packet of the frame before.
//
// The file is written through SafeFile and takes its own name only once complete: a failure
// (no permission, full disk) leaves no half file under that name. finish() after any number
// of frames, the render's natural end or a stop, gives a complete, playable file.

#include "VideoEncoder.h"
#include "animation/FrameSink.h"
#include "animation/FrameWriters.h"
#include "shell/SafeFile.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class VideoWriter : public FrameSink {
  public:
    // `settings` width and height 0: taken from the first frame. `depth`: the most pictures and
    // frames of each ring, fewer when they would not fit in the bytes; 0 for the default.
    VideoWriter(VideoSettings settings, QString path, bool transparent = false, int depth = 0);
    ~VideoWriter() override; // without finish(): stops and removes the unfinished file

    MaybeError put(const QImage& frame, qint64 index, const ChangeLog* changes = nullptr) override;
    MaybeError finish() override;
    qint64 written() const override;
    bool ready() const override;
    bool transparent() const override { return transparent_; }
    SinkOutput output() const override;

    const QString& path() const { return path_; }
    // MOV frames made of the slices of the frame before and their changed rows.
    qint64 spliced() const;

  private:
    struct Picture { // a frame as drawn, in one of the layouts the converter takes
        std::vector<uchar> pixels;
        qsizetype stride = 0;
        QImage::Format layout = QImage::Format_Invalid;
        qint64 seq = 0;      // the frame's place in the file
        bool repeat = false; // the same picture as the frame before (ProRes: the same packet)
        // ProRes: the bands of macroblock rows that changed (first, count), only those copied
        // and encoded; none: the whole frame.
        std::vector<std::pair<int, int>> strips;
    };
    struct Encoded {                // a frame's packet waiting for its turn
        AVPacket* packet = nullptr; // null when repeated, or skipped after a failure
        bool repeat = false;
        std::vector<std::pair<int, AVPacket*>> strips; // first row and packet of changed bands
    };

    MaybeError start(const QImage& first);
    // Waits for an index in `queue` and takes it, busy until handed on; -1 once the writer
    // stops with the queue empty. `failed` says whether an error stood by then.
    int take(std::deque<int>& queue, bool& failed);
    void convertLoop();
    void encodeLoop();
    MaybeError startWorkers(qint64 pictureBytes, int frameBytes); // ProRes
    void workerLoop(int worker);
    // Sets the picture's strips (or repeat) from the change log's areas or by comparing it with
    // the frame before.
    void findStrips(const QImage& image, const ChangeLog* changes, bool logKnown, Picture& picture);
    // The previous packet with the strips' rows put in, as the packet of a whole frame.
    MaybeError splice(Encoded& encoded);
    static void freePackets(Encoded& encoded);
    // Stores the packets that are next in frame order (under the lock, which it lets go meanwhile).
    void storeInOrder(std::unique_lock<std::mutex>& lock);
    void stopThreads();
    void setError(MaybeError e); // under the lock

    VideoSettings settings_;
    QString path_;
    bool transparent_;
    SafeFile file_; // the file under its temporary name until complete
    VideoEncoder encoder_;
    bool started_ = false;
    bool packRows_ = false; // opaque frames are packed to 24 bits while copied
    bool finished_ = false;

    int depth_; // the most pictures and frames of each ring
    std::vector<Picture> pictures_;
    std::vector<AVFrame*> frames_;
    std::vector<int> freePictures_, freeFrames_;
    std::deque<int> toConvert_, toEncode_; // pictures, frames
    qint64 nextSeq_ = 0;
    // ProRes: packets waiting for the earlier ones (null for a frame skipped after a failure),
    // the next frame to store and how far past it a worker may take a frame.
    std::map<qint64, Encoded> packets_;
    AVPacket* lastPacket_ = nullptr;     // the last one stored, for a frame that repeats it
    const ChangeLog* lastLog_ = nullptr; // the picture of the last frame taken, and its version then
    quint64 lastVersion_ = 0;
    std::vector<QRect> areas_;    // put()'s own
    std::vector<uchar> previous_; // without a change log: the last picture, to compare with
    qsizetype previousStride_ = 0;
    QImage::Format previousLayout_ = QImage::Format_Invalid;
    std::vector<char> bands_;            // put()'s own: which macroblock rows changed
    std::vector<std::uint8_t> splicing_; // the storing thread's
    qint64 storeNext_ = 0;
    qint64 window_ = 0;
    bool storing_ = false;
    int busy_ = 0; // pictures and frames a thread works on now
    qint64 encoded_ = 0;
    qint64 spliced_ = 0;
    qint64 bytes_ = 0; // the finished file
    bool stopping_ = false;
    MaybeError error_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::thread converter_, encoderThread_;
    std::vector<std::unique_ptr<FrameCoder>> coders_; // a worker's each
    std::vector<std::thread> workers_;
};

// The video library's one entry point, found by name when the library is loaded: the MP4
// (H.264) or MOV (ProRes 4444) writer for `target`, named folder & base name & ".mp4" or ".mov".
extern "C" void pathwrightMakeVideoFile(const RenderTarget* target, MadeWriter* made);
