// The properties dialog driven as a user would: activation, scroll bars, palette clicks and the
// ways to hide it.

#include "settings/PropertiesDialog.h"
#include "shell/EditHistory.h"
#include "support/Route.h"
#include "support/StartedWorkspace.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// A dialog over a started-up workspace with a two-point route; it counts the repaints its
// edits ask for.
struct Fixture : StartedWorkspace {
    EditHistory history{ws};
    int refreshes = 0;
    std::unique_ptr<PropertiesDialog> dlg;
    Fixture() {
        setRoute(ws.st, "100,100 300,100");
        QObject::connect(&history, &EditHistory::changed, [this] { ++refreshes; });
        dlg = std::make_unique<PropertiesDialog>(ws, history);
    }
    template <class T = QWidget> T* child(const QString& name) {
        T* w = dlg->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QScrollBar* bar(const QString& name) { return child<QScrollBar>(name); }
    QString text(const char* name) { return child<QLabel>(name)->text(); }
    // "value:label" of the line, circle, radius and interval bars.
    QString shown() {
        const char* bars[] = {"scrlLineThick", "scrlCircleThick", "scrlCircleRadius", "scrlinterval"};
        const char* labels[] = {"lblLineThick", "lblCircleThick", "lblCircleRadius", "lblInterval"};
        QStringList s;
        for (int i = 0; i < 4; ++i)
            s << QString("%1:%2").arg(bar(bars[i])->value()).arg(text(labels[i]));
        return s.join(' ');
    }
    // Line, circle, radius, interval and delay.
    QString fields() {
        const ProjectState& st = ws.st;
        return QString("%1 %2 %3 %4 %5")
            .arg(st.linethick)
            .arg(st.circlethick)
            .arg(st.circleradius)
            .arg(st.interval)
            .arg(st.delay);
    }
    bool activate() {
        dlg->show();
        dlg->activateWindow();
        return QTest::qWaitForWindowActive(dlg.get());
    }
};

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
    // The first activation fills the dialog from the fields: each bar that moves runs its
    // handler (a style bar redraws, the interval bar rounds the interval); a field outside its
    // bar's range shows its true value and stays until the user moves the bar.
    void firstActivation_data() {
        QTest::addColumn<QString>("fields"); // line, circle, radius, interval, delay
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("refreshes");
        const auto row = [](const char* tag, const char* set, const char* shown, const char* after, int n) {
            QTest::newRow(tag) << QString(set) << QString(shown) << QString(after) << n;
        };
        // The line bar already stands at 1 and does not move; the circle bar shows its top end.
        row("line at 1, circle beyond", "1 20 10 2 59.94", "1:1 9:20 10:10 20:2", "1 20 10 2 59.94", 3);
        row("2.25 to even", "5 3 10 2.25 0", "5:5 3:3 10:10 22:2.2", "5 3 10 2.2 65.934", 4);
        row("out of range", "20 -3 32767 0.01 0", "9:20 1:-3 13:32767 1:0.01", "20 -3 32767 0.01 0", 2);
    }
    void firstActivation() {
        QFETCH(QString, fields);
        Fixture f;
        ProjectState& st = f.ws.st;
        const QStringList v = fields.split(' ');
        st.linethick = qint16(v[0].toInt());
        st.circlethick = qint16(v[1].toInt());
        st.circleradius = qint16(v[2].toInt());
        st.interval = v[3].toDouble();
        st.delay = v[4].toDouble();
        QVERIFY(f.activate());
        QTEST(f.shown(), "shown");
        QTEST(f.fields(), "after");
        QTEST(f.refreshes, "refreshes");
        QCOMPARE(background(f.child<QLabel>("lblcolor")), QColor(255, 0, 0));
        QCOMPARE(background(f.child<QLabel>("lblSelcolor")), QColor(255, 255, 0));
        // The user's move takes over.
        QScrollBar* line = f.bar("scrlLineThick");
        QTest::keyClick(line, Qt::Key_Left);
        QCOMPARE(int(st.linethick), line->value());
        QCOMPARE(f.text("lblLineThick"), QString::number(line->value()));
    }

