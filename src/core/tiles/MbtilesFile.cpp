#include "MbtilesFile.h"

#include "MbtilesMetadata.h"
#include "TileImage.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

namespace {
// The progress handler runs every kStepsPerCall virtual machine steps; a query may take
// kCallsPerQuery of them (tens of millions of steps, a second or two) before it is stopped, so
// that a view over an endless recursive query cannot hold the program.
constexpr int kStepsPerCall = 1000;
constexpr long kCallsPerQuery = 40'000;
constexpr int kMaxMetadataText = 4096;

Error packageError(const QString& path, const QString& reason) {
    return Error(path, reason, "the MBTiles package");
}

QString sqliteReason(sqlite3* db) {
    if (sqlite3_errcode(db) == SQLITE_INTERRUPT) return "the package's query took too long";
    return shown(QString::fromUtf8(sqlite3_errmsg(db)));
}

// A statement that is finalized however its function is left.
struct Query {
    sqlite3_stmt* st = nullptr;
    ~Query() { sqlite3_finalize(st); }
};
} // namespace

int mbtilesProgress(void* file) {
    return --static_cast<MbtilesFile*>(file)->budget_ < 0 ? 1 : 0;
}

MbtilesFile::~MbtilesFile() {
    sqlite3_finalize(tileQuery_);
    sqlite3_finalize(anyQuery_);
    sqlite3_close_v2(db_);
}

std::unique_ptr<MbtilesFile> MbtilesFile::open(const QString& path, Error* error) {
    const auto refuse = [&](const QString& reason) {
        *error = packageError(path, reason);
        return nullptr;
    };
    const QFileInfo info(path);
    if (!info.exists()) return refuse("the file does not exist");
    if (!info.isFile()) return refuse("it is not an ordinary file");
    {
        // The magic first: SQLite would take any file for an empty database.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return refuse("the file cannot be read (" + f.errorString() + ")");
        if (!f.read(16).startsWith(QByteArrayView("SQLite format 3\0", 16)))
            return refuse("the file is not an SQLite database");
    }

    std::unique_ptr<MbtilesFile> file(new MbtilesFile);
    file->path_ = path;
    // Immutable: no lock taken, no journal or shared-memory file made beside the package.
    const QByteArray uri = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded() + "?mode=ro&immutable=1";
    sqlite3*& db = file->db_;
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        return refuse("the database cannot be opened (" + sqliteReason(db) + ")");
    sqlite3_busy_timeout(db, 2000);
    sqlite3_extended_result_codes(db, 0);
    // What the package's schema may ask of us: no long texts, deep expressions, attached files or
    // triggers; views only of harmless functions.
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, int(kMaxTileBytes) + (1 << 20));
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, 100'000);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, 100);
    sqlite3_limit(db, SQLITE_LIMIT_COMPOUND_SELECT, 20);
    sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP, 50'000);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_TRIGGER_DEPTH, 1);
    sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 100);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_progress_handler(db, kStepsPerCall, mbtilesProgress, file.get());
    sqlite3_exec(db, "PRAGMA cell_size_check = ON", nullptr, nullptr, nullptr);

    if (const MaybeError e = file->readMetadata()) {
        *error = *e;
        return nullptr;
    }
    return file;
}

