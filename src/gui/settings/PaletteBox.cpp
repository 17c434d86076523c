#include "PaletteBox.h"

#include <QMouseEvent>
#include <QPainter>

PaletteBox::PaletteBox(int width, int height, QWidget* parent)
    : QWidget(parent), surface_(width, height, palette().color(QPalette::Window)) {
    setFixedSize(width, height);
    setFocusPolicy(Qt::TabFocus); // a tab stop, as picture boxes are
}

void PaletteBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, surface_.image());
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PaletteBox::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position());
}
