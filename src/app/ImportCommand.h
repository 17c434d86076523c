#pragma once
// `pathwright --import TRACK [--map PICTURE] --save PROJECT.wsr`: a new project from a track
// file, without a display.

// True when the arguments ask for an import.
bool wantsImport(int argc, char** argv);

// Exit codes: 0 the project was written, 1 wrong arguments, 2 the track or the map could not be
// read or the project could not be written.
int runImportCommand(int argc, char** argv);
