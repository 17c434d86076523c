// The render dialog and the preview in the main window: layout, the dialog opening at
// `renderpath`, renders from the event loop, one animation at a time, and failures reported.
#include "animation/AnimationCommands.h"
#include "animation/RenderDialog.h"
#include "shell/DirectoryList.h"
#include "shell/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class RenderDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;
    AnimationCommands* anim = nullptr;

    RenderDialog* openDialog() {
        QTest::mouseClick(w->findChild<QPushButton*>("btnRender"), Qt::LeftButton);
        return anim->renderDialog();
    }
    QLabel* mainLabel() { return w->findChild<QWidget*>("Picture1")->findChild<QLabel*>("lblFrame"); }
    void setRoute(std::initializer_list<QPoint> points) {
        ProjectState& st = w->workspace().st;
        st.listmax = qint16(points.size());
        int i = 0;
        for (QPoint p : points) {
            st.pointx[i] = qint16(p.x());
            st.pointy[i++] = qint16(p.y());
        }
    }
    // Sets directory and name in the dialog and presses its Render button.
    void render(RenderDialog* d, const QString& outDir, const QString& name) {
        d->findChild<DirectoryList*>("Dir1")->setPath(outDir);
        d->findChild<QLineEdit*>("txtName")->setText(name);
        QTest::mouseClick(d->findChild<QPushButton*>("btnRender"), Qt::LeftButton);
    }
    QMessageBox* messageBox() {
        for (QMessageBox* b : w->findChildren<QMessageBox*>())
            if (b->isVisible()) return b;
        return nullptr;
    }

  private slots:
    void init() {
        w = new MainWindow(dir.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        anim = w->findChild<AnimationCommands*>();
        QVERIFY(anim);
    }
    void cleanup() { delete w; }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("path box") << "Drive1" << QRect(10, 10, 311, 24) << "";
        QTest::newRow("directories") << "Dir1" << QRect(10, 40, 311, 96) << "";
        QTest::newRow("name") << "txtName" << QRect(10, 150, 311, 24) << "";
        QTest::newRow("render") << "btnRender" << QRect(10, 190, 111, 31) << "&Render";
        QTest::newRow("cancel") << "btnCancel" << QRect(130, 190, 111, 31) << "&Cancel";
        QTest::newRow("frame") << "lblFrame" << QRect(250, 190, 71, 31) << "Frame";
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        RenderDialog* d = openDialog();
        QVERIFY(d && d->isVisible());
        QCOMPARE(d->windowTitle(), QString("Pathwright - Render"));
        QWidget* c = d->findChild<QWidget*>(name);
        QVERIFY(c);
        QCOMPARE(c->geometry(), geometry);
        if (auto* b = qobject_cast<QPushButton*>(c)) QCOMPARE(b->text(), text);
        if (auto* l = qobject_cast<QLabel*>(c)) QCOMPARE(l->text(), text);
        QVERIFY(d->findChild<QPushButton*>("btnRender")->isDefault());
    }

    void opensAtRenderpath() {
        const QString out = dir.filePath("frames");
        QVERIFY(QDir().mkpath(out));
        w->workspace().st.renderpath = out; // as a project file may hold it: no separator
        RenderDialog* d = openDialog();
        d->Form_Activate();
        QCOMPARE(d->findChild<DirectoryList*>("Dir1")->path(), out);
        QCOMPARE(d->findChild<QLineEdit*>("Drive1")->text(), out);
        QCOMPARE(w->workspace().st.renderpath, out);
    }

    void rendersFromTheEventLoop() {
        setRoute({{20, 50}, {120, 50}});
        w->btnPAL_Click(); // delay 50: frames 0000 to 0053
        RenderDialog* d = openDialog();
        render(d, dir.path(), "tour");
        QVERIFY(anim->rendering()); // the click returned while the render runs
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        const QStringList files = QDir(dir.path()).entryList({"tour*.bmp"}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 54);
        QCOMPARE(files.last(), QString("tour0053.bmp"));
        QCOMPARE(mainLabel()->text(), QString("0053"));
        QCOMPARE(d->findChild<QLabel*>("lblFrame")->text(), QString("0053"));
        QVERIFY(!d->isVisible());
        QCOMPARE(w->workspace().st.rendername, QString("tour"));
        QCOMPARE(w->workspace().st.renderpath, dir.path() + "/");
    }

    void previewCountsToTheRenderedLastFrame() {
        setRoute({{20, 50}, {120, 50}});
        w->btnPAL_Click();
        QTest::mouseClick(w->findChild<QPushButton*>("btnRoute"), Qt::LeftButton);
        QCOMPARE(anim->timerRoute()->interval(), 40);
        QTRY_COMPARE_WITH_TIMEOUT(mainLabel()->text(), QString("0053"), 10000);
        QVERIFY(!anim->previewing());
    }

    void redrawCutsThePreviewLegShort() {
        setRoute({{20, 50}, {420, 50}, {420, 250}});
        w->btnPAL_Click();
        QTest::mouseClick(w->findChild<QPushButton*>("btnRoute"), Qt::LeftButton);
        QTRY_VERIFY(w->workspace().st.framecount >= 5);
        w->btnRedraw_Click();
        QVERIFY(!w->workspace().st.waiting);
        // Once the redraw is done, the second leg starts from its own start point.
        QTRY_VERIFY(w->workspace().st.waiting);
        QCOMPARE(w->workspace().st.legdir, QString("0+"));
        QVERIFY(anim->timerRoute()->isActive());
        QVERIFY(w->workspace().st.cury < 50 + 4 * 10);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->previewing(), 10000);
    }

    void oneAnimationAtATime() {
        setRoute({{20, 50}, {400, 50}});
        QTest::mouseClick(w->findChild<QPushButton*>("btnRoute"), Qt::LeftButton);
        QVERIFY(anim->previewing());
        RenderDialog* d = openDialog();
        render(d, dir.path(), "busy");
        QVERIFY(!anim->rendering());
        QVERIFY(w->workspace().st.rendername.isEmpty()); // Render did nothing at all
        QCOMPARE(QDir(dir.path()).entryList({"busy*"}).size(), 0);
        w->btnRedraw_Click();
        QTRY_VERIFY_WITH_TIMEOUT(!anim->previewing(), 10000);
        render(d, dir.path(), "busy");
        QVERIFY(anim->rendering());
        QTest::mouseClick(w->findChild<QPushButton*>("btnRoute"), Qt::LeftButton);
        QVERIFY(!anim->previewing());
        render(d, dir.path(), "again");
        QCOMPARE(w->workspace().st.rendername, QString("busy"));
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        QCOMPARE(QDir(dir.path()).entryList({"again*"}).size(), 0);
    }

    void failureIsReported_data() {
        QTest::addColumn<bool>("withPoints");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing directory") << true << "tour0000.bmp";
        QTest::newRow("no points") << false << "no points";
    }
    void failureIsReported() {
        QFETCH(bool, withPoints);
        QFETCH(QString, expected);
        if (withPoints) setRoute({{20, 50}, {120, 50}});
        RenderDialog* d = openDialog();
        d->findChild<QLineEdit*>("txtName")->setText("tour");
        const QString gone = dir.filePath("gone");
        QVERIFY(QDir().mkpath(gone));
        d->findChild<DirectoryList*>("Dir1")->setPath(gone);
        QVERIFY(QDir(gone).removeRecursively());
        QTest::mouseClick(d->findChild<QPushButton*>("btnRender"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        QTRY_VERIFY(messageBox());
        QVERIFY2(messageBox()->text().contains(expected), qPrintable(messageBox()->text()));
        messageBox()->close();
    }
};

QTEST_MAIN(RenderDialogTest)
#include "test_render_dialog.moc"
