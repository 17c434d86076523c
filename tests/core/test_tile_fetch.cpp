// Web tiles against a local tile server: what is sent, how often, and every way a tile is refused.
#include "support/TileServer.h"
#include "tiles/TileImage.h"
#include "tiles/WebTiles.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TileAnswer)

namespace {
WebTileOptions local(const TileServer& server, const QTemporaryDir& dir, const QString& tmpl = {}) {
    WebTileOptions o{tmpl.isEmpty() ? server.tileTemplate() + "?key={key}" : tmpl, "SECRET+1"};
    o.tmpl.replace("%h", server.url().mid(7)).replace("%p", server.url().section(':', -1));
    o.cacheFolder = dir.path();
    o.allowedHosts = {"127.0.0.1"};
    o.timeoutMs = 300;
    return o;
}

// Every cached tile past its freshness, as days going by would leave it.
void expire(const QTemporaryDir& dir) {
    for (QDirIterator it(dir.path(), {"*.meta"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadWrite));
        const QString meta =
            QString(f.readAll()).replace(QRegularExpression("fresh-until \\d+"), "fresh-until 1");
        f.resize(0);
        f.write(meta.toLatin1());
    }
}

QRgb centre(const TileStore& store, const TileKey& k) {
    QString why;
    return decodeTile(store.bytes(k).bytes, &why).pixel(9, 9);
}

const std::vector<TileKey> kKeys = {{1, 0, 0}, {1, 1, 1}, {3, 5, 2}, {2, 3, 0}, {4, 15, 9}, {4, 2, 13}};
} // namespace

class TestTileFetch : public QObject {
    Q_OBJECT
  private slots:
    void politeAndCached_data() {
        QTest::addColumn<QString>("agent");
        QTest::addColumn<bool>("highDensity");
        QTest::addRow("default agent, 256") << QString() << false;
        QTest::addRow("own agent, 512") << "Tester/2.0" << true;
    }
    void politeAndCached() {
        QFETCH(QString, agent);
        QFETCH(bool, highDensity);
        TileServer server;
        server.answer({.delayMs = 30});
        QTemporaryDir dir;
        WebTileOptions o = local(server, dir);
        o.highDensity = highDensity;
        if (!agent.isEmpty()) o.userAgent = agent;
        QVERIFY(!WebTiles(o).fetch(kKeys, {}));
        QCOMPARE(server.requests(), int(kKeys.size()));
        QVERIFY(server.mostConnections() <= 2);
        const QRegularExpression ours(agent.isEmpty() ? R"(^Pathwright/\d+\.\d+\S* \(\+https://)"
                                                      : "^Tester/2.0$");
        for (const auto& h : server.headers())
            QVERIFY(ours.match(QString(h["user-agent"])).hasMatch() && !h.contains("if-none-match"));
        // Another run over the same cache asks for nothing and draws each tile where it belongs.
        WebTiles again(o);
        QVERIFY(!again.fetch(kKeys, {}));
        QCOMPARE(server.requests(), int(kKeys.size()));
        for (const TileKey& k : kKeys)
            QCOMPARE(centre(again, k), qRgb(k.z * 10, k.x, k.y));
        QString why;
        QCOMPARE(decodeTile(again.bytes(kKeys[0]).bytes, &why).width(), highDensity ? 512 : 256);
    }

    void revalidates_data() {
        QTest::addColumn<QByteArray>("etagNow");
        QTest::addRow("unchanged: 304") << QByteArray("\"v1\"");
        QTest::addRow("changed: a new tile") << QByteArray("\"v2\"");
    }
    void revalidates() {
        QFETCH(QByteArray, etagNow);
        TileServer server;
        QTemporaryDir dir;
        const std::vector<TileKey> one = {{3, 4, 5}};
        server.answer({.cacheControl = "no-store", .etag = "\"v1\""});
        QVERIFY(!WebTiles(local(server, dir)).fetch(one, {}));
        expire(dir);
        server.answer({.etag = etagNow});
        WebTiles tiles(local(server, dir));
        QVERIFY(!tiles.fetch(one, {}));
        QVERIFY(!tiles.fetch(one, {})); // fresh again
        QCOMPARE(server.requests(), 2);
        QCOMPARE(server.headers()[1].value("if-none-match"), QByteArray("\"v1\""));
        expire(dir);
        QVERIFY(!tiles.fetch(one, {}));
        QCOMPARE(server.headers().value(2).value("if-none-match"), etagNow); // the server's last word is kept
        QCOMPARE(centre(tiles, one[0]), qRgb(30, 4, 5));
    }

