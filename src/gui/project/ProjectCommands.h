#pragma once
// The File menu's project commands and their dialogs (Open, Save, Save As: the desktop's, or the
// classic ones when the user prefers them), and the question that keeps unsaved changes from
// being lost.

#include "shell/Workspace.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <functional>

class EditHistory;
class OpenDialog;
class SaveAsDialog;
class QSettings;
class QWidget;

class ProjectCommands : public QObject {
    Q_OBJECT
  public:
    ProjectCommands(Workspace& ws, EditHistory& history, const QSettings& settings, QWidget* mainWindow);

    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // Opens a project named on the command line; false when it could not be read.
    bool openFile(const QString& path);

    // Opens `name` in `dir` (ending in the separator), once unsaved changes are saved or let go.
    // The project's directory and name change only when the file was read; errors and notes are
    // told in a message over `parent`.
    bool openProject(const QString& dir, const QString& name, QWidget* parent);
    // Saves under `name` in `dir`; on an error the directory, name and caption stay as they were.
    bool saveProject(const QString& dir, const QString& name, QWidget* parent);

    // With unsaved changes, asks Save, Discard or Cancel. True when the caller may go on: the
    // changes were saved (Save As when the project has no file yet) or discarded.
    bool askToSave(QWidget* parent);
    // What the user answers; tests answer in the user's place.
    using Ask = std::function<QMessageBox::StandardButton(QWidget* parent, const QString& text)>;
    void setAsk(Ask ask) { ask_ = std::move(ask); }

  signals:
    // A project was opened from or saved to `path`.
    void projectFileUsed(const QString& path);
    // A project was opened: what showed the last one's frames starts afresh.
    void projectOpened();

  private:
    SaveAsDialog* saveAsDialog();
    bool saveOrSaveAs(QWidget* parent);
    // The desktop's Save As dialog; true when the project was saved.
    bool saveAsStandard(QWidget* parent);

    Workspace& ws_;
    EditHistory& history_;
    const QSettings& settings_;
    QWidget* main_;
    Ask ask_;
    QPointer<OpenDialog> frmOpen_;
    QPointer<SaveAsDialog> frmSaveAs_;
};
