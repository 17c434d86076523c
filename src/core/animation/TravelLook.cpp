#include "TravelLook.h"

#include <algorithm>

namespace {
using M = TravelMode;
using L = LineStyle;

const TravelModeRow kModes[] = {
    {"none", M::None, L::Solid, 0, false, false},   {"walk", M::Walk, L::Dashed, 5, true, false},
    {"bike", M::Bike, L::Solid, 18, true, false},   {"car", M::Car, L::Solid, 80, false, false},
    {"bus", M::Bus, L::Solid, 60, false, false},    {"train", M::Train, L::Solid, 120, false, false},
    {"boat", M::Boat, L::Dotted, 30, false, false}, {"plane", M::Plane, L::Dashed, 800, false, true},
};
const char* const kModeIds[] = {"none", "walk", "bike", "car", "bus", "train", "boat", "plane"};
const char* const kLineStyles[] = {"solid", "dashed", "dotted"};
static_assert(std::size(kModes) == std::size(kModeIds));

const TravelModeRow& modeNamed(const QString& id) {
    for (const TravelModeRow& row : kModes)
        if (id == QLatin1String(row.id)) return row;
    return kModes[0];
}

LineStyle styleNamed(const QString& id) {
    return id == QLatin1String("dashed") ? L::Dashed : id == QLatin1String("dotted") ? L::Dotted : L::Solid;
}

bool inSlots(int i) {
    return i >= 0 && i < kPointSlots;
}
} // namespace

std::span<const TravelModeRow> travelModes() {
    return kModes;
}

std::span<const char* const> travelModeIds() {
    return kModeIds;
}

std::span<const char* const> lineStyleIds() {
    return kLineStyles;
}

const TravelModeRow& legMode(const ProjectState& st, int i) {
    if (inSlots(i) && !st.pointmode[std::size_t(i)].isEmpty()) return modeNamed(st.pointmode[std::size_t(i)]);
    return modeNamed(st.mode);
}

LineStyle legLineStyle(const ProjectState& st, int i) {
    if (inSlots(i) && !st.pointlinestyle[std::size_t(i)].isEmpty())
        return styleNamed(st.pointlinestyle[std::size_t(i)]);
    const LineStyle own = styleNamed(st.linestyle);
    return own == L::Solid ? legMode(st, i).line : own;
}

qint32 legColour(const ProjectState& st, int i) {
    return inSlots(i) && st.pointcolor[std::size_t(i)] >= 0 ? st.pointcolor[std::size_t(i)] : st.color;
}

double styleScale(const ProjectState& st) {
    return st.stylescale == QLatin1String("frame") && st.frameheight > 0 ? st.frameheight / 1080.0 : 1.0;
}

bool usesFilmLook(const ProjectState& st) {
    auto anySet = [](const std::array<QString, kPointSlots>& a) {
        return std::any_of(a.begin(), a.end(), [](const QString& s) { return !s.isEmpty(); });
    };
    return st.mode != QLatin1String("none") || anySet(st.pointmode) ||
           st.linestyle != QLatin1String("solid") || anySet(st.pointlinestyle) ||
           std::any_of(st.pointcolor.begin(), st.pointcolor.end(), [](qint32 c) { return c >= 0; }) ||
           st.glow > 0 || st.tail > 0 || st.stylescale != QLatin1String("pixels") ||
           !st.titletext.isEmpty() || !st.subtitletext.isEmpty() || st.counter != QLatin1String("none") ||
           !st.font.isEmpty();
}

bool composedFrames(const ProjectState& st, bool tiled) {
    return cameraMoves(st) || tiled || usesFilmLook(st);
}
