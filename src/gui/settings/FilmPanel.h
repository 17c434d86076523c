#pragma once
// The properties dialog's "Travel film": how the legs are travelled (the marker's icon, the line's
// style and speed), the line's glow and fading tail, whether sizes follow the frame's height, a
// title card, a distance counter and the font of every text. Each change is an undoable edit.

#include "shell/Workspace.h"

#include <QGroupBox>
#include <functional>

class EditHistory;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

class FilmPanel : public QGroupBox {
    Q_OBJECT
  public:
    FilmPanel(Workspace& ws, EditHistory& history, QWidget* parent = nullptr);

    // Shows the project's values (changing nothing).
    void fill();

  signals:
    // The way of travel changed: the marker's size and colour now size and tint its icons.
    void travelChanged();

  private:
    void change(const QString& label, const std::function<void(ProjectState&)>& set, int key);
    QComboBox* words(const char* name, std::initializer_list<QString> names);
    QLineEdit* text(const char* name, const QString& label, QString ProjectState::*field, int key);

    Workspace& ws_;
    EditHistory& history_;
    bool filling_ = false;
    QComboBox* mode_ = nullptr;
    QComboBox* lineStyle_ = nullptr;
    QSpinBox* glow_ = nullptr;
    QDoubleSpinBox* tail_ = nullptr;
    QDoubleSpinBox* tailFade_ = nullptr;
    QComboBox* styleScale_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* subtitle_ = nullptr;
    QDoubleSpinBox* titleTime_ = nullptr;
    QComboBox* titlePosition_ = nullptr;
    QComboBox* counter_ = nullptr;
    QComboBox* font_ = nullptr;
};
