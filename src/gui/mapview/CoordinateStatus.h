#pragma once
// The status bar's latitude and longitude of the map pixel under the mouse, on a map with
// coordinates; empty on one without, and when the mouse is off the map.

#include "shell/Workspace.h"

#include <QLabel>
#include <optional>

class EditHistory;
class MapView;

class CoordinateStatus : public QLabel {
    Q_OBJECT
  public:
    CoordinateStatus(const Workspace& ws, EditHistory& history, MapView& map, QWidget* parent = nullptr);

    // The place of a map pixel, or nothing.
    void showAt(std::optional<QPoint> mapPixel);

  private:
    const Workspace& ws_;
    std::optional<QPoint> at_;
};
