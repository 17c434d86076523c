#pragma once
// The 256 colours of an animated GIF and the frames mapped onto them. The palette is made
// once, with the first frame, and kept for every frame: a GIF encoder stores only the part of a
// frame that changed, and only while the palette stays the same (a palette that changed cost
// a whole frame each time, a hundred times the bytes). It holds the colours the route will draw
// (given by the caller: they may not be in the first frame yet), a coarse cube of colours for
// anything else that comes later, and the rest cut from the first frame's colours (median cut
// over a histogram).
//
// Frames are dithered in an ordered pattern: each pixel's colour is made as a mix of a few
// palette colours, and a fixed threshold per position picks one of them, so an unchanged pixel
// takes the same index in every frame (no crawling noise, and the encoder stores only changes),
// and a colour the palette holds exactly is not dithered at all.

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

class GifPalette {
  public:
    static constexpr int kColours = 256;

    // `keep`: colours the palette is to hold exactly (the first 32).
    explicit GifPalette(std::vector<QRgb> keep = {});

    // Maps an opaque frame (RGB32) into `out`, `stride` bytes a row; the first makes the palette.
    void map(const QImage& frame, uchar* out, qsizetype stride);

    // 0xffRRGGBB for every entry; the unused ones are black.
    const std::array<QRgb, kColours>& colours() const { return colours_; }
    int used() const { return used_; }

  private:
    struct Bin { // one cell of the histogram: the pixels' count and their summed channels
        quint32 count = 0;
        quint64 r = 0, g = 0, b = 0;
    };
    using Histogram = std::vector<Bin>;

    void make(const QImage& first);
    // Adds up to `n` colours cut from `bins`; the cut stops early when the bins are fewer.
    void add(const Histogram& bins, int n);
    void addColour(QRgb c);           // unless held already
    int nearest(int r, int g, int b); // cached by cell

    std::vector<QRgb> keep_;
    std::array<QRgb, kColours> colours_{};
    std::array<int, kColours> lightness_{}; // the order a pixel's mix is laid out in
    int used_ = 0;
    std::vector<std::uint16_t> nearest_; // per 6-bit cell; 0xffff: not known yet
};
