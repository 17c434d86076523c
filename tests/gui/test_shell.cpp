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
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class ShellTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;

  private slots:
    void init() {
        w = shownMainWindow(dir.path());
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { delete w; }

    // A preset from the File menu is one step: undone, the project is as it was.
    void presetIsOneStep() {
        const ProjectState& st = w->workspace().st;
        const QString before =
            QString("%1 %2 %3").arg(st.framewidth).arg(st.frameheight).arg(st.renderformat);
        w->findChild<QAction*>("preset reel")->trigger();
        QCOMPARE(
            QString("%1 %2 %3 %4").arg(st.framewidth).arg(st.frameheight).arg(st.fps).arg(st.renderformat),
            QString("1080 1920 30 mp4"));
        QCOMPARE(w->history().stack().count(), 1);
        w->history().stack().undo();
        QCOMPARE(QString("%1 %2 %3").arg(st.framewidth).arg(st.frameheight).arg(st.renderformat), before);
    }

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
        QCOMPARE(w->findChild<QLabel*>("lblFrame")->text() == "Frame", cleared);
        QCOMPARE(w->windowTitle() == "Vantorel* Pathwright", cleared);
    }

    // Each key names one action; the classic keys keep their meaning beside the new ones.
    void shortcutsTable_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("what");
        for (auto [keys, what] : {std::pair{"Ctrl+Q", "File ▸ Exit"},
                                  {"Ctrl+X", "File ▸ Exit"},
                                  {"Ctrl+Shift+S", "File ▸ Save As"},
                                  {"Ctrl+A", "File ▸ Save As"},
                                  {"Ctrl+N", "File ▸ New"},
                                  {"Ctrl+Y", "Edit ▸ Redo"},
                                  {"Esc", "Stop the preview"}})
            QTest::newRow(keys) << QString(keys) << QString(what);
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
        const char* hint = "Load a map picture (Ctrl+I) or import a track, then click to add points";
        const auto row = [](const char* name, const char* step, const char* label, const char* text) {
            QTest::newRow(name) << QString(step) << QString(label) << QString(text);
        };
        row("empty: hint", "", "lblHint", hint);
        row("empty: frame", "", "lblFrameSize", "654 × 480, 29.97 fps");
        row("a point: no hint", "click", "lblHint", "");
        row("undone: hint", "click undo", "lblHint", hint);
        row("PAL", "pal", "lblFrameSize", "786 × 576, 25 fps");
        row("1080p 59.94", "1080p", "lblFrameSize", "1920 × 1080, 59.94 fps");
        row("zoomed in", "zoom", "lblZoom", "250 %");
        row("100 %", "zoom 100", "lblZoom", "100 %");
        row("mouse", "hover", "lblPosition", "10, 20 px");
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
        if (step == "hover") // the map pixel for pixel: the docks leave it no room on this screen
            for (auto* dock : w->findChildren<QDockWidget*>())
                dock->close();
        if (step == "hover") QTest::qWait(50); // the map window takes the room
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
        const auto row = [](const char* name, Appearance choice, const char* gtk, const char* scheme,
                            bool dark) {
            QTest::newRow(name) << choice << QString(gtk) << QString(scheme) << dark;
        };
        row("dark", Appearance::Dark, "", "", true);
        row("light on a dark desktop", Appearance::Light, "Adwaita:dark", "", false);
        row("system, GTK_THEME dark", Appearance::System, "Adwaita:dark", "", true);
        row("system, GTK_THEME light wins", Appearance::System, "Adwaita", "'prefer-dark'", false);
        row("system, GNOME dark", Appearance::System, "", "'prefer-dark'", true);
        row("system, GNOME default", Appearance::System, "", "'default'", false);
    }
    void appearance() {
        QFETCH(Appearance, choice);
        QFETCH(QString, gtkTheme);
        QFETCH(QString, colorScheme);
        QFETCH(bool, dark);
        const DesktopScheme desktop{gtkTheme, colorScheme, QColor(240, 240, 240)};
        QCOMPARE(applyAppearance(choice, desktop), dark);
        QCOMPARE(qApp->palette().color(QPalette::Window).lightness() < 128, dark);
        // The ink of the "+" picture: its grey pixels, light on dark buttons. The buttons take the
        // palette's change as an event, which a busy machine may deliver a little later.
        const auto lightInk = [this] {
            const QImage plus = w->findChild<QPushButton*>("btnPlus")->icon().pixmap(24).toImage();
            int ink = 0, n = 0;
            for (int y = 0; y < plus.height(); ++y)
                for (int x = 0; x < plus.width(); ++x)
                    if (const QColor c = plus.pixelColor(x, y); c.alpha() > 200 && c.hsvSaturation() < 40)
                        ink += c.lightness(), ++n;
            return n > 0 ? int(ink / n > 128) : -1;
        };
        QTRY_COMPARE(lightInk(), int(dark));
        applyAppearance(Appearance::Light, {}); // back to the platform's own for the next rows
    }

    // Edit > Preferences stores the choices under the keys other parts read, and OK applies the
    // appearance at once; Cancel changes nothing.
    void preferences_data() {
        QTest::addColumn<int>("appearance"); // the item chosen
        QTest::addColumn<bool>("classic");
        QTest::addColumn<bool>("ok");
        QTest::newRow("dark, classic dialogs") << 2 << true << true;
        QTest::newRow("light") << 1 << false << true;
        QTest::newRow("cancelled") << 2 << true << false;
    }
    void preferences() {
        QFETCH(int, appearance);
        QFETCH(bool, classic);
        QFETCH(bool, ok);
        w->findChild<QAction*>("mnuPreferences")->trigger();
        auto* dialog = w->findChild<QDialog*>("frmPreferences");
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QComboBox*>("cboAppearance")->setCurrentIndex(appearance);
        dialog->findChild<QCheckBox*>("chkClassicDialogs")->setChecked(classic);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        QVERIFY(!dialog->isVisible());
        const QSettings settings("pathwright", "pathwright");
        QCOMPARE(settings.value("ui/classicDialogs", false).toBool(), ok && classic);
        const QString stored = settings.value("ui/appearance", "system").toString();
        QCOMPARE(stored, !ok ? "system" : appearance == 2 ? "dark" : "light");
        QCOMPARE(qApp->palette().color(QPalette::Window).lightness() < 128, ok && appearance == 2);
        applyAppearance(Appearance::Light, {});
    }
};

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