MaybeError MbtilesFile::readMetadata() {
    const auto refuse = [&](const QString& reason) { return packageError(path_, reason); };
    Query kinds;
    budget_ = kCallsPerQuery;
    if (sqlite3_prepare_v2(db_, "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')", -1,
                           &kinds.st, nullptr) != SQLITE_OK)
        return refuse("the file is not a readable SQLite database (" + sqliteReason(db_) + ")");
    bool hasTiles = false, hasMetadata = false;
    int rc;
    for (int rows = 0; (rc = sqlite3_step(kinds.st)) == SQLITE_ROW && rows < 10'000; ++rows) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(kinds.st, 0)));
        hasTiles |= name.compare("tiles", Qt::CaseInsensitive) == 0;
        hasMetadata |= name.compare("metadata", Qt::CaseInsensitive) == 0;
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return refuse("the file is not a readable SQLite database (" + sqliteReason(db_) + ")");
    if (!hasTiles) return refuse("the package has no tiles table");
    if (!hasMetadata) return refuse("the package has no metadata table");

    if (sqlite3_prepare_v2(db_,
                           "SELECT tile_data FROM tiles WHERE zoom_level = ?1 AND tile_column = ?2 AND "
                           "tile_row = ?3 LIMIT 1",
                           -1, &tileQuery_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db_, "SELECT tile_data FROM tiles LIMIT 1", -1, &anyQuery_, nullptr) != SQLITE_OK)
        return refuse("the tiles table lacks zoom_level, tile_column, tile_row or tile_data (" +
                      sqliteReason(db_) + ")");
    Query value;
    if (sqlite3_prepare_v2(db_, "SELECT value FROM metadata WHERE name = ?1 LIMIT 1", -1, &value.st,
                           nullptr) != SQLITE_OK)
        return refuse("the metadata table lacks name or value (" + sqliteReason(db_) + ")");

    // One metadata value, cut to a bounded length; null when the package has none.
    QString failure;
    const auto read = [&](const char* name) {
        sqlite3_reset(value.st);
        sqlite3_bind_text(value.st, 1, name, -1, SQLITE_STATIC);
        budget_ = kCallsPerQuery;
        const int rc = sqlite3_step(value.st);
        if (rc != SQLITE_ROW) {
            if (rc != SQLITE_DONE) failure = "the metadata cannot be read (" + sqliteReason(db_) + ")";
            return QString();
        }
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(value.st, 0));
        const int n = std::min(sqlite3_column_bytes(value.st, 0), kMaxMetadataText);
        return text ? QString::fromUtf8(text, n) : QString();
    };
    name_ = plainMbtilesText(read("name"));
    attribution_ = plainMbtilesText(read("attribution"));
    const QString format = read("format"), bounds = read("bounds"), center = read("center"),
                  minzoom = read("minzoom"), maxzoom = read("maxzoom");
    if (!failure.isEmpty()) return refuse(failure);

    QString why;
    if (!format.isNull()) {
        const auto f = parseMbtilesFormat(format, &why);
        if (!f) return refuse(why);
        format_ = *f;
    }
    if (!bounds.isNull()) {
        bounds_ = parseMbtilesBounds(bounds, &why);
        if (!bounds_) return refuse(why);
    }
    if (!center.isNull()) {
        center_ = parseMbtilesCenter(center, &why);
        if (!center_) return refuse(why);
    }
    std::optional<int> minLevel, maxLevel;
    if (!minzoom.isNull() && !(minLevel = parseMbtilesLevel(minzoom, &why))) return refuse("minzoom: " + why);
    if (!maxzoom.isNull() && !(maxLevel = parseMbtilesLevel(maxzoom, &why))) return refuse("maxzoom: " + why);
    if (!minLevel || !maxLevel) { // the levels the tiles are on
        Query levels;
        budget_ = kCallsPerQuery;
        if (sqlite3_prepare_v2(db_, "SELECT MIN(zoom_level), MAX(zoom_level) FROM tiles", -1, &levels.st,
                               nullptr) != SQLITE_OK ||
            sqlite3_step(levels.st) != SQLITE_ROW)
            return refuse("the tiles' levels cannot be read (" + sqliteReason(db_) + ")");
        if (sqlite3_column_type(levels.st, 0) == SQLITE_NULL) return refuse("the package holds no tiles");
        for (int i : {0, 1}) {
            const sqlite3_int64 level = sqlite3_column_int64(levels.st, i);
            if (level < 0 || level > TileKey::kMaxLevel)
                return refuse(QString("the package has tiles on level %1, beyond the levels of 0 to %2")
                                  .arg(level)
                                  .arg(TileKey::kMaxLevel));
        }
        if (!minLevel) minLevel = int(sqlite3_column_int64(levels.st, 0));
        if (!maxLevel) maxLevel = int(sqlite3_column_int64(levels.st, 1));
    }
    if (*minLevel > *maxLevel) return refuse("minzoom is above maxzoom");
    minLevel_ = *minLevel;
    maxLevel_ = *maxLevel;
    return std::nullopt;
}

TileBytes MbtilesFile::tile(const TileKey& key, QString* why) const {
    if (!key.valid()) return {TileState::Absent, {}};
    std::lock_guard lock(mutex_);
    sqlite3_reset(tileQuery_);
    sqlite3_bind_int(tileQuery_, 1, key.z);
    sqlite3_bind_int(tileQuery_, 2, key.x);
    sqlite3_bind_int(tileQuery_, 3, (1 << key.z) - 1 - key.y); // rows counted from the south
    return step(tileQuery_, why);
}

TileBytes MbtilesFile::anyTile(QString* why) const {
    std::lock_guard lock(mutex_);
    sqlite3_reset(anyQuery_);
    return step(anyQuery_, why);
}

TileBytes MbtilesFile::step(sqlite3_stmt* st, QString* why) const {
    QString reason;
    TileBytes out;
    budget_ = kCallsPerQuery;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_DONE) {
        out.state = TileState::Absent;
    } else if (rc == SQLITE_ROW) {
        const int n = sqlite3_column_type(st, 0) == SQLITE_NULL ? 0 : sqlite3_column_bytes(st, 0);
        if (n == 0)
            reason = "the tile's row holds no picture";
        else if (n > kMaxTileBytes)
            reason = QString("the tile's row holds %1 bytes, more than a tile may (4 MiB)").arg(n);
        else
            out = {TileState::Here, QByteArray(static_cast<const char*>(sqlite3_column_blob(st, 0)), n)};
    } else if (rc == SQLITE_TOOBIG) {
        reason = "the tile's row holds more bytes than a tile may (4 MiB)";
    } else {
        reason = "the tile cannot be read (" + sqliteReason(db_) + ")";
    }
    sqlite3_reset(st);
    if (why) *why = reason;
    return out;
}
