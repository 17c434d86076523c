#include "StyleSettings.h"

#include "mapview/RouteDrawing.h"
#include "mapview/RouteEditing.h"

#include <QLocale>

namespace {
constexpr int kWideLine = 60; // the widest line a bar gives at 1080 lines
}

BarRange styleRange(StyleField f, int frameheight) {
    BarRange r = f == StyleField::CircleRadius ? kRadiusRange : kThickRange;
    if (frameheight <= 576) return r;
    r.max = f == StyleField::CircleRadius ? roundHalfEven(r.max * frameheight / 540.0)
                                          : roundHalfEven(kWideLine * frameheight / 1080.0);
    return r;
}

int styleBarHeight(const ProjectState& st) {
    return st.stylescale == QLatin1String("frame") ? 1080 : st.frameheight;
}

qint16& styleField(ProjectState& st, StyleField f) {
    switch (f) {
    case StyleField::LineThick:
        return st.linethick;
    case StyleField::CircleThick:
        return st.circlethick;
    case StyleField::CircleRadius:
        break;
    }
    return st.circleradius;
}

void setStyleField(Workspace& ws, StyleField f, int value) {
    styleField(ws.st, f) = qint16(value);
    Redraw(ws);
}

int intervalBarValue(double interval) {
    return roundHalfEven(interval * 10);
}

QString shortestDecimal(double v) {
    // QString::number ignores the locale, so the separator is always ".".
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

void setIntervalFromBar(ProjectState& st, int barValue) {
    st.interval = barValue / 10.0;
    st.delay = st.fps * st.interval;
}
