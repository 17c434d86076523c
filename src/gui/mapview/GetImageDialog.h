#pragma once
// The Get Image dialog `frmGetImage`: pick a map picture from a directory's picture files.

#include "shell/Error.h"
#include "shell/Workspace.h"

#include <QDialog>

class DirectoryList;
class EditHistory;
class QListWidget;

class GetImageDialog : public QDialog {
    Q_OBJECT
  public:
    // The picture directory and the map picture change through `history`.
    GetImageDialog(Workspace& ws, EditHistory& history, QWidget* parent = nullptr);

    // Loads `name` in `folder` (ending in the separator) as the map picture: the picture, its
    // folder and name change together as one step, or nothing changes.
    static MaybeError takeMapPicture(Workspace& ws, EditHistory& history, const QString& folder,
                                     const QString& name);

    void Dir1_Change();
    void btnOpen_Click();

  protected:
    bool event(QEvent* e) override;

  private:
    Workspace& ws_;
    EditHistory& history_;
    DirectoryList* dir_;
    QListWidget* list_;
};
