#pragma once
// The save dialog `frmSaveAs`: saves the project under a typed name in a chosen directory.
// Browsing is tentative: the project's directory and name change only when the save succeeds.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class DirectoryList;
class QLineEdit;

class SaveAsDialog : public QDialog {
    Q_OBJECT
  public:
    // `save(dir, name)` saves the project and reports; true when it was saved.
    using Save = std::function<bool(const QString& dir, const QString& name)>;
    SaveAsDialog(Workspace& ws, Save save, QWidget* parent = nullptr);

    // Shows the project directory when it changed since the dialog last showed it.
    void Form_Activate();
    // Shows the project directory whatever the dialog showed before (a new showing).
    void showProjectDirectory();
    void btnSave_Click();

  protected:
    bool event(QEvent* e) override;

  private:
    Workspace& ws_;
    Save save_;
    DirectoryList* dir_;
    QLineEdit* txtName_;
    QString shown_; // the project directory the dialog last moved to
};
