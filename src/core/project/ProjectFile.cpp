#include "ProjectFile.h"

// Placeholder until the reader and writer land.
LoadReport LoadProject(Workspace& ws) {
    return {Error{ws.st.projectpath, "project files cannot be read yet"}, {}};
}

MaybeError SaveProject(Workspace& ws) {
    return Error{ws.st.projectdir + ws.st.projectname, "project files cannot be written yet"};
}
