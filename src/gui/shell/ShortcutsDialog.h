#pragma once
// Help > Keyboard shortcuts: every shortcut of the window's actions, named by their menu, and
// the keys that are not actions (the map's, the timeline's).

#include <QDialog>
#include <QList>

class QMainWindow;

struct ShortcutRow {
    QString keys; // as the menus show them, e.g. "Ctrl+Shift+S"
    QString what; // e.g. "File ▸ Save As"
};

// Read from the window's actions as they are now, so that new ones appear by themselves.
QList<ShortcutRow> shortcutRows(const QMainWindow& window);

class ShortcutsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ShortcutsDialog(const QMainWindow& window, QWidget* parent = nullptr);
};
