// The preview and the timeline: the frames of a copy of the project, shown in the map window.
#include "AnimationCommands.h"

#include <QWidget>

void AnimationCommands::btnRoute_Click() {
    if (preview_.running()) return stopPreview();
    preview_.dismiss(); // the project as it is now
    playFrom(0);
}

void AnimationCommands::playFrom(qint64 frame) {
    if (rendering() || preview_.running()) return;
    if (!markerOrSay(tr("The preview did not start."))) return;
    stale_ = false;
    pace_.reset(ws_.st.fps);
    preview_.start(frame);
    refresh_();
}

void AnimationCommands::stopPreview() {
    preview_.stop();
    if (stale_) preview_.dismiss();
    stale_ = false;
    refresh_();
}

void AnimationCommands::seek(qint64 frame) {
    if (rendering()) return;
    if (stale_) preview_.dismiss();
    stale_ = false;
    preview_.seek(frame);
    refresh_();
}

QPolygonF AnimationCommands::cameraFrame() {
    if (!cameraMoves(ws_.st) || rendering()) return {};
    const SceneFrames* scene = preview_.scene();
    if (!scene) return {};
    const QSizeF frame(ws_.st.framewidth, ws_.st.frameheight);
    bool invertible = false;
    const QTransform back =
        worldToFrame(scene->view(std::max<qint64>(preview_.frame(), 0)), frame).inverted(&invertible);
    return invertible ? back.map(QPolygonF(QRectF(QPointF(0, 0), frame))) : QPolygonF();
}

double AnimationCommands::cameraZoom(qint64 n) {
    const SceneFrames* scene = cameraMoves(ws_.st) && !rendering() ? preview_.scene() : nullptr;
    return scene ? scene->view(std::max<qint64>(n, 0)).scale : ws_.st.camerazoom;
}

qint64 AnimationCommands::frames() {
    return preview_.frames();
}

void AnimationCommands::timerRoute_Timer() {
    preview_.tick();
    pace_.ticked();
    if (preview_.running() && timer_->isActive()) startTick();
    if (!preview_.running() && stale_) stopPreview();
    refresh_();
}

const QImage* AnimationCommands::previewPicture() const {
    return rendering() ? nullptr : preview_.picture();
}

void AnimationCommands::startTick() {
    using namespace std::chrono;
    timer_->start(pace_.wait(duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count()));
}
