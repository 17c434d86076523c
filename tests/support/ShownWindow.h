#pragma once
// A main window as the user first sees it: the program's settings cleared, the window shown.

#include "shell/MainWindow.h"

#include <QSettings>
#include <QStandardPaths>

inline MainWindow* shownMainWindow(const QString& programDir) {
    // Settings under ~/.qttest, never the user's own, also when a test is run by hand.
    QStandardPaths::setTestModeEnabled(true);
    QSettings("pathwright", "pathwright").clear();
    auto* w = new MainWindow(programDir);
    w->show();
    return w;
}
