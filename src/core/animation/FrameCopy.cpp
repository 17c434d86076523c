#include "FrameCopy.h"

#include "BmpEncoding.h"
#include "shell/LargeImage.h"

#include <QRegion>
#include <cstring>

namespace {
// Row y of a frame is row y of its copy, or row height - 1 - y when the copy is bottom-up.
uchar* rowOf(QImage& into, int y, bool bottomUp) {
    return into.scanLine(bottomUp ? into.height() - 1 - y : y);
}

// Pixels go over as they are, or the map's 32-bit ones packed into 24 bits.
bool copiesDirectly(const QImage& frame, QImage::Format layout) {
    return frame.format() == layout ||
           (frame.format() == QImage::Format_RGB32 && layout == QImage::Format_BGR888);
}

// `width` pixels from x on row y of the frame to the same place in `into`.
void copySpan(const QImage& frame, int y, int x, int width, bool bottomUp, QImage& into) {
    const int from = frame.depth() / 8, to = into.depth() / 8;
    const uchar* src = frame.constScanLine(y) + std::size_t(x) * from;
    uchar* dst = rowOf(into, y, bottomUp) + std::size_t(x) * to;
    if (from == to)
        std::memcpy(dst, src, std::size_t(width) * to);
    else
        packBgrRow(src, reinterpret_cast<char*>(dst), width);
}

qint64 pixelsIn(const std::vector<QRect>& areas) {
    qint64 n = 0;
    for (const QRect& a : areas)
        n += qint64(a.width()) * a.height();
    return n;
}
} // namespace

void copyFrame(const QImage& frame, const std::vector<QRect>* changed, const FrameFileType& type,
               QImage& into) {
    const bool direct = copiesDirectly(frame, type.layout);
    const bool patch = changed && direct && into.format() == type.layout && into.size() == frame.size() &&
                       pixelsIn(*changed) < qint64(frame.width()) * frame.height();
    if (patch) {
        auto copy = [&](const QRect& a) {
            for (int y = a.top(); y <= a.bottom(); ++y)
                copySpan(frame, y, a.left(), a.width(), type.bottomUp, into);
        };
        // Areas of the frames since often overlap (a marker moves a little each frame): their
        // union is copied once. A long list (a classic frame's many small strokes) is copied as
        // it is, where working out the union would cost more.
        if (changed->size() > 1 && changed->size() <= 16) {
            QRegion all;
            for (const QRect& a : *changed)
                all += a;
            for (const QRect& a : all)
                copy(a);
        } else {
            for (const QRect& a : *changed)
                copy(a);
        }
        return;
    }
    if (into.size() != frame.size() || into.format() != type.layout)
        into = largeImage(frame.size(), type.layout);
    const QImage converted = direct ? QImage() : frame.convertToFormat(type.layout);
    const QImage& from = direct ? frame : converted;
    for (int y = 0; y < from.height(); ++y)
        copySpan(from, y, 0, from.width(), type.bottomUp, into);
}
