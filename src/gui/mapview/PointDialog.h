#pragma once
// The small dialog for one route point: its label, its hold, its coordinates (a point placed by
// them stays at its place on the earth), and the time and line of the leg that ends there. A negative hold or
// leg time shows as "as all points": the point follows the defaults. Each change is an undoable edit and
// shows at once.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class EditHistory;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;

class PointDialog : public QDialog {
    Q_OBJECT
  public:
    PointDialog(Workspace& ws, EditHistory& history, QWidget* parent = nullptr);

    // Shows point i (0-based) and its values.
    void showPoint(int i);
    int point() const { return point_; }
    // Shows the project's values again, changing nothing; hides when the point is gone.
    void fill();

  private:
    void change(const QString& label, const std::function<void(ProjectState&, int)>& set, bool redraw);
    void coordinatesTyped();

    Workspace& ws_;
    EditHistory& history_;
    int point_ = 0;
    bool filling_ = false;
    QLabel* caption_ = nullptr;
    QLineEdit* label_ = nullptr;
    QDoubleSpinBox* hold_ = nullptr;
    QDoubleSpinBox* legTime_ = nullptr;
    QLineEdit* coordinates_ = nullptr;
    QLabel* coordinatesProblem_ = nullptr;
    QComboBox* path_ = nullptr;
};
