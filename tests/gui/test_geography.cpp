// The map's geography in the main window: tracks imported from the menu or dropped on the
// window, control points added in their dialog, and the place under the mouse.
#include "mapview/MapView.h"
#include "project/TrackCommands.h"
#include "shell/EditHistory.h"
#include "shell/MainWindow.h"
#include "support/Files.h"
#include "support/ModalCloser.h"
#include "support/ShownWindow.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {
// A walk with times and a named place on the way.
QByteArray walk() {
    QByteArray gpx = "<gpx><wpt lat='47.2' lon='11.3'><name>Bridge</name></wpt><trk><trkseg>";
    for (int i = 0; i <= 20; ++i)
        gpx += QString("<trkpt lat='%1' lon='%2'><time>2026-05-01T08:%3:00Z</time></trkpt>")
                   .arg(47.1 + 0.01 * i)
                   .arg(11.2 + 0.01 * i)
                   .arg(i, 2, 10, QChar('0'))
                   .toUtf8();
    return gpx + "</trkseg></trk></gpx>";
}
} // namespace

class TestGeography : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;

  private slots:
    void init() {
        w = shownMainWindow(dir.path());
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { delete w; }

    // A track file imported from the menu's command or dropped on the window makes route points
    // (start, named place, end) in one step that undo takes away with the track. A file that is
    // not a track is refused in a message naming it; a dropped picture is not taken.
    void importTrack_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("message");
        QTest::newRow("menu") << "menu"
                              << "walk.gpx" << walk() << 3 << "";
        QTest::newRow("drop") << "drop"
                              << "walk.gpx" << walk() << 3 << "";
        QTest::newRow("menu, not a track") << "menu"
                                           << "page.gpx" << QByteArray("<html></html>") << 0 << "page.gpx";
        QTest::newRow("drop, not a track") << "drop"
                                           << "page.kml" << QByteArray("{}") << 0 << "page.kml";
        QTest::newRow("drop, a picture") << "drop"
                                         << "map.png" << QByteArray("\x89PNG") << 0 << "";
    }
    void importTrack() {
        QFETCH(QString, way);
        QFETCH(QString, name);
        QFETCH(int, points);
        QFETCH(QString, message);
        ModalCloser closer;
        const QString file = dir.filePath(name);
        QFETCH(QByteArray, content);
        writeFile(file, content);
        const ProjectState& st = w->workspace().st;
        const int steps = w->history().stack().count();
        if (way == "menu") {
            QCOMPARE(w->trackCommands().importFile(file), points > 0);
        } else {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(file)});
            QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w, &enter);
            QCOMPARE(enter.isAccepted(), !name.endsWith(".png"));
            QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w, &drop);
            if (!message.isEmpty()) QTRY_COMPARE(closer.texts.size(), 1);
        }
        QTRY_COMPARE(int(st.listmax), points);
        QCOMPARE(closer.texts.filter(message).size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(w->history().stack().count(), steps + (points > 0 ? 1 : 0));
        if (points == 0) return;
        QCOMPARE(st.track, name);
        QCOMPARE(st.pointlabel[1], "Bridge");
        QVERIFY(w->workspace().geo.track);
        w->history().stack().undo();
        QCOMPARE(int(st.listmax), 0);
        QVERIFY(st.track.isEmpty() && !w->workspace().geo.track);
    }

    // Control points added through their dialog give the map coordinates: the status bar shows
    // the place under the mouse (worked out by hand in Web Mercator), and nothing while fewer
    // than two are placed.
    void statusBarCoordinates_data() {
        QTest::addColumn<QStringList>("controls"); // "x y|coordinates as typed"
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QString>("shown");
        const QStringList paris{"100 100|48.8566, 2.3522", "300 100|48.8566 2.4522"};
        QTest::newRow("between") << paris << QPoint(200, 100) << "48.85660° N, 2.40220° E";
        QTest::newRow("below") << paris << QPoint(100, 300) << "48.79076° N, 2.35220° E";
        QTest::newRow("beyond") << paris << QPoint(350, 250) << "48.80723° N, 2.47720° E";
        const QStringList rio{"50 50|22.9068 S 43.1729 W", "250 250|-22.95, -43.10"};
        QTest::newRow("turned, south west") << rio << QPoint(250, 50) << "22.89483° S, 43.11300° W";
        QTest::newRow("degrees and minutes")
            << QStringList{"100 100|48°51'N 2°21'E", "300 100|N 48° 51' E 2° 27'"} << QPoint(200, 200)
            << "48.81709° N, 2.40000° E";
        QTest::newRow("one point") << QStringList{"100 100|48.8566, 2.3522"} << QPoint(200, 100) << "";
    }
    void statusBarCoordinates() {
        QFETCH(QStringList, controls);
        QFETCH(QPoint, pixel);
        w->findChild<QAction*>("mnuControlPoints")->trigger();
        auto* dialog = w->findChild<QDialog*>("frmControlPoints");
        QVERIFY(dialog && dialog->isVisible());
        for (const QString& c : controls) {
            dialog->findChild<QDoubleSpinBox*>("spinX")->setValue(c.section(' ', 0, 0).toDouble());
            dialog->findChild<QDoubleSpinBox*>("spinY")->setValue(
                c.section(' ', 1).section('|', 0, 0).toDouble());
            dialog->findChild<QLineEdit*>("txtCoordinates")->setText(c.section('|', 1));
            QTest::mouseClick(dialog->findChild<QPushButton*>("btnAdd"), Qt::LeftButton);
        }
        QCOMPARE(w->history().stack().count(), controls.size());
        auto* map = w->findChild<MapView*>("frmImage");
        map->setZoom(1.0);
        map->horizontalScrollBar()->setValue(0);
        map->verticalScrollBar()->setValue(0);
        const QPoint at = map->viewportPoint(pixel).toPoint();
        QVERIFY(map->viewport()->rect().contains(at));
        QTest::mouseMove(map->viewport(), at);
        QTEST(w->findChild<QLabel*>("lblCoordinates")->text(), "shown");
    }
};

QTEST_MAIN(TestGeography)
#include "test_geography.moc"
