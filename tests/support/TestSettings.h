#pragma once
// GUI tests keep their settings under ~/.qttest, never in the user's own, also when run by hand,
// and each test program starts from none (no window state or choice left by another). Done
// before main(), ahead of the first QSettings, which fixes the folder for the run. The window is
// light whatever the desktop running the tests prefers.

#include <QSettings>
#include <QStandardPaths>

inline const bool kTestSettings = [] {
    QStandardPaths::setTestModeEnabled(true);
    QSettings("pathwright", "pathwright").clear();
    qputenv("GTK_THEME", "Adwaita");
    return true;
}();
