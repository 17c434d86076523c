// The look in the properties dialog and the point dialog, in the main window: each control is
// wired to its setting, a double-click opens the point under it without changing the route in
// any mode, and undo takes every change back.

#include "mapview/MapView.h"
#include "project/ProjectText.h"
#include "shell/MainWindow.h"
#include "support/Route.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

class LookEditingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;

    ProjectState& st() { return w->workspace().st; }
    QByteArray text() { return formatProjectText(st()); }
    void undo() { w->findChild<QAction*>("mnuUndo")->trigger(); }

  private slots:
    void init() {
        w = new MainWindow(dir.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        setRoute(st(), "100,100 200,100");
    }
    void cleanup() { delete w; }

    void lookControls_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("line");
        const auto row = [](const char* control, const char* property, QVariant value, const char* line) {
            QTest::newRow(control) << QString(control) << QString(property) << value << QByteArray(line);
        };
        row("spinHold", "value", 2.5, "hold = 2.5");
        row("cboTiming", "currentIndex", 1, "timing = speed");
        row("cboEasing", "currentIndex", 1, "easing = smooth");
        row("cboMarker", "currentIndex", 2, "marker = arrow");
        row("chkCasing", "checked", true, "casing = 0");
        row("spinLabelSize", "value", 30, "labelsize = 30");
    }
    void lookControls() {
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, line);
        w->findChild<QAction*>("mnuProperties")->trigger();
        QWidget* c = w->findChild<QWidget*>(control);
        QVERIFY(c && c->isVisible());
        c->setProperty(property.toLatin1(), value);
        QVERIFY2(text().contains(line + "\r\n"), text().constData());
        undo();
        QVERIFY(!text().contains(line));
    }

    void doubleClickOpensThePoint_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("add") << "btnPlus";
        QTest::newRow("delete") << "btnMinus";
        QTest::newRow("select") << "btnSeek";
    }
    void doubleClickOpensThePoint() {
        QFETCH(QString, mode);
        QTest::mouseClick(w->findChild<QWidget*>(mode), Qt::LeftButton);
        auto* map = w->findChild<MapView*>("frmImage");
        QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, map->viewportPoint({200, 100}).toPoint());
        QCOMPARE(routeText(st()), QString("100,100 200,100"));
        auto* dialog = w->findChild<QDialog*>("frmPoint");
        QVERIFY(dialog && dialog->isVisible());
        auto* label = dialog->findChild<QLineEdit*>("txtLabel");
        label->setText("Quay");
        emit label->editingFinished();
        QCOMPARE(st().pointlabel[1], QString("Quay"));
        undo();
        QCOMPARE(st().pointlabel[1], QString());
    }
};

QTEST_MAIN(LookEditingTest)
#include "test_look_editing.moc"
