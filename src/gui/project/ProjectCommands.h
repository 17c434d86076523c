#pragma once
// The File menu's project commands and their dialogs (Open, Save, Save As).

#include "shell/Workspace.h"

#include <QObject>
#include <QPointer>
#include <functional>

class OpenDialog;
class SaveAsDialog;
class QWidget;

class ProjectCommands : public QObject {
    Q_OBJECT
  public:
    // `refresh` repaints the map window and the swatch; `setCaption` sets the main window's caption.
    ProjectCommands(Workspace& ws, QWidget* mainWindow, std::function<void()> refresh,
                    std::function<void(const QString&)> setCaption);

    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // Opens a project named on the command line; false when it could not be read.
    bool openFile(const QString& path);

    // Opens `name` in `dir` (ending in the separator). The project's directory and name change
    // only when the file was read; errors and notes are told in a message over `parent`.
    bool openProject(const QString& dir, const QString& name, QWidget* parent);
    // Saves under `name` in `dir`; on an error the directory, name and caption stay as they were.
    bool saveProject(const QString& dir, const QString& name, QWidget* parent);

  private:
    Workspace& ws_;
    QWidget* main_;
    std::function<void()> refresh_;
    std::function<void(const QString&)> setCaption_;
    QPointer<OpenDialog> frmOpen_;
    QPointer<SaveAsDialog> frmSaveAs_;
};
