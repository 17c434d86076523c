#pragma once
// One premultiplied picture over another, pixel by pixel: for the small pictures a frame is
// built from (a round spot, a faded part's layer), where a painter's call costs more in setting
// up than in pixels, and most of the picture is clear.

#include <QImage>
#include <QPainter>
#include <optional>

// `src`'s part `from` (premultiplied) over `dst` with that part's corner at `at`, at `opacity`
// (0 to 256), within `clip`. False, drawing nothing, when `dst` is neither opaque nor
// premultiplied 32-bit, or `src` is not premultiplied.
bool pixelsOver(QImage& dst, QPoint at, const QImage& src, const QRect& from, int opacity, const QRect& clip);

// `n` pixels of `in` (premultiplied) at `opacity` (0 to 256) over `out`; `opaque`: `out` has no
// alpha of its own.
void rowOver(const quint32* in, quint32* out, int n, int opacity, bool opaque);

// The picture `p` paints on and the rectangle its clip keeps (in device pixels), when drawing
// there by hand gives what `p` would: a picture of those formats, drawing over at full opacity
// with no transform, clipped by one rectangle or not at all.
struct PaintedPixels {
    QImage* image;
    QRect clip;
};
std::optional<PaintedPixels> paintedPixels(QPainter& p);
