#pragma once
// One row of the timeline: it paints its content over the frames' axis, and the playhead across
// it; the wheel scrolls the timeline and Ctrl+wheel zooms it around the mouse.

#include "Timeline.h"

#include <QWidget>

class QPainter;

class TimelineRow : public QWidget {
    Q_OBJECT
  public:
    TimelineRow(Timeline& timeline, int height, QWidget* parent);

  protected:
    virtual void paintRow(QPainter& p) = 0;
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    TimeScale& scale() { return tl_.scale(); }

    Timeline& tl_;
};
