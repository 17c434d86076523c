#pragma once
// One tile of a web map: level z, column x from the west, row y from the north (the XYZ scheme
// of web map servers; MBTiles packages number rows from the south and are turned on reading).

#include <QHashFunctions>
#include <QString>
#include <compare>

struct TileKey {
    int z = 0, x = 0, y = 0;
    auto operator<=>(const TileKey&) const = default;
    // Levels beyond 30 would overflow the tile counts; no server serves past 24.
    static constexpr int kMaxLevel = 24;
    bool valid() const { return z >= 0 && z <= kMaxLevel && x >= 0 && y >= 0 && x < (1 << z) && y < (1 << z); }
    QString text() const { return QString("%1/%2/%3").arg(z).arg(x).arg(y); }
};

inline size_t qHash(const TileKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.z, k.x, k.y);
}
