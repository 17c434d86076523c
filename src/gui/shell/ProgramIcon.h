#pragma once
#include <QIcon>

// The program's icon: a small map with a red route, drawn at start-up.
QIcon programIcon();
