#include "LitMap.h"

#include "GlowLayer.h"
#include "PixelMath.h"
#include "PixelOver.h"
#include "shell/LargeImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// A picture of `size` in `format` in `image`, its memory kept when it already is one.
void shape(QImage& image, QSize size, QImage::Format format) {
    if (image.size() != size || image.format() != format) image = largeImage(size, format);
}
} // namespace

LitMap::~LitMap() {
    oldPainter_.reset(); // before the picture it paints on
}

void LitMap::reset() {
    f_ = -1;
    frame_ = nullptr;
}

void LitMap::restart(const Ask& ask) {
    const QImage& under = ask.under;
    shape(lit_, under.size(), under.format());
    underKey_ = under.cacheKey();
    at_ = ask.at;
    f_ = ask.f;
    hasOld_ = ask.old != nullptr;
    frame_ = ask.frame;
    oldBoxes_.clear();
    // A clear layer is the bare map: the two agree from the start.
    if (f_ > 0) {
        shape(layer_, QSize((under.width() + f_ - 1) / f_ + 2, (under.height() + f_ - 1) / f_ + 2),
              QImage::Format_ARGB32_Premultiplied);
        layer_.fill(Qt::transparent);
        changed_.assign(std::size_t(layer_.width()) * std::size_t(layer_.height()), 0);
    }
    // Nothing is laid yet: each tile is, when a part of a frame first reaches it, so a render
    // starts without working over the whole frame (and touching all its memory) first.
    tiles_ = QSize((under.width() + kTile - 1) / kTile, (under.height() + kTile - 1) / kTile);
    ready_.assign(std::size_t(tiles_.width()) * std::size_t(tiles_.height()), 0);
    if (!hasOld_) return;
    if (old_.size() != under.size()) {
        oldPainter_.reset();
        old_ = largeImage(under.size(), QImage::Format_ARGB32_Premultiplied);
    }
    if (!oldPainter_) oldPainter_ = std::make_unique<QPainter>(&old_);
    oldPainter_->setRenderHint(QPainter::Antialiasing);
    oldEnd_ = ask.old->end;
}

// Draws the old line into `box` of its layer, from clear.
void LitMap::drawOld(const Ask& ask, const QRect& box) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        std::memset(old_.scanLine(y) + qsizetype(box.left()) * 4, 0, std::size_t(box.width()) * 4);
    QPainter& p = *oldPainter_;
    p.resetTransform();
    p.setClipRect(box);
    p.translate(0.5, 0.5);
    ask.old->draw(p, box);
}

// Lays the tiles `r` reaches that are not laid yet, in one box around them all.
void LitMap::ready(const Ask& ask, const QRect& r) {
    const QRect in = r & lit_.rect();
    if (in.isEmpty()) return;
    QRect box;
    for (int ty = in.top() / kTile; ty <= in.bottom() / kTile; ++ty)
        for (int tx = in.left() / kTile; tx <= in.right() / kTile; ++tx) {
            uchar& done = ready_[std::size_t(ty) * std::size_t(tiles_.width()) + std::size_t(tx)];
            if (done) continue;
            done = 1;
            box |= QRect(tx * kTile, ty * kTile, kTile, kTile);
        }
    box &= lit_.rect();
    if (box.isEmpty()) return;
    // Laid tiles in the box are laid again as they are.
    if (hasOld_) drawOld(ask, box);
    lay(ask, box, false);
}

// Lays again the pixels of `r` that take in a changed glow pixel, in the tiles laid so far: the
// others are laid whole when first reached.
void LitMap::layChanged(const Ask& ask, const QRect& r) {
    const QRect in = r & lit_.rect();
    if (in.isEmpty()) return;
    for (int ty = in.top() / kTile; ty <= in.bottom() / kTile; ++ty) {
        const uchar* row = ready_.data() + std::size_t(ty) * std::size_t(tiles_.width());
        for (int tx = in.left() / kTile; tx <= in.right() / kTile;) {
            if (!row[tx]) {
                ++tx;
                continue;
            }
            const int first = tx;
            while (tx <= in.right() / kTile && row[tx])
                ++tx;
            lay(ask, QRect(first * kTile, ty * kTile, (tx - first) * kTile, kTile) & in, true);
        }
    }
}

