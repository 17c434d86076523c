#pragma once
// Editing by hand on the map, in every mode besides the mode's own click: pressing on a point and
// dragging moves it, Shift+click on a leg inserts a point there, Delete or Backspace deletes the
// selected point and the arrow keys nudge it (Shift: ten pixels). Each is an edit.

#include "shell/Workspace.h"

#include <QObject>
#include <QPoint>

class EditHistory;
class MapView;
class QAction;
class QWidget;

class DirectEditing : public QObject {
    Q_OBJECT
  public:
    DirectEditing(Workspace& ws, EditHistory& history, MapView& map, QWidget* window);

    // True when the click belonged to a direct edit (the end of a drag, an insert); else the
    // click has the mode's meaning.
    bool tookClick(QPoint framePos);
    QAction* deleteAction() const { return delete_; }

  private:
    void pressed(QPoint framePos, Qt::KeyboardModifiers modifiers);
    void dragged(QPoint framePos);
    bool insertOnLeg(QPoint framePos);

    Workspace& ws_;
    EditHistory& history_;
    MapView& map_;
    QWidget* window_;
    QAction* delete_;
    int point_ = -1; // the point pressed on, -1 for none
    QPoint from_;
    bool moved_ = false;
    bool shift_ = false;
};
