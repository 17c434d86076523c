// Every kind of edit made through the main window's controls is one undo step: undo puts back the
// exact project text, the map picture and the saved state; redo the edited ones. A look control
// writes its own line, and a double-click opens the point under it in any mode without changing
// the route.
#include "mapview/MapView.h"
#include "project/ProjectCommands.h"
#include "project/ProjectSnapshot.h"
#include "shell/MainWindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

class EditHistoryTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;

    template <class T = QWidget> T* find(const char* name) { return w->findChild<T*>(name); }
    void typePath(const char* dialog, const QString& path) {
        auto* box = find<QWidget>(dialog)->findChild<QLineEdit*>("Drive1");
        box->setText(path);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // Tool buttons by name, "x,y" a map click ("x,y,2" a double-click), "line"/"interval" a step of
    // those bars, "colour" a palette pick, "mapdir"/"map" the Get Image dialog, "renderdir" the render
    // dialog's directory, "control.property=value" a shown control set, "txtLabel=text" the point
    // dialog's label typed.
    void play(const QString& ops) {
        for (const QString& op : ops.split(' ', Qt::SkipEmptyParts)) {
            if (op.contains('=')) {
                const QString name = op.section('=', 0, 0);
                QWidget* c = find(qPrintable(name.section('.', 0, 0)));
                if (!c || !c->isVisible()) QFAIL(qPrintable(name + " is not shown"));
                if (auto* box = qobject_cast<QLineEdit*>(c)) {
                    box->setText(op.section('=', 1));
                    emit box->editingFinished();
                } else
                    c->setProperty(qPrintable(name.section('.', 1)), op.section('=', 1));
            } else if (op.contains(',')) {
                auto* map = find<MapView>("frmImage");
                const QPointF at(op.section(',', 0, 0).toInt(), op.section(',', 1, 1).toInt());
                const QPoint on = map->viewportPoint(at).toPoint();
                QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, on);
                if (op.count(',') == 2) { // the rest of a double-click
                    QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, on);
                    QTest::mouseRelease(map->viewport(), Qt::LeftButton, {}, on);
                }
            } else if (op == "line" || op == "interval")
                QTest::keyClick(find(op == "line" ? "scrlLineThick" : "scrlinterval"), Qt::Key_Right);
            else if (op == "colour")
                QTest::mouseClick(find("piccolor"), Qt::LeftButton, {}, QPoint(125, 25));
            else if (op == "mapdir")
                typePath("frmGetImage", dir.path());
            else if (op == "map") {
                find<QListWidget>("List1")->setCurrentRow(0);
                find<QPushButton>("btnOpen")->click();
            } else if (op == "renderdir")
                typePath("frmRender", "/");
            else
                find<QPushButton>(qPrintable(op))->click();
        }
    }

  private slots:
    void initTestCase() {
        QImage blue(40, 30, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(dir.filePath("blue.png")));
    }
    void init() {
        w = new MainWindow(dir.path());
        w->show();
        w->mnuProperties_Click();
        w->imgThumb_Click();
        w->findChild<QAction*>("mnuRender")->trigger();
    }
    void cleanup() { delete w; }

    void undoAndRedoEachKind_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QByteArray>("line"); // a line the edited project text holds
        const QString three = "20,20 100,100 200,150 ";
        for (auto [tag, setup, op, line] : std::initializer_list<std::array<QString, 4>>{
                 {"add", "", "30,30", ""},
                 {"delete", three + "btnMinus", "100,100", ""},
                 {"move", three + "btnSeek 100,100 btnMove", "300,200", ""},
                 {"back", three + "btnSeek 100,100", "btnBack", ""},
                 {"fore", three + "btnSeek 100,100", "btnFore", ""},
                 {"select", three + "btnSeek", "200,150", ""},
                 {"deselect", three + "btnSeek 20,20", "btnPlus", ""},
                 {"format", "", "btnPAL", ""},
                 {"line", "", "line", ""},
                 {"colour", "", "colour", ""},
                 {"interval", "", "interval", ""},
                 {"map", "mapdir", "map", ""},
                 {"render", "", "renderdir", ""},
                 {"hold", "", "spinHold.value=2.5", "hold = 2.5"},
                 {"timing", "", "cboTiming.currentIndex=1", "timing = speed"},
                 {"easing", "", "cboEasing.currentIndex=1", "easing = smooth"},
                 {"marker", "", "cboMarker.currentIndex=2", "marker = arrow"},
                 {"casing", "", "chkCasing.checked=true", "casing = 0"},
                 {"label size", "", "spinLabelSize.value=30", "labelsize = 30"},
                 {"label in add mode", three + "btnPlus", "100,100,2 txtLabel=Quay", "label.1 = Quay"},
                 {"label in delete mode", three + "btnMinus", "100,100,2 txtLabel=Quay", "label.1 = Quay"},
                 {"label in select mode", three + "btnSeek 100,100", "100,100,2 txtLabel=Quay", "label.1 = Quay"}})
            QTest::newRow(qPrintable(tag)) << setup << op << line.toUtf8();
    }
    void undoAndRedoEachKind() {
        QFETCH(QString, setup);
        play(setup);
        QVERIFY(w->projectCommands().saveProject(dir.path() + '/', "t.wsr", w));
        const ProjectSnapshot before = takeSnapshot(w->workspace());
        QFETCH(QString, op);
        play(op);
        const ProjectSnapshot after = takeSnapshot(w->workspace());
        QVERIFY(!(after == before));
        QFETCH(QByteArray, line);
        QVERIFY2(line.isEmpty() || after.text.contains(line + "\r\n"), after.text.constData());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        for (const auto& [key, state, caption] : {std::tuple(QKeySequence("Ctrl+Z"), before, "t.wsr"),
                                                  {QKeySequence("Ctrl+Shift+Z"), after, "t.wsr*"},
                                                  {QKeySequence("Ctrl+Z"), before, "t.wsr"},
                                                  {QKeySequence("Ctrl+Y"), after, "t.wsr*"}}) {
            QTest::keySequence(w, key);
            QCOMPARE(takeSnapshot(w->workspace()).text, state.text);
            QVERIFY(takeSnapshot(w->workspace()) == state);
            QVERIFY(w->windowTitle().endsWith(caption));
        }
    }
};

QTEST_MAIN(EditHistoryTest)
#include "test_edit_history.moc"
