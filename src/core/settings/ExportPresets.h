#pragma once
// Export presets: a place a video is made for (a video site, a phone's vertical feed, an editing
// overlay) sets the frame format, rate, output kind and quality in one step. One row each.

#include "shell/Workspace.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <span>

struct ExportPreset {
    const char* id;      // as typed after --preset
    const char* label;   // as a person chooses it
    const char* format;  // a video format id; null: the project's own format and rate
    double fps;          // 0: 29.97 or 25 by the region; ignored without a format
    const char* kind;    // an output kind id
    const char* quality; // a quality id
    double maxSeconds;   // the longest video the place takes; 0: no limit
    int width;           // > 0: a custom size this wide, as high as the project's proportions give
};

std::span<const ExportPreset> exportPresets();
// The row with that id (any case); null for none.
const ExportPreset* findExportPreset(QStringView id);
// Whether the region's television ran at 25 frames (PAL, SECAM) rather than 29.97 (NTSC).
bool twentyFiveRegion(const QLocale& locale);
// Sets the preset's format (or width), rate, kind and quality, and redraws. `fps25`: the region's rate is 25.
void applyExportPreset(Workspace& ws, const ExportPreset& preset, bool fps25);
// Says so when `seconds` of animation are longer than the place takes; empty when they fit.
QString presetLengthWarning(const ExportPreset& preset, double seconds);
