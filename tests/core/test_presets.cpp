// Export presets: what each sets, the region's rate, and the warning for a video longer than the
// place takes.
#include "settings/ExportPresets.h"
#include "support/StartedWorkspace.h"

#include <QGuiApplication>
#include <QtTest>

class PresetsTest : public QObject {
    Q_OBJECT
  private slots:
    void setsWhatItSays_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("fps25");
        QTest::addColumn<QString>("set"); // width height fps kind quality
        QTest::newRow("YouTube 1080p, 29.97 region") << "youtube-1080" << false << "1920 1080 29.97 mp4 high";
        QTest::newRow("YouTube 4K, 25 region") << "YOUTUBE-4K" << true << "3840 2160 25 mp4 high";
        QTest::newRow("Reel: vertical at 30 anywhere") << "reel" << true << "1080 1920 30 mp4 standard";
        QTest::newRow("TikTok") << "tiktok" << false << "1080 1920 30 mp4 standard";
        QTest::newRow("square") << "square" << false << "1080 1080 30 mp4 standard";
        QTest::newRow("overlay keeps the project's format")
            << "overlay" << true << "654 480 29.97 mov-alpha high";
        // 720 wide in the project's proportions, the height rounded to even.
        QTest::newRow("web GIF of NTSC") << "web-gif" << true << "720 528 15 gif standard";
        QTest::newRow("web WebP of 1080p") << "youtube-1080, web-webp" << false << "720 406 15 webp standard";
        QTest::newRow("web GIF of vertical") << "reel, web-gif" << false << "720 1280 15 gif standard";
    }
    void setsWhatItSays() {
        QFETCH(QString, id);
        QFETCH(bool, fps25);
        StartedWorkspace s;                         // NTSC
        for (const QString& one : id.split(", ")) { // in turn
            const ExportPreset* preset = findExportPreset(one);
            QVERIFY(preset);
            applyExportPreset(s.ws, *preset, fps25);
        }
        const ProjectState& st = s.ws.st;
        QTEST(QString("%1 %2 %3 %4 %5")
                  .arg(st.framewidth)
                  .arg(st.frameheight)
                  .arg(st.fps)
                  .arg(st.renderformat, st.renderquality),
              "set");
        QCOMPARE(QSize(s.ws.map.width(), s.ws.map.height()), QSize(st.framewidth, st.frameheight));
        QCOMPARE(st.delay, st.interval * st.fps);
    }

    void regionRate_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("fps25");
        QTest::newRow("Germany") << "de_DE" << true;
        QTest::newRow("Britain") << "en_GB" << true;
        QTest::newRow("United States") << "en_US" << false;
        QTest::newRow("Japan") << "ja_JP" << false;
        QTest::newRow("Argentina") << "es_AR" << true;
        QTest::newRow("Mexico") << "es_MX" << false;
    }
    void regionRate() {
        QFETCH(QString, locale);
        QTEST(twentyFiveRegion(QLocale(locale)), "fps25");
    }

    void lengthWarning_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("named"); // empty: no warning
        QTest::newRow("reel of 95 s") << "reel" << 95.0 << "lasts 95.0 s; Instagram Reel takes at most 90 s";
        QTest::newRow("reel of 90 s") << "reel" << 90.0 << "";
        QTest::newRow("YouTube of an hour") << "youtube-1080" << 3600.0 << "";
    }
    void lengthWarning() {
        QFETCH(QString, id);
        QFETCH(double, seconds);
        QFETCH(QString, named);
        const QString warning = presetLengthWarning(*findExportPreset(id), seconds);
        QVERIFY2(named.isEmpty() ? warning.isEmpty() : warning.contains(named), qPrintable(warning));
    }
};

QTEST_GUILESS_MAIN(PresetsTest)
#include "test_presets.moc"
