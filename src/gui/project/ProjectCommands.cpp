#include "ProjectCommands.h"

#include "OpenDialog.h"
#include "SaveAsDialog.h"
#include "project/ProjectFile.h"

#include <QFileInfo>
#include <QMessageBox>

namespace {
void showError(QWidget* parent, const QString& headline, const Error& error) {
    QMessageBox::warning(parent, "Pathwright",
                         headline + "\n\nFile: " + error.file + "\nReason: " + error.reason);
}

void showDialog(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

ProjectCommands::ProjectCommands(Workspace& ws, QWidget* mainWindow, std::function<void()> refresh,
                                 std::function<void(const QString&)> setCaption)
    : QObject(mainWindow), ws_(ws), main_(mainWindow), refresh_(std::move(refresh)),
      setCaption_(std::move(setCaption)) {}

void ProjectCommands::mnuOpen_Click() {
    if (!frmOpen_)
        frmOpen_ = new OpenDialog(
            [this](const QString& dir, const QString& name) { return openProject(dir, name, frmOpen_); },
            main_);
    showDialog(frmOpen_);
}

void ProjectCommands::mnuSaveAs_Click() {
    if (!frmSaveAs_)
        frmSaveAs_ = new SaveAsDialog(
            ws_,
            [this](const QString& dir, const QString& name) { return saveProject(dir, name, frmSaveAs_); },
            main_);
    showDialog(frmSaveAs_);
    frmSaveAs_->showProjectDirectory();
}

void ProjectCommands::mnuSave_Click() {
    if (ws_.st.projectname.isEmpty())
        mnuSaveAs_Click();
    else
        saveProject(ws_.st.projectdir, ws_.st.projectname, main_);
}

bool ProjectCommands::openFile(const QString& path) {
    const QFileInfo info(path);
    return openProject(withSeparator(info.absolutePath()), info.fileName(), main_);
}

bool ProjectCommands::openProject(const QString& dir, const QString& name, QWidget* parent) {
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
        showError(parent, "The project could not be opened; nothing was changed.", *report.error);
        return false;
    }
    if (refresh_) refresh_();
    if (setCaption_) setCaption_(projectCaption(st));
    if (!report.notes.isEmpty())
        QMessageBox::information(parent, "Pathwright",
                                 "The project " + st.projectpath + " was opened.\n\n" +
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
        showError(parent, "The project was not saved.", *error);
        return false;
    }
    st.projectpath = st.projectdir + st.projectname;
    if (setCaption_) setCaption_(projectCaption(st));
    return true;
}
