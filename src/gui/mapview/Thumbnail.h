#pragma once
// The tool bar's thumbnail of the map picture: stretched into its box, clickable.

#include <QLabel>
#include <QMouseEvent>

class Thumbnail : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void showPicture(const QImage& picture) {
        setPixmap(picture.isNull() ? QPixmap()
                                   : QPixmap::fromImage(picture.scaled(size(), Qt::IgnoreAspectRatio,
                                                                       Qt::SmoothTransformation)));
    }
  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (rect().contains(e->position().toPoint())) emit clicked();
    }
};
