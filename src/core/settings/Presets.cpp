#include "Presets.h"

#include "mapview/RouteDrawing.h"

namespace {
void applyPreset(Workspace& ws, qint16 width, qint16 height, QChar format, double fps) {
    ProjectState& st = ws.st;
    st.frameheight = height;
    st.framewidth = width;
    // The map's drawing area becomes exactly the frame, so rendered frames are frame-sized;
    // the GUI fits the window around it.
    if (ws.map.width() != width || ws.map.height() != height) ws.map.resize(width, height);
    if (ws.mapResized) ws.mapResized();
    st.format = format;
    st.fps = fps;
    st.delay = st.interval * st.fps;
    Redraw(ws);
}
} // namespace

void SetNTSC(Workspace& ws) {
    applyPreset(ws, 654, 480, u'n', 29.97);
}

void SetPAL(Workspace& ws) {
    applyPreset(ws, 786, 576, u'p', 25.0);
}
