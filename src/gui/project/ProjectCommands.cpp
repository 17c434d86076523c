#include "ProjectCommands.h"

#include "OpenDialog.h"
#include "SaveAsDialog.h"
#include "project/ProjectFile.h"
#include "shell/EditHistory.h"
#include "shell/FileDialogs.h"

#include <QFileInfo>

namespace {
void showError(QWidget* parent, const QString& headline, const Error& error) {
    QMessageBox::warning(parent, ProjectCommands::tr("Pathwright"),
                         headline + "\n\n" +
                             ProjectCommands::tr("File: %1\nReason: %2").arg(error.file, error.reason));
}

void showDialog(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

QMessageBox::StandardButton askUser(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, ProjectCommands::tr("Pathwright"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(ProjectCommands::tr("Save them first? Discarded changes are lost."));
    box.setDefaultButton(QMessageBox::Save);
    return QMessageBox::StandardButton(box.exec());
}
} // namespace

namespace {
QString projectFilter() {
    return ProjectCommands::tr("Pathwright projects (*.wsr);;All files (*)");
}
} // namespace

ProjectCommands::ProjectCommands(Workspace& ws, EditHistory& history, const QSettings& settings,
                                 QWidget* mainWindow)
    : QObject(mainWindow), ws_(ws), history_(history), settings_(settings), main_(mainWindow), ask_(askUser) {
}

void ProjectCommands::mnuOpen_Click() {
    if (!classicFileDialogs(settings_)) {
        const QString file =
            askFileToOpen(main_, tr("Open project"), projectFolderOrHome(ws_.st), projectFilter());
        if (!file.isEmpty()) openFile(file);
        return;
    }
    if (!frmOpen_)
        frmOpen_ = new OpenDialog(
            [this](const QString& dir, const QString& name) { return openProject(dir, name, frmOpen_); },
            [this] { return projectFolderOrHome(ws_.st); }, main_);
    showDialog(frmOpen_);
}

SaveAsDialog* ProjectCommands::saveAsDialog() {
    if (!frmSaveAs_)
        frmSaveAs_ = new SaveAsDialog(
            ws_,
            [this](const QString& dir, const QString& name) { return saveProject(dir, name, frmSaveAs_); },
            main_);
    return frmSaveAs_;
}

bool ProjectCommands::saveAsStandard(QWidget* parent) {
    const QString file =
        askFileToSave(parent, tr("Save project as"), projectFolderOrHome(ws_.st), projectFilter(), "wsr");
    if (file.isEmpty()) return false;
    const QFileInfo info(file);
    return saveProject(withSeparator(info.absolutePath()), info.fileName(), parent);
}

void ProjectCommands::mnuSaveAs_Click() {
    if (!classicFileDialogs(settings_)) {
        saveAsStandard(main_);
        return;
    }
    showDialog(saveAsDialog());
    frmSaveAs_->showProjectDirectory();
}

void ProjectCommands::mnuSave_Click() {
    if (ws_.st.projectname.isEmpty())
        mnuSaveAs_Click();
    else
        saveProject(ws_.st.projectdir, ws_.st.projectname, main_);
}

bool ProjectCommands::askToSave(QWidget* parent) {
    if (!history_.unsaved()) return true;
    const QString text = ws_.st.projectname.isEmpty()
                             ? tr("The new project has changes that are not saved.")
                             : tr("The project %1 has changes that are not saved.").arg(ws_.st.projectname);
    switch (ask_(parent, text)) {
    case QMessageBox::Discard:
        return true;
    case QMessageBox::Save:
        return saveOrSaveAs(parent);
    default:
        return false;
    }
}

bool ProjectCommands::saveOrSaveAs(QWidget* parent) {
    if (!ws_.st.projectname.isEmpty()) return saveProject(ws_.st.projectdir, ws_.st.projectname, parent);
    // No file yet: Save As, waited for here; closing it without a save cancels.
    if (!classicFileDialogs(settings_)) return saveAsStandard(parent);
    SaveAsDialog* dialog = saveAsDialog();
    dialog->hide();
    dialog->showProjectDirectory();
    dialog->exec();
    return !history_.unsaved();
}

bool ProjectCommands::openFile(const QString& path) {
    const QFileInfo info(path);
    return openProject(withSeparator(info.absolutePath()), info.fileName(), main_);
}

bool ProjectCommands::openProject(const QString& dir, const QString& name, QWidget* parent) {
    if (!askToSave(parent)) return false;
    ProjectState& st = ws_.st;
    const ProjectState old = st;
    st.projectdir = dir;
    st.projectname = name;
    st.projectpath = dir + name;
    const LoadReport report = LoadProject(ws_);
    if (report.error) {
        st.projectdir = old.projectdir;
        st.projectname = old.projectname;
        st.projectpath = old.projectpath;
        showError(parent, tr("The project could not be opened; nothing was changed."), *report.error);
        return false;
    }
    history_.startOver();
    emit projectOpened();
    emit projectFileUsed(st.projectpath);
    if (!report.notes.isEmpty())
        QMessageBox::information(parent, tr("Pathwright"),
                                 tr("The project %1 was opened.").arg(st.projectpath) + "\n\n" +
                                     report.notes.join("\n\n"));
    return true;
}

bool ProjectCommands::saveProject(const QString& dir, const QString& name, QWidget* parent) {
    ProjectState& st = ws_.st;
    const QString oldDir = st.projectdir, oldName = st.projectname;
    st.projectdir = dir;
    st.projectname = name;
    if (const MaybeError error = SaveProject(ws_)) {
        st.projectdir = oldDir;
        st.projectname = oldName;
        showError(parent, tr("The project was not saved."), *error);
        return false;
    }
    st.projectpath = st.projectdir + st.projectname;
    history_.markSaved();
    emit projectFileUsed(st.projectpath);
    return true;
}
