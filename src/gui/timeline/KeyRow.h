#pragma once
// The camera's zoom keys (`zoom.I`, the zoom on reaching point I) at the frames their points are
// reached. A key is added at the playhead (to the point reached nearest it, with the camera's
// zoom there), dragged to another point's arrival (it snaps), given another value by a
// double-click and deleted with Delete or the context menu; each is one undo step.

#include "TimelineRow.h"

class QDoubleSpinBox;

class KeyRow : public TimelineRow {
    Q_OBJECT
  public:
    KeyRow(Timeline& timeline, QWidget* parent);

    void addAtPlayhead();
    void deleteSelected();
    // The key being worked on: its point, -1 for none.
    int selected() const { return selected_; }

  protected:
    void paintRow(QPainter& p) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    int keyAt(int x);
    void setValue(int point, double zoom);

    int selected_ = -1;
    bool dragging_ = false;
    int dragX_ = 0;
    QDoubleSpinBox* spin_ = nullptr;
};
