// The main window: tool bar, menus, caption, map window size and the Get Image dialog.
#include "mapview/ImageView.h"
#include "shell/MainWindow.h"
#include "support/ModalCloser.h"
#include "support/Pixels.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;

    QWidget* child(const char* name) { return w->findChild<QWidget*>(name); }

private slots:
    void init() {
        w = new MainWindow(dir.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { delete w; }

    void toolBarControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("NTSC") << "btnNTSC" << QRect(0, 0, 51, 31) << "NTSC" << "654x480 29.97fps";
        QTest::newRow("PAL") << "btnPAL" << QRect(50, 0, 51, 31) << "PAL" << "786x576 25fps";
        QTest::newRow("thumb") << "imgThumb" << QRect(100, 0, 41, 31) << "" << "";
        QTest::newRow("plus") << "btnPlus" << QRect(140, 0, 31, 31) << "+" << "Add points";
        QTest::newRow("back") << "btnBack" << QRect(170, 0, 31, 31) << "<" << "Move selected point backwards";
        QTest::newRow("seek") << "btnSeek" << QRect(200, 0, 31, 31) << "o" << "Select point";
        QTest::newRow("fore") << "btnFore" << QRect(230, 0, 31, 31) << ">" << "Move selecte point forwards";
        QTest::newRow("minus") << "btnMinus" << QRect(260, 0, 31, 31) << "-" << "Delete points";
        QTest::newRow("move") << "btnMove" << QRect(290, 0, 31, 31) << "->" << "Move selected point";
        QTest::newRow("swatch") << "picStyle" << QRect(320, 0, 91, 31) << "" << "";
        QTest::newRow("redraw") << "btnRedraw" << QRect(410, 0, 61, 31) << "Redraw" << "Refresh the display";
        QTest::newRow("preview") << "btnRoute" << QRect(470, 0, 61, 31) << "Preview" << "Preview the route";
        QTest::newRow("render") << "btnRender" << QRect(530, 0, 61, 31) << "Render"
                                << "Save animation to image sequence";
        QTest::newRow("frame") << "lblFrame" << QRect(590, 0, 61, 31) << "Frame" << "";
    }
    void toolBarControls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        QWidget* c = child(qPrintable(name));
        QVERIFY2(c, qPrintable(name));
        QCOMPARE(c->geometry(), geometry);
        QVERIFY(c->isVisible());
        QCOMPARE(c->toolTip(), tooltip);
        if (auto* b = qobject_cast<QPushButton*>(c)) QCOMPARE(b->text(), caption);
        if (auto* l = qobject_cast<QLabel*>(c); l && !caption.isEmpty()) QCOMPARE(l->text(), caption);
    }

    void symbolButtonsAreLarger() {
        QCOMPARE(child("btnPlus")->font().pointSizeF(), 15.6);
        QCOMPARE(child("btnSeek")->font().pointSizeF(), 12.0);
        QCOMPARE(child("lblFrame")->font().pointSizeF(), 12.0);
        QVERIFY(!child("btnResize")->isVisible());
    }

    void menus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("open") << "mnuOpen" << "&Open" << "Ctrl+O";
        QTest::newRow("save") << "mnuSave" << "&Save" << "Ctrl+S";
        QTest::newRow("save as") << "mnuSaveAs" << "Save&As" << "Ctrl+A";
        QTest::newRow("image") << "mnuImage" << "&Image" << "Ctrl+I";
        QTest::newRow("render") << "mnuRender" << "&Render" << "Ctrl+R";
        QTest::newRow("exit") << "mnuExit" << "E&xit" << "Ctrl+X";
        QTest::newRow("properties") << "mnuProperties" << "&Properties" << "";
    }
    void menus() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        auto* a = w->findChild<QAction*>(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(), shortcut);
    }

    void menuBarOrder() {
        QStringList top;
        for (QAction* a : w->menuBar()->actions()) top << a->text();
        QCOMPARE(top, QStringList({"&File", "&Properties", "&Help"}));
        const auto* help = w->findChild<QMenu*>("mnuHelp");
        QVERIFY(help && help->actions().isEmpty());
    }

    void captionIsTheDesignCaption() { QCOMPARE(w->windowTitle(), QString("Vantorel* Pathwright")); }

    void mapDrawingAreaFollowsThePresets() {
        auto* map = w->findChild<ImageView*>("frmImage");
        QCOMPARE(map->size(), QSize(654, 480));
        QTest::mouseClick(child("btnPAL"), Qt::LeftButton);
        QCOMPARE(map->size(), QSize(786, 576));
        QCOMPARE(w->workspace().map.image().size(), QSize(786, 576));
        QTest::mouseClick(child("btnNTSC"), Qt::LeftButton);
        QCOMPARE(map->size(), QSize(654, 480));
        auto* sub = qobject_cast<QMdiSubWindow*>(map->parentWidget());
        QVERIFY(sub);
        QCOMPARE(sub->windowTitle(), QString("map image"));
        QVERIFY(sub->height() > 480);  // its frame goes around the drawing area
    }

    void redrawButtonShowsTheRoute() {
        Workspace& ws = w->workspace();
        ws.st.pointx[0] = 50;
        ws.st.pointy[0] = 60;
        ws.st.listmax = 1;
        QCOMPARE(rgbAt(ws.map.image(), 50, 60), 0xffffffu);
        QTest::mouseClick(child("btnRedraw"), Qt::LeftButton);
        QCOMPARE(rgbAt(ws.map.image(), 50, 60), 0xff0000u);
        // The widget shows what the surface holds.
        const QImage shown = child("frmImage")->grab().toImage();
        QCOMPARE(rgbAt(shown, 50, 60), 0xff0000u);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
