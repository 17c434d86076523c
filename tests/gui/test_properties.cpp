// The properties dialog driven as a user would: activation, scroll bars, palette clicks and
// the ways to hide it.

#include "settings/PropertiesDialog.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

struct Fixture {
    Workspace ws;
    int refreshes = 0;
    std::unique_ptr<PropertiesDialog> dlg;
    explicit Fixture(bool withRoute = true) {
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        if (withRoute) {
            ws.st.listmax = 2;
            ws.st.pointx = {100, 300};
            ws.st.pointy = {100, 100};
        }
        dlg = std::make_unique<PropertiesDialog>(ws, [this] { ++refreshes; });
    }
    template <class T> T* child(const char* name) {
        T* w = dlg->findChild<T*>(name);
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QScrollBar* bar(const char* name) { return child<QScrollBar>(name); }
    QString text(const char* name) { return child<QLabel>(name)->text(); }
    bool activate() {
        dlg->show();
        dlg->activateWindow();
        return QTest::qWaitForWindowActive(dlg.get());
    }
    // Another window takes the focus and hands it back: a second activation.
    bool reactivate() {
        QWidget other;
        other.show();
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other)) return false;
        return activate();
    }
};

QColor background(QLabel* l) { return l->palette().color(QPalette::Window); }

QPoint thumbCentre(QScrollBar* bar) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar).center();
}

}  // namespace

class TestProperties : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void tabOrder();
    void barSettings_data();
    void barSettings();
    void firstActivation();
    void barAlreadyHoldingValue();
    void intervalRounding_data();
    void intervalRounding();
    void intervalKeptWhenBarHoldsIt();
    void outOfRange();
    void styleBarDragRedraws();
    void intervalTakenOnRelease();
    void paletteClick_data();
    void paletteClick();
    void pickLeftOfPaletteIgnored();
    void hiding_data();
    void hiding();
    void otherWindowDoesNotHide();
};

void TestProperties::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1" << QRect(240, 360, 1332, 252) << "Line thickness:";
    QTest::newRow("scrlLineThick") << "scrlLineThick" << QRect(1680, 360, 2172, 252) << "";
    QTest::newRow("lblLineThick") << "lblLineThick" << QRect(3960, 360, 372, 252) << "";
    QTest::newRow("Label2") << "Label2" << QRect(240, 720, 1332, 252) << "Circle thickness:";
    QTest::newRow("scrlCircleThick") << "scrlCircleThick" << QRect(1680, 720, 2172, 252) << "";
    QTest::newRow("lblCircleThick") << "lblCircleThick" << QRect(3960, 720, 372, 252) << "";
    QTest::newRow("Label3") << "Label3" << QRect(240, 1080, 1332, 252) << "Circle radius:";
    QTest::newRow("scrlCircleRadius") << "scrlCircleRadius" << QRect(1680, 1080, 2172, 252) << "";
    QTest::newRow("lblCircleRadius") << "lblCircleRadius" << QRect(3960, 1080, 372, 252) << "";
    QTest::newRow("piccolor") << "piccolor" << QRect(1680, 1440, 2184, 744) << "";
    QTest::newRow("Label4") << "Label4" << QRect(240, 1680, 1332, 252) << "Draw color:";
    QTest::newRow("lblcolor") << "lblcolor" << QRect(3960, 1440, 372, 732) << "";
    QTest::newRow("picselcolor") << "picselcolor" << QRect(1680, 2280, 2184, 744) << "";
    QTest::newRow("Label5") << "Label5" << QRect(240, 2520, 1332, 252) << "Select color:";
    QTest::newRow("lblSelcolor") << "lblSelcolor" << QRect(3960, 2280, 372, 732) << "";
    QTest::newRow("Label6") << "Label6" << QRect(240, 3120, 1332, 252) << "Interval (seconds)";
    QTest::newRow("scrlinterval") << "scrlinterval" << QRect(1680, 3120, 2172, 252) << "";
    QTest::newRow("lblInterval") << "lblInterval" << QRect(3960, 3120, 372, 252) << "";
    QTest::newRow("btnClose") << "btnClose" << QRect(240, 3600, 1332, 372) << "&Close";
}

