#include "Appearance.h"

#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleFactory>

namespace {
const char kKey[] = "ui/appearance";

// What the application had before any choice was applied, to go back to.
struct Platform {
    QString style;
    QPalette palette;
};
const Platform& platform() {
    static const Platform p{QApplication::style()->name(), QApplication::palette()};
    return p;
}

QString gsettingsColorScheme() {
    const QString program = QStandardPaths::findExecutable("gsettings");
    if (program.isEmpty()) return {};
    QProcess p;
    p.start(program, {"get", "org.gnome.desktop.interface", "color-scheme"});
    // A desktop that does not answer at once is taken as light rather than delay the start.
    if (!p.waitForFinished(500) || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(100);
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
} // namespace

Appearance storedAppearance(const QSettings& settings) {
    const QString v = settings.value(kKey).toString();
    return v == "dark" ? Appearance::Dark : v == "light" ? Appearance::Light : Appearance::System;
}

void storeAppearance(QSettings& settings, Appearance choice) {
    settings.setValue(kKey, choice == Appearance::Dark    ? "dark"
                            : choice == Appearance::Light ? "light"
                                                          : "system");
}

DesktopScheme readDesktopScheme() {
    const QString gtk = qEnvironmentVariable("GTK_THEME");
    // GTK_THEME wins: no need to ask GNOME then.
    return {gtk, gtk.isEmpty() ? gsettingsColorScheme() : QString(),
            platform().palette.color(QPalette::Active, QPalette::Window)};
}

bool desktopIsDark(const DesktopScheme& d) {
    // GTK_THEME wins, as it does for GTK programs: "Adwaita:dark", "Adwaita-dark".
    if (!d.gtkTheme.isEmpty())
        return d.gtkTheme.endsWith(":dark", Qt::CaseInsensitive) ||
               d.gtkTheme.endsWith("-dark", Qt::CaseInsensitive);
    if (d.colorScheme.contains("prefer-dark")) return true;
    if (d.colorScheme.contains("prefer-light")) return false;
    return d.platformWindow.isValid() && d.platformWindow.lightness() < 128;
}

bool wantsDark(Appearance choice, const DesktopScheme& desktop) {
    return choice == Appearance::Dark || (choice == Appearance::System && desktopIsDark(desktop));
}

QPalette darkPalette() {
    const QColor window(50, 52, 56), base(33, 35, 38), text(232, 232, 232), off(128, 130, 134);
    const QColor highlight(53, 132, 228);
    QPalette p(text, window);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window.darker(115));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Button, QColor(60, 62, 66));
    p.setColor(QPalette::Light, QColor(84, 86, 90));
    p.setColor(QPalette::Midlight, QColor(70, 72, 76));
    p.setColor(QPalette::Mid, QColor(40, 42, 45));
    p.setColor(QPalette::Dark, QColor(26, 27, 29));
    p.setColor(QPalette::Shadow, QColor(10, 10, 10));
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, off);
    p.setColor(QPalette::BrightText, QColor(255, 90, 80));
    p.setColor(QPalette::Link, highlight.lighter(130));
    p.setColor(QPalette::LinkVisited, QColor(180, 140, 230));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText, QPalette::HighlightedText})
        p.setColor(QPalette::Disabled, role, off);
    p.setColor(QPalette::Disabled, QPalette::Button, window);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 82, 86));
    return p;
}

bool applyAppearance(Appearance choice) {
    if (choice == Appearance::Light || choice == Appearance::Dark) return applyAppearance(choice, {});
    return applyAppearance(choice, readDesktopScheme());
}

bool applyAppearance(Appearance choice, const DesktopScheme& desktop) {
    const Platform& was = platform();
    const bool dark = wantsDark(choice, desktop);
    const bool platformDark = was.palette.color(QPalette::Window).lightness() < 128;
    if (!dark && !platformDark) {
        if (QApplication::style()->name() != was.style) QApplication::setStyle(was.style);
        QApplication::setPalette(was.palette);
        return false;
    }
    if (QApplication::style()->name().compare("fusion", Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
    return dark;
}
