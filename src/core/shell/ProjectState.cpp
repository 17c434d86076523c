#include "ProjectState.h"

#include <QDir>

QString withSeparator(const QString& dir) {
    const QString sep = QDir::separator();
    return dir.endsWith(sep) ? dir : dir + sep;
}
