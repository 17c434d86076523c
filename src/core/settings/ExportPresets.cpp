#include "ExportPresets.h"

#include "VideoFormats.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {
// The labels the desktop program shows are translated there (context "ExportPreset").
// clang-format off
const ExportPreset kPresets[] = {
    {"youtube-1080", QT_TRANSLATE_NOOP("ExportPreset", "YouTube 1080p"),    "1080p",    0,  "mp4",       "high",     0, 0},
    {"youtube-4k",   QT_TRANSLATE_NOOP("ExportPreset", "YouTube 4K"),       "4k",       0,  "mp4",       "high",     0, 0},
    {"reel",         QT_TRANSLATE_NOOP("ExportPreset", "Instagram Reel"),   "vertical", 30, "mp4",       "standard", 90, 0},
    {"tiktok",       QT_TRANSLATE_NOOP("ExportPreset", "TikTok"),           "vertical", 30, "mp4",       "standard", 90, 0},
    {"square",       QT_TRANSLATE_NOOP("ExportPreset", "Instagram square"), "square",   30, "mp4",       "standard", 0, 0},
    {"overlay",      QT_TRANSLATE_NOOP("ExportPreset", "Editing overlay (ProRes 4444, transparent)"),
                                                                             nullptr,    0,  "mov-alpha", "high",     0, 0},
    // Small files for web pages: 720 wide, the project's proportions kept.
    {"web-gif",      QT_TRANSLATE_NOOP("ExportPreset", "Web page (animated GIF)"),  "custom", 15, "gif",  "standard", 0, 720},
    {"web-webp",     QT_TRANSLATE_NOOP("ExportPreset", "Web page (animated WebP)"), "custom", 15, "webp", "standard", 0, 720},
};
// clang-format on
} // namespace

std::span<const ExportPreset> exportPresets() {
    return kPresets;
}

const ExportPreset* findExportPreset(QStringView id) {
    for (const ExportPreset& p : kPresets)
        if (id.compare(QLatin1String(p.id), Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

bool twentyFiveRegion(const QLocale& locale) {
    // Where television ran at 29.97 frames: most of the Americas and a few countries of Asia.
    using T = QLocale::Territory;
    static const T ntsc[] = {
        T::UnitedStates, T::Canada,    T::Mexico,     T::Brazil,  T::Colombia,    T::Peru,
        T::Chile,        T::Venezuela, T::Ecuador,    T::Bolivia, T::Guatemala,   T::Honduras,
        T::ElSalvador,   T::Nicaragua, T::CostaRica,  T::Panama,  T::Cuba,        T::DominicanRepublic,
        T::PuertoRico,   T::Japan,     T::SouthKorea, T::Taiwan,  T::Philippines, T::AnyTerritory};
    return std::find(std::begin(ntsc), std::end(ntsc), locale.territory()) == std::end(ntsc);
}

void applyExportPreset(Workspace& ws, const ExportPreset& preset, bool fps25) {
    const ProjectState& st = ws.st;
    const double fps = preset.fps > 0 ? preset.fps : fps25 ? 25.0 : 29.97;
    const VideoFormat* format = preset.format ? findVideoFormat(QString::fromLatin1(preset.format)) : nullptr;
    if (format && format->custom() && preset.width > 0 && st.framewidth > 0 && st.frameheight > 0) {
        // The height the project's proportions give, even, within the custom sizes.
        const double height = double(preset.width) * st.frameheight / st.framewidth;
        const int even = std::clamp(int(std::lround(height / 2)) * 2, kMinFrameSide, kMaxFrameHeight);
        applyVideoFormat(ws, *format, fps, preset.width, even);
    } else if (format && !format->custom()) {
        applyVideoFormat(ws, *format, fps);
    }
    ws.st.renderformat = QLatin1String(preset.kind);
    ws.st.renderquality = QLatin1String(preset.quality);
}

QString presetLengthWarning(const ExportPreset& preset, double seconds) {
    if (preset.maxSeconds <= 0 || seconds <= preset.maxSeconds + 1e-9) return QString();
    return QCoreApplication::translate("ExportPreset",
                                       "The animation lasts %1 s; %2 takes at most %3 s. Nothing is cut: "
                                       "shorten it, or cut the video in an editor.")
        .arg(seconds, 0, 'f', 1)
        .arg(QCoreApplication::translate("ExportPreset", preset.label))
        .arg(preset.maxSeconds, 0, 'f', 0);
}
