#pragma once
// The walk's progress at every frame, from one counting walk: which points are reached, where
// the head is and which way it travels. A frame composed from the scene, and the camera, need
// nothing else of the walk, so any frame can be drawn on its own.

#include "FrameWalk.h"

#include <vector>

struct FramePose {
    QPointF head;           // where the line ends (map pixels)
    double heading = 0;     // degrees clockwise from the x axis (y grows downwards)
    int leg = 0;            // the leg being drawn (from point leg-1 to point leg), or the point reached
    double legFraction = 0; // 0 to 1 along that leg; 1 at a point reached
    bool shown = false;     // false on the bare map before the first point
    int reached = -1;       // the last point reached; -1 on the bare map
};

// Progress of the walk's frames 0 to at most `cap` - 1.
std::vector<FramePose> walkPoses(const ProjectState& st, qint64 cap);
