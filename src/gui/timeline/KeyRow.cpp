#include "KeyRow.h"

#include "shell/EditHistory.h"

#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QPainter>

namespace {
constexpr int kReach = 6; // pixels around a key that take a click
constexpr double kMinZoom = 0.01, kMaxZoom = 64;
} // namespace

KeyRow::KeyRow(Timeline& timeline, QWidget* parent) : TimelineRow(timeline, 24, parent) {
    setObjectName("timelineKeys");
    setToolTip(tr("Camera zoom keys (follow camera): Z or the context menu adds one at the playhead; drag a "
                  "key to another point, double-click to change it, Delete removes it"));
}

int KeyRow::keyAt(int x) {
    const ProjectState& st = tl_.workspace().st;
    for (int i = 0; i < std::min<int>(st.listmax, kPointSlots); ++i) {
        const qint64 at = tl_.spans().arrival[std::size_t(i)];
        if (st.pointzoom[std::size_t(i)] > 0 && at >= 0 && std::abs(scale().x(at) - x) <= kReach) return i;
    }
    return -1;
}

void KeyRow::paintRow(QPainter& p) {
    const ProjectState& st = tl_.workspace().st;
    p.setRenderHint(QPainter::Antialiasing);
    const int mid = height() / 2;
    for (int i = 0; i < std::min<int>(st.listmax, kPointSlots); ++i) {
        const qint64 at = tl_.spans().arrival[std::size_t(i)];
        if (at < 0) continue;
        const int x = dragging_ && i == selected_ ? dragX_ : scale().x(at);
        if (st.pointzoom[std::size_t(i)] <= 0) { // where a key could go
            p.setPen(palette().mid().color());
            p.drawLine(scale().x(at), mid - 2, scale().x(at), mid + 2);
            continue;
        }
        const QPolygon diamond(
            {QPoint(x, mid - 6), QPoint(x + 6, mid), QPoint(x, mid + 6), QPoint(x - 6, mid)});
        p.setPen(palette().text().color());
        p.setBrush(i == selected_ ? QColor(240, 160, 40) : QColor(250, 220, 120));
        p.drawPolygon(diamond);
        p.drawText(x + 9, mid + 4, QString::number(st.pointzoom[std::size_t(i)], 'g', 3));
    }
}

void KeyRow::setValue(int point, double zoom) {
    tl_.history().editSettings(tr("Zoom key at point %1").arg(point),
                               [&](ProjectState& st) { st.pointzoom[std::size_t(point)] = zoom; });
}

void KeyRow::addAtPlayhead() {
    const int i = tl_.nearestArrival(tl_.playhead());
    if (i < 0) return;
    selected_ = i;
    setValue(i, std::clamp(tl_.host().zoomAt(tl_.playhead()), kMinZoom, kMaxZoom));
}

void KeyRow::deleteSelected() {
    if (selected_ < 0 || tl_.workspace().st.pointzoom[std::size_t(selected_)] <= 0) return;
    const int i = std::exchange(selected_, -1);
    tl_.history().editSettings(tr("Delete zoom key at point %1").arg(i),
                               [&](ProjectState& st) { st.pointzoom[std::size_t(i)] = -1; });
}

void KeyRow::mousePressEvent(QMouseEvent* e) {
    selected_ = keyAt(int(e->position().x()));
    dragging_ = selected_ >= 0 && e->button() == Qt::LeftButton;
    dragX_ = int(e->position().x());
    update();
}

void KeyRow::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    dragX_ = int(e->position().x());
    update();
}

void KeyRow::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_) return;
    dragging_ = false;
    // The key snaps to the arrival nearest where it was let go.
    const int to = tl_.nearestArrival(scale().frameAt(int(e->position().x()), tl_.last()));
    const int from = selected_;
    if (to >= 0 && to != from) {
        selected_ = to;
        tl_.history().editSettings(tr("Move zoom key to point %1").arg(to), [&](ProjectState& st) {
            st.pointzoom[std::size_t(to)] = st.pointzoom[std::size_t(from)];
            st.pointzoom[std::size_t(from)] = -1;
        });
    }
    update();
}

void KeyRow::mouseDoubleClickEvent(QMouseEvent* e) {
    const int i = keyAt(int(e->position().x()));
    if (i < 0) return;
    selected_ = i;
    if (!spin_) {
        spin_ = new QDoubleSpinBox(this);
        spin_->setObjectName("spnZoomKey");
        spin_->setRange(kMinZoom, kMaxZoom);
        spin_->setDecimals(2);
        spin_->setSingleStep(0.1);
        connect(spin_, &QDoubleSpinBox::editingFinished, this, [this] {
            if (!spin_->isVisible()) return;
            spin_->hide();
            if (selected_ >= 0) setValue(selected_, spin_->value());
            setFocus();
        });
    }
    spin_->setValue(tl_.workspace().st.pointzoom[std::size_t(i)]);
    spin_->setGeometry(
        std::clamp(scale().x(tl_.spans().arrival[std::size_t(i)]) - 35, 0, std::max(0, width() - 80)), 0, 80,
        height());
    spin_->show();
    spin_->setFocus();
    spin_->selectAll();
}

void KeyRow::contextMenuEvent(QContextMenuEvent* e) {
    selected_ = keyAt(e->pos().x());
    QMenu menu(this);
    connect(menu.addAction(tr("Add zoom key at the playhead")), &QAction::triggered, this,
            &KeyRow::addAtPlayhead);
    QAction* del = menu.addAction(tr("Delete zoom key"));
    del->setEnabled(selected_ >= 0);
    connect(del, &QAction::triggered, this, &KeyRow::deleteSelected);
    menu.exec(e->globalPos());
}
