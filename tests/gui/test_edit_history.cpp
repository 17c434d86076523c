// Every kind of edit made through the main window's controls is one undo step: undo puts back the
// exact project text, the map picture and the saved state; redo the edited ones.
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
    // Tool buttons by name, "x,y" a map click, "line"/"interval" a step of those bars, "colour" a
    // palette pick, "mapdir"/"map" the Get Image dialog, "renderdir" the render dialog's directory.
    void play(const QString& ops) {
        for (const QString& op : ops.split(' ', Qt::SkipEmptyParts)) {
            if (op.contains(',')) {
                auto* map = find<MapView>("frmImage");
                const QPointF at(op.section(',', 0, 0).toInt(), op.section(',', 1).toInt());
                QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, map->viewportPoint(at).toPoint());
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
        const QString three = "20,20 100,100 200,150 ";
        for (auto [tag, setup, op] : std::initializer_list<std::array<QString, 3>>{
                 {"add", "", "30,30"},
                 {"delete", three + "btnMinus", "100,100"},
                 {"move", three + "btnSeek 100,100 btnMove", "300,200"},
                 {"back", three + "btnSeek 100,100", "btnBack"},
                 {"fore", three + "btnSeek 100,100", "btnFore"},
                 {"select", three + "btnSeek", "200,150"},
                 {"deselect", three + "btnSeek 20,20", "btnPlus"},
                 {"format", "", "btnPAL"},
                 {"line", "", "line"},
                 {"colour", "", "colour"},
                 {"interval", "", "interval"},
                 {"map", "mapdir", "map"},
                 {"render", "", "renderdir"}})
            QTest::newRow(qPrintable(tag)) << setup << op;
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
