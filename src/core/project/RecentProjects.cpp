#include "RecentProjects.h"

namespace {
const QString kKey = QStringLiteral("recentProjects");
}

QStringList RecentProjects::paths() const {
    return settings_.value(kKey).toStringList().mid(0, kLimit);
}

void RecentProjects::add(const QString& path) {
    QStringList list = paths();
    list.removeAll(path);
    list.prepend(path);
    store(list);
}

void RecentProjects::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(path);
    store(list);
}

void RecentProjects::store(QStringList paths) {
    settings_.setValue(kKey, paths.mid(0, kLimit));
    settings_.sync();
}
