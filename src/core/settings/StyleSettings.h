#pragma once
// The style and interval settings of the properties dialog, apart from its widgets.

#include "shell/Workspace.h"

#include <QString>

enum class StyleField { LineThick, CircleThick, CircleRadius };

struct BarRange {
    int min;
    int max;
};
constexpr BarRange kThickRange{1, 9};
constexpr BarRange kRadiusRange{1, 13};
constexpr BarRange kIntervalRange{1, 100}; // tenths of a second

// The bar's range for frames up to PAL's 576 lines; taller frames reach further in proportion
// to their height: radii twice as far at 1080 lines, line widths to 60 there.
BarRange styleRange(StyleField f, int frameheight = 0);
// The height the bars are ranged for: sizes that follow the frame are those of 1080 lines.
int styleBarHeight(const ProjectState& st);
qint16& styleField(ProjectState& st, StyleField f);

// A style bar moved to `value`: the field takes it and the route is drawn again.
void setStyleField(Workspace& ws, StyleField f, int value);

// The interval bar's value for an interval: tenths, halves to the even neighbour.
int intervalBarValue(double interval);
// The shortest decimal text of a number, always with "." (2 -> "2", 0.1 -> "0.1").
QString shortestDecimal(double v);
// The interval label for a bar value: the value in seconds.
inline QString intervalText(int barValue) {
    return shortestDecimal(barValue / 10.0);
}
// The interval bar moved to `barValue`: interval and frames per leg follow; no redraw.
void setIntervalFromBar(ProjectState& st, int barValue);
