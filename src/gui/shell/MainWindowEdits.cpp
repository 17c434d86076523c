// The tool bar's edits and the clicks on the map: each is one step of the edit history.
#include "EditHistory.h"
#include "MainWindow.h"
#include "mapview/DirectEditing.h"
#include "mapview/MapResize.h"
#include "mapview/MapView.h"
#include "mapview/RouteDrawing.h"
#include "mapview/RouteEditing.h"
#include "settings/Presets.h"
#include "shell/Startup.h"

#include <QHash>
#include <QMessageBox>

void MainWindow::btnNTSC_Click() {
    history_->edit(tr("NTSC format"), [this] {
        SetNTSC(ws_);
        followNewProjectLook(ws_.st);
    });
}
void MainWindow::btnPAL_Click() {
    history_->edit(tr("PAL format"), [this] {
        SetPAL(ws_);
        followNewProjectLook(ws_.st);
    });
}
void MainWindow::modeButton(void (*action)(Workspace&)) {
    history_->edit(tr("Select point"), [this, action] { action(ws_); });
}
void MainWindow::btnPlus_Click() {
    modeButton(btnPlus);
}
void MainWindow::btnMinus_Click() {
    modeButton(btnMinus);
}
void MainWindow::btnSeek_Click() {
    modeButton(btnSeek);
}
void MainWindow::btnMove_Click() {
    modeButton(btnMove);
}
void MainWindow::btnBack_Click() {
    history_->edit(tr("Move point back"), [this] { btnBack(ws_); });
}
void MainWindow::btnFore_Click() {
    history_->edit(tr("Move point forward"), [this] { btnFore(ws_); });
}
void MainWindow::btnRedraw_Click() {
    Redraw(ws_);
    refreshViews();
}

void MainWindow::frmImage_Click(QPoint framePos) {
    if (direct_->tookClick(framePos)) return;
    static const QHash<QChar, const char*> labels{{u'+', QT_TR_NOOP("Add point")},
                                                  {u'-', QT_TR_NOOP("Delete point")},
                                                  {u'>', QT_TR_NOOP("Move point")}};
    const int before = history_->stack().index();
    history_->edit(tr(labels.value(ws_.st.editmode, QT_TR_NOOP("Select point"))),
                   [&] { clickMap(ws_, framePos.x(), framePos.y(), map_->reach()); });
    clickStep_ = history_->stack().index() != before ? history_->stack().index() : -1;
}

// A double-click opens the point under it. Its first click has already done what the mode
// does; adding or deleting a point is taken back, so a double-click never changes the route.
void MainWindow::frmImage_DblClick(QPoint framePos) {
    const QChar mode = ws_.st.editmode;
    // The first click of the double-click added or deleted a point: taken back, with no redo left.
    if ((mode == u'+' || mode == u'-') && clickStep_ >= 0 && clickStep_ == history_->stack().index())
        history_->withdrawLast();
    clickStep_ = -1;
    const Nearest n = nearestPoint(ws_.st, framePos.x(), framePos.y());
    if (n.idx >= 0 && n.best < map_->reach()) showPointDialog(n.idx);
}

void MainWindow::btnResize_Click() {
    MaybeError error;
    history_->edit(tr("Resize map picture"), [this, &error] { error = resizeMapPicture(ws_); });
    if (error)
        QMessageBox::warning(this, tr("Pathwright"),
                             tr("The map picture was not resized.") + "\n\n" + error->message());
}

