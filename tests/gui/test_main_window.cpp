// The main window: tool bar, menus, caption, map window size and the Get Image dialog.
#include "animation/AnimationCommands.h"
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
        QTest::addColumn<double>("points"); // 0: the default dialog font
        QTest::newRow("NTSC") << "btnNTSC" << QRect(0, 0, 51, 31) << "NTSC"
                              << "654x480 29.97fps" << 0.0;
        QTest::newRow("PAL") << "btnPAL" << QRect(50, 0, 51, 31) << "PAL"
                             << "786x576 25fps" << 0.0;
        QTest::newRow("thumb") << "imgThumb" << QRect(100, 0, 41, 31) << ""
                               << "" << 0.0;
        QTest::newRow("plus") << "btnPlus" << QRect(140, 0, 31, 31) << "+"
                              << "Add points" << 15.6;
        QTest::newRow("back") << "btnBack" << QRect(170, 0, 31, 31) << "<"
                              << "Move selected point backwards" << 15.6;
        QTest::newRow("seek") << "btnSeek" << QRect(200, 0, 31, 31) << "o"
                              << "Select point" << 12.0;
        QTest::newRow("fore") << "btnFore" << QRect(230, 0, 31, 31) << ">"
                              << "Move selecte point forwards" << 15.6;
        QTest::newRow("minus") << "btnMinus" << QRect(260, 0, 31, 31) << "-"
                               << "Delete points" << 15.6;
        QTest::newRow("move") << "btnMove" << QRect(290, 0, 31, 31) << "->"
                              << "Move selected point" << 12.0;
        QTest::newRow("swatch") << "picStyle" << QRect(320, 0, 91, 31) << ""
                                << "" << 0.0;
        QTest::newRow("redraw") << "btnRedraw" << QRect(410, 0, 61, 31) << "Redraw"
                                << "Refresh the display" << 0.0;
        QTest::newRow("preview") << "btnRoute" << QRect(470, 0, 61, 31) << "Preview"
                                 << "Preview the route" << 0.0;
        QTest::newRow("render") << "btnRender" << QRect(530, 0, 61, 31) << "Render"
                                << "Save animation to image sequence" << 0.0;
        QTest::newRow("frame") << "lblFrame" << QRect(590, 0, 61, 31) << "Frame"
                               << "" << 12.0;
    }
    void toolBarControls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        QFETCH(double, points);
        QWidget* c = child(qPrintable(name));
        QVERIFY2(c, qPrintable(name));
        QCOMPARE(c->parentWidget(), child("Picture1"));
        QCOMPARE(c->geometry(), geometry);
        QVERIFY(c->isVisible());
        QCOMPARE(c->toolTip(), tooltip);
        if (auto* b = qobject_cast<QPushButton*>(c)) QCOMPARE(b->text(), caption);
        if (auto* l = qobject_cast<QLabel*>(c); l && !caption.isEmpty()) QCOMPARE(l->text(), caption);
        const QFont font = c->font();
        QCOMPARE(font.pointSizeF(), points > 0 ? points : QApplication::font(c).pointSizeF());
        QVERIFY(!font.bold() && !font.italic());
    }

    void toolBarAcrossTheTop() {
        QWidget* bar = child("Picture1");
        QCOMPARE(bar->geometry(), QRect(0, 0, w->centralWidget()->width(), 35));
        auto* frame = w->findChild<QLabel*>("lblFrame");
        QCOMPARE(frame->alignment(), Qt::AlignCenter);
        QVERIFY(frame->frameShape() != QFrame::NoFrame);
        QVERIFY(!child("btnResize")->isVisible());
        // The preview's timer is there from the start, stopped, at 33 ms.
        const QTimer* timer = w->findChild<AnimationCommands*>()->timerRoute();
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 33);
    }

    void menus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("open") << "mnuOpen"
                              << "&Open"
                              << "Ctrl+O";
        QTest::newRow("save") << "mnuSave"
                              << "&Save"
                              << "Ctrl+S";
        QTest::newRow("save as") << "mnuSaveAs"
                                 << "Save&As"
                                 << "Ctrl+A";
        QTest::newRow("image") << "mnuImage"
                               << "&Image"
                               << "Ctrl+I";
        QTest::newRow("render") << "mnuRender"
                                << "&Render"
                                << "Ctrl+R";
        QTest::newRow("exit") << "mnuExit"
                              << "E&xit"
                              << "Ctrl+X";
        QTest::newRow("properties") << "mnuProperties"
                                    << "&Properties"
                                    << "";
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
        for (QAction* a : w->menuBar()->actions())
            top << a->text();
        QCOMPARE(top, QStringList({"&File", "&Properties", "&Help"}));
        QStringList file;
        for (QAction* a : w->findChild<QMenu*>("mnuFile")->actions())
            file << (a->isSeparator() ? a->objectName() : a->objectName() + " " + a->text());
        QCOMPARE(file, QStringList({"mnuOpen &Open", "mnuSave &Save", "mnuSaveAs Save&As", "div01",
                                    "mnuImage &Image", "mnuRender &Render", "div03", "mnuExit E&xit"}));
        const auto* help = w->findChild<QMenu*>("mnuHelp");
        QVERIFY(help && help->actions().isEmpty());
    }

    void exitEndsTheProgramAtOnce_data() {
        QTest::addColumn<bool>("closeControl");
        QTest::newRow("Ctrl+X") << false;
        QTest::newRow("the window's close control") << true;
    }
    void exitEndsTheProgramAtOnce() {
        QFETCH(bool, closeControl);
        w->workspace().st.listmax = 1; // unsaved changes: nothing is asked
        QTest::keyClick(w, Qt::Key_I, Qt::ControlModifier);
        QWidget* dialog = child("frmGetImage");
        QVERIFY(dialog && dialog->isVisible());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTimer::singleShot(0, w, [this, closeControl] {
            if (closeControl)
                w->close();
            else
                QTest::keyClick(w, Qt::Key_X, Qt::ControlModifier);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(2); });
        watchdog.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0); // the event loop ended, not the watchdog
        QVERIFY(!dialog->isVisible());
    }

    void captionIsTheDesignCaption() { QCOMPARE(w->windowTitle(), QString("Vantorel* Pathwright")); }

    void mapDrawingAreaFollowsThePresets() {
        auto* map = w->findChild<ImageView*>("frmImage");
        auto* sub = qobject_cast<QMdiSubWindow*>(map->parentWidget());
        QVERIFY(sub);
        const QSize ntscWindow = sub->size();
        QCOMPARE(map->size(), QSize(654, 480));
        QTest::mouseClick(child("btnPAL"), Qt::LeftButton);
        QCOMPARE(map->size(), QSize(786, 576));
        QCOMPARE(w->workspace().map.image().size(), QSize(786, 576));
        QTest::mouseClick(child("btnNTSC"), Qt::LeftButton);
        QCOMPARE(map->size(), QSize(654, 480));
        QCOMPARE(sub->size(), ntscWindow);
        QCOMPARE(sub->windowTitle(), QString("map image"));
        QVERIFY(sub->height() > 480); // its frame goes around the drawing area
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
