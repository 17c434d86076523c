// The recent projects: newest first, each once, at most eight, kept in the settings file.
#include "project/RecentProjects.h"

#include <QTemporaryDir>
#include <QTest>

class TestRecentProjects : public QObject {
    Q_OBJECT
  private slots:
    void list_data() {
        QTest::addColumn<QString>("ops"); // "+a" adds a, "-a" removes it
        QTest::addColumn<QString>("list");
        QTest::newRow("newest first") << "+a +b +c"
                                      << "c b a";
        QTest::newRow("again to the front") << "+a +b +a"
                                            << "a b";
        QTest::newRow("eight kept") << "+1 +2 +3 +4 +5 +6 +7 +8 +9"
                                    << "9 8 7 6 5 4 3 2";
        QTest::newRow("removed") << "+a +b +c -b -x"
                                 << "c a";
    }
    void list() {
        QFETCH(QString, ops);
        QTemporaryDir dir;
        const QString file = dir.filePath("recent.ini");
        {
            QSettings settings(file, QSettings::IniFormat);
            RecentProjects recent(settings);
            for (const QString& op : ops.split(' '))
                op[0] == u'+' ? recent.add(op.mid(1)) : recent.remove(op.mid(1));
        }
        QSettings settings(file, QSettings::IniFormat);
        QTEST(RecentProjects(settings).paths().join(' '), "list");
    }
};

QTEST_GUILESS_MAIN(TestRecentProjects)
#include "test_recent_projects.moc"
