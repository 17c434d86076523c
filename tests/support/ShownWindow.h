#pragma once
// A main window as the user first sees it: the program's settings cleared, the window shown.

#include "TestSettings.h"
#include "shell/MainWindow.h"

#include <QSettings>

inline MainWindow* shownMainWindow(const QString& programDir) {
    QSettings("pathwright", "pathwright").clear();
    auto* w = new MainWindow(programDir);
    w->show();
    return w;
}
