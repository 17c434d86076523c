#include "FileDialogs.h"

#include "shell/ProjectState.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

bool classicFileDialogs(const QSettings& settings) {
    return settings.value("ui/classicDialogs", false).toBool();
}

QString startFolder(const QStringList& folders) {
    QStringList all = folders;
    all << QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) << QDir::homePath();
    for (const QString& dir : all)
        if (!dir.isEmpty() && QFileInfo(dir).isDir())
            return QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    return QDir::rootPath();
}

QString usersFolder(const ProjectState& st, const QString& folder) {
    const bool programs = st.projectname.isEmpty() && withSeparator(folder) == withSeparator(st.projectdir);
    return programs ? QString() : folder;
}

QString projectFolderOrHome(const ProjectState& st) {
    return startFolder({usersFolder(st, st.projectdir)});
}

namespace {
QString ask(QFileDialog& dialog) {
    dialog.setObjectName("stdFileDialog");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}
} // namespace

QString askFileToOpen(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return ask(dialog);
}

QString askFileToSave(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                      const QString& suffix) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    return ask(dialog);
}
