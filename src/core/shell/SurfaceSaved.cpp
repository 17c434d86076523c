// Keeping a surface's pixels aside and putting them back.
#include "Surface.h"

#include <cstring>

namespace {
// Into the buffer `to` already has, so a surface in large pages keeps them.
void copyPixels(const QImage& from, QImage& to) {
    if (from.isNull()) {
        to = QImage();
        return;
    }
    if (to.size() != from.size() || to.format() != from.format()) {
        to = from.copy();
        return;
    }
    const auto row = std::size_t(std::min(from.bytesPerLine(), to.bytesPerLine()));
    for (int y = 0; y < from.height(); ++y)
        std::memcpy(to.scanLine(y), from.constScanLine(y), row);
}
} // namespace

Surface::Saved Surface::save() {
    finish();
    layerPainters_.clear();
    return {image_.copy(), under_.copy(), strokes_.copy(), top_.copy(), layered_};
}

void Surface::restore(const Saved& saved) {
    finish();
    layerPainters_.clear();
    copyPixels(saved.image, image_);
    copyPixels(saved.under, under_);
    copyPixels(saved.strokes, strokes_);
    copyPixels(saved.top, top_);
    layered_ = saved.layered;
    changedAll();
}
