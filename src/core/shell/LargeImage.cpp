#include "LargeImage.h"

#include <cstdlib>
#include <sys/mman.h>

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;

void release(void* data) {
    std::free(data);
}
} // namespace

QImage largeImage(QSize size, QImage::Format format) {
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    if (size.isEmpty() || depth <= 0) return QImage(size, format);
    // Rows padded to 4 bytes, as QImage pads its own.
    const std::size_t row = ((std::size_t(size.width()) * std::size_t(depth) + 31) / 32) * 4;
    const std::size_t bytes = row * std::size_t(size.height());
    if (bytes < kHugePage / 4) return QImage(size, format); // not worth a large page's slack
    const std::size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* data = std::aligned_alloc(kHugePage, whole);
    if (!data) return QImage();
    ::madvise(data, whole, MADV_HUGEPAGE); // a hint: without it the pages are small
    return QImage(static_cast<uchar*>(data), size.width(), size.height(), qsizetype(row), format, release, data);
}
