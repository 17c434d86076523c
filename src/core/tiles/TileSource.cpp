#include "TileSource.h"

#include "TileImage.h"
#include "mapview/PictureSource.h"

#include <QPainter>
#include <cmath>
#include <cstring>

namespace {
// Decoded tiles kept: half of what the last frame drew. The next frames mostly show the same
// tiles, which the kept mosaic holds already; memory follows the frame's size, not the route's length.
constexpr int kLeastDecodedKiB = 4 * 1024, kMostDecodedKiB = 128 * 1024;
constexpr double kFade = 0.25;           // of a level, where two levels are blended
constexpr qint64 kMostTilesDrawn = 1024; // beyond, a frame is far out of the source's levels

QColor gapColour() {
    return QColor(0xc8, 0xc8, 0xc8);
}

// A tile not at hand: a grey square with a grid, plainly not map.
void paintGap(QPainter& p, const QRect& r) {
    p.fillRect(r, gapColour());
    p.setPen(QPen(QColor(0xa8, 0xa8, 0xa8), 1));
    const int step = std::max(8, r.width() / 8);
    for (int i = 0; i <= r.width(); i += step)
        p.drawLine(r.left() + i, r.top(), r.left() + i, r.bottom());
    for (int i = 0; i <= r.height(); i += step)
        p.drawLine(r.left(), r.top() + i, r.right(), r.top() + i);
}

// Moves the picture's pixels by (dx, dy) within it, rows in the order that never reads a row
// already written; what moves in from outside is left as it was.
void shiftPixels(QImage& image, int dx, int dy) {
    const int w = image.width(), h = image.height();
    if (std::abs(dx) >= w || std::abs(dy) >= h || (dx == 0 && dy == 0)) return;
    const int n = w - std::abs(dx);
    auto move = [&](int y) {
        const auto* from = reinterpret_cast<const quint32*>(image.constScanLine(y - dy)) + std::max(-dx, 0);
        auto* to = reinterpret_cast<quint32*>(image.scanLine(y)) + std::max(dx, 0);
        std::memmove(to, from, std::size_t(n) * 4);
    };
    if (dy > 0)
        for (int y = h - 1; y >= dy; --y)
            move(y);
    else
        for (int y = 0; y < h + dy; ++y)
            move(y);
}

struct Span {
    int x0, x1, y0, y1; // tiles, x unwrapped
    qint64 count() const { return qint64(x1 - x0 + 1) * (y1 - y0 + 1); }
};
} // namespace

TileSource::TileSource(std::shared_ptr<TileStore> store, const TiledWorld& world, QString attribution)
    : store_(std::move(store)), world_(world), attribution_(std::move(attribution)),
      decoded_(kMostDecodedKiB) {}

QString TileSource::attribution() const {
    return attribution_.isEmpty() ? store_->attribution() : attribution_;
}

std::vector<TileSource::Layer> TileSource::layersFor(double scale) const {
    // The level whose pixels are the frame's: a 512-pixel tile holds the pixels of the next level.
    const double extra = store_->tileSize() >= 512 ? 1 : 0;
    const double exact = world_.level() + std::log2(std::max(scale, 1e-9)) - extra;
    const int lo = store_->minLevel(), hi = store_->maxLevel();
    const int finer = int(std::ceil(exact - 1e-9));
    if (finer > hi) return {{std::max(hi, lo), 1}};
    if (finer <= lo) return {{lo, 1}};
    // How far the finer level is reduced: 0 drawn at its own size, towards 1 at half.
    const double reduced = finer - exact;
    if (reduced <= 1 - kFade) return {{finer, 1}};
    return {{finer - 1, 1}, {finer, (1 - reduced) / kFade}};
}

namespace {
std::optional<Span> spanOf(const TiledWorld& world, int level, const QTransform& worldToFrame,
                           const QRect& frame) {
    bool invertible = false;
    const QRectF seen = worldToFrame.inverted(&invertible).mapRect(QRectF(frame));
    if (!invertible) return std::nullopt;
    const QRectF inWorld = seen.intersected(QRectF(QPointF(0, 0), QSizeF(world.size())));
    if (inWorld.isEmpty()) return std::nullopt;
    const QPointF a = world.toLevel(inWorld.topLeft(), level) / 256;
    const QPointF b = world.toLevel(inWorld.bottomRight(), level) / 256;
    const int rows = 1 << level;
    Span s{int(std::floor(a.x())), int(std::ceil(b.x())) - 1, std::max(0, int(std::floor(a.y()))),
           std::min(rows - 1, int(std::ceil(b.y())) - 1)};
    s.x1 = std::max(s.x1, s.x0);
    if (s.y1 < s.y0) return std::nullopt;
    return s;
}

TileKey wrapped(int z, int x, int y) {
    const int n = 1 << z;
    return TileKey{z, ((x % n) + n) % n, y};
}
} // namespace

std::vector<TileKey> TileSource::tilesFor(const QTransform& worldToFrame, const QRect& frameRect) const {
    std::vector<TileKey> keys;
    for (const Layer& layer : layersFor(std::sqrt(std::abs(worldToFrame.determinant())))) {
        const std::optional<Span> s = spanOf(world_, layer.level, worldToFrame, frameRect);
        if (!s || s->count() > kMostTilesDrawn) continue;
        for (int y = s->y0; y <= s->y1; ++y)
            for (int x = s->x0; x <= s->x1; ++x)
                keys.push_back(wrapped(layer.level, x, y));
    }
    return keys;
}

