#include "ProjectState.h"

#include <QDir>
#include <QFileInfo>

QString withSeparator(const QString& dir) {
    const QString sep = QDir::separator();
    return dir.endsWith(sep) ? dir : dir + sep;
}

QString besideProject(const ProjectState& st, const QString& name) {
    if (name.isEmpty() || QDir::isAbsolutePath(name)) return name;
    const QString base = st.projectpath.isEmpty() ? st.projectdir : QFileInfo(st.projectpath).absolutePath();
    return QDir(base).filePath(name);
}

void swapPointExtras(ProjectState& st, int a, int b) {
    std::swap(st.pointhold[a], st.pointhold[b]);
    std::swap(st.pointinterval[a], st.pointinterval[b]);
    std::swap(st.pointlabel[a], st.pointlabel[b]);
    std::swap(st.pointzoom[a], st.pointzoom[b]);
    std::swap(st.pointgeo[a], st.pointgeo[b]);
    std::swap(st.pointpath[a], st.pointpath[b]);
    std::swap(st.pointmode[a], st.pointmode[b]);
    std::swap(st.pointlinestyle[a], st.pointlinestyle[b]);
    std::swap(st.pointcolor[a], st.pointcolor[b]);
}

void clearPointExtras(ProjectState& st, int i) {
    st.pointhold[i] = -1;
    st.pointinterval[i] = -1;
    st.pointlabel[i].clear();
    st.pointzoom[i] = -1;
    st.pointgeo[i] = GeoPoint();
    st.pointpath[i].clear();
    st.pointmode[i].clear();
    st.pointlinestyle[i].clear();
    st.pointcolor[i] = -1;
}
