#pragma once
// A widget that only shows a core drawing surface, the size of its drawing area: the map
// window's contents and the style swatch. Clicks are reported, not handled here.

#include "shell/Surface.h"

#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
  public:
    explicit ImageView(Surface& surface, QWidget* parent = nullptr);

    // Follows the surface's size (after a video preset) and repaints.
    void refresh();
    QSize sizeHint() const override;
    // The position of the last button release, rounded half to even.
    qint32 mousex = 0, mousey = 0;

  signals:
    void released(qint32 x, qint32 y); // any button, anywhere
    void clicked();                    // press and release inside the widget

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    Surface& surface_;
    bool pressed_ = false;
};
