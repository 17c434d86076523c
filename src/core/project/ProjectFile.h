#pragma once
// Reading and writing ".wsr" project files.

#include "shell/Error.h"
#include "shell/Workspace.h"

#include <QByteArrayView>
#include <QStringList>

struct LoadReport {
    MaybeError error;  // the file could not be read: nothing was changed
    QStringList notes; // loaded, but the user should hear of these (skipped lines, map picture)
};

// After loading, the map is drawn at once, or left to a render that starts from the bare map.
enum class MapAfterLoad { Redraw, LeaveToRender };

// Reads the file `projectpath` into the workspace, applies the format preset, reloads the map
// picture and, for Redraw, draws the map once. The caller sets `projectpath` and `projectname`
// first. The file is read and parsed whole before any field changes: on an error nothing has
// changed. A map picture that cannot be loaded leaves the plain background; the notes say so,
// count skipped lines and name the first few values held (key, line, value read and used).
LoadReport LoadProject(Workspace& ws, MapAfterLoad after = MapAfterLoad::Redraw);

// The same from the bytes of a project file already read; the notes.
QStringList LoadProjectText(Workspace& ws, QByteArrayView bytes, MapAfterLoad after = MapAfterLoad::Redraw);

// The map the project names: its picture, failing that a picture of that name beside the
// project file (projects moved between machines), failing that the plain background; or its
// tiles or the world picture. The caller reloads the geography and redraws. The path of the
// picture loaded, whose world file or tags may tell where it is.
QString reloadMapPicture(Workspace& ws, QStringList& notes);

// Writes the project to `projectdir` & `projectname` (".wsr" added when missing, and kept in
// `projectname` once the file is written). On an error the old file and `projectname` are unchanged.
MaybeError SaveProject(Workspace& ws);

// The main window's caption once a project has been opened or saved.
inline QString projectCaption(const ProjectState& st) {
    return st.title + " - " + st.projectname;
}
