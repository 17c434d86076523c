#pragma once
// The 256 colours of an animated GIF and the frames mapped onto them. The palette is cut from
// the first frame's colours (median cut over a histogram), with entries kept free for colours
// that come later (the route, the marker, a title); a later frame's colours that the palette
// lacks go into those free entries, so the colours already there never move and the map does
// not flicker. Only when no entry is free is the palette cut again, from that frame.
//
// Frames are dithered in an ordered pattern: each pixel takes the nearest colour or its
// neighbour on the other side, by a fixed threshold per position, so an unchanged pixel takes
// the same index in every frame (no crawling noise, and the encoder stores only changes), and
// a colour the palette holds exactly is not dithered at all.

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

class GifPalette {
  public:
    static constexpr int kColours = 256;

    GifPalette();

    // Maps an opaque frame (RGB32) into `out`, `stride` bytes a row, first making or growing the
    // palette for it. True when the palette changed.
    bool map(const QImage& frame, uchar* out, qsizetype stride);

    // 0xffRRGGBB for every entry; the unused ones are black.
    const std::array<QRgb, kColours>& colours() const { return colours_; }
    int used() const { return used_; }

  private:
    struct Bin { // one cell of the histogram: the pixels' count and their summed channels
        quint32 count = 0;
        quint64 r = 0, g = 0, b = 0;
    };
    using Histogram = std::vector<Bin>;

    // Adds up to `n` colours cut from `bins`; the cut stops early when the bins are fewer.
    void add(const Histogram& bins, int n);
    void restart(const Histogram& bins);
    int nearest(int r, int g, int b); // cached by cell
    void forget();                    // the cache, after the palette changed

    std::array<QRgb, kColours> colours_{};
    int used_ = 0;
    std::vector<std::uint16_t> nearest_; // per 6-bit cell; 0xffff: not known yet
};