    // Dragging a style bar's thumb: every value it passes reaches the field and the map at once,
    // and the whole drag undoes as one step.
    void styleBarDragRedraws() {
        Fixture f;
        QVERIFY(f.activate());
        QScrollBar* bar = f.bar("scrlCircleRadius");
        const int before = f.refreshes;
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
        QCOMPARE(f.ws.map.image().pixelColor(104, 100), QColor(255, 0, 0)); // the ring at radius 4
        f.history.stack().undo();
        QCOMPARE(f.ws.st.circleradius, 10);
        QCOMPARE(f.shown(), QString("5:5 3:3 10:10 20:2"));
        QVERIFY(!f.history.stack().canUndo());
    }

    // The interval bar's thumb is taken on release; a click on its trough pages by 10 at once.
    void intervalTakenOnRelease() {
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
        const int dragged = bar->value();
        QCOMPARE(dragged, bar->sliderPosition());
        QCOMPARE(f.ws.st.interval, dragged / 10.0);
        QCOMPARE(f.text("lblInterval"), intervalText(dragged));
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 25, bar->height() / 2));
        QCOMPARE(bar->value(), dragged + 10);
        QCOMPARE(f.ws.st.interval, (dragged + 10) / 10.0);
        QCOMPARE(f.ws.st.delay, 29.97 * f.ws.st.interval);
    }

    // A pick is taken where the button is released, with any button; released left of or
    // above the palette it is ignored. Point 1 is selected, so its circle shows the highlight.
    void paletteClick_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("right button")
            << "piccolor" << Qt::RightButton << QPoint(125, 25) << QColor(0, 255, 128);
        QTest::newRow("highlight") << "picselcolor" << Qt::LeftButton << QPoint(125, 25)
                                   << QColor(0, 255, 128);
        QTest::newRow("released above")
            << "piccolor" << Qt::RightButton << QPoint(10, -1) << QColor(255, 0, 0);
    }
    void paletteClick() {
        QFETCH(QString, box);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, release);
        QFETCH(QColor, colour);
        Fixture f;
        f.ws.st.selected = 1;
        QVERIFY(f.activate());
        QTest::mousePress(f.child(box), button, {}, QPoint(10, 10));
        QTest::mouseRelease(f.child(box), button, {}, release);
        const bool route = box == "piccolor";
        QCOMPARE(route ? f.ws.st.color : f.ws.st.selcolor, rgb(colour.red(), colour.green(), colour.blue()));
        QCOMPARE(background(f.child<QLabel>(route ? "lblcolor" : "lblSelcolor")), colour);
        QCOMPARE(f.ws.map.image().pixelColor(route ? 90 : 290, 100), colour);
    }

    // Beside each palette, any colour through the colour dialog, as one step; Cancel keeps it.
    void anyColour_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("draw") << "btnColor" << true << QColor(18, 52, 86);
        QTest::newRow("select") << "btnSelColor" << true << QColor(200, 100, 7);
        QTest::newRow("cancelled") << "btnColor" << false << QColor(255, 0, 0);
    }
    void anyColour() {
        QFETCH(QString, button);
        QFETCH(bool, accept);
        QFETCH(QColor, colour);
        Fixture f;
        f.ws.st.selected = 1;
        QVERIFY(f.activate());
        QTimer::singleShot(50, [&] {
            auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->setCurrentColor(colour);
            accept ? d->accept() : d->reject();
        });
        QTest::mouseClick(f.child<QPushButton>(button), Qt::LeftButton);
        const bool route = button == "btnColor";
        QCOMPARE(route ? f.ws.st.color : f.ws.st.selcolor, rgb(colour.red(), colour.green(), colour.blue()));
        QCOMPARE(background(f.child<QLabel>(route ? "lblcolor" : "lblSelcolor")), colour);
        QCOMPARE(f.ws.map.image().pixelColor(route ? 90 : 290, 100), colour);
        QCOMPARE(f.history.stack().count(), accept ? 1 : 0);
    }

    // The travel film's controls: each sets its key as one step, and an undo shows the old value again.
    void filmControls_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value"); // a combo box's index, a number, or text
        QTest::addColumn<QString>("state");
        QTest::newRow("way of travel") << "cboMode"
                                       << "7"
                                       << "plane";
        QTest::newRow("line style") << "cboLineStyle"
                                    << "1"
                                    << "dashed";
        QTest::newRow("sizes") << "cboStyleScale"
                               << "1"
                               << "frame";
        QTest::newRow("glow") << "spinGlow"
                              << "6"
                              << "6";
        QTest::newRow("tail") << "spinTail"
                              << "2.5"
                              << "2.5";
        QTest::newRow("title typed") << "txtTitle"
                                     << "Across the Alps"
                                     << "Across the Alps";
        QTest::newRow("title position") << "cboTitlePosition"
                                        << "1"
                                        << "bottom";
    }
    void filmControls() {
        QFETCH(QString, control);
        QFETCH(QString, value);
        QFETCH(QString, state);
        Fixture f;
        QVERIFY(f.activate());
        const ProjectState& st = f.ws.st;
        auto field = [&] {
            const QString all[] = {st.mode,
                                   st.linestyle,
                                   st.stylescale,
                                   QString::number(st.glow),
                                   QString::number(st.tail),
                                   st.titletext,
                                   st.titleposition};
            const QStringList names{"cboMode",  "cboLineStyle", "cboStyleScale",   "spinGlow",
                                    "spinTail", "txtTitle",     "cboTitlePosition"};
            return all[names.indexOf(control)];
        };
        const QString before = field();
        QWidget* w = f.child(control);
        if (auto* box = qobject_cast<QComboBox*>(w)) box->setCurrentIndex(value.toInt());
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
            spin->selectAll();
            QTest::keyClicks(spin, value);
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w)) QTest::keyClicks(edit, value);
        QCOMPARE(field(), state);
        QCOMPARE(f.history.stack().count(), 1);
        f.history.stack().undo();
        QCOMPARE(field(), before);
        if (auto* box = qobject_cast<QComboBox*>(w)) QCOMPARE(box->currentIndex(), 0);
    }

    // Close, Enter and Escape hide the dialog without closing it; another window taking the
    // focus does not hide it. Coming back with the bars already right moves none, redraws
    // nothing and leaves an interval of 2.25 s as it is.
    void hidingAndComingBack_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<bool>("hides");
        QTest::newRow("Close clicked") << 0 << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("another window only") << -1 << false;
    }
    void hidingAndComingBack() {
        QFETCH(int, way);
        Fixture f;
        f.ws.st.interval = 2.2;
        QVERIFY(f.activate());
        f.ws.st.interval = 2.25; // as a project file could set it
        QPointer<PropertiesDialog> alive(f.dlg.get());
        if (way > 0) QTest::keyClick(f.bar("scrlLineThick"), Qt::Key(way));
        if (way == 0) QTest::mouseClick(f.child<QPushButton>("btnClose"), Qt::LeftButton);
        QWidget other; // then another window takes the focus, so coming back activates anew
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(alive);
        QTEST(!f.dlg->isVisible(), "hides");
        QVERIFY(f.activate());
        QCOMPARE(f.refreshes, 4);
        QCOMPARE(f.shown(), QString("5:5 3:3 10:10 22:2.2"));
        QCOMPARE(f.fields(), QString("5 3 10 2.25 65.934"));
    }
};

QTEST_MAIN(TestProperties)
#include "test_properties.moc"
