// The main window's modeless dialogs: one of each, made when first asked for, brought to the front
// when asked for again.
#include "EditHistory.h"
#include "MainWindow.h"
#include "mapview/ControlPointsDialog.h"
#include "mapview/GetImageDialog.h"
#include "mapview/PointDialog.h"
#include "settings/PropertiesDialog.h"

#include <QMessageBox>

namespace {
void bringUp(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

void MainWindow::showPointDialog(int i) {
    if (!frmPoint_) frmPoint_ = new PointDialog(ws_, *history_, this);
    frmPoint_->showPoint(i);
    bringUp(frmPoint_);
}

void MainWindow::mnuPointProperties_Click() {
    const int i = ws_.st.selected;
    if (i < 0 || i >= ws_.st.listmax) {
        QMessageBox::information(this, tr("Pathwright"), tr("Select a point first (o, then click it)."));
        return;
    }
    showPointDialog(i);
}

void MainWindow::imgThumb_Click() {
    if (!frmGetImage_) frmGetImage_ = new GetImageDialog(ws_, *history_, this);
    bringUp(frmGetImage_);
}

void MainWindow::mnuProperties_Click() {
    if (!frmProperties_) frmProperties_ = new PropertiesDialog(ws_, *history_, this);
    bringUp(frmProperties_);
}

void MainWindow::mnuControlPoints_Click() {
    if (!frmControlPoints_) frmControlPoints_ = new ControlPointsDialog(ws_, *history_, *map_, this);
    bringUp(frmControlPoints_);
}
