#pragma once
// File > Open Recent: the last projects opened or saved. A project that is no longer there is
// taken off the list, with a message, when chosen.

#include "project/RecentProjects.h"

#include <QMenu>

class ProjectCommands;

class RecentMenu : public QMenu {
    Q_OBJECT
  public:
    RecentMenu(ProjectCommands& project, QSettings& settings, QWidget* parent);

    void openRecent(const QString& path);

  private:
    void fill();

    ProjectCommands& project_;
    RecentProjects recent_;
};
