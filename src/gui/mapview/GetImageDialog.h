#pragma once
// The Get Image dialog `frmGetImage`: pick a map picture from a directory's picture files.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class DirectoryList;
class QListWidget;

class GetImageDialog : public QDialog {
    Q_OBJECT
  public:
    // `loaded` runs after a picture became the map (repaint the map window and thumbnail).
    GetImageDialog(Workspace& ws, std::function<void()> loaded, QWidget* parent = nullptr);

    void Dir1_Change();
    void btnOpen_Click();

  private:
    Workspace& ws_;
    std::function<void()> loaded_;
    DirectoryList* dir_;
    QListWidget* list_;
};
