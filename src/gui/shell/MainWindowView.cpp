// The map window: its size on screen, its zoom, the camera, what is drawn over the map, and the
// timeline docked under it.
#include "MainWindow.h"
#include "MapWindowMode.h"

#include "animation/AnimationCommands.h"
#include "mapview/ControlPointsDialog.h"
#include "mapview/MapCredit.h"
#include "mapview/MapView.h"
#include "settings/CameraDialog.h"
#include "tiles/TileSource.h"
#include "timeline/TimelineDock.h"
#include "timeline/Transport.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

// A size for the window's inside whose frame still fits on the screen.
QSize MainWindow::onScreen(QSize inside) const {
    if (!screen()) return inside;
    const QSize frame = frameGeometry().size() - geometry().size();
    return inside.boundedTo(screen()->availableSize() - frame);
}

// The map window asks for the whole frame; the main window grows for it within the screen, and
// a frame that still does not fit is shown scaled by the view. A size restored at start is kept
// when the window is first shown.
void MainWindow::fitMapWindow() {
    if (!frmImage_) return;
    map_->refresh();
    if (mapMode_ && !mapMode_->separate()) {
        // Filling the main window, which grows for the whole frame as the classic one does.
        const QSize need = map_->sizeHint() - map_->viewport()->size();
        if (isVisible() && !keepWindowSize_ && !isMaximized() && (need.width() > 0 || need.height() > 0))
            resize(onScreen(size() + need.expandedTo(QSize(0, 0))));
        return map_->fit();
    }
    frmImage_->adjustSize();
    const QSize need = frmImage_->size() - mdi_->viewport()->size();
    if (isVisible() && !keepWindowSize_ && (need.width() > 0 || need.height() > 0)) {
        resize(onScreen(size() + need.expandedTo(QSize(0, 0))));
    }
    if (isVisible()) {
        frmImage_->move(0, 0);
        frmImage_->resize(frmImage_->size().boundedTo(mdi_->viewport()->size()));
    }
    map_->fit();
}

void MainWindow::mnuZoom100_Click() {
    map_->setZoom(1.0);
}

void MainWindow::mnuFit_Click() {
    fitMapWindow();
}

void MainWindow::mnuCamera_Click() {
    if (!frmCamera_) frmCamera_ = new CameraDialog(ws_, *history_, this);
    frmCamera_->fill();
    frmCamera_->show();
    frmCamera_->raise();
    frmCamera_->activateWindow();
}

void MainWindow::buildTimeline(QMenu* view) {
    auto* dock = new TimelineDock(
        ws_, *history_,
        {[this](qint64 n) { animation_->seek(n); }, [this](qint64 n) { animation_->playFrom(n); },
         [this] { animation_->stopPreview(); }, [this] { return animation_->previewing(); },
         [this](qint64 n) { return animation_->cameraZoom(n); }},
        this);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    view->addSeparator();
    view->addAction(dock->toggleViewAction());
    connect(animation_, &AnimationCommands::frameShown, dock, &TimelineDock::follow);
    // Esc stops the preview, and the timeline playing backwards or faster.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, dock, [this, dock] {
        dock->transport().pause();
        animation_->stopPreview();
    });
}

// The preview's and the timeline's frames show in the map window; a camera that moves shows
// the part of the map its frame takes there.
void MainWindow::showAnimationInMap() {
    map_->shownPicture = [this] { return animation_->previewPicture(); };
    map_->overlay = [this](QPainter& p) {
        if (frmControlPoints_) frmControlPoints_->paintOverlay(p);
        // A tiled map's credit, as every rendered frame shows it.
        if (ws_.tiles) {
            p.save();
            paintAttribution(p, ws_.tiles->attribution(), QRect(0, 0, ws_.map.width(), ws_.map.height()));
            p.restore();
        }
        const QPolygonF frame = animation_->cameraFrame();
        if (frame.isEmpty()) return;
        // Dark under light dashes: seen on any map.
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        QPen dark(QColor(0, 0, 0, 160), 3);
        dark.setCosmetic(true);
        p.setPen(dark);
        p.drawPolygon(frame);
        QPen light(Qt::white, 1.5, Qt::DashLine);
        light.setCosmetic(true);
        p.setPen(light);
        p.drawPolygon(frame);
    };
}
