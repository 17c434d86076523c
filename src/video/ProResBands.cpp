// Which bands of a MOV frame are encoded again: the macroblock rows (16 pixel rows) that
// changed since the frame before, as the change log tells or as a comparison with a copy of
// that frame finds. Most rows changed: the whole frame, which costs no more.
#include "VideoWriter.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kBand = 16;
} // namespace

void VideoWriter::findStrips(const QImage& image, const ChangeLog* changes, bool logKnown, Picture& picture) {
    picture.strips.clear();
    if (!settings_.reuseSlices || workers_.empty() || picture.repeat) return;
    const int height = image.height();
    const int rows = (height + kBand - 1) / kBand;
    bands_.assign(std::size_t(rows), 0);
    if (changes) {
        if (!logKnown) return; // not known what changed: the whole frame
        for (QRect r : areas_) {
            r &= image.rect();
            if (!r.isEmpty())
                std::fill(&bands_[std::size_t(r.top() / kBand)], &bands_[std::size_t(r.bottom() / kBand)] + 1,
                          1);
        }
    } else {
        const qsizetype stride = image.bytesPerLine();
        const std::size_t line = std::size_t(image.width()) * std::size_t(image.depth() / 8);
        // The same bytes in another layout are other colours.
        if (previous_.size() != std::size_t(image.sizeInBytes()) || previousStride_ != stride ||
            previousLayout_ != image.format()) {
            previous_.assign(image.constBits(), image.constBits() + image.sizeInBytes());
            previousStride_ = stride;
            previousLayout_ = image.format();
            return;
        }
        for (int b = 0; b < rows; ++b) {
            const int top = b * kBand, end = std::min(top + kBand, height);
            for (int y = top; y < end && !bands_[std::size_t(b)]; ++y)
                bands_[std::size_t(b)] =
                    std::memcmp(image.constScanLine(y), &previous_[std::size_t(y * stride)], line) != 0;
            if (bands_[std::size_t(b)])
                std::memcpy(&previous_[std::size_t(top * stride)], image.constScanLine(top),
                            std::size_t((end - top) * stride));
        }
    }
    const int changed = int(std::count(bands_.begin(), bands_.end(), 1));
    if (changed == 0) {
        picture.repeat = true; // the packet of the frame before, the same bytes
        return;
    }
    if (changed * 5 > rows * 3) return;
    // Bands a single row apart go together: one strip costs less than two.
    for (int b = 0; b < rows;) {
        if (!bands_[std::size_t(b)]) {
            ++b;
            continue;
        }
        int end = b + 1;
        while (end < rows && (bands_[std::size_t(end)] || (end + 1 < rows && bands_[std::size_t(end + 1)])))
            ++end;
        picture.strips.emplace_back(b, end - b);
        b = end;
    }
}
