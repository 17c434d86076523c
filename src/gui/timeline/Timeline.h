#pragma once
// What the timeline's rows share: the project's spans of legs and holds in frames (from the
// core's walk, taken again after every change), the playhead, the zoom and the way to the
// preview. Rows draw from it and change the project through the edit history, one undo step
// for each action.

#include "TimeScale.h"
#include "animation/TimeSpans.h"
#include "shell/Workspace.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <future>
#include <memory>

class EditHistory;

class Timeline : public QObject {
    Q_OBJECT
  public:
    // How the timeline reaches the preview in the map window.
    struct Host {
        std::function<void(qint64)> seek;     // show that frame exactly as rendered
        std::function<void(qint64)> play;     // play forwards from that frame
        std::function<void()> pause;          // stop a preview that plays
        std::function<bool()> playing;        // a preview plays
        std::function<double(qint64)> zoomAt; // the camera's zoom at that frame
    };
    Timeline(Workspace& ws, EditHistory& history, Host host, QObject* parent = nullptr);
    ~Timeline() override;

    Workspace& workspace() { return ws_; }
    EditHistory& history() { return history_; }
    Host& host() { return host_; }
    TimeScale& scale() { return scale_; }

    // The spans of the project as it is now. A walk longer than a few frames' painting goes on on a
    // worker thread; meanwhile the spans as far as walked show.
    const TimeSpans& spans();
    qint64 frames() { return spans().frames; }
    qint64 last() { return std::max<qint64>(frames() - 1, 0); }

    qint64 playhead() const { return playhead_; }
    // Moves the playhead and shows that frame in the map.
    void seek(qint64 frame);
    // The preview shows this frame: the playhead follows without seeking.
    void follow(qint64 frame);

    // Ctrl+wheel: pixels per frame times `factor`, keeping the frame under `anchor` in place.
    void zoom(double factor, int anchor);
    void scrollTo(int pixels);

    // The point whose arrival is nearest `frame`; -1 for none.
    int nearestArrival(qint64 frame);

  signals:
    // Spans, playhead or zoom changed: repaint.
    void changed();

  private:
    void forget();
    void walkOn();
    void settle();

    Workspace& ws_;
    EditHistory& history_;
    Host host_;
    TimeScale scale_;
    TimeSpans spans_;
    bool known_ = false;
    std::future<TimeSpans> walking_;
    std::shared_ptr<std::atomic<bool>> abandon_; // the walk running is no longer wanted
    QTimer poll_;
    qint64 playhead_ = 0;
};
