#pragma once
// A workspace after the start-up sequence, counting its redraws: every redraw stops the
// preview timer first, so the timer hook counts them.

#include "shell/Startup.h"
#include "shell/Workspace.h"

struct StartedWorkspace {
    Workspace ws;
    int redraws = 0;
    StartedWorkspace() {
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        ws.stopTimer = [this] { ++redraws; };
    }
    StartedWorkspace(const StartedWorkspace&) = delete; // the hook holds `this`
    StartedWorkspace& operator=(const StartedWorkspace&) = delete;
};
