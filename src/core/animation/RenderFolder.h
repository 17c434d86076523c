#pragma once
// The folder a render writes into. Projects saved on Windows carry folders such as
// "C:\Frames\", which name nothing here: a file name holding them would land in the current
// folder under that literal name. Such a folder falls back to the project file's own folder,
// as the map picture does.

#include "shell/ProjectState.h"

// A drive letter and colon at the start, or any backslash.
bool isWindowsPath(const QString& path);

// `renderpath`, or the project file's own folder (with its separator) when that is a Windows path.
QString renderFolder(const ProjectState& st);

// What the user should hear about the render folder after a project is read; empty when nothing.
QString renderFolderNote(const ProjectState& st);
