#include "RecentMenu.h"

#include "ProjectCommands.h"

#include <QFileInfo>
#include <QMessageBox>

RecentMenu::RecentMenu(ProjectCommands& project, QSettings& settings, QWidget* parent)
    : QMenu(tr("Open &Recent"), parent), project_(project), recent_(settings) {
    setObjectName("mnuOpenRecent");
    connect(this, &QMenu::aboutToShow, this, &RecentMenu::fill);
    connect(&project, &ProjectCommands::projectFileUsed, this,
            [this](const QString& path) { recent_.add(QFileInfo(path).absoluteFilePath()); });
}

void RecentMenu::fill() {
    clear();
    const QStringList paths = recent_.paths();
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    for (int i = 0; i < paths.size(); ++i) {
        // Projects of one name in several folders are told apart by their folder.
        QString text = names[i];
        if (names.count(names[i]) > 1) text += QString("  (%1)").arg(QFileInfo(paths[i]).absolutePath());
        text.replace(u'&', QLatin1String("&&")); // a name's "&" is no shortcut
        addAction(QString("&%1 %2").arg(i + 1).arg(text), this, [this, path = paths[i]] {
            openRecent(path);
        })->setToolTip(paths[i]);
    }
    if (paths.isEmpty()) addAction(tr("(none)"))->setEnabled(false);
}

void RecentMenu::openRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        recent_.remove(path);
        QMessageBox::information(parentWidget(), tr("Pathwright"),
                                 tr("The project %1 is no longer there; it was taken off the list of "
                                    "recent projects.")
                                     .arg(path));
        return;
    }
    project_.openFile(path);
}
