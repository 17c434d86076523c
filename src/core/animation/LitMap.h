#pragma once
// The map with what stays of the route over it, kept while the camera stands still: the glow and
// the tail's faded old line. The glow changes only near the line's head and where the tail's
// fade moves; the old line only grows at its end. Each part of a frame drawn again brings the
// glow's layer pixels and the old line up to date there, and lays again only the frame pixels
// they changed, so a part of a frame starts from this instead of the bare map.

#include "LineGlow.h"

#include <QImage>
#include <QPainter>
#include <QTransform>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class LitMap {
  public:
    // The tail's faded old line, the part of the route up to `end` at `opacity`.
    struct OldLine {
        double end;
        double opacity;
        // Boxes around the line between two lengths, as far as its drawing reaches.
        std::function<std::vector<QRect>(double from, double to)> boxes;
        // Draws it onto a painter clipped to a box, pixel centres on integers.
        std::function<void(QPainter&, const QRect& box)> draw;
    };
    // What one part of a frame asks for. `frame` tells frames apart: a new one brings the old
    // line's growth since the last.
    struct Ask {
        const QImage& under;                     // the map as the frame's view shows it (or clear)
        QTransform at;                           // that view
        int f;                                   // the glow's layer pixel, 0 for no glow
        const std::optional<GlowTexels>& texels; // every glow layer pixel the area takes in
        const OldLine* old;
        const void* frame;
    };

    LitMap() = default;
    LitMap(const LitMap&) = delete;
    LitMap& operator=(const LitMap&) = delete;
    ~LitMap();

    // The kept picture, right within `area`.
    const QImage& over(const Ask& ask, const QRect& area);
    // Forgets it all: the next call starts from the bare map.
    void reset();

  private:
    void restart(const Ask& ask);
    QRect refreshGlow(const Ask& ask, const QRect& area);
    void lay(const Ask& ask, const QRect& r, bool onlyChanged);
    void drawOld(const Ask& ask, const QRect& box);
    void ready(const Ask& ask, const QRect& r);
    void layChanged(const Ask& ask, const QRect& r);

    static constexpr int kTile = 32;

    QImage lit_;
    qint64 underKey_ = 0;
    QTransform at_;
    int f_ = -1;
    bool hasOld_ = false;
    // The glow's layer pixels the lit map shows, on a grid from the frame's corner, and which of
    // them changed in this call.
    QImage layer_;
    std::vector<uchar> changed_;
    // The old line at full opacity, where it ends, and the boxes it changed in this frame.
    QImage old_;
    std::unique_ptr<QPainter> oldPainter_;
    double oldEnd_ = 0;
    const void* frame_ = nullptr;
    std::vector<QRect> oldBoxes_;
    // Which tiles of kTile pixels are laid.
    QSize tiles_;
    std::vector<uchar> ready_;
};
