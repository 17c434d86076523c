#include "Startup.h"

#include "mapview/RouteEditing.h"
#include "project/ProjectKeys.h"
#include "settings/Presets.h"

void startUpBegin(Workspace& ws, const QString& programDir) {
    ProjectState& st = ws.st;
    st.version = "1.1";
    st.title = "Vantorel * Pathwright " + st.version;
    st.projectdir = withSeparator(programDir);
    st.imagepath = st.projectdir;
    st.renderpath = st.projectdir;
    st.projectname.clear();
    resetNewKeys(st);
}

void startUpFinish(Workspace& ws, double sizeratio) {
    ProjectState& st = ws.st;
    st.sizeratio = sizeratio;
    st.listmax = 0;
    st.color = rgb(255, 0, 0);
    st.selcolor = rgb(255, 255, 0);
    st.selected = -1;
    st.linethick = 5;
    st.circlethick = 3;
    st.circleradius = 10;
    DrawSwatch(ws);
    st.interval = 2.0;
    SetNTSC(ws);
    btnPlus(ws);
}

void startWindowLook(ProjectState& st) {
    if (st.format == u'n' || st.format == u'p') return;
    st.stylescale = QStringLiteral("frame");
    st.markersize = 48;
    st.labelsize = 32;
}

void followNewProjectLook(ProjectState& st) {
    if (st.listmax > 0 || !st.projectpath.isEmpty()) return;
    if (st.format != u'n' && st.format != u'p') {
        startWindowLook(st);
    } else if (st.stylescale == QLatin1String("frame") && st.markersize == 48 && st.labelsize == 32) {
        st.stylescale = QStringLiteral("pixels");
        st.markersize = 24;
        st.labelsize = 16;
    }
}

void DrawSwatch(Workspace& ws) {
    const ProjectState& st = ws.st;
    Surface& s = ws.swatch;
    s.clear();
    s.setPenWidth(st.linethick);
    s.line(13, 13, 74, 13, st.color);
    s.setPenWidth(st.circlethick);
    s.circle(13, 13, st.circleradius, st.color);
    s.circle(74, 13, st.circleradius, st.color);
}
