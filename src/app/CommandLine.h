#pragma once
// What every command without a window shares: its application and its way of saying things.

#include "shell/Workspace.h"

#include <QGuiApplication>
#include <QString>
#include <cstdio>

// "pathwright: TEXT" on its own line.
void say(FILE* to, const QString& text);

// The application of a command that draws into images only: labels need fonts, which the
// offscreen platform gives without any window system. It stays to the end of the process:
// taking it down would first load the whole font configuration (50 ms and more, as long as a
// short render's frames) only to drop it again.
QGuiApplication& commandLineApplication(int argc, char** argv);

// The workspace after start-up, for the project file at `path` (read or to be written).
void startWorkspaceFor(Workspace& ws, const QString& path);
