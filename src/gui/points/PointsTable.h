#pragma once
// The table of the points panel. Its current row is the selected point: choosing a row selects
// the point (an edit step, as a click on the map is), and a point selected anywhere else becomes
// the current row. Delete removes the selected rows; the window's keys for the map (Delete, the
// arrows) belong to the table while it has the focus.

#include "shell/Workspace.h"

#include <QItemSelection>
#include <QTableView>

class EditHistory;
class PointsModel;

class PointsTable : public QTableView {
    Q_OBJECT
  public:
    PointsTable(PointsModel& model, Workspace& ws, EditHistory& history, QWidget* parent = nullptr);

    // The project changed: the rows follow it, the current row is the selected point, and the
    // selection and the scroll position stay unless the selected point moved.
    void projectChanged();

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    void followSelection();

    PointsModel& model_;
    Workspace& ws_;
    EditHistory& history_;
    bool following_ = false;     // the view is being brought to the project, not the other way
    int followed_ = -1;          // the selected point the view last followed
    QItemSelection beforePress_; // a double-click edits all the rows selected before it
};
