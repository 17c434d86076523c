// The window's state kept between runs in the user's settings: size and place, docks and tool
// bars, the map window's kind and the map's zoom.
#include "MainWindow.h"
#include "MapWindowMode.h"
#include "mapview/MapView.h"
#include "settings/Appearance.h"

#include <QAction>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {
const char kGeometry[] = "window/geometry";
const char kState[] = "window/state";
const char kZoom[] = "window/mapZoom"; // 0: fitted
const char kSeparate[] = "window/separateMap";
} // namespace

void MainWindow::setMapSeparate(bool separate) {
    if (auto* toggle = findChild<QAction*>("mnuSeparateMap"); toggle && toggle->isChecked() != separate) {
        toggle->setChecked(separate); // comes back here through its signal
        return;
    }
    if (mapMode_->separate() == separate) return;
    mapMode_->setSeparate(separate);
    if (separate) {
        frmImage_->adjustSize();
        fitMapWindow();
    } else {
        map_->fit();
    }
}

void MainWindow::restoreWindowState() {
    applyAppearance(storedAppearance(settings_));
    setMapSeparate(settings_.value(kSeparate, false).toBool());
    if (restoreGeometry(settings_.value(kGeometry).toByteArray())) {
        keepWindowSize_ = true;
        // Left on a larger screen, or one no longer there: kept on this one.
        QScreen* s = QGuiApplication::screenAt(geometry().center());
        if (!s) s = screen();
        if (s) {
            const QRect room = s->availableGeometry();
            QRect g = geometry();
            g.setSize(g.size().boundedTo(room.size()));
            g.moveLeft(std::clamp(g.left(), room.left(), room.right() - g.width() + 1));
            g.moveTop(std::clamp(g.top(), room.top(), room.bottom() - g.height() + 1));
            setGeometry(g);
        }
    }
    restoreState(settings_.value(kState).toByteArray());
    const double zoom = settings_.value(kZoom, 0.0).toDouble();
    if (zoom > 0 && std::isfinite(zoom)) map_->setZoom(zoom); // the view holds it to its range
}

void MainWindow::saveWindowState() {
    settings_.setValue(kGeometry, saveGeometry());
    settings_.setValue(kState, saveState());
    settings_.setValue(kZoom, map_->fitting() ? 0.0 : map_->scale());
    settings_.setValue(kSeparate, mapMode_->separate());
}