// Brings the glow's layer pixels the area takes in up to date; the box of the frame pixels that
// take in a changed one.
QRect LitMap::refreshGlow(const Ask& ask, const QRect& area) {
    const int f = f_;
    const QRect taken = glowTaken(area, f) & layer_.rect();
    if (taken.isEmpty()) return {};
    QRect moved;
    const std::optional<GlowTexels>& texels = ask.texels;
    const QRect inTexels = texels ? QRect(texels->corner / f, texels->layer.size()) : QRect();
    for (int j = taken.top(); j <= taken.bottom(); ++j) {
        auto* kept = reinterpret_cast<quint32*>(layer_.scanLine(j));
        uchar* changed = changed_.data() + std::size_t(j) * std::size_t(layer_.width());
        const bool rowIn = j >= inTexels.top() && j <= inTexels.bottom();
        const auto* now =
            rowIn ? reinterpret_cast<const quint32*>(texels->layer.constScanLine(j - inTexels.top()))
                  : nullptr;
        for (int i = taken.left(); i <= taken.right(); ++i) {
            const quint32 v =
                now && i >= inTexels.left() && i <= inTexels.right() ? now[i - inTexels.left()] : 0;
            if (v == kept[i]) continue;
            kept[i] = v;
            changed[i] = 1;
            moved |= QRect(i, j, 1, 1);
        }
    }
    return moved;
}

// Lays again the frame pixels of `r` (all, or those that take in a changed glow pixel): the map,
// the glow, the old line.
void LitMap::lay(const Ask& ask, const QRect& r, bool onlyChanged) {
    const QRect part = r & lit_.rect();
    if (part.isEmpty()) return;
    const int oldOpacity = hasOld_ ? pixels::opacity256(ask.old->opacity) : 0;
    if (f_ > 0) {
        layGlow(lit_, ask.under, layer_, QPoint(0, 0), f_, part, glowStrength(),
                onlyChanged ? changed_.data() : nullptr, hasOld_ ? &old_ : nullptr, oldOpacity);
        return;
    }
    const qsizetype bytes = qsizetype(part.width()) * 4;
    for (int y = part.top(); y <= part.bottom(); ++y)
        std::memcpy(lit_.scanLine(y) + qsizetype(part.left()) * 4,
                    ask.under.constScanLine(y) + qsizetype(part.left()) * 4, std::size_t(bytes));
    if (hasOld_) pixelsOver(lit_, part.topLeft(), old_, part, oldOpacity, part);
}

const QImage& LitMap::over(const Ask& ask, const QRect& area) {
    const QImage& under = ask.under;
    if (f_ < 0 || ask.under.cacheKey() != underKey_ || ask.at != at_ || ask.f != f_ ||
        lit_.size() != under.size() || lit_.format() != under.format() || (ask.old != nullptr) != hasOld_)
        restart(ask);
    // A new frame: the old line grew (or, after a step back, shrank) between where it ended and
    // where it ends now.
    if (ask.frame != frame_) {
        frame_ = ask.frame;
        oldBoxes_.clear();
        if (hasOld_ && ask.old->end != oldEnd_) {
            oldBoxes_ =
                ask.old->boxes(std::min(oldEnd_, ask.old->end) - 1, std::max(oldEnd_, ask.old->end) + 1);
            oldEnd_ = ask.old->end;
        }
    }
    // The glow first, so tiles laid for the first time take in its pixels as they are now and
    // only the tiles laid before are laid again where it changed.
    if (f_ > 0) {
        const QRect moved = refreshGlow(ask, area);
        if (!moved.isEmpty()) {
            layChanged(ask, glowFootprint(moved, f_));
            for (int j = moved.top(); j <= moved.bottom(); ++j)
                std::memset(changed_.data() + std::size_t(j) * std::size_t(layer_.width()) + moved.left(), 0,
                            std::size_t(moved.width()));
        }
    }
    ready(ask, area);
    if (hasOld_)
        for (const QRect& box : oldBoxes_) {
            const QRect redo = box & area & old_.rect();
            if (redo.isEmpty()) continue;
            drawOld(ask, redo);
            lay(ask, redo, false);
        }
    return lit_;
}
