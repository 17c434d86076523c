#pragma once
// The choice of video format: one menu of the table's rows and rates, shown both as the Format
// menu and as the tool bar's drop-down, whose caption is the current format ("1080p 29.97").

#include "shell/Workspace.h"

#include <QMenu>
#include <functional>

class QToolButton;

class FormatMenu : public QMenu {
    Q_OBJECT
  public:
    // `refresh` repaints the views after a change of format.
    FormatMenu(Workspace& ws, std::function<void()> refresh, QWidget* parent);
    // The drop-down on the tool bar; it opens this menu.
    QToolButton* makeButton(QWidget* bar);
    // Caption and check marks after the format changed elsewhere (presets, a project opened).
    void showCurrent();
    // Asks for a custom size and rate; applies them when accepted.
    void chooseCustom();

  private:
    void choose(int row, double fps);

    Workspace& ws_;
    std::function<void()> refresh_;
    QToolButton* button_ = nullptr;
};
