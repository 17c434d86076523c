// Tiled maps in the window: the question before a server that is not built in, the map source
// as one undo step, and a render refused when its tiles cannot be had. No network is used: the
// addresses name a closed local port, and the store is offline or its host refused.

#include "animation/AnimationCommands.h"
#include "animation/RenderDialog.h"
#include "shell/DirectoryList.h"
#include "shell/EditHistory.h"
#include "support/ModalCloser.h"
#include "support/Route.h"
#include "support/ShownWindow.h"
#include "support/StartedWorkspace.h"
#include "tiles/MapAccessSettings.h"
#include "tiles/MapSourceDialog.h"
#include "tiles/MapTiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kClosedPort = QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png");

// A small area, so that the map picture needs a few tiles only.
void tiledProject(ProjectState& st, const QString& url) {
    st.mapsource = "tiles";
    st.tileurl = url;
    st.tilenorthwest = GeoPoint(48.86, 2.33);
    st.tilesoutheast = GeoPoint(48.85, 2.35);
}

struct Editor : StartedWorkspace {
    QSettings settings{"pathwright", "pathwright"};
    EditHistory history{ws};
    QStringList asked;
    std::unique_ptr<MapTiles> tiles;
    explicit Editor(bool yes, const QString& project = {}) {
        settings.clear();
        ws.st.projectpath = project;
        tiles = std::make_unique<MapTiles>(
            ws, history, settings,
            MapTiles::Hooks{[this, yes](const QString& q) { return asked << q, yes; }, [](auto&) {}, [] {}});
    }
};
} // namespace

class MapTilesTest : public QObject {
    Q_OBJECT
  private slots:
    void consent_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("askedFor"); // empty: no question
        QTest::newRow("own server, yes") << kClosedPort << false << true << "127.0.0.1";
        QTest::newRow("own server, no") << kClosedPort << false << false << "127.0.0.1";
        QTest::newRow("offline: nothing is contacted") << kClosedPort << true << true << "";
        QTest::newRow("built-in provider") << "" << false << true << "";
    }
    void consent() {
        QFETCH(QString, url);
        QFETCH(bool, offline);
        QFETCH(bool, yes);
        QFETCH(QString, askedFor);
        Editor e(yes);
        e.ws.access.offline = offline;
        tiledProject(e.ws.st, url);
        e.tiles->reload();
        QTRY_COMPARE(e.asked.size(), askedFor.isEmpty() ? 0 : 1);
        QTest::qWait(20);
        QCOMPARE(e.asked.size(), askedFor.isEmpty() ? 0 : 1); // once only
        if (askedFor.isEmpty()) return;
        QVERIFY2(e.asked[0].contains("from " + askedFor + ","), qPrintable(e.asked[0]));
        QCOMPARE(readMapAccess(e.settings).allowedHosts.contains(askedFor), yes);
        QCOMPARE(e.ws.access.allowedHosts.contains(askedFor), yes);
        e.tiles->reload(); // not asked again in this session
        QTest::qWait(20);
        QCOMPARE(e.asked.size(), 1);
    }

    void sourceIsOneStep_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("provider"); // -1: the custom address
        QTest::addColumn<QString>("keys"); // mapsource tileurl tilesize mbtiles
        QTest::newRow("world") << "world" << 0 << "world  256 ";
        QTest::newRow("provider, 512") << "tiles" << 0 << "tiles  512 ";
        QTest::newRow("custom address") << "tiles" << -1 << "tiles " + kClosedPort + " 512 ";
        QTest::newRow("package in the project folder") << "mbtiles" << 0 << "mbtiles  256 maps/a.mbtiles";
    }
    void sourceIsOneStep() {
        QFETCH(QString, source);
        QFETCH(int, provider);
        QFETCH(QString, keys);
        Editor e(false, "/tmp/proj/p.wsr");
        e.ws.access.offline = true;
        MapSourceDialog d(e.ws, e.history, e.settings, {});
        auto* box = d.findChild<QComboBox*>("cboSource");
        box->setCurrentIndex(box->findData(source));
        auto* prov = d.findChild<QComboBox*>("cboProvider");
        prov->setCurrentIndex(provider < 0 ? prov->count() - 1 : provider);
        d.findChild<QComboBox*>("cboTileSize")->setCurrentIndex(keys.contains("512") ? 1 : 0);
        d.findChild<QLineEdit*>("txtTileUrl")->setText(kClosedPort);
        d.findChild<QLineEdit*>("txtMbtiles")->setText("/tmp/proj/maps/a.mbtiles");
        QTest::mouseClick(d.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
        const ProjectState& st = e.ws.st;
        QCOMPARE(QString("%1 %2 %3 %4").arg(st.mapsource, st.tileurl).arg(st.tilesize).arg(st.mbtiles), keys);
        QCOMPARE(e.history.stack().count(), 1);
        QCOMPARE(bool(e.ws.tiles), source == "tiles"); // the map was loaded after the step
        e.history.stack().undo();
        QCOMPARE(e.ws.st.mapsource, QString("picture"));
        QVERIFY(!e.ws.tiles); // and again after the undo
    }

    void renderWithoutTiles_data() {
        QTest::addColumn<bool>("offline");
        QTest::newRow("offline, nothing cached") << true;
        QTest::newRow("server refused") << false;
    }
    void renderWithoutTiles() {
        QFETCH(bool, offline);
        QTemporaryDir dir;
        ModalCloser closer; // answers No to the server's question
        std::unique_ptr<MainWindow> w(shownMainWindow(dir.path()));
        w->workspace().access.offline = offline;
        w->workspace().access.cacheDir = dir.filePath("cache");
        tiledProject(w->workspace().st, kClosedPort);
        setRoute(w->workspace().st, "100,100 300,100");
        w->mapTiles().reload();
        auto* anim = w->findChild<AnimationCommands*>();
        anim->btnRender_Click();
        RenderDialog* d = anim->renderDialog();
        d->findChild<DirectoryList*>("Dir1")->setPath(dir.filePath("out"));
        QDir().mkpath(dir.filePath("out"));
        d->findChild<QLineEdit*>("txtName")->setText("f");
        QTest::mouseClick(d->findChild<QPushButton*>("btnRender"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        QTRY_VERIFY(closer.texts.join('\n').contains("The render did not start."));
        QVERIFY2(closer.texts.join('\n').contains("127.0.0.1"), qPrintable(closer.texts.join('\n')));
        QCOMPARE(QDir(dir.filePath("out")).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(MapTilesTest)
#include "test_map_tiles.moc"
