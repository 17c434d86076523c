#pragma once
// A widget that only shows a core drawing surface at its own size: the style swatch. Clicks
// are reported, not handled here.

#include "shell/Surface.h"

#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
  public:
    explicit ImageView(Surface& surface, QWidget* parent = nullptr);

    // Follows the surface's size and repaints.
    void refresh();
    QSize sizeHint() const override;

  signals:
    void clicked(); // press and release inside the widget

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    Surface& surface_;
    bool pressed_ = false;
};
