#include "RenderFolder.h"

#include "shell/Error.h"

#include <QFileInfo>

bool isWindowsPath(const QString& path) {
    const bool drive = path.size() >= 2 && path[1] == u':' && path[0].unicode() < 128 && path[0].isLetter();
    return drive || path.contains(u'\\');
}

QString renderFolder(const ProjectState& st) {
    if (!isWindowsPath(st.renderpath)) return st.renderpath;
    if (st.projectpath.isEmpty()) return st.projectdir;
    return withSeparator(QFileInfo(st.projectpath).absolutePath());
}

QString renderFolderNote(const ProjectState& st) {
    if (!isWindowsPath(st.renderpath)) return QString();
    return "The render folder " + shown(st.renderpath) +
           " is a Windows folder, which names no folder here: frames are written into the project's "
           "own folder, " +
           shown(renderFolder(st)) + ", unless another folder is chosen.";
}
