#pragma once
// The one way the GUI changes the project. edit() runs a change through the core and, when the
// project's text or map picture differ afterwards, records one step that undo and redo replay
// from snapshots (no file is read or written). The unsaved state is the stack's clean state.

#include "project/ProjectSnapshot.h"

#include <QObject>
#include <QUndoStack>
#include <functional>

class EditHistory : public QObject {
    Q_OBJECT
  public:
    explicit EditHistory(Workspace& ws, QObject* parent = nullptr);
    ~EditHistory() override;

    // Runs `change` and records it as the step `label`. Edits with the same nonzero `drag` key
    // make one step until endDrag(), so that a whole drag (a point, a style bar) undoes at once.
    void edit(const QString& label, const std::function<void()>& change, int drag = 0);
    // The same for a change of settings: `set` changes the state, then the map is drawn again.
    void editSettings(const QString& label, const std::function<void(ProjectState&)>& set, int drag = 0);
    void endDrag();
    // Takes back the last step as if it had never been made: undone, and nothing left to redo.
    void withdrawLast();

    QUndoStack& stack() { return stack_; }
    bool unsaved() const { return !stack_.isClean(); }
    // The project as it is now was written to its file, or read from it (history forgotten).
    void markSaved();
    void startOver();

    // Called by the steps: back to a snapshot, and the views told.
    void restore(const ProjectSnapshot& snapshot);

  signals:
    // The project changed (an edit, an undo, a redo): repaint what shows it.
    void changed();
    // Undo or redo put earlier values back: dialogs showing values fill themselves again.
    void restored();
    // Saved or unsaved, or the project's name: the caption follows.
    void savedChanged();

  private:
    Workspace& ws_;
    QUndoStack stack_;
};

// Keys for edit()'s `drag`: one per kind of drag.
enum DragKey {
    kNoDrag = 0,
    kDragPoint,
    kDragLineThick,
    kDragCircleThick,
    kDragCircleRadius,
    kBrowseRender,
    kDragTimeline // a leg's or a hold's end on the timeline
};
