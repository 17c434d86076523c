#pragma once
// The preview in the map window and the render dialog, driven from the event loop: no handler
// waits in a nested loop, so every other command stays usable meanwhile. Only one of the two
// runs at a time; starting either while one runs does nothing.
//
// Preview pace: `timerRoute` is a Qt::PreciseTimer started at 1000 / fps ms rounded (33 for
// NTSC, 40 for PAL); after every tick it is started again for the whole milliseconds to the
// next tick's due time on the video's clock (TickPace), so NTSC alternates 33 and 34 ms and
// keeps 29.97 frames a second, and late ticks do not accumulate into drift.
//
// Render: frames are drawn on this thread in slices of a few milliseconds per pass of the
// event loop and handed to the target's frame writer, which writes them on worker threads. A slice never
// waits for the writer: while its small queue is full, the next slice comes a millisecond later.
// The map window, both frame labels and the dialog's progress are brought up to date at most
// every 20 ms. At the end (or after Stop) the writer finishes on a thread of its own, a video
// file's last frames included, while the event loop goes on.
// A render whose folder and name another render is writing is refused with a message. Before
// anything is written the frames are counted on a worker thread (BackgroundCount); a render of
// more than a day of video is refused with a message, and Stop abandons the count. Before that,
// the tiles of a tiled map's frames are fetched on a worker thread (TileFetch); a tile that
// cannot be had is told and nothing is written, and Stop ends the fetch at its next tile.

#include "BackgroundCount.h"
#include "TileFetch.h"
#include "animation/FrameSink.h"
#include "animation/Marker.h"
#include "animation/Preview.h"
#include "animation/Render.h"
#include "animation/RenderLock.h"
#include "animation/TickPace.h"
#include "shell/Workspace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <future>
#include <memory>
#include <optional>

class EditHistory;
class QWidget;
class RenderDialog;

class AnimationCommands : public QObject {
    Q_OBJECT
  public:
    // `timerRoute` is the main window's timer; `setFrameText` sets the main window's `lblFrame`;
    // `refresh` repaints the map window and the swatch; the render dialog's names change
    // through `history`.
    AnimationCommands(Workspace& ws, EditHistory& history, QWidget* mainWindow, QTimer* timerRoute,
                      std::function<void(const QString&)> setFrameText, std::function<void()> refresh);
    ~AnimationCommands() override;

    // The Preview button: plays from the first frame; pressed again (or Esc), stops.
    void btnRoute_Click();
    // The timeline: any frame of the project as it is, and playing from there.
    void seek(qint64 frame);
    void playFrom(qint64 frame);
    void stopPreview();
    qint64 frames();
    // The camera's zoom at frame n, frame pixels per map pixel (the follow camera's `zoom.I`).
    double cameraZoom(qint64 n);
    // Where the camera's frame lies on the map at the frame shown (or the first), in map pixels;
    // empty for the fixed camera, whose frame is the map window itself.
    QPolygonF cameraFrame();
    void timerRoute_Timer();
    void btnRender_Click(); // also the Render menu entry: shows the render dialog

    // The render dialog's Render button, after it has set `renderpath` and `rendername`.
    void startRender();
    // Ends the running render after the frames drawn so far; they are kept (a video file plays).
    void stopRender();
    bool previewing() const { return preview_.running(); }
    // From Render, counting included, to the render's end.
    bool rendering() const { return run_ || count_.running() || fetch_.running(); }
    RenderDialog* renderDialog() const { return dialog_; }
    const QTimer* timerRoute() const { return timer_; }
    // The preview's frame, shown in the map window instead of the map from the start of a
    // preview until the next redraw; null when the map shows.
    const QImage* previewPicture() const;

  signals:
    // The preview or the timeline shows this frame.
    void frameShown(qint64 frame);
    // A render is over; `message` is empty on success, else what the user was told.
    void renderFinished(const RenderResult& result);

  private:
    std::optional<Marker> markerOrSay(const QString& what);
    void startTick();
    void tilesFetched(const MaybeError& error);
    void counted(const FrameCount& count);
    void renderSlice();
    void showProgress();
    void finishRender();
    void endRender();

    Workspace& ws_;
    EditHistory& history_;
    QWidget* main_;
    QTimer* timer_;
    std::function<void(const QString&)> setFrameText_;
    std::function<void()> refresh_;
    Preview preview_;
    bool stale_ = false; // edited while the preview played: its copy goes when it stops
    TickPace pace_;
    RenderDialog* dialog_ = nullptr;

    TileFetch fetch_; // a tiled map's tiles, before the count
    BackgroundCount count_;
    // The project and its marker as they were when Render was pressed, while the frames are counted.
    std::unique_ptr<Workspace> pressed_;
    std::optional<Marker> pressedMarker_;
    RenderLock lock_; // held from the start of a render to its end
    std::unique_ptr<FrameSink> writer_;
    std::unique_ptr<RenderRun> run_;
    QTimer slice_;   // draws the next slice of frames whenever the event loop is idle
    QTimer repaint_; // screen-rate updates of the map window and the labels
    QString frameText_;
    bool video_ = false;             // the render writes one video file
    QElapsedTimer clock_;            // since the render started
    std::future<MaybeError> ending_; // the writer finishing its last frames
    QTimer endPoll_;
};
