// The properties dialog driven as a user would: activation, scroll bars, palette clicks and
// the ways to hide it.

#include "support/PropertiesFixture.h"

#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

QColor background(QLabel* l) {
    return l->palette().color(QPalette::Window);
}

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

} // namespace

class TestProperties : public QObject {
    Q_OBJECT
  private slots:
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

void TestProperties::firstActivation() {
    PropertiesFixture f;
    QVERIFY(f.activate());
    QCOMPARE(f.bar("scrlLineThick")->value(), 5);
    QCOMPARE(f.bar("scrlCircleThick")->value(), 3);
    QCOMPARE(f.bar("scrlCircleRadius")->value(), 10);
    QCOMPARE(f.bar("scrlinterval")->value(), 20);
    QCOMPARE(f.text("lblLineThick"), QString("5"));
    QCOMPARE(f.text("lblCircleThick"), QString("3"));
    QCOMPARE(f.text("lblCircleRadius"), QString("10"));
    QCOMPARE(f.text("lblInterval"), QString("2"));
    QCOMPARE(f.refreshes, 3); // one redraw per style bar that moved
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
    PropertiesFixture f;
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
    PropertiesFixture f;
    f.ws.st.interval = interval;
    QVERIFY(f.activate());
    QTEST(f.bar("scrlinterval")->value(), "bar");
    QTEST(f.text("lblInterval"), "label");
    QCOMPARE(f.ws.st.interval, bar / 10.0);
    QCOMPARE(f.ws.st.delay, 29.97 * (bar / 10.0));
}

void TestProperties::intervalKeptWhenBarHoldsIt() {
    PropertiesFixture f;
    f.ws.st.interval = 2.2;
    QVERIFY(f.activate());
    f.ws.st.interval = 2.25; // as a project file could set it
    QVERIFY(f.reactivate());
    QCOMPARE(f.bar("scrlinterval")->value(), 22);
    QCOMPARE(f.ws.st.interval, 2.25);
    QCOMPARE(f.text("lblInterval"), QString("2.2"));
}

void TestProperties::outOfRange() {
    PropertiesFixture f;
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
    PropertiesFixture f;
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
    PropertiesFixture f;
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
    PropertiesFixture f;
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
    PropertiesFixture f;
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
    PropertiesFixture f;
    QVERIFY(f.activate());
    QPointer<PropertiesDialog> alive(f.dlg.get());
    if (way == "click") QTest::mouseClick(f.child<QPushButton>("btnClose"), Qt::LeftButton);
    if (way == "enter") QTest::keyClick(f.bar("scrlLineThick"), Qt::Key_Return);
    if (way == "escape") QTest::keyClick(f.bar("scrlLineThick"), Qt::Key_Escape);
    QVERIFY(!f.dlg->isVisible());
    QVERIFY(alive);
    QCOMPARE(f.ws.st.linethick, 5); // hiding changes nothing
    // Shown again, it keeps its state.
    QVERIFY(f.activate());
    QCOMPARE(f.bar("scrlLineThick")->value(), 5);
}

void TestProperties::otherWindowDoesNotHide() {
    PropertiesFixture f;
    QVERIFY(f.activate());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(f.dlg->isVisible());
}

QTEST_MAIN(TestProperties)
#include "test_properties.moc"
