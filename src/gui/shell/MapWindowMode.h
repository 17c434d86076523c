#pragma once
// The map window either fills the main window's work area, without a frame, following its size
// (the default), or is the classic child window with its title bar that can be moved about.

#include <QObject>

class QMdiArea;
class QMdiSubWindow;

class MapWindowMode : public QObject {
    Q_OBJECT
  public:
    MapWindowMode(QMdiArea* area, QMdiSubWindow* window);

    bool separate() const { return separate_; }
    void setSeparate(bool separate);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void fill();

    QMdiArea* area_;
    QMdiSubWindow* window_;
    bool separate_ = true;
};
