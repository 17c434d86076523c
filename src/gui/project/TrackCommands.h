#pragma once
// File ▸ Import track… and track files dropped on the main window: the track read into the
// project as one undoable edit (route points from it when the project has none), what the
// reading noted and why it failed told in a message box.

#include "shell/Workspace.h"

#include <QObject>

class EditHistory;
class QAction;
class QMimeData;
class QWidget;

class TrackCommands : public QObject {
    Q_OBJECT
  public:
    // Takes drops of track files on `window`; the menu item is action().
    TrackCommands(Workspace& ws, EditHistory& history, QWidget* window);

    QAction* action() const { return action_; }
    // Asks for a track file, then imports it.
    void mnuImportTrack_Click();
    // Imports the file as one edit; false, after telling the user why, when it was not.
    bool importFile(const QString& file);
    // The first local file among dropped data that has a track file's ending; empty for none.
    static QString trackFileIn(const QMimeData* data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Workspace& ws_;
    EditHistory& history_;
    QWidget* window_;
    QAction* action_;
};
