// Offline tile packages: rows turned from the south, metadata read and checked, and each kind
// of package the program refuses refused with its reason.
#include "support/Files.h"
#include "support/MakeMbtiles.h"
#include "tiles/MbtilesStore.h"
#include "tiles/TileImage.h"

#include <QTemporaryDir>
#include <QtTest>

class TestMbtiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path() const { return dir.filePath("map.mbtiles"); }

  private slots:
    void init() { QFile::remove(path()); }

    void rows_data() {
        QTest::addColumn<TileKey>("key");
        QTest::addColumn<QByteArray>("expected"); // the tile's package row; empty when absent
        QTest::addRow("world") << TileKey{0, 0, 0} << QByteArray("0/0/0");
        QTest::addRow("north-west") << TileKey{1, 0, 0} << QByteArray("1/0/1");
        QTest::addRow("south-east") << TileKey{1, 1, 1} << QByteArray("1/1/0");
        QTest::addRow("level 3") << TileKey{3, 2, 5} << QByteArray("3/2/2");
        QTest::addRow("no such row") << TileKey{1, 1, 0} << QByteArray();
        QTest::addRow("off the level") << TileKey{1, 2, 0} << QByteArray();
    }
    void rows() {
        QFETCH(TileKey, key);
        QFETCH(QByteArray, expected);
        makeMbtiles(path(), {"format", "png"},
                    {{0, 0, 0, "0/0/0"}, {1, 0, 1, "1/0/1"}, {1, 1, 0, "1/1/0"}, {3, 2, 2, "3/2/2"}});
        Error error;
        const auto file = MbtilesFile::open(path(), &error);
        QVERIFY2(file, qPrintable(error.message()));
        const TileBytes tile = file->tile(key);
        QCOMPARE(tile.state, expected.isEmpty() ? TileState::Absent : TileState::Here);
        QCOMPARE(tile.bytes, expected);
    }

    void metadata_data() {
        QTest::addColumn<QStringList>("metadata");
        QTest::addColumn<int>("minLevel");
        QTest::addColumn<int>("maxLevel");
        QTest::addColumn<double>("north");
        QTest::addColumn<QString>("attribution");
        QTest::addRow("all given")
            << QStringList{"minzoom",     "2",
                           "maxzoom",     "5",
                           "bounds",      "-10,40.5,5,50",
                           "attribution", "<a href=\"x\">&copy; Map</a><br>folk &amp; co"}
            << 2 << 5 << 50.0 << "\u00a9 Map folk & co";
        QTest::addRow("levels from tiles")
            << QStringList{"bounds", "-180,-85,180,85.05"} << 1 << 3 << 85.05 << "";
        QTest::addRow("only maxzoom")
            << QStringList{"maxzoom", "9", "attribution", "a\nb\x01<i>c</i>"} << 1 << 9 << qQNaN() << "a b c";
    }
    void metadata() {
        QFETCH(QStringList, metadata);
        QFETCH(int, minLevel);
        QFETCH(int, maxLevel);
        QFETCH(double, north);
        QFETCH(QString, attribution);
        makeMbtiles(path(), metadata, {{1, 0, 0, pngTile(512, Qt::red)}, {3, 0, 0, pngTile(512, Qt::red)}});
        Error error;
        const auto store = MbtilesStore::open(path(), &error);
        QVERIFY2(store, qPrintable(error.message()));
        QCOMPARE(store->minLevel(), minLevel);
        QCOMPARE(store->maxLevel(), maxLevel);
        QCOMPARE(store->tileSize(), 512);
        QCOMPARE(store->file().bounds() ? store->file().bounds()->north : qQNaN(), north);
        QCOMPARE(store->attribution(), attribution);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{"map.mbtiles"}); // nothing made beside it
    }

    void fetch() {
        makeMbtiles(path(), {}, {{0, 0, 0, pngTile(256, Qt::blue)}, {1, 0, 1, "not a picture"}});
        Error error;
        const auto store = MbtilesStore::open(path(), &error);
        QVERIFY2(store, qPrintable(error.message()));
        int done = 0;
        const TileKey keys[] = {{0, 0, 0}, {1, 1, 1}, {1, 0, 0}, {0, 0, 0}};
        const MaybeError e = store->fetch(keys, [&](int d, int) { return (done = d), true; });
        QVERIFY(e);
        QCOMPARE(done, 2); // the absent tile counts as done: the map is empty there
        QVERIFY2(e->message().contains("package row 1/0/1: the answer is not a PNG"),
                 qPrintable(e->message()));
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("file"); // written instead of a package when not empty
        QTest::addColumn<QStringList>("metadata");
        QTest::addColumn<int>("tileSide"); // of the one tile; 0 for 4 MiB and a byte
        QTest::addColumn<QString>("reason");
        const QByteArray none;
        QTest::addRow("missing") << QByteArray("-") << QStringList{} << 256 << "the file does not exist";
        QTest::addRow("not SQLite") << QByteArray(2048, 'x') << QStringList{} << 256
                                    << "not an SQLite database";
        QTest::addRow("no tiles table")
            << QByteArray("CREATE TABLE metadata (name, value);") << QStringList{} << 256 << "no tiles table";
        QTest::addRow("endless view")
            << QByteArray("CREATE TABLE metadata (name, value); CREATE VIEW tiles AS "
                          "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c) "
                          "SELECT n zoom_level, n tile_column, n tile_row, n tile_data FROM c;")
            << QStringList{} << 256 << "query took too long";
        QTest::addRow("vector") << none << QStringList{"format", "pbf"} << 256 << "vector tiles (pbf)";
        QTest::addRow("over 4 MiB") << none << QStringList{} << 0
                                    << "row holds 4194305 bytes, more than a tile may";
        QTest::addRow("off the earth")
            << none << QStringList{"bounds", "-190,0,10,10"} << 256 << "bounds are off the earth";
        QTest::addRow("not finite") << none << QStringList{"bounds", "0,0,inf,10"} << 256 << "not a number";
        QTest::addRow("level") << none << QStringList{"maxzoom", "25"} << 256 << "maxzoom: the level \"25\"";
        QTest::addRow("tile size") << none << QStringList{} << 300 << "tiles are 300 x 300 pixels";
    }
    void refused() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, metadata);
        QFETCH(int, tileSide);
        QFETCH(QString, reason);
        const QByteArray tile = tileSide ? pngTile(tileSide, Qt::green) : QByteArray(kMaxTileBytes + 1, 'p');
        if (file.startsWith("CREATE"))
            makeMbtiles(path(), metadata, {}, file.constData());
        else if (file.isEmpty())
            makeMbtiles(path(), metadata, {{0, 0, 0, tile}});
        else if (file != "-")
            writeFile(path(), file);
        Error error;
        QVERIFY(!MbtilesStore::open(path(), &error));
        QVERIFY2(error.reason.contains(reason), qPrintable(error.message()));
        QVERIFY(error.message().startsWith("the MBTiles package " + path()));
    }
};

QTEST_GUILESS_MAIN(TestMbtiles)
#include "test_mbtiles.moc"
