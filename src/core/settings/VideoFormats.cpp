#include "VideoFormats.h"

#include "mapview/RouteDrawing.h"
#include "project/NumberText.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// The names the desktop program shows translated are marked for lupdate (context "VideoFormat");
// the command line takes them in English.
// clang-format off
const VideoFormat kFormats[] = {
    {"NTSC",     "ntsc",     u'n', 654,  480,  29.97},
    {"PAL",      "pal",      u'p', 786,  576,  25.0},
    {"720p",     "720p",     u'c', 1280, 720},
    {"1080p",    "1080p",    u'c', 1920, 1080},
    {"1440p",    "1440p",    u'c', 2560, 1440},
    {"4K UHD",   "4k",       u'c', 3840, 2160},
    {QT_TRANSLATE_NOOP("VideoFormat", "Vertical"), "vertical", u'c', 1080, 1920},
    {QT_TRANSLATE_NOOP("VideoFormat", "Square"),   "square",   u'c', 1080, 1080},
    {QT_TRANSLATE_NOOP("VideoFormat", "Custom"), "custom", u'c'},
};
// clang-format on
// 15 for animated pictures on web pages, where a file's size counts more than smooth motion.
constexpr double kWebRate = 15;
const double kRates[] = {kWebRate, 23.976, 24, 25, 29.97, 30, 50, 59.94, 60};

int heldSide(int v, int max) {
    return std::clamp(v, kMinFrameSide, max) & ~1;
}
} // namespace

bool customSizeFits(int width, int height) {
    return width % 2 == 0 && height % 2 == 0 && width >= kMinFrameSide && width <= kMaxFrameWidth &&
           height >= kMinFrameSide && height <= kMaxFrameHeight;
}

std::span<const VideoFormat> videoFormats() {
    return kFormats;
}

std::span<const double> frameRates() {
    return kRates;
}

const VideoFormat* findVideoFormat(QStringView name) {
    for (const VideoFormat& f : kFormats)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String(f.id), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const VideoFormat& currentFormat(const ProjectState& st) {
    for (const VideoFormat& f : kFormats) {
        if (f.letter != st.format) continue;
        if (f.letter != u'c' || f.custom() || (f.width == st.framewidth && f.height == st.frameheight))
            return f;
    }
    return kFormats[std::size(kFormats) - 1];
}

QString rateText(double fps) {
    return doubleForm(fps);
}

QString formatLabel(const ProjectState& st) {
    const VideoFormat& f = currentFormat(st);
    const QString shown = QCoreApplication::translate("VideoFormat", f.name);
    const QString name =
        f.custom() ? QString("%1 %2 x %3").arg(shown).arg(st.framewidth).arg(st.frameheight) : shown;
    return name + ' ' + rateText(st.fps);
}

std::optional<double> findFrameRate(double fps) {
    for (double r : kRates)
        if (std::abs(r - fps) < 0.01) return r;
    return std::nullopt;
}

ExactRate exactRate(double fps) {
    if (!(fps > 0 && fps < 1e6)) return {};
    // The NTSC family: n * 1000/1001 for whole n.
    const double n = std::round(fps * 1.001);
    if (std::abs(fps - n * 1000 / 1001) < 0.0005 && std::abs(fps - n) > 0.0005) return {int(n) * 1000, 1001};
    if (fps == std::round(fps)) return {int(fps), 1};
    int num = int(std::round(fps * 1000)), den = 1000;
    const int g = std::gcd(num, den);
    return {num / g, den / g};
}

void setVideoFormat(Workspace& ws, const VideoFormat& format, double fps, int width, int height) {
    ProjectState& st = ws.st;
    if (!format.custom()) {
        width = format.width;
        height = format.height;
    }
    st.frameheight = qint16(height);
    st.framewidth = qint16(width);
    // The map's drawing area becomes exactly the frame, so rendered frames are frame-sized;
    // the GUI fits the window around it.
    if (ws.map.width() != width || ws.map.height() != height) ws.map.resize(width, height);
    emit ws.events.mapResized();
    st.format = format.letter;
    st.fps = format.fps > 0 ? format.fps : fps;
    st.delay = st.interval * st.fps;
}

void applyVideoFormat(Workspace& ws, const VideoFormat& format, double fps, int width, int height) {
    setVideoFormat(ws, format, fps, width, height);
    Redraw(ws);
}

void holdCustomFormat(ProjectState& st,
                      const std::function<void(const char* key, double read, double used)>& held) {
    const int width = heldSide(st.framewidth, kMaxFrameWidth),
              height = heldSide(st.frameheight, kMaxFrameHeight);
    if (width != st.framewidth) held("framewidth", st.framewidth, width);
    if (height != st.frameheight) held("frameheight", st.frameheight, height);
    st.framewidth = qint16(width);
    st.frameheight = qint16(height);
    if (!findFrameRate(st.fps)) {
        // Held to the nearest video rate, as files written before the web rate came are: 15 is
        // taken only as asked for.
        double nearest = kRates[1];
        for (double r : kRates)
            if (r != kWebRate && std::abs(r - st.fps) < std::abs(nearest - st.fps)) nearest = r;
        held("fps", st.fps, nearest);
        st.fps = nearest;
    } else if (*findFrameRate(st.fps) != st.fps) {
        st.fps = *findFrameRate(st.fps);
    }
}
