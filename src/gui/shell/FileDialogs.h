#pragma once
// The desktop's own file dialogs, or the program's classic ones when the user prefers them, and
// the folder a file dialog starts in.

#include <QString>
#include <QStringList>

class QSettings;
class QWidget;
struct ProjectState;

// The user chose the classic Open, Save As and Get Image dialogs in the preferences.
bool classicFileDialogs(const QSettings& settings);

// The first of `folders` that exists, else the user's pictures, else the home folder: never the
// folder the program happened to start in.
QString startFolder(const QStringList& folders);
// `folder` as a place to start, unless it is the folder a project without a file has: the
// program's own, no place for a user's files.
QString usersFolder(const ProjectState& st, const QString& folder);
// The project's folder once it has a file, else the user's pictures or home.
QString projectFolderOrHome(const ProjectState& st);

// The desktop's dialog for one existing file, or for a file name to save to (`suffix` added when
// the name has none); empty when cancelled.
QString askFileToOpen(QWidget* parent, const QString& caption, const QString& folder, const QString& filter);
QString askFileToSave(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                      const QString& suffix);
