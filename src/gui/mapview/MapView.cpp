#include "MapView.h"

#include "mapview/RouteEditing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kMinZoom = 0.05, kMaxZoom = 8.0;
constexpr double kWheelStep = 1.25; // one notch of Ctrl + wheel
} // namespace

MapView::MapView(Surface& surface, QWidget* parent) : QAbstractScrollArea(parent), surface_(surface) {
    setFrameShape(QFrame::NoFrame);
    setFitting(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setMouseTracking(true); // for the place under the mouse
    refresh();
}

void MapView::refresh() {
    layoutFrame();
    viewport()->update();
}

QSize MapView::sizeHint() const {
    return QSize(surface_.width(), surface_.height());
}

void MapView::fit() {
    setFitting(true);
    refresh();
    emit zoomChanged();
}

void MapView::setZoom(double factor) {
    const QPointF centre(viewport()->width() / 2.0, viewport()->height() / 2.0);
    const QPointF keep = (centre + scroll()) / scale_;
    setFitting(false);
    zoom_ = std::clamp(factor, kMinZoom, kMaxZoom);
    layoutFrame(std::pair(keep, centre));
    viewport()->update();
    emit zoomChanged();
}

QPointF MapView::scroll() const {
    return QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint MapView::framePoint(QPointF viewportPos) const {
    const QPointF p = (viewportPos + scroll()) / scale_;
    return QPoint(roundHalfEven(p.x()), roundHalfEven(p.y()));
}

QPointF MapView::viewportPoint(QPointF framePos) const {
    return framePos * scale_ - scroll();
}

double MapView::reach() const {
    return kReach / scale_;
}

// Fitting needs no scroll bars, and they would take room from the frame.
void MapView::setFitting(bool fit) {
    fit_ = fit;
    setHorizontalScrollBarPolicy(fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

// Sets the scale and the scroll ranges; when zooming, keeps a frame position under the
// viewport position it was at.
void MapView::layoutFrame(std::optional<std::pair<QPointF, QPointF>> keep) {
    const QSize frame(surface_.width(), surface_.height());
    const QSize room = viewport()->size();
    scale_ =
        fit_ ? std::min({1.0, double(room.width()) / frame.width(), double(room.height()) / frame.height()})
             : zoom_;
    if (!(scale_ > 0)) scale_ = 1.0; // a view not laid out yet
    const int w = int(std::ceil(frame.width() * scale_)), h = int(std::ceil(frame.height() * scale_));
    horizontalScrollBar()->setRange(0, std::max(0, w - room.width()));
    verticalScrollBar()->setRange(0, std::max(0, h - room.height()));
    horizontalScrollBar()->setPageStep(room.width());
    verticalScrollBar()->setPageStep(room.height());
    if (keep) {
        const QPointF s = keep->first * scale_ - keep->second;
        horizontalScrollBar()->setValue(int(std::lround(s.x())));
        verticalScrollBar()->setValue(int(std::lround(s.y())));
    }
}

void MapView::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    const QRectF target(viewportPoint({0, 0}), QSizeF(surface_.width(), surface_.height()) * scale_);
    p.fillRect(e->rect(), palette().dark());
    const QImage* shown = shownPicture ? shownPicture() : nullptr;
    if (shown && shown->size() != QSize(surface_.width(), surface_.height())) {
        // A frame of a camera that moves: the whole frame, as large as the view allows.
        const QSizeF size = QSizeF(shown->size()).scaled(QSizeF(viewport()->size()), Qt::KeepAspectRatio);
        const double k = std::min(1.0, size.width() / shown->width());
        const QRectF at(QPointF((viewport()->width() - shown->width() * k) / 2,
                                (viewport()->height() - shown->height() * k) / 2),
                        QSizeF(shown->size()) * k);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(at, *shown);
        return;
    }
    const QImage& image = shown ? *shown : surface_.image();
    if (scale_ == 1.0 && scroll().isNull()) {
        p.drawImage(e->rect(), image, e->rect()); // pixel for pixel, no resampling
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, image);
    }
    if (shown || !overlay) return;
    p.translate(target.topLeft());
    p.scale(scale_, scale_);
    overlay(p);
}

void MapView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    layoutFrame();
}

void MapView::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    const int notches = e->angleDelta().y() / 120;
    if (notches == 0) return;
    const QPointF at = e->position();
    const QPointF keep = (at + scroll()) / scale_;
    setFitting(false);
    zoom_ = std::clamp(scale_ * std::pow(kWheelStep, notches), kMinZoom, kMaxZoom);
    layoutFrame(std::pair(keep, at));
    viewport()->update();
    emit zoomChanged();
    e->accept();
}

void MapView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) spaceHeld_ = true;
    QAbstractScrollArea::keyPressEvent(e);
}

void MapView::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) spaceHeld_ = false;
    QAbstractScrollArea::keyReleaseEvent(e);
}

// Dragging with the middle button, or with Space held, moves the map under the view.
bool MapView::pan(QMouseEvent* e) {
    if (e->type() == QEvent::MouseButtonPress &&
        (e->button() == Qt::MiddleButton || (e->button() == Qt::LeftButton && spaceHeld_)))
        panFrom_ = e->position();
    if (!panFrom_) return false;
    const QPointF d = e->position() - *panFrom_;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - int(std::lround(d.x())));
    verticalScrollBar()->setValue(verticalScrollBar()->value() - int(std::lround(d.y())));
    panFrom_ = e->position();
    if (e->type() == QEvent::MouseButtonRelease) panFrom_.reset();
    e->accept();
    return true;
}

void MapView::mousePressEvent(QMouseEvent* e) {
    if (pan(e)) return;
    pressed_ = true;
    emit pressed(framePoint(e->position()), e->modifiers());
    e->accept();
}

void MapView::mouseDoubleClickEvent(QMouseEvent* e) {
    pressed_ = false;
    e->accept();
    emit doubleClicked(framePoint(e->position()));
}

void MapView::mouseMoveEvent(QMouseEvent* e) {
    const QImage* shown = shownPicture ? shownPicture() : nullptr;
    if (shown && shown->size() != QSize(surface_.width(), surface_.height()))
        emit leftMap();
    else
        emit hovered(framePoint(e->position()));
    if (pan(e)) return;
    if (pressed_) emit dragged(framePoint(e->position()));
}

void MapView::leaveEvent(QEvent* e) {
    QAbstractScrollArea::leaveEvent(e);
    emit leftMap();
}

void MapView::mouseReleaseEvent(QMouseEvent* e) {
    if (pan(e)) return;
    const bool click = pressed_ && viewport()->rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) emit clicked(framePoint(e->position()));
}
