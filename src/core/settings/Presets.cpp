#include "Presets.h"

#include "VideoFormats.h"

void SetNTSC(Workspace& ws) {
    applyVideoFormat(ws, *findVideoFormat(u"NTSC"));
}

void SetPAL(Workspace& ws) {
    applyVideoFormat(ws, *findVideoFormat(u"PAL"));
}
