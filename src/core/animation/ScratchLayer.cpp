#include "ScratchLayer.h"

#include <algorithm>

ScratchLayer::~ScratchLayer() {
    painter_.reset(); // before the picture it paints on
}

QPainter& ScratchLayer::begin(QSize size, bool antialiased) {
    if (!painter_ || size.width() > image_.width() || size.height() > image_.height()) {
        painter_.reset();
        image_ = QImage(std::max(size.width(), image_.width()), std::max(size.height(), image_.height()),
                        QImage::Format_ARGB32_Premultiplied);
        painter_ = std::make_unique<QPainter>(&image_);
    }
    QPainter& p = *painter_;
    p.setClipping(false);
    p.resetTransform();
    p.setOpacity(1);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::Antialiasing, antialiased);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::NoBrush);
    return p;
}

QImage ScratchLayer::part(QSize size) {
    return QImage(image_.bits(), size.width(), size.height(), image_.bytesPerLine(), image_.format());
}
