// The main window's shell: File > New, the shortcuts table, the status bar, the window state
// kept between runs, light and dark.
#include "mapview/MapView.h"
#include "project/ProjectCommands.h"
#include "settings/Appearance.h"
#include "shell/EditHistory.h"
#include "shell/MainWindow.h"
#include "shell/ShortcutsDialog.h"
#include "support/ShownWindow.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class ShellTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;

    QString label(const char* name) { return w->findChild<QLabel*>(name)->text(); }

  private slots:
    void init() {
        w = shownMainWindow(dir.path());
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { delete w; }

    // New asks about unsaved changes and, unless cancelled, leaves the project as at start: no
    // points, no map, NTSC, no name, no history, the frame label reset.
    void newAsksAndClears_data() {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("unsaved, discard") << false << QMessageBox::Discard << true;
        QTest::newRow("unsaved, cancel") << false << QMessageBox::Cancel << false;
        QTest::newRow("saved, not asked") << true << QMessageBox::Cancel << true;
    }
    void newAsksAndClears() {
        QFETCH(bool, saved);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, cleared);
        int asked = 0;
        w->projectCommands().setAsk([&](QWidget*, const QString&) { return ++asked, answer; });
        w->findChild<QAction*>("fmt 1080p 25")->trigger();
        w->frmImage_Click({100, 100});
        w->setFrameText("0042");
        if (saved) QVERIFY(w->projectCommands().saveProject(dir.path() + '/', "new.wsr", w));
        w->findChild<QAction*>("mnuNew")->trigger();
        QCOMPARE(asked, saved ? 0 : 1);
        const ProjectState& st = w->workspace().st;
        QCOMPARE(st.listmax == 0, cleared);
        QCOMPARE(st.framewidth == 654 && st.format == u'n', cleared);
        QCOMPARE(st.projectname.isEmpty(), cleared || !saved);
        QCOMPARE(w->history().stack().count() == 0 && !w->history().unsaved(), cleared || saved);
        QCOMPARE(label("lblFrame") == "Frame", cleared);
        QCOMPARE(w->windowTitle() == "Vantorel* Pathwright", cleared);
    }

    // Each key names one action; the classic keys keep their meaning beside the new ones.
    void shortcutsTable_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("what");
        QTest::newRow("quit") << "Ctrl+Q" << "File ▸ Exit";
        QTest::newRow("classic exit") << "Ctrl+X" << "File ▸ Exit";
        QTest::newRow("save as") << "Ctrl+Shift+S" << "File ▸ Save As";
        QTest::newRow("classic save as") << "Ctrl+A" << "File ▸ Save As";
        QTest::newRow("new") << "Ctrl+N" << "File ▸ New";
        QTest::newRow("redo") << "Ctrl+Y" << "Edit ▸ Redo";
        QTest::newRow("not an action") << "Esc" << "Stop the preview";
    }
    void shortcutsTable() {
        QFETCH(QString, keys);
        QStringList found;
        for (const ShortcutRow& row : shortcutRows(*w))
            if (row.keys == keys) found << row.what;
        QTEST(found.join(" | "), "what");
    }

    // The status bar after a few steps: the hint only in an empty window, the frame, the zoom
    // and the map pixel under the mouse.
    void statusTexts_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        const QString hint = "Load a map picture (Ctrl+I) or import a track, then click to add points";
        QTest::newRow("empty: hint") << "" << "lblHint" << hint;
        QTest::newRow("empty: frame") << "" << "lblFrameSize" << "654 × 480, 29.97 fps";
        QTest::newRow("a point: no hint") << "click" << "lblHint" << "";
        QTest::newRow("undone: hint") << "click undo" << "lblHint" << hint;
        QTest::newRow("PAL") << "pal" << "lblFrameSize" << "786 × 576, 25 fps";
        QTest::newRow("1080p 59.94") << "1080p" << "lblFrameSize" << "1920 × 1080, 59.94 fps";
        QTest::newRow("zoomed in") << "zoom" << "lblZoom" << "250 %";
        QTest::newRow("100 %") << "zoom 100" << "lblZoom" << "100 %";
        QTest::newRow("mouse") << "hover" << "lblPosition" << "10, 20 px";
    }
    void statusTexts() {
        QFETCH(QString, step);
        QFETCH(QString, label);
        QFETCH(QString, text);
        auto* map = w->findChild<MapView*>("frmImage");
        if (step.startsWith("click")) w->frmImage_Click({100, 100});
        if (step.endsWith("undo")) w->history().stack().undo();
        if (step == "pal") QTest::mouseClick(w->findChild<QPushButton*>("btnPAL"), Qt::LeftButton);
        if (step == "1080p") w->findChild<QAction*>("fmt 1080p 59.94")->trigger();
        if (step.startsWith("zoom")) map->setZoom(2.5);
        if (step == "zoom 100") w->findChild<QAction*>("mnuZoom100")->trigger();
        if (step == "hover") QTest::mouseMove(map->viewport(), map->viewportPoint({10, 20}).toPoint());
        QTRY_COMPARE(w->findChild<QLabel*>(label)->text(), text);
    }

    // What the window was at the end of one run it is at the start of the next: its size (held
    // to the screen), the map window's kind, the zoom, a dock's place.
    void windowStateRoundTrip_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("separate");
        QTest::addColumn<double>("zoom"); // 0: fitted
        QTest::addColumn<bool>("docked");
        QTest::newRow("filled, fitted") << QSize(700, 520) << false << 0.0 << true;
        QTest::newRow("separate, zoomed") << QSize(640, 500) << true << 2.0 << false;
        QTest::newRow("from a larger screen") << QSize(5000, 4000) << false << 0.5 << true;
    }
    void windowStateRoundTrip() {
        QFETCH(QSize, size);
        QFETCH(bool, separate);
        QFETCH(double, zoom);
        QFETCH(bool, docked);
        const auto addDock = [](MainWindow* m) {
            auto* dock = new QDockWidget("Test", m);
            dock->setObjectName("dockTest");
            m->addDockWidget(Qt::RightDockWidgetArea, dock);
            return dock;
        };
        addDock(w)->setFloating(!docked);
        w->findChild<QAction*>("mnuSeparateMap")->setChecked(separate);
        auto* map = w->findChild<MapView*>("frmImage");
        if (zoom > 0) map->setZoom(zoom);
        w->resize(size);
        w->saveWindowState();
        delete w;
        w = new MainWindow(dir.path()); // the settings as the last window left them
        QDockWidget* dock = addDock(w);
        w->restoreWindowState();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(dock->isFloating(), !docked);
        QCOMPARE(w->findChild<QAction*>("mnuSeparateMap")->isChecked(), separate);
        map = w->findChild<MapView*>("frmImage");
        QCOMPARE(map->fitting(), zoom == 0);
        if (zoom > 0) QCOMPARE(map->scale(), zoom);
        const QRect screen = w->screen()->availableGeometry();
        const QSize frame = w->frameGeometry().size() - w->size();
        QCOMPARE(w->size(), size.boundedTo(screen.size() - frame));
        QVERIFY(screen.contains(w->frameGeometry()));
    }

    // The dark palette when asked for, or when the desktop is dark and the choice is the
    // desktop's; the tool bar's pictures follow in the palette's text colour.
    void appearance_data() {
        QTest::addColumn<Appearance>("choice");
        QTest::addColumn<QString>("gtkTheme");
        QTest::addColumn<QString>("colorScheme");
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark") << Appearance::Dark << "" << "" << true;
        QTest::newRow("light on a dark desktop") << Appearance::Light << "Adwaita:dark" << "" << false;
        QTest::newRow("system, GTK_THEME dark") << Appearance::System << "Adwaita:dark" << "" << true;
        QTest::newRow("system, GTK_THEME light wins") << Appearance::System << "Adwaita" << "'prefer-dark'" << false;
        QTest::newRow("system, GNOME dark") << Appearance::System << "" << "'prefer-dark'" << true;
        QTest::newRow("system, GNOME default") << Appearance::System << "" << "'default'" << false;
    }
    void appearance() {
        QFETCH(Appearance, choice);
        QFETCH(QString, gtkTheme);
        QFETCH(QString, colorScheme);
        QFETCH(bool, dark);
        const DesktopScheme desktop{gtkTheme, colorScheme, QColor(240, 240, 240)};
        QCOMPARE(applyAppearance(choice, desktop), dark);
        QCOMPARE(qApp->palette().color(QPalette::Window).lightness() < 128, dark);
        // The ink of the "+" picture: its grey pixels, light on dark buttons.
        QTest::qWait(0);
        const QImage plus = w->findChild<QPushButton*>("btnPlus")->icon().pixmap(24).toImage();
        int ink = 0, n = 0;
        for (int y = 0; y < plus.height(); ++y)
            for (int x = 0; x < plus.width(); ++x)
                if (const QColor c = plus.pixelColor(x, y); c.alpha() > 200 && c.hsvSaturation() < 40)
                    ink += c.lightness(), ++n;
        QVERIFY(n > 0);
        QCOMPARE(ink / n > 128, dark);
        applyAppearance(Appearance::Light, {}); // back to the platform's own for the next rows
    }
};

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
