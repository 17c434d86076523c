#pragma once
// The choice of video format: one menu of the table's rows and rates, shown both as the Format
// menu and as the tool bar's drop-down, whose caption is the current format ("1080p 29.97").

#include "shell/Workspace.h"

#include <QMenu>

class EditHistory;
class QToolButton;

class FormatMenu : public QMenu {
    Q_OBJECT
  public:
    // A change of format is an edit through `history`.
    FormatMenu(Workspace& ws, EditHistory& history, QWidget* parent);
    // The drop-down on the tool bar; it opens this menu.
    QToolButton* makeButton(QWidget* bar);
    // Caption and check marks after the format changed elsewhere (presets, a project opened).
    void showCurrent();
    // Asks for a custom size and rate; applies them when accepted.
    void chooseCustom();

  private:
    void choose(int row, double fps);

    Workspace& ws_;
    EditHistory& history_;
    QToolButton* button_ = nullptr;
};
