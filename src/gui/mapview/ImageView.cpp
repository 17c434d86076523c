#include "ImageView.h"

#include <QMouseEvent>
#include <QPainter>

ImageView::ImageView(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

void ImageView::refresh() {
    const QSize size(surface_.width(), surface_.height());
    if (this->size() != size) setFixedSize(size);
    update();
}

QSize ImageView::sizeHint() const {
    return QSize(surface_.width(), surface_.height());
}

void ImageView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), surface_.image(), e->rect());
}

void ImageView::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    e->accept();
}

void ImageView::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}
