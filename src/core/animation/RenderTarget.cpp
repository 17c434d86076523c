#include "RenderTarget.h"

namespace {
constexpr OutputKind kKinds[] = {
    {"bmp", "BMP sequence", "bmp", false},
    {"png", "PNG sequence", "png", false},
    {"png-alpha", "PNG sequence with transparency", "png", true},
    {"mp4", "MP4 video H.264", "mp4", false},
    {"mov", "MOV ProRes 4444", "mov", false},
    {"mov-alpha", "MOV ProRes 4444 with transparency", "mov", true},
};

struct QualityRow {
    RenderQuality quality;
    const char* id;
    const char* label;
};
constexpr QualityRow kQualities[] = {
    {RenderQuality::High, "high", "High"},
    {RenderQuality::Standard, "standard", "Standard"},
    {RenderQuality::Small, "small", "Small"},
};

const QualityRow& rowOf(RenderQuality quality) {
    for (const QualityRow& row : kQualities)
        if (row.quality == quality) return row;
    return kQualities[1];
}
} // namespace

std::span<const OutputKind> outputKinds() {
    return kKinds;
}

const OutputKind* findOutputKind(QStringView id) {
    for (const OutputKind& kind : kKinds)
        if (id == QLatin1StringView(kind.id)) return &kind;
    return nullptr;
}

QString qualityId(RenderQuality quality) {
    return QString::fromLatin1(rowOf(quality).id);
}

QString qualityLabel(RenderQuality quality) {
    return QString::fromLatin1(rowOf(quality).label);
}

std::optional<RenderQuality> findQuality(QStringView id) {
    for (const QualityRow& row : kQualities)
        if (id == QLatin1StringView(row.id)) return row.quality;
    return std::nullopt;
}

RenderTarget renderTargetFor(const Workspace& ws) {
    const ProjectState& st = ws.st;
    RenderTarget t;
    if (const OutputKind* kind = findOutputKind(st.renderformat)) t.kind = kind;
    t.quality = findQuality(st.renderquality).value_or(kDefaultQuality);
    t.folder = st.renderpath;
    t.baseName = st.rendername;
    t.width = ws.map.width();
    t.height = ws.map.height();
    t.fps = st.fps;
    return t;
}
