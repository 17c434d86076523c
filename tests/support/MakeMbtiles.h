#pragma once
// MBTiles packages written by tests: the metadata rows and the tiles given, the tiles by the
// package's own rows (counted from the south). Any failure fails the test.

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QTest>
#include <sqlite3.h>

struct PackageTile {
    int z, x, row;
    QByteArray data;
};

inline constexpr const char* kMbtilesSchema =
    "CREATE TABLE metadata (name TEXT, value TEXT);"
    "CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, tile_data BLOB);"
    "CREATE UNIQUE INDEX tile_index ON tiles (zoom_level, tile_column, tile_row);";

// `metadata` holds names and values in turn.
inline void makeMbtiles(const QString& path, const QStringList& metadata, const QList<PackageTile>& tiles,
                        const char* schema = kMbtilesSchema) {
    sqlite3* db = nullptr;
    const bool opened = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK;
    const auto run = [&](const char* sql, auto bind) {
        sqlite3_stmt* st = nullptr;
        const bool ok = sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && (bind(st), true) &&
                        sqlite3_step(st) == SQLITE_DONE;
        sqlite3_finalize(st);
        return ok;
    };
    const bool made = opened && sqlite3_exec(db, schema, nullptr, nullptr, nullptr) == SQLITE_OK;
    bool written = made;
    for (qsizetype i = 0; written && i + 1 < metadata.size(); i += 2)
        written = run("INSERT INTO metadata VALUES (?1, ?2)", [&](sqlite3_stmt* st) {
            sqlite3_bind_text(st, 1, metadata[i].toUtf8().constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, metadata[i + 1].toUtf8().constData(), -1, SQLITE_TRANSIENT);
        });
    for (const PackageTile& t : tiles)
        written = written && run("INSERT INTO tiles VALUES (?1, ?2, ?3, ?4)", [&](sqlite3_stmt* st) {
                      sqlite3_bind_int(st, 1, t.z);
                      sqlite3_bind_int(st, 2, t.x);
                      sqlite3_bind_int(st, 3, t.row);
                      sqlite3_bind_blob(st, 4, t.data.constData(), int(t.data.size()), SQLITE_TRANSIENT);
                  });
    const QString error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    QVERIFY2(written, qPrintable(error));
}

// A plain PNG tile of one colour.
inline QByteArray pngTile(int side, QColor colour) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
