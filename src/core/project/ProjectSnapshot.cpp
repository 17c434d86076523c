#include "ProjectSnapshot.h"

#include "ProjectText.h"
#include "mapview/RouteDrawing.h"
#include "settings/Presets.h"

ProjectSnapshot takeSnapshot(const Workspace& ws) {
    return {formatProjectText(ws.st), ws.picture};
}

void restoreSnapshot(Workspace& ws, const ProjectSnapshot& snapshot) {
    applyProjectRead(ws.st, parseProjectText(snapshot.text));
    ws.picture = snapshot.picture;
    if (!applyFormatPreset(ws)) ws.st.delay = ws.st.interval * ws.st.fps;
    Redraw(ws);
}
