// File > New, Edit > Preferences, View > Map in a separate window and the Help menu.
#include "AboutDialog.h"
#include "EditHistory.h"
#include "MainWindow.h"
#include "ShortcutsDialog.h"
#include "animation/AnimationCommands.h"
#include "project/ProjectCommands.h"
#include "settings/PreferencesDialog.h"
#include "shell/Startup.h"

#include <QAction>
#include <QMenu>

void MainWindow::buildShellMenus() {
    auto menu = [this](const char* name) { return findChild<QMenu*>(name); };
    auto action = [this](const char* name, const QString& caption) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        return a;
    };
    QAction* newProject = action("mnuNew", tr("&New"));
    newProject->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QMenu* file = menu("mnuFile");
    file->insertAction(file->actions().value(0), newProject);
    connect(newProject, &QAction::triggered, this, &MainWindow::mnuNew_Click);

    QAction* preferences = action("mnuPreferences", tr("Pre&ferences..."));
    preferences->setMenuRole(QAction::PreferencesRole);
    menu("mnuEdit")->addSeparator();
    menu("mnuEdit")->addAction(preferences);
    connect(preferences, &QAction::triggered, this, &MainWindow::mnuPreferences_Click);

    QAction* separate = action("mnuSeparateMap", tr("Map in a &separate window"));
    separate->setCheckable(true);
    menu("mnuView")->addSeparator();
    menu("mnuView")->addAction(separate);
    connect(separate, &QAction::toggled, this, &MainWindow::setMapSeparate);

    QMenu* help = menu("mnuHelp");
    QAction* shortcuts = action("mnuShortcuts", tr("&Keyboard shortcuts"));
    QAction* about = action("mnuAbout", tr("&About Pathwright"));
    about->setMenuRole(QAction::AboutRole);
    help->addActions({shortcuts, about});
    connect(shortcuts, &QAction::triggered, this, &MainWindow::mnuShortcuts_Click);
    connect(about, &QAction::triggered, this, &MainWindow::mnuAbout_Click);
}

// As at start: the start-up sequence on a fresh state, with no map and no history. The map
// window's measured size ratio stays, as it was measured once.
void MainWindow::mnuNew_Click() {
    if (!project_->askToSave(this)) return;
    animation_->stopPreview();
    const double sizeratio = ws_.st.sizeratio;
    ws_.st = ProjectState{};
    ws_.picture = QImage();
    ws_.tiles.reset();
    ws_.mapIsWorld = false;
    ws_.geo = GeoData{};
    startUpBegin(ws_, programDir_);
    startUpFinish(ws_, sizeratio);
    startWindowLook(ws_.st);
    history_->startOver();
    emit project_->projectOpened(); // the frame label, and what showed the last project's frames
}

void MainWindow::mnuPreferences_Click() {
    auto* dialog = findChild<PreferencesDialog*>("frmPreferences");
    if (!dialog) dialog = new PreferencesDialog(settings_, this);
    dialog->fill();
    dialog->open();
}

void MainWindow::mnuShortcuts_Click() {
    auto* dialog = new ShortcutsDialog(*this, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::mnuAbout_Click() {
    auto* dialog = new AboutDialog(ws_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}
