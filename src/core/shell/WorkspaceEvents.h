#pragma once
// What the workspace tells the views that show it. The core emits; whoever shows the map or runs
// the preview connects, so the core never holds a pointer into the GUI.

#include <QObject>

class WorkspaceEvents : public QObject {
    Q_OBJECT
  signals:
    // A redraw is about to repaint the map: a running preview leg ends here.
    void redrawing();
    // The map's drawing area took a new size (a video format): its window follows.
    void mapResized();
};
