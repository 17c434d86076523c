#include "AnimationCommands.h"

#include "RenderDialog.h"
#include "RenderSummary.h"
#include "animation/FrameWriters.h"
#include "animation/RenderRange.h"
#include "animation/RenderTarget.h"
#include "shell/EditHistory.h"

#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QWidget>

namespace {
constexpr auto kSlice = std::chrono::milliseconds(8);
constexpr int kRepaintMs = 20;
constexpr int kWaitMs = 1;

// A message that does not hold up the event loop (no nested loop): it closes itself.
void tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    auto* box =
        new QMessageBox(icon, AnimationCommands::tr("Pathwright - Render"), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
} // namespace

AnimationCommands::AnimationCommands(Workspace& ws, EditHistory& history, QWidget* mainWindow,
                                     QTimer* timerRoute, std::function<void(const QString&)> setFrameText,
                                     std::function<void()> refresh)
    : QObject(mainWindow), ws_(ws), history_(history), main_(mainWindow), timer_(timerRoute),
      setFrameText_(std::move(setFrameText)), refresh_(std::move(refresh)),
      preview_(ws, {[this](int) {
                        if (!timer_->isActive()) startTick();
                    },
                    [this] { timer_->stop(); },
                    [this](const QString& t) {
                        setFrameText_(t);
                        emit frameShown(preview_.frame());
                    }}) {
    timer_->setTimerType(Qt::PreciseTimer);
    // The preview plays the project as it was when it started. Once it is over, an edit shows
    // the editor's map again.
    connect(&ws_.events, &WorkspaceEvents::redrawing, this, [this] {
        if (preview_.running())
            stale_ = true;
        else
            preview_.dismiss();
    });
    slice_.setInterval(0);
    connect(&slice_, &QTimer::timeout, this, &AnimationCommands::renderSlice);
    repaint_.setInterval(kRepaintMs);
    connect(&repaint_, &QTimer::timeout, this, &AnimationCommands::showProgress);
    endPoll_.setInterval(kRepaintMs);
    connect(&endPoll_, &QTimer::timeout, this, [this] {
        if (ending_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) endRender();
    });
}

AnimationCommands::~AnimationCommands() {
    // The workspace and the main window's timer may be gone already: touch neither. The run goes
    // first, then the writer finishes what it holds and its threads end.
    fetch_.abandon();
    count_.abandon();
    if (ending_.valid()) ending_.wait();
    run_.reset();
    writer_.reset();
    lock_.release();
}

// A marker picture that cannot be used keeps the preview or the render from starting, and says why.
std::optional<Marker> AnimationCommands::markerOrSay(const QString& what) {
    Error bad;
    std::optional<Marker> marker = renderMarker(ws_.st, &bad);
    if (!marker)
        tell(dialog_ && dialog_->isVisible() ? static_cast<QWidget*>(dialog_) : main_, QMessageBox::Warning,
             what + "\n\n" + bad.message());
    return marker;
}

void AnimationCommands::btnRender_Click() {
    if (!dialog_)
        dialog_ = new RenderDialog(ws_, history_,
                                   {[this] { startRender(); }, [this] { return rendering() || previewing(); },
                                    [this] { stopRender(); }},
                                   main_);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

void AnimationCommands::startRender() {
    if (rendering() || preview_.running()) return;
    // A marker picture that cannot be used is said at once, before the count.
    pressedMarker_ = markerOrSay(tr("The render did not start."));
    if (!pressedMarker_) return;
    // The render is of the project as it is now: edits during the count change nothing in it.
    pressed_ = projectCopy(ws_);
    pressed_->access = ws_.access;
    if (pressed_->tiles) {
        if (dialog_) dialog_->renderStarted(); // Stop ends the fetch
        fetch_.start(
            *pressed_,
            [this](int done, int wanted) {
                if (dialog_) dialog_->showTileProgress(done, wanted);
            },
            [this](const MaybeError& error) { tilesFetched(error); });
        return;
    }
    count_.start(pressed_->st, [this](const FrameCount& count) { counted(count); });
}

void AnimationCommands::tilesFetched(const MaybeError& error) {
    QWidget* parent = dialog_ && dialog_->isVisible() ? static_cast<QWidget*>(dialog_) : main_;
    if (fetch_.stopped() || error) {
        pressed_.reset();
        if (dialog_)
            dialog_->renderEnded(fetch_.stopped() ? tr("Stopped before the first frame.")
                                                  : tr("The map tiles could not be had."));
        if (!fetch_.stopped())
            tell(parent, QMessageBox::Warning, tr("The render did not start.") + "\n\n" + error->message());
        return;
    }
    count_.start(pressed_->st, [this](const FrameCount& count) { counted(count); });
}

void AnimationCommands::counted(const FrameCount& count) {
    QWidget* parent = dialog_ && dialog_->isVisible() ? static_cast<QWidget*>(dialog_) : main_;
    if (count.error) {
        tell(parent, QMessageBox::Warning, tr("The render did not start.") + "\n\n" + count.error->message());
        return;
    }
    const std::unique_ptr<Workspace> pressed = std::move(pressed_);
    if (const RenderRange range = renderRangeOf(*pressed, count.frames); range.error) {
        tell(parent, QMessageBox::Warning, tr("The render did not start.") + "\n\n" + range.error->message());
        return;
    }
    if (MaybeError e = lock_.take(pressed->st.renderpath, pressed->st.rendername)) {
        tell(parent, QMessageBox::Warning, tr("The render did not start.") + "\n\n" + e->message());
        return;
    }
    preview_.dismiss();
    // A fresh writer for every render: a failure of the last one is forgotten.
    const RenderTarget target = renderTargetFor(*pressed);
    video_ = isVideoKind(*target.kind);
    MadeWriter made = makeFrameWriter(target);
    if (made.error) {
        lock_.release();
        tell(parent, QMessageBox::Warning, made.error->message());
        return;
    }
    writer_ = std::move(made.sink);
    run_ = std::make_unique<RenderRun>(*pressed, *writer_, std::move(*pressedMarker_),
                                       RenderRun::Hooks{[this](const QString& t) { frameText_ = t; }, {}},
                                       count.frames);
    clock_.start();
    if (dialog_) dialog_->renderStarted();
    slice_.start();
    repaint_.start();
}

void AnimationCommands::stopRender() {
    fetch_.stop();
    count_.abandon();
    if (!run_ || ending_.valid()) return;
    run_->stop();
    finishRender();
}

void AnimationCommands::renderSlice() {
    if (!run_) return;
    // While the writer's queue is full the event loop is not held up: the next slice comes
    // after a short pause instead of waiting inside put().
    const int interval = writer_->ready() ? 0 : kWaitMs;
    if (slice_.interval() != interval) slice_.setInterval(interval);
    if (interval != 0) return;
    if (!run_->advance(kSlice)) finishRender();
}

void AnimationCommands::showProgress() {
    if (dialog_ && run_) {
        const qint64 written = writer_->written();
        const double secs = clock_.nsecsElapsed() / 1e9;
        dialog_->showProgress(written, run_->total(), secs > 0 ? written / secs : 0.0);
    }
    if (frameText_.isEmpty()) return;
    setFrameText_(frameText_);
    if (dialog_) dialog_->setFrameText(frameText_);
    refresh_();
}

// No more frames: the writer finishes on a thread (a video encoder still holds frames to
// compress), the event loop goes on meanwhile.
void AnimationCommands::finishRender() {
    slice_.stop();
    FrameSink* writer = writer_.get();
    ending_ = std::async(std::launch::async, [writer] { return writer->finish(); });
    endPoll_.start();
}

void AnimationCommands::endRender() {
    endPoll_.stop();
    repaint_.stop();
    ending_.get();
    const RenderResult result = run_->finish(); // the writer is done: this does not wait
    lock_.release();
    showProgress();
    run_.reset();
    frameText_.clear();
    QWidget* parent = dialog_ && dialog_->isVisible() ? static_cast<QWidget*>(dialog_) : main_;
    if (dialog_) {
        const SinkOutput out = writer_->output();
        const QString file =
            video_ ? tr(" in %1, %2")
                         .arg(QFileInfo(out.first).fileName(),
                              QLocale::system().formattedDataSize(out.bytes, 1, QLocale::DataSizeSIFormat))
                   : QString();
        dialog_->renderEnded(result.error     ? tr("The render stopped.")
                             : result.stopped ? tr("Stopped: %1 frames kept%2.").arg(result.frames).arg(file)
                                              : tr("%1 frames written%2.").arg(result.frames).arg(file));
    }
    if (result.error && result.error->file.isEmpty()) {
        tell(parent, QMessageBox::Information, result.message());
    } else if (result.error && video_) {
        tell(parent, QMessageBox::Warning,
             tr("The render stopped: the video file %1 could not be written.\n\n%2\n\n"
                "Nothing was kept under that name.")
                 .arg(shown(result.error->file), result.error->reason));
    } else if (result.error) {
        // The dialog stays open so that another directory can be chosen.
        tell(parent, QMessageBox::Warning,
             tr("The render stopped: frame file %1 could not be written.\n\n%2\n\n"
                "The %3 frames before it were written.")
                 .arg(shown(result.error->file), result.error->reason)
                 .arg(result.frames));
    } else if (!result.stopped) {
        if (dialog_) dialog_->hide();
        if (result.cutShort)
            tell(main_, QMessageBox::Information, result.message());
        else
            showRenderSummary(main_, result.frames, writer_->output(), clock_.nsecsElapsed() / 1e9);
    }
    emit renderFinished(result);
}