QImage TileSource::tile(const TileKey& key, TileState* state) const {
    {
        std::lock_guard lock(mutex_);
        if (const QImage* image = decoded_.object(key)) {
            *state = TileState::Here;
            return *image;
        }
    }
    TileBytes got = store_->bytes(key);
    *state = got.state;
    if (got.state != TileState::Here) return {};
    QString why;
    QImage image = decodeTile(got.bytes, &why);
    if (image.isNull()) {
        *state = TileState::Missing;
        return {};
    }
    std::lock_guard lock(mutex_);
    decoded_.insert(key, new QImage(image), int(std::max<qsizetype>(1, image.sizeInBytes() / 1024)));
    return image;
}

void TileSource::arrived(const TileKey& key) {
    std::lock_guard lock(mutex_);
    decoded_.remove(key);
    for (Mosaic& m : mosaics_)
        m = Mosaic();
}

qint64 TileSource::drawLayer(QPainter& p, const Layer& layer, const QTransform& worldToFrame,
                             const QRect& frameRect, MapGaps* gaps) const {
    const std::optional<Span> s = spanOf(world_, layer.level, worldToFrame, frameRect);
    if (!s) return 0;
    const int side = store_->tileSize() >= 512 ? 512 : 256;
    // A camera that moves slowly shows the same tiles for several frames: their mosaic is kept.
    Mosaic& kept = mosaics_[std::size_t(layer.level % 2)];
    const std::array<int, 5> id{layer.level, s->x0, s->x1, s->y0, s->y1};
    const QSize size((s->x1 - s->x0 + 1) * side, (s->y1 - s->y0 + 1) * side);
    QImage mosaic, before;
    std::array<int, 5> beforeId{};
    {
        std::lock_guard lock(mutex_);
        if (kept.id == id) {
            mosaic = kept.image;
        } else if (kept.id[0] == layer.level) {
            // Taken, not shared: a mosaic of the same size is moved in place below.
            before = std::move(kept.image);
            beforeId = kept.id;
            kept = Mosaic();
        }
    }
    const bool reused = !mosaic.isNull();
    // The tiles the last mosaic held and this one holds too: moved along, not decoded again.
    const auto held = [&](int x, int y) {
        return !before.isNull() && x >= beforeId[1] && x <= beforeId[2] && y >= beforeId[3] &&
               y <= beforeId[4];
    };
    bool inPlace = false;
    if (!reused && s->count() <= kMostTilesDrawn) {
        if (before.size() == size) {
            mosaic = std::move(before);
            shiftPixels(mosaic, (beforeId[1] - s->x0) * side, (beforeId[3] - s->y0) * side);
            before = QImage(1, 1, QImage::Format_RGB32); // only its span counts now
            inPlace = true;
        } else {
            mosaic = QImage(size, QImage::Format_RGB32);
        }
    }
    // Mosaic pixels to frame pixels: through the level's global pixels and the world's.
    const double toWorld = std::ldexp(1.0, world_.level() - layer.level);
    const QPointF corner = world_.fromLevel(QPointF(s->x0 * 256.0, s->y0 * 256.0), layer.level);
    const QTransform mosaicToFrame = QTransform::fromScale(toWorld * 256 / side, toWorld * 256 / side) *
                                     QTransform::fromTranslate(corner.x(), corner.y()) * worldToFrame;
    if (mosaic.isNull()) {
        if (gaps) ++gaps->count;
        return 0;
    }
    bool complete = true;
    QPainter m;
    if (!reused) m.begin(&mosaic);
    for (int y = s->y0; y <= s->y1 && !reused; ++y)
        for (int x = s->x0; x <= s->x1; ++x) {
            const TileKey key = wrapped(layer.level, x, y);
            const QRect at((x - s->x0) * side, (y - s->y0) * side, side, side);
            if (held(x, y)) {
                if (!inPlace)
                    m.drawImage(at.topLeft(), before,
                                QRect((x - beforeId[1]) * side, (y - beforeId[3]) * side, side, side));
                continue;
            }
            TileState state = TileState::Missing;
            const QImage image = tile(key, &state);
            if (state == TileState::Here) {
                if (image.size() == at.size())
                    m.drawImage(at.topLeft(), image);
                else
                    m.drawImage(at, image.scaled(at.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            } else if (state == TileState::Absent) {
                m.fillRect(at, QColor(0xe4, 0xe4, 0xe4));
            } else {
                paintGap(m, at);
                complete = false;
                if (gaps && gaps->count++ == 0) gaps->first = store_->describe(key);
            }
        }
    if (!reused) {
        m.end();
        if (complete) {
            std::lock_guard lock(mutex_);
            kept = Mosaic{id, mosaic};
        }
    }
    p.save();
    p.setOpacity(p.opacity() * layer.opacity);
    drawImagePart(p, mosaic, mosaicToFrame, frameRect);
    p.restore();
    return s->count();
}

void TileSource::draw(QPainter& p, const QTransform& worldToFrame, const QRect& frameRect,
                      MapGaps* gaps) const {
    if (!worldToFrame.isInvertible()) return;
    qint64 drawn = 0;
    for (const Layer& layer : layersFor(std::sqrt(std::abs(worldToFrame.determinant()))))
        drawn += drawLayer(p, layer, worldToFrame, frameRect, gaps);
    const qint64 side = store_->tileSize() >= 512 ? 512 : 256;
    const qint64 kib = drawn * side * side * 4 / 1024 / 2;
    std::lock_guard lock(mutex_);
    decoded_.setMaxCost(int(std::clamp<qint64>(kib, kLeastDecodedKiB, kMostDecodedKiB)));
}
