#pragma once
// GUI tests keep their settings under ~/.qttest, never in the user's own, also when run by hand,
// and each test program starts from none (no window state or choice left by another). Done
// before main(), ahead of the first QSettings, which fixes the folder for the run.

#include <QSettings>
#include <QStandardPaths>

inline const bool kTestSettings = [] {
    QStandardPaths::setTestModeEnabled(true);
    QSettings("pathwright", "pathwright").clear();
    return true;
}();
