#pragma once
// The ruler: time in seconds and frames, ticks as close as the zoom allows, the render's in/out
// range shaded. A press or a drag on it moves the playhead (the map shows that frame).

#include "TimelineRow.h"

class RulerRow : public TimelineRow {
    Q_OBJECT
  public:
    RulerRow(Timeline& timeline, QWidget* parent);

  protected:
    void paintRow(QPainter& p) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};
