#include "LargeImage.h"

#include <algorithm>
#include <cstdlib>
#include <sys/mman.h>

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;

void release(void* data) {
    std::free(data);
}
} // namespace

QImage largeImage(QSize size, QImage::Format format, std::size_t room) {
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    if (size.isEmpty() || depth <= 0) return QImage(size, format);
    // Rows padded to 4 bytes, as QImage pads its own.
    const std::size_t row = ((std::size_t(size.width()) * std::size_t(depth) + 31) / 32) * 4;
    const std::size_t bytes = std::max(row * std::size_t(size.height()), room);
    void* data = nullptr;
    if (bytes < kHugePage / 4) { // not worth a large page's slack
        if (room == 0) return QImage(size, format);
        data = std::malloc(bytes);
    } else {
        const std::size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        data = std::aligned_alloc(kHugePage, whole);
        if (data) ::madvise(data, whole, MADV_HUGEPAGE); // a hint: without it the pages are small
    }
    if (!data) return QImage();
    return QImage(static_cast<uchar*>(data), size.width(), size.height(), qsizetype(row), format, release,
                  data);
}
