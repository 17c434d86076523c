#pragma once
// View > Camera: how the frames look at the map. Fixed is the map at 1:1 from its top-left
// corner, as the classic frames have it; the other modes compose each frame from the map, and the
// editor then shows the whole map. Each change is an undoable edit and shows at once.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class EditHistory;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

class CameraDialog : public QDialog {
    Q_OBJECT
  public:
    CameraDialog(Workspace& ws, EditHistory& history, QWidget* parent = nullptr);
    // Shows the project's values (changing nothing).
    void fill();

  private:
    void change(const QString& label, const std::function<void(ProjectState&)>& set, int key);

    Workspace& ws_;
    EditHistory& history_;
    bool filling_ = false;
    QComboBox* mode_ = nullptr;
    QDoubleSpinBox *zoom_ = nullptr, *margin_ = nullptr, *intro_ = nullptr, *outro_ = nullptr,
                   *smooth_ = nullptr;
    QCheckBox* rotate_ = nullptr;
};
