#pragma once
#include <QIcon>

// The program's icon: a small map with a red route, drawn at start-up.
QIcon programIcon();

// A blank icon for the windows that show none (a window without one would take the program's).
QIcon noIcon();
