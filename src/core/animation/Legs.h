#pragma once
// The leg procedures of the route animation, shared by the preview and the render: reset the
// map, draw the first point, set up a leg, step, the leg end test and marking a reached point.
// The arithmetic is plain double additions accumulated step by step with the remaining
// distance taken as target minus position, so frame counts follow the double results exactly.

#include "shell/Workspace.h"

struct LegLine;

#include <QPointF>
#include <QString>

// The last four characters of "0000" followed by the decimal digits of n.
QString frameText(qint64 n);

// Two characters, x then y: "-" below zero, "0" exactly zero, "+" above zero.
QString directionCode(double dx, double dy);

// What the step and the end test need beyond the shared fields. A leg whose two points
// coincide is a pause: it never changes its direction code, so it ends after a fixed number
// of steps (delay rounded up) and draws nothing. An eased leg takes the steps its linear walk
// would take, placed on a curve that starts and ends gently. No leg takes more than `most`
// steps: a step below the position's rounding unit would otherwise never arrive.
struct Leg {
    int index = 0;
    bool pause = false;
    qint64 pauseLeft = 0;
    qint64 eased = 0; // steps of an eased leg; 0 for a linear one
    qint64 taken = 0;
    qint64 most = 0; // delay rounded up, plus one
    QPointF from;
    // A leg with a line of its own (a track, a great circle, an arc) moves the head along it:
    // `steps` frames, by length or by the recorded clock.
    const LegLine* line = nullptr;
    bool byClock = false;
    qint64 steps = 0;
    double delay = 0;
    double along = 0, alongBefore = 0; // on the line, after and before the last step
};

// Frames per leg are meaningful only for a finite delay above zero; otherwise a leg is one step.
bool delayUsable(double delay);

void resetMap(Workspace& ws);
void drawFirstPoint(Workspace& ws);
// Leg i runs from point i-1 to point i (1 <= i <= 99) in `delay` frames.
Leg setUpLeg(ProjectState& st, int i, double delay);
// Makes a leg just set up an eased one (a pause stays as it is).
void easeLeg(const ProjectState& st, Leg& leg);

// Step 1 and 2: moves the end and returns its old position (no drawing).
QPointF stepPosition(ProjectState& st, Leg& leg);
// Steps 1 to 3: moves the end and draws the new piece of line (nothing for a pause).
void stepMove(Workspace& ws, Leg& leg);
// Step 4: the remaining distance and its direction code.
void stepUpdate(ProjectState& st, Leg& leg);
bool legEnded(const ProjectState& st, const Leg& leg);

void markReached(Workspace& ws, int i);
