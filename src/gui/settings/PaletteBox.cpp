#include "PaletteBox.h"

#include <QMouseEvent>
#include <QPainter>

PaletteBox::PaletteBox(int width, int height, QWidget* parent)
    : QWidget(parent), surface_(width, height, palette().color(QPalette::Window)) {
    setFixedSize(width, height);
}

void PaletteBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, surface_.image());
}

void PaletteBox::mouseReleaseEvent(QMouseEvent* event) { emit released(event->position()); }
