#pragma once
// GUI tests keep their settings in a folder of their own, never in the user's, also when run by
// hand: each test program starts from none, and programs that CTest runs side by side cannot
// clear or change each other's choices (a shared folder let one program's start clear another's
// preference mid-test). Done before main(), ahead of the first QSettings, which fixes the folder
// for the run. The window is light whatever the desktop running the tests prefers.

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

inline QTemporaryDir& testSettingsFolder() {
    static QTemporaryDir folder; // removed when the program ends
    return folder;
}

inline const bool kTestSettings = [] {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, testSettingsFolder().path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, testSettingsFolder().path());
    qputenv("GTK_THEME", "Adwaita");
    return true;
}();
