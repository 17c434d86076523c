#include "DirectEditing.h"

#include "MapView.h"
#include "mapview/RouteEditing.h"
#include "shell/EditHistory.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>

DirectEditing::DirectEditing(Workspace& ws, EditHistory& history, MapView& map, QWidget* window)
    : QObject(window), ws_(ws), history_(history), map_(map), window_(window) {
    connect(&map, &MapView::pressed, this, &DirectEditing::pressed);
    connect(&map, &MapView::dragged, this, &DirectEditing::dragged);

    delete_ = new QAction(tr("&Delete Point"), window);
    delete_->setObjectName("mnuDeletePoint");
    delete_->setShortcuts({QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)});
    connect(delete_, &QAction::triggered, this,
            [this] { history_.edit(tr("Delete point"), [this] { deleteSelected(ws_); }); });
    const struct {
        Qt::Key key;
        int dx, dy;
    } arrows[] = {{Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};
    for (const auto& a : arrows) {
        for (int step : {1, 10}) {
            auto* nudge = new QAction(window);
            nudge->setShortcut(step == 10 ? QKeySequence(Qt::SHIFT | a.key) : QKeySequence(a.key));
            connect(nudge, &QAction::triggered, this, [this, a, step] {
                history_.edit(tr("Nudge point"), [&] { nudgeSelected(ws_, a.dx * step, a.dy * step); });
            });
            window->addAction(nudge);
        }
    }
}

void DirectEditing::pressed(QPoint framePos, Qt::KeyboardModifiers modifiers) {
    history_.endDrag();
    shift_ = modifiers & Qt::ShiftModifier;
    moved_ = false;
    from_ = framePos;
    const Nearest n = nearestPoint(ws_.st, framePos.x(), framePos.y());
    point_ = !shift_ && n.idx >= 0 && n.best < map_.reach() ? n.idx : -1;
}

void DirectEditing::dragged(QPoint framePos) {
    if (point_ < 0) return;
    // A press that wobbles a little is still a click.
    if (!moved_ && (framePos - from_).manhattanLength() * map_.scale() < QApplication::startDragDistance())
        return;
    moved_ = true;
    history_.edit(
        tr("Drag point"), [&] { movePoint(ws_, point_, framePos.x(), framePos.y()); }, kDragPoint);
}

bool DirectEditing::tookClick(QPoint framePos) {
    if (moved_) {
        moved_ = false;
        history_.endDrag();
        return true;
    }
    return shift_ && insertOnLeg(framePos);
}

bool DirectEditing::insertOnLeg(QPoint framePos) {
    const int leg = nearestLeg(ws_.st, framePos.x(), framePos.y(), map_.reach());
    if (leg < 0) return false;
    bool inserted = false;
    history_.edit(tr("Insert point"),
                  [&] { inserted = insertPoint(ws_, leg + 1, framePos.x(), framePos.y()); });
    if (!inserted)
        QMessageBox::information(window_, tr("Pathwright"),
                                 tr("The route already has %1 points, as many as it can hold; no point "
                                    "was inserted.")
                                     .arg(kMousePointLimit));
    return true;
}
