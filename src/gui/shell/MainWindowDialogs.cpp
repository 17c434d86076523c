// The main window's modeless dialogs: one of each, made when first asked for, brought to the front
// when asked for again.
#include "EditHistory.h"
#include "FileDialogs.h"
#include "MainWindow.h"
#include "mapview/ControlPointsDialog.h"
#include "mapview/GetImageDialog.h"
#include "mapview/MapPicture.h"
#include "mapview/PointDialog.h"
#include "settings/PropertiesDialog.h"
#include "tiles/MapSourceDialog.h"
#include "tiles/MapTiles.h"

#include <QFileInfo>
#include <QLabel>
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
    if (!classicFileDialogs(settings_)) return chooseMapPicture();
    if (!frmGetImage_) frmGetImage_ = new GetImageDialog(ws_, *history_, this);
    bringUp(frmGetImage_);
}

// The desktop's dialog for the map picture, in the map's folder, else the project's.
void MainWindow::chooseMapPicture() {
    QStringList patterns;
    for (const QString& ext : (kPictureExtensions + " .tif .tiff").split(' ', Qt::SkipEmptyParts))
        patterns << '*' + ext;
    const QString file = askFileToOpen(
        this, tr("Map picture"),
        startFolder({usersFolder(ws_.st, ws_.st.imagepath), usersFolder(ws_.st, ws_.st.projectdir)}),
        tr("Pictures (%1);;All files (*)").arg(patterns.join(' ')));
    if (file.isEmpty()) return;
    const QFileInfo info(file);
    if (const MaybeError error = GetImageDialog::takeMapPicture(
            ws_, *history_, withSeparator(info.absolutePath()), info.fileName()))
        QMessageBox::warning(this, tr("Pathwright"),
                             tr("The map picture was not changed.") + "\n\n" + error->message());
}

void MainWindow::mnuProperties_Click() {
    if (!frmProperties_) frmProperties_ = new PropertiesDialog(ws_, *history_, this);
    bringUp(frmProperties_);
}

void MainWindow::mnuControlPoints_Click() {
    if (!frmControlPoints_) frmControlPoints_ = new ControlPointsDialog(ws_, *history_, *map_, this);
    bringUp(frmControlPoints_);
}

void MainWindow::mnuMapSource_Click() {
    if (!frmMapSource_)
        frmMapSource_ = new MapSourceDialog(
            ws_, *history_, settings_, [this] { mapTiles_->reload(); }, this);
    frmMapSource_->fill();
    bringUp(frmMapSource_);
}

// Tiles arriving in the editor, the status bar's note of those missing, and the question
// before a server that is not built in is contacted.
void MainWindow::followMapTiles() {
    MapTiles::Hooks hooks;
    hooks.ask = [this](const QString& question) {
        return QMessageBox::question(this, tr("Pathwright"), question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    hooks.tell = [this](const QStringList& notes) {
        auto* box = new QMessageBox(QMessageBox::Information, tr("Pathwright"), notes.join("\n\n"),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    hooks.refresh = [this] { refreshViews(); };
    mapTiles_ = new MapTiles(ws_, *history_, settings_, std::move(hooks), this);
    connect(mapTiles_, &MapTiles::statusChanged, lblTiles_, &QLabel::setText);
}