void TestProperties::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    Fixture f;
    QCOMPARE(f.dlg->objectName(), QString("frmProperties"));
    QCOMPARE(f.dlg->windowTitle(), QString("Pathwright - Properties"));
    QCOMPARE(f.dlg->size(), QSize(381, 341));
    QWidget* w = f.dlg->findChild<QWidget*>(name);
    QVERIFY(w);
    QCOMPARE(w->geometry(), QRect(twips.x() / 12, twips.y() / 12, twips.width() / 12, twips.height() / 12));
    if (auto* l = qobject_cast<QLabel*>(w)) QCOMPARE(l->text(), text);
    if (auto* b = qobject_cast<QPushButton*>(w)) QCOMPARE(b->text(), text);
}

void TestProperties::tabOrder() {
    Fixture f;
    QVERIFY(f.activate());
    QStringList order;
    QWidget* w = f.bar("scrlLineThick");
    QCOMPARE(QApplication::focusWidget(), w);
    do {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
    } while (w != f.bar("scrlLineThick"));
    QCOMPARE(order, QStringList({"scrlLineThick", "scrlCircleThick", "scrlCircleRadius", "piccolor",
                                 "picselcolor", "scrlinterval", "btnClose"}));
}

void TestProperties::barSettings_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("tracking");
    QTest::newRow("line") << "scrlLineThick" << 9 << 1 << true;
    QTest::newRow("circle") << "scrlCircleThick" << 9 << 1 << true;
    QTest::newRow("radius") << "scrlCircleRadius" << 13 << 1 << true;
    QTest::newRow("interval") << "scrlinterval" << 100 << 10 << false;
}

void TestProperties::barSettings() {
    QFETCH(QString, name);
    Fixture f;
    QScrollBar* bar = f.bar(name.toLatin1());
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QCOMPARE(bar->minimum(), 1);
    QTEST(bar->maximum(), "max");
    QCOMPARE(bar->singleStep(), 1);
    QTEST(bar->pageStep(), "page");
    QTEST(bar->hasTracking(), "tracking");
    QCOMPARE(bar->value(), 1);  // before the first activation
}

void TestProperties::firstActivation() {
    Fixture f;
    QVERIFY(f.activate());
    QCOMPARE(f.bar("scrlLineThick")->value(), 5);
    QCOMPARE(f.bar("scrlCircleThick")->value(), 3);
    QCOMPARE(f.bar("scrlCircleRadius")->value(), 10);
    QCOMPARE(f.bar("scrlinterval")->value(), 20);
    QCOMPARE(f.text("lblLineThick"), QString("5"));
    QCOMPARE(f.text("lblCircleThick"), QString("3"));
    QCOMPARE(f.text("lblCircleRadius"), QString("10"));
    QCOMPARE(f.text("lblInterval"), QString("2"));
    QCOMPARE(f.refreshes, 3);  // one redraw per style bar that moved
    QCOMPARE(f.ws.st.interval, 2.0);
    QCOMPARE(f.ws.st.delay, 29.97 * 2.0);
    QCOMPARE(background(f.child<QLabel>("lblcolor")), QColor(255, 0, 0));
    QCOMPARE(background(f.child<QLabel>("lblSelcolor")), QColor(255, 255, 0));
    // Both palettes are drawn and shown.
    for (const char* name : {"piccolor", "picselcolor"}) {
        const QImage shown = f.child<QWidget>(name)->grab().toImage();
        QCOMPARE(shown.pixelColor(65, 45), QColor(0, 128, 255));
        QCOMPARE(shown.pixelColor(179, 59), QColor(255, 255, 255));
    }
    // Activating again with nothing changed moves no bar and redraws nothing.
    QVERIFY(f.reactivate());
    QCOMPARE(f.refreshes, 3);
}

void TestProperties::barAlreadyHoldingValue() {
    Fixture f;
    f.ws.st.linethick = 1;
    QVERIFY(f.activate());
    QCOMPARE(f.text("lblLineThick"), QString("1"));
    QCOMPARE(f.refreshes, 2);
}

