#include "EditHistory.h"

#include "mapview/RouteDrawing.h"

namespace {
constexpr int kDepth = 500; // steps; a step holds two snapshots of a few kilobytes each

class EditStep : public QUndoCommand {
  public:
    EditStep(EditHistory& history, const QString& label, ProjectSnapshot before, ProjectSnapshot after,
             int drag)
        : QUndoCommand(label), history_(history), before_(std::move(before)), after_(std::move(after)),
          drag_(drag), open_(drag != kNoDrag) {}

    void undo() override {
        open_ = false;
        history_.restore(before_);
    }
    void redo() override {
        if (done_) return history_.restore(after_);
        done_ = true; // pushed: the change itself is already made
    }
    int id() const override { return open_ ? drag_ : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        after_ = static_cast<const EditStep*>(other)->after_;
        setObsolete(after_ == before_); // dragged back to where it started
        return true;
    }
    void close() { open_ = false; }

  private:
    EditHistory& history_;
    ProjectSnapshot before_, after_;
    int drag_;
    bool open_;
    bool done_ = false;
};
} // namespace

EditHistory::EditHistory(Workspace& ws, QObject* parent) : QObject(parent), ws_(ws) {
    stack_.setUndoLimit(kDepth);
    connect(&stack_, &QUndoStack::cleanChanged, this, &EditHistory::savedChanged);
}

EditHistory::~EditHistory() {
    // The stack says "clean" as it goes; its owner's views may be gone by then.
    disconnect(&stack_, nullptr, this, nullptr);
}

void EditHistory::edit(const QString& label, const std::function<void()>& change, int drag) {
    ProjectSnapshot before = takeSnapshot(ws_);
    change();
    ProjectSnapshot after = takeSnapshot(ws_);
    if (!(after == before))
        stack_.push(new EditStep(*this, label, std::move(before), std::move(after), drag));
    emit changed();
}

void EditHistory::editSettings(const QString& label, const std::function<void(ProjectState&)>& set,
                               int drag) {
    edit(
        label,
        [this, &set] {
            set(ws_.st);
            Redraw(ws_);
        },
        drag);
}

void EditHistory::endDrag() {
    if (stack_.index() > 0)
        static_cast<EditStep*>(const_cast<QUndoCommand*>(stack_.command(stack_.index() - 1)))->close();
}

void EditHistory::markSaved() {
    stack_.setClean();
    emit savedChanged();
}

void EditHistory::startOver() {
    stack_.clear();
    markSaved();
    emit changed();
}

void EditHistory::restore(const ProjectSnapshot& snapshot) {
    restoreSnapshot(ws_, snapshot);
    emit changed();
    emit restored();
}

void EditHistory::withdrawLast() {
    stack_.undo();
    // A command pushed obsolete is dropped at once, and the push drops the steps to redo with it.
    auto* nothing = new QUndoCommand;
    nothing->setObsolete(true);
    stack_.push(nothing);
}
