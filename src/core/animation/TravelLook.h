#pragma once
// How each leg looks as a travel film shows it: its way of travel (the marker's icon, the line's
// style, a typical speed), its line style and colour, and whether a project asks for any of the
// film's looks at all. A project that asks for none keeps its classic frames; one that does is
// composed from the scene, whatever its camera.

#include "shell/ProjectState.h"

#include <span>

enum class TravelMode { None, Walk, Bike, Car, Bus, Train, Boat, Plane };
enum class LineStyle { Solid, Dashed, Dotted };

struct TravelModeRow {
    const char* id; // as in the project file
    TravelMode mode;
    LineStyle line; // the line a leg of this way of travel draws, unless a line key says otherwise
    double kmh;     // a typical speed, for legs timed by speed on a map that knows the earth
    bool upright;   // the icon stays upright (mirrored when travelling left) instead of turning
    bool arc;       // legs without a `path` of their own fly along an arc
};

// Every way of travel, "none" first.
std::span<const TravelModeRow> travelModes();
std::span<const char* const> travelModeIds();
std::span<const char* const> lineStyleIds();

// The way of travel of the leg ending at point i: its own `mode.I`, else the project's `mode`.
const TravelModeRow& legMode(const ProjectState& st, int i);
// The leg's line style: its own `linestyle.I`; else its way of travel's, unless the project's
// `linestyle` is set to other than solid; else the project's.
LineStyle legLineStyle(const ProjectState& st, int i);
// The leg's colour: its own `color.I`, else the line's colour.
qint32 legColour(const ProjectState& st, int i);

// Sizes in the look keys are frame pixels, or with `stylescale = frame` pixels of a 1080-line
// frame: the factor that turns them into pixels of this project's frame.
double styleScale(const ProjectState& st);

// The project asks for a look only a composed frame can show: a way of travel, a line style or
// colour per leg, a glow, a tail, sizes that follow the frame, a title, a counter or a font.
bool usesFilmLook(const ProjectState& st);
// Frames are composed from the scene: a camera that moves, a tiled map (drawn only where a
// frame shows it) or a film look.
bool composedFrames(const ProjectState& st, bool tiled);
