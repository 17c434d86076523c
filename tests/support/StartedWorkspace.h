#pragma once
// A workspace after the start-up sequence, counting its redraws.

#include "shell/Startup.h"
#include "shell/Workspace.h"

struct StartedWorkspace {
    Workspace ws;
    int redraws = 0;
    StartedWorkspace() {
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        QObject::connect(&ws.events, &WorkspaceEvents::redrawing, [this] { ++redraws; });
    }
};
