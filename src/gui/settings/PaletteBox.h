#pragma once
// A picture box that shows a drawing surface of the core and reports mouse releases in its
// pixels. Drawing happens on the surface; the box only copies the surface's image.

#include "shell/Surface.h"

#include <QPointF>
#include <QWidget>

class PaletteBox : public QWidget {
    Q_OBJECT
  public:
    PaletteBox(int width, int height, QWidget* parent = nullptr);

    Surface& surface() { return surface_; }

  signals:
    // Any button; the position may lie outside the box when the press was inside.
    void released(QPointF pos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Surface surface_;
};
