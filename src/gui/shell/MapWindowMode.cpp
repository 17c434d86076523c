#include "MapWindowMode.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

MapWindowMode::MapWindowMode(QMdiArea* area, QMdiSubWindow* window)
    : QObject(area), area_(area), window_(window) {
    area->viewport()->installEventFilter(this);
    window->installEventFilter(this);
}

void MapWindowMode::setSeparate(bool separate) {
    separate_ = separate;
    // Filling, the area never needs scroll bars: the map view scrolls itself.
    const Qt::ScrollBarPolicy bars = separate ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    area_->setHorizontalScrollBarPolicy(bars);
    area_->setVerticalScrollBarPolicy(bars);
    window_->setWindowFlags(separate ? Qt::SubWindow | Qt::WindowTitleHint
                                     : Qt::SubWindow | Qt::FramelessWindowHint);
    window_->showNormal();
    if (!separate) fill();
}

// Not maximised, which would put the window's buttons into the menu bar: frameless and as large as the area.
void MapWindowMode::fill() {
    window_->setGeometry(area_->viewport()->rect());
}

bool MapWindowMode::eventFilter(QObject* watched, QEvent* e) {
    if (separate_) return false;
    if (watched == window_ && e->type() == QEvent::Close) {
        // Filling, the map window has no frame to bring it back by: its menu's Close (Ctrl+W) is refused.
        e->ignore();
        return true;
    }
    if (watched != window_ && e->type() == QEvent::Resize) fill();
    return false;
}
