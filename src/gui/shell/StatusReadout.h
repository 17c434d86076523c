#pragma once
// The status bar's readouts beside the place under the mouse: the map pixel under it, the map
// view's zoom, the frame's size and rate, and a hint on what to do first in an empty window.

#include "shell/Workspace.h"

#include <QObject>
#include <optional>

class EditHistory;
class MapView;
class QLabel;
class QStatusBar;

class StatusReadout : public QObject {
    Q_OBJECT
  public:
    StatusReadout(const Workspace& ws, EditHistory& history, MapView& map, QStatusBar* bar);

    static QString positionText(std::optional<QPoint> mapPixel);
    static QString zoomText(double scale);
    static QString frameText(QSize frame, double fps);
    // No map (picture, tiles or the world) and no points: the window is as at start.
    static bool empty(const Workspace& ws);
    static QString hint();

    // Shows the zoom, the frame and the hint as they are now.
    void update();

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    const Workspace& ws_;
    MapView& map_;
    QLabel *hint_, *position_, *zoom_, *frame_;
};
