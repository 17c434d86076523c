#include "RenderTarget.h"

#include <QtGlobal>

// The labels are English here (the command line, error messages); the desktop program shows them
// translated, in the context "RenderTarget".
namespace {
constexpr const char* kKindIds[] = {"bmp", "png", "png-alpha", "mp4", "mov", "mov-alpha", "gif", "webp"};
constexpr OutputKind kKinds[] = {
    {kKindIds[0], QT_TRANSLATE_NOOP("RenderTarget", "BMP sequence"), "bmp", false},
    {kKindIds[1], QT_TRANSLATE_NOOP("RenderTarget", "PNG sequence"), "png", false},
    {kKindIds[2], QT_TRANSLATE_NOOP("RenderTarget", "PNG sequence with transparency"), "png", true},
    {kKindIds[3], QT_TRANSLATE_NOOP("RenderTarget", "MP4 video H.264"), "mp4", false},
    {kKindIds[4], QT_TRANSLATE_NOOP("RenderTarget", "MOV ProRes 4444"), "mov", false},
    {kKindIds[5], QT_TRANSLATE_NOOP("RenderTarget", "MOV ProRes 4444 with transparency"), "mov", true},
    {kKindIds[6], QT_TRANSLATE_NOOP("RenderTarget", "Animated GIF for web pages"), "gif", false},
    {kKindIds[7], QT_TRANSLATE_NOOP("RenderTarget", "Animated WebP for web pages"), "webp", false},
};
static_assert(std::size(kKindIds) == std::size(kKinds));

struct QualityRow {
    RenderQuality quality;
    const char* id;
    const char* label;
};
constexpr const char* kQualityIds[] = {"high", "standard", "small"};
constexpr QualityRow kQualities[] = {
    {RenderQuality::High, kQualityIds[0], QT_TRANSLATE_NOOP("RenderTarget", "High")},
    {RenderQuality::Standard, kQualityIds[1], QT_TRANSLATE_NOOP("RenderTarget", "Standard")},
    {RenderQuality::Small, kQualityIds[2], QT_TRANSLATE_NOOP("RenderTarget", "Small")},
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

std::span<const char* const> outputKindIds() {
    return kKindIds;
}

std::span<const char* const> qualityIds() {
    return kQualityIds;
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

bool isVideoKind(const OutputKind& kind) {
    for (const char* one : {"mp4", "mov", "gif", "webp"})
        if (qstrcmp(kind.container, one) == 0) return true;
    return false;
}

RenderTarget renderTargetFor(const Workspace& ws) {
    const ProjectState& st = ws.st;
    RenderTarget t;
    if (const OutputKind* kind = findOutputKind(st.renderformat)) t.kind = kind;
    t.quality = findQuality(st.renderquality).value_or(kDefaultQuality);
    t.folder = st.renderpath;
    t.baseName = st.rendername;
    t.width = renderFrameSize(ws).width();
    t.height = renderFrameSize(ws).height();
    t.fps = st.fps;
    auto add = [&t](qint32 c) { // below zero: not drawn
        if (c >= 0) t.routeColours.push_back(qRgb(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff));
    };
    for (qint32 c : {st.color, st.markercolor, st.labelcolor, st.casing})
        add(c);
    for (int i = 0; i <= st.listmax && i < kPointSlots; ++i)
        add(st.pointcolor[std::size_t(i)]);
    return t;
}
