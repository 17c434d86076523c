#pragma once
// The legs and holds as blocks at their frames. Dragging a leg's right end sets that leg's time
// (`interval.I`, the leg ending at point I); dragging a hold's end, or a leg's end with Shift,
// sets the hold at its point (`hold.I`). A drag is one undo step. A leg whose time comes from
// the speed or the track's clock shows, but does not drag.

#include "TimelineRow.h"

class SpanRow : public TimelineRow {
    Q_OBJECT
  public:
    SpanRow(Timeline& timeline, QWidget* parent);

    // Why the leg ending at point i cannot be dragged; empty when it can.
    static QString fixedLeg(const ProjectState& st, int i);

  protected:
    void paintRow(QPainter& p) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    // The span whose right end is under x; -1 for none.
    int endAt(int x);
    int spanAt(int x);

    struct Drag {
        bool on = false;
        bool hold = false;
        int point = 0;
        qint64 first = 0; // the span's first frame
    } drag_;
};
