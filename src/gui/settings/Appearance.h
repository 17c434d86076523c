#pragma once
// Light or dark: the window follows the desktop's colour scheme unless the user chose one. Qt 6.4
// does not tell the scheme, so it is read from what the desktop leaves about: GTK_THEME, GNOME's
// color-scheme setting, else the lightness of the platform's window colour.

#include <QColor>
#include <QPalette>
#include <QString>

class QSettings;

enum class Appearance { System, Light, Dark };

// The preference "ui/appearance": "system" (the default), "light" or "dark".
Appearance storedAppearance(const QSettings& settings);
void storeAppearance(QSettings& settings, Appearance choice);

// What the desktop says of its colours.
struct DesktopScheme {
    QString gtkTheme;      // $GTK_THEME, e.g. "Adwaita:dark"
    QString colorScheme;   // gsettings' org.gnome.desktop.interface color-scheme, e.g. "'prefer-dark'"
    QColor platformWindow; // the platform palette's window colour
};
DesktopScheme readDesktopScheme();
bool desktopIsDark(const DesktopScheme& desktop);
bool wantsDark(Appearance choice, const DesktopScheme& desktop);

// Fusion's colours turned dark.
QPalette darkPalette();

// Applies the choice to the whole application: a dark Fusion palette when dark; the platform's
// own style and palette for a light desktop; Fusion's light palette when light is asked of a
// dark desktop. True when the result is dark.
bool applyAppearance(Appearance choice);
bool applyAppearance(Appearance choice, const DesktopScheme& desktop);