void TestProperties::intervalRounding_data() {
    QTest::addColumn<double>("interval");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("label");
    QTest::newRow("2.25") << 2.25 << 22 << "2.2";
    QTest::newRow("2.35") << 2.35 << 24 << "2.4";
    QTest::newRow("0.3") << 0.3 << 3 << "0.3";
    QTest::newRow("10") << 10.0 << 100 << "10";
}

void TestProperties::intervalRounding() {
    QFETCH(double, interval);
    QFETCH(int, bar);
    Fixture f;
    f.ws.st.interval = interval;
    QVERIFY(f.activate());
    QTEST(f.bar("scrlinterval")->value(), "bar");
    QTEST(f.text("lblInterval"), "label");
    QCOMPARE(f.ws.st.interval, bar / 10.0);
    QCOMPARE(f.ws.st.delay, 29.97 * (bar / 10.0));
}

void TestProperties::intervalKeptWhenBarHoldsIt() {
    Fixture f;
    f.ws.st.interval = 2.2;
    QVERIFY(f.activate());
    f.ws.st.interval = 2.25;  // as a project file could set it
    QVERIFY(f.reactivate());
    QCOMPARE(f.bar("scrlinterval")->value(), 22);
    QCOMPARE(f.ws.st.interval, 2.25);
    QCOMPARE(f.text("lblInterval"), QString("2.2"));
}

void TestProperties::outOfRange() {
    Fixture f;
    f.ws.st.linethick = 20;
    f.ws.st.circlethick = -3;
    f.ws.st.circleradius = 32767;
    f.ws.st.interval = 0.01;
    QVERIFY(f.activate());
    QCOMPARE(f.bar("scrlLineThick")->value(), 9);
    QCOMPARE(f.bar("scrlCircleThick")->value(), 1);
    QCOMPARE(f.bar("scrlCircleRadius")->value(), 13);
    QCOMPARE(f.bar("scrlinterval")->value(), 1);
    QCOMPARE(f.text("lblLineThick"), QString("20"));
    QCOMPARE(f.text("lblCircleThick"), QString("-3"));
    QCOMPARE(f.text("lblCircleRadius"), QString("32767"));
    QCOMPARE(f.text("lblInterval"), QString("0.01"));
    QCOMPARE(f.ws.st.linethick, 20);
    QCOMPARE(f.ws.st.circlethick, -3);
    QCOMPARE(f.ws.st.circleradius, 32767);
    QCOMPARE(f.ws.st.interval, 0.01);
    // The user's move takes over.
    f.bar("scrlLineThick")->setFocus();
    QTest::keyClick(f.bar("scrlLineThick"), Qt::Key_Left);
    QCOMPARE(f.ws.st.linethick, 8);
    QCOMPARE(f.text("lblLineThick"), QString("8"));
}

void TestProperties::styleBarDragRedraws() {
    Fixture f;
    QVERIFY(f.activate());
    QScrollBar* bar = f.bar("scrlCircleRadius");
    const int before = f.refreshes;
    // Dragging the thumb leftwards: every value it passes reaches the field at once.
    QPoint at = thumbCentre(bar);
    QTest::mousePress(bar, Qt::LeftButton, {}, at);
    QList<int> seen{bar->value()};
    while (bar->value() > 4 && at.x() > 0) {
        at.rx() -= 2;
        QTest::mouseMove(bar, at);
        if (seen.last() != bar->value()) seen << bar->value();
        QCOMPARE(f.ws.st.circleradius, bar->value());
        QCOMPARE(f.text("lblCircleRadius"), QString::number(bar->value()));
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
    QCOMPARE(seen, QList<int>({10, 9, 8, 7, 6, 5, 4}));
    QCOMPARE(f.refreshes - before, 6);
    // The route on the map has the radius of 4.
    QCOMPARE(f.ws.map.image().pixelColor(104, 100), QColor(255, 0, 0));
}

void TestProperties::intervalTakenOnRelease() {
    Fixture f;
    QVERIFY(f.activate());
    QScrollBar* bar = f.bar("scrlinterval");
    QPoint at = thumbCentre(bar);
    QTest::mousePress(bar, Qt::LeftButton, {}, at);
    for (int i = 0; i < 20; ++i) {
        at.rx() += 3;
        QTest::mouseMove(bar, at);
        QCOMPARE(f.ws.st.interval, 2.0);
        QCOMPARE(f.text("lblInterval"), QString("2"));
    }
    QVERIFY(bar->sliderPosition() > 30);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
    QCOMPARE(bar->value(), bar->sliderPosition());
    QCOMPARE(f.ws.st.interval, bar->value() / 10.0);
    QCOMPARE(f.text("lblInterval"), intervalText(bar->value()));
    // A click on the bar's trough right of the thumb pages by 10 and is taken at once.
    const int dragged = bar->value();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 25, bar->height() / 2));
    QCOMPARE(bar->value(), dragged + 10);
    QCOMPARE(f.ws.st.interval, (dragged + 10) / 10.0);
    QCOMPARE(f.ws.st.delay, 29.97 * f.ws.st.interval);
}

