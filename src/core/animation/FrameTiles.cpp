#include "FrameTiles.h"

#include "RenderRange.h"
#include "tiles/TileSource.h"

#include <QSet>

const TileSource* frameTileSource(FrameMaker& maker) {
    const SceneFrames* scene = maker.composed() ? maker.scene() : nullptr;
    return scene ? dynamic_cast<const TileSource*>(scene->map()) : nullptr;
}

std::vector<TileKey> frameTiles(FrameMaker& maker, qint64 from, qint64 to) {
    std::vector<TileKey> keys;
    const TileSource* tiles = frameTileSource(maker);
    if (!tiles) return keys;
    const SceneFrames& scene = *maker.scene();
    const QRect frame(QPoint(0, 0), scene.frameSize());
    const qint64 end = to < 0 ? scene.frames() : std::min(to, scene.frames());
    QSet<TileKey> seen;
    for (qint64 n = std::max<qint64>(from, 0); n < end; ++n)
        for (const TileKey& key : tiles->tilesFor(worldToFrame(scene.view(n), QSizeF(frame.size())), frame))
            if (!seen.contains(key)) {
                seen.insert(key);
                keys.push_back(key);
            }
    return keys;
}

MaybeError fetchFrameTiles(FrameMaker& maker, const TileProgress& progress) {
    const TileSource* tiles = frameTileSource(maker);
    if (!tiles) return std::nullopt;
    // Only the frames the render writes: a part of a long flight needs a part of its tiles.
    const RenderRange range = renderRange(maker.project(), maker.scene()->frames());
    const std::vector<TileKey> keys =
        range.error ? frameTiles(maker) : frameTiles(maker, range.first, range.last + 1);
    return tiles->store().fetch(keys, progress);
}

MaybeError fetchRenderTiles(const Workspace& ws, const TileProgress& progress) {
    if (!ws.tiles || ws.st.listmax < 1) return std::nullopt;
    FrameMaker maker(ws);
    return fetchFrameTiles(maker, progress);
}
