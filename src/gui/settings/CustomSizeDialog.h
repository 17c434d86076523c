#pragma once
// Asks for a custom frame size (even, within the custom ranges) and one of the frame rates.

#include "shell/ProjectState.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;

class CustomSizeDialog : public QDialog {
    Q_OBJECT
  public:
    // Starts from the state's frame size and rate.
    CustomSizeDialog(const ProjectState& st, QWidget* parent = nullptr);
    QSize frameSize() const;
    double fps() const;
    void accept() override; // only a size the table allows closes the dialog

  private:
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* rate_;
    QLabel* problem_;
};
