#pragma once
// What --help says about the command line: the ways to run the program, where frames go, the exit
// statuses, and the tables of formats and presets.

#include <QString>

QString renderHelp();
