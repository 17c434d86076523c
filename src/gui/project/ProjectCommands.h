#pragma once
// The File menu's project commands and their dialogs (Open, Save, Save As).

#include "shell/Workspace.h"

#include <QObject>
#include <functional>

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

private:
    Workspace& ws_;
    QWidget* main_;
    std::function<void()> refresh_;
    std::function<void(const QString&)> setCaption_;
};
