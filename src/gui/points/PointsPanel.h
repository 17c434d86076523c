#pragma once
// The points panel: the route's points as a table in a dock beside the map, shown from the start
// and again from View > Points. Everything it changes is an edit step.

#include "shell/Workspace.h"

class EditHistory;
class QDockWidget;
class QMainWindow;

QDockWidget* addPointsPanel(QMainWindow& window, Workspace& ws, EditHistory& history);
