// The layered surface: outlines beneath strokes beneath text, composed into the image shown.
#include "Surface.h"

#include "LargeImage.h"

#include <algorithm>
#include <cstring>

namespace {
// Premultiplied `src` over `dst`, per channel with rounding.
inline quint32 over(quint32 dst, quint32 src) {
    const quint32 a = 255 - (src >> 24);
    if (a == 255) return dst;
    if (a == 0) return src;
    quint32 out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const quint32 t = ((dst >> shift) & 0xff) * a + 128;
        out |= (((src >> shift) & 0xff) + ((t + (t >> 8)) >> 8)) << shift;
    }
    return out;
}

} // namespace

void Surface::setLayers(bool on, qint32 outlineColor, int outlineWidth) {
    wantLayers_ = on;
    outlineColor_ = outlineColor;
    outlineWidth_ = on ? std::clamp(outlineWidth, 0, 256) : 0;
}

// Called with the image freshly cleared or reset: the outline layer starts as that picture.
void Surface::resetLayers() {
    layerPainters_.clear();
    layered_ = wantLayers_;
    if (!layered_) {
        under_ = strokes_ = top_ = QImage();
        return;
    }
    // The layers keep their buffers from reset to reset (every redraw and every render resets).
    for (QImage* layer : {&under_, &strokes_, &top_})
        if (layer->size() != image_.size() || layer->format() != QImage::Format_ARGB32_Premultiplied)
            *layer = largeImage(image_.size(), QImage::Format_ARGB32_Premultiplied);
    // 32-bit pixels as the image keeps them are premultiplied already (opaque ones have alpha 255).
    for (int y = 0; y < image_.height(); ++y)
        std::memcpy(under_.scanLine(y), image_.constScanLine(y), std::size_t(image_.bytesPerLine()));
    strokes_.fill(Qt::transparent);
    top_.fill(Qt::transparent);
}

QPainter& Surface::layerPainter(QImage& layer) {
    std::unique_ptr<QPainter>& p = layerPainters_[&layer];
    if (!p) {
        p = std::make_unique<QPainter>(&layer);
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(0.5, 0.5);
    }
    return *p;
}

void Surface::compose(const QRectF& area) {
    // Integer coordinates name pixel centres: the area's pixels reach half a pixel further.
    const QRect r = area.adjusted(-0.5, -0.5, 1.5, 1.5).toAlignedRect().intersected(image_.rect());
    if (r.isEmpty()) return;
    changes_.add(r);
    painter_.reset(); // nothing else paints on the image while it has layers
    // The outline layer starts as the picture, so an opaque surface stays opaque.
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* u = reinterpret_cast<const quint32*>(under_.constScanLine(y)) + r.left();
        const auto* s = reinterpret_cast<const quint32*>(strokes_.constScanLine(y)) + r.left();
        const auto* t = reinterpret_cast<const quint32*>(top_.constScanLine(y)) + r.left();
        auto* d = reinterpret_cast<quint32*>(image_.scanLine(y)) + r.left();
        for (int x = 0; x < r.width(); ++x)
            d[x] = over(over(u[x], s[x]), t[x]);
    }
}

void Surface::showOver(const QRect& area, const std::function<void(QPainter&)>& paint,
                       const std::function<void(const QImage&)>& use) {
    finish();
    const QRect r = area.intersected(image_.rect());
    const QImage under = image_.copy(r);
    {
        QPainter p(&image_);
        p.setClipRect(r);
        paint(p);
    }
    changes_.add(r);
    use(image_);
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r.topLeft(), under);
    changes_.add(r);
}
