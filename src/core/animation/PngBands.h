#pragma once
// The zlib stream of a PNG frame's rows, made of bands of rows that each compress alone. From
// frame to frame of a route animation most rows stay the same: the calling thread keeps its last
// frame and every band's compressed bytes, and compresses again only the bands whose pixels
// differ from that frame. Reuse is decided by comparing pixels, so it is exact whatever frame
// the thread wrote last.

#include <QImage>
#include <cstddef>
#include <sys/uio.h>
#include <vector>

// Writes `width` pixels of a frame row as PNG bytes (after the row's filter byte).
using PngRowConvert = void (*)(const uchar* src, uchar* dst, int width);

struct PngStream {
    std::vector<iovec> pieces; // zlib header, bands, end: they stay valid until the next call
    std::size_t bytes = 0;
};

// The stream of `frame`'s rows, `rowBytes` PNG bytes each, converted by `convert`; the bands
// kept belong to the calling thread. False when most bands changed (the whole frame then
// compresses faster in one piece), when the frame is too big to keep a copy of, or when memory
// or the compressor failed.
bool bandedPngStream(const QImage& frame, std::size_t rowBytes, PngRowConvert convert, PngStream& out);
