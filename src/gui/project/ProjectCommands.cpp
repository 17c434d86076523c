#include "ProjectCommands.h"

// Placeholder until the project dialogs land.
ProjectCommands::ProjectCommands(Workspace& ws, QWidget* mainWindow, std::function<void()> refresh,
                                 std::function<void(const QString&)> setCaption)
    : ws_(ws), main_(mainWindow), refresh_(std::move(refresh)), setCaption_(std::move(setCaption)) {}

void ProjectCommands::mnuOpen_Click() {}
void ProjectCommands::mnuSave_Click() {}
void ProjectCommands::mnuSaveAs_Click() {}
bool ProjectCommands::openFile(const QString&) { return false; }
