// The properties dialog as built: its controls with their places and captions, the settings
// of its scroll bars and the keyboard's tab order.

#include "support/PropertiesFixture.h"

#include <QApplication>
#include <QPushButton>

class TestPropertiesLayout : public QObject {
    Q_OBJECT
  private slots:
    void layout_data();
    void layout();
    void tabOrder();
    void barSettings_data();
    void barSettings();
};

void TestPropertiesLayout::layout_data() {
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

void TestPropertiesLayout::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    PropertiesFixture f;
    QCOMPARE(f.dlg->objectName(), QString("frmProperties"));
    QCOMPARE(f.dlg->windowTitle(), QString("Pathwright - Properties"));
    QCOMPARE(f.dlg->size(), QSize(381, 341));
    QWidget* w = f.dlg->findChild<QWidget*>(name);
    QVERIFY(w);
    QCOMPARE(w->geometry(), QRect(twips.x() / 12, twips.y() / 12, twips.width() / 12, twips.height() / 12));
    if (auto* l = qobject_cast<QLabel*>(w)) QCOMPARE(l->text(), text);
    if (auto* b = qobject_cast<QPushButton*>(w)) QCOMPARE(b->text(), text);
}

void TestPropertiesLayout::tabOrder() {
    PropertiesFixture f;
    QVERIFY(f.activate());
    QStringList order;
    QWidget* w = f.bar("scrlLineThick");
    QCOMPARE(QApplication::focusWidget(), w);
    do {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
    } while (w != f.bar("scrlLineThick"));
    QCOMPARE(order, QStringList({"scrlLineThick", "scrlCircleThick", "scrlCircleRadius", "piccolor",
                                 "picselcolor", "scrlinterval", "btnClose"}));
}

void TestPropertiesLayout::barSettings_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("tracking");
    QTest::newRow("line") << "scrlLineThick" << 9 << 1 << true;
    QTest::newRow("circle") << "scrlCircleThick" << 9 << 1 << true;
    QTest::newRow("radius") << "scrlCircleRadius" << 13 << 1 << true;
    QTest::newRow("interval") << "scrlinterval" << 100 << 10 << false;
}

void TestPropertiesLayout::barSettings() {
    QFETCH(QString, name);
    PropertiesFixture f;
    QScrollBar* bar = f.bar(name.toLatin1());
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QCOMPARE(bar->minimum(), 1);
    QTEST(bar->maximum(), "max");
    QCOMPARE(bar->singleStep(), 1);
    QTEST(bar->pageStep(), "page");
    QTEST(bar->hasTracking(), "tracking");
    QCOMPARE(bar->value(), 1); // before the first activation
}

QTEST_MAIN(TestPropertiesLayout)
#include "test_properties_layout.moc"
