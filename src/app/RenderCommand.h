#pragma once
// The command-line renderer: `pathwright --render PROJECT.wsr [--output DIR] [--name BASE]`.
// It needs no display and writes exactly the frame files the render dialog writes.

// True when the arguments are for the command line (--render, --help or --version): then
// main() runs runRenderCommand() before any window system is touched.
bool wantsCommandLine(int argc, char** argv);

// Exit codes: 0 every frame written, 1 wrong arguments (a render range outside the animation
// among them), 2 the project could not be read or a frame could not be written or the route has
// no points, 3 the frame number limit cut the animation short (frames 0000 to 9999 were written).
int runRenderCommand(int argc, char** argv);
