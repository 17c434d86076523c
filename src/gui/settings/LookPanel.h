#pragma once
// The part of the properties dialog for the animation's timing and look: the hold at every
// point, seconds per leg, one speed or the track's clock, easing, the marker, the labels' style and the
// casing. Each change is an undoable edit and shows at once; changes of one control in a row are one step.

#include "shell/Workspace.h"

#include <QWidget>
#include <functional>

class EditHistory;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class LookPanel : public QWidget {
    Q_OBJECT
  public:
    LookPanel(Workspace& ws, EditHistory& history, QWidget* parent = nullptr);

    // Shows the project's values (changing nothing).
    void fill();

  private:
    void change(const QString& label, const std::function<void(ProjectState&)>& set, bool redraw, int key);
    QPushButton* colourButton(const char* name, qint32 ProjectState::*field, const QString& label,
                              bool redraw);
    void showColour(QPushButton* b, qint32 color);
    void choosePicture();
    void enableParts();

    Workspace& ws_;
    EditHistory& history_;
    bool filling_ = false;
    QDoubleSpinBox* hold_ = nullptr;
    QComboBox* timing_ = nullptr;
    QSpinBox* speed_ = nullptr;
    QComboBox* easing_ = nullptr;
    QComboBox* marker_ = nullptr;
    QSpinBox* markerSize_ = nullptr;
    QPushButton* markerColour_ = nullptr;
    QLineEdit* picture_ = nullptr;
    QPushButton* browse_ = nullptr;
    QCheckBox* turn_ = nullptr;
    QSpinBox* labelSize_ = nullptr;
    QPushButton* labelColour_ = nullptr;
    QCheckBox* cased_ = nullptr;
    QPushButton* casingColour_ = nullptr;
    QSpinBox* casingWidth_ = nullptr;
};
