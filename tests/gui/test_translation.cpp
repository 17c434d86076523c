// The German translation: every text of the .ts translated with its placeholders, line breaks and
// accelerators, the built .qm answering for its contexts, and the menus' accelerators unique.
#include "support/ShownWindow.h"

#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {
// The sorted %N placeholders, the line breaks and the accelerators of a text.
QStringList marks(const QString& text) {
    QStringList found;
    static const QRegularExpression mark("%\\d+|\\n|&(?!&)\\S");
    for (const auto& m : mark.globalMatch(text)) {
        const QString s = m.captured();
        found << (s.startsWith('&') ? QString("&") : s);
    }
    found.sort();
    return found;
}

QChar accelerator(const QString& text) {
    const qsizetype at = text.indexOf(QRegularExpression("&(?!&)"));
    return at < 0 || at + 1 >= text.size() ? QChar() : text.at(at + 1).toLower();
}
} // namespace

class TestTranslation : public QObject {
    Q_OBJECT
    QTranslator german;

  private slots:
    void initTestCase() {
        QVERIFY(german.load(TRANSLATIONS_DIR "/pathwright_de.qm"));
        QVERIFY(QCoreApplication::installTranslator(&german));
    }

    void entry_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("type");
        QFile ts(SOURCE_DIR "/translations/pathwright_de.ts");
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString context, source;
        int rows = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == u"name")
                context = xml.readElementText();
            else if (xml.name() == u"source")
                source = xml.readElementText();
            else if (xml.name() == u"translation") {
                const QString type = xml.attributes().value("type").toString();
                QTest::addRow("%s %d", qPrintable(context), ++rows)
                    << source << xml.readElementText() << type;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(rows > 400);
    }

    void entry() {
        QFETCH(QString, source);
        QFETCH(QString, translation);
        QFETCH(QString, type);
        QVERIFY2(type.isEmpty(), qPrintable(type + ": " + source));
        QVERIFY2(!translation.trimmed().isEmpty(), qPrintable(source));
        QCOMPARE(marks(translation), marks(source));
    }

    void lookup_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("german");
        QTest::newRow("menu") << "MainWindow"
                              << "&File"
                              << "&Datei";
        QTest::newRow("placeholders") << "ProjectCommands"
                                      << "File: %1\nReason: %2"
                                      << "Datei: %1\nGrund: %2";
        QTest::newRow("free function") << "PointsPanel"
                                       << "Points"
                                       << "Punkte";
        QTest::newRow("message") << "RenderSummary"
                                 << "Show folder"
                                 << "Ordner anzeigen";
        QTest::newRow("table") << "ShortcutsDialog"
                               << "Map: zoom"
                               << "Karte: zoomen";
    }

    void lookup() {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, german);
        QCOMPARE(QCoreApplication::translate(qPrintable(context), qPrintable(source)), german);
    }

    // Alt+letter reaches one entry only: in the menu bar and in each menu.
    void menuAccelerators() {
        QTemporaryDir dir;
        std::unique_ptr<MainWindow> w(shownMainWindow(dir.path()));
        QCOMPARE(w->findChild<QMenu*>("mnuFile")->title(), QString("&Datei"));
        QList<QList<QAction*>> groups{w->menuBar()->actions()};
        for (const QMenu* menu : w->findChildren<QMenu*>())
            groups << menu->actions();
        for (const QList<QAction*>& group : groups) {
            QHash<QChar, QString> taken;
            for (const QAction* a : group) {
                const QChar key = accelerator(a->text());
                if (key.isNull()) continue;
                QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + " / " + a->text()));
                taken.insert(key, a->text());
            }
        }
    }
};

QTEST_MAIN(TestTranslation)
#include "test_translation.moc"