void TestProperties::paletteClick_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("route 65,45") << "piccolor" << QPoint(65, 45) << QColor(0, 128, 255);
    QTest::newRow("route 1,1") << "piccolor" << QPoint(1, 1) << QColor(0, 0, 0);
    QTest::newRow("route beyond grid") << "piccolor" << QPoint(181, 61) << QColor(0, 255, 255);
    QTest::newRow("highlight 125,25") << "picselcolor" << QPoint(125, 25) << QColor(0, 255, 128);
}

void TestProperties::paletteClick() {
    QFETCH(QString, box);
    QFETCH(QPoint, pos);
    QFETCH(QColor, colour);
    Fixture f;
    f.ws.st.selected = 1;
    QVERIFY(f.activate());
    const int before = f.refreshes;
    QTest::mouseClick(f.child<QWidget>(box.toLatin1()), Qt::LeftButton, {}, pos);
    QCOMPARE(f.refreshes, before + 1);
    const bool route = box == "piccolor";
    const qint32 want = rgb(colour.red(), colour.green(), colour.blue());
    QCOMPARE(route ? f.ws.st.color : f.ws.st.selcolor, want);
    QCOMPARE(background(f.child<QLabel>(route ? "lblcolor" : "lblSelcolor")), colour);
    // Point 0's circle is in the route colour, point 1's in the highlight colour.
    QCOMPARE(f.ws.map.image().pixelColor(route ? 90 : 290, 100), colour);
}

void TestProperties::pickLeftOfPaletteIgnored() {
    Fixture f;
    QVERIFY(f.activate());
    QWidget* box = f.child<QWidget>("piccolor");
    const int before = f.refreshes;
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(-5, 10));
    QTest::mousePress(box, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseRelease(box, Qt::RightButton, {}, QPoint(10, -1));
    QCOMPARE(f.ws.st.color, rgb(255, 0, 0));
    QCOMPARE(f.refreshes, before);
    // Any button picks.
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(65, 45));
    QCOMPARE(f.ws.st.color, rgb(0, 128, 255));
}

void TestProperties::hiding_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Close clicked") << "click";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Escape") << "escape";
}

void TestProperties::hiding() {
    QFETCH(QString, way);
    Fixture f;
    QVERIFY(f.activate());
    QPointer<PropertiesDialog> alive(f.dlg.get());
    if (way == "click") QTest::mouseClick(f.child<QPushButton>("btnClose"), Qt::LeftButton);
    if (way == "enter") QTest::keyClick(f.bar("scrlLineThick"), Qt::Key_Return);
    if (way == "escape") QTest::keyClick(f.bar("scrlLineThick"), Qt::Key_Escape);
    QVERIFY(!f.dlg->isVisible());
    QVERIFY(alive);
    QCOMPARE(f.ws.st.linethick, 5);  // hiding changes nothing
    // Shown again, it keeps its state.
    QVERIFY(f.activate());
    QCOMPARE(f.bar("scrlLineThick")->value(), 5);
}

void TestProperties::otherWindowDoesNotHide() {
    Fixture f;
    QVERIFY(f.activate());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(f.dlg->isVisible());
}

QTEST_MAIN(TestProperties)
#include "test_properties.moc"
