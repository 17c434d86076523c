#pragma once
// An MBTiles package: a SQLite file of raster tiles with rows counted from the south, and a
// table of what the package is. The file is the user's download and trusted in nothing: it is
// opened read-only and immutable, and every query runs under a budget.

#include "TileKey.h"
#include "TileStore.h"
#include "shell/Error.h"

#include <QString>
#include <memory>
#include <mutex>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

struct GeoBounds {
    double west = -180, south = -85.0511, east = 180, north = 85.0511;
};

struct MbtilesCenter {
    double lon = 0, lat = 0;
    std::optional<int> level;
};

class MbtilesFile {
  public:
    static std::unique_ptr<MbtilesFile> open(const QString& path, Error* error);
    ~MbtilesFile();
    MbtilesFile(const MbtilesFile&) = delete;
    MbtilesFile& operator=(const MbtilesFile&) = delete;

    const QString& path() const { return path_; }
    const QString& name() const { return name_; }
    // "png", "jpg" or "webp"; empty when the package does not say (the tiles' bytes tell).
    const QString& format() const { return format_; }
    const std::optional<GeoBounds>& bounds() const { return bounds_; }
    const std::optional<MbtilesCenter>& center() const { return center_; }
    int minLevel() const { return minLevel_; }
    int maxLevel() const { return maxLevel_; }
    // Plain text, without the markup some packages put in.
    const QString& attribution() const { return attribution_; }

    // The tile at XYZ `key` (turned to the package's row). Absent when the package has no such
    // row; Missing with the reason in `why` when the row cannot be read or is too large.
    // Safe from several threads at once.
    TileBytes tile(const TileKey& key, QString* why = nullptr) const;
    // Some tile of the package, to learn the tiles' size from.
    TileBytes anyTile(QString* why = nullptr) const;

  private:
    MbtilesFile() = default;
    MaybeError readMetadata();
    TileBytes step(sqlite3_stmt* st, QString* why) const;

    QString path_, name_, format_, attribution_;
    std::optional<GeoBounds> bounds_;
    std::optional<MbtilesCenter> center_;
    int minLevel_ = 0, maxLevel_ = 0;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* tileQuery_ = nullptr;
    sqlite3_stmt* anyQuery_ = nullptr;
    mutable std::mutex mutex_; // one connection, one statement: one reader at a time
    mutable long budget_ = 0;  // virtual machine steps left to the running query
    friend int mbtilesProgress(void*);
};
