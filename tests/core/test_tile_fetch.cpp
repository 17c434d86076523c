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

// Changes every cached tile's metadata, as days going by or another program would.
void edit(const QTemporaryDir& dir, const QString& pattern, const QString& to) {
    for (QDirIterator it(dir.path(), {"*.meta"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadWrite));
        const QString meta = QString(f.readAll()).replace(QRegularExpression(pattern), to);
        QVERIFY(f.resize(0) && f.write(meta.toLatin1()) == meta.size());
    }
}

QImage tile(const TileStore& store, const TileKey& k) {
    QString why;
    return decodeTile(store.bytes(k).bytes, &why);
}

const std::vector<TileKey> kKeys = {{1, 0, 0}, {1, 1, 1}, {3, 5, 2}, {2, 3, 0}, {4, 15, 9}, {4, 2, 13}};
} // namespace

class TestTileFetch : public QObject {
    Q_OBJECT
  private slots:
    void politeAndCached_data() {
        QTest::addColumn<QString>("agent");
        QTest::addColumn<bool>("highDensity");
        QTest::addColumn<QByteArray>("etagNow"); // once the cache has gone stale
        QTest::addRow("default agent, 256, unchanged: 304") << QString() << false << QByteArray("\"v1\"");
        QTest::addRow("own agent, 512, a new tile") << "Tester/2" << true << QByteArray("\"v2\"");
    }
    void politeAndCached() {
        QFETCH(QString, agent);
        QFETCH(QByteArray, etagNow);
        TileServer server;
        server.answer({.delayMs = 30, .cacheControl = "no-store", .etag = "\"v1\""});
        QTemporaryDir dir;
        WebTileOptions o = local(server, dir);
        QFETCH(bool, highDensity);
        o.highDensity = highDensity;
        o.tileSize = highDensity ? 512 : 256;
        if (!agent.isEmpty()) o.userAgent = agent;
        const int n = int(kKeys.size());
        QVERIFY(!WebTiles(o).fetch(kKeys, {}));
        QCOMPARE(server.requests(), n);
        QVERIFY(server.mostConnections() <= 2);
        // Another run over the same cache asks for nothing and draws each tile where it belongs.
        WebTiles again(o);
        QVERIFY(!again.fetch(kKeys, {}));
        QCOMPARE(server.requests(), n);
        for (const TileKey& k : kKeys)
            QVERIFY(tile(again, k).pixel(9, 9) == qRgb(k.z * 10, k.x, k.y) &&
                    tile(again, k).width() == o.tileSize);
        // Stale tiles are asked for again with their tag; the answer makes them fresh.
        for (const QByteArray& tag : {QByteArray("\"v1\""), etagNow}) {
            edit(dir, "fresh-until \\d+", "fresh-until 1"); // days later
            server.answer({.etag = etagNow});
            QVERIFY(!again.fetch(kKeys, {}));
            QVERIFY(!again.fetch(kKeys, {}));
            QCOMPARE(server.headers().value(server.requests() - 1).value("if-none-match"), tag);
        }
        QCOMPARE(server.requests(), 3 * n);
        QCOMPARE(tile(again, kKeys[5]).pixel(9, 9), qRgb(40, 2, 13));
        const QRegularExpression ours(agent.isEmpty() ? R"(^Pathwright/\d+\.\d+\S* \(\+https://)"
                                                      : "^Tester/");
        for (const auto& h : server.headers())
            QVERIFY(ours.match(QString(h["user-agent"])).hasMatch());
    }

    void refuses_data() {
        QTest::addColumn<TileAnswer>("answer");
        QTest::addColumn<QString>("tmpl"); // %h: the server's host and port, %p its port
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("requests");
        const QString own = "http://%h/{z}/{x}/{y}.png?key={key}", m = "/1/1/0.png?key=hidden: ";
        auto row = [&](const char* tag, TileAnswer a, QString message, int requests, QString tmpl = {}) {
            QTest::addRow("%s", tag) << a << (tmpl.isEmpty() ? own : tmpl) << message << requests;
        };
        row("error", {.status = 503}, m + "the server answered 503 Test Failure (3 tries)", 3);
        row("not found", {.status = 404}, m + "the server answered 404 Test Failure", 1);
        row("too slow", {.delayMs = 1500}, m + "no answer within 0.3 s (3 tries)", 3);
        row("garbage", {.garbage = true}, m + "the answer is not a PNG", 1);
        row("huge, said", {.hugeBody = 5 << 20}, "more than a tile may", 1);
        row("huge, unsaid", {.hugeBody = 5 << 20, .sayLength = false}, "more than a tile may", 1);
        row("too large", {.side = 1100}, m + "the tile is 1100 x 1100 pixels", 1);
        row("elsewhere", {.redirectTo = "http://a.org/2.png?k=SECRET%2B1"},
            "on to http://a.org/2.png?k=hidden", 1);
        row("same server", {.redirectTo = "/2/1/0.png"}, {}, 2);
        row("not allowed", {}, "--allow-host localhost", 0, "http://localhost:%p/{z}/{x}/{y}.png");
        row("ftp", {}, "with https:// or http://", 0, "ftp://%h/{z}/{x}/{y}.png");
        row("password", {}, "user name or password", 0, "http://me:pw@%h/{z}/{x}/{y}.png");
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
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("to"); // what the metadata says then
        QTest::addColumn<QString>("missing");
        const QString stale = "fresh-until \\d+", old = "fresh-until 1",
                      gone = ".png?key=hidden: the tile is not in";
        const QString start = "/1/0/0" + gone;
        QTest::addRow("cold") << 0 << stale << old << start;
        QTest::addRow("first two warm") << 2 << stale << old << "/3/5/2" + gone;
        QTest::addRow("all warm, stale") << 6 << stale << old << QString();
        QTest::addRow("other bytes") << 6 << "sha1 \\w{8}"
                                     << "sha1 00000000" << start;
        QTest::addRow("fresh for ages") << 6 << stale << "fresh-until 9999999999" << start;
    }
    void offline() {
        QFETCH(int, warm);
        QFETCH(QString, missing);
        TileServer server;
        QTemporaryDir dir;
        WebTileOptions o = local(server, dir);
        QVERIFY(!WebTiles(o).fetch(std::span(kKeys).first(warm), {}));
        QFETCH(QString, pattern);
        QFETCH(QString, to);
        edit(dir, pattern, to);
        o.offline = true;
        const MaybeError e = WebTiles(o).fetch(kKeys, {});
        const QString got = e ? e->message() : QString();
        QVERIFY2(got.contains(missing) && missing.isEmpty() == !e, qPrintable(got));
        QCOMPARE(server.requests(), warm);
    }
};

QTEST_GUILESS_MAIN(TestTileFetch)
#include "test_tile_fetch.moc"
