#include "ShortcutsDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// The keys handled by widgets themselves rather than by actions. Their names are translated as Qt
// translates the actions' keys, so that the two kinds of rows read alike.
struct FixedKey {
    const char* keys;
    const char* what;
};
constexpr FixedKey kFixedKeys[] = {
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Arrow keys"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Map: nudge the selected point one pixel")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Shift+Arrow keys"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Map: nudge the selected point ten pixels")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Shift+Click"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Map: insert a point on a leg")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Ctrl+Wheel"), QT_TRANSLATE_NOOP("ShortcutsDialog", "Map: zoom")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Space+Drag"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Map: move the view (also the middle button)")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Esc"), QT_TRANSLATE_NOOP("ShortcutsDialog", "Stop the preview")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Space"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Timeline: play or pause")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "J, K, L"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Timeline: play backwards, pause, play forwards")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Left, Right"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Timeline: one frame back or forward")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Shift+Left, Shift+Right"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Timeline: one second back or forward")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "I, O"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Timeline: start or end of the range to render")},
    {QT_TRANSLATE_NOOP("ShortcutsDialog", "Home, End"),
     QT_TRANSLATE_NOOP("ShortcutsDialog", "Timeline: first or last frame")},
};

QString plain(QString text) {
    text.remove('&');
    if (text.endsWith("...")) text.chop(3);
    if (text.endsWith(QChar(0x2026))) text.chop(1);
    return text;
}

// The undo stack's actions name the step they undo; here they are only Undo and Redo.
QString actionName(const QAction* a) {
    if (a->objectName() == "mnuUndo") return ShortcutsDialog::tr("Undo");
    if (a->objectName() == "mnuRedo") return ShortcutsDialog::tr("Redo");
    return plain(a->text());
}

void addAction(QList<ShortcutRow>& rows, QSet<const QAction*>& seen, const QAction* a, const QString& path) {
    if (seen.contains(a)) return;
    seen.insert(a);
    for (const QKeySequence& key : a->shortcuts())
        rows.append({key.toString(QKeySequence::NativeText), path + actionName(a)});
}

void addMenu(QList<ShortcutRow>& rows, QSet<const QAction*>& seen, const QMenu* menu, const QString& path) {
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu())
            addMenu(rows, seen, a->menu(), path + plain(a->text()) + QString::fromUtf8(" ▸ "));
        else
            addAction(rows, seen, a, path);
    }
}
bool inSubWindow(const QObject* o) {
    for (; o; o = o->parent())
        if (qobject_cast<const QMdiSubWindow*>(o)) return true;
    return false;
}
} // namespace

QList<ShortcutRow> shortcutRows(const QMainWindow& window) {
    QList<ShortcutRow> rows;
    QSet<const QAction*> seen;
    const QString arrow = QString::fromUtf8(" ▸ ");
    for (const QAction* top : window.menuBar()->actions()) {
        if (top->menu())
            addMenu(rows, seen, top->menu(), plain(top->text()) + arrow);
        else
            addAction(rows, seen, top, {});
    }
    // Named actions that are in no menu (a dock's); those without a name (the map's arrow keys)
    // are among the fixed keys, and the map window's own menu is left out.
    for (const QAction* a : window.findChildren<QAction*>())
        if (!a->shortcuts().isEmpty() && !a->menu() && !a->text().isEmpty() && !inSubWindow(a))
            addAction(rows, seen, a, {});
    QSet<QString> taken;
    for (const ShortcutRow& r : rows)
        taken.insert(r.keys);
    for (const FixedKey& k : kFixedKeys) {
        const QString keys = ShortcutsDialog::tr(k.keys);
        if (!taken.contains(keys)) rows.append({keys, ShortcutsDialog::tr(k.what)});
    }
    return rows;
}

ShortcutsDialog::ShortcutsDialog(const QMainWindow& window, QWidget* parent) : QDialog(parent) {
    setObjectName("frmShortcuts");
    setWindowTitle(tr("Keyboard shortcuts"));
    const QList<ShortcutRow> rows = shortcutRows(window);
    auto* table = new QTableWidget(int(rows.size()), 2, this);
    table->setObjectName("tblShortcuts");
    table->setHorizontalHeaderLabels({tr("Keys"), tr("Does")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int i = 0; i < rows.size(); ++i) {
        table->setItem(i, 0, new QTableWidgetItem(rows[i].keys));
        table->setItem(i, 1, new QTableWidgetItem(rows[i].what));
    }
    table->setWordWrap(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(table);
    column->addWidget(buttons);
    resize(640, 560);
}