    void refuses_data() {
        QTest::addColumn<TileAnswer>("answer");
        QTest::addColumn<QString>("tmpl"); // %h: the server's host and port, %p its port
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("requests");
        const QString own = "http://%h/{z}/{x}/{y}.png?key={key}", m = "/1/1/0.png?key=hidden: ";
        QTest::addRow("error") << TileAnswer{.status = 503} << own
                               << m + "the server answered 503 Test Failure (3 tries)" << 3;
        QTest::addRow("not found") << TileAnswer{.status = 404} << own
                                   << m + "the server answered 404 Test Failure" << 1;
        QTest::addRow("too slow") << TileAnswer{.delayMs = 1500} << own
                                  << m + "no answer within 0.3 s (3 tries)" << 3;
        QTest::addRow("garbage") << TileAnswer{.garbage = true} << own << m + "the answer is not a PNG" << 1;
        QTest::addRow("huge, said") << TileAnswer{.hugeBody = 5 << 20} << own << "more than a tile may" << 1;
        QTest::addRow("huge, unsaid")
            << TileAnswer{.hugeBody = 5 << 20, .sayLength = false} << own << "more than a tile may" << 1;
        QTest::addRow("too large") << TileAnswer{.side = 1100} << own << m + "the tile is 1100 x 1100 pixels"
                                   << 1;
        QTest::addRow("elsewhere") << TileAnswer{.redirectTo = "http://example.org/2.png?key=SECRET%2B1"}
                                   << own << "on to http://example.org/2.png?key=hidden, which is not" << 1;
        QTest::addRow("same server") << TileAnswer{.redirectTo = "/2/1/0.png"} << own << QString() << 2;
        QTest::addRow("not allowed") << TileAnswer{} << "http://localhost:%p/{z}/{x}/{y}.png"
                                     << "localhost is not one of the built-in ones and has not been allowed; "
                                        "allow it when asked, or with --allow-host localhost"
                                     << 0;
        QTest::addRow("ftp") << TileAnswer{} << "ftp://%h/{z}/{x}/{y}.png"
                             << "must begin with https:// or http://" << 0;
        QTest::addRow("password") << TileAnswer{} << "http://me:pw@%h/{z}/{x}/{y}.png"
                                  << "user name or password" << 0;
    }
    void refuses() {
        QFETCH(TileAnswer, answer);
        QFETCH(QString, tmpl);
        QFETCH(QString, message);
        TileServer server;
        server.answer(answer);
        QTemporaryDir dir;
        const TileKey keys[] = {{1, 1, 0}};
        const MaybeError e = WebTiles(local(server, dir, tmpl)).fetch(keys, {});
        const QString got = e ? e->message() : QString();
        QVERIFY2(got.contains(message) && !got.contains("SECRET") && (message.isEmpty() == !e),
                 qPrintable(got));
        QTEST(server.requests(), "requests");
    }

    void offline_data() {
        QTest::addColumn<int>("warm"); // tiles fetched before going offline
        QTest::addColumn<bool>("stale");
        QTest::addColumn<QString>("missing");
        QTest::addRow("cold") << 0 << false << "/1/0/0.png";
        QTest::addRow("first two warm") << 2 << false << "/3/5/2.png";
        QTest::addRow("all warm, stale") << 6 << true << QString();
    }
    void offline() {
        QFETCH(int, warm);
        QFETCH(bool, stale);
        QFETCH(QString, missing);
        TileServer server;
        QTemporaryDir dir;
        WebTileOptions o = local(server, dir);
        QVERIFY(!WebTiles(o).fetch(std::span(kKeys).first(warm), {}));
        if (stale) expire(dir);
        o.offline = true;
        const MaybeError e = WebTiles(o).fetch(kKeys, {});
        const QString got = e ? e->message() : QString();
        QVERIFY2(missing.isEmpty() ? !e
                                   : got.contains(missing + "?key=hidden: the tile is not in the tile cache"),
                 qPrintable(got));
        QCOMPARE(server.requests(), warm);
    }

    void wantsNewestFirst() { // two started of the first wants, the rest dropped for the new ones
        TileServer server;
        server.answer({.delayMs = 100});
        QTemporaryDir dir;
        WebTiles tiles(local(server, dir));
        QMutex lock;
        QSet<TileKey> came;
        tiles.arrived = [&](const TileKey& k) {
            QMutexLocker hold(&lock);
            came.insert(k);
        };
        tiles.want(std::span(kKeys).first(4));
        tiles.want(std::span(kKeys).last(2));
        const QSet<TileKey> expected = {kKeys[0], kKeys[1], kKeys[4], kKeys[5]};
        QTRY_VERIFY([&] {
            QMutexLocker hold(&lock);
            return came == expected;
        }());
        QCOMPARE(server.requests(), 4);
        QCOMPARE(centre(tiles, kKeys[5]), qRgb(40, 2, 13));
    }

    void freshness_data() {
        QTest::addColumn<QByteArray>("cacheControl");
        QTest::addColumn<QByteArray>("expires");
        QTest::addColumn<int>("days");
        const QByteArray none, june = "Sat, 01 Jun 2030 00:00:00 GMT";
        QTest::addRow("a day: a week") << QByteArray("public, max-age=86400") << none << 7;
        QTest::addRow("30 days") << QByteArray("max-age=2592000") << none << 30;
        QTest::addRow("no-store") << QByteArray("no-store") << none << 7;
        QTest::addRow("expires") << none << june << 20;
        QTest::addRow("max-age over expires") << QByteArray("max-age=864000") << june << 10;
        QTest::addRow("s-maxage only") << QByteArray("s-maxage=8640000") << none << 7;
        QTest::addRow("negative") << QByteArray("max-age=-5000000") << june << 7;
        QTest::addRow("past 64 bits") << QByteArray("max-age=99999999999999999999") << none << 366;
    }
    void freshness() {
        QFETCH(QByteArray, cacheControl);
        QFETCH(QByteArray, expires);
        QFETCH(int, days);
        const QDateTime at(QDate(2030, 5, 12), QTime(0, 0), Qt::UTC);
        QCOMPARE(tileFreshUntil(cacheControl, expires, at), at.addDays(days));
    }
};

QTEST_GUILESS_MAIN(TestTileFetch)
#include "test_tile_fetch.moc"
