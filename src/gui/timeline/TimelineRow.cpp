#include "TimelineRow.h"

#include <QPainter>
#include <QWheelEvent>

TimelineRow::TimelineRow(Timeline& timeline, int height, QWidget* parent) : QWidget(parent), tl_(timeline) {
    setFixedHeight(height);
    setMinimumWidth(100);
    connect(&tl_, &Timeline::changed, this, qOverload<>(&QWidget::update));
}

void TimelineRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    tl_.spans(); // the scale's rate follows the project
    paintRow(p);
    if (tl_.frames() <= 0) return;
    const int x = scale().x(tl_.playhead());
    p.setPen(QPen(QColor(220, 40, 40), 1));
    p.drawLine(x, 0, x, height());
}

void TimelineRow::wheelEvent(QWheelEvent* e) {
    const QPoint d = e->angleDelta();
    const int steps = (std::abs(d.y()) >= std::abs(d.x()) ? d.y() : d.x());
    if (e->modifiers() & Qt::ControlModifier)
        tl_.zoom(std::pow(1.25, steps / 120.0), int(e->position().x()));
    else
        tl_.scrollTo(scale().scroll - steps);
    e->accept();
}
