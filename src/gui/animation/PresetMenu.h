#pragma once
// File ▸ Render preset: each export preset sets the format, rate, output kind and quality in one
// undoable step, and says so when the animation is longer than the preset's place takes.

#include "shell/Workspace.h"

#include <QMenu>
#include <functional>

class EditHistory;

class PresetMenu : public QMenu {
    Q_OBJECT
  public:
    // `seconds()`: how long the animation lasts now.
    PresetMenu(Workspace& ws, EditHistory& history, std::function<double()> seconds, QWidget* parent);

  private:
    Workspace& ws_;
    EditHistory& history_;
    std::function<double()> seconds_;
};
