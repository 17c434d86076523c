#pragma once
// What a render writes, fixed when the render starts: the output kind, the folder and base
// name, the frame size and rate, and the quality of the lossy kinds. Choosing another folder or
// opening another project while a render runs does not touch a render under way.

#include "shell/Workspace.h"

#include <QRgb>
#include <QString>
#include <optional>
#include <span>
#include <vector>

struct OutputKind {
    const char* id;        // as in the project file and on the command line
    const char* label;     // as a person chooses it
    const char* container; // the writer family that makes it: "bmp", "png", "mp4", "mov", "gif", "webp"
    bool transparent;      // only what the route draws, on a clear background
};

// Every output kind, the default first.
std::span<const OutputKind> outputKinds();
// The kind with that id; null for none.
const OutputKind* findOutputKind(QStringView id);
// The ids alone, in the same order (the words a project file may give).
std::span<const char* const> outputKindIds();

enum class RenderQuality { High, Standard, Small };
constexpr RenderQuality kDefaultQuality = RenderQuality::Standard;
// "high", "standard", "small": the project file's and the command line's words.
QString qualityId(RenderQuality quality);
QString qualityLabel(RenderQuality quality);
std::optional<RenderQuality> findQuality(QStringView id);
std::span<const char* const> qualityIds(); // High first

struct RenderTarget {
    const OutputKind* kind = &outputKinds().front();
    QString folder;   // joined to the base name as it is: it ends in a separator when set
    QString baseName; // file names start with it
    int width = 0, height = 0;
    double fps = 0;
    RenderQuality quality = kDefaultQuality;
    // The colours the route, its marker and labels are drawn in, for a writer that picks a
    // palette before they are all on screen (GIF).
    std::vector<QRgb> routeColours;
};

// True for the kinds written as one video file (an animated GIF or WebP too).
bool isVideoKind(const OutputKind& kind);

// The target for rendering the workspace now: the project's render settings (an unknown kind
// or quality gives the default) and the map surface's size, which is the frame size.
RenderTarget renderTargetFor(const Workspace& ws);
