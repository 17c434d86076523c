#include "Presets.h"

#include "VideoFormats.h"

void SetNTSC(Workspace& ws) {
    applyVideoFormat(ws, *findVideoFormat(u"NTSC"));
}

void SetPAL(Workspace& ws) {
    applyVideoFormat(ws, *findVideoFormat(u"PAL"));
}

bool applyFormatPreset(Workspace& ws) {
    // Only the exact letters name a preset; c takes the frame size and rate held, within the custom
    // ranges; any other letter keeps them with the map and `delay` as they were.
    ProjectState& st = ws.st;
    if (st.format == u'n' || st.format == u'p')
        setVideoFormat(ws, *findVideoFormat(st.format == u'n' ? u"NTSC" : u"PAL"));
    else if (st.format == u'c')
        setVideoFormat(ws, currentFormat(st), st.fps, st.framewidth, st.frameheight);
    else
        return false;
    return true;
}
