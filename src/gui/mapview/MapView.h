#pragma once
// The map window's view of the map surface: the whole frame scaled to fit when it is larger
// than the space on screen (never enlarged), or a chosen zoom with scroll bars. The core works
// in frame pixels only; this class is the one place that maps screen positions to them.

#include "shell/Surface.h"

#include <QAbstractScrollArea>
#include <functional>
#include <optional>
#include <utility>

class MapView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit MapView(Surface& surface, QWidget* parent = nullptr);

    // Follows the surface's size (after a format change) and repaints.
    void refresh();
    // The frame at 100 %: what the map window asks for when the screen has room.
    QSize sizeHint() const override;

    // Fit: the whole frame within the view, at most 100 %. Any other zoom keeps its factor.
    void fit();
    void setZoom(double factor);
    bool fitting() const { return fit_; }
    // Screen pixels per frame pixel, as painted now.
    double scale() const { return scale_; }

    // The frame pixel under a viewport position: the exact inverse of the painting, rounded
    // half to even as mouse positions are.
    QPoint framePoint(QPointF viewportPos) const;
    // Where a frame position is painted, in viewport coordinates.
    QPointF viewportPoint(QPointF framePos) const;
    // A click's reach, measured on screen, in frame pixels at this zoom.
    double reach() const;

    // A frame to show instead of the surface (the preview's), when it gives one: over the
    // surface when it is the surface's size, else fitted into the view on its own.
    std::function<const QImage*()> shownPicture;
    // Paints over the surface, in its pixels (the camera's frame), when no frame is shown.
    std::function<void(QPainter&)> overlay;

  signals:
    // A press and release inside the view; the release's frame pixel.
    void clicked(QPoint framePos);
    // A double-click; its first click has been reported already, its second one is not.
    void doubleClicked(QPoint framePos);
    // For dragging: a button went down at a frame pixel, and the mouse moved with it held.
    void pressed(QPoint framePos, Qt::KeyboardModifiers modifiers);
    void dragged(QPoint framePos);
    // The mouse over a frame pixel of the map, or gone from it (out of the view, or over a
    // preview frame that is not the map).
    void hovered(QPoint framePos);
    void leftMap();
    void zoomChanged();

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void scrollContentsBy(int, int) override { viewport()->update(); }

  private:
    void setFitting(bool fit);
    void layoutFrame(std::optional<std::pair<QPointF, QPointF>> keep = std::nullopt);
    QPointF scroll() const;

    Surface& surface_;
    bool fit_ = true;
    double zoom_ = 1.0;  // the chosen factor when not fitting
    double scale_ = 1.0; // the factor in force
    bool pan(QMouseEvent* e);

    bool pressed_ = false;
    bool spaceHeld_ = false;
    std::optional<QPointF> panFrom_; // where a pan's last move ended
};
