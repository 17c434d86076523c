#pragma once
// The open dialog `frmOpen`: lists the project files of a directory and opens one. Browsing
// and selecting are tentative: the project's directory and name change only when a file is
// actually opened.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class DirectoryList;
class QListWidget;
class QListWidgetItem;

class OpenDialog : public QDialog {
    Q_OBJECT
  public:
    // `open(dir, name)` loads the project and reports; true when it was opened.
    using Open = std::function<bool(const QString& dir, const QString& name)>;
    // `startFolder()` is where the dialog opens: the project's folder, else pictures or home.
    OpenDialog(Open open, std::function<QString()> startFolder, QWidget* parent = nullptr);

    void Dir1_Change();
    void btnOpen_Click();
    void List1_DblClick(QListWidgetItem* item);

  protected:
    bool event(QEvent* e) override;

  private:
    void openEntry(const QListWidgetItem* item);

    Open open_;
    std::function<QString()> startFolder_;
    QString started_; // the start folder of the last showing
    DirectoryList* dir_;
    QListWidget* list_;
    QString listed_; // the directory whose files the list shows, ending in the separator
};
