#include "ModeIcons.h"

#include "shell/Surface.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <map>
#include <mutex>
#include <tuple>

namespace {
// The fill colour the drawings are made with, replaced by the marker's tint.
constexpr char kDrawnFill[] = "#f5f5f5";
// Enough for every mode at a few sizes and tints; a frame never needs more than one size.
constexpr std::size_t kMostCached = 64;

QByteArray drawing(TravelMode mode) {
    for (const TravelModeRow& row : travelModes())
        if (row.mode == mode && mode != TravelMode::None) {
            QFile file(QStringLiteral(":/modes/%1.svg").arg(QLatin1String(row.id)));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
    return {};
}

QImage render(TravelMode mode, int side, qint32 tint) {
    QByteArray svg = drawing(mode);
    if (svg.isEmpty()) return {};
    svg.replace(kDrawnFill, modeIconFill(tint).name().toLatin1());
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p, QRectF(0, 0, side, side));
    return img;
}
} // namespace

QColor modeIconFill(qint32 tint) {
    const QColor c = toQColor(tint);
    auto half = [](int v) { return 255 - (255 - v) / 2; };
    return QColor(half(c.red()), half(c.green()), half(c.blue()));
}

QImage modeIcon(TravelMode mode, int side, qint32 tint) {
    if (mode == TravelMode::None || side < 1 || side > 1024) return {};
    static std::mutex guard;
    static std::map<std::tuple<int, int, qint32>, QImage> cache;
    const auto key = std::make_tuple(int(mode), side, tint & 0xFFFFFF);
    std::lock_guard lock(guard);
    if (const auto found = cache.find(key); found != cache.end()) return found->second;
    if (cache.size() >= kMostCached) cache.clear();
    return cache[key] = render(mode, side, tint & 0xFFFFFF);
}
